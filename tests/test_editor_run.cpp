// The level editor as a player meets it, in whole-program runs on the virtual clock: a new set
// built, test-played and saved; the set reopened through the chooser and the question before
// overwriting it; a game played over it.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

#include "play_run.hpp"
#include "solve_script.hpp"

namespace {

using namespace playrun;

// What a level set says to a player: every piece's kind, place and angle, and every level's
// time, variant, mode bits and bonus board.
std::string Content(const fs::path& file) {
    std::ostringstream s;
    if (!ReadLevelSet(file.string())) return "unreadable";
    for (int l = 0; l < LEVEL_COUNT; ++l) {
        const TLevelProperties& p = LevelProps[size_t(l)];
        s << l << ": " << p.GameTime << " " << p.PuzzleSet << " " << p.MiscProperties << " " << p.BonusTime << " "
          << p.BonusLevelDifficulty << " |";
        for (const ShapeRef& sh : LevelShapes[size_t(l)])
            s << " " << sh->Element << "@" << sh->X << "," << sh->Y << "/" << sh->Rotation;
        s << " |";
        for (int x = 0; x < BONUS_COLUMNS; ++x)
            for (int y = 0; y < BONUS_ROWS; ++y) s << " " << p.BonusLevelData[x][y] << "/" << p.PuzzleTileData[x][y];
        s << "\n";
    }
    return s.str();
}

// One character a frame, as the name field takes them, then Enter.
std::string TypeName(int64_t frame, const std::string& name, const std::string& shot = "") {
    std::ostringstream s;
    for (char c : name) s << frame++ << " type " << c << "\n";
    if (!shot.empty()) s << frame << " shot " << shot << "\n";
    s << frame + 1 << " key enter\n";
    return s.str();
}

// A click at (x, y): the pointer moves two frames ahead.
std::string ClickAt(int64_t frame, int x, int y) {
    std::ostringstream s;
    s << frame - 2 << " move " << x << " " << y << "\n" << frame << " click left\n";
    return s.str();
}

// Builds "Garden": a turned square on level 1; a parallelogram and a time on level 2, which is
// test-played and solved; a square, the mode bits and a painted board on level 3.
const char* const kBuildScript = R"(# the chooser: New
8 move 475 180
10 click left
)";

std::string BuildGardenScript() {
    std::ostringstream s;
    s << kBuildScript << TypeName(30, "Garden", "editor_name.png") << "70 shot editor_tutorial.png\n";
    // Level 1: the square, turned one step, set down at (300, 200).
    s << ClickAt(72, 550, 340) << "76 move 300 200\n78 wheel -1\n" << ClickAt(92, 300, 200);
    // Level 2: the parallelogram at (250, 250), 160 seconds, a square thrown back to the palette.
    s << "96 key numadd\n" << ClickAt(102, 550, 420) << "106 move 250 250\n" << ClickAt(112, 250, 250);
    s << "115 move 200 40\n117 down left\n120 move 265 40\n123 up left\n";
    s << ClickAt(129, 550, 340) << "133 move 520 300\n" << ClickAt(138, 520, 300);
    s << "141 shot editor_normal.png\n";
    // "Play level": the real game, solved, the scroll clicked away.
    s << ClickAt(147, 70, 372);
    s << ClickAt(290, 550, 330) << "294 move 250 250\n" << ClickAt(302, 250, 250);
    s << "600 move 300 460\n640 click left\n790 click left\n";
    // Level 3: a square, the properties, the bonus board.
    s << "850 key numadd\n" << ClickAt(857, 550, 340) << "861 move 200 300\n" << ClickAt(866, 200, 300);
    s << ClickAt(872, 25, 427);
    s << ClickAt(880, 359, 155) << ClickAt(886, 359, 185) << ClickAt(892, 359, 215) << "896 click left\n";
    s << ClickAt(902, 359, 275) << "905 shot editor_properties.png\n" << ClickAt(910, 359, 378);
    s << ClickAt(917, 460, 35) << ClickAt(923, 520, 152);
    s << "927 move 200 140\n929 down left\n931 move 240 140\n933 move 280 140\n935 up left\n";
    s << ClickAt(941, 520, 308) << ClickAt(947, 200, 220);
    s << ClickAt(952, 547, 425) << ClickAt(958, 359, 155) << "961 shot editor_bonus_options.png\n";
    s << ClickAt(964, 359, 378) << "968 move 420 440\n970 shot editor_bonus.png\n";
    s << "972 key escape\n";
    return s.str();
}

// The same script moved later by some frames.
std::string Shifted(const std::string& script, int64_t frames) {
    std::istringstream in(script);
    std::ostringstream out;
    for (std::string line; std::getline(in, line);) {
        size_t digits = 0;
        while (digits < line.size() && std::isdigit(static_cast<unsigned char>(line[digits]))) ++digits;
        if (digits == 0)
            out << line << "\n";
        else
            out << std::stoll(line.substr(0, digits)) + frames << line.substr(digits) << "\n";
    }
    return out.str();
}

}  // namespace

// From a normal start: the logo, the story cut short, the title menu's "Level editor"; the set
// chooser opens in frame 722, where --level-editor opens it in frame 1.
TEST(EditorRun, NewSetBuiltTestPlayedAndSavedThenPlayedAsAGame) {
    auto dir = FreshDir("editor_build");
    constexpr int64_t kChooserLater = 721;
    const std::string menu = "560 click left\n698 move 316 330\n700 click left\n";
    GameRun r = RunScripted(dir, "", menu + Shifted(BuildGardenScript(), kChooserLater), int(1100 + kChooserLater));
    ASSERT_EQ(r.exitCode, 0) << r.log;
    EXPECT_LT(FrameOf(r.log, "Screen title"), FrameOf(r.log, "Screen LevelSetChooser"));
    EXPECT_EQ(FrameOf(r.log, "Screen LevelSetChooser"), 1 + kChooserLater) << r.log;
    EXPECT_NE(r.log.find("Screen title", r.log.find("Level set saved to")), std::string::npos)
        << "back in the title menu after the editor";
    EXPECT_EQ(Count(r.log, "Screen LevelSetChooser"), 1) << r.log;
    EXPECT_EQ(Count(r.log, "Screen EnterLevelName"), 1);
    EXPECT_EQ(Count(r.log, "Screen OverwriteLevels"), 0);
    EXPECT_EQ(Count(r.log, "Screen Editor"), 2) << "the editor again after the test play";
    EXPECT_EQ(Count(r.log, "Level 2 complete"), 1) << "the test play solved level 2";
    EXPECT_EQ(Count(r.log, "Screen LevelProperties"), 1);
    EXPECT_EQ(Count(r.log, "Screen BonusProperties"), 1);
    EXPECT_EQ(Count(r.log, "Level set saved to"), 2) << "before the test play and when leaving";
    EXPECT_EQ(FrameOf(r.log, "Screen Editor"), 38 + kChooserLater) << r.log;

    const fs::path set = dir / "data" / "Garden.lvl";
    ASSERT_TRUE(ReadLevelSet(set.string()));
    ASSERT_EQ(LevelShapes[0].size(), 1u);
    EXPECT_EQ(LevelShapes[0][0]->Element, 3);
    EXPECT_EQ(LevelShapes[0][0]->X, 300.0f);
    EXPECT_EQ(LevelShapes[0][0]->Y, 200.0f);
    EXPECT_FLOAT_EQ(LevelShapes[0][0]->Rotation, 22.5f);
    EXPECT_EQ(LevelProps[0].GameTime, 0);
    ASSERT_EQ(LevelShapes[1].size(), 1u) << "the square thrown back is not kept";
    EXPECT_EQ(LevelShapes[1][0]->Element, 4);
    EXPECT_EQ(LevelShapes[1][0]->X, 250.0f);
    EXPECT_EQ(LevelProps[1].GameTime, 160);
    EXPECT_EQ(LevelProps[1].MiscProperties, 0);
    ASSERT_EQ(LevelShapes[2].size(), 1u);
    EXPECT_EQ(LevelProps[2].MiscProperties, MISC_TWISTER | MISC_FREEZE | MISC_MEDITATION | MISC_PLAY_FOR_TILES);
    for (int x = 1; x <= 3; ++x) EXPECT_EQ(LevelProps[2].BonusLevelData[x][1], 2) << x;
    EXPECT_EQ(LevelProps[2].BonusLevelData[4][1], -1);
    EXPECT_EQ(LevelProps[2].PuzzleTileData[1][3], 0);
    EXPECT_EQ(LevelProps[2].BonusTime, 1);
    for (int l = 3; l < LEVEL_COUNT; ++l) EXPECT_TRUE(LevelShapes[size_t(l)].empty()) << l;

    // A game over the new set: the new player's tutorial closed with "Play", then its first
    // level solved as any other.
    std::ostringstream play;
    play << "60 move 570 420\n61 click left\n";
    SolveScript solve = MakeSolveScript(0, 300);
    play << solve.text;
    GameRun game = RunScripted(dir, "--play data/Garden.lvl", play.str(), int(solve.endFrame + 30));
    ASSERT_EQ(game.exitCode, 0) << game.log;
    EXPECT_EQ(Count(game.log, "Level 1 complete"), 1) << game.log;
    if (!std::getenv("VELMORA_KEEP_RUNS")) fs::remove_all(dir);
}

TEST(EditorRun, ReopenedThroughTheChooserAndOverwriteAnsweredNoThenYeah) {
    auto dir = FreshDir("editor_reopen");
    fs::create_directories(dir / "data");
    ReadLevelSet("incbin::../data/Way of Arhat.lvl");
    ASSERT_TRUE(WriteLevelSet((dir / "data" / "Arhat.lvl").string()));
    ASSERT_TRUE(WriteEmptyLevelSet((dir / "data" / "notes.txt").string()));
    const std::string before = Content(dir / "data" / "Arhat.lvl");

    // The chooser lists the set (and not the text file); selected and opened, then left.
    std::ostringstream pick;
    pick << ClickAt(10, 250, 165) << "13 shot chooser.png\n"
         << ClickAt(16, 475, 360) << "50 shot editor_reopened.png\n";
    pick << "60 key escape\n";
    GameRun r = RunScripted(dir, "--level-editor", pick.str(), 200);
    ASSERT_EQ(r.exitCode, 0) << r.log;
    EXPECT_NE(r.log.find("curr Levelfile: " + (dir / "data" / "Arhat.lvl").string()), std::string::npos) << r.log;
    EXPECT_EQ(Count(r.log, "Screen Editor"), 1);
    EXPECT_EQ(Content(dir / "data" / "Arhat.lvl"), before) << "opened and left unchanged, the set is the same";

    // "New" with the same name: "No" goes back to the name, "Yeah" opens the set unchanged.
    std::ostringstream again;
    again << ClickAt(10, 475, 180) << TypeName(30, "Arhat") << "40 shot overwrite.png\n" << ClickAt(44, 350 + 150, 310);
    again << TypeName(60, "") << ClickAt(70, 110 + 150, 310) << "100 key escape\n";
    r = RunScripted(dir, "--level-editor", again.str(), 250);
    ASSERT_EQ(r.exitCode, 0) << r.log;
    EXPECT_EQ(Count(r.log, "Screen EnterLevelName"), 2) << r.log;
    EXPECT_EQ(Count(r.log, "Screen OverwriteLevels"), 2);
    EXPECT_EQ(Count(r.log, "Screen Editor"), 1);
    EXPECT_EQ(Content(dir / "data" / "Arhat.lvl"), before);
    if (!std::getenv("VELMORA_KEEP_RUNS")) fs::remove_all(dir);
}
