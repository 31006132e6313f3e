// Playfield backgrounds. Calm, mid-to-light scenes so that a black silhouette reads at once;
// SaveJpeg keeps the decoded pictures clear of pure black.
#include <cmath>
#include <string>

#include "puzzle_art.hpp"

namespace puzart {

using artkit::Fbm;
using artkit::Hex;
using artkit::Mix;

namespace {

double Ridge(double x, uint32_t seed, int oct) {
    double sum = 0, amp = 0.5, norm = 0, f = 1;
    for (int i = 0; i < oct; ++i) {
        double n = artkit::ValueNoise(x * f, 0.5 + i * 7.3, seed + uint32_t(i) * 17u);
        sum += amp * (1.0 - std::fabs(2 * n - 1));
        norm += amp;
        amp *= 0.5;
        f *= 2.1;
    }
    return sum / norm;
}

Rgb Sky(double y, Rgb top, Rgb mid, Rgb horizon, double hy) {
    double t = Clamp01(y / hy);
    return t < 0.6 ? Mix(top, mid, t / 0.6) : Mix(mid, horizon, (t - 0.6) / 0.4);
}

// Soft clouds over colour c.
Rgb Clouds(Rgb c, double x, double y, uint32_t seed, double cover, double sx, double sy, Rgb cloud) {
    double n = Fbm(x / sx, y / sy, seed, 5);
    double a = Smooth(1.0 - cover, 1.0 - cover + 0.25, n);
    double lit = Fbm(x / sx + 0.3, (y - 6) / sy, seed, 4);
    Rgb cc = Mix(Scale(cloud, 0.88), cloud, Clamp01((n - lit) * 4 + 0.5));
    return Mix(c, cc, a * 0.9);
}

// A mountain layer: returns true and the colour when (x, y) lies below the ridge.
bool Mountain(double x, double y, double base, double amp, double scale, uint32_t seed, Rgb lightSide, Rgb shadeSide,
              double snowLine, Rgb* out) {
    double h = base - amp * Ridge(x / scale, seed, 5);
    if (y < h) return false;
    double dy = y - h;
    // hill shading of a ridged 2D relief hanging from the skyline
    auto relief = [&](double px, double py) {
        double sum = 0, amp = 0.5, f = 1.0 / (scale * 0.5);
        for (int i = 0; i < 4; ++i) {
            double n = artkit::ValueNoise(px * f, py * f * 1.4, seed + 40u + uint32_t(i));
            sum += amp * (1.0 - std::fabs(2 * n - 1));
            amp *= 0.5;
            f *= 2.0;
        }
        return sum;
    };
    double gx = relief(x + 1.5, dy) - relief(x - 1.5, dy);
    double gy = relief(x, dy + 1.5) - relief(x, dy - 1.5);
    double slope = (Ridge((x + 5) / scale, seed, 3) - Ridge((x - 5) / scale, seed, 3)) / 2.0;
    double tex = Fbm(x / 7.0, y / 7.0, seed + 5, 3);
    double lightK = 0.55 + (gx * 0.8 + gy * 0.5) * 5.5 - slope * 2.0 * (1 - Smooth(0, 30, dy));
    Rgb c = Mix(shadeSide, lightSide, Clamp01(lightK + (tex - 0.5) * 0.2));
    if (snowLine > 0) {
        double depth = (y - h) / amp;
        double snow = 1.0 - Smooth(snowLine * 0.6, snowLine, depth + (tex - 0.5) * 0.5);
        Rgb sn = Mix(Hex(0xb8c4dc), Hex(0xfbf8f2), Clamp01(lightK));
        c = Mix(c, sn, snow);
    }
    // the edge fades into the air a little, as seen through haze
    *out = Mix(c, lightSide, 0.15 * (1.0 - Smooth(0, 6, y - h)));
    return true;
}

Rgb Haze(Rgb c, Rgb air, double k) { return Mix(c, air, Clamp01(k)); }

Rgb CloudyMountains(double x, double y) {
    Rgb c = Sky(y, Hex(0x8fb0cc), Hex(0xc9d4de), Hex(0xf2dcc0), 260);
    c = Clouds(c, x, y, 11, 0.45, 150, 45, Hex(0xfbf4ec));
    Rgb m;
    Rgb air = Hex(0xe6dcd2);
    if (Mountain(x, y, 250, 150, 260, 21, Hex(0xc4c8d8), Hex(0x9ea4bc), 0.35, &m)) c = Haze(m, air, 0.35);
    double fog1 = Smooth(250, 300, y) * (0.4 + 0.4 * Fbm(x / 120, y / 25, 31, 4));
    c = Mix(c, Hex(0xf4ece4), fog1 * 0.7);
    if (Mountain(x, y, 320, 110, 180, 22, Hex(0xa6b0b8), Hex(0x7e8a98), 0.0, &m)) c = Haze(m, air, 0.25);
    double fog2 = Smooth(320, 370, y) * (0.35 + 0.45 * Fbm(x / 100, y / 20, 32, 4));
    c = Mix(c, Hex(0xf0e8e0), fog2 * 0.65);
    if (Mountain(x, y, 390, 90, 140, 23, Hex(0x90a496), Hex(0x6c8276), 0.0, &m)) c = Haze(m, air, 0.2);
    double fog3 = Smooth(400, 470, y) * (0.4 + 0.4 * Fbm(x / 90, y / 18, 33, 4));
    c = Mix(c, Hex(0xeee6dc), fog3 * 0.6);
    return c;
}

Rgb SnowWorld(double x, double y) {
    Rgb c = Sky(y, Hex(0x9cbcdc), Hex(0xcadcec), Hex(0xeef2f6), 240);
    c = Clouds(c, x, y, 41, 0.35, 180, 40, Hex(0xffffff));
    Rgb m;
    if (Mountain(x, y, 250, 170, 230, 51, Hex(0xe8eef8), Hex(0xa8b8d4), 0.9, &m)) c = Mix(m, Hex(0xdce6f2), 0.35);
    if (Mountain(x, y, 330, 110, 170, 52, Hex(0xdce4f0), Hex(0x98aac8), 0.8, &m)) c = Mix(m, Hex(0xe4ecf4), 0.2);
    // rolling snowfield in front
    double field = 380 + 25 * std::sin(x / 110.0) + 18 * Fbm(x / 80, 0, 53, 3);
    if (y > field) {
        double t = (y - field) / (480 - field);
        double drift = Fbm(x / 60, y / 12, 54, 4);
        c = Mix(Hex(0xf6f8fc), Hex(0xc8d6ea), Clamp01(0.3 + 0.6 * drift - 0.3 * t));
        c = Mix(c, Hex(0xb4c4dc), 0.25 * (1 - Smooth(0, 8, y - field)));
    }
    return c;
}

Rgb Pond(double x, double y) {
    const double shore = 118;
    if (y < shore) {
        Rgb c = Sky(y, Hex(0xb8d0d8), Hex(0xdfe6d8), Hex(0xf0e8d0), 100);
        double tree = shore - 30 - 45 * Fbm(x / 50, 0.3, 61, 5);
        if (y > tree) {
            double leaf = Fbm(x / 10, y / 10, 62, 4);
            c = Mix(Hex(0x6e9070), Hex(0xa8c08c), leaf);
            c = Mix(c, Hex(0xd8e0d0), 0.3);
        }
        return c;
    }
    double d = y - shore;
    double wob = std::sin((y * 0.9 + 6 * Fbm(x / 40, y / 8, 63, 3)) * 0.8) * (0.6 + d / 300);
    double refl = shore - d * 0.6 + wob * 2;
    Rgb c = Mix(Hex(0x9cc4c0), Hex(0x5e9a98), Clamp01(d / 360));
    // reflection of the trees near the shore
    double tree = shore - 30 - 45 * Fbm((x + wob * 3) / 50, 0.3, 61, 5);
    if (refl > tree && d < 90) c = Mix(c, Hex(0x7a9c80), 0.5 * (1 - d / 90));
    double ripple = 0.5 + 0.5 * std::sin(y * 0.5 + 4 * Fbm(x / 60, y / 10, 64, 3));
    c = Add(c, (ripple - 0.5) * 0.06);
    double glint = Smooth(0.75, 0.9, Fbm(x / 30, y / 4, 65, 3));
    c = Mix(c, Hex(0xf4f8f0), glint * 0.35);
    c = Mix(c, Hex(0xf0e8d0), 0.12 * (1 - Smooth(0, 40, d)));
    return c;
}

void PondPlants(cairo_t* cr) {
    artkit::Rng rng(66);
    struct Pad {
        double x, y, r;
    };
    for (int i = 0; i < 16; ++i) {
        double x = rng.Uniform(10, 630), y = rng.Uniform(150, 475), r = 10 + (y - 120) * 0.08 + rng.Uniform(0, 8);
        double rot = rng.Uniform(0, 2 * M_PI);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, 1, 0.45);
        cairo_new_path(cr);
        cairo_move_to(cr, 0, 0);
        cairo_arc(cr, 0, 0, r, rot + 0.25, rot + 2 * M_PI - 0.25);
        cairo_close_path(cr);
        cairo_pattern_t* g = cairo_pattern_create_radial(-r * 0.3, -r * 0.3, 1, 0, 0, r);
        AddStop(g, 0, Hex(0x9cc884));
        AddStop(g, 1, Hex(0x4e8a5c));
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        cairo_restore(cr);
        if (i % 4 == 1) {  // a lotus flower on some pads
            double s = r * 0.06;
            for (int k = 0; k < 7; ++k) {
                double a = (-90 + (k - 3) * 24) * M_PI / 180;
                cairo_save(cr);
                cairo_translate(cr, x, y - 2);
                cairo_rotate(cr, a + M_PI / 2);
                cairo_scale(cr, s, s);
                cairo_new_path(cr);
                cairo_move_to(cr, 0, 0);
                cairo_curve_to(cr, -6, -5, -5, -14, 0, -19);
                cairo_curve_to(cr, 5, -14, 6, -5, 0, 0);
                cairo_pattern_t* p = cairo_pattern_create_linear(0, -19, 0, 0);
                AddStop(p, 0, Hex(0xf6c0d0));
                AddStop(p, 1, Hex(0xfff0f0));
                cairo_set_source(cr, p);
                cairo_fill(cr);
                cairo_pattern_destroy(p);
                cairo_restore(cr);
            }
        }
    }
}

Rgb ViewFromAbove(double x, double y) {
    // terraced slopes: contour bands of a height field
    double hgt = Fbm(x / 260, y / 200, 71, 5);
    double band = hgt * 14.0;
    double f = band - std::floor(band);
    int idx = int(std::floor(band));
    const Rgb greens[] = {Hex(0xa8c078), Hex(0xc4cc84), Hex(0x98b46c), Hex(0xd6c890), Hex(0xb4c47c)};
    Rgb c = greens[(idx % 5 + 5) % 5];
    double rows = Fbm(x / 4, y / 4, 72, 2);
    c = Add(c, (rows - 0.5) * 0.05);
    // crop rows following the contours of each terrace
    double furrow = 0.5 + 0.5 * std::sin(band * 2 * M_PI * 7.0);
    c = Mix(c, Scale(c, 0.9), 0.5 * furrow * (idx % 2 == 0 ? 1.0 : 0.4));
    // groves of trees on some slopes
    double grove = Smooth(0.6, 0.66, Fbm(x / 50, y / 50, 76, 3)) * Smooth(0.45, 0.6, Fbm(x / 3.5, y / 3.5, 77, 2));
    c = Mix(c, Hex(0x5e8448), 0.75 * grove);
    c = Mix(c, Hex(0x7e8c58), 0.5 * (1 - Smooth(0.0, 0.12, f)));  // terrace wall shadow
    c = Mix(c, Hex(0xeae0b8), 0.25 * Smooth(0.88, 1.0, f));       // lit rim
    // a winding river through the valley
    double rv = Fbm(x / 300, y / 300, 73, 4) - 0.5 + (x - 300) / 2000.0;
    double river = 1 - Smooth(0.012, 0.03, std::fabs(rv));
    double bank = (1 - Smooth(0.03, 0.05, std::fabs(rv))) - river;
    c = Mix(c, Hex(0xe4dcb8), 0.6 * Clamp01(bank));
    c = Mix(c, Mix(Hex(0x8cbcc8), Hex(0xcfe4e4), Fbm(x / 20, y / 20, 74, 2)), river);
    // thin clouds drifting below the viewer
    double cl = Fbm(x / 160 + 3, y / 120, 75, 5);
    c = Mix(c, Hex(0xfbf8f4), 0.85 * Smooth(0.52, 0.75, cl));
    return Mix(c, Hex(0xf0ece0), 0.12);
}

// Small white houses with maroon roofs, seen from above, in a few clusters.
void Hamlets(cairo_t* cr) {
    artkit::Rng rng(78);
    const double centres[][2] = {{150, 120}, {520, 90}, {560, 380}, {110, 400}, {330, 260}};
    for (auto& ctr : centres)
        for (int i = 0; i < 6; ++i) {
            double x = ctr[0] + rng.Uniform(-26, 26), y = ctr[1] + rng.Uniform(-18, 18);
            double w = rng.Uniform(5, 8), h = rng.Uniform(4, 6), a = rng.Uniform(-0.5, 0.5);
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_rotate(cr, a);
            cairo_rectangle(cr, -w / 2 + 1, -h / 2 + 1.5, w, h);
            SetRgb(cr, Hex(0x4a5a30), 0.35);
            cairo_fill(cr);
            cairo_rectangle(cr, -w / 2, -h / 2, w, h);
            SetRgb(cr, Hex(0xf4ece0));
            cairo_fill(cr);
            cairo_rectangle(cr, -w / 2, -h / 2, w, h * 0.45);
            SetRgb(cr, Hex(0x9a3a2a));
            cairo_fill(cr);
            cairo_restore(cr);
        }
}

Rgb AutumnBase(double x, double y) {
    Rgb c = Sky(y, Hex(0xf2dcb0), Hex(0xf6e8c8), Hex(0xf8ead0), 300);
    // far hills and a misty tree line
    double hill = 250 - 40 * Fbm(x / 150, 0.2, 80, 4);
    if (y > hill) c = Mix(Hex(0xe8c8a8), Hex(0xf0d8bc), Fbm(x / 30, y / 30, 79, 3));
    double far = 300 - 70 * Fbm(x / 35, 0.2, 81, 5);
    if (y > far) {
        double n = Fbm(x / 9, y / 9, 82, 3);
        c = Mix(Hex(0xe0a070), Hex(0xf0c890), n);
        c = Mix(c, Hex(0xf6e4cc), 0.45 * (1 - Smooth(far, far + 80, y)));
    }
    // meadow with a path winding into the distance
    double ground = 372 + 10 * Fbm(x / 90, 3, 86, 3);
    if (y > ground) {
        double t = (y - ground) / (480 - ground);
        double g = Fbm(x / (6 + 10 * t), y / (3 + 5 * t), 87, 3);
        c = Mix(Hex(0xc89050), Hex(0xe8b870), g);
        c = Mix(c, Hex(0xa8a050), 0.3 * Smooth(0.55, 0.75, Fbm(x / 40, y / 15, 88, 3)));
        double pathX = 300 + 22 * std::sin((y - ground) / 14.0) + (y - ground) * 1.3;
        double pw = 6 + t * 70;
        double p = 1 - Smooth(pw * 0.7, pw, std::fabs(x - pathX));
        c = Mix(c, Mix(Hex(0xecd8b0), Hex(0xd8bc90), g), p * 0.6);
        c = Mix(c, Hex(0xf4e0c0), 0.25 * (1 - Smooth(0, 25, y - ground)));
    }
    return c;
}

void AutumnTrunks(cairo_t* cr) {
    struct Trunk {
        double x, w, lean;
    };
    const Trunk trunks[] = {{28, 16, 8}, {168, 11, -6}, {246, 14, 10}, {395, 9, -4}, {498, 13, 6}, {590, 17, -9}};
    Canvas bark(640, 480);
    ShadeOpaque(bark, [](double x, double y) {
        double n = Fbm(x / 3, y / 16, 89, 3);
        return Mix(Hex(0x6a4a38), Hex(0x9a7258), n);
    });
    for (const Trunk& t : trunks) {
        double base = 392 + std::fmod(t.x, 7.0);
        cairo_new_path(cr);
        cairo_move_to(cr, t.x - t.w * 0.75, base);
        cairo_curve_to(cr, t.x - t.w * 0.5, 280, t.x + t.lean - t.w * 0.35, 160, t.x + t.lean * 1.6 - t.w * 0.25, 0);
        cairo_line_to(cr, t.x + t.lean * 1.6 + t.w * 0.25, 0);
        cairo_curve_to(cr, t.x + t.lean + t.w * 0.35, 160, t.x + t.w * 0.5, 280, t.x + t.w * 0.75, base);
        cairo_close_path(cr);
        FillWith(cr, bark, true);
        // light from the upper right on one side of the trunk
        cairo_pattern_t* g = cairo_pattern_create_linear(t.x - t.w, 0, t.x + t.w, 0);
        AddStop(g, 0, Hex(0x3a2418), 0.35);
        AddStop(g, 0.6, Hex(0x000000), 0.0);
        AddStop(g, 1, Hex(0xffd8a0), 0.35);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        // a branch or two reaching into the crown
        for (int k = 0; k < 2; ++k) {
            double sy = 150 + k * 55, dir = (k == 0) == (t.lean > 0) ? 1 : -1;
            cairo_new_path(cr);
            cairo_move_to(cr, t.x + t.lean * 0.8, sy);
            cairo_curve_to(cr, t.x + dir * 20, sy - 30, t.x + dir * 40, sy - 50, t.x + dir * 55, sy - 90);
            cairo_set_line_width(cr, t.w * 0.35);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            SetRgb(cr, Hex(0x7a5844));
            cairo_stroke(cr);
        }
        // soft shadow on the ground
        cairo_save(cr);
        cairo_translate(cr, t.x - 14, base + 2);
        cairo_scale(cr, 34, 5);
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        SetRgb(cr, Hex(0x6a3a18), 0.18);
        cairo_fill(cr);
    }
}

Rgba AutumnCanopy(double x, double y) {
    double canopy = Fbm(x / 60, y / 45, 83, 5);
    double dens = Smooth(0.42, 0.56, canopy + 0.42 * (1 - y / 230) - 0.12) * (1 - Smooth(190, 270, y));
    double hue = Fbm(x / 110, y / 90, 84, 3);
    Rgb leaf = hue < 0.45 ? Mix(Hex(0xd4602e), Hex(0xe8903c), hue / 0.45)
                          : Mix(Hex(0xe8903c), Hex(0xf2c858), Clamp01((hue - 0.45) / 0.3));
    double clump = Fbm(x / 11, y / 11, 85, 3);
    double lit = Fbm((x - 4) / 11, (y + 4) / 11, 85, 3);
    leaf = Mix(Scale(leaf, 0.82), Add(leaf, 0.1), Clamp01(0.5 + (lit - clump) * 5));
    double speck = Smooth(0.62, 0.7, Fbm(x / 2.5, y / 2.5, 90, 2));
    leaf = Mix(leaf, Hex(0xffe0a0), 0.3 * speck);
    return {leaf.r, leaf.g, leaf.b, dens};
}

void FallingLeaves(cairo_t* cr) {
    artkit::Rng rng(91);
    for (int i = 0; i < 26; ++i) {
        double x = rng.Uniform(0, 640), y = rng.Uniform(150, 470), a = rng.Uniform(0, 2 * M_PI);
        double s = rng.Uniform(2.5, 4.5);
        Rgb c = Mix(Hex(0xd8602a), Hex(0xf0c050), rng.Uniform(0, 1));
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a);
        cairo_scale(cr, s, s * 0.55);
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        SetRgb(cr, c, 0.85);
        cairo_fill(cr);
    }
}

Rgb Panorama(double x, double y) {
    Rgb c = Sky(y, Hex(0x84a8cc), Hex(0xd8d0d4), Hex(0xf8d8a8), 250);
    c = Clouds(c, x, y, 91, 0.3, 200, 30, Hex(0xfff2e2));
    Rgb m;
    if (Mountain(x, y, 235, 120, 150, 92, Hex(0xe6e2ec), Hex(0xa8a8c4), 0.7, &m)) c = Mix(m, Hex(0xf0dcc8), 0.3);
    double fog = Smooth(240, 290, y) * 0.6;
    c = Mix(c, Hex(0xf4e4d0), fog);
    if (Mountain(x, y, 330, 70, 240, 93, Hex(0xb4b89c), Hex(0x8a9480), 0.0, &m)) c = Mix(m, Hex(0xeadcc4), 0.25);
    if (Mountain(x, y, 420, 80, 320, 94, Hex(0xa8b47c), Hex(0x849660), 0.0, &m)) c = Mix(m, Hex(0xf0dcb8), 0.12);
    return c;
}

void PanoramaDetails(cairo_t* cr) {
    // a small white temple with a gold roof on the near hill, right of the playfield
    double tx = 560, ty = 352;
    cairo_rectangle(cr, tx - 26, ty - 22, 52, 26);
    SetRgb(cr, Hex(0xf4ece0));
    cairo_fill(cr);
    for (int i = 0; i < 5; ++i) {
        cairo_rectangle(cr, tx - 22 + i * 10, ty - 16, 4, 8);
        SetRgb(cr, Hex(0x8a3024));
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, tx - 34, ty - 22);
    cairo_line_to(cr, tx + 34, ty - 22);
    cairo_line_to(cr, tx + 22, ty - 34);
    cairo_line_to(cr, tx - 22, ty - 34);
    cairo_close_path(cr);
    SetRgb(cr, Hex(0xd4a040));
    cairo_fill(cr);
    cairo_rectangle(cr, tx - 22, ty - 34, 44, 3);
    SetRgb(cr, Hex(0x8a3024));
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, tx - 3, ty - 34);
    cairo_line_to(cr, tx, ty - 50);
    cairo_line_to(cr, tx + 3, ty - 34);
    SetRgb(cr, Hex(0xe8b850));
    cairo_fill(cr);
    // prayer flags strung across the sky
    const uint32_t cols[] = {0x4a78c0, 0xf4f0e8, 0xc84a3a, 0x5a9a5a, 0xe8c040};
    for (int line = 0; line < 2; ++line) {
        double x0 = line ? 300 : -10, y0 = line ? 30 : 60, x1 = line ? 650 : 330, y1 = line ? 95 : 20;
        double sag = 26;
        cairo_new_path(cr);
        cairo_move_to(cr, x0, y0);
        cairo_curve_to(cr, x0 + (x1 - x0) / 3, y0 + sag, x0 + 2 * (x1 - x0) / 3, y1 + sag, x1, y1);
        cairo_set_line_width(cr, 1);
        SetRgb(cr, Hex(0x8a7a6a), 0.8);
        cairo_stroke(cr);
        for (int k = 1; k < 16; ++k) {
            double t = k / 16.0, u = 1 - t;
            double px = u * u * u * x0 + 3 * u * u * t * (x0 + (x1 - x0) / 3) +
                        3 * u * t * t * (x0 + 2 * (x1 - x0) / 3) + t * t * t * x1;
            double py = u * u * u * y0 + 3 * u * u * t * (y0 + sag) + 3 * u * t * t * (y1 + sag) + t * t * t * y1;
            cairo_new_path(cr);
            cairo_move_to(cr, px - 6, py);
            cairo_line_to(cr, px + 6, py + 1);
            cairo_line_to(cr, px + 7, py + 15);
            cairo_line_to(cr, px - 5, py + 14);
            cairo_close_path(cr);
            SetRgb(cr, Hex(cols[k % 5]), 0.85);
            cairo_fill(cr);
        }
    }
}

}  // namespace

std::unique_ptr<Canvas> MakeBackground(int index) {
    auto c = std::make_unique<Canvas>(640, 480);
    switch (index) {
        case 0:
            ShadeOpaque(*c, CloudyMountains);
            break;
        case 1:
            ShadeOpaque(*c, SnowWorld);
            break;
        case 2:
            ShadeOpaque(*c, Pond);
            PondPlants(c->cr());
            break;
        case 3:
            ShadeOpaque(*c, ViewFromAbove);
            Hamlets(c->cr());
            break;
        case 4: {
            ShadeOpaque(*c, AutumnBase);
            AutumnTrunks(c->cr());
            Canvas crown(640, 480);
            ShadeRgba(crown, AutumnCanopy);
            Blit(c->cr(), crown, 0, 0);
            FallingLeaves(c->cr());
            break;
        }
        default:
            ShadeOpaque(*c, Panorama);
            PanoramaDetails(c->cr());
            break;
    }
    // a soft vignette keeps the eye on the playfield
    cairo_t* cr = c->cr();
    cairo_pattern_t* v = cairo_pattern_create_radial(230, 260, 150, 320, 240, 520);
    AddStop(v, 0, Hex(0x402010), 0.0);
    AddStop(v, 1, Hex(0x402010), 0.22);
    cairo_set_source(cr, v);
    cairo_paint(cr);
    cairo_pattern_destroy(v);
    return c;
}

static void GenerateBackgrounds() {
    for (int i = 0; i < 6; ++i) {
        auto bg = MakeBackground(i);
        artkit::SaveJpeg(*bg, "gfx/bg/bg" + std::to_string(i + 1) + ".jpg");
    }
}
GFXGEN_REGISTER("puzzle_bg", GenerateBackgrounds);

}  // namespace puzart
