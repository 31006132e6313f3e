// The bonus phase of "play for tiles" levels: the match-three board runs before the puzzle and
// hands the won tiles over one by one. Until the board exists such a level is played as an
// ordinary puzzle (ShowBonusGame stays 0).
#include "game/game.hpp"

// Level set-up of a bonus level: board, hidden tiles and the 180-second board clock.
void TGame::SetUpBonusLevelHook() {}

// One frame of the board while ShowBonusGame > 0.
void TGame::BonusFrameHook() {}

// "Find the tiles" (ShowBonusGame 1) and the board's tutorial (ShowBonusGame 3); true when a
// message was handled this frame.
bool TGame::BonusMessageHook() { return false; }
