// Whole games through the program's own input path: a scripted run of "velmora --play".
#include <gtest/gtest.h>

#include <sstream>

#include "play_run.hpp"
#include "solve_script.hpp"

namespace {

using namespace playrun;

// Two small puzzles: a square against a 60-second clock, then two triangles without a limit,
// one turned by 45 and one by 270 degrees.
void MakeTwoLevelSet(const std::string& path) {
    for (auto& l : LevelShapes) l.clear();
    for (auto& p : LevelProps) p = TLevelProperties();
    LevelShapes[0] = {Piece(3, 200, 250, 0)};
    LevelProps[0].GameTime = 60;
    LevelShapes[1] = {Piece(2, 300, 200, 45), Piece(1, 150, 350, 270)};
    LevelProps[1].GameTime = 0;
    ASSERT_TRUE(WriteLevelSet(path));
}

// One square against a 3-second clock.
void MakeShortClockSet(const std::string& path) {
    for (auto& l : LevelShapes) l.clear();
    for (auto& p : LevelProps) p = TLevelProperties();
    LevelShapes[0] = {Piece(3, 200, 250, 0)};
    LevelProps[0].GameTime = 3;
    ASSERT_TRUE(WriteLevelSet(path));
}

}  // namespace

// Two levels solved by clicking, carrying, turning and dropping the tiles; the map and the
// wisdom screen are clicked away in between, as a new player sees them.
TEST(GamePlay, TwoLevelsSolvedThroughTheInputPathScoreAsTheRulesSay) {
    auto dir = FreshDir("two_levels");
    MakeTwoLevelSet((dir / "set.lvl").string());
    ReadLevelSet((dir / "set.lvl").string());
    std::ostringstream script;
    // Map ("Play"), tutorial ("Play" at the same place), wisdom, first level.
    script << "0 move 570 420\n30 click left\n90 click left\n150 click left\n";
    SolveScript first = MakeSolveScript(0, 320);
    script << first.text;
    // Scroll closed by a click once its list shows, then the map and wisdom of level 2.
    script << "680 click left\n685 move 570 420\n800 click left\n860 click left\n";
    SolveScript second = MakeSolveScript(1, 1020);
    script << second.text;
    script << second.endFrame + 20 << " shot solved2.png\n";
    const int64_t scrollClick = second.endFrame + 340;
    script << scrollClick << " click left\n" << scrollClick + 150 << " click left\n";
    GameRun r = PlayScripted(dir, script.str(), int(scrollClick + 400));
    ASSERT_EQ(r.exitCode, 0) << r.log;

    const int64_t play1 = FrameOf(r.log, "Game state 1");
    std::vector<Completion> completes = Completions(r.log);
    ASSERT_EQ(completes.size(), 2u) << r.log;
    // Level 1: the clock ran from the first playing frame to the drop.
    const int64_t drop1 = completes[0].frame;
    EXPECT_EQ(drop1, first.endFrame) << "a click is seen by the frame drawn right after its flip";
    const int32_t left1 = 60 - (VirtualMs(drop1) - VirtualMs(play1)) / 1000;
    EXPECT_EQ(completes[0].secondsLeft, left1);
    const int32_t after1 = left1 * 125 + 1000;
    EXPECT_EQ(completes[0].after, after1);
    // Level 2 has no clock: only the lamp pays.
    EXPECT_EQ(completes[1].level, 2);
    EXPECT_EQ(completes[1].before, after1);
    const int32_t after2 = after1 + 1000;
    EXPECT_EQ(completes[1].after, after2);

    EXPECT_EQ(Count(r.log, "Game ended, set completed"), 1) << r.log;
    UserRef player = SavedPlayer(dir);
    ASSERT_TRUE(player);
    EXPECT_EQ(player->Score, after2);
    const TMaxLevel* rec = player->LatestMaxLevel("set.lvl");
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->Level, 50) << "a finished set is recorded past its last level";
    fs::remove_all(dir);
}

// Out of time twice: "Yeah" sets the level up again, "No" ends the game; the score is what it
// was before the level.
TEST(GamePlay, WaitingOutTheClockAsksForARetryThenEndsTheGame) {
    auto dir = FreshDir("time_out");
    MakeShortClockSet((dir / "set.lvl").string());
    WritePlayer(dir, 5000);
    // 3 seconds: playing from about frame 111, out of time at about 291, the question from
    // about 382 and fully shown 20 frames later.
    std::ostringstream script;
    script << "0 move 240 330\n420 click left\n";  // "Yeah"
    script << "700 move 480 330\n"                 // ready for "No"
           << "840 click left\n";
    GameRun r = PlayScripted(dir, script.str(), 1200);
    ASSERT_EQ(r.exitCode, 0) << r.log;
    EXPECT_EQ(Count(r.log, "Destroyed: Out of time"), 2) << r.log;
    EXPECT_EQ(Count(r.log, "Game state 10 "), 2) << "the retry question twice";
    EXPECT_EQ(Count(r.log, "Level 1 of set.lvl set up"), 2) << "Yeah sets the level up again";
    EXPECT_GT(FrameOf(r.log, "Game state 4"), 0) << "No: game over";
    EXPECT_EQ(Count(r.log, "Destroyed: Game Over"), 1);
    EXPECT_EQ(Count(r.log, "Game ended, set not completed"), 1) << r.log;
    UserRef player = SavedPlayer(dir);
    ASSERT_TRUE(player);
    EXPECT_EQ(player->Score, 5000);
    fs::remove_all(dir);
}

// Escape opens the preferences; "Back to main menu" and "Sure" end the game with "Game Over".
TEST(GamePlay, EscapeBackToMainMenuSureEndsTheGame) {
    auto dir = FreshDir("escape");
    MakeShortClockSet((dir / "set.lvl").string());
    WritePlayer(dir, 1234);
    std::ostringstream script;
    script << "0 move 328 295\n150 key escape\n175 click left\n"  // "Back to main menu"
           << "180 move 210 280\n195 click left\n";               // "Sure"
    GameRun r = PlayScripted(dir, script.str(), 600);
    ASSERT_EQ(r.exitCode, 0) << r.log;
    const int64_t menu = FrameOf(r.log, "Game state 15");
    EXPECT_EQ(menu, 150);
    EXPECT_GT(FrameOf(r.log, "Game state 16"), 195);
    EXPECT_EQ(Count(r.log, "Destroyed: Game Over"), 1) << r.log;
    EXPECT_GT(FrameOf(r.log, "Game state 11"), 0);
    EXPECT_EQ(Count(r.log, "Game ended, set not completed"), 1) << r.log;
    UserRef player = SavedPlayer(dir);
    ASSERT_TRUE(player);
    EXPECT_EQ(player->Score, 1234);
    fs::remove_all(dir);
}
