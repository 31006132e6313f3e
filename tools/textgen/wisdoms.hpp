// Turns the UTF-8 source of the wisdom sayings into the bytes of the game's INI file:
// Latin-1, CRLF line ends, an "Anzahl" entry counting the sayings of each group.
#pragma once

#include <string>

namespace textgen {

// Throws std::runtime_error naming the source line when the source is malformed: a
// character outside Latin-1, an entry before any group, a gap in the numbering, an empty
// saying, or groups of different sizes.
std::string BuildWisdomIni(const std::string& utf8Source);

}  // namespace textgen
