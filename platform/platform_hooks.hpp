// Hooks for the game's own harness (scripted runs); not used by game logic.
#pragma once

#include <cstdint>
#include <functional>

// Called after every Flip, once the event pump has run, with the number of flips so far.
void SetAfterFlipHook(std::function<void(int64_t)> hook);

// CLOCK_MONOTONIC time in nanoseconds at which the window was created (0 before), for the
// start-up benchmark.
int64_t WindowCreatedNs();
