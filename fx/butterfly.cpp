#include "fx/butterfly.hpp"

#include <cstdio>
#include <cstdlib>

#include "platform/input.hpp"
#include "platform/random.hpp"
#include "platform/timing.hpp"

namespace {
constexpr float kStartY = 525;  // just below the bottom edge, out of sight
constexpr float kNearPointer = 40;
constexpr int32_t kScareCooldown = 30;
constexpr float kRestFrames = 60;
constexpr float kAccStep = 0.01f;

// Half the butterflies start from the left edge, half from the right.
float SideStartX() {
    float x = float(Rand(1, 220));
    if (Rand(0, 1) == 1) x = 640 - x;
    return x;
}
}  // namespace

TButterfly::TButterfly() {
    AutoMidHandle(true);
    Img[0] = LoadAnimImage("incbin::../gfx/butterfly_blue.png", 80, 80, 0, 32);
    Img[1] = LoadAnimImage("incbin::../gfx/butterfly_red.png", 80, 80, 0, 32);
    Img[2] = LoadAnimImage("incbin::../gfx/butterfly_green.png", 90, 90, 0, 32);
    AutoMidHandle(false);
    if (!Img[0]) {
        std::fprintf(stderr, "Butterfly not found!\n");
        std::exit(1);
    }
    speed = 100;
    Stp = 0;
    steps = 10.0f * float(Rand(3, 10));
    x = SideStartX();
    y = kStartY;
    btf = Rand(0, 2);
    acc = 1.0f;
    stop = false;
    scale = 1.0f;
    random = false;
}

float TButterfly::SideTarget(float fromX) {
    float t = float(Rand(1, 220));
    return fromX <= 400 ? t : 640 - t;
}

void TButterfly::StartOver() {
    y = kStartY;
    steps = 0;
    btf = Rand(0, 2);
    if (random) {
        x = float(Rand(1, 640));
        scale = float(Rnd(0.2, 0.7));
    } else {
        x = SideStartX();
    }
}

void TButterfly::SetUpFlight(float targetX, float targetY) {
    dx = (targetX - x) / steps;
    dy = (targetY - y) / steps;
    const float heading = ATan2Deg(targetX - x, y - targetY);
    dang = (heading - ang) / 9.0f;
    angstp = 0;
}

void TButterfly::Advance(int px, int py) {
    SetScale(scale, scale);

    if (y < -50 || (random && (y > 540 || x < -80 || x > 720))) StartOver();

    if (verscheucht > 0) --verscheucht;

    if (std::abs(float(px) - x) < kNearPointer && std::abs(float(py) - y) < kNearPointer && verscheucht < 1) {
        std::printf("Butterfly scared at (%d, %d) (frame %lld)\n", int(x), int(y), (long long)FlipCount());
        verscheucht = kScareCooldown;
        steps = 20;
        stop = false;
        Stp = -61;
        const float tx = SideTarget(x);
        const float away = float(Rand(100, 180));
        const float ty = float(int(Rand(0, 1) == 1 ? y + away : y - away));
        SetUpFlight(tx, ty);
    }

    if (steps <= 0) {
        if (stop && steps > -kRestFrames) {
            steps -= 1;
        } else {
            steps = 10.0f * float(Rand(3, 10));
            Stp = 0;
            float tx, ty;
            if (random) {
                tx = float(int(x + float(Rand(-200, 200))));
                ty = float(int(y + float(Rand(-180, 180))));
            } else {
                tx = SideTarget(x);
                ty = float(int(y + 20 - float(Rand(0, 180))));
            }
            SetUpFlight(tx, ty);
            // A butterfly that has just rested always flies on; otherwise 2 flights in 11 land.
            if (stop)
                stop = false;
            else
                stop = Rand(0, 10) >= 9;
        }
    }

    if (steps > 0) {
        if (stop) {
            acc -= kAccStep;
            if (acc < 0) {
                acc = 0;
                steps = 0;
            }
        } else {
            acc += kAccStep;
            if (acc > 1) acc = 1;
        }
        x += dx * acc;
        y += dy * acc;
        steps -= acc;
        angstp += acc;
        if (angstp < 10) ang += dang * acc;
        // Resting butterflies are what a player tries to catch; scripted runs find them here.
        if (stop && steps <= 0)
            std::printf("Butterfly landed at (%d, %d) (frame %lld)\n", int(x), int(y), (long long)FlipCount());
    }

    frame += 1 + 2 * acc;
    if (frame >= 63) frame -= 63;
}

int TButterfly::StripFrame() const { return frame <= 31 ? int(frame) : int(63 - frame); }

void TButterfly::Draw() {
    Advance(MouseX(), MouseY());
    SetRotation(ang);
    const ImageRef& img = Img[size_t(btf)] ? Img[size_t(btf)] : Img[0];
    const int f = StripFrame();
    // The shadow falls further away the faster the butterfly flies, as if it rose higher.
    SetColor(0, 0, 0);
    SetAlpha(0.4f);
    DrawImage(img, x + 7 * acc + 2, y + 7 * acc + 2, f);
    SetColor(255, 255, 255);
    SetAlpha(1);
    DrawImage(img, x, y, f);
    SetRotation(0);
    SetScale(1, 1);
}
