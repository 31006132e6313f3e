// Opens the hidden 640 x 480 window once for every test that draws (Mesa's software
// renderer through SDL's offscreen driver when there is no display).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/graphics.hpp"

inline bool EnsureGraphics() {
    if (GraphicsOpen()) return true;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
    GraphicsOptions o;
    o.hidden = true;
    SetGraphicsOptions(o);
    return Graphics(kLogicalWidth, kLogicalHeight, 0, 60, 0);
}

// Every drawing test starts from the default state on a cleared screen.
class GfxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(EnsureGraphics());
        ResetDrawState();
        // Loader settings are global too; earlier tests in the same process may have changed them.
        AutoMidHandle(false);
        SetImageFlags(0);
        SetClsColor(0, 0, 0);
        Cls();
    }
    static uint32_t Rgb(const PixmapRef& p, int x, int y) { return p->ReadPixel(x, y) & 0xffffff; }
    static uint32_t At(int x, int y) { return Rgb(GrabPixmap(x, y, 1, 1), 0, 0); }
};

// Colour components within a tolerance of one step (blending rounds differently by driver).
#define EXPECT_RGB_NEAR(actual, r, g, b)                                            \
    do {                                                                            \
        uint32_t a_ = (actual);                                                     \
        EXPECT_NEAR(int((a_ >> 16) & 255), (r), 1) << "red of " << std::hex << a_;  \
        EXPECT_NEAR(int((a_ >> 8) & 255), (g), 1) << "green of " << std::hex << a_; \
        EXPECT_NEAR(int(a_ & 255), (b), 1) << "blue of " << std::hex << a_;         \
    } while (0)
