// The hall of fame: how players enter the built-in table, how a score is written, and the
// screen as a player sees it (their rows marked, "Ok" fading it out).
#include <gtest/gtest.h>

#include <memory>

#include "data/highscore.hpp"
#include "data/ranks.hpp"
#include "data/users.hpp"
#include "platform/platform_hooks.hpp"
#include "scratch_dir.hpp"
#include "tiles_env.hpp"
#include "ui/highscore.hpp"

namespace {

UserRef Player(const std::string& name, int32_t score, int32_t rank = 0) {
    auto u = std::make_shared<TUser>();
    u->Name = name;
    u->Score = score;
    u->CurrentRank = rank;
    return u;
}

std::vector<std::string> Names(const HighscoreTable& t) {
    return std::vector<std::string>(t.Names.begin(), t.Names.begin() + kHighscoreRows);
}

}  // namespace

TEST(HighscoreTable, APlayerWith8500TakesTheThirdRowAndTheLastBuiltInDropsOut) {
    HighscoreTable none = BuildHighscoreTable({});
    for (int i = 0; i < kHighscoreRows; ++i) {
        EXPECT_EQ(none.Names[size_t(i)], HighscoreBuiltInNames[size_t(i)]);
        EXPECT_EQ(none.Scores[size_t(i)], 10000 - 1000 * i);
    }

    HighscoreTable t = BuildHighscoreTable({Player("Mo", 8500)});
    EXPECT_EQ(t.Names[2], "Mo");
    EXPECT_EQ(t.Scores[1], 9000);
    EXPECT_EQ(t.Scores[2], 8500);
    EXPECT_EQ(t.Scores[3], 8000);
    EXPECT_EQ(t.Scores[9], 2000);
    for (const std::string& n : Names(t)) EXPECT_NE(n, HighscoreBuiltInNames[9]);

    // Only more than the tenth entry gets in: 1000 ties the last built-in entry and stays out.
    HighscoreTable low = BuildHighscoreTable({Player("Tie", 1000), Player("Zero", 0)});
    EXPECT_EQ(Names(low), Names(none));
}

TEST(HighscoreTable, EqualScoresKeepTheOrderTheyCameIn) {
    HighscoreTable t = BuildHighscoreTable({Player("First", 5000), Player("Second", 5000), Player("Top", 20000)});
    EXPECT_EQ(t.Names[0], "Top");
    EXPECT_EQ(t.Names[6], HighscoreBuiltInNames[5]) << "the built-in 5000 was there first";
    EXPECT_EQ(t.Names[7], "First");
    EXPECT_EQ(t.Names[8], "Second");
    EXPECT_EQ(t.Scores[9], 4000);
}

TEST(HighscoreTable, ScoresShowSevenDigitsAndPlayersKeepTheirRank) {
    EXPECT_EQ(HighscoreDigits(8500), "0008500");
    EXPECT_EQ(HighscoreDigits(0), "0000000");
    EXPECT_EQ(HighscoreDigits(9999999), "9999999");
    EXPECT_EQ(HighscoreDigits(12345678), "2345678");
    EXPECT_EQ(HighscoreDigits(2147483647), "7483647");
    EXPECT_EQ(HighscoreDigits(-5), "0000000");

    // A name that belongs to a player shows the player's rank, which never drops.
    std::vector<UserRef> players = {Player("Monk", 1000, 3), Player("Monk", 60000), Player("Fresh", 120000)};
    EXPECT_EQ(HighscoreRank("Monk", 1000, players), 1) << "the last player of that name";
    EXPECT_EQ(HighscoreRank("Fresh", 120000, players), 2);
    EXPECT_EQ(players[2]->CurrentRank, 2);
    EXPECT_EQ(HighscoreRank(HighscoreBuiltInNames[0], 10000, players), 0);
    EXPECT_EQ(HighscoreRank("Nobody", 150000, players), 3);
}

namespace {

class HighscoreScreenTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        dir = std::make_unique<ScratchDir>();
        Users.RemoveAllUsers();
        Users.FilePath = dir->File("users.cfg");
    }
    void TearDown() override {
        SetAfterFlipHook(nullptr);
        Users.RemoveAllUsers();
        UiTest::TearDown();
    }
    // Runs the screen, keeps the frame in which every row is fully shown, presses "Ok".
    PixmapRef RunAndShoot(int64_t& flips) {
        PixmapRef shot;
        const int64_t start = FlipCount();
        const int64_t shown = start + 1 + 110;  // one cleared frame, then 110 frames of row fade
        SetAfterFlipHook([&](int64_t frames) {
            if (frames == shown) shot = GrabPixmap(0, 0, 640, 480);
            if (frames == shown + 1) {
                InputMouseMove(320, 440);
                InputMouseButton(MOUSE_LEFT, true);
            }
            if (frames == shown + 2) InputMouseButton(MOUSE_LEFT, false);
            if (frames > start + 400) {  // a screen that missed the click is still left, not hung
                InputMouseMove(320, 440);
                InputMouseButton(MOUSE_LEFT, frames % 2 == 0);
            }
        });
        ShowHighscore();
        SetAfterFlipHook(nullptr);
        flips = FlipCount() - start;
        return shot;
    }
    // The highlight bar is a bright gold band; the table's own rows are dark red.
    static bool Marked(const PixmapRef& shot, int row) {
        uint32_t p = shot->ReadPixel(305, 100 + 30 * row + 15);
        return ((p >> 16) & 255) > 200 && ((p >> 8) & 255) > 140;
    }

    std::unique_ptr<ScratchDir> dir;
};

}  // namespace

TEST_F(HighscoreScreenTest, TheCurrentPlayersNameIsMarkedWhereverItStands) {
    // The current player shares a name with a built-in entry: both rows carry the bar.
    ASSERT_TRUE(Users.AddUser("Other", 100, 80, 9500, 0, 0, 0, true, true, true, true, "", 0, false));
    ASSERT_TRUE(Users.AddUser(HighscoreBuiltInNames[4], 100, 80, 8500, 0, 0, 0, true, true, true, true, "", 0, false));
    CurrentUserIndex = 1;
    testing::internal::CaptureStdout();
    int64_t flips = 0;
    PixmapRef shot = RunAndShoot(flips);
    const std::string log = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(shot);
    for (int row = 0; row < kHighscoreRows; ++row) EXPECT_EQ(Marked(shot, row), row == 3 || row == 6) << row;
    EXPECT_NE(log.find("Screen highscore (frame "), std::string::npos);
    // Fade-in and rows, "Ok" pressed and released, then 21 frames of fade-out.
    EXPECT_EQ(flips, 1 + 110 + 2 + 21);
    EXPECT_EQ(Users.UserList.size(), 2u) << "the screen changes no profile";
}

TEST_F(HighscoreScreenTest, WithNoPlayersTheBuiltInTableShowsUnmarked) {
    int64_t flips = 0;
    PixmapRef shot = RunAndShoot(flips);
    ASSERT_TRUE(shot);
    for (int row = 0; row < kHighscoreRows; ++row) EXPECT_FALSE(Marked(shot, row)) << row;
    EXPECT_TRUE(Users.UserList.empty()) << "no stand-in player is made";
}
