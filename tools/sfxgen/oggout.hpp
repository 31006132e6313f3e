// Ogg Vorbis writer. The stream serial number is fixed, so the same samples always give
// the same bytes.
#pragma once

#include <string>

#include "dsp.hpp"

namespace sfx {

// Throws std::runtime_error when the encoder refuses the settings or the file cannot be written.
void WriteOgg(const std::string& path, const Sound& s, float quality, const std::string& title);

}  // namespace sfx
