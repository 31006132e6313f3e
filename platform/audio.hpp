// Sound playback: OpenAL when a device opens, else a software mixer on SDL's audio output,
// else silence that still keeps time (channels report Playing for the length of their sound).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/stream.hpp"

// SOUND_STREAM decodes while playing whatever the length (long sounds always stream).
enum SoundFlags { SOUND_LOOP = 1, SOUND_STREAM = 2 };

class TSound;
class TChannel;
using SoundRef = std::shared_ptr<TSound>;
using ChannelRef = std::shared_ptr<TChannel>;

// True when a driver of that name can be used ("OpenAL Default", "FreeAudio").
bool AudioDriverExists(const std::string& name);
// Selects and opens the driver; false falls back to silence.
bool SetAudioDriver(const std::string& name);
std::string AudioDriverName();
void CloseAudio();
// Voices the mixer still holds (playing, paused, or finished and not yet given back; finished
// ones are given back when the next sound starts).
size_t ActiveVoices();

// Decodes (or, for songs, prepares to stream) an Ogg Vorbis file; null when unreadable.
SoundRef LoadSound(const std::string& path, int flags = 0);
ChannelRef AllocChannel();
// Starts the sound on the channel (a new one when null) and returns the channel.
ChannelRef PlaySound(const SoundRef& sound, ChannelRef channel = nullptr);
// As PlaySound, but paused.
ChannelRef CueSound(const SoundRef& sound, ChannelRef channel = nullptr);

class TSound {
public:
    virtual ~TSound() = default;
    bool loop = false;
    int rate = 44100;
    int channels = 2;
    double seconds = 0;        // length
    std::vector<uint8_t> ogg;  // the encoded file; decoded on demand
};

class TChannel {
public:
    void Stop();
    void SetPaused(bool paused);
    void SetVolume(float v);
    float Volume() const { return volume_; }
    // True while the sound is audible: not after its end, not while paused.
    bool Playing();

    // Mixer-private state.
    struct Impl;
    std::shared_ptr<Impl> impl;
    float volume_ = 1.0f;
};
