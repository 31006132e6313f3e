#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "gl_env.hpp"
#include "platform/embedded.hpp"
#include "platform/graphics.hpp"

namespace {

// 3 x 1 picture: opaque, quarter-alpha and fully transparent pixels of one colour.
ImageRef ThreeAlphas() {
    ImageRef img = CreateImage(3, 1, 1, 0);
    auto p = LockImage(img);
    p->WritePixel(0, 0, 0xffc82800);  // (200, 40, 0)
    p->WritePixel(1, 0, 0x40c82800);
    p->WritePixel(2, 0, 0x00c82800);
    ImageChanged(img);
    return img;
}

struct BlendCase {
    int mode;
    uint32_t px[3][3];
};

}  // namespace

class BlendModes : public GfxTest, public ::testing::WithParamInterface<BlendCase> {};

TEST_P(BlendModes, CombineSourceAndDestinationAsDocumented) {
    const BlendCase& c = GetParam();
    SetClsColor(100, 100, 100);
    Cls();
    SetBlend(c.mode);
    DrawImage(ThreeAlphas(), 10, 10);
    auto grab = GrabPixmap(10, 10, 3, 1);
    for (int i = 0; i < 3; ++i) EXPECT_RGB_NEAR(Rgb(grab, i, 0), int(c.px[i][0]), int(c.px[i][1]), int(c.px[i][2]));
}

INSTANTIATE_TEST_SUITE_P(AllFive, BlendModes,
                         ::testing::Values(
                             // mask: below half alpha is not drawn
                             BlendCase{MASKBLEND, {{200, 40, 0}, {100, 100, 100}, {100, 100, 100}}},
                             // solid: alpha ignored altogether
                             BlendCase{SOLIDBLEND, {{200, 40, 0}, {200, 40, 0}, {200, 40, 0}}},
                             BlendCase{ALPHABLEND, {{200, 40, 0}, {125, 85, 75}, {100, 100, 100}}},
                             // light: source x alpha added
                             BlendCase{LIGHTBLEND, {{255, 140, 100}, {150, 110, 100}, {100, 100, 100}}},
                             // shade: multiply, weighted by coverage so transparent pixels leave the destination alone
                             BlendCase{SHADEBLEND, {{78, 16, 0}, {95, 79, 75}, {100, 100, 100}}}));

TEST_F(GfxTest, ColourAndAlphaAreClampedWhenDrawing) {
    SetBlend(ALPHABLEND);
    SetColor(271, -4, 128);
    DrawRect(0, 0, 4, 4);
    EXPECT_RGB_NEAR(At(1, 1), 255, 0, 128);

    SetColor(10, 200, 30);
    SetAlpha(1.5f);
    DrawRect(10, 0, 4, 4);
    EXPECT_RGB_NEAR(At(11, 1), 10, 200, 30);

    SetClsColor(50, 60, 70);
    Cls();
    SetAlpha(-0.2f);
    DrawRect(20, 0, 4, 4);
    EXPECT_RGB_NEAR(At(21, 1), 50, 60, 70);
}

TEST_F(GfxTest, RotationNinetyWithScaleTwoTurnsClockwiseAboutTheHandle) {
    // 2 x 1 picture: red then green; handle on the red pixel's top-left corner.
    ImageRef img = CreateImage(2, 1, 1, 0);
    LockImage(img)->WritePixel(0, 0, 0xffff0101);
    LockImage(img)->WritePixel(1, 0, 0xff01ff01);
    ImageChanged(img);
    SetImageHandle(img, 0, 0);
    SetBlend(SOLIDBLEND);
    SetRotation(90);
    SetScale(2, 2);
    DrawImage(img, 100, 100);
    // Clockwise: the picture's x axis now points down, its y axis to the left.
    EXPECT_RGB_NEAR(At(98, 100), 255, 1, 1);
    EXPECT_RGB_NEAR(At(99, 101), 255, 1, 1);
    EXPECT_RGB_NEAR(At(98, 102), 1, 255, 1);
    EXPECT_RGB_NEAR(At(99, 103), 1, 255, 1);
    EXPECT_EQ(At(100, 100), 0u);
    EXPECT_EQ(At(98, 104), 0u);
}

TEST_F(GfxTest, ViewportClipsDrawingAndClearing) {
    SetColor(255, 255, 255);
    SetViewport(10, 20, 5, 4);
    DrawRect(0, 0, 100, 100);
    SetViewport(0, 0, 640, 480);
    auto g = GrabPixmap(0, 0, 40, 40);
    int lit = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (Rgb(g, x, y)) {
                ++lit;
                EXPECT_TRUE(x >= 10 && x < 15 && y >= 20 && y < 24) << x << "," << y;
            }
    EXPECT_EQ(lit, 20);

    SetClsColor(9, 9, 9);
    SetViewport(0, 0, 2, 2);
    Cls();
    SetViewport(0, 0, 640, 480);
    EXPECT_EQ(At(1, 1), 0x090909u);
    EXPECT_EQ(At(2, 2), 0u);
}

TEST_F(GfxTest, GrabReadsTheFrameBeingDrawnAndOriginShiftsDrawing) {
    SetColor(1, 2, 3);
    SetOrigin(5, 6);
    Plot(3, 4);
    auto g = GrabPixmap(0, 0, 16, 16);
    EXPECT_EQ(Rgb(g, 8, 10), 0x010203u);
    EXPECT_EQ(Rgb(g, 3, 4), 0u);
    // Areas outside the screen read as zero rather than failing.
    auto edge = GrabPixmap(-2, -2, 4, 4);
    EXPECT_EQ(edge->ReadPixel(0, 0), 0u);
    EXPECT_EQ(edge->width, 4);
}

TEST_F(GfxTest, MaskedPicturesLosePureBlackAndMidHandleCentres) {
    auto pix = CreatePixmap(2, 2);
    for (auto& p : pix->pixels) p = 0xff000000;  // opaque pure black
    pix->WritePixel(1, 1, 0xff010101);
    ImageRef img = LoadImageFromPixmap(pix, MASKEDIMAGE);
    EXPECT_EQ(LockImage(img)->ReadPixel(0, 0) >> 24, 0u);
    EXPECT_EQ(LockImage(img)->ReadPixel(1, 1), 0xff010101u);
    MidHandleImage(img);
    EXPECT_FLOAT_EQ(img->handle_x, 1.0f);
    EXPECT_FLOAT_EQ(img->handle_y, 1.0f);
}

TEST_F(GfxTest, StripsCutCellsLeftToRightTopToBottom) {
    auto sheet = CreatePixmap(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) sheet->WritePixel(x, y, 0xff000000u | uint32_t((y / 2) * 2 + x / 2 + 1));
    auto bytes = EncodePixmapPNG(*sheet);
    ASSERT_FALSE(bytes.empty());
    auto s = std::make_shared<TBankStream>(bytes);
    ImageRef strip = LoadAnimImage(s, 2, 2, 1, 3, 0);
    ASSERT_TRUE(strip);
    ASSERT_EQ(strip->frames.size(), 3u);
    EXPECT_EQ(LockImage(strip, 0)->ReadPixel(0, 0) & 0xff, 2u);
    EXPECT_EQ(LockImage(strip, 2)->ReadPixel(1, 1) & 0xff, 4u);
    EXPECT_EQ(LoadImage("incbin::../gfx/no_such_picture.png"), nullptr);
    EXPECT_EQ(LoadImage("/no/such/file.png"), nullptr);
}

// Once drawn, a picture's pixels live only in its texture; everything that reads pixels still
// gets them, frame by frame, exactly as they were loaded.
TEST_F(GfxTest, DrawnPicturesGiveTheirPixelsUpAndGetThemBack) {
    ImageRef strip = CreateImage(5, 3, 3, 0);
    for (int f = 0; f < 3; ++f) {
        auto p = LockImage(strip, f);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                p->WritePixel(x, y, (x + y) % 2 ? 0u : 0xff000000u | uint32_t(f * 70 + x * 9 + y));
    }
    ImageChanged(strip);
    std::vector<std::vector<uint32_t>> before;
    for (int f = 0; f < 3; ++f) before.push_back(LockImage(strip, f)->pixels);

    SetBlend(SOLIDBLEND);
    DrawImage(strip, 0, 0, 1);
    Flip(0);
    EXPECT_TRUE(strip->frames[0]->pixels.empty()) << "the drawn picture should not be held twice";
    ASSERT_EQ(strip->frames.size(), 3u);

    // Collisions read them back...
    ResetCollisions();
    EXPECT_FALSE(CollideImage(strip, 100, 100, 2, 0, 1));
    EXPECT_TRUE(CollideRect(100, 100, 1, 1, 1, 0)) << "the opaque top-left pixel was written";
    EXPECT_FALSE(CollideRect(101, 100, 1, 1, 1, 0)) << "the transparent one was not";
    ResetCollisions();
    // ...and so does an edit, which leaves the other frames as they were.
    for (int f = 0; f < 3; ++f) EXPECT_EQ(LockImage(strip, f)->pixels, before[size_t(f)]) << "frame " << f;
    SetClsColor(0, 0, 0);
    Cls();
    DrawImage(strip, 0, 0, 1);
    GrabImage(strip, 0, 0, 0);  // frame 0 becomes what frame 1 looks like on screen
    Cls();
    DrawImage(strip, 10, 0, 2);
    EXPECT_RGB_NEAR(At(10, 0), 0, 0, 140);
    EXPECT_EQ(LockImage(strip, 2)->pixels, before[2]);
    EXPECT_EQ(LockImage(strip, 0)->ReadPixel(4, 0) & 0xffffff, 70u + 36u);
}

// Long runs tell a leak from pictures in use by this count, so an upload, a re-upload after an
// edit and a release must each leave it right.
TEST_F(GfxTest, TextureMemoryCountsEachLivePictureOnce) {
    const TextureMemory before = LiveTextureMemory();
    ImageRef plain = CreateImage(40, 20, 1, 0);
    ImageRef mipped = CreateImage(40, 20, 1, FILTEREDIMAGE | MIPMAPPEDIMAGE);
    SetBlend(SOLIDBLEND);
    DrawImage(plain, 0, 0);
    DrawImage(mipped, 50, 0);
    Flip(0);
    const TextureMemory drawn = LiveTextureMemory();
    EXPECT_EQ(drawn.count, before.count + 2);
    const int64_t added = drawn.bytes - before.bytes;
    EXPECT_GE(added, 2 * 40 * 20 * 4);
    EXPECT_LT(added, 2 * 64 * 32 * 4 * 4 / 3) << "padding at most to the next powers of two";

    LockImage(plain, 0)->WritePixel(1, 1, 0xff00ff00u);
    ImageChanged(plain);
    DrawImage(plain, 0, 0);
    Flip(0);
    EXPECT_EQ(LiveTextureMemory().bytes, drawn.bytes) << "an edited picture replaces its texture";
    EXPECT_EQ(LiveTextureMemory().count, drawn.count);

    plain.reset();
    mipped.reset();
    EXPECT_EQ(LiveTextureMemory().count, before.count);
    EXPECT_EQ(LiveTextureMemory().bytes, before.bytes);
}

TEST_F(GfxTest, SpritesOfOneTextureGoOutInOneDrawCall) {
    ImageRef a = ThreeAlphas(), b = ThreeAlphas();
    Flip(0);  // start counting afresh
    SetBlend(ALPHABLEND);
    for (int i = 0; i < 50; ++i) DrawImage(a, float(i), 0);
    for (int i = 0; i < 50; ++i) DrawImage(b, float(i), 5);
    SetBlend(LIGHTBLEND);
    DrawImage(b, 0, 10);
    Flip(0);
    // Released right after drawing, a picture still reaches the screen.
    SetBlend(SOLIDBLEND);
    DrawImage(ThreeAlphas(), 0, 20);
    EXPECT_RGB_NEAR(At(0, 20), 200, 40, 0);
    EXPECT_EQ(DrawCallsLastFrame(), 3);
}

TEST(Collisions, PixelExactWithRotationAndScale) {
    ImageRef img = CreateImage(10, 10, 1, 0);
    for (auto& p : LockImage(img)->pixels) p = 0xffffffff;
    MidHandleImage(img);
    ResetDrawState();
    ResetCollisions();
    CollideImage(img, 100, 100, 0, 0, 1);
    EXPECT_TRUE(CollideRect(104, 104, 1, 1, 1, 0));
    EXPECT_FALSE(CollideRect(106, 100, 1, 1, 1, 0));
    EXPECT_FALSE(CollideRect(104, 104, 1, 1, 2, 0)) << "other layers are empty";

    ResetCollisions();
    SetScale(2, 2);
    CollideImage(img, 100, 100, 0, 0, 1);
    SetScale(1, 1);
    EXPECT_TRUE(CollideRect(108, 100, 1, 1, 1, 0));
    EXPECT_FALSE(CollideRect(111, 100, 1, 1, 1, 0));

    // Turned by 45 degrees the corners reach out along the axes to about 7 pixels.
    ResetCollisions();
    SetRotation(45);
    CollideImage(img, 100, 100, 0, 0, 1);
    SetRotation(0);
    EXPECT_TRUE(CollideRect(106, 100, 1, 1, 1, 0));
    EXPECT_FALSE(CollideRect(104, 104, 1, 1, 1, 0));

    // Transparent pixels never collide.
    ResetCollisions();
    for (auto& p : LockImage(img)->pixels) p = 0;
    LockImage(img)->WritePixel(0, 0, 0xffffffff);
    CollideImage(img, 100, 100, 0, 0, 1);
    EXPECT_TRUE(CollideRect(95, 95, 1, 1, 1, 0));
    EXPECT_FALSE(CollideRect(100, 100, 1, 1, 1, 0));
    EXPECT_TRUE(ImagesCollide(img, 100, 100, 0, img, 100, 100, 0));
    EXPECT_FALSE(ImagesCollide(img, 100, 100, 0, img, 101, 100, 0));
    ResetCollisions();
}

TEST(Window, MousePositionsMapBackToLogicalPixelsWhateverTheWindowSize) {
    int x, y;
    MapWindowToLogical(640, 480, 640, 480, 17, 33, x, y);
    EXPECT_EQ(x, 17);
    EXPECT_EQ(y, 33);
    // Twice the size: each logical pixel is 2 x 2 window pixels.
    MapWindowToLogical(1280, 960, 1280, 960, 1279, 959, x, y);
    EXPECT_EQ(x, 639);
    EXPECT_EQ(y, 479);
    // A wide window keeps the aspect ratio with bars left and right: 1920 x 1080 shows 1440 x 1080.
    MapWindowToLogical(1920, 1080, 1920, 1080, 240, 0, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    MapWindowToLogical(1920, 1080, 1920, 1080, 100, 540, x, y);
    EXPECT_LT(x, 0) << "a point in the bar is off the logical screen";
    MapWindowToLogical(1920, 1080, 1920, 1080, 960, 540, x, y);
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);
    // High-DPI: the drawable has twice the pixels of the window's points.
    MapWindowToLogical(1280, 960, 640, 480, 320, 240, x, y);
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);
}

// A mipmapped picture drawn at an eighth of its size shows the average of its pixels, not one
// of them and not the black of an incomplete mip chain; odd sizes halve down to 1 x 1 too.
TEST_F(GfxTest, MipmappedPicturesAverageWhenDrawnSmall) {
    for (auto [w, h] : {std::pair{64, 64}, std::pair{75, 47}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        ImageRef img = CreateImage(w, h, 1, FILTEREDIMAGE | MIPMAPPEDIMAGE);
        auto p = LockImage(img);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) p->WritePixel(x, y, (x + y) % 2 ? 0xffffffffu : 0xff000000u);
        ImageChanged(img);
        SetClsColor(255, 0, 0);
        Cls();
        SetBlend(SOLIDBLEND);
        SetScale(0.125f, 0.125f);
        DrawImage(img, 200, 200);
        EXPECT_RGB_NEAR(At(203, 202), 128, 128, 128);
    }
}

// Start-up loads the GL driver on a thread before the window; neither that nor a second load
// once the window is open may disturb drawing.
TEST(GfxWarmUp, LoadingTheDriverAheadOfOrBesideTheWindowIsHarmless) {
    std::thread warmUp(WarmUpGraphicsDriver);
    warmUp.join();
    ASSERT_TRUE(EnsureGraphics());
    WarmUpGraphicsDriver();
    SetBlend(SOLIDBLEND);
    SetColor(10, 200, 30);
    DrawRect(5, 5, 4, 4);
    EXPECT_RGB_NEAR(GrabPixmap(6, 6, 1, 1)->ReadPixel(0, 0) & 0xffffff, 10, 200, 30);
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
}

// Every way a sprite can reach the software renderer's fast paths (whole or half pixels,
// opaque or translucent texels, plain or tinted colour and alpha) gives the colour the blend
// formula says. Tinted sprites once came out blank or wrong on one of those paths.
TEST_F(GfxTest, TintedAndPlainSpritesBlendAsTheFormulaSays) {
    const int bg = 40;
    const int tex[3] = {0xc0, 0x80, 0x40};
    for (int texAlpha : {255, 128})
        for (float alpha : {1.0f, 0.5f})
            for (int tint : {255, 128})
                for (float offset : {0.0f, 0.5f})
                    for (int mode : {ALPHABLEND, LIGHTBLEND, MASKBLEND, SOLIDBLEND}) {
                        SCOPED_TRACE("texel alpha " + std::to_string(texAlpha) + ", alpha " + std::to_string(alpha) +
                                     ", tint " + std::to_string(tint) + ", offset " + std::to_string(offset) +
                                     ", mode " + std::to_string(mode));
                        ImageRef img = CreateImage(64, 64, 1, FILTEREDIMAGE);
                        for (auto& px : LockImage(img)->pixels) px = (uint32_t(texAlpha) << 24) | 0xc08040u;
                        ImageChanged(img);
                        SetBlend(SOLIDBLEND);
                        SetClsColor(bg, bg, bg);
                        Cls();
                        SetBlend(mode);
                        SetAlpha(alpha);
                        SetColor(tint, tint, tint);
                        DrawImage(img, 100 + offset, 100);
                        SetAlpha(1);
                        SetColor(255, 255, 255);
                        const double a = texAlpha / 255.0 * alpha;
                        int want[3];
                        for (int c = 0; c < 3; ++c) {
                            const double src = tex[c] * tint / 255.0;
                            double out = src;
                            if (mode == ALPHABLEND) out = src * a + bg * (1 - a);
                            if (mode == LIGHTBLEND) out = std::min(255.0, bg + src * a);
                            if (mode == MASKBLEND) out = a >= 0.5 ? src : bg;
                            want[c] = int(out + 0.5);
                        }
                        EXPECT_RGB_NEAR(At(130, 130), want[0], want[1], want[2]);
                    }
}

// Unturned and unscaled on whole pixels a filtered picture comes out texel for texel; half a
// pixel over, its neighbours mix. A rectangle at alpha 0 changes nothing in any blending mode.
TEST_F(GfxTest, WholePixelDrawsAreExactAndInvisibleOnesLeaveTheFrame) {
    ImageRef img = CreateImage(16, 16, 1, FILTEREDIMAGE | MIPMAPPEDIMAGE);
    auto p = LockImage(img);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) p->WritePixel(x, y, x % 2 ? 0xffffffffu : 0xff000000u);
    ImageChanged(img);
    SetClsColor(255, 0, 0);
    Cls();
    SetBlend(ALPHABLEND);
    DrawImage(img, 200, 200);
    DrawImage(img, 300.5f, 200);
    EXPECT_RGB_NEAR(At(204, 204), 0, 0, 0);
    EXPECT_RGB_NEAR(At(205, 204), 255, 255, 255);
    // The software renderer's fast bilinear path weighs in 8-bit steps.
    for (int x : {305, 306}) EXPECT_NEAR(int(At(x, 204) & 255), 128, 3);

    auto before = GrabPixmap(0, 0, 640, 480);
    SetColor(0, 0, 0);
    SetAlpha(0);
    for (int mode : {ALPHABLEND, LIGHTBLEND, MASKBLEND}) {
        SetBlend(mode);
        DrawRect(0, 0, 640, 480);
        DrawImage(img, 200, 200);
    }
    SetAlpha(1);
    SetColor(255, 255, 255);
    EXPECT_EQ(GrabPixmap(0, 0, 640, 480)->pixels, before->pixels);
}

// Layers are cleared row range by row range; whatever was written anywhere must be gone after
// a reset, and a layer written again must hold only the new pixels.
TEST(Collisions, ResetForgetsEveryRowAndLayersStayApart) {
    ResetDrawState();
    ResetCollisions();
    CollideRect(-600, -470, 2, 2, 0, 1 | 4);  // far off the top left
    CollideRect(1200, 900, 2, 2, 0, 1);       // far off the bottom right
    CollideRect(320, 240, 2, 2, 0, 2);
    EXPECT_TRUE(CollideRect(-600, -470, 1, 1, 1, 0));
    EXPECT_TRUE(CollideRect(-600, -470, 1, 1, 4, 0));
    EXPECT_TRUE(CollideRect(1201, 901, 1, 1, 1, 0));
    EXPECT_FALSE(CollideRect(320, 240, 1, 1, 1 | 4, 0));
    EXPECT_TRUE(CollideRect(320, 240, 1, 1, 1 | 2, 0));
    ResetCollisions(1);
    EXPECT_FALSE(CollideRect(-600, -470, 1, 1, 1, 0));
    EXPECT_FALSE(CollideRect(1201, 901, 1, 1, 1, 0));
    EXPECT_TRUE(CollideRect(-600, -470, 1, 1, 4, 0)) << "other layers keep theirs";
    CollideRect(10, 10, 1, 1, 0, 1);
    EXPECT_TRUE(CollideRect(10, 10, 1, 1, 1, 0));
    EXPECT_FALSE(CollideRect(1201, 901, 1, 1, 1, 0));
    ResetCollisions();
    EXPECT_FALSE(CollideRect(-1000, -1000, 3000, 3000, 0xffffffffu, 0));
}

// The rasterizer skips the parts of each row that cannot reach the frame; every pixel it
// marks must still be exactly those whose centre, turned back into the frame, lands on an
// opaque pixel, whatever the turn, scale and position.
TEST(Collisions, TurnedAndScaledFramesMarkExactlyTheCoveredPixels) {
    const int w = 13, h = 7;
    ImageRef img = CreateImage(w, h, 1, 0);
    auto pix = LockImage(img);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pix->WritePixel(x, y, (x * 3 + y * 5) % 4 ? 0xffffffffu : 0);
    SetImageHandle(img, 3.5f, 2);
    for (float rot : {0.0f, 22.5f, 45.0f, 90.0f, 135.0f, 180.0f, 270.0f, 333.0f})
        for (auto [sx, sy] : {std::pair{1.0f, 1.0f}, {0.5f, 0.5f}, {2.0f, 2.0f}, {1.5f, 0.75f}}) {
            SCOPED_TRACE("turn " + std::to_string(rot) + ", scale " + std::to_string(sx) + " x " + std::to_string(sy));
            const float x = 200.3f, y = 150.6f;
            ResetDrawState();
            ResetCollisions();
            SetRotation(rot);
            SetScale(sx, sy);
            CollideImage(img, x, y, 0, 0, 1);
            ResetDrawState();
            const double c = std::cos(rot * 3.14159265358979 / 180.0), s = std::sin(rot * 3.14159265358979 / 180.0);
            // Small tests first ask the written frame itself; a big test turns it into the
            // layer's bits, and the second pass asks those. Both must agree with the formula.
            for (int pass = 0; pass < 2; ++pass) {
                SCOPED_TRACE(pass ? "from the layer's bits" : "from the written frame");
                if (pass == 1) CollideRect(0, 0, 640, 480, 1, 0);
                int marked = 0;
                for (int Y = 150 - 40; Y <= 150 + 40; ++Y)
                    for (int X = 200 - 40; X <= 200 + 40; ++X) {
                        const double dx = X + 0.5 - x, dy = Y + 0.5 - y;
                        const double u = (dx * c + dy * s) / sx + 3.5, v = (-dx * s + dy * c) / sy + 2;
                        const bool covered =
                            u >= 0 && v >= 0 && u < w && v < h && (pix->ReadPixel(int(u), int(v)) >> 24) != 0;
                        ASSERT_EQ(CollideRect(float(X), float(Y), 1, 1, 1, 0), covered) << "at " << X << ", " << Y;
                        marked += covered;
                    }
                EXPECT_GT(marked, 5);
            }
        }
    ResetCollisions();
}

// A layer written frame after frame without a reset keeps every write, whether the writes are
// still waiting or already marked; a frame given up by its picture after the write still counts.
TEST(Collisions, ManyWritesWithoutAResetAllCount) {
    ResetDrawState();
    ResetCollisions();
    for (int i = 0; i < 300; ++i) CollideRect(float(i * 2), 10, 1, 1, 0, 2);
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(CollideRect(float(i * 2), 10, 1, 1, 2, 0)) << i;
        ASSERT_FALSE(CollideRect(float(i * 2 + 1), 10, 1, 1, 2, 0)) << i;
    }
    ImageRef img = CreateImage(4, 4, 1, 0);
    LockImage(img)->WritePixel(1, 1, 0xffffffffu);
    CollideImage(img, 50, 50, 0, 0, 2);
    DrawImage(img, 50, 50);  // the upload hands the pixels to the texture
    EXPECT_TRUE(CollideRect(51, 51, 1, 1, 2, 0));
    EXPECT_FALSE(CollideRect(52, 51, 1, 1, 2, 0));
    ResetCollisions();
    EXPECT_FALSE(CollideRect(-1000, -1000, 3000, 3000, 0xffffffffu, 0));
}

namespace {
// Resident kB of the mappings whose header line in /proc/self/smaps `matches`, from the kernel's
// own account; -1 when none does.
long ResidentKbOf(const std::function<bool(const std::string&)>& matches) {
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    bool inside = false;
    long kb = -1;
    while (std::getline(smaps, line)) {
        if (line.find(':') == std::string::npos || line.find(' ') < line.find(':')) {
            inside = matches(line);
            if (inside && kb < 0) kb = 0;
        } else if (inside && line.rfind("Rss:", 0) == 0) {
            kb += std::atol(line.c_str() + 4);
        }
    }
    return kb;
}

// Resident kB of a shared library's code; -1 when not loaded.
long ResidentCodeKbOf(const char* library) {
    return ResidentKbOf([library](const std::string& h) {
        return h.find(library) != std::string::npos && h.find(" r-xp ") != std::string::npos;
    });
}

// Resident kB of the mapping that holds the address.
long ResidentKbOfMappingAt(const void* at) {
    const uintptr_t a = uintptr_t(at);
    return ResidentKbOf([a](const std::string& h) {
        const uintptr_t from = std::stoull(h, nullptr, 16), to = std::stoull(h.substr(h.find('-') + 1), nullptr, 16);
        return from <= a && a < to;
    });
}
}  // namespace

// The driver's start-up code pages are handed back after it loaded; the shader compiler that
// runs later must find its code again, and what it draws must not change.
TEST(GfxWarmUp, GivingTheDriverCodePagesBackKeepsShadersCompilingAndDrawing) {
    ASSERT_TRUE(EnsureGraphics());
    if (ResidentCodeKbOf("libLLVM") < 0) GTEST_SKIP() << "this driver does not use LLVM";
    ReleaseDriverCodePages();
    // Nothing runs the compiler meanwhile, so next to nothing of its code is left.
    EXPECT_LT(ResidentCodeKbOf("libLLVM"), 1024);
    // A state this process has not drawn with yet, so the compiler has to run again. The
    // picture keeps its handle at the top left whatever earlier tests switched on.
    AutoMidHandle(false);
    ImageRef img = CreateImage(16, 16, 1, FILTEREDIMAGE);
    auto p = LockImage(img);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) p->WritePixel(x, y, 0x80204060u);
    ImageChanged(img);
    ResetDrawState();
    SetClsColor(0, 0, 0);
    Cls();
    SetBlend(ALPHABLEND);
    SetRotation(45);
    DrawImage(img, 100, 100);
    // Half-transparent on black, turned about its top-left corner: the middle lands below it.
    EXPECT_RGB_NEAR(GrabPixmap(100, 110, 1, 1)->ReadPixel(0, 0) & 0xffffff, 0x10, 0x20, 0x30);
    EXPECT_EQ(LockImage(img)->ReadPixel(3, 3), 0x80204060u);
    ResetDrawState();
}

// The embedded files' pages are given back now and then during play: what a loader reads
// afterwards must be the same bytes, and the pages must really leave.
TEST(IdlePages, GivingTheEmbeddedFilesPagesBackKeepsTheirBytes) {
    RegisterEmbeddedFiles();
    auto checksum = [] {
        uint64_t sum = 0, total = 0;
        for (const EmbeddedFile& f : EmbeddedFiles()) {
            if (f.name.rfind("../test/", 0) == 0) continue;  // registered by tests from their own buffers
            for (size_t i = 0; i < f.size; ++i) sum = sum * 1099511628211ull + f.data[i];
            total += f.size;
        }
        return std::make_pair(sum, total);
    };
    const auto [before, bytes] = checksum();
    ASSERT_GT(bytes, 4u << 20) << "the build embeds its pictures, sounds and levels";
    const void* at = FindEmbeddedFile("../data/Jewels of Dharma.lvl")->data;
    const long touched = ResidentKbOfMappingAt(at);
    ReleaseEmbeddedPages();
    EXPECT_LT(ResidentKbOfMappingAt(at), touched - long(bytes / 1024) / 2);
    EXPECT_EQ(checksum().first, before);
}

// Embedded pictures decode when first needed: until then they hold no pixels, and what they
// show or give to readers is exactly what decoding at load gave, masked and cut into cells alike.
TEST_F(GfxTest, EmbeddedPicturesDecodeWhenFirstNeededIntoTheSamePixels) {
    RegisterEmbeddedFiles();
    const std::string icons = "incbin::../gfx/editor/icons.png";
    ImageRef late = LoadAnimImage(icons, 50, 50, 3, 5, MASKEDIMAGE);
    ImageRef now = LoadAnimImage(ReadStream(icons), 50, 50, 3, 5, MASKEDIMAGE);
    ASSERT_TRUE(late && now);
    ASSERT_EQ(late->frames.size(), 5u);
    EXPECT_EQ(ImageWidth(late), 50);
    EXPECT_TRUE(late->frames[0]->pixels.empty());
    for (int f = 0; f < 5; ++f) EXPECT_EQ(LockImage(late, f)->pixels, now->frames[size_t(f)]->pixels) << "cell " << f;

    const std::string board = "incbin::../gfx/board.png";
    ImageRef drawn = LoadImage(board, 0);
    ImageRef eager = LoadImage(ReadStream(board), 0);
    ASSERT_TRUE(drawn && eager);
    EXPECT_EQ(ImageHeight(drawn), ImageHeight(eager));
    SetBlend(SOLIDBLEND);
    DrawImage(drawn, 0, 0);
    const uint32_t mid = eager->frames[0]->ReadPixel(ImageWidth(eager) / 2, ImageHeight(eager) / 2);
    EXPECT_EQ(At(ImageWidth(eager) / 2, ImageHeight(eager) / 2), mid & 0xffffff);

    // A header that promises a picture whose data is cut short: the load may succeed, but the
    // picture then stays transparent instead of reading past the bytes.
    std::vector<uint8_t> bytes = ReadStream(board)->ReadAll();
    static std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + long(bytes.size() / 3));
    RegisterEmbeddedFile("../test/cut.png", cut.data(), cut.size());
    if (ImageRef broken = LoadImage("incbin::../test/cut.png", 0)) {
        DrawImage(broken, 0, 0);
        EXPECT_EQ(LockImage(broken)->ReadPixel(1, 1), 0u);
    }
    EXPECT_EQ(LoadImage("incbin::../test/none.png", 0), nullptr);
    SetBlend(ALPHABLEND);
}
