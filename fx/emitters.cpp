#include "fx/emitters.hpp"

#include <string>

#include "platform/random.hpp"

std::array<ImageRef, 12> StarFrames;
ImageRef ParticleImage;

void LoadEmitterImages() {
    bool mid = AutoMidHandleEnabled();
    AutoMidHandle(true);
    for (int i = 0; i < 12; ++i) {
        std::string prefix = i < 10 ? "incbin::../gfx/bonusgame/bing_00" : "incbin::../gfx/bonusgame/bing_0";
        StarFrames[size_t(i)] = LoadImage(prefix + std::to_string(i) + ".png");
    }
    // The speck is placed by its centre, so a burst spreads evenly around its point.
    ParticleImage = LoadImage("incbin::../gfx/tex_rot.png");
    AutoMidHandle(mid);
}

void StarEmitter::Init(float x, float y, float dy) { Stars.push_back({x, y, dy, 0.0f, 1.0f}); }

void StarEmitter::Render() {
    SetScale(0.5f, 0.5f);
    SetBlend(LIGHTBLEND);
    for (auto it = Stars.begin(); it != Stars.end();) {
        SetAlpha(it->alpha);
        DrawImage(StarFrames[size_t(int(it->frame)) % StarFrames.size()], it->x, it->y);
        it->y += it->dy;
        it->frame += 1.0f;
        it->alpha -= 0.08f;
        if (it->frame > 11.0f)
            it = Stars.erase(it);
        else
            ++it;
    }
    SetAlpha(1.0f);
    SetScale(1.0f, 1.0f);
    SetBlend(ALPHABLEND);
}

void PEmitter::Init(int count, float x, float y, int dly) {
    for (int i = 0; i <= count; ++i) {
        Particle s;
        s.x = x;
        s.y = y;
        s.gravity = float(Rnd(0.0, 0.1));
        s.dx = float(Rnd(-3.0, 3.0));
        s.dy = float(Rnd(-3.0, 3.0));
        s.alpha = float(Rnd(0.1, 1.0));
        s.scale = float(Rnd(0.01, 0.2));
        s.grow = float(Rnd(-0.001, 0.001));
        s.alphaspeed = float(Rnd(0.001, 0.1));
        s.r = Rand(0, 255);
        s.g = Rand(0, 255);
        s.b = Rand(0, 255);
        s.dly = dly;
        p.push_back(s);
    }
}

void PEmitter::Render() {
    int blend = GetBlend();
    float alpha = GetAlpha(), sx, sy;
    GetScale(sx, sy);
    SetBlend(LIGHTBLEND);
    for (auto it = p.begin(); it != p.end();) {
        if (it->dly >= 0) {
            --it->dly;
            ++it;
            continue;
        }
        SetAlpha(it->alpha);
        SetScale(it->scale, it->scale);
        SetColor(it->r, it->g, it->b);
        it->scale += it->grow;
        it->alpha -= 0.01f;
        DrawImage(ParticleImage, it->x, it->y);
        it->x += it->dx;
        it->dy += it->gravity;
        it->y += it->dy;
        if (it->alpha < 0.0f)
            it = p.erase(it);
        else
            ++it;
    }
    SetBlend(blend);
    SetAlpha(alpha);
    SetScale(sx, sy);
    SetColor(255, 255, 255);
}
