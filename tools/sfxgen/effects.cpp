// Recipes for the effects. All of them come from one small family of struck and blown
// things (wood blocks, temple bells, gongs, singing bowls, air and water) so the game
// sounds like one place.
#include "effects.hpp"

#include <algorithm>

namespace sfx {

namespace {

// Free wooden bar: the strongly inharmonic partials make it read as wood, not a tone.
std::vector<Mode> WoodModes(double f0, double amp, double t60) {
    return {{f0, amp, t60},
            {f0 * 2.76, amp * 0.45, t60 * 0.55},
            {f0 * 5.40, amp * 0.18, t60 * 0.35},
            {f0 * 8.93, amp * 0.06, t60 * 0.2}};
}

// Small temple bell (rin): bowl-like partial ratios with a gentle twin-mode shimmer.
std::vector<Mode> BellModes(double f0, double amp, double t60) {
    return {{f0, amp, t60, 0.0, 0.0, 0.7},
            {f0 * 2.71, amp * 0.42, t60 * 0.55, 0.5, 0.0, 1.3},
            {f0 * 5.05, amp * 0.2, t60 * 0.3, 1.1, 0.0, 2.1},
            {f0 * 7.96, amp * 0.08, t60 * 0.18, 2.0}};
}

std::vector<Mode> GongModes(double f0, double amp, double t60, Rng& rng) {
    static const double ratios[] = {1.0, 1.47, 1.98, 2.44, 2.97, 3.52, 4.13, 4.66, 5.31, 6.07, 7.18, 8.42, 9.9};
    std::vector<Mode> m;
    int k = 0;
    for (double r : ratios) {
        const double a = amp * std::pow(0.78, k) * rng.Range(0.7, 1.0);
        m.push_back({f0 * r * rng.Range(0.995, 1.005), a, t60 / (1.0 + 0.35 * k), rng.Range(0, 6.28), -0.0035,
                     rng.Range(0.3, 1.5)});
        ++k;
    }
    return m;
}

void Tap(std::vector<float>& ch, size_t at, Rng& rng, double centre, double q, double amp, double t60) {
    AddShapedNoise(
        ch, at, t60, rng, [=](double) { return centre; }, q, [=](double t) { return amp * AD(t, 0.0003, t60); });
}

Sound Mono(double seconds) { return Sound(1, Samples(seconds)); }

Sound Click() {
    Sound s = Mono(0.12);
    Rng rng(11);
    AddModes(s.ch[0], 0, WoodModes(1750, 0.5, 0.045), 0.0002);
    Tap(s.ch[0], 0, rng, 3800, 0.9, 0.6, 0.012);
    return s;
}

Sound Count() {
    // Plays every frame while the score counts up, so it is a single dry tick.
    Sound s = Mono(0.035);
    Rng rng(12);
    AddModes(s.ch[0], 0, {{2637, 0.4, 0.012}, {3951, 0.15, 0.008}}, 0.0002);
    Tap(s.ch[0], 0, rng, 5000, 1.2, 0.2, 0.005);
    return s;
}

Sound Dropdown() {
    Sound s = Mono(0.3);
    Rng rng(13);
    AddModes(s.ch[0], 0, WoodModes(640, 0.55, 0.09), 0.0003);
    AddModes(s.ch[0], 0, {{150, 0.45, 0.06}}, 0.001);  // body thud of the board
    Tap(s.ch[0], 0, rng, 2400, 0.8, 0.5, 0.015);
    return s;
}

Sound Flyback() {
    // Air rushing past, moving right towards the tray.
    Sound s(2, Samples(0.5));
    for (int c = 0; c < 2; ++c) {
        Rng rng(14 + uint64_t(c));
        AddShapedNoise(
            s.ch[size_t(c)], 0, 0.5, rng, [](double t) { return 500 + 2600 * std::sin(kPi * std::min(1.0, t / 0.45)); },
            0.9,
            [c](double t) {
                const double env = t < 0.14 ? 0.25 + 0.75 * t / 0.14 : std::exp(-(t - 0.14) * 9.0);
                const double pos = std::min(1.0, t / 0.4);  // left to right
                return env * (c == 0 ? 1.0 - 0.7 * pos : 0.3 + 0.7 * pos);
            });
    }
    FadeEdges(s, 0.0005, 0.05);
    return s;
}

Sound GongSound(double f0, double seconds, uint64_t seed) {
    Sound s(2, Samples(seconds));
    for (int c = 0; c < 2; ++c) {
        Rng rng(seed + uint64_t(c));
        auto modes = GongModes(f0, 0.3, seconds * 0.8, rng);
        std::vector<Mode> low(modes.begin(), modes.begin() + 4), high(modes.begin() + 4, modes.end());
        AddModes(s.ch[size_t(c)], 0, low, 0.004);
        AddModes(s.ch[size_t(c)], 0, high, 0.08);  // the shimmer blooms after the strike
        // The dense upper cluster that makes it a gong rather than a bell: many weak,
        // crowded partials that swell in late and fade early.
        std::vector<Mode> cluster;
        for (int k = 0; k < 36; ++k)
            cluster.push_back({f0 * (3.0 + k * 0.55 * rng.Range(0.85, 1.15)), 0.045 * std::exp(-k * 0.06),
                               seconds * 0.3 / (1.0 + 0.04 * k), rng.Range(0, 6.3), -0.002, rng.Range(0.5, 3.0)});
        AddModes(s.ch[size_t(c)], 0, cluster, 0.25);
        AddShapedNoise(
            s.ch[size_t(c)], 0, 0.08, rng, [](double) { return 180; }, 0.7,
            [](double t) { return 0.8 * AD(t, 0.001, 0.06); });
    }
    s.Resize(Samples(seconds));
    FadeEdges(s, 0.001, seconds * 0.3);
    return s;
}

Sound Gong() { return GongSound(98, 5.0, 15); }

Sound HintZoom() {
    // A run of tiny bells climbing the pentatonic scale over a rising airy shimmer.
    Sound s(2, Samples(1.3));
    static const int steps[] = {74, 76, 78, 81, 83, 86, 88, 90, 93, 95};
    for (int c = 0; c < 2; ++c) {
        Rng rng(20 + uint64_t(c));
        for (int i = 0; i < 10; ++i) {
            const size_t at = Samples(0.06 * i + (c ? 0.012 : 0.0));
            AddModes(s.ch[size_t(c)], at, BellModes(NoteHz(steps[i]), 0.09 + 0.01 * i, 0.5), 0.0005);
        }
        AddShapedNoise(
            s.ch[size_t(c)], 0, 1.0, rng, [](double t) { return 2500 + 6000 * t; }, 3.0,
            [](double t) { return 0.12 * std::min(1.0, 0.3 + t * 3) * std::exp(-t * 2.5); });
    }
    s.Resize(Samples(1.3));
    FadeEdges(s, 0.0005, 0.3);
    return s;
}

Sound LampExplode() {
    Sound s(2, Samples(1.0));
    Rng rng(30);
    // The pop: a falling low sine over a puff of noise.
    Sound pop = Mono(0.15);
    double ph = 0;
    for (size_t i = 0; i < pop.Frames(); ++i) {
        const double t = double(i) / kRate;
        ph += 2 * kPi * (70 + 260 * std::exp(-t * 40)) / kRate;
        pop.ch[0][i] = float(0.7 * std::sin(ph) * AD(t, 0.0005, 0.12));
    }
    Tap(pop.ch[0], 0, rng, 900, 0.6, 1.2, 0.05);
    s.Mix(pop, 0);
    // The sparkle: bright bell pings thinning out.
    for (int i = 0; i < 26; ++i) {
        const double t = 0.03 + 0.7 * std::pow(rng.Uni(), 1.8);
        Sound ping = Mono(0.01);
        AddModes(ping.ch[0], 0, BellModes(rng.Range(2600, 5200), 0.07 * (1.0 - t), 0.25), 0.0003);
        s.Mix(ping, Samples(t), 1.0, rng.Bi() * 0.8);
    }
    s.Resize(Samples(1.0));
    FadeEdges(s, 0.0003, 0.2);
    return s;
}

Sound MouseOver() {
    Sound s = Mono(0.15);
    AddModes(s.ch[0], 0, {{1318.5, 0.3, 0.07}, {1318.5 * 2.76, 0.05, 0.03}}, 0.001);
    return s;
}

Sound PuzzleRotate() {
    // Two soft ratchet ticks, like a wooden dial turning a notch.
    Sound s = Mono(0.12);
    Rng rng(40);
    for (int i = 0; i < 2; ++i) {
        const size_t at = Samples(0.028 * i);
        AddModes(s.ch[0], at, WoodModes(2100 - 250 * i, 0.3, 0.025), 0.0002);
        Tap(s.ch[0], at, rng, 4200, 1.2, 0.25, 0.006);
    }
    s.Resize(Samples(0.12));
    return s;
}

Sound PuzzPick() {
    // A light wooden "tok" whose pitch lifts as the tile leaves the board.
    Sound s = Mono(0.25);
    Rng rng(41);
    auto modes = WoodModes(520, 0.5, 0.07);
    for (auto& m : modes) m.glide = 1.6;
    AddModes(s.ch[0], 0, modes, 0.0003);
    AddShapedNoise(
        s.ch[0], 0, 0.12, rng, [](double t) { return 1200 + 9000 * t; }, 1.0,
        [](double t) { return 0.25 * AD(t, 0.002, 0.08); });
    s.Resize(Samples(0.25));
    FadeEdges(s, 0.0, 0.05);
    return s;
}

// The five hover tones share one major pentatonic scale on D.
Sound ZoomTone(int semitone) {
    Sound s = Mono(0.9);
    AddModes(s.ch[0], 0, BellModes(NoteHz(74 + semitone), 0.3, 0.7), 0.002);
    s.Resize(Samples(0.9));
    FadeEdges(s, 0.0, 0.2);
    return s;
}
Sound Zoom1() { return ZoomTone(0); }
Sound Zoom2() { return ZoomTone(2); }
Sound Zoom3() { return ZoomTone(4); }
Sound Zoom4() { return ZoomTone(7); }
Sound Zoom5() { return ZoomTone(9); }

Sound RainLoop() {
    constexpr double kLen = 10.0;
    const size_t loop = Samples(kLen), fade = Samples(1.0);
    // Hiss of rain on leaves: broad noise, crossfaded at the seam.
    Sound bed(2, loop + fade);
    for (int c = 0; c < 2; ++c) {
        Rng rng(50 + uint64_t(c));
        Biquad hp(Biquad::HighPass, 500, 0.7), lp(Biquad::LowPass, 5500, 0.7), lp2(Biquad::LowPass, 7000, 0.6);
        for (size_t i = 0; i < bed.Frames(); ++i) {
            const double t = double(i) / kRate;
            const double swell = 1.0 + 0.15 * std::sin(2 * kPi * t / 5.0 + c) + 0.1 * std::sin(2 * kPi * t / 2.5);
            bed.ch[size_t(c)][i] = float(lp2.Run(lp.Run(hp.Run(float(rng.Bi())))) * 0.06 * swell);
        }
    }
    FoldCrossfade(bed, loop, fade);
    // Single drops on water: tiny bubbles whose pitch rises, spread in the stereo field.
    Sound drops(2, loop + Samples(0.3));
    Rng rng(52);
    for (int i = 0; i < int(kLen * 55); ++i) {
        const double t = rng.Uni() * kLen;
        const bool big = rng.Uni() < 0.08;
        const double f = big ? rng.Range(500, 1100) : rng.Range(1600, 4200);
        const double amp = (big ? 0.3 : 0.12) * std::pow(rng.Uni(), 1.5);
        const double dur = big ? rng.Range(0.03, 0.06) : rng.Range(0.008, 0.02);
        Sound d = Mono(dur * 2);
        double ph = 0;
        for (size_t k = 0; k < d.Frames(); ++k) {
            const double u = double(k) / kRate;
            ph += 2 * kPi * f * (1.0 + 0.6 * u / dur) / kRate;
            d.ch[0][k] = float(amp * std::sin(ph) * AD(u, 0.0008, dur));
        }
        drops.Mix(d, Samples(t), 1.0, rng.Bi() * 0.9);
    }
    FoldCircular(drops, loop);
    bed.Mix(drops, 0);
    return bed;
}

Sound TextHit() {
    // A temple block with a small bell answering it.
    Sound s = Mono(0.6);
    Rng rng(60);
    AddModes(s.ch[0], 0, WoodModes(880, 0.45, 0.08), 0.0003);
    AddModes(s.ch[0], Samples(0.005), BellModes(NoteHz(86), 0.12, 0.45), 0.001);
    Tap(s.ch[0], 0, rng, 3000, 1.0, 0.3, 0.01);
    s.Resize(Samples(0.6));
    FadeEdges(s, 0.0, 0.15);
    return s;
}

}  // namespace

Sound WindBed(double seconds, uint64_t seed, double brightness) {
    Sound s(2, Samples(seconds));
    for (int c = 0; c < 2; ++c) {
        Rng rng(seed + uint64_t(c) * 7);
        const double p1 = rng.Range(5, 9), p2 = rng.Range(2.5, 4.5), p3 = rng.Range(11, 17);
        const double o1 = rng.Range(0, 6.3), o2 = rng.Range(0, 6.3), o3 = rng.Range(0, 6.3);
        auto drift = [=](double t) {
            return 0.5 * std::sin(2 * kPi * t / p1 + o1) + 0.3 * std::sin(2 * kPi * t / p2 + o2) +
                   0.4 * std::sin(2 * kPi * t / p3 + o3);
        };
        AddShapedNoise(
            s.ch[size_t(c)], 0, seconds, rng, [=](double t) { return brightness * 380 * std::exp(0.45 * drift(t)); },
            0.9, [=](double t) { return 0.32 * (1.0 + 0.45 * drift(t + 0.7)); });
        // A faint howl riding on top of the rush.
        AddShapedNoise(
            s.ch[size_t(c)], 0, seconds, rng,
            [=](double t) { return brightness * 900 * std::exp(0.35 * drift(t + 2.0)); }, 9.0,
            [=](double t) { return 0.25 * std::max(0.0, drift(t + 1.3)); });
    }
    s.Resize(Samples(seconds));
    return s;
}

namespace {

Sound WindLoop() {
    const size_t loop = Samples(12.0), fade = Samples(1.5);
    Sound s = WindBed(12.0 + 1.5, 70);
    FoldCrossfade(s, loop, fade);
    return s;
}

Sound BgShoot() {
    // A bamboo "fwip": air swept upward with a plucked ping on release.
    Sound s = Mono(0.35);
    Rng rng(80);
    AddShapedNoise(
        s.ch[0], 0, 0.2, rng, [](double t) { return 700 + 30000 * t; }, 1.5,
        [](double t) { return 0.7 * (0.4 + 0.6 * std::min(1.0, t / 0.03)) * std::exp(-t * 18); });
    auto modes = WoodModes(980, 0.35, 0.12);
    for (auto& m : modes) m.glide = 1.2;
    AddModes(s.ch[0], 0, modes, 0.0005);
    s.Resize(Samples(0.35));
    FadeEdges(s, 0.0, 0.08);
    return s;
}

Sound Bomb() {
    // A deep temple drum with a burst of dust after it.
    Sound s(2, Samples(1.6));
    for (int c = 0; c < 2; ++c) {
        Rng rng(90 + uint64_t(c));
        double ph = 0;
        auto& ch = s.ch[size_t(c)];
        for (size_t i = 0; i < ch.size(); ++i) {
            const double t = double(i) / kRate;
            ph += 2 * kPi * (42 + 75 * std::exp(-t * 9)) / kRate;
            ch[i] += float(0.8 * std::sin(ph) * AD(t, 0.002, 0.9));
        }
        AddShapedNoise(
            ch, 0, 1.0, rng, [](double t) { return 300 + 900 * std::exp(-t * 6); }, 0.6,
            [](double t) { return 1.1 * AD(t, 0.003, 0.5); });
        AddModes(ch, 0, GongModes(61, 0.08, 1.2, rng), 0.01);
    }
    s.Resize(Samples(1.6));
    FadeEdges(s, 0.0005, 0.4);
    return s;
}

Sound Combo() {
    // Three bells rising: root, fifth, octave of the pentatonic scale.
    Sound s(2, Samples(1.8));
    const int notes[] = {81, 86, 93};
    for (int i = 0; i < 3; ++i) {
        Sound b = Mono(0.01);
        AddModes(b.ch[0], 0, BellModes(NoteHz(notes[i]), 0.22, 1.2), 0.0005);
        s.Mix(b, Samples(0.07 * i), 1.0, -0.4 + 0.4 * i);
    }
    s.Resize(Samples(1.8));
    FadeEdges(s, 0.0, 0.4);
    return s;
}

Sound Freeze() {
    // Ice cracking: sharp clicks that crowd together, and glassy ringing over them.
    Sound s(2, Samples(1.0));
    Rng rng(100);
    double t = 0;
    for (int i = 0; i < 22 && t < 0.45; ++i) {
        Sound k = Mono(0.02);
        Tap(k.ch[0], 0, rng, rng.Range(3000, 8000), 1.5, rng.Range(0.4, 0.9), rng.Range(0.004, 0.012));
        AddModes(k.ch[0], 0, {{rng.Range(1800, 3200), 0.12, 0.03}}, 0.0002);
        s.Mix(k, Samples(t), 1.0, rng.Bi() * 0.7);
        t += 0.06 * std::exp(-i * 0.12) * rng.Range(0.5, 1.5);
    }
    for (int c = 0; c < 2; ++c) {
        std::vector<Mode> glass;
        for (double r : {1.0, 1.83, 2.91, 4.12}) glass.push_back({3300 * r + 37 * c, 0.05 / r, 0.5, 0.3 * c});
        AddModes(s.ch[size_t(c)], Samples(0.02), glass, 0.01);
    }
    s.Resize(Samples(1.0));
    FadeEdges(s, 0.0, 0.3);
    return s;
}

Sound LevelComplete() {
    Sound s = GongSound(123.5, 4.5, 110);
    // A pentatonic chord of bells blooms out of the gong.
    const int chord[] = {62, 69, 74, 78, 81, 86};
    for (int i = 0; i < 6; ++i) {
        Sound b = Mono(0.01);
        AddModes(b.ch[0], 0, BellModes(NoteHz(chord[i]), 0.12, 2.6), 0.002);
        s.Mix(b, Samples(0.12 + 0.09 * i), 1.0, -0.6 + 0.24 * i);
    }
    s.Resize(Samples(4.5));
    FadeEdges(s, 0.0, 1.2);
    return s;
}

Sound Wind() {
    // One whirling gust: the band climbs and falls while it circles left to right.
    Sound s(2, Samples(2.2));
    for (int c = 0; c < 2; ++c) {
        Rng rng(120 + uint64_t(c));
        AddShapedNoise(
            s.ch[size_t(c)], 0, 2.2, rng, [](double t) { return 300 + 900 * std::sin(kPi * std::min(1.0, t / 2.0)); },
            1.4,
            [c](double t) {
                const double env = std::sin(kPi * std::min(1.0, t / 2.2));
                const double pan = 0.5 + 0.5 * std::sin(2 * kPi * t / 1.4 + (c ? 0 : kPi));
                return (0.35 + 0.65 * env) * (0.35 + 0.65 * pan);
            });
    }
    FadeEdges(s, 0.002, 0.05);
    return s;
}

Sound Xplode() {
    // A cell bursting: a dry crack with a handful of sparks.
    Sound s(2, Samples(0.45));
    Rng rng(130);
    Sound crack = Mono(0.1);
    Tap(crack.ch[0], 0, rng, 1500, 0.7, 1.1, 0.06);
    AddModes(crack.ch[0], 0, WoodModes(430, 0.35, 0.06), 0.0003);
    s.Mix(crack, 0);
    for (int i = 0; i < 7; ++i) {
        Sound p = Mono(0.01);
        AddModes(p.ch[0], 0, BellModes(rng.Range(3000, 6000), 0.05, 0.12), 0.0003);
        s.Mix(p, Samples(0.02 + 0.2 * rng.Uni()), 1.0, rng.Bi() * 0.8);
    }
    s.Resize(Samples(0.45));
    FadeEdges(s, 0.0, 0.1);
    return s;
}

}  // namespace

Sound SingingBowl(double hz, double seconds, uint64_t seed) {
    Sound s(2, Samples(seconds));
    static const double ratio[] = {1.0, 2.77, 5.18, 8.21, 11.7};
    static const double amp[] = {1.0, 0.5, 0.25, 0.12, 0.05};
    for (int c = 0; c < 2; ++c) {
        Rng rng(seed + uint64_t(c) * 13);
        std::vector<Mode> modes;
        for (int k = 0; k < 5; ++k)
            modes.push_back({hz * ratio[k], 0.2 * amp[k], seconds * 0.7 / (1.0 + 1.2 * k), rng.Range(0, 6.3), 0.0,
                             (0.6 + 0.7 * k) * rng.Range(0.85, 1.15)});
        AddModes(s.ch[size_t(c)], 0, modes, 0.003);
        AddShapedNoise(
            s.ch[size_t(c)], 0, 0.03, rng, [](double) { return 1200; }, 0.8,
            [](double t) { return 0.05 * AD(t, 0.001, 0.02); });
    }
    s.Resize(Samples(seconds));
    FadeEdges(s, 0.0, seconds * 0.2);
    return s;
}

const std::vector<EffectRecipe>& Effects() {
    static const std::vector<EffectRecipe> list = {
        {"click.ogg", 0.0, false, Click, "dry wooden click of a button"},
        {"count.ogg", -7.0, false, Count, "tiny dry tick for each step of the score count (may repeat every frame)"},
        {"dropdown.ogg", -1.0, false, Dropdown, "wooden knock with a soft thud as a tile snaps into place"},
        {"flyback.ogg", -5.0, false, Flyback, "airy whoosh moving right, a tile flying back to the tray"},
        {"gong.ogg", -2.0, false, Gong, "deep temple gong with a slow shimmering bloom"},
        {"hintzoom.ogg", -4.0, false, HintZoom, "rising run of tiny bells over a climbing shimmer of air"},
        {"lampexplode.ogg", -2.0, false, LampExplode, "soft pop followed by a scatter of bright sparkles"},
        {"mouseover.ogg", -8.0, false, MouseOver, "tiny soft bell tick (not played by the game)"},
        {"puzzlerotate.ogg", -6.0, false, PuzzleRotate, "two soft ratchet ticks of a wooden dial"},
        {"puzzpick.ogg", -3.0, false, PuzzPick, "light wooden tok lifting in pitch as a tile is picked up"},
        {"puzzzoom_1.ogg", -5.0, false, Zoom1, "hover bell D5 (first tone of the D major pentatonic)"},
        {"puzzzoom_2.ogg", -5.0, false, Zoom2, "hover bell E5"},
        {"puzzzoom_3.ogg", -5.0, false, Zoom3, "hover bell F#5"},
        {"puzzzoom_4.ogg", -5.0, false, Zoom4, "hover bell A5"},
        {"puzzzoom_5.ogg", -5.0, false, Zoom5, "hover bell B5"},
        {"rainloop.ogg", -12.0, true, RainLoop, "10 s seamless loop of rain hissing with drops plinking on water"},
        {"texthit.ogg", -2.0, false, TextHit, "temple block answered by a small bell as a text lands"},
        {"windloop.ogg", -12.0, true, WindLoop, "12 s seamless loop of mountain wind with a faint howl"},
        {"bg_shoot.ogg", -3.0, false, BgShoot, "bamboo fwip: air swept upward with a rising plucked ping"},
        {"bomb.ogg", -3.0, false, Bomb, "deep drum boom with a falling pitch and a gong rumble"},
        {"combo.ogg", -2.0, false, Combo, "chime of three bells rising (A5, D6, A6)"},
        {"freeze.ogg", -3.0, false, Freeze, "ice crackling faster and faster under a glassy ring"},
        {"levelcomplete.ogg", -2.0, false, LevelComplete, "gong with a pentatonic bell chord blooming out of it"},
        {"wind.ogg", -3.0, false, Wind, "a single whirling gust circling between the speakers"},
        {"xplode.ogg", -2.0, false, Xplode, "dry crack of a bursting cell with a few sparks"},
    };
    return list;
}

}  // namespace sfx
