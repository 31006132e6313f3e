#include "dsp.hpp"

#include <algorithm>

namespace sfx {

float Sound::Peak() const {
    float p = 0;
    for (auto& c : ch)
        for (float v : c) p = std::max(p, std::fabs(v));
    return p;
}

void Sound::Mix(const Sound& src, size_t at, double gain, double pan) {
    if (src.Frames() + at > Frames()) Resize(src.Frames() + at);
    const bool spread = src.Channels() == 1 && Channels() == 2;
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * kPi / 4.0;
    for (int c = 0; c < Channels(); ++c) {
        const auto& in = src.ch[size_t(std::min(c, src.Channels() - 1))];
        double g = gain;
        if (spread) g *= (c == 0 ? std::cos(angle) : std::sin(angle)) * std::sqrt(2.0);
        auto& out = ch[size_t(c)];
        for (size_t i = 0; i < in.size(); ++i) out[at + i] += float(in[i] * g);
    }
}

void Biquad::Set(Kind k, double freq, double q, double gainDb) {
    freq = std::clamp(freq, 10.0, kRate * 0.49);
    const double w = 2 * kPi * freq / kRate, cw = std::cos(w), sw = std::sin(w);
    const double alpha = sw / (2 * q);
    const double A = std::pow(10.0, gainDb / 40.0);
    double b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
    switch (k) {
        case LowPass:
            b0 = (1 - cw) / 2, b1 = 1 - cw, b2 = (1 - cw) / 2;
            a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
            break;
        case HighPass:
            b0 = (1 + cw) / 2, b1 = -(1 + cw), b2 = (1 + cw) / 2;
            a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
            break;
        case BandPass:
            b0 = alpha, b1 = 0, b2 = -alpha;
            a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
            break;
        case Peak:
            b0 = 1 + alpha * A, b1 = -2 * cw, b2 = 1 - alpha * A;
            a0 = 1 + alpha / A, a1 = -2 * cw, a2 = 1 - alpha / A;
            break;
        case HighShelf: {
            const double s = 2 * std::sqrt(A) * alpha;
            b0 = A * ((A + 1) + (A - 1) * cw + s), b1 = -2 * A * ((A - 1) + (A + 1) * cw);
            b2 = A * ((A + 1) + (A - 1) * cw - s);
            a0 = (A + 1) - (A - 1) * cw + s, a1 = 2 * ((A - 1) - (A + 1) * cw), a2 = (A + 1) - (A - 1) * cw - s;
            break;
        }
        case LowShelf: {
            const double s = 2 * std::sqrt(A) * alpha;
            b0 = A * ((A + 1) - (A - 1) * cw + s), b1 = 2 * A * ((A - 1) - (A + 1) * cw);
            b2 = A * ((A + 1) - (A - 1) * cw - s);
            a0 = (A + 1) + (A - 1) * cw + s, a1 = -2 * ((A - 1) + (A + 1) * cw), a2 = (A + 1) + (A - 1) * cw - s;
            break;
        }
    }
    Coeffs(b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0);
}

void AddModes(std::vector<float>& ch, size_t at, const std::vector<Mode>& modes, double attack) {
    double longest = 0;
    for (auto& m : modes) longest = std::max(longest, m.t60 * 80.0 / 60.0);
    const size_t n = Samples(longest);
    if (ch.size() < at + n) ch.resize(at + n, 0.0f);
    for (auto& m : modes) {
        if (m.freq >= kRate * 0.45) continue;  // would only alias
        const size_t len = std::min(n, Samples(m.t60 * 80.0 / 60.0));
        const double decay = std::exp(-6.907755 / (m.t60 * kRate));
        double env = m.amp, ph = m.phase, ph2 = m.phase * 1.7;
        for (size_t i = 0; i < len; ++i) {
            const double t = double(i) / kRate;
            const double f = m.freq * (1.0 + m.glide * t);
            ph += 2 * kPi * f / kRate;
            double v = std::sin(ph);
            if (m.beat != 0.0) {
                ph2 += 2 * kPi * (f + m.beat) / kRate;
                v = 0.5 * (v + std::sin(ph2));
            }
            const double rise = attack > 0 ? 1.0 - std::exp(-t / attack) : 1.0;
            ch[at + i] += float(v * env * rise);
            env *= decay;
        }
    }
}

void AddShapedNoise(std::vector<float>& ch, size_t at, double seconds, Rng& rng,
                    const std::function<double(double)>& centreHz, double q,
                    const std::function<double(double)>& gain) {
    const size_t n = Samples(seconds);
    if (ch.size() < at + n) ch.resize(at + n, 0.0f);
    Biquad bp, bp2;
    for (size_t i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        if (i % 32 == 0) {
            const double f = centreHz(t);
            bp.Set(Biquad::BandPass, f, q);
            bp2.Set(Biquad::BandPass, f, q);
        }
        // Two band-passes in series give the soft, rounded band of air rather than hiss.
        ch[at + i] += float(bp2.Run(bp.Run(float(rng.Bi()))) * gain(t) * 2.0);
    }
}

void FadeEdges(Sound& s, double inSec, double outSec) {
    const size_t n = s.Frames(), fi = std::min(n, Samples(inSec)), fo = std::min(n, Samples(outSec));
    for (auto& c : s.ch) {
        for (size_t i = 0; i < fi; ++i) c[i] *= float(double(i) / double(fi));
        for (size_t i = 0; i < fo; ++i) c[n - 1 - i] *= float(double(i) / double(fo));
    }
}

namespace {

// The two BS.1770 pre-filters, designed for our rate.
std::vector<std::vector<double>> KWeightedSquares(const Sound& s) {
    double f0 = 1681.974450955533, G = 3.999843853973347, Q = 0.7071752369554196;
    double K = std::tan(kPi * f0 / kRate), Vh = std::pow(10.0, G / 20.0), Vb = std::pow(Vh, 0.4996667741545416);
    double a0 = 1.0 + K / Q + K * K;
    Biquad shelf;
    shelf.Coeffs((Vh + Vb * K / Q + K * K) / a0, 2.0 * (K * K - Vh) / a0, (Vh - Vb * K / Q + K * K) / a0,
                 2.0 * (K * K - 1.0) / a0, (1.0 - K / Q + K * K) / a0);
    f0 = 38.13547087602444, Q = 0.5003270373238773, K = std::tan(kPi * f0 / kRate);
    a0 = 1.0 + K / Q + K * K;
    Biquad hp;
    hp.Coeffs(1.0, -2.0, 1.0, 2.0 * (K * K - 1.0) / a0, (1.0 - K / Q + K * K) / a0);
    std::vector<std::vector<double>> out;
    for (auto& c : s.ch) {
        Biquad a = shelf, b = hp;
        std::vector<double> sq(c.size());
        for (size_t i = 0; i < c.size(); ++i) {
            const double y = b.Run(a.Run(c[i]));
            sq[i] = y * y;
        }
        out.push_back(std::move(sq));
    }
    return out;
}

// Mean square summed over channels for each window of `win` frames, advancing by `hop`.
std::vector<double> BlockPowers(const Sound& s, size_t win, size_t hop) {
    auto sq = KWeightedSquares(s);
    std::vector<double> blocks;
    if (s.Frames() < win) win = s.Frames();
    if (win == 0) return blocks;
    for (size_t start = 0; start + win <= s.Frames(); start += hop) {
        double sum = 0;
        for (auto& c : sq)
            for (size_t i = start; i < start + win; ++i) sum += c[i];
        blocks.push_back(sum / double(win));
    }
    return blocks;
}

double ToLufs(double power) { return power > 0 ? -0.691 + 10.0 * std::log10(power) : -200.0; }

}  // namespace

double IntegratedLufs(const Sound& s) {
    auto blocks = BlockPowers(s, Samples(0.4), Samples(0.1));
    auto gatedMean = [&](double threshold) {
        double sum = 0;
        size_t n = 0;
        for (double p : blocks)
            if (ToLufs(p) > threshold) sum += p, ++n;
        return n ? sum / double(n) : 0.0;
    };
    const double relative = ToLufs(gatedMean(-70.0)) - 10.0;
    return ToLufs(gatedMean(std::max(-70.0, relative)));
}

double MaxMomentaryLufs(const Sound& s, double windowSec) {
    double best = 0;
    for (double p : BlockPowers(s, Samples(windowSec), Samples(0.005))) best = std::max(best, p);
    return ToLufs(best);
}

void FoldCircular(Sound& s, size_t loopFrames) {
    for (auto& c : s.ch) {
        for (size_t i = loopFrames; i < c.size(); ++i) c[i % loopFrames] += c[i];
        c.resize(loopFrames);
    }
}

void FoldCrossfade(Sound& s, size_t loopFrames, size_t fade) {
    for (auto& c : s.ch) {
        c.resize(std::max(c.size(), loopFrames + fade), 0.0f);
        for (size_t i = 0; i < fade; ++i) {
            const double w = (double(i) + 0.5) / double(fade) * kPi / 2;
            c[i] = float(c[i] * std::sin(w) + c[loopFrames + i] * std::cos(w));
        }
        c.resize(loopFrames);
    }
}

}  // namespace sfx
