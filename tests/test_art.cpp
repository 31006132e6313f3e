// Every embedded picture: present, the size and frame grid the game cuts it into, no opaque
// pure black (the loader makes it transparent), backgrounds that never read as silhouette, and
// tiles that cover their own silhouette at every rotation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gl_env.hpp"
#include "platform/graphics.hpp"
#include "platform/stream.hpp"

namespace {

struct Layout {
    const char* path;
    int cellW, cellH, frames;  // frames 1: cellW x cellH is the whole picture
};

const Layout kPictures[] = {
    // puzzle screen
    {"gfx/board.png", 640, 480, 1},
    {"gfx/timeborder.png", 90, 130, 1},
    {"gfx/timeanim.png", 72, 72, 72},
    {"gfx/yinyang.png", 40, 40, 1},
    {"gfx/leveldisplay.png", 85, 118, 1},
    {"gfx/scoremenu.png", 107, 187, 2},
    {"gfx/LampeAnim.png", 57, 86, 64},
    {"gfx/yesno_requester.png", 458, 280, 1},
    {"gfx/default_button.png", 122, 60, 3},
    {"gfx/pointer.png", 32, 32, 16},
    {"gfx/slider.png", 137, 24, 1},
    {"gfx/regler.png", 22, 23, 1},
    // tutorial
    {"gfx/tutorial/bg.png", 640, 480, 1},
    {"gfx/tutorial/screen0.png", 585, 214, 1},
    {"gfx/tutorial/screen1.png", 585, 214, 1},
    {"gfx/tutorial/screen6.png", 585, 214, 1},
    {"gfx/tutorial/screen1_pointer.png", 10, 16, 1},
    {"gfx/tutorial/keyboard.png", 94, 69, 2},
    {"gfx/tutorial/arrow.png", 62, 58, 1},
    {"gfx/tutorial/click.png", 14, 14, 1},
    {"gfx/tutorial/screen6_flash.png", 142, 104, 1},
    {"gfx/tutorial/screen1_tile.png", 44, 43, 1},
    // bonus game
    {"gfx/bonusgame/tiles.png", 40, 40, 160},
    {"gfx/bonusgame/bg.png", 334, 372, 1},
    {"gfx/bonusgame/star_powerup.png", 40, 40, 1},
    {"gfx/bonusgame/timebar.png", 46, 300, 2},
    {"gfx/bonusgame/tutorial.png", 92, 92, 5},
    // effects, scroll, dialogs, map, menus, intro
    {"gfx/end.png", 640, 480, 1},
    {"gfx/butterfly_blue.png", 80, 80, 32},
    {"gfx/butterfly_red.png", 80, 80, 32},
    {"gfx/butterfly_green.png", 90, 90, 32},
    {"gfx/Twister.png", 100, 100, 64},
    {"gfx/light.png", 226, 226, 1},
    {"gfx/rolle/left.png", 110, 80, 32},
    {"gfx/rolle/right.png", 97, 80, 32},
    {"gfx/rolle/mid.png", 328, 30, 1},
    {"gfx/rolle/pergament.png", 340, 420, 1},
    {"gfx/snow.png", 21, 21, 1},
    {"gfx/raindrop.png", 2, 24, 1},
    {"gfx/koli.png", 80, 80, 8},
    {"gfx/editor/panel.png", 640, 29, 3},
    {"gfx/editor/icons.png", 50, 50, 18},
    {"gfx/editor/fahne.png", 128, 229, 1},
    {"gfx/balloons/ed001.png", 75, 26, 1},
    {"gfx/hiscore.png", 640, 480, 1},
    {"gfx/hiscorebar.png", 520, 30, 1},
    {"gfx/card.png", 916, 480, 1},
    {"gfx/card_point.png", 24, 24, 3},
    {"gfx/showmap.png", 44, 42, 1},
    {"gfx/youarehere.png", 57, 67, 1},
    {"gfx/cvt.png", 640, 480, 1},
    {"gfx/intro/tempel.png", 640, 684, 1},
    {"gfx/intro/background.png", 640, 960, 1},
    {"gfx/intro/Wolkenlayer1_vor_tempel.png", 876, 159, 1},
    {"gfx/intro/Wolkenlayer2_vor_tempel.png", 704, 84, 1},
    {"gfx/intro/Wolkenlayer_hinter_tempel.png", 810, 245, 1},
    {"gfx/intro/intro.png", 640, 480, 1},
    {"gfx/mainmenu.png", 640, 480, 1},
    {"gfx/tex_rot.png", 128, 128, 1},
    {"gfx/titlefont.png", 500, 130, 1},
    {"gfx/titlefont_mask.png", 500, 130, 1},
    {"gfx/levelselector_screen.png", 640, 480, 1},
    {"gfx/levelselector_scr_list.png", 217, 240, 2},
    {"gfx/users_requester.png", 430, 370, 3},
    {"gfx/ziehbalken.png", 20, 1, 2},
    {"gfx/Dharma.png", 112, 97, 16},
    {"gfx/name_requester.png", 347, 31, 1},
    {"gfx/levelselector_requester.png", 428, 315, 3},
    {"gfx/fan.png", 200, 112, 1},
    {"gfx/wisdoms.jpg", 640, 480, 1},
};

// The tile pictures: sets 0 (with shadows), 1 and gold; puzzleset1 fig01..05 and puzzleset2 fig05.
std::vector<std::string> TilePaths(bool withShadows) {
    std::vector<std::string> out;
    for (const char* set : {"set_0", "set_1", "set_gold"})
        for (const char* fig : {"puzzleset1/fig01", "puzzleset1/fig02", "puzzleset1/fig03", "puzzleset1/fig04",
                                "puzzleset1/fig05", "puzzleset2/fig05"}) {
            out.push_back(std::string("gfx/") + set + "/" + fig + ".png");
            if (withShadows && std::string(set) == "set_0")
                out.push_back(std::string("gfx/") + set + "/" + fig + "_shadow.png");
        }
    return out;
}

int OpaqueBlack(const TPixmap& p) {
    int n = 0;
    for (uint32_t px : p.pixels) n += (px >> 24) && !(px & 0xffffff);
    return n;
}

}  // namespace

TEST(Art, EveryPictureHasItsFrameGridAndNoOpaqueBlack) {
    for (const auto& e : kPictures) {
        SCOPED_TRACE(e.path);
        PixmapRef p = LoadPixmap(std::string("incbin::../") + e.path);
        ASSERT_TRUE(p) << "missing or unreadable";
        if (e.frames == 1) {
            EXPECT_EQ(p->width, e.cellW);
            EXPECT_EQ(p->height, e.cellH);
        } else {
            EXPECT_EQ(p->width % e.cellW, 0);
            EXPECT_EQ(p->height % e.cellH, 0);
            EXPECT_GE((p->width / e.cellW) * (p->height / e.cellH), e.frames);
        }
        EXPECT_EQ(OpaqueBlack(*p), 0);
    }
    for (int i = 0; i < 12; ++i) {
        std::string path =
            "incbin::../gfx/bonusgame/bing_0" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".png";
        PixmapRef p = LoadPixmap(path);
        ASSERT_TRUE(p) << path;
        EXPECT_EQ(p->width, 15);
        EXPECT_EQ(p->height, 15);
        EXPECT_EQ(OpaqueBlack(*p), 0) << path;
    }
    const int kTileSize[5][2] = {{172, 86}, {119, 60}, {86, 43}, {87, 86}, {130, 43}};
    for (const std::string& path : TilePaths(true)) {
        PixmapRef p = LoadPixmap("incbin::../" + path);
        ASSERT_TRUE(p) << path;
        int fig = path[path.find("fig") + 4] - '1';
        EXPECT_EQ(p->width, kTileSize[fig][0]) << path;
        EXPECT_EQ(p->height, kTileSize[fig][1]) << path;
        EXPECT_EQ(OpaqueBlack(*p), 0) << path;
    }
}

TEST(Art, BackgroundsNeverShowPureBlackInThePlayfield) {
    for (int i = 1; i <= 6; ++i) {
        std::string path = "incbin::../gfx/bg/bg" + std::to_string(i) + ".jpg";
        PixmapRef p = LoadPixmap(path);
        ASSERT_TRUE(p) << path;
        ASSERT_EQ(p->width, 640);
        ASSERT_EQ(p->height, 480);
        int black = 0;
        for (int y = 66; y <= 459; ++y)
            for (int x = 4; x <= 452; ++x) black += !(p->ReadPixel(x, y) & 0xffffff);
        EXPECT_EQ(black, 0) << path;
    }
}

// The silhouette is the tile's own picture drawn black; a tile dropped on it, at any of the
// 16 turns and at a fractional position, must leave none of that black showing.
TEST_F(GfxTest, EveryTileCoversItsOwnSilhouetteAtEveryRotation) {
    SetImageFlags(MASKEDIMAGE | FILTEREDIMAGE | MIPMAPPEDIMAGE);
    AutoMidHandle(true);
    for (const std::string& path : TilePaths(false)) {
        ImageRef img = LoadImage("incbin::../" + path);
        ASSERT_TRUE(img) << path;
        for (int turn = 0; turn < 16; ++turn) {
            for (float offset : {0.0f, 0.4f}) {
                SetClsColor(120, 130, 140);
                Cls();
                SetBlend(ALPHABLEND);
                SetAlpha(1);
                SetRotation(22.5f * float(turn));
                SetColor(0, 0, 0);
                DrawImage(img, 320 + offset, 240 + offset);
                SetColor(255, 255, 255);
                DrawImage(img, 320 + offset, 240 + offset);
                SetRotation(0);
                PixmapRef g = GrabPixmap(200, 120, 240, 240);
                int black = 0;
                for (uint32_t px : g->pixels) black += !(px & 0xffffff);
                EXPECT_EQ(black, 0) << path << " turned " << turn * 22.5 << " shifted " << offset;
            }
        }
    }
    AutoMidHandle(false);
    SetImageFlags(0);
}

TEST(Art, BonusTileFramesSitWhereTheBoardReadsThem) {
    PixmapRef p = LoadPixmap("incbin::../gfx/bonusgame/tiles.png");
    ASSERT_TRUE(p);
    auto centreAlpha = [&](int frame) {
        return int(p->ReadPixel((frame % 16) * 40 + 20, (frame / 16) * 40 + 20) >> 24);
    };
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

TEST(Art, ProgressMapTrailPassesEveryStation) {
    static const int kStations[50][2] = {
        {67, 390},  {92, 388},  {116, 383}, {138, 373}, {158, 358}, {172, 339}, {185, 318}, {193, 295}, {197, 270},
        {192, 246}, {179, 224}, {160, 209}, {142, 194}, {137, 170}, {142, 148}, {162, 137}, {185, 138}, {207, 148},
        {227, 161}, {247, 169}, {270, 176}, {291, 184}, {315, 193}, {337, 205}, {357, 216}, {373, 229}, {395, 244},
        {414, 259}, {432, 275}, {450, 289}, {463, 308}, {478, 328}, {455, 333}, {436, 348}, {427, 369}, {446, 383},
        {469, 387}, {491, 381}, {508, 364}, {524, 346}, {538, 328}, {547, 307}, {556, 285}, {566, 263}, {577, 242},
        {592, 222}, {611, 212}, {630, 199}, {649, 187}, {663, 171},
    };
    PixmapRef p = LoadPixmap("incbin::../gfx/card.png");
    ASSERT_TRUE(p);
    for (const auto& s : kStations) {
        // the station mark is drawn with its top-left corner there; the trail runs under its centre
        uint32_t c = p->ReadPixel(s[0] + 12, s[1] + 12);
        int r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
        SCOPED_TRACE(std::to_string(s[0]) + "," + std::to_string(s[1]));
        EXPECT_GT(r, 150);  // sandy trail, not grass, water or forest
        EXPECT_GT(g, 120);
        EXPECT_LT(b, r);
    }
}
