// Whole scripted games in which a level must not be solved for free: a drop in the wrong place
// while the hint lamp glows, damaged level and profile values, and a set without pieces.
#include <gtest/gtest.h>

#include <sstream>

#include "game/progressmap.hpp"
#include "play_run.hpp"

namespace {

using namespace playrun;

void ClearSet() {
    for (auto& l : LevelShapes) l.clear();
    for (auto& p : LevelProps) p = TLevelProperties();
}

// A returning player without map and wisdoms, with the given tile set.
void WritePlayerWithTileSet(const fs::path& dir, int32_t tileSet) {
    fs::create_directories(dir / "data");
    TUsers users;
    users.FilePath = (dir / "data" / "users.cfg").string();
    ASSERT_TRUE(users.AddUser("Tester", 100, 80, 0, 0, 0, tileSet, true, false, false, false, "", 0, false));
    ASSERT_TRUE(users.Save());
}

// Script lines that pick up the tile at (fromX, fromY) and drop it at (toX, toY), from frame f.
std::string Carry(int64_t f, int fromX, int fromY, int toX, int toY) {
    std::ostringstream s;
    s << f << " move " << fromX << " " << fromY << "\n"
      << f + 2 << " click left\n"
      << f + 4 << " move " << toX << " " << toY << "\n"
      << f + 8 << " click left\n";
    return s.str();
}

}  // namespace

TEST(GamePlayGuards, AWrongDropDuringTheLampGlowDoesNotSolveTheRightOneDoes) {
    auto dir = FreshDir("glow");
    ClearSet();
    LevelShapes[0] = {Piece(2, 300, 150, 0), Piece(3, 200, 250, 0)};
    ASSERT_TRUE(WriteLevelSet((dir / "set.lvl").string()));
    WritePlayer(dir, 0);
    std::ostringstream script;
    script << Carry(200, 550, 270, 300, 150);        // the triangle onto its place
    script << "220 move 113 104\n222 click left\n";  // the lamp: the silhouette glows grey
    script << Carry(250, 550, 410, 100, 420);        // the square far from its place
    script << "262 shot glow_wrong_drop.png\n";
    script << Carry(420, 100, 420, 200, 250);  // and then onto it
    script << "440 shot glow_solved.png\n";
    GameRun r = PlayScripted(dir, script.str(), 520);
    ASSERT_EQ(r.exitCode, 0) << r.log;
    std::vector<Completion> done = Completions(r.log);
    ASSERT_EQ(done.size(), 1u) << r.log;
    EXPECT_EQ(done[0].frame, 428) << "solved by the right drop only";
    fs::remove_all(dir);
}

// A picture variant other than 0 and 1 in the level, or a tile set other than 0 and 1 in the
// profile: the silhouette is drawn, and the level completes only once it is covered.
TEST(GamePlayGuards, OutOfRangeVariantOrTileSetStillGivesAPlayableLevel) {
    for (auto [variant, tileSet] : {std::pair{2, 0}, std::pair{0, 5}}) {
        auto dir = FreshDir("variant_" + std::to_string(variant) + "_" + std::to_string(tileSet));
        ClearSet();
        LevelShapes[0] = {Piece(4, 200, 250, 0)};
        LevelProps[0].PuzzleSet = variant;
        ASSERT_TRUE(WriteLevelSet((dir / "set.lvl").string()));
        WritePlayerWithTileSet(dir, tileSet);
        std::ostringstream script;
        script << "190 shot uncovered.png\n" << Carry(200, 550, 330, 205, 245) << "230 shot covered.png\n";
        GameRun r = PlayScripted(dir, script.str(), 300);
        ASSERT_EQ(r.exitCode, 0) << r.log;
        std::vector<Completion> done = Completions(r.log);
        ASSERT_EQ(done.size(), 1u) << r.log;
        EXPECT_EQ(done[0].frame, 208) << "variant " << variant << ", tile set " << tileSet;
        fs::remove_all(dir);
    }
}

TEST(GamePlayGuards, ASetWithoutPiecesEndsWithAMessageAndRecordsNothing) {
    auto dir = FreshDir("empty_set");
    ASSERT_TRUE(WriteEmptyLevelSet((dir / "set.lvl").string()));
    WritePlayer(dir, 777);
    GameRun r = PlayScripted(dir, "60 shot empty_set.png\n", 400);
    ASSERT_EQ(r.exitCode, 0) << r.log;
    EXPECT_TRUE(Completions(r.log).empty()) << r.log;
    EXPECT_EQ(Count(r.log, "Caption \"No puzzle to play\""), 1) << r.log;
    EXPECT_EQ(Count(r.log, "Game ended, set not completed"), 1) << r.log;
    UserRef player = SavedPlayer(dir);
    ASSERT_TRUE(player);
    EXPECT_EQ(player->LatestMaxLevel("set.lvl"), nullptr) << "no progress recorded";
    EXPECT_EQ(player->Score, 777);
    fs::remove_all(dir);
}

// The map between levels: an unlit station ignores clicks, a lit one is chosen, "Play" starts
// it; unticking "Show Map" keeps the map away before the next level; "Exit" ends the game.
TEST(GamePlayGuards, ProgressMapPicksLitStationsPlaysExitsAndCanBeSwitchedOff) {
    auto mapPlayer = [](const fs::path& dir) {
        fs::create_directories(dir / "data");
        TUsers users;
        users.FilePath = (dir / "data" / "users.cfg").string();
        ASSERT_TRUE(users.AddUser("Tester", 100, 80, 0, 0, 0, 0, true, true, false, true, "", 0, false));
        users.AddMaxDataTo("Tester", "set.lvl", 3);
        ASSERT_TRUE(users.Save());
    };
    auto makeSet = [](const fs::path& dir) {
        ClearSet();
        for (int l = 0; l < 10; ++l) LevelShapes[size_t(l)] = {Piece(3, 200, 250, 0)};
        ASSERT_TRUE(WriteLevelSet((dir / "set.lvl").string()));
    };
    const std::array<Point, 50>& path = ProgressPath();
    auto station = [&](int i) {
        return std::to_string(path[size_t(i)].x + 12) + " " + std::to_string(path[size_t(i)].y + 12);
    };

    // Station 9 is out of reach, station 2 is lit: "Play" starts level 2.
    auto dir = FreshDir("map_pick");
    makeSet(dir);
    mapPlayer(dir);
    std::ostringstream pick;
    pick << "30 move " << station(8) << "\n32 click left\n"
         << "40 move " << station(1) << "\n42 click left\n"
         << "50 shot map.png\n60 move 570 420\n62 click left\n";
    GameRun r = PlayScripted(dir, pick.str(), 200);
    ASSERT_EQ(r.exitCode, 0) << r.log;
    EXPECT_EQ(Count(r.log, "Level 2 of set.lvl set up"), 1) << r.log;
    EXPECT_EQ(Count(r.log, "Level 9 of set.lvl set up"), 0);
    fs::remove_all(dir);

    // "Exit": no level is played.
    dir = FreshDir("map_exit");
    makeSet(dir);
    mapPlayer(dir);
    r = PlayScripted(dir, "30 move 570 52\n32 click left\n", 200);
    ASSERT_EQ(r.exitCode, 0) << r.log;
    EXPECT_EQ(Count(r.log, "set up"), 0) << r.log;
    EXPECT_EQ(Count(r.log, "Game ended, set not completed"), 1);
    fs::remove_all(dir);

    // The box unticked: level 4 is played, and level 5 follows without the map.
    dir = FreshDir("map_off");
    makeSet(dir);
    mapPlayer(dir);
    std::ostringstream off;
    off << "30 move 95 457\n32 click left\n40 move 570 420\n42 click left\n";
    off << Carry(260, 550, 410, 200, 250) << "620 click left\n";
    r = PlayScripted(dir, off.str(), 900);
    ASSERT_EQ(r.exitCode, 0) << r.log;
    EXPECT_EQ(Count(r.log, "Level 4 of set.lvl set up"), 1) << r.log;
    EXPECT_EQ(Completions(r.log).size(), 1u);
    EXPECT_EQ(Count(r.log, "Level 5 of set.lvl set up"), 1) << "no map waits for a click";
    UserRef saved = SavedPlayer(dir);
    ASSERT_TRUE(saved);
    EXPECT_FALSE(saved->ProgressMap);
    fs::remove_all(dir);
}
