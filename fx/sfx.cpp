#include "fx/sfx.hpp"

#include <string>

#include "data/ranks.hpp"
#include "data/users.hpp"

std::unique_ptr<SFXSystem> SFX;

namespace {

const char* const kEffectFiles[SOUND_ANZ] = {"click",      "count",       "dropdown",      "flyback",      "gong",
                                             "hintzoom",   "lampexplode", "mouseover",     "puzzlerotate", "puzzpick",
                                             "puzzzoom_1", "puzzzoom_2",  "puzzzoom_3",    "puzzzoom_4",   "puzzzoom_5",
                                             "rainloop",   "texthit",     "windloop",      "bg_shoot",     "bomb",
                                             "combo",      "freeze",      "levelcomplete", "wind",         "xplode"};

bool Loops(int no) { return no == 15 || no == 17; }

// The current player without conjuring one up: an empty list means nobody plays yet.
TUser* CurrentPlayer() { return Users.UserList.empty() ? nullptr : Users.GetCurrentUser().get(); }

}  // namespace

SFXSystem::SFXSystem() {
    for (int i = 0; i < SOUND_ANZ; ++i) {
        sfx[size_t(i)] =
            LoadSound(std::string("incbin::../sfx/") + kEffectFiles[i] + ".ogg", Loops(i) ? SOUND_LOOP : 0);
        sfxchannels[size_t(i)] = AllocChannel();
    }
}

void SFXSystem::Play(int32_t no) {
    if (no < 0 || no >= SOUND_ANZ) return;
    auto& ch = sfxchannels[size_t(no)];
    if (TUser* u = CurrentPlayer()) ch->SetVolume(float(u->SFXVolume) / 100.0f);
    PlaySound(sfx[size_t(no)], ch);
    ++PlayCount[size_t(no)];
    LastPlayed = no;
}

void SFXSystem::Stop(int32_t no) {
    if (no < 0 || no >= SOUND_ANZ) return;
    sfxchannels[size_t(no)]->Stop();
}

void SFXSystem::ClearPlayLog() {
    PlayCount.fill(0);
    LastPlayed = -1;
}

void InitSound() {
    SFX = std::make_unique<SFXSystem>();
    MusicChannel = AllocChannel();
}

void StartSong(const TUser* user) {
    int32_t song = user ? user->Selected_Music : 0;
    MusicSound = LoadSound("incbin::../sfx/song" + std::to_string(song + 1) + ".ogg", SOUND_LOOP);
    if (!MusicChannel) MusicChannel = AllocChannel();
    if (!MusicSound) return;
    PlaySound(MusicSound, MusicChannel);
    if (user) MusicChannel->SetVolume(float(user->MusicVolume) / 100.0f);
}

void ChangeSong(TUser& user) {
    ++user.Selected_Music;
    if (user.Selected_Music >= 3 || user.Selected_Music > UpdateRank(user)) user.Selected_Music = 0;
    if (MusicChannel) MusicChannel->Stop();
    MusicChannel.reset();
    MusicSound.reset();
    MusicChannel = AllocChannel();
    MusicSound = LoadSound("incbin::../sfx/song" + std::to_string(user.Selected_Music + 1) + ".ogg", SOUND_LOOP);
    if (MusicSound) PlaySound(MusicSound, MusicChannel);
    MusicChannel->SetVolume(float(user.MusicVolume) / 100.0f);
}

void ChangeMusicVolume(TUser& user, int32_t value) {
    user.MusicVolume = value;
    if (MusicChannel) MusicChannel->SetVolume(float(value) / 100.0f);
}

void ChangeEffectVolume(TUser& user, int32_t value) {
    user.SFXVolume = value;
    if (SFX && !SFX->sfxchannels[12]->Playing()) SFX->Play(12);
}

SoundRef MusicSound;
ChannelRef MusicChannel;
