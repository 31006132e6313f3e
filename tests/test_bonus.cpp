// Rules of the bonus board, run without a window: lines, jokers, bombs, stones, star blasts,
// the explosion schedule, multicombos, combos and the full-board verdict.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "bonus/bonussound.hpp"
#include "platform/random.hpp"
#include "test_bonus_board.hpp"

namespace {
using Cell = std::pair<int, int>;

// Lays the values out from (x, y) in direction (dx, dy), runs one update and tells which of the
// laid cells were scheduled to explode.
std::vector<bool> Scheduled(std::vector<int> values, int x, int y, int dx, int dy, bool bombs = false) {
    auto g = EmptyBoard();
    g->AllowBombs = bombs;
    for (size_t i = 0; i < values.size(); ++i) g->LevelData[x + dx * int(i)][y + dy * int(i)] = values[i];
    g->MoveTiles();
    std::vector<bool> out;
    for (size_t i = 0; i < values.size(); ++i) out.push_back(g->Explode[x + dx * int(i)][y + dy * int(i)] > 0);
    return out;
}

std::vector<bool> All(size_t n, bool v) { return std::vector<bool>(n, v); }
}  // namespace

TEST(BonusLines, JokersCompleteAPairButNotEachOther) {
    EXPECT_EQ(Scheduled({CELL_JOKER, 3, 3}, 0, 0, 1, 0), All(3, true));
    EXPECT_EQ(Scheduled({3, CELL_JOKER, 3}, 0, 0, 1, 0), All(3, true));
    EXPECT_EQ(Scheduled({3, 3, CELL_JOKER}, 0, 0, 1, 0), All(3, true));
    EXPECT_EQ(Scheduled({CELL_JOKER, CELL_JOKER, 3}, 0, 0, 1, 0), All(3, false));
    EXPECT_EQ(Scheduled({3, CELL_JOKER, CELL_JOKER}, 0, 0, 1, 0), All(3, false));
    EXPECT_EQ(Scheduled({CELL_JOKER, CELL_JOKER, CELL_JOKER}, 0, 0, 1, 0), All(3, true));
    EXPECT_EQ(Scheduled({3, CELL_JOKER, 4}, 0, 0, 1, 0), All(3, false));
}

TEST(BonusLines, AllFourDirectionsCountAndLongerLinesClearWhole) {
    // Down a column (a full column from the top, so nothing rises).
    EXPECT_EQ(Scheduled({1, 1, 1}, 4, 0, 0, 1), All(3, true));
    // Down-right and up-right diagonals; the cells under them are filled so nothing rises.
    for (int dir : {1, -1}) {
        auto g = EmptyBoard();
        for (int x = 0; x < 3; ++x)
            for (int y = 0; y < 3; ++y) g->LevelData[x][y] = 1;  // every line through it crosses the diagonal
        int y0 = dir == 1 ? 0 : 2;
        for (int i = 0; i < 3; ++i) g->LevelData[i][y0 + dir * i] = 0;
        g->MoveTiles();
        std::set<Cell> hit;
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 9; ++y)
                if (g->Explode[x][y] > 0) hit.insert({x, y});
        EXPECT_EQ(hit, (std::set<Cell>{{0, y0}, {1, y0 + dir}, {2, y0 + 2 * dir}})) << "direction " << dir;
    }
    EXPECT_EQ(Scheduled({5, 5, 5, 5, 5, 5, 5, 5}, 0, 0, 1, 0), All(8, true));
    EXPECT_EQ(Scheduled({5, 5, 4, 5, 5}, 0, 0, 1, 0), All(5, false));
}

TEST(BonusLines, ThreeBombsMakeALineAndAStoneStopsARun) {
    // Without the bomb rule bombs are plain tiles, and three of them match.
    EXPECT_EQ(Scheduled({CELL_BOMB, CELL_BOMB, CELL_BOMB}, 0, 0, 1, 0), All(3, true));
    EXPECT_EQ(Scheduled({3, 3, CELL_STONE, 3, 3}, 0, 0, 1, 0), All(5, false));
    EXPECT_EQ(Scheduled({CELL_STONE, CELL_STONE, CELL_STONE}, 0, 0, 1, 0), All(3, false));
    EXPECT_EQ(Scheduled({3, CELL_JOKER, CELL_STONE}, 0, 0, 1, 0), All(3, false));
}

TEST(BonusBombs, ABombClearsItsNeighboursButLeavesStones) {
    auto g = EmptyBoard();
    g->AllowBombs = true;
    g->LevelData[3][0] = CELL_BOMB;
    g->LevelData[2][0] = 1;
    g->LevelData[4][0] = CELL_STONE;
    g->LevelData[5][0] = 4;  // two cells away: untouched
    g->LevelData[3][1] = 3;
    g->LevelData[4][1] = CELL_STONE;
    Settle(*g);
    EXPECT_EQ(g->LevelData[3][0], CELL_EMPTY);
    EXPECT_EQ(g->LevelData[2][0], CELL_EMPTY);
    EXPECT_EQ(g->LevelData[3][1], CELL_EMPTY);
    EXPECT_EQ(g->LevelData[4][0], CELL_STONE);
    EXPECT_EQ(g->LevelData[4][1], CELL_STONE);
    EXPECT_EQ(g->LevelData[5][0], 4);
    EXPECT_EQ(g->AddScore, 3 * 50) << "bomb and two neighbours";
    EXPECT_FALSE(g->GameOver);
}

TEST(BonusBombs, ABombPassOfFourCellsLeavesAStarTile) {
    auto g = EmptyBoard();
    g->AllowBombs = true;
    g->LevelData[3][0] = CELL_BOMB;
    g->LevelData[2][0] = 1;
    g->LevelData[2][1] = 2;
    g->LevelData[3][1] = 3;
    g->MoveTiles();
    // Visited bottom row first: (2,1), (3,1), then (2,0), and the bomb is the fourth.
    EXPECT_EQ(g->PuzzleTileData[3][0], int(MARK_PENDING_STAR) + int(CELL_BOMB));
    EXPECT_EQ(g->CreateText, "Multicombo");
}

TEST(BonusBombs, WithoutTheBombRuleABombWaits) {
    auto g = EmptyBoard();
    g->LevelData[3][0] = CELL_BOMB;
    g->LevelData[2][0] = 1;
    Settle(*g);
    EXPECT_EQ(g->LevelData[3][0], CELL_BOMB);
    EXPECT_EQ(g->LevelData[2][0], 1);
}

TEST(BonusStars, AStarBlastTakesTheNeighboursButNotStones) {
    auto g = EmptyBoard();
    for (int x = 0; x < 3; ++x) g->LevelData[x][0] = 2;
    g->PuzzleTileData[1][0] = MARK_STAR;
    g->LevelData[3][0] = 4;           // beside the line
    g->LevelData[1][1] = 5;           // below it
    g->LevelData[0][1] = CELL_STONE;  // below it, a stone
    g->LevelData[4][0] = 1;           // two cells away
    g->MoveTiles();
    EXPECT_GT(g->Explode[3][0], 0);
    EXPECT_GT(g->Explode[1][1], 0);
    EXPECT_EQ(g->Explode[0][1], 0);
    EXPECT_EQ(g->Explode[4][0], 0) << "neighbours of added cells are not added";
    Settle(*g);
    EXPECT_EQ(g->LevelData[0][1], CELL_STONE);
    EXPECT_EQ(g->LevelData[4][0], 1);
    EXPECT_EQ(g->PuzzleTileData[1][0], MARK_NONE) << "the star goes with its tile";
    EXPECT_EQ(g->AddScore, 5 * 50);
}

TEST(BonusStars, AStoneABombMarkedFallsToAStarBlastOfTheSamePass) {
    auto g = EmptyBoard();
    g->AllowBombs = true;
    for (int x = 0; x < 3; ++x) g->LevelData[x][0] = 2;
    g->PuzzleTileData[1][0] = MARK_STAR;
    g->LevelData[0][1] = CELL_STONE;  // beside the star line only
    g->LevelData[6][0] = CELL_BOMB;
    g->LevelData[7][0] = CELL_STONE;  // beside the bomb
    g->LevelData[7][1] = CELL_STONE;  // beside the bomb
    Settle(*g);
    EXPECT_EQ(g->LevelData[0][1], CELL_STONE);
    EXPECT_EQ(g->LevelData[7][0], CELL_EMPTY);
    EXPECT_EQ(g->LevelData[7][1], CELL_EMPTY);
    EXPECT_EQ(g->LevelData[6][0], CELL_EMPTY);
}

TEST(BonusExplosions, CellsBurstFromTheBottomLeftFiveUpdatesApart) {
    auto g = EmptyBoard();
    // An L of five: a row at the bottom of a column of three.
    g->LevelData[0][0] = g->LevelData[0][1] = 3;
    for (int x = 0; x < 3; ++x) g->LevelData[x][2] = 3;
    for (int x = 1; x < 3; ++x) g->LevelData[x][1] = g->LevelData[x][0] = (x == 1 ? 4 : 5);
    g->MoveTiles();
    // Visiting order: row 2 left to right, then row 1, then row 0.
    std::vector<Cell> order = {{0, 2}, {1, 2}, {2, 2}, {0, 1}, {0, 0}};
    std::vector<int> burstAt(order.size(), -1);
    for (int update = 1; update <= 40; ++update) {
        g->MoveTiles();
        for (size_t i = 0; i < order.size(); ++i)
            if (burstAt[i] < 0 && g->LevelData[order[i].first][order[i].second] != 3) burstAt[i] = update;
    }
    EXPECT_EQ(burstAt, (std::vector<int>{3, 8, 13, 18, 23}));
    EXPECT_EQ(g->AddScore, 5 * 50 + 250) << "the fourth cell was a multicombo";
}

TEST(BonusExplosions, AClearedYinYangWinsOneTileBack) {
    auto g = EmptyBoard();
    for (int x = 0; x < 3; ++x) g->LevelData[x][0] = 1;
    g->PuzzleTileData[2][0] = MARK_YINYANG;
    g->PuzzleTileData[5][0] = MARK_YINYANG;  // floating over an empty cell: stays
    Settle(*g);
    EXPECT_EQ(g->AddLevelObject, 1);
    EXPECT_EQ(g->PuzzleTileData[2][0], MARK_NONE);
    EXPECT_EQ(g->PuzzleTileData[5][0], MARK_YINYANG);
}

TEST(BonusMulticombo, FiveInARowLeavesAStarTileOnTheFourthCell) {
    auto g = EmptyBoard();
    for (int x = 0; x < 5; ++x) g->LevelData[x][0] = 2;
    g->PuzzleTileData[3][0] = MARK_YINYANG;
    g->MoveTiles();
    EXPECT_EQ(g->CreateText, "Multicombo");
    EXPECT_EQ(g->PuzzleTileData[3][0], MARK_PENDING_STAR + 2);
    EXPECT_EQ(g->AddLevelObject, 1) << "the Yin-Yang under the new star is won at once";
    EXPECT_EQ(g->AddScore, 250);

    size_t before = 0;
    bool revealed = false;
    for (int update = 0; update < 60 && !revealed; ++update) {
        before = g->Particles.p.size();
        g->MoveTiles();
        revealed = g->PuzzleTileData[3][0] == MARK_STAR;
    }
    ASSERT_TRUE(revealed);
    EXPECT_EQ(g->Particles.p.size() - before, 101u);
    EXPECT_EQ(g->LevelData[3][0], 2);
    for (int x : {0, 1, 2, 4}) EXPECT_EQ(g->LevelData[x][0], CELL_EMPTY);
    EXPECT_EQ(g->AddScore, 250 + 5 * 50);
    EXPECT_EQ(g->AddLevelObject, 1) << "no second tile for the same symbol";
}

TEST(BonusMulticombo, AStarBlastPassScoresNoMulticombo) {
    auto g = EmptyBoard();
    for (int x = 0; x < 5; ++x) g->LevelData[x][0] = 2;
    g->PuzzleTileData[0][0] = MARK_STAR;
    g->MoveTiles();
    EXPECT_EQ(g->CreateText, "");
    EXPECT_EQ(g->AddScore, 0);
    for (int x = 0; x < 5; ++x) EXPECT_LT(g->PuzzleTileData[x][0], MARK_PENDING_STAR);
}

TEST(BonusRising, ATileRisesTenPixelsAFrameLeavingSparkles) {
    auto g = EmptyBoard();
    SetRow(*g, {4});
    g->Fire(5);
    EXPECT_EQ(g->LevelData[5][8], 4);
    g->MoveTiles();
    EXPECT_TRUE(g->TilesMoving);
    EXPECT_EQ(g->TileOffsetY[5][8], -10);
    EXPECT_EQ(g->Stars.Stars.size(), 1u);
    for (int i = 0; i < 3; ++i) g->MoveTiles();
    EXPECT_EQ(g->LevelData[5][7], 4) << "four frames per cell";
    EXPECT_EQ(g->LevelData[5][8], CELL_EMPTY);
    EXPECT_EQ(g->TileOffsetY[5][7], 0);
    Settle(*g);
    EXPECT_EQ(g->LevelData[5][0], 4);
    EXPECT_FALSE(g->GameOver);
}

TEST(BonusRising, AStoneHoldsTheTilesBelowAndCarriedMarkersTravel) {
    auto g = EmptyBoard();
    g->LevelData[2][3] = CELL_STONE;
    g->LevelData[2][6] = 1;
    g->PuzzleTileData[2][6] = MARK_YINYANG;
    g->LevelData[3][5] = 2;
    g->PuzzleTileData[3][2] = MARK_YINYANG;  // floating in the air of the next column
    Settle(*g);
    EXPECT_EQ(g->LevelData[2][4], 1);
    EXPECT_EQ(g->PuzzleTileData[2][4], MARK_YINYANG);
    EXPECT_EQ(g->LevelData[2][3], CELL_STONE);
    // The tile rising through the floating symbol picks it up instead of wiping it out.
    EXPECT_EQ(g->LevelData[3][0], 2);
    EXPECT_EQ(g->PuzzleTileData[3][0], MARK_YINYANG);
    EXPECT_EQ(g->PuzzleTileData[3][2], MARK_NONE);
}

TEST(BonusRising, ATileWithASymbolRisingThroughAnotherLosesNeither) {
    auto g = EmptyBoard();
    g->LevelData[4][7] = 2;
    g->PuzzleTileData[4][7] = MARK_YINYANG;
    g->PuzzleTileData[4][3] = MARK_YINYANG;  // floating above
    g->LevelData[4][8] = 3;                  // a plain tile behind it
    Settle(*g);
    int symbols = 0;
    for (auto& column : g->PuzzleTileData)
        for (int m : column)
            if (m == MARK_YINYANG) ++symbols;
    EXPECT_EQ(symbols, 2) << "each symbol still wins its puzzle tile back";
    EXPECT_EQ(g->LevelData[4][0], 2);
    EXPECT_EQ(g->PuzzleTileData[4][0], MARK_YINYANG);
    EXPECT_EQ(g->LevelData[4][1], 3);
    EXPECT_EQ(g->PuzzleTileData[4][1], MARK_YINYANG) << "the tile behind picks up the symbol left floating";
}

TEST(BonusFullBoard, AFullColumnKeepsTheShotInTheLaunchRowAndLosesTheBonus) {
    auto g = EmptyBoard();
    g->LevelData[3][0] = CELL_STONE;
    const int column[] = {0, 1, 2, 0, 1, 2, 0};
    for (int y = 1; y <= 7; ++y) g->LevelData[3][y] = column[y - 1];
    g->MoveTiles();
    EXPECT_FALSE(g->GameOver);
    SetRow(*g, {3});
    g->Fire(3);
    g->MoveTiles();
    EXPECT_EQ(g->LevelData[3][8], 3);
    EXPECT_TRUE(g->GameOver);  // the combo check of the shot was this update's only work
    g->GameOver = false;
    Settle(*g);
    EXPECT_EQ(g->LevelData[3][8], 3);
    EXPECT_FALSE(g->GameOver) << "reported once";
}

TEST(BonusFullBoard, TheVerdictWaitsUntilTheBoardIsStill) {
    auto g = EmptyBoard();
    for (int y = 0; y <= 7; ++y) g->LevelData[5][y] = (y % 2) ? 4 : 5;
    g->LevelData[0][0] = g->LevelData[1][0] = 1;
    SetRow(*g, {1, 3, 4, 2});
    g->Fire(2);  // the 1 rises in column 2 and makes a line; the 2 sits under full column 5
    int updates = 0;
    while (!g->GameOver && updates < 200) {
        g->MoveTiles();
        ++updates;
    }
    EXPECT_TRUE(g->GameOver);
    EXPECT_GT(updates, 8 * 4 + 13) << "not before the tiles have risen and the line has burst";
    EXPECT_EQ(g->LevelData[2][0], CELL_EMPTY);
}

TEST(BonusCombo, LineShotsInARowScoreAndABlankShotResets) {
    auto g = EmptyBoard();
    g->LevelData[0][0] = g->LevelData[1][0] = 1;
    g->LevelData[5][0] = g->LevelData[6][0] = 2;
    g->LevelData[0][1] = g->LevelData[1][1] = 4;
    SetRow(*g, {1});
    g->Fire(2);
    Settle(*g);
    EXPECT_EQ(g->StrategyComboCounter, 1);
    EXPECT_EQ(g->CreateText, "");
    int score = g->AddScore;

    SetRow(*g, {2});
    g->Fire(7);
    Settle(*g);
    EXPECT_EQ(g->StrategyComboCounter, 2);
    EXPECT_EQ(g->CreateText, "2 x Combo");
    EXPECT_EQ(g->AddScore - score, 500 + 3 * 50);

    g->CreateText.clear();
    SetRow(*g, {3});
    g->Fire(4);
    Settle(*g);
    EXPECT_EQ(g->StrategyComboCounter, 0);
    EXPECT_EQ(g->CreateText, "");

    SetRow(*g, {4});
    g->Fire(2);  // beside the pair of 4s that rose into the top row
    Settle(*g);
    EXPECT_EQ(g->StrategyComboCounter, 1) << "a new series starts without a caption";
    EXPECT_EQ(g->CreateText, "");
}

namespace {
std::vector<int> g_sounds;
void RecordSound(int effect) { g_sounds.push_back(effect); }
}  // namespace

TEST(BonusCombo, TheComboSoundPlaysFromTheSecondLineShot) {
    g_sounds.clear();
    SetBonusSoundListener(RecordSound);
    auto g = EmptyBoard();
    g->LevelData[0][0] = g->LevelData[1][0] = 1;
    g->LevelData[5][0] = g->LevelData[6][0] = 1;
    SetRow(*g, {1});
    g->Fire(2);
    Settle(*g);
    int combos = int(std::count(g_sounds.begin(), g_sounds.end(), int(BONUS_SOUND_COMBO)));
    EXPECT_EQ(combos, 0);
    SetRow(*g, {1});
    g->Fire(7);
    Settle(*g);
    combos = int(std::count(g_sounds.begin(), g_sounds.end(), int(BONUS_SOUND_COMBO)));
    EXPECT_EQ(combos, 1);
    EXPECT_EQ(std::count(g_sounds.begin(), g_sounds.end(), int(BONUS_SOUND_EXPLODE)), 6);
    EXPECT_EQ(std::count(g_sounds.begin(), g_sounds.end(), int(BONUS_SOUND_SHOT)), 2);
    SetBonusSoundListener(nullptr);
}

TEST(BonusRow, NewRowsHoldSymbolsOfTheBoardAndRespectTheSize) {
    EnsureLanguage();
    SeedRnd(1234);
    auto g = EmptyBoard();
    g->LevelData[0][0] = 2;
    g->LevelData[1][0] = 4;
    g->LevelData[2][0] = CELL_STONE;
    std::set<int> lengths;
    for (int i = 0; i < 300; ++i) {
        g->MaxElementSize = i % 4;
        g->SetNextTile();
        int c = g->RowLength();
        lengths.insert(c);
        EXPECT_LE(c, g->MaxElementSize + 1);
        for (int s = 0; s < 4; ++s) {
            int v = g->CurrentElement[size_t(s)];
            if (s < c)
                EXPECT_TRUE(v == 2 || v == 4) << v;
            else
                EXPECT_EQ(v, CELL_EMPTY);
        }
    }
    EXPECT_EQ(lengths, (std::set<int>{1, 2, 3, 4}));
}

TEST(BonusRow, SpecialTilesComeOnlyWhenAllowedAndABoardOfStonesDoesNotHang) {
    SeedRnd(99);
    auto g = EmptyBoard();
    for (int x = 0; x < 8; ++x) g->LevelData[x][0] = CELL_STONE;
    std::set<int> seen;
    for (int i = 0; i < 400; ++i) {
        g->SetNextTile();
        for (int v : g->CurrentElement)
            if (v >= 0) seen.insert(v);
    }
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3, 4, 5}));
    g->AllowJokers = g->AllowBombs = true;
    for (int i = 0; i < 2000; ++i) {
        g->SetNextTile();
        for (int v : g->CurrentElement)
            if (v >= 0) seen.insert(v);
    }
    EXPECT_TRUE(seen.count(CELL_JOKER));
    EXPECT_TRUE(seen.count(CELL_BOMB));
    g->MaxElementSize = -3;  // from a damaged level file
    g->SetNextTile();
    EXPECT_EQ(g->RowLength(), 1);
    g->MaxElementSize = 12;
    g->SetNextTile();
    EXPECT_LE(g->RowLength(), 4);
}
