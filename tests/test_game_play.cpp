// Whole games through the program's own input path: a scripted run of "velmora --play".
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/users.hpp"
#include "platform/stream.hpp"
#include "puzzle/levelset.hpp"
#include "solve_script.hpp"

namespace {

namespace fs = std::filesystem;

ShapeRef Piece(int element, float x, float y, float rotation) {
    auto s = std::make_shared<Shape>();
    s->Element = element;
    s->X = x;
    s->Y = y;
    s->Rotation = rotation;
    s->R = s->G = s->B = 255;
    s->Pickable = false;
    return s;
}

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

struct GameRun {
    fs::path dir;
    int exitCode = -1;
    std::string log;
};

GameRun PlayScripted(const fs::path& dir, const std::string& script, int maxFrames) {
    GameRun r;
    r.dir = dir;
    {
        StreamRef s = WriteStream((dir / "script.txt").string());
        s->WriteString(script);
    }
    std::string cmd = "cd '" + dir.string() +
                      "' && username=Tester SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null '" +
                      std::string(VELMORA_BINARY) + "' --virtual-clock --seed 5 --play set.lvl --script script.txt" +
                      " --max-frames " + std::to_string(maxFrames) + " > run.log 2>&1";
    r.exitCode = std::system(cmd.c_str());
    std::ifstream in(dir / "run.log");
    r.log.assign(std::istreambuf_iterator<char>(in), {});
    return r;
}

// Frame in which the log line "<what> (frame N)" was written first, or -1.
int64_t FrameOf(const std::string& log, const std::string& what) {
    const std::string key = what + " (frame ";
    size_t pos = log.find(key);
    if (pos == std::string::npos) return -1;
    return std::atoll(log.c_str() + pos + key.size());
}

// The "Level N complete with S seconds left: score A -> B (frame F)" lines of the log.
struct Completion {
    int level = 0, secondsLeft = 0, before = 0, after = 0;
    long long frame = 0;
};
std::vector<Completion> Completions(const std::string& log) {
    std::vector<Completion> out;
    std::istringstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        Completion c;
        if (std::sscanf(line.c_str(), "Level %d complete with %d seconds left: score %d -> %d (frame %lld)", &c.level,
                        &c.secondsLeft, &c.before, &c.after, &c.frame) == 5)
            out.push_back(c);
    }
    return out;
}

UserRef SavedPlayer(const fs::path& dir) {
    TUsers users;
    users.FilePath = (dir / "data" / "users.cfg").string();
    if (!users.Load() || users.UserList.empty()) return nullptr;
    return users.UserList[0];
}

// A returning player: score 5000, without map and wisdoms so the level starts at once.
void WritePlayer(const fs::path& dir, int32_t score) {
    fs::create_directories(dir / "data");
    TUsers users;
    users.FilePath = (dir / "data" / "users.cfg").string();
    ASSERT_TRUE(users.AddUser("Tester", 100, 80, score, 0, 0, 0, true, false, false, true, "", 0, false));
    ASSERT_TRUE(users.Save());
}

int32_t VirtualMs(int64_t frame) { return int32_t(frame * 1000 / 60); }

int Count(const std::string& log, const std::string& what) {
    int n = 0;
    for (size_t pos = log.find(what); pos != std::string::npos; pos = log.find(what, pos + 1)) ++n;
    return n;
}

fs::path FreshDir(const std::string& name) {
    auto dir = fs::temp_directory_path() / ("velmora_game_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

}  // namespace


// Two levels solved by clicking, carrying, turning and dropping the tiles; the map and the
// wisdom screen are clicked away in between, as a new player sees them.
TEST(GamePlay, TwoLevelsSolvedThroughTheInputPathScoreAsTheRulesSay) {
    auto dir = FreshDir("two_levels");
    MakeTwoLevelSet((dir / "set.lvl").string());
    ReadLevelSet((dir / "set.lvl").string());
    std::ostringstream script;
    // Map ("Play"), wisdom, first level.
    script << "0 move 570 420\n30 click left\n90 click left\n";
    SolveScript first = MakeSolveScript(0, 260);
    script << first.text;
    // Scroll closed by a click once its list shows, then the map and wisdom of level 2.
    script << "620 click left\n625 move 570 420\n740 click left\n800 click left\n";
    SolveScript second = MakeSolveScript(1, 960);
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
    script << "0 move 240 330\n420 click left\n";   // "Yeah"
    script << "700 move 480 330\n"                  // ready for "No"
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
    script << "0 move 328 295\n150 key escape\n175 click left\n"   // "Back to main menu"
           << "180 move 210 280\n195 click left\n";                  // "Sure"
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
