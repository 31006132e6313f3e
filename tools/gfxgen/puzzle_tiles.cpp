// Tile pictures: marble, wood, frozen gold and the soft shadows. Each picture is exactly its
// tangram piece: opaque inside, transparent outside, so that the black silhouette (the same
// picture tinted black) is covered completely by a tile dropped onto it.
#include <cmath>
#include <string>

#include "puzzle_art.hpp"

namespace puzart {

using artkit::Hex;
using artkit::Mix;

void TileSize(int element, int& w, int& h) {
    static const int kSize[5][2] = {{172, 86}, {119, 60}, {86, 43}, {87, 86}, {130, 43}};
    w = kSize[element][0];
    h = kSize[element][1];
}

Poly TileOutline(int element, int variant) {
    switch (element) {
        case 0:
            return {{0, 86}, {86, 0}, {172, 86}};
        case 1:
            return {{0, 60}, {59.5, 0}, {119, 60}};
        case 2:
            return {{0, 43}, {43, 0}, {86, 43}};
        case 3:
            return {{43.5, 0}, {87, 43}, {43.5, 86}, {0, 43}};
        default:
            if (variant == 0) return {{0, 43}, {43, 0}, {130, 0}, {86, 43}};
            return {{0, 0}, {86, 0}, {130, 43}, {43, 43}};
    }
}

namespace {

// The light comes from the upper left, a little in front of the picture.
const double kLx = -0.5, kLy = -0.7, kLz = 0.95;

double BevelLight(const Poly& poly, double x, double y, double bevel, double* dist) {
    Pt out;
    double d = InsideDistance(poly, x, y, &out);
    *dist = d;
    double u = Clamp01(d / bevel);
    double slope = std::pow(1.0 - u, 1.3) * 1.15;
    double nx = out.x * slope, ny = out.y * slope, nz = 1.0;
    double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    double ll = std::sqrt(kLx * kLx + kLy * kLy + kLz * kLz);
    double dot = (nx * kLx + ny * kLy + nz * kLz) / (len * ll);
    return dot / (kLz / ll);
}

double Turbulence(double x, double y, uint32_t seed) {
    double sum = 0, amp = 0.5;
    for (int i = 0; i < 5; ++i) {
        sum += amp * std::fabs(2.0 * artkit::ValueNoise(x, y, seed + uint32_t(i) * 31u) - 1.0);
        x *= 2;
        y *= 2;
        amp *= 0.5;
    }
    return sum;
}

Rgb Marble(double x, double y, uint32_t seed, double) {
    double t = Turbulence(x / 48.0, y / 48.0, seed);
    double v = std::sin((x * 0.5 + y * 0.9) / 20.0 + t * 7.5);
    double band = std::pow(1.0 - std::fabs(v), 5.0);
    double core = std::pow(1.0 - std::fabs(v), 36.0);
    double t2 = Turbulence(x / 22.0 + 7, y / 22.0, seed + 90);
    double v2 = std::sin((x * -0.8 + y * 0.45) / 11.0 + t2 * 6.0);
    double fine = std::pow(1.0 - std::fabs(v2), 24.0);
    double cloud = artkit::Fbm(x / 70.0, y / 70.0, seed + 71, 3);
    Rgb base = Mix(Hex(0xf8f4ec), Hex(0xebe2d3), Clamp01(cloud * 1.4 - 0.3));
    base = Mix(base, Hex(0xb9b2aa), 0.42 * band);
    base = Mix(base, Hex(0x8f877e), 0.45 * core);
    base = Mix(base, Hex(0xc2b49c), 0.30 * fine);
    return base;
}

Rgb Wood(double x, double y, uint32_t seed, double) {
    double warp = artkit::Fbm(x / 70.0, y / 18.0, seed, 4);
    double ring = (y + warp * 26.0 + 6.0 * std::sin(x / 55.0 + seed)) / 6.5;
    double f = ring - std::floor(ring);
    double line = Smooth(0.0, 0.12, f) * (1.0 - Smooth(0.55, 1.0, f));
    double fibre = artkit::Fbm(x / 1.8, y / 28.0 + 3, seed + 17, 2);
    double knot = artkit::Fbm(x / 25.0, y / 25.0, seed + 29, 3);
    Rgb light = Hex(0xecc896), dark = Hex(0xc4905a);
    Rgb col = Mix(dark, light, 0.35 + 0.65 * line);
    col = Mix(col, Hex(0xa8703e), 0.25 * Smooth(0.65, 0.8, knot));
    return Add(col, (fibre - 0.5) * 0.09);
}

Rgb Gold(double x, double y, uint32_t seed, double d) {
    double n = artkit::Fbm(x / 26.0, y / 26.0, seed, 4);
    double band = 0.5 + 0.5 * std::sin((x * 0.8 + y) * 0.07 + n * 3.0);
    Rgb col = Mix(Hex(0xc08a2a), Hex(0xf3cf6a), band);
    col = Mix(col, Hex(0xfff4c8), 0.5 * std::pow(band, 6.0));
    // frost: pale crystals scattered over the metal
    // frost: fine pale crystals creeping in from the rim
    double frost = artkit::Fbm(x / 2.5, y / 2.5, seed + 41, 3);
    double rim = 1.0 - Smooth(2.0, 16.0, d + 6.0 * artkit::Fbm(x / 12.0, y / 12.0, seed + 3, 2));
    col = Mix(col, Hex(0xeef6ff), 0.7 * rim * Smooth(0.45, 0.7, frost));
    return col;
}

std::unique_ptr<Canvas> Build(TileStyle style, int element, int variant) {
    int w, h;
    TileSize(element, w, h);
    Poly poly = TileOutline(element, variant);
    Canvas body(w, h);
    uint32_t seed = 1000u + uint32_t(style) * 97u + uint32_t(element) * 13u + uint32_t(variant) * 5u;
    double bevel = element == 0 ? 5.5 : (element == 2 || element == 4 ? 4.0 : 4.8);
    double cx = 0, cy = 0;
    for (auto& p : poly) cx += p.x, cy += p.y;
    cx /= poly.size();
    cy /= poly.size();

    if (style == TileStyle::Shadow) {
        ShadeRgba(body, [&](double x, double y) {
            double d = InsideDistance(poly, x, y);
            double a = 0.22 + 0.43 * Smooth(-0.5, 9.0, d);
            return Rgba{0.11, 0.07, 0.05, a};
        });
        return CutTo(body, poly);
    }

    ShadeOpaque(body, [&](double x, double y) {
        double d;
        double lum = BevelLight(poly, x, y, bevel, &d);
        Rgb base = style == TileStyle::Marble ? Marble(x, y, seed, d)
                   : style == TileStyle::Wood ? Wood(x, y, seed, d)
                                              : Gold(x, y, seed, d);
        // a soft dome of light over the face, brightest towards the upper left
        double gx = (x - cx) / w, gy = (y - cy) / h;
        double face = 1.04 - 0.10 * (gx * 0.6 + gy) - 0.05 * (gx * gx + gy * gy);
        double k = lum * face;
        Rgb col = k > 1.0 ? Mix(base, Hex(0xfffdf6), Clamp01((k - 1.0) * 1.3)) : Scale(base, 0.2 + 0.8 * k);
        // crisp rim: a thin darker line right at the outline and a glint at the bevel's foot
        col = Scale(col, 0.80 + 0.20 * Smooth(0.0, 1.3, d));
        double foot = std::exp(-std::pow((d - bevel) / 0.7, 2.0));
        col = Mix(col, Hex(0xffffff), 0.12 * foot);
        if (style == TileStyle::Gold) {
            double sheen = std::exp(-std::pow(((x - cx) * 0.7 + (y - cy) - w * 0.05) / (w * 0.12), 2.0));
            col = Mix(col, Hex(0xfff8dc), 0.35 * sheen);
        }
        // keep every opaque pixel clear of the game's transparent black
        col.r = std::max(col.r, 0.02);
        col.g = std::max(col.g, 0.02);
        col.b = std::max(col.b, 0.02);
        return col;
    });
    return CutTo(body, poly);
}

}  // namespace

std::unique_ptr<Canvas> MakeTile(TileStyle style, int element, int variant) { return Build(style, element, variant); }

static void GenerateTiles() {
    struct Set {
        const char* dir;
        TileStyle style;
    };
    const Set sets[] = {
        {"gfx/set_0", TileStyle::Marble}, {"gfx/set_1", TileStyle::Wood}, {"gfx/set_gold", TileStyle::Gold}};
    for (const Set& s : sets) {
        for (int e = 0; e < 5; ++e) {
            std::string name = "/fig0" + std::to_string(e + 1);
            auto t = MakeTile(s.style, e, 0);
            artkit::SavePng(*t, std::string(s.dir) + "/puzzleset1" + name + ".png");
            if (s.style == TileStyle::Marble) {
                auto sh = MakeTile(TileStyle::Shadow, e, 0);
                artkit::SavePng(*sh, std::string(s.dir) + "/puzzleset1" + name + "_shadow.png");
            }
        }
        auto t = MakeTile(s.style, 4, 1);
        artkit::SavePng(*t, std::string(s.dir) + "/puzzleset2/fig05.png");
        if (s.style == TileStyle::Marble) {
            auto sh = MakeTile(TileStyle::Shadow, 4, 1);
            artkit::SavePng(*sh, std::string(s.dir) + "/puzzleset2/fig05_shadow.png");
        }
    }
}
GFXGEN_REGISTER("puzzle_tiles", GenerateTiles);

}  // namespace puzart
