// The pictures the five tangram pieces are drawn with: a chosen tile set, the gold set of
// frozen tiles and the (undrawn) shadows. First index: the level's picture variant (1 has the
// mirrored parallelogram); second index: the element code.
#pragma once

#include <array>
#include <cstdint>

#include "platform/graphics.hpp"

using TileImageTable = std::array<std::array<ImageRef, 5>, 2>;

extern TileImageTable TileImages;
extern TileImageTable TileGoldImages;
extern TileImageTable TileShadowImages;

// Loads set 0 or 1 (and the gold set; with withShadows also the shadows). Variant 1 shares
// the variant-0 images of elements 0 to 3 to save texture memory. Leaves automatic
// mid-handling on.
void LoadPuzzleset(int32_t set, bool withShadows);
