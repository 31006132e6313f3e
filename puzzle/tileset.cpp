#include "puzzle/tileset.hpp"

#include <cstdio>
#include <string>

TileImageTable TileImages;
TileImageTable TileGoldImages;
TileImageTable TileShadowImages;

namespace {

std::string FigureFile(int element, bool shadow) {
    return "/fig0" + std::to_string(element + 1) + (shadow ? "_shadow.png" : ".png");
}

// One variant of one table: elements 0 to 3 are loaded for variant 1 and shared for variant 2;
// the parallelogram always has its own picture.
void LoadVariant(TileImageTable& table, const std::string& folder, int v, bool shadow) {
    auto& row = table[size_t(v - 1)];
    for (ImageRef& img : row) img.reset();
    for (int e = 0; e < 4; ++e)
        row[size_t(e)] = v == 2 ? table[0][size_t(e)] : LoadImage(folder + "/puzzleset1" + FigureFile(e, shadow));
    row[4] = LoadImage(folder + "/puzzleset" + std::to_string(v) + FigureFile(4, shadow));
}

}  // namespace

void LoadPuzzleset(int32_t set, bool withShadows) {
    std::printf("Load Puzzleset %d\n", int(set));
    AutoMidHandle(true);
    const std::string folder = "incbin::../gfx/set_" + std::to_string(set);
    for (int v = 1; v <= 2; ++v) {
        LoadVariant(TileImages, folder, v, false);
        if (withShadows) LoadVariant(TileShadowImages, "incbin::../gfx/set_0", v, true);
    }
    // The gold set keeps separate copies in both variants.
    const std::string gold = "incbin::../gfx/set_gold";
    for (int v = 0; v < 2; ++v) {
        for (int e = 0; e < 4; ++e)
            TileGoldImages[size_t(v)][size_t(e)] = LoadImage(gold + "/puzzleset1" + FigureFile(e, false));
        TileGoldImages[size_t(v)][4] = LoadImage(gold + "/puzzleset" + std::to_string(v + 1) + FigureFile(4, false));
    }
}
