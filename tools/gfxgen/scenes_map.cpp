// The progress map between levels: a painted valley with the pilgrims' path of 50 stations,
// the station marks, the "you are here" pin and the check box.
#include <array>
#include <cmath>

#include "scenes_kit.hpp"

namespace scenes {
namespace {

using artkit::Fbm;
using artkit::Hex;
using artkit::Mix;
using artkit::Rng;

// Top-left corners of the 24 x 24 station marks on the map; the path runs through their centres.
constexpr std::array<std::array<int, 2>, 50> kStations{{
    {67, 390},  {92, 388},  {116, 383}, {138, 373}, {158, 358}, {172, 339}, {185, 318}, {193, 295}, {197, 270},
    {192, 246}, {179, 224}, {160, 209}, {142, 194}, {137, 170}, {142, 148}, {162, 137}, {185, 138}, {207, 148},
    {227, 161}, {247, 169}, {270, 176}, {291, 184}, {315, 193}, {337, 205}, {357, 216}, {373, 229}, {395, 244},
    {414, 259}, {432, 275}, {450, 289}, {463, 308}, {478, 328}, {455, 333}, {436, 348}, {427, 369}, {446, 383},
    {469, 387}, {491, 381}, {508, 364}, {524, 346}, {538, 328}, {547, 307}, {556, 285}, {566, 263}, {577, 242},
    {592, 222}, {611, 212}, {630, 199}, {649, 187}, {663, 171},
}};
constexpr double kHalf = 12;

// A smooth curve through all station centres (Catmull-Rom as cubic Beziers).
void PathThroughStations(cairo_t* cr) {
    auto P = [](int i) {
        i = std::clamp(i, 0, 49);
        return std::pair<double, double>{kStations[size_t(i)][0] + kHalf, kStations[size_t(i)][1] + kHalf};
    };
    auto [x0, y0] = P(0);
    cairo_move_to(cr, x0, y0);
    for (int i = 0; i < 49; ++i) {
        auto [ax, ay] = P(i - 1);
        auto [bx, by] = P(i);
        auto [cx, cy] = P(i + 1);
        auto [dx, dy] = P(i + 2);
        cairo_curve_to(cr, bx + (cx - ax) / 6, by + (cy - ay) / 6, cx - (dx - bx) / 6, cy - (dy - by) / 6, cx, cy);
    }
}

double DistToPath(double x, double y) {
    double best = 1e9;
    for (int i = 0; i < 49; ++i) {
        double ax = kStations[size_t(i)][0] + kHalf, ay = kStations[size_t(i)][1] + kHalf;
        double bx = kStations[size_t(i) + 1][0] + kHalf, by = kStations[size_t(i) + 1][1] + kHalf;
        double vx = bx - ax, vy = by - ay, t = ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy);
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, std::hypot(x - ax - vx * t, y - ay - vy * t));
    }
    return best;
}

void Card() {
    const int W = 916, H = 480;
    Canvas c(W, H);
    cairo_t* cr = c.cr();
    // a river valley seen from above: meadows, groves, a river and lakes
    auto river = [](double y) { return 835 + 25 * std::sin(y / 60.0) + 10 * std::sin(y / 23.0); };
    PaintPixels(c, [&](int x, int y) {
        double n = Fbm(x / 120.0, y / 120.0, 61, 5);
        double m = Fbm(x / 25.0, y / 25.0, 62, 3);
        Rgb col = Mix(Hex(0x5E8A4E), Hex(0x8AA860), n);
        col = Mix(col, Hex(0xB8A870), Smooth(0.6, 0.8, Fbm(x / 70.0, y / 70.0, 63, 4)) * 0.6);  // dry grass
        double grove = Smooth(0.56, 0.62, Fbm(x / 45.0, y / 45.0, 64, 4));
        col = Mix(col, Mix(Hex(0x2E5A36), Hex(0x3E6E40), m), grove);
        // keep the trail free of trees
        double d = DistToPath(x, y);
        col = Mix(col, Mix(Hex(0x7A9A56), Hex(0x96AE6A), n), 1 - Smooth(8, 22, d));
        // river and a lake at the end of the valley
        double rd = std::abs(x - river(y));
        double water = 1 - Smooth(9, 12, rd);
        double lake = 1 - Smooth(0.9, 1.0, std::hypot((x - 850) / 60.0, (y - 340) / 40.0));
        water = std::max(water, lake);
        Rgb wcol = Mix(Hex(0x3A6A98), Hex(0x7AA8C8), Fbm(x / 15.0, y / 6.0, 65, 2));
        col = Mix(col, Hex(0xC8B888), (1 - Smooth(12, 15, rd)) * (1 - water) * 0.6);  // banks
        col = Mix(col, wcol, water);
        double shade = 0.88 + 0.2 * (Fbm(x / 60.0 + 3, y / 60.0, 66, 3) - 0.5);
        return Rgba{col.r * shade, col.g * shade, col.b * shade, 1};
    });
    // little trees dotted over the groves
    Rng rng(67);
    for (int k = 0; k < 1400; ++k) {
        double x = rng.Uniform(0, W), y = rng.Uniform(140, H);
        if (Fbm(x / 45.0, y / 45.0, 64, 4) < 0.58 || DistToPath(x, y) < 18 || std::abs(x - river(y)) < 14 ||
            std::hypot((x - 850) / 60.0, (y - 340) / 40.0) < 1.15)
            continue;
        double r = rng.Uniform(3, 6);
        cairo_arc(cr, x + 1.5, y + 2, r, 0, 2 * M_PI);
        Source(cr, Hex(0x14301C), 0.5);
        cairo_fill(cr);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.3, y - r * 0.4, 0.5, x, y, r);
        cairo_pattern_add_color_stop_rgb(g, 0, 0.45, 0.62, 0.32);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.16, 0.34, 0.2);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    // the mountains behind the valley, under an evening sky: dark enough for the white writing
    {
        Canvas sky(W, 170);
        SkyPixels(sky, 0, 150, Hex(0x1C2448), Hex(0x6A5078), 68, 0.35);
        Mountains(sky, 165, 40, 0.6, 69, Hex(0x4A4C6E), Hex(0x2E2E4A), 0.3, 1.0);
        cairo_pattern_t* fade = cairo_pattern_create_linear(0, 120, 0, 168);
        cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 1);
        cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 0);
        cairo_set_source_surface(cr, sky.surface(), 0, 0);
        cairo_mask(cr, fade);
        cairo_pattern_destroy(fade);
    }
    // foothill ridge line between the sky and the valley
    for (int k = 0; k < 6; ++k)
        Cloud(cr, 80 + k * 160, 162, 240, 22, 70 + k, Rgb{0.95, 0.9, 0.95}, Rgb{0.7, 0.65, 0.8}, 0.25);
    // the trail: a shadow, a sandy band and a dotted centre line
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    PathThroughStations(cr);
    Source(cr, Hex(0x3A2A18), 0.45);
    cairo_set_line_width(cr, 13);
    cairo_stroke_preserve(cr);
    Source(cr, Hex(0xD8C090));
    cairo_set_line_width(cr, 9);
    cairo_stroke_preserve(cr);
    Source(cr, Hex(0xF0E0B0), 0.9);
    cairo_set_line_width(cr, 2);
    double dash[] = {4, 6};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    // a small village at the start of the trail
    for (int k = 0; k < 5; ++k) {
        double hx = 20 + k * 14 + (k % 2) * 4, hy = 420 + (k % 3) * 8;
        cairo_rectangle(cr, hx, hy, 11, 8);
        Source(cr, Hex(0xF0E8D8));
        cairo_fill(cr);
        cairo_rectangle(cr, hx - 1, hy - 3, 13, 3);
        Source(cr, Hex(0x8A2A22));
        cairo_fill(cr);
    }
    // the goal: a temple on the last rise, beside the final station
    SoftGlow(cr, 740, 170, 70, Hex(0xFFE0A0), 0.35);
    Temple(cr, 740, 205, 90, 80, 71);
    // a few stupas along the way
    for (auto [sx, sy] : {std::pair{250.0, 215.0}, {520.0, 420.0}, {320.0, 300.0}}) {
        cairo_move_to(cr, sx - 8, sy);
        cairo_line_to(cr, sx + 8, sy);
        cairo_line_to(cr, sx + 5, sy - 6);
        cairo_line_to(cr, sx - 5, sy - 6);
        cairo_close_path(cr);
        Source(cr, Hex(0xF4EEE0));
        cairo_fill(cr);
        cairo_arc(cr, sx, sy - 9, 5, M_PI, 2 * M_PI);
        cairo_fill(cr);
        cairo_move_to(cr, sx, sy - 14);
        cairo_line_to(cr, sx, sy - 22);
        Source(cr, pal::kGold);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    // prayer flags over the first pass
    PrayerFlags(cr, 130, 150, 230, 150, 14, 7, 9, 11, 72);
    // dark forest edge along the bottom, behind the "Show Map" box
    cairo_rectangle(cr, 0, 420, W, 60);
    cairo_pattern_t* b = cairo_pattern_create_linear(0, 420, 0, 480);
    cairo_pattern_add_color_stop_rgba(b, 0, 0.06, 0.12, 0.08, 0);
    cairo_pattern_add_color_stop_rgba(b, 0.5, 0.06, 0.12, 0.08, 0.6);
    cairo_pattern_add_color_stop_rgba(b, 1, 0.05, 0.08, 0.06, 0.85);
    cairo_set_source(cr, b);
    cairo_fill(cr);
    cairo_pattern_destroy(b);
    Vignette(c, 0.3);
    artkit::SavePng(c, "gfx/card.png");
}

void CardPoint() {
    Canvas c(72, 24);
    artkit::DrawStrip(c, 24, 24, 3, 3, [](cairo_t* cr, int f) {
        if (f == 2) SoftGlow(cr, 12, 12, 12, Hex(0xFFD070), 0.9);
        cairo_arc(cr, 12, 12, 8.5, 0, 2 * M_PI);
        Rgb base = f == 0 ? Hex(0x8A8580) : (f == 1 ? Hex(0xD8A030) : Hex(0xFFC848));
        cairo_pattern_t* g = cairo_pattern_create_radial(9, 8.5, 1, 12, 12, 9);
        Rgb hi = Lighter(base, 0.55), lo = Darker(base, 0.45);
        cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
        cairo_pattern_add_color_stop_rgb(g, 0.6, base.r, base.g, base.b);
        cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        cairo_arc(cr, 12, 12, 8.5, 0, 2 * M_PI);
        Source(cr, f == 0 ? Hex(0x3A3634) : Hex(0x5A3008));
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
        if (f > 0) {
            Lotus(cr, 12, 16, 9, f == 2 ? Hex(0xFFF0F0) : Hex(0xF8D8D8), Hex(0xFFFFFF));
        } else {
            cairo_arc(cr, 12, 12, 3, 0, 2 * M_PI);
            Source(cr, Hex(0x5A5652));
            cairo_fill(cr);
        }
    });
    artkit::SavePng(c, "gfx/card_point.png");
}

void YouAreHere() {
    Canvas c(57, 67);
    cairo_t* cr = c.cr();
    // a pin: round head with a yin-yang, tip at the bottom centre
    cairo_move_to(cr, 28.5, 65);
    cairo_curve_to(cr, 20, 50, 6, 40, 6, 25);
    cairo_arc(cr, 28.5, 25, 22.5, M_PI, 2 * M_PI);
    cairo_curve_to(cr, 51, 40, 37, 50, 28.5, 65);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(20, 15, 2, 28.5, 28, 34);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.95, 0.45, 0.4);
    cairo_pattern_add_color_stop_rgb(g, 0.6, 0.62, 0.14, 0.18);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.35, 0.06, 0.09);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    GoldStroke(cr, 0, 0, 57, 67, 2.5);
    cairo_new_path(cr);
    YinYang(cr, 28.5, 25, 13, 0.3, Hex(0xFBF2DA), Hex(0x2A1018));
    cairo_move_to(cr, 14, 12);
    cairo_curve_to(cr, 18, 6, 26, 4, 32, 5);
    Source(cr, Rgb{1, 1, 1}, 0.5);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    artkit::SavePng(c, "gfx/youarehere.png");
}

void ShowMapBox() {
    Canvas c(44, 42);
    cairo_t* cr = c.cr();
    RoundRect(cr, 6, 5, 32, 32, 6);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 5, 0, 37);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.12, 0.04, 0.05);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.30, 0.10, 0.12);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    GoldStroke(cr, 6, 5, 38, 37, 3);
    cairo_new_path(cr);
    artkit::SavePng(c, "gfx/showmap.png");
}

void Map() {
    Card();
    CardPoint();
    YouAreHere();
    ShowMapBox();
}

GFXGEN_REGISTER("map", Map);

}  // namespace
}  // namespace scenes
