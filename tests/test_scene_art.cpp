// The scene, menu, dialog and effect pictures: sizes and frame layouts the game's code relies on,
// no opaque pure black (the loader turns it transparent), and the progress map's trail.
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Picture {
    int w = 0, h = 0;
    std::vector<uint8_t> rgba;  // straight alpha, row by row
    const uint8_t* At(int x, int y) const { return &rgba[(size_t(y) * w + x) * 4]; }
};

std::string AssetPath(const std::string& rel) { return std::string(VELMORA_SOURCE_DIR) + "/assets/" + rel; }

bool LoadPng(const std::string& rel, Picture& p) {
    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&img, AssetPath(rel).c_str())) return false;
    img.format = PNG_FORMAT_RGBA;
    p.w = int(img.width);
    p.h = int(img.height);
    p.rgba.resize(PNG_IMAGE_SIZE(img));
    return png_image_finish_read(&img, nullptr, p.rgba.data(), 0, nullptr) != 0;
}

bool LoadJpeg(const std::string& rel, Picture& p) {
    FILE* f = std::fopen(AssetPath(rel).c_str(), "rb");
    if (!f) return false;
    jpeg_decompress_struct d;
    jpeg_error_mgr err;
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_stdio_src(&d, f);
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    p.w = int(d.output_width);
    p.h = int(d.output_height);
    p.rgba.assign(size_t(p.w) * p.h * 4, 255);
    std::vector<uint8_t> row(size_t(p.w) * 3);
    while (d.output_scanline < d.output_height) {
        int y = int(d.output_scanline);
        JSAMPROW r = row.data();
        jpeg_read_scanlines(&d, &r, 1);
        for (int x = 0; x < p.w; ++x)
            for (int k = 0; k < 3; ++k) p.rgba[(size_t(y) * p.w + x) * 4 + k] = row[size_t(x) * 3 + k];
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    std::fclose(f);
    return true;
}

int OpaqueBlackPixels(const Picture& p) {
    int n = 0;
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            const uint8_t* px = p.At(x, y);
            if (px[3] > 0 && px[0] == 0 && px[1] == 0 && px[2] == 0) ++n;
        }
    return n;
}

struct Expected {
    const char* path;
    int w, h;
};

// Whole-file sizes: a strip of N cells of w x h is stored as columns x rows of cells.
const Expected kPictures[] = {
    {"gfx/bonusgame/tiles.png", 640, 400},       {"gfx/bonusgame/bg.png", 334, 372},
    {"gfx/bonusgame/star_powerup.png", 40, 40},  {"gfx/bonusgame/timebar.png", 92, 300},
    {"gfx/bonusgame/tutorial.png", 460, 92},     {"gfx/end.png", 640, 480},
    {"gfx/butterfly_blue.png", 640, 320},        {"gfx/butterfly_red.png", 640, 320},
    {"gfx/butterfly_green.png", 720, 360},       {"gfx/Twister.png", 800, 800},
    {"gfx/light.png", 226, 226},                 {"gfx/rolle/left.png", 880, 320},
    {"gfx/rolle/right.png", 776, 320},           {"gfx/rolle/mid.png", 328, 30},
    {"gfx/rolle/pergament.png", 340, 420},       {"gfx/snow.png", 21, 21},
    {"gfx/raindrop.png", 2, 24},                 {"gfx/koli.png", 640, 80},
    {"gfx/editor/panel.png", 640, 87},           {"gfx/editor/icons.png", 300, 150},
    {"gfx/editor/fahne.png", 128, 229},          {"gfx/balloons/ed001.png", 75, 26},
    {"gfx/hiscore.png", 640, 480},               {"gfx/hiscorebar.png", 520, 30},
    {"gfx/card.png", 916, 480},                  {"gfx/card_point.png", 72, 24},
    {"gfx/showmap.png", 44, 42},                 {"gfx/youarehere.png", 57, 67},
    {"gfx/cvt.png", 640, 480},                   {"gfx/intro/tempel.png", 640, 684},
    {"gfx/intro/background.png", 640, 960},      {"gfx/intro/Wolkenlayer1_vor_tempel.png", 876, 159},
    {"gfx/intro/Wolkenlayer2_vor_tempel.png", 704, 84}, {"gfx/intro/Wolkenlayer_hinter_tempel.png", 810, 245},
    {"gfx/intro/intro.png", 640, 480},           {"gfx/mainmenu.png", 640, 480},
    {"gfx/tex_rot.png", 128, 128},               {"gfx/titlefont.png", 500, 130},
    {"gfx/titlefont_mask.png", 500, 130},        {"gfx/levelselector_screen.png", 640, 480},
    {"gfx/levelselector_scr_list.png", 434, 240}, {"gfx/users_requester.png", 1290, 370},
    {"gfx/ziehbalken.png", 40, 1},               {"gfx/Dharma.png", 448, 388},
    {"gfx/name_requester.png", 347, 31},         {"gfx/levelselector_requester.png", 1284, 315},
    {"gfx/fan.png", 200, 112},
};

TEST(SceneArt, PicturesHaveTheirLayoutAndNoOpaqueBlack) {
    for (const auto& e : kPictures) {
        SCOPED_TRACE(e.path);
        Picture p;
        ASSERT_TRUE(LoadPng(e.path, p));
        EXPECT_EQ(p.w, e.w);
        EXPECT_EQ(p.h, e.h);
        EXPECT_EQ(OpaqueBlackPixels(p), 0);
    }
    for (int i = 0; i < 12; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "gfx/bonusgame/bing_%03d.png", i);
        SCOPED_TRACE(name);
        Picture p;
        ASSERT_TRUE(LoadPng(name, p));
        EXPECT_EQ(p.w, 15);
        EXPECT_EQ(p.h, 15);
        EXPECT_EQ(OpaqueBlackPixels(p), 0);
    }
    Picture wis;
    ASSERT_TRUE(LoadJpeg("gfx/wisdoms.jpg", wis));
    EXPECT_EQ(wis.w, 640);
    EXPECT_EQ(wis.h, 480);
    EXPECT_EQ(OpaqueBlackPixels(wis), 0);
}

TEST(SceneArt, BonusTileFramesSitWhereTheBoardReadsThem) {
    Picture p;
    ASSERT_TRUE(LoadPng("gfx/bonusgame/tiles.png", p));
    auto centreAlpha = [&](int frame) { return p.At((frame % 16) * 40 + 20, (frame / 16) * 40 + 20)[3]; };
    // symbol rows (all shimmer frames), joker, bomb fuse frames, yin-yang and stone are drawn
    for (int f = 0; f < 96; ++f) EXPECT_EQ(centreAlpha(f), 255) << "frame " << f;
    EXPECT_EQ(centreAlpha(96), 255);
    for (int f = 112; f < 144; ++f) EXPECT_GT(centreAlpha(f), 0) << "frame " << f;
    EXPECT_GT(centreAlpha(144), 0);
    EXPECT_EQ(centreAlpha(145), 255);
    // frames 97..111 and 146..159 are never drawn and stay empty
    EXPECT_EQ(centreAlpha(100), 0);
    EXPECT_EQ(centreAlpha(150), 0);
}

TEST(SceneArt, ProgressMapTrailPassesEveryStation) {
    static const int kStations[50][2] = {
        {67, 390},  {92, 388},  {116, 383}, {138, 373}, {158, 358}, {172, 339}, {185, 318}, {193, 295},
        {197, 270}, {192, 246}, {179, 224}, {160, 209}, {142, 194}, {137, 170}, {142, 148}, {162, 137},
        {185, 138}, {207, 148}, {227, 161}, {247, 169}, {270, 176}, {291, 184}, {315, 193}, {337, 205},
        {357, 216}, {373, 229}, {395, 244}, {414, 259}, {432, 275}, {450, 289}, {463, 308}, {478, 328},
        {455, 333}, {436, 348}, {427, 369}, {446, 383}, {469, 387}, {491, 381}, {508, 364}, {524, 346},
        {538, 328}, {547, 307}, {556, 285}, {566, 263}, {577, 242}, {592, 222}, {611, 212}, {630, 199},
        {649, 187}, {663, 171},
    };
    Picture p;
    ASSERT_TRUE(LoadPng("gfx/card.png", p));
    for (const auto& s : kStations) {
        // the station mark is drawn with its top-left corner there; the trail runs under its centre
        const uint8_t* c = p.At(s[0] + 12, s[1] + 12);
        SCOPED_TRACE(std::to_string(s[0]) + "," + std::to_string(s[1]));
        EXPECT_GT(c[0], 150);  // sandy trail, not grass, water or forest
        EXPECT_GT(c[1], 120);
        EXPECT_LT(c[2], c[0]);
    }
}

}  // namespace
