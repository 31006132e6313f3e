#include <png.h>

#include <chrono>
#include <cstring>

#include "platform/embedded.hpp"
#include "scratch_dir.hpp"
#include "ui/bitmapfont.hpp"

namespace {
const char* const kFontNames[] = {"Headline", "Headline_hover", "Main", "Main_hover"};

std::string FontPath(const std::string& name, const char* ext) { return "incbin::../gfx/fonts/" + name + ext; }

TBitmapFont LoadMetrics(const std::string& name) {
    TBitmapFont font;
    EXPECT_EQ(font.TryLoadFnt(FontPath(name, ".fnt")), "");
    return font;
}

int Width(const TBitmapFont& f, char c) { return f.CharW[size_t(uint8_t(c) - 31)]; }
}  // namespace

TEST(BitmapFont, StoredMetricsAreTheFixedOnes) {
    for (const char* name : kFontNames) {
        SCOPED_TRACE(name);
        const bool headline = name[0] == 'H';
        const int cell = headline ? 64 : 32;
        TBitmapFont font = LoadMetrics(name);
        EXPECT_EQ(font.FrameWidth, cell);
        EXPECT_EQ(font.FrameHeight, cell);
        EXPECT_EQ(font.Frames, 224);
        EXPECT_EQ(font.CharW[0], 0);
        EXPECT_EQ(Width(font, ' '), headline ? 15 : 7);
        EXPECT_EQ(Width(font, 'A'), headline ? 28 : 14);
        EXPECT_EQ(Width(font, 'B'), headline ? 30 : 16);
        EXPECT_EQ(*std::max_element(font.CharW.begin(), font.CharW.end()), headline ? 41 : 21);
        for (int code = 31; code <= 255; ++code) EXPECT_EQ(font.CharH[size_t(code - 31)], cell) << code;
        for (int code = 33; code < 127; ++code) EXPECT_GT(font.CharW[size_t(code - 31)], 0) << code;
        EXPECT_GT(font.CharW[127 - 31], 0);  // the tick of the check box

        TBitmapFont plain = LoadMetrics(headline ? "Headline" : "Main");
        EXPECT_EQ(font.CharW, plain.CharW);
    }
}

TEST(BitmapFont, MainMetricsFileBytes) {
    std::vector<uint8_t> b;
    ASSERT_TRUE(LoadBytes(FontPath("Main", ".fnt"), b));
    auto lf = std::find(b.begin(), b.end(), uint8_t('\n'));
    ASSERT_NE(lf, b.end());
    ASSERT_EQ(*(lf - 1), '\r');
    size_t body = size_t(lf - b.begin()) + 1;
    const uint8_t expected[] = {0x20, 0, 0,    0, 0x20, 0, 0, 0, 0xE0, 0, 0,    0, 0, 0,
                                0,    0, 0x20, 0, 0,    0, 7, 0, 0,    0, 0x20, 0, 0, 0};
    ASSERT_GE(b.size(), body + sizeof expected);
    EXPECT_EQ(std::memcmp(&b[body], expected, sizeof expected), 0);
    EXPECT_EQ(b.size(), body + 12 + 1800);  // nothing after the pair of code 255
}

TEST(BitmapFont, MeasuringText) {
    TBitmapFont main = LoadMetrics("Main");
    EXPECT_EQ(main.GetWidth("A\nBB"), 32);
    EXPECT_EQ(main.GetWidth("AB"), 30);
    EXPECT_EQ(main.GetWidth(std::string("\x01\x1e\xff", 3)), 0);  // no glyphs, no width
    EXPECT_EQ(main.GetWidth(""), 0);
    EXPECT_EQ(main.GetHeight("A"), 33);
    EXPECT_EQ(main.GetHeight("A\nBB"), 66);
    EXPECT_EQ(main.GetHeight("A\n"), 66);  // the empty last line counts
    EXPECT_EQ(main.GetHeight(""), 1);

    // The tallest glyph so far carries over into later lines.
    TBitmapFont f;
    f.CharH[size_t('a' - 31)] = 10;
    f.CharH[size_t('b' - 31)] = 4;
    EXPECT_EQ(f.GetHeight("a\nb"), 22);
    EXPECT_EQ(f.GetHeight("b\na"), 16);
}

TEST(BitmapFont, LayoutLineSteps) {
    TBitmapFont main = LoadMetrics("Main");
    auto left = main.LayOut("AB\nA", 10, 100, false, 1, 1, true);
    ASSERT_EQ(left.glyphs.size(), 3u);
    EXPECT_EQ(left.glyphs[0].frame, 'A' - 31);
    EXPECT_EQ(left.glyphs[1].x, 24);
    EXPECT_EQ(left.glyphs[1].y, 100);
    EXPECT_EQ(left.glyphs[2].x, 10);
    EXPECT_EQ(left.glyphs[2].y, 140);  // 1.25 cells
    EXPECT_EQ(left.endY, 180);

    auto centred = main.LayOut("AB\nAB", 100, 200, true, 1, 1, true);
    ASSERT_EQ(centred.glyphs.size(), 4u);
    EXPECT_EQ(centred.glyphs[0].x, 85);
    EXPECT_EQ(centred.glyphs[0].y, 184);
    EXPECT_EQ(centred.glyphs[2].y - centred.glyphs[0].y, 24);  // 0.75 cells between centred lines

    auto twice = main.LayOut("AB\nA", 10, 100, false, 2, 2, true);
    EXPECT_EQ(twice.glyphs[1].x, 38);
    EXPECT_EQ(twice.glyphs[2].y, 140);  // the line step ignores the scale

    auto trailing = main.LayOut("A\n", 0, 0, false, 1, 1, true);
    EXPECT_EQ(trailing.glyphs.size(), 1u);
    EXPECT_EQ(trailing.endY, 80);

    auto noPicture = main.LayOut("AB\nAB", 0, 0, true, 1, 1, false);
    EXPECT_TRUE(noPicture.glyphs.empty());
    EXPECT_EQ(noPicture.endY, 80);

    auto skipped = main.LayOut(std::string("A\x05\xff") + "A", 0, 0, false, 1, 1, true);
    ASSERT_EQ(skipped.glyphs.size(), 2u);
    EXPECT_EQ(skipped.glyphs[1].x, 14);

    TBitmapFont headline = LoadMetrics("Headline");
    auto big = headline.LayOut("A\nB", 0, 0, true, 1, 1, true);
    EXPECT_EQ(big.glyphs[1].y - big.glyphs[0].y, 48);
}

TEST(BitmapFont, GlyphPicturesHoldEveryCellAndNoPureBlack) {
    for (const char* name : kFontNames) {
        SCOPED_TRACE(name);
        TBitmapFont font = LoadMetrics(name);
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(LoadBytes(FontPath(name, ".png"), bytes));
        png_image img;
        std::memset(&img, 0, sizeof img);
        img.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_memory(&img, bytes.data(), bytes.size()));
        img.format = PNG_FORMAT_RGBA;
        std::vector<uint8_t> px(PNG_IMAGE_SIZE(img));
        ASSERT_TRUE(png_image_finish_read(&img, nullptr, px.data(), 0, nullptr));
        const int cell = font.FrameWidth, columns = int(img.width) / cell;
        ASSERT_EQ(int(img.width) % cell, 0);
        ASSERT_GE(columns * (int(img.height) / cell), 224);
        for (size_t i = 0; i < px.size(); i += 4)
            ASSERT_FALSE(px[i + 3] == 255 && px[i] == 0 && px[i + 1] == 0 && px[i + 2] == 0) << i / 4;
        // Every character with a width has ink, and the empty ones have none.
        for (int code = 31; code <= 254; ++code) {
            int frame = code - 31, ink = 0;
            for (int y = 0; y < cell; ++y)
                for (int x = 0; x < cell; ++x)
                    ink +=
                        px[(size_t((frame / columns) * cell + y) * img.width + size_t((frame % columns) * cell + x)) *
                               4 +
                           3] > 0;
            bool blank = code == 31 || code == 32 || code == 160 || (code >= 128 && code < 160);
            if (blank)
                EXPECT_EQ(ink, 0) << code;
            else
                EXPECT_GT(ink, 0) << code;
        }
    }
}

TEST(BitmapFont, MetricsFileRoundTripAndMissingSources) {
    TBitmapFont main = LoadMetrics("Main");
    TBankStream out;
    main.SaveFnt(out, "../gfx/fonts/Main.png");
    std::vector<uint8_t> original;
    ASSERT_TRUE(LoadBytes(FontPath("Main", ".fnt"), original));
    EXPECT_EQ(out.Bytes(), original);

    TBitmapFont none;
    EXPECT_EQ(none.TryLoadFnt("data/none.fnt"), "data/none.fnt not found!");
    EXPECT_EXIT(none.LoadFnt("data/none.fnt"), testing::ExitedWithCode(1), "data/none.fnt not found!");
}

TEST(BitmapFont, AnyBrokenInputLoadsQuickly) {
    for (const std::string& path : DataFiles("broken")) {
        SCOPED_TRACE(path);
        auto t0 = std::chrono::steady_clock::now();
        TBitmapFont font;
        EXPECT_EQ(font.TryLoadFnt(path), "");
        font.GetWidth("AB\nC");
        font.GetHeight("AB\nC");
        font.LayOut("AB\nC", 0, 0, true, 1, 1, true);
        EXPECT_LT(SecondsSince(t0), 1.0);
    }
    TBitmapFont cut;
    ASSERT_EQ(cut.TryLoadFnt(std::string(VELMORA_TEST_DATA) + "/broken/font_cut.fnt"), "");
    EXPECT_EQ(cut.CharW[1], 7);
    EXPECT_EQ(cut.CharH[1], 0);  // past the end reads as zero
}
