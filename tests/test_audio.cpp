#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/audio.hpp"
#include "platform/graphics.hpp"

namespace {
const std::string kShort = VELMORA_TEST_DATA "/audio/tone_half_second.ogg";
const std::string kLong = VELMORA_TEST_DATA "/audio/tone_25_seconds.ogg";
const std::string kHalfRate = VELMORA_TEST_DATA "/audio/tone_one_second_22050.ogg";

// Waits (in real time, as the devices play) until the channel falls silent; the seconds waited.
double SecondsUntilSilent(const ChannelRef& ch, double limit) {
    auto start = std::chrono::steady_clock::now();
    while (ch->Playing() && std::chrono::steady_clock::now() - start < std::chrono::duration<double>(limit))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The virtual clock advances 1000/60 ms per flip, so time can pass without waiting.
void PassFrames(int n) {
    for (int i = 0; i < n; ++i) Flip(0);
}
}  // namespace

TEST(Audio, LoadsOggFromDiskAndTheEmbeddedTable) {
    SoundRef s = LoadSound(kShort);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->rate, 44100);
    EXPECT_EQ(s->channels, 1);
    EXPECT_NEAR(s->seconds, 0.5, 0.01);
    SoundRef song = LoadSound("incbin::../sfx/song1.ogg", SOUND_LOOP);
    ASSERT_TRUE(song);
    EXPECT_TRUE(song->loop);
    EXPECT_GE(song->seconds, 90.0);
    EXPECT_FALSE(LoadSound("incbin::../sfx/none.ogg"));
    EXPECT_FALSE(LoadSound(VELMORA_TEST_DATA "/broken/random_bytes.bin"));
    EXPECT_FALSE(LoadSound(VELMORA_SOURCE_DIR "/README.md")) << "not Ogg Vorbis";
}

// With no device at all the game must behave the same: channels keep time.
TEST(Audio, WithoutADeviceChannelsPlayForTheLengthOfTheirSound) {
    CloseAudio();
    bool wasVirtual = VirtualClock();
    SetVirtualClock(true);
    SoundRef s = LoadSound(kShort);
    ASSERT_TRUE(s);
    ChannelRef ch = PlaySound(s);
    EXPECT_TRUE(ch->Playing());
    PassFrames(20);  // 333 ms
    EXPECT_TRUE(ch->Playing());
    ch->SetPaused(true);
    PassFrames(60);  // paused time does not count
    EXPECT_FALSE(ch->Playing()) << "a paused channel is not audible";
    ch->SetPaused(false);
    PassFrames(6);  // 433 ms of playing in all
    EXPECT_TRUE(ch->Playing());
    PassFrames(6);  // 533 ms
    EXPECT_FALSE(ch->Playing());

    ChannelRef loop = PlaySound(LoadSound(kShort, SOUND_LOOP));
    PassFrames(120);
    EXPECT_TRUE(loop->Playing());
    loop->Stop();
    EXPECT_FALSE(loop->Playing());
    ch->SetVolume(2.0f);
    EXPECT_FLOAT_EQ(ch->Volume(), 1.0f);
    // A channel can be reused: playing on it replaces what it played.
    ChannelRef reused = AllocChannel();
    PlaySound(s, reused);
    PlaySound(s, reused);
    EXPECT_TRUE(reused->Playing());
    reused->Stop();
    SetVirtualClock(wasVirtual);
}

// OpenAL's null back end (ALSOFT_DRIVERS=null) stands in for a sound card.
TEST(Audio, OpenALPlaysStopsAndStreamsSongs) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    ASSERT_TRUE(SetAudioDriver("OpenAL Default"));
    EXPECT_EQ(AudioDriverName(), "OpenAL Default");
    SoundRef s = LoadSound(kShort);
    ChannelRef ch = PlaySound(s);
    EXPECT_TRUE(ch->Playing());
    ch->SetPaused(true);
    EXPECT_FALSE(ch->Playing()) << "a paused channel holds its sound but is not audible";
    ch->SetPaused(false);
    EXPECT_TRUE(ch->Playing());
    ch->Stop();
    EXPECT_FALSE(ch->Playing());
    // Far more effects than OpenAL has sources, one after another.
    SoundRef blip = LoadSound(kShort);
    ChannelRef last;
    for (int i = 0; i < 600; ++i) {
        last = PlaySound(blip);
        last->Stop();
    }
    last = PlaySound(blip);
    EXPECT_TRUE(last->Playing());
    last->Stop();

    SoundRef song = LoadSound(kLong, SOUND_LOOP);
    ASSERT_TRUE(song);
    ChannelRef music = PlaySound(song);
    music->SetVolume(0.5f);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(music->Playing());
    music->Stop();
    CloseAudio();
    EXPECT_EQ(AudioDriverName(), "");
}

TEST(Audio, OpenALSoundsBeyondItsSourcesStaySilentAndHoldNothing) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    ASSERT_TRUE(SetAudioDriver("OpenAL Default"));
    SoundRef loop = LoadSound(kShort, SOUND_LOOP);
    std::vector<ChannelRef> held;
    for (int i = 0; i < 300; ++i) held.push_back(PlaySound(loop));
    // OpenAL gives 256 sources; the rest "play" without a voice and must not pile up.
    EXPECT_LE(ActiveVoices(), 256u);
    EXPECT_GE(ActiveVoices(), 200u);
    EXPECT_TRUE(held.back()->Playing()) << "a looping sound plays as far as the game can tell";
    for (ChannelRef& ch : held) ch->Stop();
    EXPECT_EQ(ActiveVoices(), 0u);
    ChannelRef again = PlaySound(loop);
    EXPECT_EQ(ActiveVoices(), 1u) << "every source came back";
    again->Stop();
    CloseAudio();
}

TEST(Audio, SoftwareMixerRunsOnSdlAudio) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ASSERT_TRUE(SetAudioDriver("FreeAudio"));
    SoundRef s = LoadSound(kShort);
    ChannelRef ch = PlaySound(s);
    ch->SetVolume(0.3f);
    EXPECT_TRUE(ch->Playing());
    // The dummy device consumes samples in real time; half a second later the tone is over.
    for (int i = 0; i < 40 && ch->Playing(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(ch->Playing());
    ChannelRef song = PlaySound(LoadSound(kLong, SOUND_LOOP));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(song->Playing());
    CloseAudio();
}

// A sound at half the output rate lasts its full second, through both the decoded and the
// streamed path of the software mixer.
TEST(Audio, SoftwareMixerPlaysEachSoundAtItsOwnRate) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ASSERT_TRUE(SetAudioDriver("FreeAudio"));
    for (int flags : {0, int(SOUND_STREAM)}) {
        SoundRef s = LoadSound(kHalfRate, flags);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->rate, 22050);
        ChannelRef ch = PlaySound(s);
        const double seconds = SecondsUntilSilent(ch, 4.0);
        EXPECT_GT(seconds, 0.8) << "played at 44100 it would end after half a second";
        EXPECT_LT(seconds, 3.0);
    }
    CloseAudio();
}

// A stream that does not loop gives its OpenAL source and buffers back once it has ended.
TEST(Audio, OpenALGivesBackAStreamThatHasEnded) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    ASSERT_TRUE(SetAudioDriver("OpenAL Default"));
    ChannelRef ch = PlaySound(LoadSound(kShort, SOUND_STREAM));
    EXPECT_TRUE(ch->Playing());
    EXPECT_EQ(ActiveVoices(), 1u);
    EXPECT_LT(SecondsUntilSilent(ch, 5.0), 4.0);
    ChannelRef next = PlaySound(LoadSound(kShort));
    EXPECT_EQ(ActiveVoices(), 1u) << "only the new sound holds a voice";
    next->Stop();
    EXPECT_EQ(ActiveVoices(), 0u);
    CloseAudio();
}

// OpenAL keeps its own copy of a played effect's samples, so the game drops its copy; the effect
// must still sound in full after the device is opened again (its old buffer died with the old
// device) and under the software mixer, which needs the samples back.
TEST(Audio, AnEffectPlaysInFullThroughEveryDriverItMeets) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ASSERT_TRUE(SetAudioDriver("OpenAL Default"));
    SoundRef s = LoadSound(kShort);
    ASSERT_TRUE(s);
    SoundRef other = LoadSound(kHalfRate);
    for (const char* driver : {"OpenAL Default", "OpenAL Default", "FreeAudio", "OpenAL Default"}) {
        SCOPED_TRACE(driver);
        ASSERT_TRUE(SetAudioDriver(driver));
        // Another sound's buffer made first may take the name the old device gave this one.
        PlaySound(other)->Stop();
        const double seconds = SecondsUntilSilent(PlaySound(s), 3.0);
        EXPECT_GT(seconds, 0.35);
        EXPECT_LT(seconds, 0.8) << "the half-second tone, not the one-second one";
    }
    CloseAudio();
}
