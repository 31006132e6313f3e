// The pictures a player chooses and earns: the background behind the puzzle (also behind the
// title and the editor) and the tile set. Higher ranks unlock more of each.
#pragma once

#include "platform/graphics.hpp"

class TUser;

extern ImageRef BackgroundImage;

// Replaces BackgroundImage with "bg<n>.jpg", n = index + 1.
void LoadBackground(int index);

// The next background (up to the sixth) and the next tile set (up to the second), each
// wrapping to the first when the player's rank does not reach it yet.
void NextBackground(TUser& player);
void NextPuzzleSet(TUser& player);
