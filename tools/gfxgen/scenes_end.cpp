// End screen, hall of fame, wisdom screen and the maker's logo.
#include <cmath>

#include "scenes_kit.hpp"

namespace scenes {
namespace {

using artkit::Fbm;
using artkit::Hex;
using artkit::Mix;
using artkit::Rng;

// Darkens the lower part of a picture so that white writing stands out there.
void TextShade(cairo_t* cr, double from, double to, double alpha) {
    cairo_rectangle(cr, 0, from, 640, 480 - from);
    cairo_pattern_t* d = cairo_pattern_create_linear(0, from, 0, to);
    cairo_pattern_add_color_stop_rgba(d, 0, 0.06, 0.02, 0.04, 0);
    cairo_pattern_add_color_stop_rgba(d, 1, 0.06, 0.02, 0.04, alpha);
    cairo_set_source(cr, d);
    cairo_fill(cr);
    cairo_pattern_destroy(d);
}

// Still water with the sky mirrored in it, from y0 down.
void Lake(Canvas& c, double y0, uint32_t seed) {
    cairo_t* cr = c.cr();
    cairo_surface_t* src = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 640, 480);
    cairo_t* t = cairo_create(src);
    cairo_set_source_surface(t, c.surface(), 0, 0);
    cairo_paint(t);
    cairo_destroy(t);
    cairo_save(cr);
    cairo_rectangle(cr, 0, y0, 640, 480 - y0);
    cairo_clip(cr);
    cairo_translate(cr, 0, 2 * y0);
    cairo_scale(cr, 1, -1);
    cairo_set_source_surface(cr, src, 0, 0);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(src);
    // darker, bluer water with ripples
    Texture ripples(640, 480, [&](int x, int y) {
        double r = Fbm(x / 80.0, y / 4.0, seed, 3);
        double depth = Clamp01((y - y0) / (480 - y0));
        return Rgba{0.08, 0.12, 0.22, 0.35 + 0.35 * depth + 0.1 * (r - 0.5)};
    });
    cairo_rectangle(cr, 0, y0, 640, 480 - y0);
    ripples.Use(cr);
    cairo_fill(cr);
    Rng rng(seed);
    for (int k = 0; k < 50; ++k) {
        double y = y0 + 4 + std::pow(rng.Uniform(0, 1), 1.5) * (480 - y0), x = rng.Uniform(0, 640);
        double w = 10 + (y - y0) * 0.4;
        cairo_move_to(cr, x - w / 2, y);
        cairo_line_to(cr, x + w / 2, y);
    }
    Source(cr, Rgb{1, 0.9, 0.75}, 0.18);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void EndScreen() {
    Canvas c(640, 480);
    cairo_t* cr = c.cr();
    // sunrise behind the temple at the end of the path
    LandscapeStyle st{Hex(0x3A4A8A), Hex(0xFFC070), 230, 320, 175, 5505, 0.6};
    Landscape(c, st);
    SoftGlow(cr, 320, 175, 260, Hex(0xFFD890), 0.45);
    // sun rays
    for (int k = 0; k < 18; ++k) {
        double a = -M_PI + k * M_PI / 17;
        cairo_move_to(cr, 320, 175);
        cairo_line_to(cr, 320 + 700 * std::cos(a - 0.03), 175 + 700 * std::sin(a - 0.03));
        cairo_line_to(cr, 320 + 700 * std::cos(a + 0.03), 175 + 700 * std::sin(a + 0.03));
        cairo_close_path(cr);
    }
    Source(cr, Hex(0xFFF0C0), 0.08);
    cairo_fill(cr);
    Temple(cr, 320, 250, 170, 150, 55);
    Lake(c, 250, 56);
    // lotus flowers floating in the foreground
    for (auto [x, y, s] :
         {std::tuple{90.0, 330.0, 40.0}, {560.0, 350.0, 46.0}, {200.0, 300.0, 26.0}, {470.0, 296.0, 24.0}}) {
        cairo_save(cr);
        cairo_translate(cr, x, y + s * 0.1);
        cairo_scale(cr, 1, 0.35);
        cairo_arc(cr, 0, 0, s * 0.9, 0, 2 * M_PI);
        cairo_restore(cr);
        Source(cr, Hex(0x2E6A44));
        cairo_fill(cr);
        Lotus(cr, x, y, s, Hex(0xF090A8), Hex(0xFFE8EE));
    }
    PrayerFlags(cr, -10, 40, 650, 50, 40, 24, 16, 20, 57);
    TextShade(cr, 230, 400, 0.7);
    Vignette(c, 0.3);
    artkit::SavePng(c, "gfx/end.png");
}

void Hiscore() {
    Canvas c(640, 480);
    cairo_t* cr = c.cr();
    LandscapeStyle st{Hex(0x283870), Hex(0xD89870), 300, 500, 260, 6606, 0.6};
    Landscape(c, st);
    PrayerFlags(cr, -10, 10, 140, 40, 14, 6, 14, 18, 61);
    PrayerFlags(cr, 500, 40, 650, 10, 14, 6, 14, 18, 63);
    // the hall: a dark lacquered board with gold rules between the ten rows
    auto board = [](cairo_t* c2) { RoundRect(c2, 36, 84, 568, 316, 16); };
    ShadowPath(c, board, 4, 6, 6, 0.6);
    Texture silk(640, 480, [](int x, int y) { return SilkAt(x, y, 62, Hex(0x4A1420)); });
    board(cr);
    silk.Use(cr);
    cairo_fill(cr);
    GoldFrame(cr, 40, 88, 560, 308, 13, 3);
    for (int i = 0; i < 10; ++i) {
        double y = 100 + 30 * i;
        if (i % 2 == 0) {
            cairo_rectangle(cr, 52, y + 3, 536, 30);
            Source(cr, Hex(0x000000), 0.12);
            cairo_fill(cr);
        }
    }
    for (double x : {96.0, 304.0, 458.0}) {  // column rules: place, name, rank, score
        cairo_move_to(cr, x, 102);
        cairo_line_to(cr, x, 398 - 8);
    }
    Source(cr, pal::kGold, 0.25);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // a plate for the title and lotuses beside it
    RoundRect(cr, 170, 22, 300, 52, 14);
    Source(cr, Hex(0x2A0A10), 0.55);
    cairo_fill(cr);
    Lotus(cr, 150, 70, 34, Hex(0xE87890), Hex(0xFFD0DA));
    Lotus(cr, 490, 70, 34, Hex(0xE87890), Hex(0xFFD0DA));
    Source(cr, pal::kGold, 0.8);
    for (double x : {56.0, 584.0})
        for (double y : {104.0, 376.0}) Knot(cr, x, y, 14);
    TextShade(cr, 400, 470, 0.5);
    artkit::SavePng(c, "gfx/hiscore.png");
}

void HiscoreBar() {
    Canvas c(520, 30);
    cairo_t* cr = c.cr();
    RoundRect(cr, 1, 1, 518, 28, 8);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 520, 0);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.95, 0.6, 0.15, 0.65);
    cairo_pattern_add_color_stop_rgba(g, 0.5, 1.0, 0.75, 0.3, 0.5);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.95, 0.6, 0.15, 0.3);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Source(cr, pal::kLightGold, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    artkit::SavePng(c, "gfx/hiscorebar.png");
}

void Wisdoms() {
    Canvas c(640, 480);
    cairo_t* cr = c.cr();
    // a mountain lake at dusk; the saying is written over the water
    LandscapeStyle st{Hex(0x2A3470), Hex(0xE8A080), 170, 420, 150, 7707, 0.5};
    Landscape(c, st);
    Lake(c, 190, 71);
    // a stone lantern and a pine on the shore
    cairo_rectangle(cr, 560, 120, 12, 70);
    Source(cr, Hex(0x4A3A34));
    cairo_fill(cr);
    for (int k = 0; k < 4; ++k) {
        double y = 110 + k * 16, w = 60 - k * 12;
        cairo_move_to(cr, 566 - w / 2, y + 12);
        cairo_line_to(cr, 566, y - 6);
        cairo_line_to(cr, 566 + w / 2, y + 12);
        cairo_close_path(cr);
    }
    Source(cr, Hex(0x1E3428));
    cairo_fill(cr);
    {  // stupa on the left bank
        double x = 70, y = 190;
        cairo_rectangle(cr, x - 18, y - 12, 36, 12);
        cairo_arc(cr, x, y - 14, 13, M_PI, 2 * M_PI);
        Source(cr, Hex(0xEDE4D0));
        cairo_fill(cr);
        cairo_move_to(cr, x, y - 27);
        cairo_line_to(cr, x, y - 44);
        Source(cr, pal::kGold);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    PrayerFlags(cr, -10, 30, 650, 40, 35, 22, 16, 20, 72);
    TextShade(cr, 200, 360, 0.6);
    Vignette(c, 0.35);
    artkit::SaveJpeg(c, "gfx/wisdoms.jpg");
}

void Logo() {
    Canvas c(640, 480);
    cairo_t* cr = c.cr();
    PaintPixels(c, [](int x, int y) {
        double d = std::hypot(x - 320, y - 220) / 420;
        double n = Fbm(x / 90.0, y / 90.0, 81, 4);
        Rgb col = Mix(Hex(0x4A1422), Hex(0x12060A), Smooth(0.0, 1.0, d));
        col = Mix(col, Hex(0x6A2030), (n - 0.5) * 0.3 + 0.05);
        return Rgba{col.r, col.g, col.b, 1};
    });
    SoftGlow(cr, 320, 190, 150, Hex(0xFFC060), 0.3);
    // emblem: a lotus inside a gold ring with a dharma-like rim of dots
    cairo_arc(cr, 320, 185, 74, 0, 2 * M_PI);
    Source(cr, Hex(0x2A0A12));
    cairo_fill_preserve(cr);
    GoldStroke(cr, 246, 111, 394, 259, 5);
    cairo_new_path(cr);
    for (int k = 0; k < 24; ++k) {
        double a = k * M_PI / 12;
        cairo_new_sub_path(cr);
        cairo_arc(cr, 320 + 84 * std::cos(a), 185 + 84 * std::sin(a), 2.5, 0, 2 * M_PI);
    }
    Source(cr, pal::kGold);
    cairo_fill(cr);
    Lotus(cr, 320, 222, 82, Hex(0xF0A030), Hex(0xFFF0C0));
    cairo_arc(cr, 320, 130, 7, 0, 2 * M_PI);
    Source(cr, Hex(0xFFF4D0));
    cairo_fill(cr);
    FancyText(cr, "Corvantis", 320, 345, 62, 0.5, Hex(0xFFF0B0), Hex(0xD08A20), Hex(0x2A0A0E));
    Text(cr, "\u2022  PLAYFUL CALM  \u2022", 320, 385, 15, false, true, 0.5, Hex(0xE8C880), 0.85);
    artkit::SavePng(c, "gfx/cvt.png");
}

void EndScreens() {
    EndScreen();
    Hiscore();
    HiscoreBar();
    Wisdoms();
    Logo();
}

GFXGEN_REGISTER("endscreens", EndScreens);

}  // namespace
}  // namespace scenes
