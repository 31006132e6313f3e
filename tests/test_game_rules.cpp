#include <gtest/gtest.h>

#include "game/game.hpp"
#include "puzzle/levelset.hpp"

TEST(Scoring, LevelScoreAddsTimeLampAndModeBonuses) {
    LevelScoreInput plain;
    plain.score = 10000;
    plain.secondsLeft = 40;
    EXPECT_EQ(LevelCompleteScore(plain), 16000);

    LevelScoreInput lampUsed = plain;
    lampUsed.lampUnused = false;
    EXPECT_EQ(LevelCompleteScore(lampUsed), 15000);

    LevelScoreInput untimed = plain;
    untimed.secondsLeft = 0;
    EXPECT_EQ(LevelCompleteScore(untimed), 11000) << "no time limit pays no time bonus";
    untimed.secondsLeft = -3;
    EXPECT_EQ(LevelCompleteScore(untimed), 11000);

    LevelScoreInput both = untimed;
    both.misc = MISC_ENLIGHTENMENT | MISC_MEDITATION;
    EXPECT_EQ(LevelCompleteScore(both), 13000) << "both black-out modes pay 1000 each";

    LevelScoreInput modes = untimed;
    modes.misc = MISC_FLOATING | MISC_TORCH | MISC_TWISTER | MISC_BOMBS;
    EXPECT_EQ(LevelCompleteScore(modes), 11000 + 1500 + 2500);

    LevelScoreInput freeze = untimed;
    freeze.misc = MISC_FREEZE;
    freeze.filledPercent = 87;
    EXPECT_EQ(LevelCompleteScore(freeze), 11000 + 1305);
    freeze.filledPercent = 140;
    EXPECT_EQ(LevelCompleteScore(freeze), 11000 + 1500) << "the percentage is clamped to 100";
    freeze.filledPercent = -5;
    EXPECT_EQ(LevelCompleteScore(freeze), 11000);

    LevelScoreInput replay = plain;
    replay.pays = false;
    EXPECT_EQ(LevelCompleteScore(replay), 10000) << "an earlier level of the set pays nothing";
}

TEST(Scoring, PanelShowsSixDigits) {
    EXPECT_EQ(SixDigitScore(0), "000000");
    EXPECT_EQ(SixDigitScore(1234567), "234567");
    EXPECT_EQ(SixDigitScore(16000), "016000");
    EXPECT_EQ(SixDigitScore(999999), "999999");
}

TEST(Clock, SecondsLeftCountWholeSecondsGone) {
    EXPECT_EQ(ClockSecondsLeft(60, 1000, 1000), 60);
    EXPECT_EQ(ClockSecondsLeft(60, 1000, 1999), 60);
    EXPECT_EQ(ClockSecondsLeft(60, 1000, 2000), 59);
    EXPECT_EQ(ClockSecondsLeft(60, 1000, 1000 + 48000), 12);
    EXPECT_EQ(ClockSecondsLeft(13, 0, 13000), 0);
}

TEST(Modes, TwisterComesEveryFifthOfTheLevelTimeAtLeastTwelveSeconds) {
    EXPECT_EQ(TwisterInterval(60), 12);
    EXPECT_EQ(60 - TwisterInterval(60), 48) << "first whirlwind when 47 seconds are left";
    EXPECT_EQ(TwisterInterval(300), 60);
    EXPECT_EQ(TwisterInterval(30), 12);
    EXPECT_EQ(TwisterInterval(0), 12);
}

TEST(Modes, EnlightenmentBlackOutCycle) {
    float fade = 0;
    int clear = 0, darkening = 0, black = 0, brightening = 0;
    float last = 0;
    // One full cycle: clear, darker, black, brighter, then clear again with fade back at 0.
    for (int frame = 0; frame < 620; ++frame) {
        float b = StepMeditationFade(fade);
        if (b <= 0)
            ++clear;
        else if (b >= 1)
            ++black;
        else if (b > last)
            ++darkening;
        else
            ++brightening;
        last = b;
    }
    EXPECT_EQ(clear, 500);
    EXPECT_NEAR(darkening, 20, 1);
    EXPECT_NEAR(black, 80, 1);
    EXPECT_NEAR(brightening, 20, 1);
    EXPECT_EQ(darkening + black + brightening, 120);
    EXPECT_LT(fade, 0.1f) << "the cycle starts over";
}

TEST(SolutionCheck, CountsOnlyPureBlackIgnoringAlpha) {
    TPixmap pix(10, 10);
    for (auto& p : pix.pixels) p = 0xff102030;
    pix.WritePixel(0, 0, 0xff000000);
    pix.WritePixel(9, 9, 0x00000000);
    pix.WritePixel(5, 5, 0xff000001);
    pix.WritePixel(4, 4, 0xff010000);
    EXPECT_EQ(CountBlackPixels(pix), 2);
    uint32_t a, r, g, b;
    SplitARGB(0x80ff4020, a, r, g, b);
    EXPECT_EQ(a, 0x80u);
    EXPECT_EQ(r, 0xffu);
    EXPECT_EQ(g, 0x40u);
    EXPECT_EQ(b, 0x20u);
}
