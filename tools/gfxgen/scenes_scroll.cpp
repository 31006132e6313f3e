// The level-complete scroll: parchment, the roller between the ends, and the turning ends.
#include <cmath>

#include "scenes_kit.hpp"

namespace scenes {
namespace {

using artkit::Fbm;
using artkit::Hex;
using artkit::Mix;

// The roller's axis lies 28 pixels below the top of the end pictures and in the middle of the
// 30-pixel roller, so the three parts line up where the game places them.
constexpr double kAxis = 28;

// A turned section between x0 and x1 whose radius follows `radius` (x in 0..1 across the section).
void Turned(cairo_t* cr, double x0, double x1, double cy, const std::function<double(double)>& radius, Rgb base,
            bool gold) {
    const int n = 40;
    cairo_move_to(cr, x0, cy - radius(0));
    for (int i = 1; i <= n; ++i) {
        double t = i / double(n);
        cairo_line_to(cr, x0 + (x1 - x0) * t, cy - radius(t));
    }
    for (int i = n; i >= 0; --i) {
        double t = i / double(n);
        cairo_line_to(cr, x0 + (x1 - x0) * t, cy + radius(t));
    }
    cairo_close_path(cr);
    double rmax = 0;
    for (int i = 0; i <= n; ++i) rmax = std::max(rmax, radius(i / double(n)));
    cairo_pattern_t* g = cairo_pattern_create_linear(0, cy - rmax, 0, cy + rmax);
    Rgb hi = Lighter(base, gold ? 0.6 : 0.35), lo = Darker(base, 0.6);
    cairo_pattern_add_color_stop_rgb(g, 0, lo.r, lo.g, lo.b);
    cairo_pattern_add_color_stop_rgb(g, 0.28, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 0.5, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(g, 0.85, Darker(base, 0.35).r, Darker(base, 0.35).g, Darker(base, 0.35).b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Source(cr, Darker(base, 0.75), 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

// Studs around a ring at x with radius r, turned by phase; only the front half shows.
void Studs(cairo_t* cr, double x, double cy, double r, int count, double phase, double size, Rgb c) {
    for (int k = 0; k < count; ++k) {
        double a = phase + 2 * M_PI * k / count;
        double z = std::cos(a);
        if (z <= 0.05) continue;
        double y = cy + r * 0.92 * std::sin(a);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, 1, std::max(0.15, z));
        cairo_arc(cr, 0, 0, size, 0, 2 * M_PI);
        cairo_restore(cr);
        Rgb col = Mix(Darker(c, 0.5), Lighter(c, 0.4), 0.5 + 0.5 * z - 0.3 * std::sin(a));
        Source(cr, col);
        cairo_fill(cr);
    }
}

// Carved grooves along the axis of a cylinder, moving as it turns.
void Grooves(cairo_t* cr, double x0, double x1, double cy, double r, int count, double phase) {
    for (int k = 0; k < count; ++k) {
        double a = phase + 2 * M_PI * k / count;
        double z = std::cos(a);
        if (z <= 0.1) continue;
        double y = cy + r * 0.9 * std::sin(a);
        cairo_move_to(cr, x0, y);
        cairo_line_to(cr, x1, y);
        Source(cr, pal::kLightGold, 0.25 + 0.5 * z);
        cairo_set_line_width(cr, 1.1 * z + 0.3);
        cairo_stroke(cr);
    }
}

// One roller end; `dir` is -1 when it grows to the left of the join at `join`.
void RollerEnd(cairo_t* cr, double join, int dir, int frame) {
    double phase = frame * (2 * M_PI / 6) / 32.0;  // six-fold pattern: one sixth of a turn per cycle
    auto X = [&](double d) { return join + dir * d; };
    Rgb lacquer = Hex(0x8A2230), gold = Hex(0xC8962E);
    // gold ferrule gripping the roller
    Turned(
        cr, std::min(X(0), X(14)), std::max(X(0), X(14)), kAxis, [](double) { return 17.0; }, gold, true);
    Studs(cr, X(7), kAxis, 17, 6, phase, 1.8, pal::kLightGold);
    // lacquered neck
    double n0 = X(14), n1 = X(46);
    Turned(
        cr, std::min(n0, n1), std::max(n0, n1), kAxis, [](double t) { return 13.0 + 1.5 * std::sin(t * M_PI); },
        lacquer, false);
    Grooves(cr, std::min(n0, n1) + 2, std::max(n0, n1) - 2, kAxis, 14, 6, phase);
    // thin gold ring
    Turned(
        cr, std::min(X(46), X(50)), std::max(X(46), X(50)), kAxis, [](double) { return 16.0; }, gold, true);
    // the bulb of the finial
    double b0 = X(50), b1 = X(50 + 40);
    Turned(
        cr, std::min(b0, b1), std::max(b0, b1), kAxis,
        [dir](double t) {
            double u = dir < 0 ? 1 - t : t;  // u runs from the ring to the tip
            return 8.0 + 13.0 * std::sin(std::min(1.0, u * 1.05) * M_PI) + 3 * (1 - u);
        },
        lacquer, false);
    Studs(cr, X(68), kAxis, 21, 6, phase + 0.5, 2.3, pal::kLightGold);
    Studs(cr, X(60), kAxis, 19, 6, phase, 1.4, pal::kGold);
    Studs(cr, X(77), kAxis, 18, 6, phase, 1.4, pal::kGold);
    // gold tip
    double t0 = X(88), t1 = X(dir < 0 ? 104 : 96);
    Turned(
        cr, std::min(t0, t1), std::max(t0, t1), kAxis,
        [dir](double t) {
            double u = dir < 0 ? 1 - t : t;
            return 6.0 * std::cos(u * M_PI / 2.1) + 1.0;
        },
        gold, true);
}

void Left() {
    Canvas c(110 * 8, 80 * 4);
    artkit::DrawStrip(c, 110, 80, 32, 8, [](cairo_t* cr, int f) { RollerEnd(cr, 110, -1, f); });
    artkit::SavePng(c, "gfx/rolle/left.png");
}

void Right() {
    Canvas c(97 * 8, 80 * 4);
    artkit::DrawStrip(c, 97, 80, 32, 8, [](cairo_t* cr, int f) { RollerEnd(cr, 0, 1, f); });
    artkit::SavePng(c, "gfx/rolle/right.png");
}

void Mid() {
    Canvas c(328, 30);
    cairo_t* cr = c.cr();
    Texture wood(328, 30, [](int x, int y) { return WoodAt(y * 3, x, 5, Hex(0x8A2A30)); });
    cairo_rectangle(cr, 0, 1, 328, 28);
    wood.Use(cr);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 1, 328, 28);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 1, 0, 29);
    cairo_pattern_add_color_stop_rgba(g, 0, 0, 0, 0, 0.55);
    cairo_pattern_add_color_stop_rgba(g, 0.28, 1, 0.9, 0.8, 0.35);
    cairo_pattern_add_color_stop_rgba(g, 0.5, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, 0.6);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // gold bands
    for (double x : {4.0, 60.0, 164.0, 268.0, 324.0}) {
        cairo_rectangle(cr, x - 2.5, 0, 5, 30);
        cairo_pattern_t* b = cairo_pattern_create_linear(0, 0, 0, 30);
        cairo_pattern_add_color_stop_rgb(b, 0, 0.45, 0.3, 0.08);
        cairo_pattern_add_color_stop_rgb(b, 0.3, 1, 0.9, 0.55);
        cairo_pattern_add_color_stop_rgb(b, 0.6, 0.8, 0.6, 0.2);
        cairo_pattern_add_color_stop_rgb(b, 1, 0.35, 0.22, 0.05);
        cairo_set_source(cr, b);
        cairo_fill(cr);
        cairo_pattern_destroy(b);
    }
    artkit::SavePng(c, "gfx/rolle/mid.png");
}

void Pergament() {
    const int w = 340, h = 420;
    Canvas c(w, h);
    PaintPixels(c, [](int x, int y) {
        Rgba p = ParchmentAt(x, y, 404);
        // burnt, slightly ragged side edges
        double edge = std::min(x, w - 1 - x) + 5 * (Fbm(y / 9.0, x / 50.0, 12, 3) - 0.5);
        double burn = 1 - Smooth(0, 18, edge);
        double a = Smooth(-1, 2.5, edge);
        Rgb col = Mix(Rgb{p.r, p.g, p.b}, Rgb{0.45, 0.27, 0.12}, burn * 0.7);
        return Rgba{col.r, col.g, col.b, a};
    });
    cairo_t* cr = c.cr();
    // a calm border and a faint lotus watermark
    Source(cr, pal::kMaroon, 0.35);
    cairo_set_line_width(cr, 1.5);
    cairo_rectangle(cr, 14, 48, w - 28, h - 96);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 0.8);
    cairo_rectangle(cr, 18, 52, w - 36, h - 104);
    cairo_stroke(cr);
    Source(cr, pal::kMaroon, 0.3);
    for (double x : {18.0, w - 18.0})
        for (double y : {52.0, h - 52.0}) Knot(cr, x, y, 14);
    cairo_push_group(cr);
    Lotus(cr, w / 2.0, 290, 120, Hex(0xC87848), Hex(0xE8B070));
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.10);
    // a fine ornament line under the heading
    cairo_move_to(cr, 70, 88);
    cairo_line_to(cr, w - 70, 88);
    Source(cr, pal::kMaroon, 0.4);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_arc(cr, w / 2.0, 88, 3, 0, 2 * M_PI);
    cairo_fill(cr);
    artkit::SavePng(c, "gfx/rolle/pergament.png");
}

void Scroll() {
    Left();
    Right();
    Mid();
    Pergament();
}

GFXGEN_REGISTER("scroll", Scroll);

}  // namespace
}  // namespace scenes
