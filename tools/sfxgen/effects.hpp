// The 25 sound effects in the game's table order, each with its recipe and its loudness
// relative to the button click.
#pragma once

#include <string>
#include <vector>

#include "dsp.hpp"

namespace sfx {

struct EffectRecipe {
    std::string file;   // name under assets/sfx
    double relativeDb;  // loudest 100 ms compared with the click
    bool loop;          // seamless ambient loop
    Sound (*make)();
    std::string about;  // one line for the sound list in the docs
};

const std::vector<EffectRecipe>& Effects();

// Shared by the songs: a struck singing bowl (stereo, slowly wobbling partials).
Sound SingingBowl(double hz, double seconds, uint64_t seed);
// Continuous beds for songs and loops: `seconds` long plus `fade` extra for the seam.
Sound WindBed(double seconds, uint64_t seed, double brightness = 1.0);

}  // namespace sfx
