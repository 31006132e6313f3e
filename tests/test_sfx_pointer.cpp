#include <gtest/gtest.h>

#include "data/users.hpp"
#include "tiles_env.hpp"

namespace {

class SoundTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        savedUsers = Users.UserList;
        Users.UserList.clear();
    }
    void TearDown() override {
        Users.UserList = savedUsers;
        UiTest::TearDown();
    }
    UserRef AddPlayer(int32_t sfxVolume, int32_t musicVolume) {
        auto u = std::make_shared<TUser>();
        u->Name = "Tester";
        u->SFXVolume = sfxVolume;
        u->MusicVolume = musicVolume;
        Users.UserList.push_back(u);
        CurrentUserIndex = 0;
        return u;
    }
    std::vector<UserRef> savedUsers;
};

TEST_F(SoundTest, EffectsLoadOnTheirOwnChannelsAndRestartRatherThanOverlap) {
    for (int i = 0; i < SOUND_ANZ; ++i) {
        ASSERT_TRUE(SFX->sfx[size_t(i)]) << "effect " << i;
        EXPECT_EQ(SFX->sfx[size_t(i)]->loop, i == 15 || i == 17) << "effect " << i;
    }
    SFX->Play(0);
    ChannelRef first = SFX->sfxchannels[0];
    SFX->Play(0);
    SFX->Play(8);
    EXPECT_EQ(SFX->sfxchannels[0], first) << "a replay reuses the effect's channel";
    EXPECT_TRUE(SFX->sfxchannels[0]->Playing());
    EXPECT_TRUE(SFX->sfxchannels[8]->Playing()) << "different effects mix";
    EXPECT_EQ(Played(0), 2);
    EXPECT_EQ(SFX->LastPlayed, 8);
    SFX->Stop(0);
    SFX->Stop(8);
    EXPECT_FALSE(SFX->sfxchannels[0]->Playing());
    SFX->Play(-1);
    SFX->Play(SOUND_ANZ);  // numbers outside the table are ignored, not a crash
    EXPECT_EQ(SFX->LastPlayed, 8);
}

TEST_F(SoundTest, VolumesFollowTheCurrentPlayerOrStayWithoutOne) {
    SFX->sfxchannels[3]->SetVolume(0.3f);
    SFX->Play(3);
    EXPECT_FLOAT_EQ(SFX->sfxchannels[3]->Volume(), 0.3f) << "no player: the channel keeps its volume";
    EXPECT_TRUE(Users.UserList.empty()) << "playing must not create a player";
    AddPlayer(0, 40);
    SFX->Play(3);
    EXPECT_FLOAT_EQ(SFX->sfxchannels[3]->Volume(), 0.0f);
    SFX->Stop(3);

    UserRef u = Users.UserList[0];
    StartSong(u.get());
    ASSERT_TRUE(MusicChannel);
    EXPECT_FLOAT_EQ(MusicChannel->Volume(), 0.4f);
    ChangeMusicVolume(*u, 75);
    EXPECT_EQ(u->MusicVolume, 75);
    EXPECT_FLOAT_EQ(MusicChannel->Volume(), 0.75f) << "heard at once";

    ChangeEffectVolume(*u, 50);
    EXPECT_EQ(u->SFXVolume, 50);
    EXPECT_EQ(Played(12), 1);
    ChangeEffectVolume(*u, 60);
    EXPECT_EQ(Played(12), 1) << "no new preview while the last one still sounds";
    EXPECT_FLOAT_EQ(SFX->sfxchannels[12]->Volume(), 0.5f);
    SFX->Stop(12);
    MusicChannel->Stop();
}

TEST_F(SoundTest, ChangeSongStaysWithinWhatTheRankUnlocked) {
    UserRef u = AddPlayer(80, 100);
    u->Score = 0;
    ChangeSong(*u);
    EXPECT_EQ(u->Selected_Music, 0) << "rank 0 hears only the first song";
    EXPECT_TRUE(MusicChannel->Playing());

    u->Score = 100000;  // rank 2
    ChangeSong(*u);
    EXPECT_EQ(u->Selected_Music, 1);
    EXPECT_EQ(u->CurrentRank, 2);
    ChangeSong(*u);
    EXPECT_EQ(u->Selected_Music, 2);
    ChangeSong(*u);
    EXPECT_EQ(u->Selected_Music, 0);

    u->Score = 0;
    u->CurrentRank = 5;  // a rank once reached is kept even when the score drops
    u->Selected_Music = 2;
    ChangeSong(*u);
    EXPECT_EQ(u->Selected_Music, 0);
    u->Selected_Music = 1;
    ChangeSong(*u);
    EXPECT_EQ(u->Selected_Music, 2);
    EXPECT_FLOAT_EQ(MusicChannel->Volume(), 1.0f);
    MusicChannel->Stop();
}

TEST_F(UiTest, PointerAnimatesOnlyWhileHoverIsAssertedEveryFrame) {
    InputMouseMove(100, 100);
    MousePointer->Frame = 0;
    std::vector<int> shown;
    for (int i = 0; i < 30; ++i) {
        UpdateInput();
        EXPECT_FALSE(MousePointer->Hover) << "hover is cleared at the top of each frame";
        MousePointer->SetHover(true);
        MousePointer->Draw();
        shown.push_back(int(MousePointer->Frame));
        Flip(0);
    }
    // Half a frame per call: 0.5, 1, 1.5 ... 14.5, then back to 0 on the 30th call.
    EXPECT_EQ(shown.front(), 0);
    EXPECT_EQ(shown[28], 14);
    EXPECT_EQ(shown[29], 0);
    for (int f : shown) EXPECT_LT(f, 15) << "frame 15 of the strip is never shown";

    for (int i = 0; i < 7; ++i) {
        UpdateInput();
        MousePointer->SetHover(true);
        MousePointer->Draw();
    }
    float held = MousePointer->Frame;
    UpdateInput();  // a screen that does not assert hover leaves the pointer standing
    MousePointer->Draw();
    EXPECT_FLOAT_EQ(MousePointer->Frame, held);
    EXPECT_NE(held, 0.0f);
}

TEST_F(UiTest, PointerIsDrawnWithItsHotSpotOnTheMouseUnlessHiddenThisFrame) {
    InputMouseMove(200, 150);
    UpdateInput();
    MousePointer->Frame = 0;
    MousePointer->Display = false;
    MousePointer->Draw();
    auto hidden = GrabPixmap(184, 140, 40, 40);
    bool any = false;
    for (uint32_t p : hidden->pixels) any |= (p & 0xffffff) != 0;
    EXPECT_FALSE(any) << "hidden pointer draws nothing";

    UpdateInput();
    EXPECT_TRUE(MousePointer->Display) << "hiding lasts one frame";
    MousePointer->Draw();
    auto pix = GrabPixmap(192, 148, 32, 32);  // where the picture's corner lands
    int lit = 0;
    for (uint32_t p : pix->pixels) lit += (p & 0xffffff) != 0;
    EXPECT_GT(lit, 20);
    auto left = GrabPixmap(180, 140, 12, 40);
    for (uint32_t p : left->pixels) EXPECT_EQ(p & 0xffffff, 0u) << "nothing left of mouse x - 8";
}

}  // namespace
