// The parchment scroll after a solved level, driven frame by frame, and the messages that stand
// in front of a level: the new rank and the special modes, each closed with "Okay".
#include <gtest/gtest.h>

#include "data/ranks.hpp"
#include "game_env.hpp"

namespace {

class ScrollTest : public GameTest {
protected:
    // Level 1 solved with `seconds` left; the scroll starts at once (the picture has sunk).
    void Solve(TGame& g, int32_t misc, int32_t seconds, int32_t filledPercent = 0) {
        SetLevel0(misc, 60);
        g.InitLevel(true);
        g.ShowFreezeMessage = g.ShowFlying = g.ShowTorch = false;
        g.ShowMeditation = 0;
        g.GameState = PLAY_GAME;
        g.CurrTime = seconds;
        g.FilledArea = filledPercent;
        g.LevelComplete();
        SFX->ClearPlayLog();
    }
    // One frame of the scroll; a click when asked.
    bool Step(TGame& g, bool click = false) {
        MouseHits[0] = click ? 1 : 0;
        MouseHits[1] = 0;
        bool up = g.RenderLevelComplete();
        MouseHits[0] = 0;
        Flip(0);
        return up;
    }
    int OpenScroll(TGame& g) {
        int frames = 0;
        while (g.lcs_action == 0 && frames < 200) {
            Step(g);
            ++frames;
        }
        return frames;
    }
    // A press on the button at (x, y) and its release in the next frame.
    void PressButton(TGame& g, int x, int y) {
        InputMouseMove(x, y);
        InputMouseButton(MOUSE_LEFT, true);
        ASSERT_TRUE(g.Frame());
        InputMouseButton(MOUSE_LEFT, false);
        ASSERT_TRUE(g.Frame());
    }
};

}  // namespace

TEST_F(ScrollTest, OpensInEightySevenFramesDeafToClicksAndClosesInNinety) {
    TGame game;
    Solve(game, 0, 0);
    for (int i = 0; i < 86; ++i) Step(game, true);
    EXPECT_EQ(game.lcs_action, 0) << "clicks during the opening do nothing";
    EXPECT_EQ(OpenScroll(game), 1) << "open in the 87th frame, whose list already runs";
    EXPECT_LE(game.lcs_offset, 0.0f);
    EXPECT_EQ(game.lcs_step, 1);
    for (int i = 0; i < 10; ++i) Step(game);
    Step(game, true);  // a click while the list builds closes the scroll
    EXPECT_EQ(game.lcs_action, 2);
    int frames = 0, fadeFrame = 0;
    bool up = false;
    while (!up && frames < 200) {
        up = Step(game);
        ++frames;
        if (!fadeFrame && game.GameState == LEVEL_COMPLETE_FADEOUT) fadeFrame = frames;
    }
    EXPECT_EQ(frames, 90);
    EXPECT_EQ(fadeFrame, 69);
    EXPECT_EQ(game.LvlCompleteScore, 1000) << "the final score does not depend on the display";
}

// Every line of a paying level with all bonus modes, in order: each comes in with a sound and
// counts its points at its moment; the Freeze percentage is counted one per frame.
TEST_F(ScrollTest, LinesComeInOrderAndCountTheirPointsUpToTheFinalScore) {
    TGame game;
    player->Score = 10000;
    Solve(game, MISC_TORCH | MISC_FREEZE | MISC_ENLIGHTENMENT | MISC_FLOATING, 3, 87);
    EXPECT_EQ(OpenScroll(game), 87);
    const int32_t final = 10000 + 3 * 125 + 1000 + 87 * 15 + 1500 + 1000 + 2500;
    ASSERT_EQ(game.LvlCompleteScore, final);
    std::vector<int> hits;   // lcs_step of each line's sound
    std::vector<int> gains;  // score gained in each frame that gained
    int frames = 0;
    int32_t before = player->Score;
    while (frames++ < 1200) {
        const int played = Played(16);
        Step(game);
        if (Played(16) > played) hits.push_back(game.lcs_step);
        if (player->Score != before) gains.push_back(player->Score - before);
        before = player->Score;
    }
    // Title, Torch, Freeze, Enlightenment, Floating, time, lamp, new score, the prompt.
    // The timeline waits for the seconds to count down only while they count.
    EXPECT_EQ(hits, (std::vector<int>{60, 120, 240, 361, 481, 600, 781, 901, 961}));
    std::vector<int> expected = {2500};
    for (int i = 0; i < 87; ++i) expected.push_back(15);
    for (int v : {1000, 1500, 125, 125, 125, 1000}) expected.push_back(v);
    EXPECT_EQ(gains, expected);
    EXPECT_EQ(player->Score, final);
    EXPECT_EQ(game.FilledArea, 0);
    EXPECT_EQ(game.CurrTime, 0);
    // The lamp flew onto the scroll and paid with its burst.
    EXPECT_EQ(game.LampX, 208.0f);
    EXPECT_EQ(game.LampY, 192.0f);
    EXPECT_FALSE(game.HintAllowed);
    EXPECT_EQ(Played(6), 1);
}

// A replay of an earlier level pays nothing, and the display must not pretend it does.
TEST_F(ScrollTest, AReplayNeitherCountsTheTimeNorTheLampIntoTheScore) {
    player->MaxLevel.push_back({setFile, 5});
    player->Score = 10000;
    TGame game;
    Solve(game, 0, 40);
    ASSERT_FALSE(game.LevelPays());
    EXPECT_EQ(game.LvlCompleteScore, 10000);
    OpenScroll(game);
    int32_t highest = player->Score;
    for (int i = 0; i < 1200; ++i) {
        Step(game);
        highest = std::max(highest, player->Score);
    }
    EXPECT_EQ(highest, 10000) << "the panel and \"Your new score\" stay at the score";
    EXPECT_EQ(game.CurrTime, 40);
    EXPECT_EQ(Played(1), 0) << "no counting sound";
    EXPECT_EQ(Played(6), 1) << "the lamp still bursts";
}

TEST_F(ScrollTest, ANewRankIsAnnouncedUntilOkay) {
    player->Score = 50000;
    TGame game;
    game.InitLevel(true);
    ASSERT_TRUE(game.ShowNewRank);
    game.Fade = 1.05f;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(game.Frame());
    EXPECT_EQ(game.GameState, FADE_IN) << "the level waits behind the message";
    PressButton(game, 363, 330);
    EXPECT_FALSE(game.ShowNewRank);
    EXPECT_EQ(RankName(player->CurrentRank), "Babbler");
    ASSERT_TRUE(game.Frame());
    EXPECT_EQ(game.GameState, GET_READY);
}

TEST_F(ScrollTest, ModeMessagesComeOneAfterAnotherEachClosedWithOkay) {
    SetLevel0(MISC_FREEZE | MISC_ENLIGHTENMENT | MISC_TORCH, 60);
    TGame game;
    game.InitLevel(true);
    game.Fade = 1.05f;
    ASSERT_TRUE(game.Frame());
    ASSERT_TRUE(game.ShowFreezeMessage);
    PressButton(game, 363, 365);
    EXPECT_FALSE(game.ShowFreezeMessage);
    EXPECT_EQ(game.ShowMeditation, 1) << "Enlightenment next";
    EXPECT_TRUE(game.ShowTorch);
    PressButton(game, 363, 365);
    EXPECT_EQ(game.ShowMeditation, 0);
    EXPECT_TRUE(game.ShowTorch) << "Torch last";
    EXPECT_EQ(game.GameState, FADE_IN);
    PressButton(game, 363, 365);
    EXPECT_FALSE(game.ShowTorch);
    ASSERT_TRUE(game.Frame());
    EXPECT_EQ(game.GameState, GET_READY);
    EXPECT_TRUE(HasCaption(game, "Get ready!"));
}
