// Setting up a bonus board from a level: options, timer, and one Yin-Yang per held-back tile.
#include <gtest/gtest.h>

#include "bonus/bonussetup.hpp"
#include "platform/random.hpp"
#include "test_bonus_board.hpp"

namespace {
TLevelProperties EmptyLevel() {
    TLevelProperties p;
    p.ClearBonusBoard();
    p.MiscProperties = MISC_PLAY_FOR_TILES;
    return p;
}

int Markers(const BonusGame& g) {
    int n = 0;
    for (auto& column : g.PuzzleTileData)
        for (int m : column)
            if (m == MARK_YINYANG) ++n;
    return n;
}
}  // namespace

TEST(BonusSetup, CopiesTheBoardAndTheOptions) {
    EnsureLanguage();
    auto level = EmptyLevel();
    level.BonusLevelData[2][5] = 3;
    level.BonusLevelData[4][8] = CELL_STONE;
    level.PuzzleTileData[2][5] = MARK_YINYANG;
    level.MiscProperties |= MISC_BOMBS;
    level.BonusLevelDifficulty = 0;
    const int times[] = {20000, 15000, 10000, 6000, 3000};
    for (int t = 0; t < 5; ++t) {
        level.BonusTime = t;
        BonusGame g;
        g.GameOver = true;
        SetUpBonusBoard(g, level, 1);
        EXPECT_EQ(g.GameTime, times[t]);
        EXPECT_FALSE(g.GameOver);
        EXPECT_TRUE(g.AllowBombs);
        EXPECT_FALSE(g.AllowJokers);
        EXPECT_EQ(g.LevelData[2][5], 3);
        EXPECT_EQ(g.LevelData[4][8], CELL_STONE);
        EXPECT_EQ(Markers(g), 1) << "the level's own symbol counts";
        EXPECT_EQ(g.MaxElementSize, 0);
        EXPECT_EQ(g.RowLength(), 1) << "the first row obeys the difficulty";
        EXPECT_EQ(g.AddLevelObject, 0);
    }
    level.MiscProperties = MISC_PLAY_FOR_TILES | MISC_JOKER;
    BonusGame g;
    SetUpBonusBoard(g, level, 0);
    EXPECT_FALSE(g.AllowBombs);
    EXPECT_TRUE(g.AllowJokers);
}

TEST(BonusSetup, DamagedLevelValuesAreNotTakenOver) {
    EnsureLanguage();
    auto level = EmptyLevel();
    level.BonusLevelData[0][0] = 77;
    level.BonusLevelData[1][0] = -5;
    level.BonusLevelData[2][0] = 4;
    level.PuzzleTileData[2][0] = 40;
    BonusGame g;
    SetUpBonusBoard(g, level, 0);
    EXPECT_EQ(g.LevelData[0][0], CELL_EMPTY);
    EXPECT_EQ(g.LevelData[1][0], CELL_EMPTY);
    EXPECT_EQ(g.LevelData[2][0], 4);
    EXPECT_EQ(g.PuzzleTileData[2][0], MARK_NONE);
}

TEST(BonusSetup, EverySetUpPlacesExactlyOneSymbolPerHeldBackTile) {
    EnsureLanguage();
    for (int seed = 1; seed <= 40; ++seed) {
        SeedRnd(seed);
        auto level = EmptyLevel();
        // A roomy board with some stones and one symbol of the level's own.
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 4; ++y) level.BonusLevelData[x][y] = (x + y) % 6;
        level.BonusLevelData[3][2] = level.BonusLevelData[5][1] = CELL_STONE;
        level.PuzzleTileData[0][0] = MARK_YINYANG;
        int tiles = 1 + seed % 7;
        BonusGame g;
        SetUpBonusBoard(g, level, tiles);
        EXPECT_EQ(Markers(g), tiles) << "seed " << seed;
        EXPECT_EQ(g.PuzzleTileData[3][2], MARK_NONE) << "never on a stone";
        EXPECT_EQ(g.PuzzleTileData[5][1], MARK_NONE);
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 9; ++y)
                if (g.PuzzleTileData[x][y] == MARK_YINYANG) {
                    EXPECT_GE(g.LevelData[x][y], 0);
                }
    }
}

TEST(BonusSetup, ACrowdedBoardStillGetsTheFullCount) {
    EnsureLanguage();
    for (int seed = 1; seed <= 10; ++seed) {
        SeedRnd(seed);
        auto level = EmptyLevel();
        // Two free tiles, one tile that already carries a symbol, a few stones.
        level.BonusLevelData[0][0] = 1;
        level.BonusLevelData[1][0] = 2;
        level.BonusLevelData[2][0] = 3;
        level.PuzzleTileData[2][0] = MARK_YINYANG;
        for (int x = 3; x < 8; ++x) level.BonusLevelData[x][0] = CELL_STONE;
        BonusGame g;
        SetUpBonusBoard(g, level, 7);
        EXPECT_EQ(Markers(g), 7) << "seed " << seed;
        EXPECT_EQ(g.PuzzleTileData[0][0], MARK_YINYANG);
        EXPECT_EQ(g.PuzzleTileData[1][0], MARK_YINYANG);
        EXPECT_EQ(g.LevelData[2][0], 3) << "a symbol the level placed is left alone";
        for (int x = 3; x < 8; ++x) EXPECT_EQ(g.LevelData[x][0], CELL_STONE);
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(g.PuzzleTileData[x][8], MARK_NONE) << "the launch row is the last resort";
            for (int y = 0; y < 9; ++y)
                if (g.PuzzleTileData[x][y] == MARK_YINYANG && y > 0) {
                    EXPECT_GE(g.LevelData[x][y], 1);
                    EXPECT_LE(g.LevelData[x][y], 4);
                }
        }
    }
}

TEST(BonusSetup, PlacementEndsWhenNoCellIsLeft) {
    BonusGame::Grid data, markers;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 9; ++y) {
            data[x][y] = CELL_EMPTY;
            markers[x][y] = MARK_NONE;
        }
    data[0][0] = CELL_STONE;
    EXPECT_EQ(PlaceYinYangSymbols(data, markers, 500), 71) << "every cell but the stone";
    EXPECT_EQ(markers[0][0], MARK_NONE);
    // More symbols already on the board than tiles: nothing is added or taken away.
    EXPECT_EQ(PlaceYinYangSymbols(data, markers, 3), 71);
}

TEST(BonusSetup, ABoardWithoutRoomForEverySymbolIsReported) {
    TLevelProperties level = EmptyLevel();
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 9; ++y) level.BonusLevelData[x][y] = CELL_STONE;
    level.BonusLevelData[2][4] = 1;
    level.BonusLevelData[5][8] = CELL_EMPTY;
    BonusGame roomy;
    EXPECT_TRUE(SetUpBonusBoard(roomy, level, 2)) << "a tile cell and an empty cell take the two symbols";
    EXPECT_EQ(Markers(roomy), 2);
    BonusGame cramped;
    EXPECT_FALSE(SetUpBonusBoard(cramped, level, 3)) << "three symbols cannot be placed";
}
