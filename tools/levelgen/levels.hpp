// The five embedded level sets: their figures, time limits, modes and bonus boards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/levelgen/tangram.hpp"

namespace levelgen {

inline constexpr int kSetCount = 5;
inline constexpr int kLevelsPerSet = 50;

struct FigureDef {
    const char* name;
    const char* notation;
};

struct SetDef {
    const char* title;  // file name without ".lvl"
    const char* slug;   // for the overview picture
    // One character per level: '.' plain, E Enlightenment, M Meditation, T Twister, F Freeze,
    // O floating, L torch, x twister and floating, y Enlightenment and twister, w Meditation and
    // freeze, z torch and floating; B bonus level, b with bombs, j with jokers, J with both.
    const char* modes;
    int baseTime;  // seconds for level 1; later levels get more
    const FigureDef* figures;
};

const SetDef& Set(int index);
int32_t ModeBits(char c);

// Fills the game's LevelShapes and LevelProps with the set and returns the file's bytes.
std::vector<uint8_t> BuildLevelSet(int index);
std::vector<Figure> SetFigures(int index);

uint64_t Fnv1a(const std::vector<uint8_t>& bytes);

}  // namespace levelgen
