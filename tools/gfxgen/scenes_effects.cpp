// Ambient and mode effects: butterflies, hummingbird, whirlwind, torch light, snow and rain.
#include <cmath>

#include "scenes_kit.hpp"

namespace scenes {
namespace {

using artkit::Hex;
using artkit::Mix;
using artkit::Rng;

struct WingLook {
    Rgb inner, outer, edge, spot;
};

// One wing pair half (right side), drawn in wing space: x outwards, y down; the body is at x 0.
void WingShape(cairo_t* cr, double s, bool fore) {
    if (fore) {
        cairo_move_to(cr, 0, -0.05 * s);
        cairo_curve_to(cr, 0.15 * s, -0.55 * s, 0.55 * s, -0.62 * s, 0.72 * s, -0.5 * s);
        cairo_curve_to(cr, 0.78 * s, -0.3 * s, 0.6 * s, -0.05 * s, 0.3 * s, 0.05 * s);
        cairo_curve_to(cr, 0.18 * s, 0.08 * s, 0.05 * s, 0.05 * s, 0, 0.02 * s);
    } else {
        cairo_move_to(cr, 0, 0.02 * s);
        cairo_curve_to(cr, 0.25 * s, 0.0, 0.55 * s, 0.1 * s, 0.55 * s, 0.35 * s);
        cairo_curve_to(cr, 0.52 * s, 0.55 * s, 0.3 * s, 0.62 * s, 0.15 * s, 0.5 * s);
        cairo_curve_to(cr, 0.05 * s, 0.4 * s, 0.02 * s, 0.2 * s, 0, 0.12 * s);
    }
    cairo_close_path(cr);
}

void Wing(cairo_t* cr, double s, bool fore, const WingLook& look) {
    WingShape(cr, s, fore);
    cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, s * 0.05, 0, 0, s * 0.75);
    cairo_pattern_add_color_stop_rgb(g, 0, look.inner.r, look.inner.g, look.inner.b);
    cairo_pattern_add_color_stop_rgb(g, 0.6, look.outer.r, look.outer.g, look.outer.b);
    cairo_pattern_add_color_stop_rgb(g, 0.85, look.edge.r, look.edge.g, look.edge.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Source(cr, look.edge);
    cairo_set_line_width(cr, s * 0.03);
    cairo_stroke(cr);
    // veins
    cairo_save(cr);
    WingShape(cr, s, fore);
    cairo_clip(cr);
    for (int k = 0; k < 4; ++k) {
        double a = fore ? -1.2 + k * 0.3 : 0.3 + k * 0.3;
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, std::cos(a) * s, std::sin(a) * s);
    }
    Source(cr, look.edge, 0.35);
    cairo_set_line_width(cr, s * 0.012);
    cairo_stroke(cr);
    // spots along the rim
    for (int k = 0; k < 3; ++k) {
        double a = fore ? -0.95 + k * 0.25 : 0.55 + k * 0.3, r = (fore ? 0.6 : 0.42) * s;
        cairo_arc(cr, std::cos(a) * r, std::sin(a) * r, s * 0.035, 0, 2 * M_PI);
        Source(cr, look.spot);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void Butterfly(cairo_t* cr, double size, double cx, double cy, int frame, const WingLook& look) {
    // one beat over the 32 frames: open, closed at frame 16, open again
    double phase = frame / 32.0 * 2 * M_PI;
    double angle = (1 - std::cos(phase)) / 2 * 1.35;  // 0 open .. 1.35 rad nearly closed
    double fx = std::cos(angle);
    double s = size * 0.5;
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, side * std::max(0.08, fx), 1);
        // a darker underside shows as the wing turns up
        Wing(cr, s * 0.88, false, look);
        Wing(cr, s, true, look);
        if (fx < 0.9) {
            WingShape(cr, s, true);
            WingShape(cr, s * 0.88, false);
            Source(cr, Rgb{0.1, 0.05, 0.05}, (0.9 - fx) * 0.35);
            cairo_fill(cr);
        }
        cairo_restore(cr);
    }
    // body, head up
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 0.18, 1);
    cairo_arc(cr, 0, s * 0.12, s * 0.32, 0, 2 * M_PI);
    cairo_restore(cr);
    Source(cr, Hex(0x2A1E18));
    cairo_fill(cr);
    cairo_arc(cr, cx, cy - s * 0.24, s * 0.07, 0, 2 * M_PI);
    Source(cr, Hex(0x2A1E18));
    cairo_fill(cr);
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, cx + side * s * 0.02, cy - s * 0.28);
        cairo_curve_to(cr, cx + side * s * 0.08, cy - s * 0.45, cx + side * s * 0.15, cy - s * 0.52,
                       cx + side * s * 0.2, cy - s * 0.56);
    }
    cairo_set_line_width(cr, std::max(0.8, s * 0.02));
    cairo_stroke(cr);
    for (int side = -1; side <= 1; side += 2) {
        cairo_arc(cr, cx + side * s * 0.2, cy - s * 0.56, s * 0.025, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

void ButterflyStrip(int size, const WingLook& look, const char* path) {
    Canvas c(size * 8, size * 4);
    artkit::DrawStrip(c, size, size, 32, 8, [&](cairo_t* cr, int f) {
        Butterfly(cr, size * 1.25, size / 2.0, size / 2.0 + size * 0.03, f, look);
    });
    artkit::SavePng(c, path);
}

void Butterflies() {
    ButterflyStrip(80, {Hex(0x7AD0FF), Hex(0x2A6AD8), Hex(0x1A1A38), Hex(0xF0F4FF)}, "gfx/butterfly_blue.png");
    ButterflyStrip(80, {Hex(0xFFC060), Hex(0xD83A1A), Hex(0x3A1410), Hex(0xFFF0D0)}, "gfx/butterfly_red.png");
    ButterflyStrip(90, {Hex(0xC8F0A0), Hex(0x2E9A5A), Hex(0x1A3020), Hex(0xFFF8C0)}, "gfx/butterfly_green.png");
}

void Hummingbird() {
    Canvas c(640, 80);
    artkit::DrawStrip(c, 80, 80, 8, 8, [](cairo_t* cr, int f) {
        double phase = f / 8.0 * 2 * M_PI;
        double wingAngle = -0.9 + 1.3 * (0.5 + 0.5 * std::cos(phase));  // up and down
        const double bx = 40, by = 44;
        // far wing (behind the body), a blur of motion
        auto wing = [&](double a, double alpha) {
            cairo_save(cr);
            cairo_translate(cr, bx - 2, by - 6);
            cairo_rotate(cr, -M_PI / 2 + a);
            cairo_move_to(cr, 0, 0);
            cairo_curve_to(cr, 8, -5, 26, -6, 32, -1);
            cairo_curve_to(cr, 24, 4, 10, 4, 0, 0);
            cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 32, 0);
            cairo_pattern_add_color_stop_rgba(g, 0, 0.3, 0.4, 0.35, alpha);
            cairo_pattern_add_color_stop_rgba(g, 1, 0.75, 0.85, 0.85, alpha * 0.5);
            cairo_set_source(cr, g);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
            cairo_restore(cr);
        };
        wing(wingAngle - 0.25, 0.35);
        wing(wingAngle - 0.1, 0.5);
        // tail
        cairo_move_to(cr, bx - 14, by + 6);
        cairo_line_to(cr, bx - 28, by + 16);
        cairo_line_to(cr, bx - 24, by + 8);
        cairo_line_to(cr, bx - 29, by + 4);
        cairo_close_path(cr);
        Source(cr, Hex(0x1E4A34));
        cairo_fill(cr);
        // body: iridescent green back, pale belly, ruby throat
        cairo_save(cr);
        cairo_translate(cr, bx, by);
        cairo_rotate(cr, -0.35);
        cairo_scale(cr, 1.7, 1);
        cairo_arc(cr, 0, 0, 9, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(bx, by - 10, bx, by + 10);
        cairo_pattern_add_color_stop_rgb(g, 0, 0.25, 0.7, 0.4);
        cairo_pattern_add_color_stop_rgb(g, 0.55, 0.15, 0.45, 0.3);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.85, 0.85, 0.75);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        cairo_arc(cr, bx + 13, by - 10, 6.5, 0, 2 * M_PI);
        Source(cr, Hex(0x2A7A4A));
        cairo_fill(cr);
        cairo_arc(cr, bx + 12, by - 4, 4.5, 0, M_PI);
        Source(cr, Hex(0xD0203A));
        cairo_fill(cr);
        // beak and eye
        cairo_move_to(cr, bx + 18, by - 11);
        cairo_line_to(cr, bx + 36, by - 14);
        cairo_line_to(cr, bx + 18, by - 8.5);
        cairo_close_path(cr);
        Source(cr, Hex(0x2A2420));
        cairo_fill(cr);
        cairo_arc(cr, bx + 15, by - 11.5, 1.5, 0, 2 * M_PI);
        Source(cr, Hex(0x0A0808));
        cairo_fill(cr);
        cairo_arc(cr, bx + 15.5, by - 12, 0.5, 0, 2 * M_PI);
        Source(cr, Rgb{1, 1, 1});
        cairo_fill(cr);
        // near wing in front
        wing(wingAngle + 0.05, 0.6);
    });
    artkit::SavePng(c, "gfx/koli.png");
}

void Twister() {
    Canvas c(800, 800);
    artkit::DrawStrip(c, 100, 100, 64, 8, [](cairo_t* cr, int f) {
        double phase = f / 64.0 * 2 * M_PI;
        // dust at the foot
        SoftGlow(cr, 50, 90, 22, Hex(0xC8B090), 0.5);
        const int rings = 40;
        for (int i = 0; i < rings; ++i) {
            double t = i / double(rings - 1);  // 0 bottom .. 1 top
            double y = 92 - t * 84;
            double sway = 4 * std::sin(phase + t * 3);
            double r = 4 + 38 * std::pow(t, 1.4);
            double cx = 50 + sway;
            // streaks turning around the funnel: arcs on the front half, offset by the phase
            for (int k = 0; k < 3; ++k) {
                double a0 = phase * 2 + k * 2 * M_PI / 3 + t * 4;
                double a = std::fmod(a0, 2 * M_PI);
                cairo_save(cr);
                cairo_translate(cr, cx, y);
                cairo_scale(cr, r, r * 0.22);
                cairo_arc(cr, 0, 0, 1, a, a + 1.6);
                cairo_restore(cr);
                double front = 0.5 + 0.5 * std::sin(a + 0.8);
                Rgb col = Mix(Hex(0x8A8078), Hex(0xF0ECE4), front);
                Source(cr, col, 0.25 + 0.45 * front * (0.4 + 0.6 * t));
                cairo_set_line_width(cr, 1.5 + 2.5 * t);
                cairo_stroke(cr);
            }
        }
        // leaves whirled round
        Rng rng(5);
        for (int k = 0; k < 7; ++k) {
            double t = rng.Uniform(0.2, 0.95), off = rng.Uniform(0, 2 * M_PI);
            double a = phase * 3 + off;
            double r = 6 + 38 * std::pow(t, 1.4);
            double x = 50 + r * std::cos(a), y = 92 - t * 84 + r * 0.22 * std::sin(a);
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_rotate(cr, a * 2);
            cairo_scale(cr, 1, 0.5);
            cairo_arc(cr, 0, 0, 2.6, 0, 2 * M_PI);
            cairo_restore(cr);
            Source(cr, k % 2 ? Hex(0x6A9A3A) : Hex(0xC88A30), 0.9);
            cairo_fill(cr);
        }
    });
    Blur(c.surface(), 1);  // soften the streaks into moving air
    artkit::SavePng(c, "gfx/Twister.png");
}

void Light() {
    Canvas c(226, 226);
    PaintPixels(c, [](int x, int y) {
        double d = std::hypot(x - 112.5, y - 112.5) / 113;
        double a = Smooth(0.3, 1.0, d);
        // a warm flicker of orange where the light meets the dark
        double warm = std::exp(-std::pow((d - 0.55) / 0.18, 2)) * 0.35;
        return Rgba{0.04 + warm * 0.5, 0.025 + warm * 0.25, 0.015, std::min(1.0, a)};
    });
    artkit::SavePng(c, "gfx/light.png");
}

void Snow() {
    Canvas c(21, 21);
    cairo_t* cr = c.cr();
    SoftGlow(cr, 10.5, 10.5, 10, Rgb{0.9, 0.95, 1}, 0.55);
    for (int k = 0; k < 3; ++k) {
        double a = k * M_PI / 3;
        cairo_move_to(cr, 10.5 - 6 * std::cos(a), 10.5 - 6 * std::sin(a));
        cairo_line_to(cr, 10.5 + 6 * std::cos(a), 10.5 + 6 * std::sin(a));
    }
    Source(cr, Rgb{1, 1, 1}, 0.9);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    cairo_arc(cr, 10.5, 10.5, 1.8, 0, 2 * M_PI);
    cairo_fill(cr);
    artkit::SavePng(c, "gfx/snow.png");
}

void Rain() {
    Canvas c(2, 24);
    PaintPixels(c, [](int x, int y) {
        double a = std::pow(y / 23.0, 1.5) * (x == 0 ? 0.8 : 0.5);
        return Rgba{0.8, 0.88, 1.0, a};
    });
    artkit::SavePng(c, "gfx/raindrop.png");
}

void Effects() {
    Butterflies();
    Hummingbird();
    Twister();
    Light();
    Snow();
    Rain();
}

GFXGEN_REGISTER("effects", Effects);

}  // namespace
}  // namespace scenes
