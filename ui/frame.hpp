// The per-frame input state and the two calls that frame every screen's loop. Every screen
// and the kit below it share these, so they sit beneath all of them.
#pragma once

#include <array>
#include <cstdint>

// Left and right clicks of this frame, the wheel now and a frame ago, and whether a tile was
// dropped this frame; refreshed by UpdateInput.
extern std::array<uint8_t, 2> MouseHits;
extern int32_t MouseZ;
extern int32_t OldMouseZ;
extern uint8_t TileDropped;

// Top of every frame: mouse hits, wheel, pointer hover reset, button slots, TileDropped.
void UpdateInput();
// Presents the frame; ends the program at once when the window was closed.
void FlipFrame(int sync = -1);
// Ends the program now, without saving.
[[noreturn]] void QuitProgram(int code = 0);
