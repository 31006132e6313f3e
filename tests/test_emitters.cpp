#include <gtest/gtest.h>

#include "fx/emitters.hpp"
#include "gl_env.hpp"

TEST_F(GfxTest, SparklesRunThroughTheirTwelveFramesOnce) {
    LoadEmitterImages();
    StarEmitter e;
    e.Init(100, 100, -1.0f);
    for (int frame = 0; frame < 12; ++frame) {
        ASSERT_EQ(e.Stars.size(), 1u) << "alive before render " << frame;
        EXPECT_FLOAT_EQ(e.Stars.front().frame, float(frame));
        e.Render();
    }
    EXPECT_TRUE(e.Stars.empty());
    EXPECT_EQ(GetBlend(), ALPHABLEND);
    EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
}

TEST_F(GfxTest, BurstsMakeCountPlusOneSpecksThatWaitTheirDelay) {
    LoadEmitterImages();
    PEmitter e;
    e.Init(0, 50, 50, 0);
    EXPECT_EQ(e.p.size(), 1u);
    e.Init(100, 50, 50, 0);
    EXPECT_EQ(e.p.size(), 102u);

    PEmitter one;
    one.Init(0, 320, 240, 0);
    one.p.front().alpha = 1.0f;  // fully visible when it shows
    one.p.front().scale = 0.2f;
    one.p.front().dx = one.p.front().dy = one.p.front().gravity = 0;
    one.p.front().r = one.p.front().g = one.p.front().b = 255;
    SetBlend(SOLIDBLEND);
    SetAlpha(0.5f);
    one.Render();  // the delay runs out: nothing drawn yet
    EXPECT_EQ(At(320, 240), 0u);
    EXPECT_EQ(GetBlend(), SOLIDBLEND) << "drawing state is restored";
    EXPECT_FLOAT_EQ(GetAlpha(), 0.5f);
    one.Render();
    EXPECT_NE(At(320, 240), 0u) << "seen from the second frame on, centred on its point";
    // It fades by 0.01 a frame, so it is gone after about a hundred.
    for (int i = 0; i < 100; ++i) one.Render();
    EXPECT_TRUE(one.p.empty());
}
