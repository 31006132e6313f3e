#include "platform/random.hpp"

#include <utility>

namespace {
constexpr int64_t kModulus = 2147483647;  // 2^31 - 1
constexpr int64_t kMultiplier = 48271;
constexpr int32_t kFallbackSeed = 4660;
int32_t g_state = kFallbackSeed;
}  // namespace

void SeedRnd(int64_t seed) {
    int32_t s = int32_t(seed & 0x7fffffff);
    if (s == 0 || s == 0x7fffffff || seed == -1) s = kFallbackSeed;
    g_state = s;
}

int32_t RndSeed() { return g_state; }

int32_t RndNext() {
    g_state = int32_t((int64_t(g_state) * kMultiplier) % kModulus);
    return g_state;
}

double RndDouble() {
    // Each step gives 1..2^31-2; 27 bits of each make a 54-bit fraction strictly below 1.
    const double hi = double((RndNext() - 1) >> 4);
    const double lo = double((RndNext() - 1) >> 4);
    return (hi * 134217728.0 + lo) / 18014398509481984.0;  // / 2^54
}

int32_t Rand(int32_t a, int32_t b) {
    if (a > b) std::swap(a, b);
    int64_t span = int64_t(b) - int64_t(a) + 1;
    return int32_t(int64_t(a) + int64_t(RndDouble() * double(span)));
}

double Rnd(double a, double b) {
    if (a > b) std::swap(a, b);
    return a + RndDouble() * (b - a);
}
