#include "tools/levelgen/levels.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "puzzle/levelset.hpp"

namespace levelgen {

int32_t ModeBits(char c) {
    switch (c) {
        case '.':
            return 0;
        case 'E':
            return MISC_ENLIGHTENMENT;
        case 'M':
            return MISC_MEDITATION;
        case 'T':
            return MISC_TWISTER;
        case 'F':
            return MISC_FREEZE;
        case 'O':
            return MISC_FLOATING;
        case 'L':
            return MISC_TORCH;
        case 'x':
            return MISC_TWISTER | MISC_FLOATING;
        case 'y':
            return MISC_ENLIGHTENMENT | MISC_TWISTER;
        case 'w':
            return MISC_MEDITATION | MISC_FREEZE;
        case 'z':
            return MISC_TORCH | MISC_FLOATING;
        case 'B':
            return MISC_PLAY_FOR_TILES;
        case 'b':
            return MISC_PLAY_FOR_TILES | MISC_BOMBS;
        case 'j':
            return MISC_PLAY_FOR_TILES | MISC_JOKER;
        case 'J':
            return MISC_PLAY_FOR_TILES | MISC_BOMBS | MISC_JOKER;
        default:
            throw std::invalid_argument(std::string("unknown mode character ") + c);
    }
}

namespace {

// Time limit: generous at first, growing with the level; frozen tiles cannot be corrected and
// the torch hides most of the picture, so those levels get extra time. The first level of a
// set has no limit.
int32_t TimeLimit(const SetDef& set, int level, int32_t bits, size_t pieces) {
    if (level == 0) return 0;
    int t = set.baseTime + level * 2;
    if (pieces > 7) t += 8 * int(pieces - 7);
    if (bits & MISC_FREEZE) t += 20;
    if (bits & MISC_TORCH) t += 25;
    if (bits & (MISC_ENLIGHTENMENT | MISC_MEDITATION)) t += 10;
    t = (t + 4) / 5 * 5;
    return std::clamp(t, 30, 200);
}

// A match-three start: the top rows filled with symbols that form no line yet, a few stones
// among them; deeper and with more kinds of symbols later in the set.
void FillBonusBoard(TLevelProperties& p, int level, int tiles, uint64_t seed) {
    Rng rng(seed);
    int rows = 3 + level / 20;       // 3 to 5 rows
    int kinds = level < 25 ? 5 : 6;  // symbols 0 .. kinds-1
    int stones = level / 12;         // 0 to 4
    for (int x = 0; x < BONUS_COLUMNS; ++x)
        for (int y = 0; y < BONUS_ROWS; ++y) p.BonusLevelData[x][y] = -1, p.PuzzleTileData[x][y] = -1;
    auto at = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < BONUS_COLUMNS && y < BONUS_ROWS ? p.BonusLevelData[x][y] : -1;
    };
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < BONUS_COLUMNS; ++x) {
            int v;
            do {
                v = rng.Below(kinds);
            } while ((at(x - 1, y) == v && at(x - 2, y) == v) || (at(x, y - 1) == v && at(x, y - 2) == v) ||
                     (at(x - 1, y - 1) == v && at(x - 2, y - 2) == v) ||
                     (at(x + 1, y - 1) == v && at(x + 2, y - 2) == v));
            p.BonusLevelData[x][y] = v;
        }
    for (int i = 0; i < stones; ++i) p.BonusLevelData[rng.Below(BONUS_COLUMNS)][rng.Below(rows)] = 9;
    // One Yin-Yang marker per held-back tile, under symbols of the lowest rows where shots reach
    // them first. Left to the game, a marker could fall on a stone, which no line ever clears.
    int placed = 0;
    for (int y = rows - 1; y >= 0 && placed < tiles; --y) {
        int start = rng.Below(BONUS_COLUMNS);
        for (int k = 0; k < BONUS_COLUMNS && placed < tiles; ++k) {
            int x = (start + 3 * k) % BONUS_COLUMNS;
            if (p.BonusLevelData[x][y] != 9) p.PuzzleTileData[x][y] = 0, ++placed;
        }
    }
    if (placed < tiles) throw std::logic_error("bonus board too small for its tiles");
    p.BonusLevelDifficulty = level < 20 ? 1 : level < 40 ? 2 : 3;
    p.BonusTime = level < 20 ? 1 : level < 35 ? 2 : 3;
}

}  // namespace

namespace {

std::vector<std::array<double, 4>> Signature(const Figure& f) {
    std::vector<std::array<double, 4>> sig;
    for (const Piece& p : f.pieces) {
        double r = p.elem == SQUARE ? std::fmod(p.rot, 90.0) : p.elem == PARA ? std::fmod(p.rot, 180.0) : p.rot;
        sig.push_back({double(p.elem), p.x, p.y, r});
    }
    std::sort(sig.begin(), sig.end());
    return sig;
}

}  // namespace

std::vector<Figure> SetFigures(int index) {
    const SetDef& set = Set(index);
    std::vector<Figure> out;
    std::vector<std::vector<std::array<double, 4>>> seen;
    for (int i = 0; i < kLevelsPerSet; ++i) {
        std::string notation = set.figures[i].notation;
        Figure f = BuildFigure(set.figures[i].name, notation);
        // A grown figure that repeats an earlier level is grown again from the next seed; a
        // drawn one is a mistake in the figure list.
        for (int retry = 1; std::find(seen.begin(), seen.end(), Signature(f)) != seen.end(); ++retry) {
            if (notation.rfind("grow", 0) != 0 || retry > 20)
                throw std::runtime_error(std::string(set.figures[i].name) + ": repeats an earlier level");
            std::string again = notation;
            again.insert(again.find(':'), " s=" + std::to_string(7919 * retry + i));
            f = BuildFigure(set.figures[i].name, again);
        }
        seen.push_back(Signature(f));
        out.push_back(f);
    }
    // A set grows harder from its first level to its last; figures of equal measure keep the
    // order in which they are written.
    std::stable_sort(out.begin(), out.end(),
                     [](const Figure& a, const Figure& b) { return a.difficulty < b.difficulty; });
    return out;
}

std::vector<uint8_t> BuildLevelSet(int index) {
    const SetDef& set = Set(index);
    if (std::strlen(set.modes) != kLevelsPerSet)
        throw std::logic_error(std::string(set.title) + ": mode list is not 50 long");
    std::vector<Figure> figures = SetFigures(index);
    for (int i = 0; i < kLevelsPerSet; ++i) {
        const Figure& f = figures[i];
        TLevelProperties& p = LevelProps[i];
        p = TLevelProperties();
        p.ClearBonusBoard();
        p.MiscProperties = ModeBits(set.modes[i]);
        p.PuzzleSet = f.variant;
        p.GameTime = TimeLimit(set, i, p.MiscProperties, f.pieces.size());
        if (p.MiscProperties & MISC_PLAY_FOR_TILES)
            FillBonusBoard(p, i, int(f.pieces.size()), uint64_t(index) * 1000 + i);
        LevelShapes[i].clear();
        for (const Piece& pc : f.pieces) {
            auto s = std::make_shared<Shape>();
            s->PickedUp = false;
            s->Pickable = true;
            s->RotateIt = 0;
            s->X = float(pc.x);
            s->Y = float(pc.y);
            s->Rotation = float(pc.rot);
            s->R = s->G = s->B = 255;
            s->Element = pc.elem;
            LevelShapes[i].push_back(s);
        }
    }
    return EncodeLevelSet();
}

uint64_t Fnv1a(const std::vector<uint8_t>& bytes) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint8_t b : bytes) h = (h ^ b) * 0x100000001b3ull;
    return h;
}

}  // namespace levelgen
