// Small signal kit for the sound generators: buffers, a seeded noise source, filters,
// struck-mode synthesis, loudness measurement and loop folding. Everything here is plain
// arithmetic with fixed seeds, so the same build always produces the same samples.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sfx {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

inline size_t Samples(double seconds) { return size_t(std::lround(seconds * kRate)); }
inline double DbToGain(double db) { return std::pow(10.0, db / 20.0); }
inline double GainToDb(double g) { return g > 0 ? 20.0 * std::log10(g) : -200.0; }
inline double NoteHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

// One or two channels of float samples at kRate.
struct Sound {
    std::vector<std::vector<float>> ch;

    Sound() = default;
    Sound(int channels, size_t frames) : ch(size_t(channels), std::vector<float>(frames, 0.0f)) {}
    int Channels() const { return int(ch.size()); }
    size_t Frames() const { return ch.empty() ? 0 : ch[0].size(); }
    void Resize(size_t frames) {
        for (auto& c : ch) c.resize(frames, 0.0f);
    }
    void Scale(double g) {
        for (auto& c : ch)
            for (auto& v : c) v = float(v * g);
    }
    float Peak() const;
    // Adds src (mono or matching channel count) at the frame offset, growing as needed.
    // A mono source is spread by the constant-power pan law (pan -1 left .. +1 right).
    void Mix(const Sound& src, size_t at, double gain = 1.0, double pan = 0.0);
};

// splitmix64: tiny, fast and identical on every platform.
class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed) {}
    uint64_t Next() {
        uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double Uni() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }  // [0, 1)
    double Bi() { return Uni() * 2.0 - 1.0; }                                   // [-1, 1)
    double Range(double a, double b) { return a + (b - a) * Uni(); }

private:
    uint64_t s_;
};

// RBJ-cookbook biquad, direct form I (its state survives coefficient changes in sweeps).
class Biquad {
public:
    enum Kind { LowPass, HighPass, BandPass, Peak, HighShelf, LowShelf };
    Biquad() = default;
    Biquad(Kind k, double freq, double q, double gainDb = 0.0) { Set(k, freq, q, gainDb); }
    void Set(Kind k, double freq, double q, double gainDb = 0.0);
    float Run(float x) {
        double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return float(y);
    }
    void Coeffs(double b0, double b1, double b2, double a1, double a2) {
        b0_ = b0, b1_ = b1, b2_ = b2, a1_ = a1, a2_ = a2;
    }

private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// A decaying sine mode: the building block of bells, wood, gongs and bowls.
struct Mode {
    double freq;         // Hz at the strike
    double amp;          // linear
    double t60;          // seconds to fall by 60 dB
    double phase = 0.0;  // radians
    double glide = 0.0;  // relative pitch change per second (gongs bend slightly)
    double beat = 0.0;   // Hz of a detuned twin mode that makes the bowl's slow wobble
};

// Adds the modes into ch from frame `at`; `attack` softens the first milliseconds
// (0 gives a hard mallet). Rendering stops when every mode has decayed by 80 dB.
void AddModes(std::vector<float>& ch, size_t at, const std::vector<Mode>& modes, double attack = 0.0005);

// Noise shaped by a band-pass whose centre and gain follow the given curves of time
// (seconds from the start of the burst).
void AddShapedNoise(std::vector<float>& ch, size_t at, double seconds, Rng& rng,
                    const std::function<double(double)>& centreHz, double q, const std::function<double(double)>& gain);

// A smooth attack-decay envelope value: linear rise over `a` seconds, then exponential
// fall with the given t60.
inline double AD(double t, double a, double t60) {
    if (t < 0) return 0;
    double rise = a > 0 ? std::min(1.0, t / a) : 1.0;
    return rise * std::exp(-6.907755 * t / t60);
}

// Short fade-in/out at the ends so no file starts or stops on a step.
void FadeEdges(Sound& s, double inSec, double outSec);

// ITU-R BS.1770 K-weighted loudness. Integrated (gated) for music, and the loudest
// momentary window of `windowSec` for effects, which are too short for gating.
double IntegratedLufs(const Sound& s);
double MaxMomentaryLufs(const Sound& s, double windowSec);

// Folds everything past `loopFrames` back onto the start (circularly), which is what a
// player looping the file would hear once the first pass has gone by.
void FoldCircular(Sound& s, size_t loopFrames);
// For continuous beds (noise): blends the `fade` frames after the loop end into the
// start with a constant-power crossfade, then cuts to the loop length.
void FoldCrossfade(Sound& s, size_t loopFrames, size_t fade);

}  // namespace sfx
