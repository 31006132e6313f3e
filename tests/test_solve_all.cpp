// Every level of the five embedded sets solved through the program's own input path: one
// scripted "velmora --play" per stretch of a set, clicking each tile out of the tray, turning it
// with the wheel and dropping it on its place, level after level. The levels are read from the
// embedded sets when the test runs, so the check follows any change to their figures.
//
// The script is written before the run, so the test keeps its own clock of the game: the frames
// between a solved level and the next one's first playing frame are fixed, and the two modes
// whose effect depends on time already spent (the Enlightenment black-out and the Floating
// drift, both carried from level to level) are stepped here frame by frame as the game steps
// them. A bonus board deals its symbols at random while it is played, which a script written in
// advance cannot answer: the stretch ends when a bonus level is set up and the next stretch
// starts, from the player's saved progress, at the level after it.
//
// Run one set alone: build/velmora_tests --gtest_filter='*SolveAll*Lhasa*'. With
// VELMORA_SOLVE_ALL_KEEP=1 the run folders (script, log, profile) stay in the temp folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "data/ranks.hpp"
#include "game/game.hpp"
#include "play_run.hpp"

namespace {

using namespace playrun;

const char* const kSetNames[] = {"Jewels of Dharma", "Numbers of Lhasa", "Peace in Sakya", "Way of Arhat",
                                 "Zhenyan Abstraktum"};

std::string SetPath(int set) { return std::string("incbin::../data/") + kSetNames[set] + ".lvl"; }

// The game's own timeline, in frames (docs/scripting.md: commands of frame F are seen by frame F).
// First level of a run: the "Get ready!" caption has gone and play begins in this frame.
constexpr int64_t kFirstPlay = 111;
// From the frame a level is solved to the first frame that takes the click closing the scroll:
// 199 frames of the sinking picture, then the scroll rolls in.
constexpr int64_t kScrollClosable = 285;
// From the click that closes the scroll to the frame the next level is set up (the scroll rolls
// out, the picture fades out).
constexpr int64_t kSetUpAfterClose = 91;
// From that set-up to the first playing frame (fade-in and "Get ready!").
constexpr int64_t kPlayAfterSetUp = 111;
// A Freeze level gives its verdict in the frame after the last drop.
constexpr int64_t kFreezeVerdictDelay = 1;

// The sanitizer build, many times slower, plays the first levels of each set only.
#ifdef VELMORA_SANITIZED
constexpr int kLevelsPlayed = 5;
#else
constexpr int kLevelsPlayed = LEVEL_COUNT;
#endif

// A neutral spot for clicks that only close the scroll: no tile, button or lamp lies there.
constexpr int kIdleX = 620, kIdleY = 30;
// "Okay" of the level messages.
constexpr int kOkayX = 363, kOkayY = 365;

int MessagesOf(int32_t misc) {
    int n = 0;
    if (misc & MISC_FREEZE) ++n;
    if (misc & (MISC_ENLIGHTENMENT | MISC_MEDITATION)) ++n;
    if (misc & MISC_FLOATING) ++n;
    if (misc & MISC_TORCH) ++n;
    return n;
}

std::string ModeNames(int32_t misc) {
    static const char* const names[] = {"Enlightenment", "Meditation", "Twister", "Freeze", "Floating",
                                        "Bonus",         "Torch",      "Bombs",   "Jokers"};
    std::string out;
    for (int b = 0; b < 9; ++b)
        if (misc & (1 << b)) out += (out.empty() ? "" : "+") + std::string(names[b]);
    return out.empty() ? "plain" : out;
}

// The two carried mode clocks, stepped once per frame of a level that has the mode.
struct ModeClocks {
    int64_t frame = 0;  // next frame to step
    float meditationFade = 0;
    float blackout = 0;      // of the last frame stepped
    int64_t floatSteps = 0;  // frames run on Floating levels so far

    void StepTo(int64_t lastFrame, int32_t misc) {
        for (; frame <= lastFrame; ++frame) {
            blackout = (misc & MISC_ENLIGHTENMENT) ? StepMeditationFade(meditationFade) : 0.0f;
            if (misc & MISC_FLOATING) ++floatSteps;
        }
    }
    // The drift of floating pieces in the last frame stepped.
    float FloatOffset() const { return std::cos(double(floatSteps % 360) * M_PI / 180.0) * 30.0; }
};

// Script lines by frame; written out in frame order, same-frame lines in the order given.
struct Script {
    std::vector<std::pair<int64_t, std::string>> lines;
    void At(int64_t frame, const std::string& command) { lines.push_back({frame, command}); }
    void Comment(int64_t frame, const std::string& text) { lines.push_back({frame, "#" + text}); }
    std::string Text() {
        std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        std::string out;
        for (const auto& [frame, command] : lines)
            out += command[0] == '#' ? command + "\n" : std::to_string(frame) + " " + command + "\n";
        return out;
    }
};

std::string Move(int x, int y) { return "move " + std::to_string(x) + " " + std::to_string(y); }

struct LevelPlan {
    int level = 0;  // 0-based
    int32_t misc = 0;
    int64_t setUp = -1;  // frame the level was set up, -1 for the first level of the run
    int64_t play = 0;    // first playing frame
    int64_t solved = 0;  // frame of the completion line
};

struct StretchPlan {
    int first = 0, end = 0;  // levels first .. end-1 are solved; end is a bonus level or 50
    std::string script;
    std::vector<LevelPlan> levels;
    int64_t endSetUp = 0;  // frame level `end` is set up (end < 50)
    int64_t maxFrames = 0;
};

// Writes the moves of one level: each tile out of the tray (the top one of its stack first),
// turned on the way by the wheel, one notch a frame, and dropped once the turn has played out.
int64_t SolveLevel(Script& s, int level, int64_t f, ModeClocks& clocks) {
    const ShapeList& shapes = LevelShapes[size_t(level)];
    const int32_t misc = LevelProps[size_t(level)].MiscProperties;
    int inTray[5] = {0, 0, 0, 0, 0};
    for (const ShapeRef& sh : shapes) ++inTray[sh->Element];
    int64_t drop = f;
    for (size_t i = 0; i < shapes.size(); ++i) {
        const Shape& sh = *shapes[i];
        const int e = sh.Element;
        s.At(f, Move(550 + 5 * (--inTray[e]), TraySlotY(e)));
        s.At(f, "click left");
        const int steps = int(std::lround(std::fmod(std::fmod(sh.Rotation, 360.0f) + 360.0f, 360.0f) / 22.5f)) % 16;
        const int notches = steps <= 8 ? steps : 16 - steps;
        // A notch down turns clockwise by 22.5 degrees, 4.5 degrees a frame.
        for (int n = 0; n < notches; ++n) s.At(f + 1 + n, steps <= 8 ? "wheel -1" : "wheel 1");
        drop = f + 2 + 5 * notches;
        clocks.StepTo(drop, misc);
        // The last drop completes the level only where the check can see the playfield.
        if (i + 1 == shapes.size())
            while (clocks.blackout != 0) clocks.StepTo(++drop, misc);
        // A floating picture drifts; the dropped tile is taken to be where the pointer is.
        const int y = int(std::lround(sh.Y + ((misc & MISC_FLOATING) ? clocks.FloatOffset() : 0.0f)));
        s.At(f + 1, Move(int(sh.X), y));
        s.At(drop, "click left");
        f = drop + 2;
    }
    return drop;
}

StretchPlan PlanStretch(int first) {
    StretchPlan p;
    p.first = first;
    Script s;
    ModeClocks clocks;
    int64_t play = kFirstPlay;
    int64_t setUp = -1;
    int level = first;
    for (; level < kLevelsPlayed; ++level) {
        const int32_t misc = LevelProps[size_t(level)].MiscProperties;
        if (misc & MISC_PLAY_FOR_TILES) break;
        s.Comment(setUp < 0 ? 0 : setUp, " level " + std::to_string(level + 1) + " " + ModeNames(misc));
        // The level messages are closed while the picture fades in.
        const int64_t msgAt = setUp < 0 ? 5 : setUp + 2;
        for (int m = 0; m < MessagesOf(misc); ++m) {
            s.At(msgAt + 4 * m, Move(kOkayX, kOkayY));
            s.At(msgAt + 4 * m, "click left");
        }
        LevelPlan lp;
        lp.level = level;
        lp.misc = misc;
        lp.setUp = setUp;
        lp.play = play;
        // The frames before play belong to this level's clocks as well.
        if (setUp >= 0) clocks.StepTo(play, misc);
        int64_t drop = SolveLevel(s, level, play + 1, clocks);
        lp.solved = drop + ((misc & MISC_FREEZE) ? kFreezeVerdictDelay : 0);
        p.levels.push_back(lp);
        const int64_t close = lp.solved + kScrollClosable;
        s.At(close - 1, Move(kIdleX, kIdleY));
        s.At(close, "click left");
        setUp = close + kSetUpAfterClose;
        clocks.StepTo(setUp - 1, misc);
        play = setUp + kPlayAfterSetUp;
    }
    p.end = level;
    p.endSetUp = setUp;
    if (level >= LEVEL_COUNT) {
        // The end screen waits for a click.
        s.At(setUp + 150, "click left");
        p.maxFrames = setUp + 400;
    } else {
        p.maxFrames = setUp + 5;
    }
    p.script = s.Text();
    return p;
}

// A returning player at the top rank (no rank message between levels) who has switched off
// map, wisdoms, tutorial and the background animation; progress in the set stands at `level`.
void WriteTopRankPlayer(const fs::path& dir, const std::string& setPath, int level) {
    fs::create_directories(dir / "data");
    TUsers users;
    users.FilePath = (dir / "data" / "users.cfg").string();
    ASSERT_TRUE(users.AddUser("Tester", 100, 80, RankScores[TOP_RANK], 0, 0, 0, false, false, false, false, "",
                              TOP_RANK, true));
    if (level > 0) users.UserList[0]->MaxLevel.push_back({setPath, level});
    ASSERT_TRUE(users.Save());
}

std::string Tail(const std::string& log, size_t lines) {
    size_t pos = log.size();
    for (size_t n = 0; n <= lines && pos > 0; ++n) pos = log.rfind('\n', pos - 1);
    return pos == std::string::npos ? log : log.substr(pos + 1);
}

class SolveAll : public ::testing::TestWithParam<int> {};

TEST_P(SolveAll, EveryLevelIsSolvedAndTheNextSetUp) {
    const int set = GetParam();
    const std::string path = SetPath(set);
    ASSERT_TRUE(ReadLevelSet(path)) << path;
    const bool keep = std::getenv("VELMORA_SOLVE_ALL_KEEP") != nullptr;
    const auto started = std::chrono::steady_clock::now();
    int solved = 0;
    std::vector<int> bonusLevels;
    for (int first = 0; first < kLevelsPlayed;) {
        // The run before set the profile's progress; this one reads the levels afresh too.
        ASSERT_TRUE(ReadLevelSet(path));
        StretchPlan plan = PlanStretch(first);
        SCOPED_TRACE(std::string(kSetNames[set]) + ", levels " + std::to_string(first + 1) + " to " +
                     std::to_string(plan.end));
        auto dir = FreshDir("solve_all_" + std::to_string(set) + "_" + std::to_string(first));
        WriteTopRankPlayer(dir, path, first);
        GameRun r = RunScripted(dir, "--play '" + path + "'", plan.script, int(plan.maxFrames));
        ASSERT_EQ(r.exitCode, 0) << Tail(r.log, 40);

        std::vector<Completion> done = Completions(r.log);
        for (size_t i = 0; i < plan.levels.size(); ++i) {
            const LevelPlan& lp = plan.levels[i];
            const std::string what = "level " + std::to_string(lp.level + 1) + " (" + ModeNames(lp.misc) + ", " +
                                     std::to_string(LevelShapes[size_t(lp.level)].size()) + " tiles)";
            ASSERT_LT(i, done.size()) << what << " was not solved: its drop at frame " << lp.solved
                                      << " left black on the playfield\n"
                                      << Tail(r.log, 40);
            ASSERT_EQ(done[i].level, lp.level + 1) << what;
            // Off by a frame, every later click of the script would miss.
            ASSERT_EQ(done[i].frame, lp.solved) << what << " was solved in another frame than the last drop";
            ++solved;
            const std::string next = "Level " + std::to_string(lp.level + 2) + " of " + path + " set up";
            if (lp.level + 1 < LEVEL_COUNT) {
                EXPECT_EQ(Count(r.log, next), 1) << what << ": the next level was not set up";
            }
        }
        EXPECT_EQ(done.size(), plan.levels.size()) << "a level was solved twice";
        if (!keep) fs::remove_all(dir);
        if (plan.end >= LEVEL_COUNT) {
            EXPECT_EQ(Count(r.log, "Game ended, set completed"), 1) << Tail(r.log, 20);
            break;
        }
        if (plan.end >= kLevelsPlayed) break;
        // A bonus level is set up, its board waiting behind "Find the tiles".
        EXPECT_EQ(Count(r.log, "Level " + std::to_string(plan.end + 1) + " of " + path + " set up"), 1);
        bonusLevels.push_back(plan.end + 1);
        first = plan.end + 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::string bonus;
    for (int b : bonusLevels) bonus += " " + std::to_string(b);
    std::printf("%s: %d levels solved in %.1f s; bonus levels set up, not played:%s\n", kSetNames[set], solved, seconds,
                bonus.c_str());
    if (kLevelsPlayed == LEVEL_COUNT) {
        EXPECT_EQ(solved + int(bonusLevels.size()), LEVEL_COUNT);
    }
}

std::string SetTestName(const ::testing::TestParamInfo<int>& info) {
    std::string name;
    for (const char* c = kSetNames[info.param]; *c; ++c)
        if (*c != ' ') name += *c;
    return name;
}

INSTANTIATE_TEST_SUITE_P(Sets, SolveAll, ::testing::Range(0, 5), SetTestName);

}  // namespace
