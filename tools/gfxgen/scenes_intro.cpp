// Intro pictures: the tall sky and valley, the temple on its rock, cloud layers and the monk.
#include <cmath>

#include "scenes_kit.hpp"

namespace scenes {
namespace {

using artkit::Fbm;
using artkit::Hex;
using artkit::Mix;
using artkit::Rng;

void Background() {
    Canvas c(640, 960);
    cairo_t* cr = c.cr();
    LandscapeStyle st{Hex(0x3C5C98), Hex(0xF8CC94), 430, 330, 330, 3303, 0.9};
    Landscape(c, st);
    // the valley below: forested slopes falling away, darker towards the bottom
    for (int layer = 0; layer < 3; ++layer) {
        double base = 620 + layer * 120;
        Rgb col = Mix(Hex(0x6A8A70), Hex(0x24402E), layer / 2.0);
        const int n = 64;
        cairo_move_to(cr, 0, 960);
        for (int i = 0; i <= n; ++i) {
            double x = 640.0 * i / n;
            double y = base - 70 * Fbm(x / 160.0, layer * 3.0, 500 + layer, 3) - 25 * std::sin(x / 90.0 + layer * 2);
            cairo_line_to(cr, x, y);
        }
        cairo_line_to(cr, 640, 960);
        cairo_close_path(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, base - 90, 0, 960);
        cairo_pattern_add_color_stop_rgb(g, 0, col.r, col.g, col.b);
        cairo_pattern_add_color_stop_rgb(g, 1, col.r * 0.45, col.g * 0.45, col.b * 0.45);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        // trees: small dark cones along the ridge
        Rng rng(700 + layer);
        for (int k = 0; k < 40; ++k) {
            double x = rng.Uniform(0, 640);
            double y = base - 70 * Fbm(x / 160.0, layer * 3.0, 500 + layer, 3) - 25 * std::sin(x / 90.0 + layer * 2);
            double th = rng.Uniform(14, 26) * (1 + layer * 0.4);
            cairo_move_to(cr, x - th * 0.25, y + 6);
            cairo_line_to(cr, x, y - th);
            cairo_line_to(cr, x + th * 0.25, y + 6);
            cairo_close_path(cr);
        }
        Source(cr, Darker(col, 0.35), 0.9);
        cairo_fill(cr);
        // mist over each layer's foot
        cairo_pattern_t* m = cairo_pattern_create_linear(0, base - 20, 0, base + 90);
        cairo_pattern_add_color_stop_rgba(m, 0, 1, 0.93, 0.85, 0);
        cairo_pattern_add_color_stop_rgba(m, 1, 1, 0.9, 0.8, 0.45);
        cairo_rectangle(cr, 0, base - 20, 640, 110);
        cairo_set_source(cr, m);
        cairo_fill(cr);
        cairo_pattern_destroy(m);
    }
    artkit::SavePng(c, "gfx/intro/background.png");
}

// The temple on its rock. Seen from y 0 at the end of the camera pan, from y 204 at its start.
void Tempel() {
    Canvas c(640, 684);
    cairo_t* cr = c.cr();
    // the rock: a cliff narrowing downwards, with stairs climbing it
    Texture rock(640, 684, [](int x, int y) { return StoneAt(x, y, 41, Hex(0x9A8470)); });
    auto cliff = [](cairo_t* c2) {
        cairo_move_to(c2, 40, 430);
        cairo_curve_to(c2, 120, 405, 520, 405, 600, 430);
        cairo_curve_to(c2, 640, 520, 600, 600, 640, 684);
        cairo_line_to(c2, 0, 684);
        cairo_curve_to(c2, 40, 600, 0, 520, 40, 430);
        cairo_close_path(c2);
    };
    cliff(cr);
    rock.Use(cr);
    cairo_fill(cr);
    cliff(cr);
    cairo_pattern_t* sh = cairo_pattern_create_linear(0, 0, 640, 0);
    cairo_pattern_add_color_stop_rgba(sh, 0, 1, 0.9, 0.7, 0.25);
    cairo_pattern_add_color_stop_rgba(sh, 0.5, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(sh, 1, 0.1, 0.05, 0.1, 0.45);
    cairo_set_source(cr, sh);
    cairo_fill(cr);
    cairo_pattern_destroy(sh);
    // ledges of the rock
    Rng rng(9);
    for (int k = 0; k < 14; ++k) {
        double y = 450 + k * 17 + rng.Uniform(-4, 4), x = rng.Uniform(20, 560), w = rng.Uniform(40, 120);
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + w * 0.3, y - 3, x + w * 0.7, y + 2, x + w, y);
        Source(cr, Hex(0x3A2C26), 0.45);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    // stairs up the middle
    for (int k = 0; k < 16; ++k) {
        double y = 440 + k * 15, half = 40 + k * 3.2;
        cairo_rectangle(cr, 320 - half, y, half * 2, 9);
        Source(cr, Hex(0xD8C8B0));
        cairo_fill(cr);
        cairo_rectangle(cr, 320 - half, y + 9, half * 2, 6);
        Source(cr, Hex(0x6A5448));
        cairo_fill(cr);
    }
    // the temple itself, with lower side wings
    Temple(cr, 140, 440, 200, 150, 12);
    Temple(cr, 500, 440, 200, 150, 13);
    Temple(cr, 320, 440, 330, 400, 11);
    // prayer flags from the roof to the wings
    PrayerFlags(cr, 320, 80, 40, 300, 40, 18, 14, 18, 31);
    PrayerFlags(cr, 320, 80, 600, 300, 40, 18, 14, 18, 32);
    // warm light from the left
    cairo_rectangle(cr, 0, 0, 640, 684);
    cairo_pattern_t* l = cairo_pattern_create_linear(0, 0, 640, 0);
    cairo_pattern_add_color_stop_rgba(l, 0, 1, 0.8, 0.5, 0.12);
    cairo_pattern_add_color_stop_rgba(l, 1, 0.2, 0.1, 0.3, 0.12);
    cairo_set_source(cr, l);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    cairo_fill(cr);
    cairo_pattern_destroy(l);
    artkit::SavePng(c, "gfx/intro/tempel.png");
}

// A cloud band for additive drawing: white with soft alpha, tiling across `period` pixels,
// faded out over `edge` pixels at both ends when the game leaves gaps between copies.
void CloudLayer(int w, int h, int period, double edge, uint32_t seed, double density, const char* path) {
    Canvas c(w, h);
    PaintPixels(c, [&](int x, int y) {
        double u = x * 8.0 / period, v = y / 40.0;
        double n = Fbm(u, v, seed, 5, 8);
        double vy = double(y) / h;
        double shape = std::sin(vy * M_PI);  // thin out at top and bottom
        double a = Smooth(1 - density, 1.0, n) * shape * shape;
        if (edge > 0) a *= Smooth(0, edge, x) * Smooth(0, edge, w - 1 - x);
        double lit = 0.85 + 0.15 * (1 - vy);
        return Rgba{lit, lit * 0.97, lit * 0.93, a * 0.9};
    });
    artkit::SavePng(c, path);
}

void Monk() {
    Canvas c(640, 480);
    cairo_t* cr = c.cr();
    // the view through a round window
    Canvas view(640, 480);
    LandscapeStyle st{Hex(0x6A5AA0), Hex(0xFFC080), 230, 330, 200, 4404, 0.7};
    Landscape(view, st);
    // the temple hall: dark lacquered wood around the window
    Texture wood(640, 480, [](int x, int y) { return WoodAt(x, y * 2, 23, Hex(0x4A1A14)); });
    cairo_rectangle(cr, 0, 0, 640, 480);
    wood.Use(cr);
    cairo_fill(cr);
    const double wx = 330, wy = 200, wr = 170;
    cairo_arc(cr, wx, wy, wr, 0, 2 * M_PI);
    cairo_set_source_surface(cr, view.surface(), 0, 0);
    cairo_fill(cr);
    // window lattice and frame
    cairo_arc(cr, wx, wy, wr, 0, 2 * M_PI);
    GoldStroke(cr, wx - wr, wy - wr, wx + wr, wy + wr, 8);
    cairo_new_path(cr);
    cairo_arc(cr, wx, wy, wr + 10, 0, 2 * M_PI);
    Source(cr, Hex(0x7A2A22));
    cairo_set_line_width(cr, 10);
    cairo_stroke(cr);
    // light falling in, warm
    SoftGlow(cr, wx, wy + 60, 320, Hex(0xFFB060), 0.35);
    // floor
    cairo_rectangle(cr, 0, 330, 640, 150);
    cairo_pattern_t* fl = cairo_pattern_create_linear(0, 330, 0, 480);
    cairo_pattern_add_color_stop_rgb(fl, 0, 0.36, 0.16, 0.10);
    cairo_pattern_add_color_stop_rgb(fl, 1, 0.10, 0.04, 0.03);
    cairo_set_source(cr, fl);
    cairo_fill(cr);
    cairo_pattern_destroy(fl);
    // the monk, seen from behind, seated on a cushion facing the mountains
    const double mx = 330, my = 352;
    cairo_save(cr);
    // cushion
    cairo_save(cr);
    cairo_translate(cr, mx, my + 6);
    cairo_scale(cr, 1, 0.3);
    cairo_arc(cr, 0, 0, 95, 0, 2 * M_PI);
    cairo_restore(cr);
    Source(cr, Hex(0x8A5A18));
    cairo_fill(cr);
    // robe: saffron body with a maroon shawl
    cairo_move_to(cr, mx - 88, my + 4);
    cairo_curve_to(cr, mx - 90, my - 40, mx - 60, my - 95, mx - 30, my - 118);
    cairo_line_to(cr, mx + 30, my - 118);
    cairo_curve_to(cr, mx + 60, my - 95, mx + 90, my - 40, mx + 88, my + 4);
    cairo_close_path(cr);
    cairo_pattern_t* robe = cairo_pattern_create_linear(mx - 90, 0, mx + 90, 0);
    cairo_pattern_add_color_stop_rgb(robe, 0, 0.98, 0.66, 0.2);
    cairo_pattern_add_color_stop_rgb(robe, 0.5, 0.86, 0.46, 0.1);
    cairo_pattern_add_color_stop_rgb(robe, 1, 0.5, 0.2, 0.05);
    cairo_set_source(cr, robe);
    cairo_fill(cr);
    cairo_pattern_destroy(robe);
    cairo_move_to(cr, mx - 40, my - 116);
    cairo_curve_to(cr, mx - 10, my - 80, mx + 30, my - 30, mx + 80, my - 10);
    cairo_line_to(cr, mx + 86, my - 40);
    cairo_curve_to(cr, mx + 60, my - 90, mx + 40, my - 112, mx + 30, my - 118);
    cairo_close_path(cr);
    Source(cr, Hex(0x7A1E26));
    cairo_fill(cr);
    // head and shoulders with a rim of evening light
    cairo_arc(cr, mx, my - 146, 27, 0, 2 * M_PI);
    cairo_pattern_t* head = cairo_pattern_create_radial(mx - 12, my - 160, 4, mx, my - 146, 28);
    cairo_pattern_add_color_stop_rgb(head, 0, 0.92, 0.7, 0.5);
    cairo_pattern_add_color_stop_rgb(head, 1, 0.45, 0.26, 0.16);
    cairo_set_source(cr, head);
    cairo_fill(cr);
    cairo_rectangle(cr, mx - 12, my - 124, 24, 10);
    Source(cr, Hex(0x7A4A30));
    cairo_fill(cr);
    cairo_arc(cr, mx, my - 146, 27, M_PI * 1.1, M_PI * 1.6);
    Source(cr, Hex(0xFFE0A0), 0.8);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_restore(cr);
    // hanging banners at both sides of the hall
    for (double x : {40.0, 560.0}) {
        cairo_rectangle(cr, x, 0, 40, 250);
        Texture silk(640, 480, [](int px, int py) { return SilkAt(px, py, 3, Hex(0xB03028)); });
        silk.Use(cr);
        cairo_fill(cr);
        YinYang(cr, x + 20, 200, 14, 0, Hex(0xFBF2DA), Hex(0x3A1018));
        cairo_rectangle(cr, x, 0, 40, 250);
        GoldStroke(cr, x, 0, x + 40, 250, 2);
        cairo_new_path(cr);
    }
    // darken the lower part where the story text runs
    cairo_rectangle(cr, 0, 250, 640, 230);
    cairo_pattern_t* d = cairo_pattern_create_linear(0, 250, 0, 480);
    cairo_pattern_add_color_stop_rgba(d, 0, 0.05, 0.02, 0.02, 0);
    cairo_pattern_add_color_stop_rgba(d, 0.4, 0.05, 0.02, 0.02, 0.45);
    cairo_pattern_add_color_stop_rgba(d, 1, 0.05, 0.02, 0.02, 0.75);
    cairo_set_source(cr, d);
    cairo_fill(cr);
    cairo_pattern_destroy(d);
    Vignette(c, 0.45);
    artkit::SavePng(c, "gfx/intro/intro.png");
}

void Intro() {
    Background();
    Tempel();
    CloudLayer(876, 159, 880, 24, 51, 0.55, "gfx/intro/Wolkenlayer1_vor_tempel.png");
    CloudLayer(704, 84, 704, 60, 52, 0.5, "gfx/intro/Wolkenlayer2_vor_tempel.png");
    CloudLayer(810, 245, 810, 120, 53, 0.6, "gfx/intro/Wolkenlayer_hinter_tempel.png");
    Monk();
}

GFXGEN_REGISTER("intro", Intro);

}  // namespace
}  // namespace scenes
