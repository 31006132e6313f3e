#include <gtest/gtest.h>

#include <cmath>

#include "fx/ambient.hpp"
#include "gl_env.hpp"
#include "platform/random.hpp"

namespace {
// Every effect leaves the drawing state as the next drawer expects it.
void ExpectDefaultDrawState() {
    EXPECT_EQ(GetBlend(), ALPHABLEND);
    EXPECT_FLOAT_EQ(GetAlpha(), 1);
    EXPECT_EQ(GetRotation(), 0);
    float sx, sy;
    GetScale(sx, sy);
    EXPECT_EQ(sx, 1);
    EXPECT_EQ(sy, 1);
}

bool Whole(float v) { return v == std::floor(v); }
}  // namespace

TEST_F(GfxTest, SnowflakePastFiveHundredReappearsAboveWithItsOldLookAndANewDrift) {
    SeedRnd(21);
    FX_Snow snow;
    for (int i = 0; i < FX_Snow::ANZAHL; ++i) {
        ASSERT_TRUE(Whole(snow.x[i]) && snow.x[i] >= 1 && snow.x[i] <= 640);
        ASSERT_TRUE(Whole(snow.y[i]) && snow.y[i] >= 1 && snow.y[i] <= 480);
        ASSERT_GE(snow.scale[i], 0.2f);
        ASSERT_LT(snow.scale[i], 0.5f);
        ASSERT_GE(snow.alpha[i], 0.1f);
        ASSERT_LT(snow.alpha[i], 1.0f);
    }
    for (int i = 0; i < FX_Snow::ANZAHL; ++i) snow.y[i] = 100;
    snow.y[0] = 500;  // still falls
    snow.y[1] = 500.25f;
    snow.r[2] = 10;
    snow.sr[2] = 1.7f;  // turns by whole degrees, cut toward zero
    snow.r[3] = -10;
    snow.sr[3] = -0.9f;
    const float alpha = snow.alpha[1], scale = snow.scale[1], sy0 = snow.sy[0];
    snow.Render();
    ExpectDefaultDrawState();

    EXPECT_FLOAT_EQ(snow.y[0], 500 + sy0);
    EXPECT_EQ(snow.y[1], -20);
    EXPECT_TRUE(Whole(snow.x[1]) && snow.x[1] >= 1 && snow.x[1] <= 640);
    EXPECT_EQ(snow.alpha[1], alpha);
    EXPECT_EQ(snow.scale[1], scale);
    EXPECT_GE(snow.r[1], 1);
    EXPECT_LE(snow.r[1], 360);
    EXPECT_GE(snow.sy[1], 0.7f);
    EXPECT_LT(snow.sy[1], 1.7f);
    EXPECT_EQ(snow.r[2], 11);
    EXPECT_EQ(snow.r[3], -10) << "a slow turn never gets past the truncation";
}

TEST_F(GfxTest, RainCoversTheLeftEdgeAndRestartsAboveTheScreen) {
    SeedRnd(8);
    FX_Rain rain;
    int leftOfScreen = 0;
    for (int i = 0; i < FX_Rain::SLOTS; ++i) {
        ASSERT_GE(rain.y[i], -425);
        ASSERT_LE(rain.y[i], -26);
        ASSERT_GE(rain.x[i], 1 - 300);
        ASSERT_LE(rain.x[i], 640 - 1);
        leftOfScreen += rain.x[i] < 0;
    }
    EXPECT_GT(leftOfScreen, 5) << "drops start up to 300 pixels left of the screen";

    for (int i = 0; i < FX_Rain::SLOTS; ++i) rain.x[i] = rain.y[i] = 100;
    rain.x[0] = 630.5f;  // passes x 640
    rain.y[1] = 470;     // passes y 480
    rain.x[2] = 630;     // lands on 640 exactly: still on screen
    rain.Render();
    ExpectDefaultDrawState();
    for (int i : {0, 1}) {
        EXPECT_EQ(rain.y[i], -25);
        EXPECT_TRUE(Whole(rain.x[i]) && rain.x[i] >= -639 && rain.x[i] <= 639) << rain.x[i];
    }
    EXPECT_EQ(rain.x[2], 640);
    EXPECT_FLOAT_EQ(rain.y[2], 110.3f);
    EXPECT_EQ(rain.x[4], 110) << "ten pixels right and 10.3 down a frame";
    EXPECT_FLOAT_EQ(rain.y[4], 110.3f);
}

TEST_F(GfxTest, FogWispWrapsByItsPictureWidthPlusTheScreen) {
    SeedRnd(13);
    FX_Nebel fog;
    ASSERT_EQ(ImageWidth(fog.img[0]), 876);
    ASSERT_EQ(ImageWidth(fog.img[1]), 704);
    for (int i = 0; i < FX_Nebel::ANZAHL; ++i) {
        fog.x[i] = 200;
        fog.imgno[i] = i % 2;
        fog.speed[i] = 0.5f;
    }
    fog.x[0] = -875.75f;  // picture 0 moves past minus its width
    fog.x[1] = -703.25f;  // picture 1 just does not
    fog.x[3] = -703.75f;  // picture 1 does
    fog.Render();
    ExpectDefaultDrawState();
    EXPECT_FLOAT_EQ(fog.x[0], -876.25f + 876 + 640);
    EXPECT_FLOAT_EQ(fog.x[1], -703.75f);
    EXPECT_FLOAT_EQ(fog.x[3], -704.25f + 704 + 640);
    EXPECT_FLOAT_EQ(fog.x[2], 199.5f);
    for (int i : {0, 3}) {
        EXPECT_TRUE(Whole(fog.y[i]) && fog.y[i] >= 1 && fog.y[i] <= 430);
        EXPECT_GE(fog.alpha[i], 0.3f);
        EXPECT_GE(fog.scale[i], 0.4f);
        EXPECT_EQ(fog.speed[i], 0.5f) << "a wisp keeps its pace";
    }
}

TEST_F(GfxTest, HummingbirdsRestartFromTheLeftOnceOutOfBounds) {
    SeedRnd(17);
    SetBlend(ALPHABLEND);  // as the game draws: the birds keep whatever blending is set
    FX_Kolibri birds;
    for (int i = 0; i < FX_Kolibri::ANZAHL; ++i) {
        EXPECT_GE(birds.sx[i], 0.25f);
        EXPECT_GE(birds.f[i], 1);
        EXPECT_LE(birds.f[i], 7);
        EXPECT_TRUE(Whole(birds.f[i]));
        EXPECT_GE(birds.schweben[i], 10);
        EXPECT_LT(birds.schweben[i], 100);
    }
    // Bounds are -80 to 720 across and -80 to 560 down; landing on a bound keeps the bird.
    struct Case {
        float x, y, sx, sy;
        bool restarts;
    } cases[] = {{719, 200, 1, 0, false},   {719.5f, 200, 1, 0, true},   {300, 558, 0.5f, 2, false},
                 {300, 559, 0.5f, 2, true}, {300, -77, 0.5f, -3, false}, {300, -78, 0.5f, -3, true}};
    for (const Case& c : cases) {
        birds.x[0] = c.x;
        birds.y[0] = c.y;
        birds.sx[0] = c.sx;
        birds.sy[0] = c.sy;
        birds.f[0] = 7.5f;
        birds.Render();
        ExpectDefaultDrawState();
        if (c.restarts) {
            EXPECT_EQ(birds.x[0], -80) << c.x << "," << c.y;
            EXPECT_GE(birds.y[0], 0);
            EXPECT_LT(birds.y[0], 480);
            EXPECT_TRUE(Whole(birds.f[0]) && birds.f[0] >= 1);
        } else {
            EXPECT_EQ(birds.x[0], c.x + c.sx) << c.x << "," << c.y;
            EXPECT_EQ(birds.f[0], 0) << "the wing beat wraps at 8";
        }
    }
}

TEST_F(GfxTest, EachBackgroundRunsItsOwnEffectWhichResumesWhereItStopped) {
    AmbientEffects& fx = Ambient();
    ASSERT_EQ(&fx, &Ambient()) << "made once";
    for (auto& b : fx.Butterfly->sprites) {
        EXPECT_TRUE(b->random);
        EXPECT_GE(b->scale, 0.2f);
        EXPECT_LT(b->scale, 0.5f);
    }
    auto snapshot = [&] {
        return std::vector<float>{fx.Nebel->x[0], fx.Snow->y[0], fx.Rain->y[0], fx.Butterfly->sprites[0]->frame,
                                  fx.Kolibri->f[0]};
    };
    const int owner[6] = {0, 1, 2, 3, 3, 4};
    for (int i = 0; i < 45; ++i) RenderAmbientEffect(2);  // the rain starts above the screen
    for (int bg = 0; bg <= 6; ++bg) {
        const auto before = snapshot();
        SetClsColor(0, 0, 0);
        Cls();
        RenderAmbientEffect(bg);
        ExpectDefaultDrawState();
        const auto after = snapshot();
        PixmapRef p = GrabPixmap(0, 0, 640, 480);
        int lit = 0;
        for (uint32_t px : p->pixels) lit += (px & 0xffffff) != 0;
        for (int e = 0; e < 5; ++e)
            EXPECT_EQ(before[size_t(e)] != after[size_t(e)], bg < 6 && e == owner[bg]) << "background " << bg;
        if (bg < 6)
            EXPECT_GT(lit, 0) << "background " << bg << " draws something";
        else
            EXPECT_EQ(lit, 0) << "unknown backgrounds have no effect";
    }

    // Snow again after the others: it goes on from where it was, it does not start afresh.
    const float y = fx.Snow->y[0], sy = fx.Snow->sy[0];
    RenderAmbientEffect(1);
    if (y <= 500) {
        EXPECT_FLOAT_EQ(fx.Snow->y[0], y + sy);
    }
}

TEST(Ambient, SetUpDrawsFromTheGamesOneGeneratorSoSeededRunsRepeat) {
    SeedRnd(99);
    FX_Snow a;
    FX_Rain ra;
    SeedRnd(99);
    FX_Snow b;
    FX_Rain rb;
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.sr, b.sr);
    EXPECT_EQ(ra.x, rb.x);
    SeedRnd(100);
    FX_Snow c;
    EXPECT_NE(a.x, c.x);
}
