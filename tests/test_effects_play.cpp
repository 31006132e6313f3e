// The ambient animations and the tutorial as a player meets them: scripted "velmora --play"
// runs whose shot frames and debug log are checked.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "game/game.hpp"
#include "play_run.hpp"

namespace {

using namespace playrun;

// One untimed level with a small silhouette, so nothing on the playfield moves on its own.
void MakeQuietSet(const fs::path& dir) {
    for (auto& l : LevelShapes) l.clear();
    for (auto& p : LevelProps) p = TLevelProperties();
    LevelShapes[0] = {Piece(3, 200, 250, 0)};
    LevelProps[0].GameTime = 0;
    ASSERT_TRUE(WriteLevelSet((dir / "set.lvl").string()));
}

PixmapRef Shot(const fs::path& dir, const std::string& name) {
    PixmapRef p = LoadPixmap((dir / name).string());
    EXPECT_TRUE(p) << name;
    return p;
}

struct Diff {
    int changed = 0, darker = 0;
};
// Pixels of a rectangle that differ between two frames, and how many of them got darker.
Diff Compare(const PixmapRef& a, const PixmapRef& b, int x0, int y0, int w, int h) {
    Diff d;
    if (!a || !b) return d;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const uint32_t pa = a->ReadPixel(x, y) & 0xffffff, pb = b->ReadPixel(x, y) & 0xffffff;
            if (pa == pb) continue;
            ++d.changed;
            for (int s = 0; s < 24; s += 8)
                if (int((pb >> s) & 255) + 2 < int((pa >> s) & 255)) {
                    ++d.darker;
                    break;
                }
        }
    return d;
}

// The playfield right of the side panel (whose yin-yang and lamp move on their own) and the tray.
Diff CompareScene(const PixmapRef& a, const PixmapRef& b) { return Compare(a, b, 140, kCheckY, 500, kCheckH); }

// Frame of the first "Butterfly <what> at (X, Y) (frame F)" line, with its place.
bool ButterflyLine(const std::string& log, const std::string& what, int& x, int& y, long long& frame,
                   long long after = -1) {
    std::istringstream in(log);
    std::string line;
    const std::string format = "Butterfly " + what + " at (%d, %d) (frame %lld)";
    while (std::getline(in, line))
        if (std::sscanf(line.c_str(), format.c_str(), &x, &y, &frame) == 3 && frame > after) return true;
    return false;
}

}  // namespace

// Each background with the animation on shows its own effect over the playfield; with it off
// the playfield stands still. Fog, snow and rain are drawn as light, so they only brighten;
// butterflies cast shadows and hummingbirds are solid.
TEST(EffectsPlay, EachBackgroundShowsItsEffectOnlyWhileTheAnimationIsOn) {
    // Frames 40 and 50 are compared with and without the effect (the count-in caption is the
    // same in both); the caption is gone by frame 120, so from there nothing else moves.
    const std::string script = "40 shot a.png\n50 shot b.png\n120 shot c.png\n130 shot d.png\n";
    for (int bg = 0; bg <= 5; ++bg) {
        SCOPED_TRACE("background " + std::to_string(bg));
        auto on = FreshDir("fx_on_" + std::to_string(bg));
        auto off = FreshDir("fx_off_" + std::to_string(bg));
        MakeQuietSet(on);
        MakeQuietSet(off);
        WritePlayer(on, 0, bg, true);
        WritePlayer(off, 0, bg, false);
        GameRun ron = PlayScripted(on, script, 52);
        GameRun roff = PlayScripted(off, script, 132);
        ASSERT_EQ(ron.exitCode, 0) << ron.log;
        ASSERT_EQ(roff.exitCode, 0) << roff.log;

        const Diff still = CompareScene(Shot(off, "c.png"), Shot(off, "d.png"));
        EXPECT_EQ(still.changed, 0) << "without the animation nothing moves on the playfield or the tray";
        for (const char* frame : {"a.png", "b.png"}) {
            const Diff added = CompareScene(Shot(off, frame), Shot(on, frame));
            EXPECT_GT(added.changed, 100) << frame;
            if (bg <= 2)
                EXPECT_EQ(added.darker, 0) << frame << ": light effects only brighten";
            else
                EXPECT_GT(added.darker, 20) << frame << ": butterflies and birds are solid";
        }
        // Between the two frames the effect has moved: the on-frames differ by more than the
        // caption's change alone.
        EXPECT_GT(CompareScene(Shot(on, "a.png"), Shot(on, "b.png")).changed,
                  CompareScene(Shot(off, "a.png"), Shot(off, "b.png")).changed);
        // The silhouette stays on top of every effect, so the solution check sees it whole.
        const Diff silhouette = Compare(Shot(off, "b.png"), Shot(on, "b.png"), 200 - 10, 250 - 10, 20, 20);
        EXPECT_EQ(silhouette.changed, 0);
        if (!HasFailure()) {
            fs::remove_all(on);
            fs::remove_all(off);
        }
    }
}

// A pointer held still next to a butterfly that has landed scares it off in the frame that
// sees the pointer there, and for 30 frames it cannot be scared again.
TEST(EffectsPlay, PointerNextToARestingButterflyScaresItAtOnce) {
    auto dir = FreshDir("fx_scare");
    MakeQuietSet(dir);
    WritePlayer(dir, 0, 3, true);
    GameRun first = PlayScripted(dir, "", 900);
    ASSERT_EQ(first.exitCode, 0) << first.log;
    int x = 0, y = 0;
    long long landed = 0;
    ASSERT_TRUE(ButterflyLine(first.log, "landed", x, y, landed, 30)) << first.log;
    EXPECT_EQ(Count(first.log, "Butterfly scared"), 0);

    // The same run, with the pointer set down 8 pixels beside it five frames into its rest.
    std::ostringstream script;
    script << landed + 5 << " move " << x + 8 << " " << y << "\n";
    GameRun second = PlayScripted(dir, script.str(), int(landed) + 120);
    ASSERT_EQ(second.exitCode, 0) << second.log;
    int sx = 0, sy = 0;
    long long scared = 0;
    ASSERT_TRUE(ButterflyLine(second.log, "scared", sx, sy, scared)) << second.log;
    EXPECT_EQ(scared, landed + 5) << "the next frame drawn sees the pointer";
    EXPECT_EQ(sx, x);
    EXPECT_EQ(sy, y);
    long long again = 0;
    if (ButterflyLine(second.log, "scared", sx, sy, again, scared)) {
        EXPECT_GE(again, scared + 30) << "no second scare within 30 frames";
    }
    fs::remove_all(dir);
}

// A player with the tutorial on pages through it before the first level; "<<" on the first
// page and ">>" on the last do nothing, and "Play" fades into the level.
TEST(EffectsPlay, TutorialPagesForwardAndBackThenPlayStartsTheFirstLevel) {
    auto dir = FreshDir("tutorial_on");
    MakeQuietSet(dir);
    WritePlayer(dir, 0, 0, false, true);
    std::ostringstream s;
    s << "0 move 93 435\n12 shot p1.png\n15 click left\n20 shot p1_back.png\n21 move 215 435\n";
    for (int page = 2; page <= 6; ++page) {
        const int at = 15 + 10 * page;
        s << at << " click left\n" << at + 5 << " shot p" << page << ".png\n";
    }
    s << "85 click left\n90 shot p6_next.png\n91 move 93 435\n95 click left\n100 shot p5_back.png\n";
    s << "101 move 567 435\n105 click left\n";
    GameRun r = PlayScripted(dir, s.str(), 160);
    ASSERT_EQ(r.exitCode, 0) << r.log;

    // The text box tells the pages apart.
    auto box = [&](const std::string& a, const std::string& b) {
        return Compare(Shot(dir, a), Shot(dir, b), 34, 287, 586, 105).changed;
    };
    EXPECT_EQ(box("p1.png", "p1_back.png"), 0) << "still on the first page";
    for (int a = 1; a <= 6; ++a)
        for (int b = a + 1; b <= 6; ++b)
            EXPECT_GT(box("p" + std::to_string(a) + ".png", "p" + std::to_string(b) + ".png"), 500) << a << " " << b;
    EXPECT_EQ(box("p6.png", "p6_next.png"), 0) << "still on the last page";
    EXPECT_EQ(box("p5.png", "p5_back.png"), 0) << "back on page 5";

    // "Play" is released in frame 106; the cover closes in about ten frames and the level fades in.
    const int64_t start = FrameOf(r.log, "Game state 0");
    EXPECT_GE(start, 106 + 9) << r.log;
    EXPECT_LE(start, 106 + 13) << r.log;
    EXPECT_EQ(Count(r.log, "Level 1 of set.lvl set up"), 1);
    fs::remove_all(dir);
}

TEST(EffectsPlay, WithoutTheTutorialTheLevelStartsAtOnce) {
    auto dir = FreshDir("tutorial_off");
    MakeQuietSet(dir);
    WritePlayer(dir, 0, 0, false, false);
    GameRun r = PlayScripted(dir, "", 10);
    ASSERT_EQ(r.exitCode, 0) << r.log;
    EXPECT_LE(FrameOf(r.log, "Game state 0"), 2) << r.log;
    fs::remove_all(dir);
}
