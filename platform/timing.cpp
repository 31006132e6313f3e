#include "platform/timing.hpp"

#include <chrono>
#include <cmath>
#include <thread>

#include "platform/graphics.hpp"

namespace {
const auto g_start = std::chrono::steady_clock::now();
constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
}  // namespace

int32_t Millisecs() {
    if (VirtualClock()) return int32_t(FlipCount() * 1000 / 60);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - g_start);
    return int32_t(ms.count());
}

void Delay(int ms) {
    if (ms > 0 && !VirtualClock()) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

float SinDeg(float degrees) { return float(std::sin(double(degrees) * kDegToRad)); }
float CosDeg(float degrees) { return float(std::cos(double(degrees) * kDegToRad)); }
float ATan2Deg(float y, float x) { return float(std::atan2(double(y), double(x)) / kDegToRad); }
