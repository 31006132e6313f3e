// Sound output. Three back ends behind one channel model:
//  - "OpenAL Default": OpenAL sources; songs stream through queued buffers refilled by a thread.
//  - "FreeAudio": our own float mixer in SDL's audio callback (SDL_mixer would add a second
//    decoder and channel model for the few things we need: volume, pause, loop, streaming).
//  - none: no device at all; channels still keep time so the game behaves the same.
#include "platform/audio.hpp"

#include <AL/al.h>
#include <AL/alc.h>
#include <SDL2/SDL.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/timing.hpp"

namespace {

// Longer sounds are streamed: the songs, and the rain and wind loops of the backgrounds. Decoding
// those two whole would double the effects' decoding time at start-up for sounds the first
// screen never plays.
constexpr double kStreamAboveSeconds = 8.0;
constexpr int kStreamBuffers = 4;
constexpr int kStreamChunkFrames = 8192;

// ---- Ogg Vorbis from memory ----
struct MemReader {
    const std::vector<uint8_t>* data;
    size_t pos = 0;
};

size_t MemRead(void* ptr, size_t size, size_t n, void* src) {
    auto* m = static_cast<MemReader*>(src);
    size_t want = size * n, left = m->data->size() - m->pos;
    size_t take = std::min(want, left);
    std::memcpy(ptr, m->data->data() + m->pos, take);
    m->pos += take;
    return size ? take / size : 0;
}

int MemSeek(void* src, ogg_int64_t off, int whence) {
    auto* m = static_cast<MemReader*>(src);
    int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? int64_t(m->pos) : int64_t(m->data->size());
    int64_t p = base + off;
    if (p < 0 || p > int64_t(m->data->size())) return -1;
    m->pos = size_t(p);
    return 0;
}

long MemTell(void* src) { return long(static_cast<MemReader*>(src)->pos); }

// A decoder positioned in one Ogg Vorbis stream.
class Decoder {
public:
    explicit Decoder(const std::vector<uint8_t>& data) : reader_{&data} {
        ov_callbacks cb{MemRead, MemSeek, nullptr, MemTell};
        ok_ = ov_open_callbacks(&reader_, &vf_, nullptr, 0, cb) == 0;
    }
    ~Decoder() {
        if (ok_) ov_clear(&vf_);
    }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
    bool ok() const { return ok_; }
    vorbis_info* info() { return ov_info(&vf_, -1); }
    double seconds() { return ov_time_total(&vf_, -1); }
    // Fills up to frames frames of interleaved 16-bit samples; loops back when asked.
    size_t Read(int16_t* out, size_t frames, int channels, bool loop) {
        size_t done = 0;
        int guard = 0;
        while (done < frames) {
            int section;
            long got = ov_read(&vf_, reinterpret_cast<char*>(out + done * channels),
                               int((frames - done) * channels * 2), 0, 2, 1, &section);
            if (got > 0) {
                done += size_t(got) / (2 * channels);
                guard = 0;
            } else if (got == 0 && loop && ++guard < 2) {
                ov_raw_seek(&vf_, 0);
            } else {
                break;
            }
        }
        return done;
    }

private:
    MemReader reader_;
    OggVorbis_File vf_;
    bool ok_ = false;
};

enum class Driver { None, OpenAL, FreeAudio };

}  // namespace

// The opening of the OpenAL device that is open now, 0 when none is: a buffer made for an
// earlier opening died with its device, and its name may since belong to another sound's buffer.
// A plain integer, so that sounds outliving the audio state at exit can still ask it.
namespace {
std::atomic<uint32_t> g_alOpening{0};
uint32_t g_alOpenings = 0;
}  // namespace

// Decoded or streamed sound.
class SoundData : public TSound {
public:
    ~SoundData() override {
        if (alBuffer && alOpening == g_alOpening) alDeleteBuffers(1, &alBuffer);
    }
    // Interleaved samples; empty when streamed, and empty while OpenAL holds them in alBuffer
    // (decoded again from the file only if another driver needs them).
    std::vector<int16_t> pcm;
    bool streamed = false;
    ALuint alBuffer = 0;
    uint32_t alOpening = 0;  // the device opening alBuffer belongs to
};

struct TChannel::Impl {
    std::shared_ptr<SoundData> sound;
    bool started = false, stopped = true, paused = false;
    float volume = 1.0f;
    // Time keeping for the silent driver and the Playing query.
    int64_t startedAt = 0, pausedAt = 0, pausedTotal = 0;
    // FreeAudio mixing position (in frames of the sound) and stream decoder with its window of
    // decoded frames, the first of which is frame windowStart of the stream.
    double mixPos = 0;
    std::unique_ptr<Decoder> stream;
    std::vector<int16_t> window;
    size_t windowStart = 0;
    // OpenAL
    ALuint source = 0;
    ALuint buffers[kStreamBuffers] = {};
    bool streamEnded = false;
};

namespace {

struct AudioState {
    Driver driver = Driver::None;
    std::string name = "";
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    SDL_AudioDeviceID sdlDev = 0;
    int sdlRate = 44100;
    std::recursive_mutex mutex;  // channel list and FreeAudio mixing
    std::vector<std::shared_ptr<TChannel::Impl>> active;
    std::thread streamer;
    std::atomic<bool> stopStreamer{false};
};
AudioState& A() {
    static AudioState a;
    return a;
}

int64_t NowMs() { return Millisecs(); }

// ---- OpenAL streaming ----
bool FillAlBuffer(TChannel::Impl& c, ALuint buf) {
    SoundData& s = *c.sound;
    std::vector<int16_t> tmp(size_t(kStreamChunkFrames) * size_t(s.channels));
    size_t frames = c.stream->Read(tmp.data(), kStreamChunkFrames, s.channels, s.loop);
    if (frames == 0) return false;
    alBufferData(buf, s.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16, tmp.data(),
                 ALsizei(frames * size_t(s.channels) * 2), s.rate);
    return true;
}

void ServiceStreams() {
    std::lock_guard lock(A().mutex);
    for (auto& c : A().active) {
        if (!c->sound || !c->sound->streamed || !c->source || c->stopped || c->streamEnded) continue;
        ALint processed = 0;
        alGetSourcei(c->source, AL_BUFFERS_PROCESSED, &processed);
        while (processed-- > 0) {
            ALuint b;
            alSourceUnqueueBuffers(c->source, 1, &b);
            if (FillAlBuffer(*c, b))
                alSourceQueueBuffers(c->source, 1, &b);
            else
                c->streamEnded = true;
        }
        ALint state;
        alGetSourcei(c->source, AL_SOURCE_STATE, &state);
        ALint queued = 0;
        alGetSourcei(c->source, AL_BUFFERS_QUEUED, &queued);
        // A starved source stops; restart it unless the game paused it.
        if (state == AL_STOPPED && queued > 0 && !c->paused) alSourcePlay(c->source);
    }
}

// ---- FreeAudio mixer ----
// Frame idx of the channel's sound (left and right; mono twice). Decoded sounds wrap when they
// loop; streamed ones decode ahead into the channel's window. False past the end.
bool SourceFrame(TChannel::Impl& c, size_t idx, int16_t& l, int16_t& r) {
    SoundData& s = *c.sound;
    const size_t ch = size_t(s.channels);
    if (!s.streamed) {
        const size_t total = s.pcm.size() / ch;
        if (total == 0 || (idx >= total && !s.loop)) return false;
        idx %= total;
        l = s.pcm[idx * ch];
        r = s.pcm[idx * ch + ch - 1];
        return true;
    }
    if (idx < c.windowStart) return false;
    while (idx >= c.windowStart + c.window.size() / ch) {
        if (!c.stream) return false;
        // Keep the frame before idx for interpolation; drop the rest of what was played.
        const size_t keep = std::min(c.window.size() / ch, size_t(1));
        const size_t drop = c.window.size() / ch - keep;
        c.window.erase(c.window.begin(), c.window.begin() + long(drop * ch));
        c.windowStart += drop;
        const size_t have = c.window.size();
        c.window.resize(have + size_t(kStreamChunkFrames) * ch);
        const size_t got = c.stream->Read(c.window.data() + have, kStreamChunkFrames, s.channels, s.loop);
        c.window.resize(have + got * ch);
        if (got == 0) return false;
    }
    const size_t at = (idx - c.windowStart) * ch;
    l = c.window[at];
    r = c.window[at + ch - 1];
    return true;
}

void MixCallback(void*, Uint8* stream, int len) {
    auto* out = reinterpret_cast<float*>(stream);
    int frames = len / int(sizeof(float) * 2);
    std::fill(out, out + frames * 2, 0.0f);
    std::lock_guard lock(A().mutex);
    const double outRate = double(A().sdlRate > 0 ? A().sdlRate : 44100);
    for (auto& c : A().active) {
        if (!c->sound || c->stopped || c->paused || !c->started) continue;
        SoundData& s = *c->sound;
        const float vol = c->volume;
        // Sounds keep their own rate: step through them at the ratio to the output's.
        const double step = double(s.rate > 0 ? s.rate : 44100) / outRate;
        for (int f = 0; f < frames; ++f) {
            const size_t idx = size_t(c->mixPos);
            int16_t l0, r0, l1, r1;
            if (!SourceFrame(*c, idx, l0, r0)) {
                c->stopped = true;
                break;
            }
            if (!SourceFrame(*c, idx + 1, l1, r1)) {
                l1 = l0;
                r1 = r0;
            }
            const float t = float(c->mixPos - double(idx));
            out[f * 2] += (float(l0) + (float(l1) - float(l0)) * t) / 32768.0f * vol;
            out[f * 2 + 1] += (float(r0) + (float(r1) - float(r0)) * t) / 32768.0f * vol;
            c->mixPos += step;
            // A looping decoded sound starts over without the position growing for ever.
            const size_t total = s.streamed ? 0 : s.pcm.size() / size_t(s.channels);
            if (s.loop && total > 0 && c->mixPos >= double(total)) c->mixPos -= double(total);
        }
    }
    for (int i = 0; i < frames * 2; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

}  // namespace

bool AudioDriverExists(const std::string& name) {
    if (name == "OpenAL Default" || name == "OpenAL") {
        ALCdevice* d = alcOpenDevice(nullptr);
        if (!d) return false;
        alcCloseDevice(d);
        return true;
    }
    if (name == "FreeAudio") return true;
    return false;
}

void CloseAudio() {
    AudioState& a = A();
    if (a.streamer.joinable()) {
        a.stopStreamer = true;
        a.streamer.join();
        a.stopStreamer = false;
    }
    {
        std::lock_guard lock(a.mutex);
        for (auto& c : a.active) {
            if (c->source) {
                alSourceStop(c->source);
                alSourcei(c->source, AL_BUFFER, 0);
                alDeleteSources(1, &c->source);
                c->source = 0;
                if (c->buffers[0]) alDeleteBuffers(kStreamBuffers, c->buffers);
            }
        }
        a.active.clear();
    }
    if (a.sdlDev) SDL_CloseAudioDevice(a.sdlDev);
    a.sdlDev = 0;
    g_alOpening = 0;
    if (a.context) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(a.context);
    }
    if (a.device) alcCloseDevice(a.device);
    a.context = nullptr;
    a.device = nullptr;
    a.driver = Driver::None;
    a.name.clear();
}

bool SetAudioDriver(const std::string& name) {
    AudioState& a = A();
    CloseAudio();
    if (name == "OpenAL Default" || name == "OpenAL") {
        a.device = alcOpenDevice(nullptr);
        if (a.device) a.context = alcCreateContext(a.device, nullptr);
        if (a.context && alcMakeContextCurrent(a.context)) {
            g_alOpening = ++g_alOpenings;
            a.driver = Driver::OpenAL;
            a.name = name;
            a.streamer = std::thread([] {
                while (!A().stopStreamer) {
                    ServiceStreams();
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                }
            });
            return true;
        }
        CloseAudio();
        return false;
    }
    if (name == "FreeAudio") {
        if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        SDL_AudioSpec want{}, have{};
        want.freq = 44100;
        want.format = AUDIO_F32SYS;
        want.channels = 2;
        want.samples = 1024;
        want.callback = MixCallback;
        a.sdlDev = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (!a.sdlDev) return false;
        a.sdlRate = have.freq;
        a.driver = Driver::FreeAudio;
        a.name = name;
        SDL_PauseAudioDevice(a.sdlDev, 0);
        return true;
    }
    return false;
}

std::string AudioDriverName() { return A().name; }

size_t ActiveVoices() {
    std::lock_guard lock(A().mutex);
    return A().active.size();
}

namespace {

// Reads the whole of a sound that is not streamed into its samples.
void ReadWhole(SoundData& s, Decoder& d) {
    const size_t frames = size_t(std::max(0.0, s.seconds) * s.rate) + 1;
    s.pcm.resize(frames * size_t(s.channels));
    s.pcm.resize(d.Read(s.pcm.data(), frames, s.channels, false) * size_t(s.channels));
    s.pcm.shrink_to_fit();
}

// Decodes a sound that is not streamed into its samples, unless they are there already.
void DecodeWhole(SoundData& s) {
    if (s.streamed || !s.pcm.empty()) return;
    Decoder d(s.ogg);
    if (d.ok()) ReadWhole(s, d);
}

// The sound's OpenAL buffer, made on first need. OpenAL copies the samples into memory of its
// own, so ours go: every effect would otherwise be held twice once it has been played.
ALuint AlBuffer(SoundData& s) {
    if (s.alBuffer && s.alOpening == g_alOpening) return s.alBuffer;
    s.alBuffer = 0;
    DecodeWhole(s);
    alGetError();
    ALuint b = 0;
    alGenBuffers(1, &b);
    if (alGetError() != AL_NO_ERROR) return 0;
    alBufferData(b, s.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16, s.pcm.data(), ALsizei(s.pcm.size() * 2),
                 s.rate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &b);
        return 0;
    }
    s.alBuffer = b;
    s.alOpening = g_alOpening;
    std::vector<int16_t>().swap(s.pcm);
    return b;
}

}  // namespace

SoundRef LoadSound(const std::string& path, int flags) {
    auto s = std::make_shared<SoundData>();
    if (!LoadBytes(path, s->ogg)) return nullptr;
    Decoder d(s->ogg);
    if (!d.ok()) return nullptr;
    vorbis_info* vi = d.info();
    if (!vi || vi->channels < 1 || vi->channels > 2) return nullptr;
    s->rate = int(vi->rate);
    s->channels = vi->channels;
    s->seconds = d.seconds();
    s->loop = flags & SOUND_LOOP;
    s->streamed = s->seconds > kStreamAboveSeconds || (flags & SOUND_STREAM);
    if (!s->streamed) {
        ReadWhole(*s, d);
        // Handing the samples over now keeps what the game holds the same from the first screen on.
        if (A().driver == Driver::OpenAL) AlBuffer(*s);
    }
    return s;
}

ChannelRef AllocChannel() { return std::make_shared<TChannel>(); }

// Finished voices give their OpenAL source back; a long session plays thousands of effects.
static void PruneFinished() {
    AudioState& a = A();
    std::lock_guard lock(a.mutex);
    for (auto it = a.active.begin(); it != a.active.end();) {
        TChannel::Impl& c = **it;
        bool done = c.stopped;
        // A stream is over once its decoder ran dry and the source played out what was queued.
        const bool canEnd = !c.sound->streamed || c.streamEnded;
        if (!done && c.source && !c.paused && canEnd) {
            ALint state;
            alGetSourcei(c.source, AL_SOURCE_STATE, &state);
            done = state == AL_STOPPED;
        }
        if (!done) {
            ++it;
            continue;
        }
        c.stopped = true;
        if (c.source) {
            alSourceStop(c.source);
            alSourcei(c.source, AL_BUFFER, 0);
            alDeleteSources(1, &c.source);
            c.source = 0;
            if (c.buffers[0]) alDeleteBuffers(kStreamBuffers, c.buffers);
            std::fill(std::begin(c.buffers), std::end(c.buffers), 0u);
        }
        it = a.active.erase(it);
    }
}

static void StartChannel(TChannel& ch, const SoundRef& sound, bool paused) {
    PruneFinished();
    ch.Stop();
    auto impl = std::make_shared<TChannel::Impl>();
    impl->sound = std::static_pointer_cast<SoundData>(sound);
    impl->started = true;
    impl->stopped = false;
    impl->paused = paused;
    impl->volume = ch.Volume();
    impl->startedAt = NowMs();
    impl->pausedAt = impl->startedAt;
    if (impl->sound->streamed) impl->stream = std::make_unique<Decoder>(impl->sound->ogg);
    AudioState& a = A();
    if (a.driver == Driver::OpenAL) {
        alGetError();
        alGenSources(1, &impl->source);
        if (alGetError() != AL_NO_ERROR) impl->source = 0;
    }
    if (a.driver == Driver::OpenAL && impl->source) {
        SoundData& s = *impl->sound;
        alSourcef(impl->source, AL_GAIN, ch.Volume());
        if (s.streamed) {
            alGenBuffers(kStreamBuffers, impl->buffers);
            ALsizei n = 0;
            for (ALuint b : impl->buffers)
                if (FillAlBuffer(*impl, b)) ++n;
            alSourceQueueBuffers(impl->source, n, impl->buffers);
        } else {
            alSourcei(impl->source, AL_BUFFER, ALint(AlBuffer(s)));
            alSourcei(impl->source, AL_LOOPING, s.loop ? AL_TRUE : AL_FALSE);
        }
        if (!paused) alSourcePlay(impl->source);
    }
    std::lock_guard lock(a.mutex);
    // The mixer reads the samples; with OpenAL before, they may have gone to its buffer.
    if (a.driver == Driver::FreeAudio) DecodeWhole(*impl->sound);
    ch.impl = impl;
    // With every OpenAL source taken the sound stays silent but keeps its length, as with no device;
    // there is nothing to stream or give back, so it stays off the active list.
    if (a.driver != Driver::OpenAL || impl->source) a.active.push_back(impl);
}

ChannelRef PlaySound(const SoundRef& sound, ChannelRef channel) {
    if (!channel) channel = AllocChannel();
    if (sound) StartChannel(*channel, sound, false);
    return channel;
}

ChannelRef CueSound(const SoundRef& sound, ChannelRef channel) {
    if (!channel) channel = AllocChannel();
    if (sound) StartChannel(*channel, sound, true);
    return channel;
}

void TChannel::Stop() {
    if (!impl) return;
    AudioState& a = A();
    std::lock_guard lock(a.mutex);
    impl->stopped = true;
    if (impl->source) {
        alSourceStop(impl->source);
        alSourcei(impl->source, AL_BUFFER, 0);
        alDeleteSources(1, &impl->source);
        impl->source = 0;
        if (impl->buffers[0]) alDeleteBuffers(kStreamBuffers, impl->buffers);
    }
    a.active.erase(std::remove(a.active.begin(), a.active.end(), impl), a.active.end());
    impl.reset();
}

void TChannel::SetPaused(bool paused) {
    if (!impl) return;
    std::lock_guard lock(A().mutex);
    if (paused == impl->paused) return;
    int64_t now = NowMs();
    if (paused)
        impl->pausedAt = now;
    else
        impl->pausedTotal += now - impl->pausedAt;
    impl->paused = paused;
    if (impl->source) {
        if (paused)
            alSourcePause(impl->source);
        else
            alSourcePlay(impl->source);
    }
}

void TChannel::SetVolume(float v) {
    volume_ = std::clamp(v, 0.0f, 1.0f);
    if (impl && impl->source) alSourcef(impl->source, AL_GAIN, volume_);
    if (impl) impl->volume = volume_;
}

bool TChannel::Playing() {
    // Audible only: a paused channel keeps its sound but plays nothing.
    if (!impl || impl->stopped || impl->paused) return false;
    std::lock_guard lock(A().mutex);
    if (impl->source) {
        ALint state;
        alGetSourcei(impl->source, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING || state == AL_PAUSED) return true;
        if (impl->sound->streamed && !impl->streamEnded) return true;  // briefly starved
        return impl->paused;
    }
    if (A().driver == Driver::FreeAudio) return !impl->stopped;
    // No device: the sound "plays" for its length, as far as anyone can tell.
    if (impl->sound->loop) return true;
    int64_t now = impl->paused ? impl->pausedAt : NowMs();
    return double(now - impl->startedAt - impl->pausedTotal) < impl->sound->seconds * 1000.0;
}
