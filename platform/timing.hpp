// Clock and angle helpers.
#pragma once

#include <cstdint>

// Milliseconds since the program started (or trunc(flips x 1000 / 60) on the virtual clock).
int32_t Millisecs();
void Delay(int ms);

float SinDeg(float degrees);
float CosDeg(float degrees);
float ATan2Deg(float y, float x);
