#include <gtest/gtest.h>

#include <filesystem>

#include "data/ranks.hpp"
#include "data/users.hpp"
#include "game/progressmap.hpp"
#include "platform/random.hpp"
#include "platform/stream.hpp"
#include "scratch_dir.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/wisdomscreen.hpp"

namespace {
TBitmapFont Metrics(const char* name) {
    TBitmapFont f;
    EXPECT_EQ(f.TryLoadFnt(std::string("incbin::../gfx/fonts/") + name + ".fnt"), "");
    return f;
}
}  // namespace

TEST(Ranks, ThresholdsAreReachedAtTheirExactScore) {
    EXPECT_EQ(RankForScore(0), 0);
    EXPECT_EQ(RankForScore(49999), 0);
    EXPECT_EQ(RankForScore(50000), 1);
    EXPECT_EQ(RankForScore(149999), 2);
    EXPECT_EQ(RankForScore(250000), 5);
    EXPECT_EQ(RankForScore(2000000000), 5);
    EXPECT_EQ(RankForScore(-5), 0);
    EXPECT_EQ(RankName(0), "Nonbeliever");
    EXPECT_EQ(RankName(5), "Buddha");
    EXPECT_EQ(RankName(9), "Buddha") << "out-of-table ranks clamp instead of reading past the table";
}

TEST(Ranks, UpdateRankRaisesButNeverLowers) {
    TUser u;
    u.Score = 49999;
    EXPECT_EQ(UpdateRank(u), 0);
    u.Score += 1;
    EXPECT_EQ(UpdateRank(u), 1);
    EXPECT_EQ(u.CurrentRank, 1);
    u.Score = 1000;  // a failed level sets the score back
    EXPECT_EQ(UpdateRank(u), 1);
    EXPECT_EQ(u.CurrentRank, 1);
    u.CurrentRank = 4;  // a rank stored by an earlier run
    u.Score = 260000;
    EXPECT_EQ(UpdateRank(u), 5);
}

TEST(Wisdoms, WrappingBreaksAtFiveHundredPixelsAndAtBackslashN) {
    TBitmapFont headline = Metrics("Headline");
    int32_t breaks = -1;
    auto one = Wisdomscreen::LayOut("Be calm.", headline, 396, 0, 50, breaks);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(breaks, 0);
    EXPECT_EQ(one[0].text, "Be calm.");
    EXPECT_FLOAT_EQ(one[0].alpha, 0.5f);
    EXPECT_TRUE(one[0].drawn);

    // A trailing blank stays in the last line.
    auto trailing = Wisdomscreen::LayOut("Rest ", headline, 0, 5, 0, breaks);
    ASSERT_EQ(trailing.size(), 1u);
    EXPECT_EQ(trailing[0].text, "Rest ");

    // A word wider than the line gets an empty line before it and a line of its own.
    std::string wide(40, 'W');
    auto w = Wisdomscreen::LayOut(wide, headline, 100, 5, 0, breaks);
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(breaks, 1);
    EXPECT_EQ(w[0].text, "");
    EXPECT_EQ(w[1].text, wide);
    EXPECT_FLOAT_EQ(w[1].y, 156);

    // Two forced breaks in a row make an empty line; lines after the revealed one stay hidden.
    auto nl = Wisdomscreen::LayOut("One\\n\\nTwo", headline, 0, 1, 30, breaks);
    ASSERT_EQ(nl.size(), 3u);
    EXPECT_EQ(breaks, 2);
    EXPECT_EQ(nl[0].text, "One");
    EXPECT_EQ(nl[1].text, "");
    EXPECT_EQ(nl[2].text, "Two");
    EXPECT_FLOAT_EQ(nl[0].alpha, 1.0f);
    EXPECT_FLOAT_EQ(nl[1].alpha, 0.3f);
    EXPECT_FALSE(nl[2].drawn);

    // A long saying fills lines up to the limit.
    std::string saying = "The mind is everything. What you think you become, so think of calm water.";
    auto lines = Wisdomscreen::LayOut(saying, headline, 0, 99, 0, breaks);
    std::string joined;
    for (auto& l : lines) {
        EXPECT_LE(headline.GetWidth(l.text), 500 + headline.GetWidth(" ")) << l.text;
        joined += l.text;
    }
    EXPECT_EQ(joined, saying);
    EXPECT_EQ(int(lines.size()), breaks + 1);
}

TEST(Wisdoms, TheScreenPicksASayingOfTheEnglishGroup) {
    for (int seed : {1, 2, 3}) {
        SeedRnd(seed);
        Wisdomscreen w;
        EXPECT_EQ(w.anzahl, 100);
        EXPECT_GE(w.nummer, 1);
        EXPECT_LE(w.nummer, 100);
        EXPECT_FALSE(w.text.empty());
        EXPECT_EQ(w.lineno, -1);
        EXPECT_EQ(w.stp, 80);
    }
}

TEST(ProgressMap, ScrollFollowsTheCurrentStationWithinTheMap) {
    const auto& path = ProgressPath();
    EXPECT_EQ(path[0].x, 67);
    EXPECT_EQ(path[49].x, 663);
    EXPECT_EQ(path[49].y, 171);
    // Level 0: the station is left of the middle, the map stays unscrolled.
    EXPECT_FLOAT_EQ(ScrollMapTowards(67 - 320, 67), 0);
    // Picking a far station moves the map 4 pixels per frame up to the limit.
    float s = 0;
    int frames = 0;
    while (s < 276 && frames < 200) {
        s = ScrollMapTowards(s, 663);
        ++frames;
    }
    EXPECT_FLOAT_EQ(s, 276);
    EXPECT_EQ(frames, 69);
    EXPECT_FLOAT_EQ(ScrollMapTowards(100, 67), 96);
}

TEST(ProgressMap, StationsOpenWithProgressAndTotalsCountFilesOnDisk) {
    ScratchDir dir;
    std::string folder = dir.File("");
    if (folder.back() != '/') folder += "/";
    for (const char* n : {"a.lvl", "b.lvl", "notes.txt"}) WriteStream(folder + n)->WriteString("x");
    TUser u;
    u.MaxLevel.push_back({folder + "a.lvl", 3});
    u.MaxLevel.push_back({folder + "a.lvl", 7});
    u.MaxLevel.push_back({"incbin::../data/Way of Arhat.lvl", 20});
    EXPECT_TRUE(StationReachable(u, folder + "a.lvl", 7));
    EXPECT_FALSE(StationReachable(u, folder + "a.lvl", 8));
    EXPECT_FALSE(StationReachable(u, folder + "b.lvl", 0));

    // The same folder named twice counts once; embedded sets do not count.
    ProgressTotals t = CountProgressTotals(
        u, {folder, folder + "../" + std::filesystem::path(folder).parent_path().filename().string() + "/"});
    EXPECT_EQ(t.numLevels, 100);
    EXPECT_EQ(t.currLevel, 7);
    ProgressTotals none = CountProgressTotals(u, {folder + "missing/"});
    EXPECT_EQ(none.numLevels, 0);
}

TEST(EndScreen, TextBreaksAtLineFeedsAndWidth) {
    TBitmapFont headline = Metrics("Headline");
    auto lines =
        EndScreenLines("Well done!\nThe path goes on and on and on, further than the eye can see.\n\nClick!", headline);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Well done!");
    EXPECT_EQ(lines.back(), "Click!") << "the character after a line feed is dropped, so no empty line";
    for (auto& l : lines) EXPECT_LE(headline.GetWidth(l), 500 + headline.GetWidth(" "));
}
