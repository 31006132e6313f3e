// Sparkles behind rising bonus tiles and bursts of coloured specks.
#pragma once

#include <array>
#include <cstdint>
#include <list>

#include "platform/graphics.hpp"

// The twelve twinkle frames and the speck picture; loaded once at start-up.
extern std::array<ImageRef, 12> StarFrames;
extern ImageRef ParticleImage;
void LoadEmitterImages();

struct StarParticle {
    float x = 0, y = 0, dy = 0, frame = 0, alpha = 0;
};

class StarEmitter {
public:
    // A sparkle at (x, y) drifting dy pixels a frame; it runs through the 12 frames once.
    void Init(float x, float y, float dy);
    void Render();
    std::list<StarParticle> Stars;
};

struct Particle {
    float x = 0, y = 0, dx = 0, dy = 0, gravity = 0, alpha = 0, alphaspeed = 0, scale = 0, grow = 0;
    int r = 0, g = 0, b = 0;
    int dly = 0;
};

class PEmitter {
public:
    // count + 1 specks at (x, y), each waiting dly frames before it shows.
    void Init(int count, float x, float y, int dly);
    void Render();
    std::list<Particle> p;
};
