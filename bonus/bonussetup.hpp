// Setting up the bonus board of a level: the level's starting board, its options, and one
// floating Yin-Yang symbol for every puzzle tile the puzzle game holds back.
#pragma once

#include "bonus/bonusgame.hpp"
#include "puzzle/levelset.hpp"

// Shot-timer length in ms for the level's BonusTime setting (0 "Very slow" .. 4 "Very fast").
int BonusShotTime(int bonusTime);

// Adds Yin-Yang markers until the board carries `heldBackTiles` of them (markers the level
// placed itself count). Random tile cells first; after 5000 picks the rest go to the free tile
// cells that are left, then to empty cells, which get a symbol 1 to 4 to carry the marker.
// Stones never get one: nothing but a rare bomb and star blast together could clear them.
// Returns the number of markers on the board afterwards.
int PlaceYinYangSymbols(BonusGame::Grid& levelData, BonusGame::Grid& markers, int heldBackTiles);

// The whole set-up on a new board, for a level whose pickable tiles the puzzle game has already
// moved to its held-back list (`heldBackTiles` of them). False when the board has no room for
// a symbol per held-back tile: such a board could never be won.
bool SetUpBonusBoard(BonusGame& board, const TLevelProperties& level, int heldBackTiles);
