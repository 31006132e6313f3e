// The match-three bonus board: symbol tiles, board, sparkles, shot timer and help pictures.
#include <cmath>

#include "scenes_kit.hpp"

namespace scenes {
namespace {

using artkit::Hex;
using artkit::Mix;
using artkit::Rng;

struct Symbol {
    Rgb body;
    Rgb ink;
};
// Each symbol differs in hue and in shape, so colour-blind players can still match them.
const Symbol kSymbols[6] = {
    {Hex(0xC8283A), Hex(0xFFE6EA)},  // ruby, lotus
    {Hex(0xE8B828), Hex(0x6A3A08)},  // gold, sun
    {Hex(0x2E9A5E), Hex(0xE8FFE8)},  // jade, leaf
    {Hex(0x2F5FC0), Hex(0xE8F0FF)},  // sapphire, moon
    {Hex(0x8A3CB0), Hex(0xF6E8FF)},  // amethyst, flame
    {Hex(0xE86A1A), Hex(0xFFF0D8)},  // saffron, knot
};

void TileBody(cairo_t* cr, Rgb body, double glow) {
    RoundRect(cr, 2.5, 2.5, 35, 35, 8);
    cairo_pattern_t* g = cairo_pattern_create_radial(14, 12, 2, 20, 20, 28);
    Rgb hi = Lighter(body, 0.45 + glow * 0.3), mid = Lighter(body, glow * 0.25), lo = Darker(body, 0.45);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 0.5, mid.r, mid.g, mid.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Source(cr, Darker(body, 0.65), 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // bevel: a light rim on the upper left, a dark one on the lower right
    RoundRect(cr, 4.5, 4.5, 31, 31, 6.5);
    cairo_pattern_t* b = cairo_pattern_create_linear(4, 4, 36, 36);
    cairo_pattern_add_color_stop_rgba(b, 0, 1, 1, 1, 0.65);
    cairo_pattern_add_color_stop_rgba(b, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(b, 0.51, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(b, 1, 0.1, 0.02, 0, 0.45);
    cairo_set_source(cr, b);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_pattern_destroy(b);
    // glassy highlight
    cairo_save(cr);
    cairo_move_to(cr, 6, 14);
    cairo_curve_to(cr, 8, 6, 16, 5, 30, 6);
    cairo_curve_to(cr, 22, 8, 12, 10, 6, 14);
    Source(cr, Rgb{1, 1, 1}, 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
}

void SymbolPath(cairo_t* cr, int v) {
    switch (v) {
        case 0: {  // lotus
            for (int i = -2; i <= 2; ++i) {
                cairo_save(cr);
                cairo_translate(cr, 20, 27);
                cairo_rotate(cr, i * 0.5);
                double len = i == 0 ? 16 : 13;
                cairo_move_to(cr, 0, 0);
                cairo_curve_to(cr, 5, -len * 0.35, 4, -len * 0.8, 0, -len);
                cairo_curve_to(cr, -4, -len * 0.8, -5, -len * 0.35, 0, 0);
                cairo_restore(cr);
            }
            cairo_new_sub_path(cr);
            cairo_rectangle(cr, 11, 28, 18, 2.2);
            break;
        }
        case 1: {  // sun
            cairo_new_sub_path(cr);
            cairo_arc(cr, 20, 20, 6.5, 0, 2 * M_PI);
            for (int i = 0; i < 8; ++i) {
                double a = i * M_PI / 4;
                cairo_new_sub_path(cr);
                cairo_move_to(cr, 20 + 8.5 * std::cos(a - 0.22), 20 + 8.5 * std::sin(a - 0.22));
                cairo_line_to(cr, 20 + 14 * std::cos(a), 20 + 14 * std::sin(a));
                cairo_line_to(cr, 20 + 8.5 * std::cos(a + 0.22), 20 + 8.5 * std::sin(a + 0.22));
                cairo_close_path(cr);
            }
            break;
        }
        case 2: {  // leaf
            cairo_move_to(cr, 10, 30);
            cairo_curve_to(cr, 8, 16, 18, 8, 31, 8);
            cairo_curve_to(cr, 32, 22, 22, 31, 10, 30);
            cairo_close_path(cr);
            break;
        }
        case 3: {  // crescent moon
            cairo_new_sub_path(cr);
            cairo_arc(cr, 20, 20, 12, 0.0, 2 * M_PI);
            cairo_new_sub_path(cr);
            cairo_arc_negative(cr, 26, 16, 10, 2 * M_PI, 0);
            break;
        }
        case 4: {  // flame
            cairo_move_to(cr, 20, 6);
            cairo_curve_to(cr, 24, 14, 31, 18, 29, 26);
            cairo_curve_to(cr, 27, 33, 13, 33, 11, 26);
            cairo_curve_to(cr, 10, 20, 15, 18, 15, 12);
            cairo_curve_to(cr, 18, 15, 18, 12, 20, 6);
            cairo_close_path(cr);
            break;
        }
        default: {  // endless knot, a diamond of crossing loops
            cairo_save(cr);
            cairo_translate(cr, 20, 20);
            cairo_rotate(cr, M_PI / 4);
            for (int i = 0; i < 4; ++i) {
                cairo_new_sub_path(cr);
                double ox = (i % 2) ? 5.5 : -5.5, oy = (i / 2) ? 5.5 : -5.5;
                cairo_arc(cr, ox, oy, 5, 0, 2 * M_PI);
                cairo_arc_negative(cr, ox, oy, 2.6, 2 * M_PI, 0);
            }
            cairo_restore(cr);
            break;
        }
    }
}

void SymbolInk(cairo_t* cr, int v, Rgb ink) {
    cairo_save(cr);
    cairo_set_fill_rule(cr, v == 3 ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    if (v == 3) {
        // the moon: a disc with an offset disc cut away
        for (int pass = 0; pass < 2; ++pass) {
            double o = pass == 0 ? 1.0 : 0.0;
            cairo_push_group(cr);
            cairo_arc(cr, 20 + 0.8 * o, 20 + 1.2 * o, 12, 0, 2 * M_PI);
            if (pass == 0)
                Source(cr, pal::kInk, 0.45);
            else
                Source(cr, ink);
            cairo_fill(cr);
            cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
            cairo_arc(cr, 26 + 0.8 * o, 16 + 1.2 * o, 10, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_pop_group_to_source(cr);
            cairo_paint(cr);
        }
        cairo_restore(cr);
        return;
    }
    cairo_translate(cr, 0.8, 1.2);
    SymbolPath(cr, v);
    Source(cr, pal::kInk, 0.45);
    cairo_fill(cr);
    cairo_translate(cr, -0.8, -1.2);
    SymbolPath(cr, v);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 6, 0, 34);
    Rgb lo = Mix(ink, Rgb{0.6, 0.5, 0.4}, 0.3);
    cairo_pattern_add_color_stop_rgb(g, 0, ink.r, ink.g, ink.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    if (v == 2) {  // leaf vein
        cairo_move_to(cr, 11, 29);
        cairo_curve_to(cr, 17, 22, 23, 15, 29, 9);
        Source(cr, Darker(kSymbols[2].body, 0.2), 0.8);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    if (v == 1) {
        cairo_arc(cr, 20, 20, 3, 0, 2 * M_PI);
        Source(cr, Hex(0xF8D860));
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

// A symbol tile in a 40 x 40 cell; shimmer 0 is the plain look, 1..15 a light sweep.
void SymbolTile(cairo_t* cr, int v, int shimmer) {
    double glow = shimmer / 15.0;
    TileBody(cr, kSymbols[v].body, glow * 0.6);
    SymbolInk(cr, v, kSymbols[v].ink);
    if (shimmer > 0) {
        cairo_save(cr);
        RoundRect(cr, 2.5, 2.5, 35, 35, 8);
        cairo_clip(cr);
        double u = -14 + 68 * (shimmer - 1) / 14.0;
        cairo_pattern_t* g = cairo_pattern_create_linear(u - 8, u - 8 - 20, u + 8, u + 8 - 20);
        cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 0.9, 0);
        cairo_pattern_add_color_stop_rgba(g, 0.5, 1, 1, 0.9, 0.55);
        cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 0.9, 0);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
        cairo_restore(cr);
        // a small star glints on the corner
        double s = 2.5 + 3.5 * std::sin(shimmer / 15.0 * M_PI);
        Star(cr, 31, 9, 4, s, s * 0.25, shimmer * 0.2);
        Source(cr, Rgb{1, 1, 0.92}, 0.9);
        cairo_fill(cr);
    }
}

void JokerTile(cairo_t* cr) {
    TileBody(cr, Hex(0xEDE4D0), 0.1);
    // a rainbow wheel: it stands in for any symbol
    for (int i = 0; i < 6; ++i) {
        double a0 = -M_PI / 2 + i * M_PI / 3, a1 = a0 + M_PI / 3;
        cairo_move_to(cr, 20, 20);
        cairo_arc(cr, 20, 20, 12.5, a0, a1);
        cairo_close_path(cr);
        Source(cr, Lighter(kSymbols[i].body, 0.1));
        cairo_fill(cr);
    }
    cairo_arc(cr, 20, 20, 12.5, 0, 2 * M_PI);
    GoldStroke(cr, 8, 8, 32, 32, 1.6);
    cairo_new_path(cr);
    Star(cr, 20, 20, 5, 8, 3.4, 0);
    Source(cr, Hex(0xFFF8E0));
    cairo_fill_preserve(cr);
    Source(cr, Hex(0x7A5010), 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void BombTile(cairo_t* cr, int f) {
    double pulse = 0.5 + 0.5 * std::sin(f * 2 * M_PI / 32);
    // body
    cairo_arc(cr, 19, 23, 13, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(14, 18, 1, 19, 23, 14);
    Rgb hi = Mix(Hex(0x8A8AA0), Hex(0xE06040), pulse * 0.35), lo = Hex(0x14101C);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 0.35, 0.22 + pulse * 0.12, 0.18, 0.25);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // gold band with a yin-yang seal
    cairo_arc(cr, 19, 23, 13, 0, 2 * M_PI);
    GoldStroke(cr, 6, 10, 32, 36, 1.2);
    cairo_new_path(cr);
    // neck
    RoundRect(cr, 23, 8, 7, 6, 1.5);
    Source(cr, Hex(0x6A6070));
    cairo_fill(cr);
    // fuse: a short cord; the spark runs along its tip
    double t = (f % 32) / 32.0;
    cairo_move_to(cr, 27, 9);
    cairo_curve_to(cr, 29, 4, 33, 5, 34, 3);
    Source(cr, Hex(0xC8A070));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    double sx = 34, sy = 3.5;
    SoftGlow(cr, sx, sy, 6 + 2 * std::sin(t * 6 * M_PI), Hex(0xFFC040), 0.9);
    for (int k = 0; k < 6; ++k) {
        double a = k * M_PI / 3 + t * 2 * M_PI * 2;
        double r = 3 + 2.5 * (0.5 + 0.5 * std::sin(t * 8 * M_PI + k));
        cairo_move_to(cr, sx, sy);
        cairo_line_to(cr, sx + r * std::cos(a), sy + r * std::sin(a));
    }
    Source(cr, Hex(0xFFF4C0));
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    // highlight
    cairo_arc(cr, 14, 17, 4, 0, 2 * M_PI);
    Source(cr, Rgb{1, 1, 1}, 0.25);
    cairo_fill(cr);
}

void StoneTile(cairo_t* cr) {
    Texture stone(40, 40, [](int x, int y) { return StoneAt(x, y, 77, Hex(0x8A8478)); });
    cairo_move_to(cr, 5, 9);
    cairo_line_to(cr, 13, 3);
    cairo_line_to(cr, 29, 3.5);
    cairo_line_to(cr, 37, 11);
    cairo_line_to(cr, 37.5, 28);
    cairo_line_to(cr, 30, 37);
    cairo_line_to(cr, 10, 37.5);
    cairo_line_to(cr, 3, 29);
    cairo_close_path(cr);
    stone.Use(cr);
    cairo_fill_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(4, 4, 36, 36);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.3);
    cairo_pattern_add_color_stop_rgba(g, 0.5, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, 0.4);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Source(cr, Hex(0x2E2A26), 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // cracks
    cairo_move_to(cr, 12, 8);
    cairo_line_to(cr, 17, 16);
    cairo_line_to(cr, 15, 22);
    cairo_line_to(cr, 21, 30);
    cairo_move_to(cr, 17, 16);
    cairo_line_to(cr, 26, 14);
    cairo_move_to(cr, 28, 26);
    cairo_line_to(cr, 33, 31);
    Source(cr, Hex(0x3A342E), 0.75);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    // moss
    cairo_arc(cr, 9, 31, 4, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 13, 34, 3, 0, 2 * M_PI);
    Source(cr, Hex(0x5A7A3A), 0.55);
    cairo_fill(cr);
}

void FloatingYinYang(cairo_t* cr) {
    SoftGlow(cr, 20, 20, 19, Hex(0xFFF0C0), 0.7);
    YinYang(cr, 20, 20, 11.5, 0, Hex(0xFAF4E6), Hex(0x2A1A20));
}

void TileStrip() {
    Canvas c(640, 400);
    artkit::DrawStrip(c, 40, 40, 160, 16, [](cairo_t* cr, int i) {
        if (i < 96)
            SymbolTile(cr, i / 16, i % 16);
        else if (i == 96)
            JokerTile(cr);
        else if (i >= 112 && i < 144)
            BombTile(cr, i - 112);
        else if (i == 144)
            FloatingYinYang(cr);
        else if (i == 145)
            StoneTile(cr);
    });
    artkit::SavePng(c, "gfx/bonusgame/tiles.png");
}

void Board() {
    Canvas c(334, 372);
    cairo_t* cr = c.cr();
    // carved wooden tray
    Texture wood(334, 372, [](int x, int y) { return WoodAt(x, y, 31, Hex(0x6A3418)); });
    RoundRect(cr, 0, 0, 334, 372, 14);
    wood.Use(cr);
    cairo_fill(cr);
    RoundRect(cr, 1, 1, 332, 370, 13);
    GoldStroke(cr, 0, 0, 100, 372, 2.5);
    cairo_new_path(cr);
    // the playing field: dark silk with a faint lattice of cells
    Texture silk(334, 372, [](int x, int y) { return SilkAt(x, y, 8, Hex(0x2C1A2E)); });
    RoundRect(cr, 2, 2, 320, 320, 6);
    silk.Use(cr);
    cairo_fill(cr);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            RoundRect(cr, 4 + 40 * x, 4 + 40 * y, 36, 36, 6);
            Source(cr, (x + y) % 2 ? Hex(0x3C2840) : Hex(0x34223A), 0.8);
            cairo_fill(cr);
        }
    // a large faded yin-yang behind the cells
    cairo_push_group(cr);
    YinYang(cr, 162, 162, 110, 0.3, Hex(0x8C6A9A), Hex(0x24142A));
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.12);
    RoundRect(cr, 2, 2, 320, 320, 6);
    Source(cr, pal::kInk, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // launch row: a saffron groove with upward chevrons
    RoundRect(cr, 2, 323, 320, 40, 6);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 323, 0, 363);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.36, 0.13, 0.10);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.55, 0.22, 0.10);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    GoldStroke(cr, 0, 323, 0, 363, 1.5);
    cairo_new_path(cr);
    for (int x = 0; x < 8; ++x) {
        double cx = 22 + 40 * x;
        cairo_move_to(cr, cx - 6, 347);
        cairo_line_to(cr, cx, 341);
        cairo_line_to(cr, cx + 6, 347);
    }
    Source(cr, pal::kLightGold, 0.35);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // carved knots on the right rim
    Source(cr, pal::kGold, 0.7);
    for (int k = 0; k < 6; ++k) cairo_rectangle(cr, 325, 20 + k * 60, 5, 30);
    cairo_fill(cr);
    artkit::SavePng(c, "gfx/bonusgame/bg.png");
}

void Bings() {
    for (int i = 0; i < 12; ++i) {
        Canvas c(15, 15);
        cairo_t* cr = c.cr();
        double t = i / 11.0;
        double size = 7.2 * std::sin(M_PI * (0.15 + 0.85 * t));
        SoftGlow(cr, 7.5, 7.5, 2 + size * 0.7, Hex(0xFFE8A0), 0.8);
        Star(cr, 7.5, 7.5, 4, std::max(0.5, size), std::max(0.3, size * 0.18), t * 0.8);
        Source(cr, Hex(0xFFFCE8));
        cairo_fill(cr);
        char name[64];
        std::snprintf(name, sizeof name, "gfx/bonusgame/bing_%03d.png", i);
        artkit::SavePng(c, name);
    }
}

void StarPowerUp() {
    Canvas c(40, 40);
    cairo_t* cr = c.cr();
    SoftGlow(cr, 20, 20, 20, Hex(0xFFD060), 0.75);
    Star(cr, 20, 20, 5, 17, 7, 0);
    cairo_pattern_t* g = cairo_pattern_create_radial(20, 18, 1, 20, 20, 17);
    cairo_pattern_add_color_stop_rgb(g, 0, 1, 1, 0.9);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.95, 0.62, 0.15);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Source(cr, Hex(0xFFF6D0), 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    artkit::SavePng(c, "gfx/bonusgame/star_powerup.png");
}

void TimeBar() {
    Canvas c(92, 300);
    artkit::DrawStrip(c, 46, 300, 2, 2, [](cairo_t* cr, int f) {
        // maroon frame with gold caps; the glass tube shows y 22..278
        RoundRect(cr, 5, 2, 36, 296, 10);
        cairo_pattern_t* g = cairo_pattern_create_linear(5, 0, 41, 0);
        cairo_pattern_add_color_stop_rgb(g, 0, 0.32, 0.08, 0.1);
        cairo_pattern_add_color_stop_rgb(g, 0.4, 0.62, 0.2, 0.22);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.28, 0.06, 0.08);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        GoldStroke(cr, 5, 0, 41, 300, 2);
        cairo_new_path(cr);
        RoundRect(cr, 12, 21, 22, 258, 8);
        if (f == 0) {
            cairo_pattern_t* l = cairo_pattern_create_linear(12, 0, 34, 0);
            cairo_pattern_add_color_stop_rgb(l, 0, 0.8, 0.35, 0.05);
            cairo_pattern_add_color_stop_rgb(l, 0.35, 1.0, 0.85, 0.4);
            cairo_pattern_add_color_stop_rgb(l, 1, 0.75, 0.3, 0.04);
            cairo_set_source(cr, l);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(l);
            for (int k = 0; k < 10; ++k) {  // rising bubbles of light
                double by = 40 + k * 24 + (k % 3) * 5, bx = 18 + (k * 7) % 11;
                cairo_new_sub_path(cr);
                cairo_arc(cr, bx, by, 1.5 + (k % 2), 0, 2 * M_PI);
            }
            Source(cr, Rgb{1, 1, 0.85}, 0.45);
            cairo_fill(cr);
            RoundRect(cr, 12, 21, 22, 258, 8);
        } else {
            cairo_pattern_t* l = cairo_pattern_create_linear(12, 0, 34, 0);
            cairo_pattern_add_color_stop_rgb(l, 0, 0.16, 0.10, 0.12);
            cairo_pattern_add_color_stop_rgb(l, 0.35, 0.32, 0.26, 0.28);
            cairo_pattern_add_color_stop_rgb(l, 1, 0.14, 0.09, 0.11);
            cairo_set_source(cr, l);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(l);
        }
        Source(cr, pal::kInk, 0.8);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        // glass reflection
        RoundRect(cr, 15, 26, 4, 248, 2);
        Source(cr, Rgb{1, 1, 1}, 0.25);
        cairo_fill(cr);
        // caps with a lotus and a yin-yang
        Lotus(cr, 23, 15, 11, Hex(0xF0A0B0), Hex(0xFFE8EE));
        YinYang(cr, 23, 289, 7, 0, Hex(0xFAF4E6), Hex(0x2A1A20));
    });
    artkit::SavePng(c, "gfx/bonusgame/timebar.png");
}

void Arrow(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb c) {
    double a = std::atan2(y1 - y0, x1 - x0);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1 - 6 * std::cos(a), y1 - 6 * std::sin(a));
    Source(cr, c);
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x1 - 9 * std::cos(a - 0.5), y1 - 9 * std::sin(a - 0.5));
    cairo_line_to(cr, x1 - 9 * std::cos(a + 0.5), y1 - 9 * std::sin(a + 0.5));
    cairo_close_path(cr);
    cairo_fill(cr);
}

void TileAt(cairo_t* cr, double x, double y, double s, const std::function<void(cairo_t*)>& draw) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, s / 40, s / 40);
    draw(cr);
    cairo_restore(cr);
}

void Mouse(cairo_t* cr, double cx, double cy) {
    RoundRect(cr, cx - 11, cy - 16, 22, 32, 10);
    cairo_pattern_t* g = cairo_pattern_create_linear(cx - 11, 0, cx + 11, 0);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.98, 0.95, 0.88);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.72, 0.66, 0.58);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Source(cr, pal::kInk);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    cairo_move_to(cr, cx, cy - 16);
    cairo_line_to(cr, cx, cy - 4);
    cairo_move_to(cr, cx - 11, cy - 4);
    cairo_line_to(cr, cx + 11, cy - 4);
    cairo_stroke(cr);
}

void Tutorial() {
    Canvas c(460, 92);
    artkit::DrawStrip(c, 92, 92, 5, 5, [](cairo_t* cr, int page) {
        // a small parchment card for each page
        Texture paper(92, 92, [](int x, int y) { return ParchmentAt(x, y, 90); });
        RoundRect(cr, 2, 2, 88, 88, 10);
        paper.Use(cr);
        cairo_fill_preserve(cr);
        GoldStroke(cr, 0, 0, 92, 92, 2);
        cairo_new_path(cr);
        auto sym = [](int v) { return [v](cairo_t* c) { SymbolTile(c, v, 0); }; };
        switch (page) {
            case 0:  // move the row with the mouse
                TileAt(cr, 20, 12, 26, sym(0));
                TileAt(cr, 46, 12, 26, sym(2));
                Arrow(cr, 30, 50, 12, 50, pal::kMaroon);
                Arrow(cr, 62, 50, 80, 50, pal::kMaroon);
                Mouse(cr, 46, 66);
                break;
            case 1:  // rotate the row
                TileAt(cr, 10, 34, 24, sym(0));
                TileAt(cr, 34, 34, 24, sym(2));
                TileAt(cr, 58, 34, 24, sym(3));
                cairo_arc(cr, 46, 46, 30, M_PI * 1.15, M_PI * 1.85);
                Source(cr, pal::kMaroon);
                cairo_set_line_width(cr, 3);
                cairo_stroke(cr);
                Arrow(cr, 66, 22, 72, 28, pal::kMaroon);
                cairo_arc(cr, 46, 46, 30, M_PI * 0.15, M_PI * 0.85);
                cairo_stroke(cr);
                Arrow(cr, 26, 70, 20, 64, pal::kMaroon);
                break;
            case 2:  // fire upwards
                TileAt(cr, 33, 58, 26, sym(1));
                Arrow(cr, 46, 54, 46, 12, pal::kMaroon);
                for (int k = 0; k < 3; ++k) {
                    cairo_move_to(cr, 30 - k * 4, 40 + k * 8);
                    cairo_line_to(cr, 30 - k * 4, 48 + k * 8);
                    cairo_move_to(cr, 62 + k * 4, 40 + k * 8);
                    cairo_line_to(cr, 62 + k * 4, 48 + k * 8);
                }
                Source(cr, pal::kSaffron, 0.8);
                cairo_set_line_width(cr, 2);
                cairo_stroke(cr);
                break;
            case 3:  // three in a row
                for (int k = 0; k < 3; ++k) TileAt(cr, 7 + 26 * k, 33, 26, sym(3));
                cairo_move_to(cr, 10, 46);
                cairo_line_to(cr, 82, 46);
                Source(cr, Hex(0xFFF0B0), 0.85);
                cairo_set_line_width(cr, 3);
                cairo_stroke(cr);
                for (int k = 0; k < 3; ++k) {
                    Star(cr, 20 + 26 * k, 22, 4, 6, 1.5, 0);
                    Source(cr, pal::kGold);
                    cairo_fill(cr);
                }
                break;
            default:  // the floating yin-yang
                TileAt(cr, 23, 23, 46, sym(4));
                SoftGlow(cr, 46, 46, 24, Hex(0xFFF0C0), 0.7);
                YinYang(cr, 46, 46, 14, 0.5, Hex(0xFAF4E6), Hex(0x2A1A20));
                Arrow(cr, 76, 16, 62, 30, pal::kMaroon);
                break;
        }
    });
    artkit::SavePng(c, "gfx/bonusgame/tutorial.png");
}

void Bonus() {
    TileStrip();
    Board();
    Bings();
    StarPowerUp();
    TimeBar();
    Tutorial();
}

GFXGEN_REGISTER("bonusgame", Bonus);

}  // namespace
}  // namespace scenes
