#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "fx/butterfly.hpp"
#include "gl_env.hpp"
#include "platform/random.hpp"
#include "platform/timing.hpp"

namespace {
constexpr int kFarAway = -1000;  // a pointer position that never scares anything

// A butterfly sitting at (x, y) after a landing: speed factor 0, rest just begun.
void Land(TButterfly& b, float x, float y) {
    b.x = x;
    b.y = y;
    b.stop = true;
    b.steps = 0;
    b.acc = 0;
}
}  // namespace

TEST(Butterfly, StartsBelowTheScreenNearASideEdge) {
    std::set<int> colours;
    bool left = false, right = false;
    for (int seed = 1; seed <= 30; ++seed) {
        SeedRnd(seed);
        TButterfly b;
        EXPECT_FLOAT_EQ(b.y, 525);
        EXPECT_TRUE((b.x >= 1 && b.x <= 220) || (b.x >= 420 && b.x <= 639)) << b.x;
        left |= b.x <= 220;
        right |= b.x >= 420;
        colours.insert(b.btf);
        EXPECT_EQ(std::fmod(b.steps, 10.0f), 0.0f);
        EXPECT_GE(b.steps, 30);
        EXPECT_LE(b.steps, 100);
        EXPECT_FLOAT_EQ(b.acc, 1);
        EXPECT_FLOAT_EQ(b.scale, 1);
        EXPECT_FALSE(b.random);
        EXPECT_FALSE(b.stop);
    }
    EXPECT_TRUE(left && right);
    EXPECT_EQ(colours, (std::set<int>{0, 1, 2}));
    EXPECT_FALSE(AutoMidHandleEnabled()) << "the loader leaves mid-handling off";
}

TEST(Butterfly, PointerCloseInBothAxesScaresItTowardASideEdgeOncePerThirtyFrames) {
    SeedRnd(11);
    TButterfly b;
    Land(b, 300, 200);
    b.Advance(kFarAway, kFarAway);
    EXPECT_FLOAT_EQ(b.steps, -1) << "resting";

    // 40 pixels away in one axis is not close enough.
    b.Advance(340, 200);
    b.Advance(300, 160);
    EXPECT_EQ(b.verscheucht, 0);
    EXPECT_FLOAT_EQ(b.x, 300);

    b.Advance(339, 161);  // held still next to it from here on
    EXPECT_EQ(b.verscheucht, 30);
    EXPECT_FALSE(b.stop) << "a scared butterfly never lands on that flight";
    EXPECT_FLOAT_EQ(b.Stp, -61);
    EXPECT_FLOAT_EQ(b.acc, 0.01f) << "it starts from rest";
    EXPECT_FLOAT_EQ(b.steps, 20 - 0.01f);
    // x <= 400 heads for the left strip 1..220, 100 to 180 pixels up or down.
    const float tx = 300 + b.dx * 20, ty = 200 + b.dy * 20;
    EXPECT_GE(tx, 1 - 1e-3);
    EXPECT_LE(tx, 220 + 1e-3);
    EXPECT_GE(std::fabs(ty - 200), 100 - 1e-3);
    EXPECT_LE(std::fabs(ty - 200), 180 + 1e-3);
    EXPECT_FLOAT_EQ(b.x, 300 + 0.01f * b.dx) << "moved along the new flight at once";

    // While the cool-down runs the pointer goes unnoticed, even though it still sits close.
    for (int i = 1; i < 30; ++i) {
        const float dxBefore = b.dx;
        b.Advance(int(b.x) + 5, int(b.y) + 5);
        ASSERT_EQ(b.verscheucht, 30 - i);
        ASSERT_FLOAT_EQ(b.dx, dxBefore) << "frame " << i;
    }
    b.Advance(int(b.x) + 5, int(b.y) + 5);
    EXPECT_EQ(b.verscheucht, 30) << "scared again on the 30th frame";
}

TEST(Butterfly, ScaredOnTheRightHalfItFleesToTheRightStrip) {
    SeedRnd(3);
    TButterfly b;
    Land(b, 500, 300);
    b.Advance(500, 300);
    const float tx = 500 + b.dx * 20;
    EXPECT_GE(tx, 420 - 1e-3);
    EXPECT_LE(tx, 639 + 1e-3);
}

TEST(Butterfly, LandingFlightSlowsToRestsSixtyFramesAndTakesOffOnAFlightThatNeverLands) {
    SeedRnd(7);
    TButterfly b;
    b.x = 100;
    b.y = 300;
    b.steps = 1000;  // far from its target, so only the speed factor can end the flight
    b.dx = 1;
    b.dy = 0;
    b.acc = 1;
    b.stop = true;

    int frames = 0;
    float expected = 1;
    while (b.steps > 0) {
        b.Advance(kFarAway, kFarAway);
        ++frames;
        expected -= 0.01f;
        if (expected >= 0) {
            ASSERT_FLOAT_EQ(b.acc, expected) << "frame " << frames;
        }
        ASSERT_LT(frames, 200);
    }
    EXPECT_EQ(frames, 101) << "100 steps of 0.01 bring 1.0 to about 0; the next one falls below";
    EXPECT_EQ(b.acc, 0);
    EXPECT_EQ(b.steps, 0);

    const float restX = b.x, restY = b.y;
    for (int i = 1; i <= 60; ++i) {
        b.Advance(kFarAway, kFarAway);
        ASSERT_FLOAT_EQ(b.steps, float(-i));
        ASSERT_EQ(b.x, restX);
        ASSERT_EQ(b.y, restY);
        ASSERT_TRUE(b.stop);
    }

    b.Advance(kFarAway, kFarAway);  // takes off
    EXPECT_FALSE(b.stop);
    EXPECT_FLOAT_EQ(b.acc, 0.01f);
    EXPECT_GT(b.steps, 29);
    EXPECT_EQ(b.angstp, 0.01f);
    float acc = 0.01f;
    while (b.steps > 0) {
        b.Advance(kFarAway, kFarAway);
        acc = std::min(acc + 0.01f, 1.0f);
        ASSERT_NEAR(b.acc, acc, 1e-5);
        ASSERT_FALSE(b.stop);
    }
}

TEST(Butterfly, TurnsTowardTheTargetInTheFirstNineStepsOnly) {
    SeedRnd(5);
    TButterfly b;
    b.random = true;
    b.x = 320;
    b.y = 240;
    b.stop = true;  // just rested, so the next flight cannot end in a landing
    b.steps = -60;
    b.acc = 1;
    b.ang = 0;
    b.Advance(kFarAway, kFarAway);
    const float heading = b.ang + 8 * b.dang;  // one step taken, eight to go
    for (int i = 0; i < 20 && b.steps > 0; ++i) b.Advance(kFarAway, kFarAway);
    EXPECT_NEAR(b.ang, heading, 1e-3);
    EXPECT_NEAR(heading, ATan2Deg(b.dx, -b.dy), 1e-3) << "the heading points along the flight";
}

TEST(Butterfly, WingsBeatForthAndBackThroughTheStrip) {
    SeedRnd(2);
    TButterfly b;
    b.acc = 1;
    b.stop = false;
    b.steps = 1e9f;  // a flight without end: acc stays 1, each frame moves the beat by 3
    b.dx = b.dy = 0;
    std::vector<int> seen;
    for (int i = 0; i < 21; ++i) {
        b.Advance(kFarAway, kFarAway);
        seen.push_back(b.StripFrame());
    }
    EXPECT_EQ(seen, (std::vector<int>{3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 30, 27, 24, 21, 18, 15, 12, 9, 6, 3, 0}));
    EXPECT_FLOAT_EQ(b.frame, 0);
}

TEST(Butterfly, LeavingTheScreenStartsOver) {
    SeedRnd(9);
    TButterfly b;
    b.y = -51;
    b.steps = 5;
    b.Advance(kFarAway, kFarAway);
    EXPECT_NEAR(b.y, 525, 10) << "back below the bottom edge, on a new flight";
    EXPECT_TRUE(b.x <= 240 || b.x >= 400);
    EXPECT_FLOAT_EQ(b.scale, 1);

    // A roaming butterfly also starts over past the sides or the bottom, with a new size.
    TButterfly r;
    r.random = true;
    r.scale = 0.3f;
    r.x = 721;
    r.y = 100;
    r.Advance(kFarAway, kFarAway);
    EXPECT_GE(r.scale, 0.2f);
    EXPECT_LT(r.scale, 0.7f);
    EXPECT_NEAR(r.y, 525, 10);
    EXPECT_GE(r.x, 1 - 10);
    EXPECT_LE(r.x, 640 + 10);

    TButterfly s;  // edge-to-edge butterflies start below the screen, so that is no reason
    s.y = 530;
    s.steps = 5;
    s.dy = -1;
    s.Advance(kFarAway, kFarAway);
    EXPECT_LT(s.y, 530);
}

TEST_F(GfxTest, ButterflyDrawsItselfOverItsShadowAndRestoresTheDrawingState) {
    SeedRnd(4);
    SetClsColor(200, 200, 200);
    Cls();
    TButterfly b;
    Land(b, 320, 240);
    b.steps = -1;
    b.btf = 0;
    b.frame = 0;  // wings wide open
    b.ang = 0;
    b.Draw();
    EXPECT_EQ(GetRotation(), 0);
    float sx, sy;
    GetScale(sx, sy);
    EXPECT_EQ(sx, 1);
    EXPECT_EQ(sy, 1);
    EXPECT_FLOAT_EQ(GetAlpha(), 1);
    int r, g, bl;
    GetColor(r, g, bl);
    EXPECT_EQ(r + g + bl, 3 * 255);

    // Something was drawn around the centre, and only there.
    int changed = 0, far = 0;
    PixmapRef p = GrabPixmap(0, 0, 640, 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if (Rgb(p, x, y) != 0xc8c8c8) (std::abs(x - 322) <= 42 && std::abs(y - 242) <= 42 ? changed : far)++;
    EXPECT_GT(changed, 200);
    EXPECT_EQ(far, 0);
}
