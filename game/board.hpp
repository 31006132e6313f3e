// Pictures of the puzzle screen: the board with its panel parts and the hint lamp (the
// player's background is in puzzle/unlocks.hpp).
#pragma once

#include <array>

#include "platform/graphics.hpp"

extern ImageRef BoardImage;
extern std::array<ImageRef, 5> GameGfx;
extern ImageRef LampImage;

void LoadBoardGraphics();
