// The 25 sound effects, each on a voice of its own, and the one looping song.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/audio.hpp"

class TUser;

inline constexpr int SOUND_ANZ = 25;

class SFXSystem {
public:
    // Loads the effects in table order (15 and 17 loop) and gives each a channel.
    SFXSystem();
    virtual ~SFXSystem() = default;

    // Restarts effect `no` on its own channel at the current player's effect volume, so an
    // effect never overlaps itself while different effects mix freely.
    void Play(int32_t no);
    void Stop(int32_t no);

    std::array<SoundRef, SOUND_ANZ> sfx;
    std::array<ChannelRef, SOUND_ANZ> sfxchannels;

    // How often each effect was started and which one was last; lets tests and debugging see
    // what the player heard without a sound device.
    std::array<int32_t, SOUND_ANZ> PlayCount{};
    int32_t LastPlayed = -1;
    void ClearPlayLog();
};

extern std::unique_ptr<SFXSystem> SFX;

// Creates SFX and allocates MusicChannel (start-up, with the other shared objects).
void InitSound();
// Loads song (Selected_Music + 1) as a loop into MusicSound and plays it on MusicChannel at the
// player's music volume (full volume without a player).
void StartSong(const TUser* user);
// Advances the player's song within what the rank has unlocked and plays it.
void ChangeSong(TUser& user);

// Slider moves in the preferences: stored in the profile and heard at once.
void ChangeMusicVolume(TUser& user, int32_t value);
void ChangeEffectVolume(TUser& user, int32_t value);

// The current song and the channel it plays on.
extern SoundRef MusicSound;
extern ChannelRef MusicChannel;
