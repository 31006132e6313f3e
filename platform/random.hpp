// The one shared random source: Park-Miller minimal standard generator (multiplier 48271).
#pragma once

#include <cstdint>

// Seeds with the low 31 bits; 0, -1 and 2^31 - 1 would stall the generator and become 4660.
void SeedRnd(int64_t seed);
int32_t RndSeed();
// One step of the generator; exposed so tests can check the known sequence.
int32_t RndNext();
// Uniform in [0, 1), from two successive steps.
double RndDouble();
// Uniform integer with both ends included, bounds in either order.
int32_t Rand(int32_t a, int32_t b);
// Uniform from the smaller bound (included) to the larger (excluded).
double Rnd(double a, double b);
