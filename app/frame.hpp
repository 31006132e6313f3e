// Services every screen calls each frame, and the loaders of the puzzle-screen pictures.
#pragma once

#include <string>

// Top of every frame: mouse hits, wheel, pointer hover reset, button slots, TileDropped.
void UpdateInput();
// Presents the frame; ends the program at once when the window was closed.
void FlipFrame(int sync = -1);
// Ends the program now, without saving.
[[noreturn]] void QuitProgram(int code = 0);
void LoadBoardGraphics();
// Replaces BackgroundImage with "bg<n>.jpg", n = index + 1.
void LoadBackground(int index);
