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
        "click.ogg",      "count.ogg",      "dropdown.ogg",     "flyback.ogg",    "gong.ogg",
        "hintzoom.ogg",   "lampexplode.ogg", "mouseover.ogg",   "puzzlerotate.ogg", "puzzpick.ogg",
        "puzzzoom_1.ogg", "puzzzoom_2.ogg", "puzzzoom_3.ogg",   "puzzzoom_4.ogg", "puzzzoom_5.ogg",
        "rainloop.ogg",   "texthit.ogg",    "windloop.ogg",     "bg_shoot.ogg",   "bomb.ogg",
        "combo.ogg",      "freeze.ogg",     "levelcomplete.ogg", "wind.ogg",      "xplode.ogg"};
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
