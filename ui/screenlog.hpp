// The one debug line every screen writes as it starts, so a scripted run can follow a player
// from screen to screen by frame number.
#pragma once

#include <cstdio>

#include "platform/graphics.hpp"

inline void LogScreen(const char* name) {
    std::printf("Screen %s (frame %lld)\n", name, static_cast<long long>(FlipCount()));
}
