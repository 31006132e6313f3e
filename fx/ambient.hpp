// The ambient animations over the puzzle backgrounds: fog, snow, rain, butterflies and
// hummingbirds. Each keeps its sprites in fixed arrays and moves and draws them in Render.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "fx/butterfly.hpp"
#include "platform/graphics.hpp"

class FX_Kolibri {
public:
    static constexpr int ANZAHL = 3;
    FX_Kolibri();
    void Render();

    ImageRef sprite;  // 8 frames of 80 x 80, handle at the centre
    std::array<float, ANZAHL> x{}, y{}, sx{}, sy{}, f{}, scale{}, schweben{};

    // Sets bird i flying again as at the start, entering from the left edge.
    void Restart(int i);

private:
    void Randomise(int i);
};

class FX_Butterfly {
public:
    static constexpr int ANZAHL = 4;
    FX_Butterfly();
    void Render();

    std::array<std::unique_ptr<TButterfly>, ANZAHL> sprites;
};

class FX_Snow {
public:
    static constexpr int ANZAHL = 100;
    FX_Snow();
    void Render();

    std::array<float, ANZAHL> x{}, y{};
    std::array<int32_t, ANZAHL> r{};
    std::array<float, ANZAHL> sx{}, sy{}, sr{}, scale{};
    ImageRef sprite;  // 21 x 21, handle at the top-left corner
    std::array<float, ANZAHL> alpha{};

private:
    void NewDrift(int i);
};

class FX_Rain {
public:
    static constexpr int SLOTS = 100;
    static constexpr float SPEED = 10;
    FX_Rain();
    void Render();

    ImageRef sprite;  // 2 x 24, handle at the top-left corner
    std::array<float, SLOTS> x{}, y{}, scale{};
};

class FX_Nebel {
public:
    static constexpr int ANZAHL = 6;
    FX_Nebel();
    void Render();

    std::array<ImageRef, 2> img;  // the two cloud layers in front of the temple
    std::array<float, ANZAHL> x{}, y{}, scale{}, speed{}, alpha{};
    std::array<int32_t, ANZAHL> imgno{};
};

// The five effects, made on first use and kept for the rest of the run: switching backgrounds
// resumes an effect where it stopped.
struct AmbientEffects {
    std::unique_ptr<FX_Nebel> Nebel;
    std::unique_ptr<FX_Snow> Snow;
    std::unique_ptr<FX_Rain> Rain;
    std::unique_ptr<FX_Butterfly> Butterfly;
    std::unique_ptr<FX_Kolibri> Kolibri;
};
AmbientEffects& Ambient();

// Advances and draws the effect that belongs to a background (0 fog, 1 snow, 2 rain, 3 and 4
// butterflies, 5 hummingbirds; any other draws nothing).
void RenderAmbientEffect(int32_t background);
