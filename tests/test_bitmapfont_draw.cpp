// Drawing lettering with the real renderer.
#include <gtest/gtest.h>

#include "gl_env.hpp"
#include "platform/graphics.hpp"
#include "ui/bitmapfont.hpp"

namespace {
// Columns and rows of the rectangle that hold anything brighter than the background.
struct Ink {
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
};
Ink FindInk(int x, int y, int w, int h) {
    Ink ink;
    PixmapRef pix = GrabPixmap(x, y, w, h);
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx)
            if ((pix->ReadPixel(xx, yy) & 0xFFFFFF) != 0) {
                ink.left = std::min(ink.left, x + xx);
                ink.right = std::max(ink.right, x + xx);
                ink.top = std::min(ink.top, y + yy);
                ink.bottom = std::max(ink.bottom, y + yy);
            }
    return ink;
}
}  // namespace

TEST(BitmapFontDraw, GlyphsLandWhereTheLayoutSays) {
    ASSERT_TRUE(EnsureGraphics());
    TBitmapFont main;
    ASSERT_EQ(main.TryLoadFnt("incbin::../gfx/fonts/Main.fnt"), "");
    ASSERT_EQ(main.TryLoadBitmap("incbin::../gfx/fonts/Main.png"), "");
    ASSERT_EQ(main.FontImage->frames.size(), 224u);

    ResetDrawState();
    SetBlend(ALPHABLEND);
    Cls();
    main.Draw("AB", 100, 100, true);  // first glyph cell at x 85, y 84
    Ink ink = FindInk(60, 60, 120, 80);
    EXPECT_GE(ink.left, 85);
    EXPECT_LE(ink.right, 85 + 14 + 32);
    EXPECT_GE(ink.top, 84);
    EXPECT_LT(ink.bottom, 84 + 32);

    Cls();
    main.Draw("A\nA", 10, 10);  // second line 40 pixels lower
    Ink first = FindInk(0, 0, 60, 45);
    Ink second = FindInk(0, 45, 60, 45);
    EXPECT_EQ(second.top - first.top, 40);

    Cls();
    SetScale(2, 2);
    main.Draw("AA", 10, 10);  // the second glyph starts 28 pixels on
    SetScale(1, 1);
    Ink both = FindInk(0, 0, 200, 80);
    EXPECT_GT(both.right, 10 + 28 + 20);
}

TEST(BitmapFontDraw, MissingPictureIsReported) {
    TBitmapFont main;
    ASSERT_EQ(main.TryLoadFnt("incbin::../gfx/fonts/Main.fnt"), "");
    EXPECT_EQ(main.TryLoadBitmap("incbin::../gfx/fonts/None.png"), "Font not found: incbin::../gfx/fonts/None.png");
    EXPECT_EQ(main.FontImage, nullptr);
    main.Draw("AB", 0, 0);  // draws nothing, and does not fail
}
