// Bonus levels played whole through "velmora --play": the board comes first, the puzzle after.
#include <gtest/gtest.h>

#include <sstream>

#include "bonus/bonusgame.hpp"
#include "play_run.hpp"
#include "solve_script.hpp"

namespace {

using namespace playrun;

void ClearSet() {
    for (auto& l : LevelShapes) l.clear();
    for (auto& p : LevelProps) p = TLevelProperties();
}

void ClearBoard(TLevelProperties& p) {
    for (int x = 0; x < BONUS_COLUMNS; ++x)
        for (int y = 0; y < BONUS_ROWS; ++y) {
            p.BonusLevelData[x][y] = CELL_EMPTY;
            p.PuzzleTileData[x][y] = MARK_NONE;
        }
}

// Two triangles to win on a board of nothing but symbol 2, so every row the board hands out is
// a single 2. Columns 0 and 1 each hold two 2s at the top, one of them carrying the floating
// Yin-Yang symbol: a 2 fired into either column completes it, and no other line can form.
void MakeWinnableBonusSet(const std::string& path) {
    ClearSet();
    LevelShapes[0] = {Piece(2, 300, 200, 45), Piece(1, 150, 350, 270)};
    TLevelProperties& p = LevelProps[0];
    p.GameTime = 60;
    p.MiscProperties = MISC_PLAY_FOR_TILES;
    ClearBoard(p);
    for (int x : {0, 1}) {
        p.BonusLevelData[x][0] = p.BonusLevelData[x][1] = 2;
        p.PuzzleTileData[x][1] = MARK_YINYANG;
    }
    p.BonusLevelDifficulty = 0;
    p.BonusTime = 0;
    ASSERT_TRUE(WriteLevelSet(path));
}

// One square to win on a board walled up with stones down to row 7: whatever is fired stays in
// the launch row. The single 2 on top carries the symbol and keeps the rows to plain 2s.
void MakeHopelessBonusSet(const std::string& path) {
    ClearSet();
    LevelShapes[0] = {Piece(3, 200, 250, 0)};
    TLevelProperties& p = LevelProps[0];
    p.GameTime = 0;
    p.MiscProperties = MISC_PLAY_FOR_TILES;
    ClearBoard(p);
    for (int x = 0; x < BONUS_COLUMNS; ++x)
        for (int y = 0; y < BONUS_LAUNCH_ROW; ++y) p.BonusLevelData[x][y] = CELL_STONE;
    p.BonusLevelData[0][0] = 2;
    p.PuzzleTileData[0][0] = MARK_YINYANG;
    p.BonusTime = 4;  // an idle row fires after 3 seconds
    ASSERT_TRUE(WriteLevelSet(path));
}

// "Okay" under "Find the tiles", then the help of a player's first board in this run: ">>" four
// times and "Okay" on the last page, the board starting with "Get ready!" right after.
const char* const kThroughTheHelp =
    "0 move 363 365\n40 click left\n"
    "45 move 495 355\n60 click left\n75 click left\n90 click left\n105 click left\n"
    "110 move 305 355\n125 click left\n";

}  // namespace

// A player's first bonus level: "Find the tiles", the five help pages paged with ">>" and closed
// with "Okay", two shots that each clear a column with a symbol, the board sliding away with
// "Puzzletiles found", and the puzzle solved with the two tiles the board handed over.
TEST(BonusGamePlay, AWonBoardHandsOverTheTilesAndThePuzzleIsSolved) {
    auto dir = FreshDir("bonus_win");
    MakeWinnableBonusSet((dir / "set.lvl").string());
    ReadLevelSet((dir / "set.lvl").string());
    WritePlayer(dir, 5000);
    std::ostringstream script;
    script << kThroughTheHelp;
    // Playing from about frame 218. The row is a single 2 below the pointer: column 0, then 1.
    script << "130 move 150 200\n230 click left\n300 move 205 200\n330 click left\n";
    SolveScript solve = MakeSolveScript(0, 600);
    script << solve.text;
    // The scroll of the finished level, then the end of the set.
    const int64_t scrollClick = solve.endFrame + 340;
    script << scrollClick << " click left\n" << scrollClick + 150 << " click left\n";
    const int64_t end = scrollClick + 400;
    GameRun r = PlayScripted(dir, script.str(), int(end));
    ASSERT_EQ(r.exitCode, 0) << r.log;

    const int64_t ready = FrameOf(r.log, "Caption \"Get ready!\"");
    EXPECT_GT(ready, 125) << "the board waits for the help to close\n" << r.log;
    EXPECT_LT(ready, 135) << r.log;
    const int64_t combo = FrameOf(r.log, "Caption \"2 x Combo\"");
    const int64_t found = FrameOf(r.log, "Caption \"Puzzletiles found\"");
    ASSERT_GT(combo, 330) << r.log;
    ASSERT_GT(found, combo) << r.log;
    EXPECT_LT(found, 600) << "the board is gone before the solving starts";
    EXPECT_EQ(Count(r.log, "Caption \"No more space left\""), 0);

    std::vector<Completion> completes = Completions(r.log);
    ASSERT_EQ(completes.size(), 1u) << r.log;
    EXPECT_EQ(completes[0].frame, solve.endFrame);
    // 3 + 3 cells at 50 and the combo of the second shot, all paid before the puzzle.
    EXPECT_EQ(completes[0].before, 5000 + 6 * 50 + 500);
    // The level's own clock started when the board had gone.
    EXPECT_EQ(completes[0].secondsLeft, 60 - (VirtualMs(completes[0].frame) - VirtualMs(found)) / 1000);
    EXPECT_EQ(Count(r.log, "Game ended, set completed"), 1) << r.log;

    UserRef player = SavedPlayer(dir);
    ASSERT_TRUE(player);
    EXPECT_EQ(player->Score, completes[0].after);
    fs::remove_all(dir);
}

// A board that can only fill up: the idle row fires by itself, the bonus is lost with "No more
// space left", and the retry question follows. "Yeah" sets the level and its board up again;
// "No" ends the game with the score from before the level.
TEST(BonusGamePlay, AFullBoardAsksForARetry) {
    auto dir = FreshDir("bonus_full");
    MakeHopelessBonusSet((dir / "set.lvl").string());
    WritePlayer(dir, 5000);
    std::ostringstream script;
    script << kThroughTheHelp;
    // The row hangs over column 3 and fires itself at about frame 398; the question is fully
    // shown 20 frames after it comes at about 488.
    script << "130 move 300 300\n540 move 240 330\n545 click left\n";    // "Yeah"
    script << "560 move 363 365\n620 click left\n";                      // "Find the tiles" again
    script << "700 move 300 300\n1000 move 480 330\n1040 click left\n";  // "No"
    GameRun r = PlayScripted(dir, script.str(), 1300);
    ASSERT_EQ(r.exitCode, 0) << r.log;

    EXPECT_EQ(Count(r.log, "Level 1 of set.lvl set up"), 2) << r.log;
    EXPECT_EQ(Count(r.log, "Caption \"No more space left\""), 2) << r.log;
    EXPECT_EQ(Count(r.log, "Game state 10 "), 2) << "the retry question twice";
    // The idle row fired after 3 s of play, and the full board ended the bonus at once.
    const int64_t play = FrameOf(r.log, "Game state 1");
    const int64_t full = FrameOf(r.log, "Caption \"No more space left\"");
    ASSERT_GT(play, 0);
    EXPECT_EQ(full - play, 180) << r.log;
    // The help came with the first board of the run only: the second starts right after
    // "Find the tiles" is closed at frame 620.
    const size_t second = r.log.find("Level 1 of set.lvl set up", r.log.find("Game state 10 "));
    ASSERT_NE(second, std::string::npos);
    const int64_t ready2 = FrameOf(r.log.substr(second), "Caption \"Get ready!\"");
    EXPECT_GT(ready2, 620);
    EXPECT_LT(ready2, 630) << r.log;

    EXPECT_EQ(Count(r.log, "Destroyed: Game Over"), 1) << r.log;
    EXPECT_EQ(Count(r.log, "Game ended, set not completed"), 1) << r.log;
    UserRef player = SavedPlayer(dir);
    ASSERT_TRUE(player);
    EXPECT_EQ(player->Score, 5000);
    fs::remove_all(dir);
}
