// Hooks for the game's own harness (scripted runs); not used by game logic.
#pragma once

#include <cstdint>
#include <functional>

// Called after every Flip, once the event pump has run, with the number of flips so far.
void SetAfterFlipHook(std::function<void(int64_t)> hook);
