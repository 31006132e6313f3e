// Checks the generated sounds the way the game hears them: decoded by libvorbisfile to
// 16-bit samples.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Decoded {
    long rate = 0;
    int channels = 0;
    std::vector<std::vector<int>> ch;  // de-interleaved samples
    size_t Frames() const { return ch.empty() ? 0 : ch[0].size(); }
    double Seconds() const { return rate ? double(Frames()) / double(rate) : 0.0; }
};

bool Decode(const std::string& name, Decoded& out) {
    const std::string path = std::string(VELMORA_SOURCE_DIR) + "/assets/sfx/" + name;
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0) return false;
    const vorbis_info* vi = ov_info(&vf, -1);
    out.rate = vi->rate;
    out.channels = vi->channels;
    out.ch.assign(size_t(vi->channels), {});
    char buf[8192];
    int section = 0;
    long got;
    while ((got = ov_read(&vf, buf, sizeof buf, 0, 2, 1, &section)) > 0) {
        const auto* s = reinterpret_cast<const int16_t*>(buf);
        const long frames = got / 2 / vi->channels;
        for (long i = 0; i < frames; ++i)
            for (int c = 0; c < vi->channels; ++c) out.ch[size_t(c)].push_back(s[i * vi->channels + c]);
    }
    ov_clear(&vf);
    return got == 0;
}

const std::vector<std::string>& EffectFiles() {
    static const std::vector<std::string> files = {
        "click.ogg",      "count.ogg",       "dropdown.ogg",      "flyback.ogg",      "gong.ogg",
        "hintzoom.ogg",   "lampexplode.ogg", "mouseover.ogg",     "puzzlerotate.ogg", "puzzpick.ogg",
        "puzzzoom_1.ogg", "puzzzoom_2.ogg",  "puzzzoom_3.ogg",    "puzzzoom_4.ogg",   "puzzzoom_5.ogg",
        "rainloop.ogg",   "texthit.ogg",     "windloop.ogg",      "bg_shoot.ogg",     "bomb.ogg",
        "combo.ogg",      "freeze.ogg",      "levelcomplete.ogg", "wind.ogg",         "xplode.ogg"};
    return files;
}
const std::vector<std::string> kSongs = {"song1.ogg", "song2.ogg", "song3.ogg"};
const std::vector<std::string> kLoops = {"rainloop.ogg", "windloop.ogg"};

bool IsLoop(const std::string& f) { return std::find(kLoops.begin(), kLoops.end(), f) != kLoops.end(); }

std::vector<std::string> AllFiles() {
    auto all = EffectFiles();
    all.insert(all.end(), kSongs.begin(), kSongs.end());
    return all;
}

// Cached: decoding the three songs takes a moment and several tests need them.
const Decoded& Get(const std::string& name) {
    static std::vector<std::pair<std::string, Decoded>> cache;
    for (auto& [n, d] : cache)
        if (n == name) return d;
    Decoded d;
    EXPECT_TRUE(Decode(name, d)) << name << " does not decode";
    cache.emplace_back(name, std::move(d));
    return cache.back().second;
}

double RmsDb(const std::vector<int>& v, size_t from, size_t n) {
    double sum = 0;
    for (size_t i = from; i < from + n; ++i) sum += double(v[i]) * v[i];
    return 10.0 * std::log10(sum / double(n) / (32768.0 * 32768.0) + 1e-20);
}

double LoudestWindowDb(const Decoded& d, size_t window) {
    double best = -200;
    for (size_t at = 0; at + window <= d.Frames(); at += window / 4) {
        double sum = 0;
        for (auto& c : d.ch) sum += std::pow(10.0, RmsDb(c, at, window) / 10.0);
        best = std::max(best, 10.0 * std::log10(sum + 1e-20));
    }
    return best;
}

}  // namespace

TEST(SoundAssets, EveryFileDecodesAsCdRateOgg) {
    for (auto& f : AllFiles()) {
        const Decoded& d = Get(f);
        EXPECT_EQ(d.rate, 44100) << f;
        EXPECT_GT(d.Frames(), 0u) << f;
        if (IsLoop(f) || f.rfind("song", 0) == 0) {
            EXPECT_EQ(d.channels, 2) << f << " should be stereo";
        } else {
            EXPECT_TRUE(d.channels == 1 || d.channels == 2) << f;
        }
    }
}

TEST(SoundAssets, NothingReachesFullScale) {
    for (auto& f : AllFiles()) {
        const Decoded& d = Get(f);
        int peak = 0;
        for (auto& c : d.ch)
            for (int v : c) peak = std::max(peak, std::abs(v));
        EXPECT_LT(peak, 32767) << f << " clips";
    }
}

TEST(SoundAssets, SongsAndAmbientLoopsAreLongEnoughAndJoinSeamlessly) {
    auto looping = kSongs;
    looping.insert(looping.end(), kLoops.begin(), kLoops.end());
    for (auto& f : looping) {
        const Decoded& d = Get(f);
        EXPECT_GE(d.Seconds(), IsLoop(f) ? 8.0 : 90.0) << f;
        ASSERT_GT(d.Frames(), 44100u) << f;
        const size_t n = d.Frames(), win = 2205;  // 50 ms
        for (int c = 0; c < d.channels; ++c) {
            const auto& v = d.ch[size_t(c)];
            int largest = 0;
            for (size_t i = 1; i < n; ++i) largest = std::max(largest, std::abs(v[i] - v[i - 1]));
            EXPECT_LE(std::abs(v[0] - v[n - 1]), largest) << f << " jumps at the loop point, channel " << c;
            // An ambient bed faded at either end would dip audibly on every pass even
            // without a click. (Songs may rightly open on a strong downbeat.)
            if (IsLoop(f)) {
                EXPECT_NEAR(RmsDb(v, 0, win), RmsDb(v, n - win, win), 6.0) << f << " changes level across the seam";
            }
        }
    }
}

TEST(SoundAssets, EffectsStartAtOnceAndStayShortAndBalanced) {
    const double click = LoudestWindowDb(Get("click.ogg"), 4410);
    for (auto& f : EffectFiles()) {
        const Decoded& d = Get(f);
        size_t first = d.Frames();
        for (auto& c : d.ch)
            for (size_t i = 0; i < c.size(); ++i)
                if (std::abs(c[i]) > 164) {  // -46 dBFS
                    first = std::min(first, i);
                    break;
                }
        EXPECT_LT(first, 441u) << f << " starts late";
        if (!IsLoop(f)) {
            EXPECT_LT(d.Seconds(), 6.0) << f;
        }
        int peak = 0;
        for (auto& c : d.ch)
            for (int v : c) peak = std::max(peak, std::abs(v));
        EXPECT_LE(peak, 30000) << f << " peaks above -0.8 dBFS";  // -1 dBFS plus codec overshoot
        EXPECT_LE(LoudestWindowDb(d, 4410), click + 4.0) << f << " is much louder than the click";
    }
    // The score tick may play every frame; anything long would smear into a drone.
    EXPECT_LE(Get("count.ogg").Seconds(), 0.06);
}

// The signal kit of the sound generator (plain arithmetic, no libraries), compiled in
// here because the generators are not part of the game library. Its loudness meter and
// loop folding decide the levels and seams checked above.
#include "tools/sfxgen/dsp.cpp"

namespace {

sfx::Sound Sine(int channels, double hz, double amp, double seconds) {
    sfx::Sound s(channels, sfx::Samples(seconds));
    for (auto& c : s.ch)
        for (size_t i = 0; i < c.size(); ++i) c[i] = float(amp * std::sin(2 * sfx::kPi * hz * double(i) / sfx::kRate));
    return s;
}

}  // namespace

TEST(SoundKit, LoudnessMeterReadsTheReferenceTone) {
    // A full-scale 997 Hz sine reads -3.01 LUFS on one channel and 0 LUFS on two.
    EXPECT_NEAR(sfx::IntegratedLufs(Sine(1, 997, 1.0, 3.0)), -3.01, 0.1);
    EXPECT_NEAR(sfx::IntegratedLufs(Sine(2, 997, 1.0, 3.0)), 0.0, 0.1);
    EXPECT_NEAR(sfx::IntegratedLufs(Sine(2, 997, 0.1, 3.0)), -20.0, 0.1);
    // Gating ignores the silence around a tone (ungated it would read -25.2), so pauses in
    // a song do not raise its gain; only the blocks straddling the edges pull it down a little.
    sfx::Sound padded(2, sfx::Samples(10.0));
    padded.Mix(Sine(2, 997, 0.1, 3.0), sfx::Samples(4.0));
    EXPECT_NEAR(sfx::IntegratedLufs(padded), -20.0, 0.6);
    EXPECT_NEAR(sfx::MaxMomentaryLufs(padded, 0.1), -20.0, 0.3);
}

TEST(SoundKit, FoldingATailOntoTheStartJoinsTheLoop) {
    // A bell struck just before the loop end must ring on, unbroken, after the loop point.
    const size_t loop = sfx::Samples(1.0);
    sfx::Sound s(1, loop);
    sfx::AddModes(s.ch[0], loop - sfx::Samples(0.1), {{440.0, 0.5, 0.8}});
    double before = 0;
    for (float v : s.ch[0]) before += v;
    sfx::FoldCircular(s, loop);
    ASSERT_EQ(s.Frames(), loop);
    double after = 0, largest = 0;
    for (size_t i = 0; i < loop; ++i) {
        after += s.ch[0][i];
        if (i) largest = std::max(largest, double(std::fabs(s.ch[0][i] - s.ch[0][i - 1])));
    }
    EXPECT_NEAR(after, before, 1e-3);
    EXPECT_LE(std::fabs(s.ch[0][0] - s.ch[0][loop - 1]), largest * 1.01);
    EXPECT_GT(std::fabs(s.ch[0][sfx::Samples(0.05)]), 0.0f);  // the ring carries on past the seam
}

TEST(SoundKit, CrossfadedNoiseBedKeepsItsLevelThroughTheSeam) {
    const size_t loop = sfx::Samples(2.0), fade = sfx::Samples(0.5);
    sfx::Sound s(1, loop + fade);
    sfx::Rng rng(7);
    for (auto& v : s.ch[0]) v = float(rng.Bi() * 0.5);
    sfx::FoldCrossfade(s, loop, fade);
    ASSERT_EQ(s.Frames(), loop);
    auto rms = [&](size_t from, size_t n) {
        double sum = 0;
        for (size_t i = from; i < from + n; ++i) sum += double(s.ch[0][i]) * s.ch[0][i];
        return 10 * std::log10(sum / double(n));
    };
    EXPECT_NEAR(rms(fade / 4, fade / 2), rms(loop - fade, fade), 1.0);
}

TEST(SoundKit, FiltersAndNoiseAreRepeatable) {
    sfx::Rng a(42), b(42);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(a.Next(), b.Next());
    // A low-pass at 1 kHz takes an 8 kHz tone down by more than 24 dB.
    sfx::Biquad lp(sfx::Biquad::LowPass, 1000, 0.707);
    sfx::Sound high = Sine(1, 8000, 0.5, 0.5);
    double in = 0, out = 0;
    for (size_t i = 0; i < high.Frames(); ++i) {
        const float y = lp.Run(high.ch[0][i]);
        if (i > 1000) in += double(high.ch[0][i]) * high.ch[0][i], out += double(y) * y;
    }
    EXPECT_LT(10 * std::log10(out / in), -24.0);
}
