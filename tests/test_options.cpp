// The preferences dialog clicked through as a player does: pages, the audio sliders, the song
// choice and what "Okay" keeps.
#include <gtest/gtest.h>

#include "game/board.hpp"
#include "game_env.hpp"
#include "ui/options.hpp"

namespace {

constexpr int kX = 100, kY = 50;  // where the game draws the dialog

class OptionsTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        if (!MusicChannel) MusicChannel = AllocChannel();
    }
    void Show(TOptions& o) {
        Cls();
        UpdateInput();
        o.Render(kX, kY);
        Flip(0);
    }
    // A press on (x, y) and its release in the next frame.
    void Click(TOptions& o, int x, int y) {
        InputMouseMove(x, y);
        InputMouseButton(MOUSE_LEFT, true);
        Show(o);
        InputMouseButton(MOUSE_LEFT, false);
        Show(o);
    }
};

}  // namespace

TEST_F(OptionsTest, PagesOpenByClickAndOkayLeadsBackToTheMainPage) {
    TOptions o;
    for (int i = 0; i < 10; ++i) Show(o);
    EXPECT_GE(o.Alpha, 1.0f);
    const struct {
        int y;
        int32_t page;
        int okayY;
    } pages[] = {{kY + 140, R_GFX, kY + 275}, {kY + 175, R_SFX, kY + 35 + 255}, {kY + 210, R_GAMEPLAY, kY + 270}};
    for (const auto& p : pages) {
        Click(o, kX + 228, p.y);
        EXPECT_EQ(o.CurrReq, p.page);
        Click(o, kX + 228, p.okayY);
        EXPECT_EQ(o.CurrReq, R_MAIN) << p.page;
    }
    // "Back to main menu" asks first; "No" returns, "Sure" leaves.
    Click(o, kX + 228, kY + 245);
    EXPECT_EQ(o.CurrReq, R_BACK);
    Click(o, kX + 350, kY + 230);
    EXPECT_EQ(o.CurrReq, R_MAIN);
    Click(o, kX + 228, kY + 245);
    Click(o, kX + 110, kY + 230);
    EXPECT_EQ(o.CurrReq, R_BACKTOMAIN);
    // "Okay" on the main page fades the dialog out and closes it.
    TOptions closing;
    for (int i = 0; i < 10; ++i) Show(closing);
    Click(closing, kX + 228, kY + 300);
    EXPECT_EQ(closing.CurrReq, R_FADEOUT);
    for (int i = 0; i < 12 && closing.CurrReq == R_FADEOUT; ++i) Show(closing);
    EXPECT_EQ(closing.CurrReq, R_CLOSE);
}

TEST_F(OptionsTest, MusicSliderSetsTheVolumeWhileDraggedAndOkayKeepsBothSliders) {
    player->MusicVolume = 100;
    player->SFXVolume = 40;
    TOptions o;
    o.CurrReq = R_SFX;
    const int trackX = kX + 250, sliderY = kY + 35 + 126 + 10;
    InputMouseMove(trackX + 20, sliderY);
    InputMouseButton(MOUSE_LEFT, true);
    Show(o);
    InputMouseMove(trackX + 59, sliderY);  // half way along the 118-pixel track
    Show(o);
    Show(o);
    EXPECT_EQ(player->MusicVolume, 50) << "heard while the knob moves";
    EXPECT_FLOAT_EQ(MusicChannel->Volume(), 0.5f);
    InputMouseButton(MOUSE_LEFT, false);
    Show(o);
    player->MusicVolume = 7;
    player->SFXVolume = 7;
    Click(o, kX + 229, kY + 35 + 255);  // "Okay"
    EXPECT_EQ(o.CurrReq, R_MAIN);
    EXPECT_EQ(player->MusicVolume, 50) << "the slider values are the player's";
    EXPECT_EQ(player->SFXVolume, 40);
}

TEST_F(OptionsTest, TheSongButtonAppearsFromTheFirstRankOn) {
    TOptions o;
    o.CurrReq = R_SFX;
    const int songY = kY + 35 + 215;
    Click(o, kX + 229, songY);
    EXPECT_EQ(player->Selected_Music, 0) << "no song to change to at rank 0";
    player->Score = 50000;
    Click(o, kX + 229, songY);
    EXPECT_EQ(player->Selected_Music, 1);
    EXPECT_EQ(o.CurrReq, R_SFX);
}

// The pictures start-up loads for every screen, through the game's own loaders.
TEST_F(UiTest, StartUpLoadersGiveTheFramesAndHandlesTheScreensDraw) {
    LoadButtonImages();
    ASSERT_TRUE(DefaultButtonImage);
    EXPECT_EQ(DefaultButtonImage->frames.size(), 3u) << "idle, hovered, pressed";
    EXPECT_EQ(DefaultButtonImage->width, 122);
    EXPECT_EQ(DefaultButtonImage->height, 60);
    EXPECT_FLOAT_EQ(DefaultButtonImage->handle_x, 61) << "buttons are placed by their centre";
    ASSERT_TRUE(ReglerImage);
    EXPECT_FLOAT_EQ(ReglerImage->handle_x, 0);

    LoadBoardGraphics();
    ASSERT_TRUE(BoardImage);
    EXPECT_EQ(BoardImage->width, 640);
    EXPECT_FLOAT_EQ(BoardImage->handle_x, 0);
    ASSERT_TRUE(GameGfx[1]);
    EXPECT_EQ(GameGfx[1]->frames.size(), 72u) << "the sand clock";
    ASSERT_TRUE(GameGfx[2]);
    EXPECT_FLOAT_EQ(GameGfx[2]->handle_x, float(GameGfx[2]->width) / 2) << "the yin-yang turns about its centre";
    ASSERT_TRUE(GameGfx[4]);
    EXPECT_EQ(GameGfx[4]->frames.size(), 2u);
    ASSERT_TRUE(LampImage);
    EXPECT_EQ(LampImage->frames.size(), 64u);
    EXPECT_FLOAT_EQ(LampImage->handle_x, 28.5f);
    for (const ImageRef& g : GameGfx) EXPECT_TRUE(g);
    BoardImage.reset();
    for (ImageRef& g : GameGfx) g.reset();
    LampImage.reset();
    AutoMidHandle(false);
}
