// The puzzle screen's frame and side panel: board, sand clock, yin-yang, level plate,
// options button and the hint lamp.
#include <cmath>

#include "puzzle_art.hpp"

namespace puzart {

using artkit::Hex;
using artkit::Mix;

namespace {

// A small gold lotus: petals fanned upwards around (x, y).
void Lotus(cairo_t* cr, double x, double y, double s, double alpha = 1.0) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, s, s);
    const double angles[] = {-70, -35, 0, 35, 70};
    for (int pass = 0; pass < 2; ++pass)
        for (double a : angles) {
            cairo_save(cr);
            cairo_rotate(cr, a * M_PI / 180.0);
            cairo_new_path(cr);
            cairo_move_to(cr, 0, 0);
            cairo_curve_to(cr, -5, -4, -4, -11, 0, -15);
            cairo_curve_to(cr, 4, -11, 5, -4, 0, 0);
            cairo_close_path(cr);
            if (pass == 0) {
                cairo_set_line_width(cr, 2.4);
                SetRgb(cr, Hex(0x3a1208), 0.6 * alpha);
                cairo_stroke(cr);
            } else {
                cairo_pattern_t* g = cairo_pattern_create_linear(0, -15, 0, 0);
                AddStop(g, 0, Hex(0xfff0b0), alpha);
                AddStop(g, 1, Hex(0xc08a2a), alpha);
                cairo_set_source(cr, g);
                cairo_fill(cr);
                cairo_pattern_destroy(g);
            }
            cairo_restore(cr);
        }
    cairo_restore(cr);
}

// A recessed dark panel with a gold hairline, for text drawn by the game.
void Recess(cairo_t* cr, double x, double y, double w, double h, double r) {
    RoundRect(cr, x, y, w, h, r);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    AddStop(g, 0, Hex(0x1e0606), 0.85);
    AddStop(g, 0.35, Hex(0x330b0b), 0.7);
    AddStop(g, 1, Hex(0x4a1410), 0.55);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1.2);
    SetRgb(cr, Hex(0xd9a94a), 0.9);
    cairo_stroke(cr);
    // inner shadow along the top edge
    RoundRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, r - 1);
    cairo_set_line_width(cr, 2);
    SetRgb(cr, Hex(0x000000), 0.25);
    cairo_stroke(cr);
}

void GoldLine(cairo_t* cr, double x0, double y0, double x1, double y1, double w) {
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    GoldStroke(cr, w);
}

// Rim light and soft shading over a lacquered plate to give it volume.
void PlateShade(cairo_t* cr, double w, double h) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
    AddStop(g, 0, Hex(0xffd8a0), 0.14);
    AddStop(g, 0.4, Hex(0xffd8a0), 0.0);
    AddStop(g, 1, Hex(0x000000), 0.22);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    (void)w;
}

void Dharmawheel(cairo_t* cr, double cx, double cy, double r, double rot, Rgb col, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, rot);
    SetRgb(cr, col, alpha);
    cairo_set_line_width(cr, r * 0.16);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, r * 0.78, 0, 2 * M_PI);
    cairo_stroke(cr);
    cairo_set_line_width(cr, r * 0.11);
    for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4;
        cairo_move_to(cr, std::cos(a) * r * 0.22, std::sin(a) * r * 0.22);
        cairo_line_to(cr, std::cos(a) * r * 0.75, std::sin(a) * r * 0.75);
        cairo_stroke(cr);
        cairo_arc(cr, std::cos(a) * r * 0.98, std::sin(a) * r * 0.98, r * 0.12, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    cairo_arc(cr, 0, 0, r * 0.24, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace

std::unique_ptr<Canvas> MakeBoard() {
    auto c = std::make_unique<Canvas>(640, 480);
    cairo_t* cr = c->cr();
    auto lac = LacquerTexture(640, 480, 501);
    // Opaque frame = screen minus the playfield and tray windows; everything is clipped to it.
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_rectangle(cr, 0, 0, 640, 480);
    cairo_rectangle(cr, 4, 66, 449, 394);
    cairo_rectangle(cr, 455, 66, 185, 394);
    cairo_clip(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_rectangle(cr, 0, 0, 640, 480);
    FillWith(cr, *lac);

    // top bar: shading, a row of gold studs, the name and score recesses and a lotus between them
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, 640, 66);
    cairo_clip(cr);
    PlateShade(cr, 640, 66);
    cairo_restore(cr);
    for (int x = 8; x < 640; x += 16) {
        cairo_new_path(cr);
        cairo_arc(cr, x, 3.5, 1.3, 0, 2 * M_PI);
        SetRgb(cr, Hex(0xe0b050), 0.8);
        cairo_fill(cr);
    }
    Recess(cr, 12, 8, 322, 48, 9);
    Recess(cr, 440, 8, 188, 48, 9);
    Lotus(cr, 387, 40, 1.25);
    GoldLine(cr, 346, 46, 372, 46, 2);
    GoldLine(cr, 402, 46, 428, 46, 2);
    cairo_new_path(cr);
    cairo_arc(cr, 387, 17, 3, 0, 2 * M_PI);
    SetRgb(cr, Hex(0xf0c860));
    cairo_fill(cr);
    // gold trim along the lower edge of the bar
    GoldLine(cr, 0, 62, 640, 62, 5);

    // bottom strip: trim and a frieze of small petals
    cairo_save(cr);
    cairo_rectangle(cr, 0, 460, 640, 20);
    cairo_clip(cr);
    PlateShade(cr, 640, 20);
    cairo_restore(cr);
    GoldLine(cr, 0, 462.5, 640, 462.5, 4);
    for (int x = 6; x < 640; x += 20) {
        cairo_new_path(cr);
        cairo_move_to(cr, x, 472);
        cairo_line_to(cr, x + 4, 468);
        cairo_line_to(cr, x + 8, 472);
        cairo_line_to(cr, x + 4, 476);
        cairo_close_path(cr);
        SetRgb(cr, Hex(0xd8a444), 0.75);
        cairo_fill(cr);
        cairo_new_path(cr);
        cairo_arc(cr, x + 14, 472, 1.2, 0, 2 * M_PI);
        SetRgb(cr, Hex(0xd8a444), 0.6);
        cairo_fill(cr);
    }
    // thin gold edges beside the windows
    GoldLine(cr, 2, 64, 2, 462, 2.5);
    GoldLine(cr, 454, 64, 454, 462, 2.2);
    return c;
}

std::unique_ptr<Canvas> MakeTimeBorder() {
    auto c = std::make_unique<Canvas>(90, 130);
    cairo_t* cr = c->cr();
    auto lac = LacquerTexture(90, 130, 611);
    const double cx = 45, cy = 72;
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 90, 0);
    cairo_line_to(cr, 90, 112);
    cairo_curve_to(cr, 90, 124, 84, 130, 74, 130);
    cairo_line_to(cr, 0, 130);
    cairo_close_path(cr);
    cairo_arc(cr, cx, cy, 34, 0, 2 * M_PI);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    FillWith(cr, *lac);
    PlateShade(cr, 90, 130);
    // carved rays around the bezel
    for (int i = 0; i < 24; ++i) {
        double a = i * M_PI / 12;
        cairo_new_path(cr);
        cairo_move_to(cr, cx + std::cos(a) * 40, cy + std::sin(a) * 40);
        cairo_line_to(cr, cx + std::cos(a) * 47, cy + std::sin(a) * 47);
        cairo_set_line_width(cr, 1.6);
        SetRgb(cr, Hex(0xe0b050), 0.55);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    // bezel around the glass ring
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 36.5, 0, 2 * M_PI);
    GoldStroke(cr, 5.5);
    // right edge trim continuing the side column
    cairo_new_path(cr);
    cairo_move_to(cr, 88.5, 18);
    cairo_line_to(cr, 88.5, 112);
    cairo_curve_to(cr, 88.5, 123, 83, 128.5, 74, 128.5);
    cairo_line_to(cr, 0, 128.5);
    GoldStroke(cr, 2.6);
    Lotus(cr, cx, 124, 0.55);
    return c;
}

void DrawTimeFrame(cairo_t* cr, int frame) {
    const double cx = 36, cy = 36, r0 = 20.5, r1 = 34.5;
    double left = 1.0 - frame / 71.0;
    // glass ring: dark jade interior
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r1, 0, 2 * M_PI);
    cairo_arc_negative(cr, cx, cy, r0, 2 * M_PI, 0);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
    AddStop(g, 0, Hex(0x0f2a28), 0.92);
    AddStop(g, 0.5, Hex(0x1d4640), 0.88);
    AddStop(g, 1, Hex(0x0c201e), 0.95);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // the sand: an arc from twelve o'clock, shrinking clockwise as time passes
    if (left > 0.0005) {
        double a0 = -M_PI / 2, a1 = -M_PI / 2 + 2 * M_PI * left;
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, r1 - 2.5, a0, a1);
        cairo_arc_negative(cr, cx, cy, r0 + 2.5, a1, a0);
        cairo_close_path(cr);
        cairo_pattern_t* s = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
        AddStop(s, 0, Hex(0xb8661c));
        AddStop(s, 0.45, Hex(0xf2b040));
        AddStop(s, 1, Hex(0xc47820));
        cairo_set_source(cr, s);
        cairo_fill(cr);
        cairo_pattern_destroy(s);
        // grains
        artkit::Rng rng(77);
        for (int i = 0; i < 140; ++i) {
            double a = rng.Uniform(0, 2 * M_PI), rr = rng.Uniform(r0 + 3, r1 - 3);
            double rel = std::fmod(a - a0 + 4 * M_PI, 2 * M_PI);
            bool bright = rng.Next() & 1;
            if (rel > 2 * M_PI * left) continue;
            cairo_new_path(cr);
            cairo_arc(cr, cx + std::cos(a) * rr, cy + std::sin(a) * rr, 0.6, 0, 2 * M_PI);
            SetRgb(cr, bright ? Hex(0xffe8a0) : Hex(0x8a4a10), 0.55);
            cairo_fill(cr);
        }
        // a glint at the running end
        double ex = cx + std::cos(a1) * (r0 + r1) / 2, ey = cy + std::sin(a1) * (r0 + r1) / 2;
        double pulse = 0.6 + 0.4 * std::sin(frame * 0.9);
        cairo_pattern_t* gl = cairo_pattern_create_radial(ex, ey, 0, ex, ey, 6);
        AddStop(gl, 0, Hex(0xfff6d0), 0.9 * pulse);
        AddStop(gl, 1, Hex(0xffd070), 0);
        cairo_set_source(cr, gl);
        cairo_new_path(cr);
        cairo_arc(cr, ex, ey, 6, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(gl);
    }
    // glass highlight and hub rim
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r1 - 3.5, M_PI * 1.05, M_PI * 1.45);
    cairo_set_line_width(cr, 2.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetRgb(cr, Hex(0xffffff), 0.45);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r0, 0, 2 * M_PI);
    GoldStroke(cr, 2.0);
}

std::unique_ptr<Canvas> MakeYinYang() {
    auto c = std::make_unique<Canvas>(40, 40);
    cairo_t* cr = c->cr();
    const double cx = 20, cy = 20, r = 17.5;
    Rgb dark = Hex(0x4a1014), light = Hex(0xf6e8c8);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SetRgb(cr, light);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, -M_PI / 2, M_PI / 2);
    cairo_arc_negative(cr, cx, cy + r / 2, r / 2, M_PI / 2, -M_PI / 2);
    cairo_arc(cr, cx, cy - r / 2, r / 2, M_PI / 2, 3 * M_PI / 2);
    cairo_close_path(cr);
    SetRgb(cr, dark);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy - r / 2, r / 7, 0, 2 * M_PI);
    SetRgb(cr, light);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy + r / 2, r / 7, 0, 2 * M_PI);
    SetRgb(cr, dark);
    cairo_fill(cr);
    // spherical shading
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - 6, cy - 7, 1, cx, cy, r);
    AddStop(g, 0, Hex(0xffffff), 0.35);
    AddStop(g, 0.5, Hex(0xffffff), 0.0);
    AddStop(g, 1, Hex(0x200000), 0.3);
    cairo_set_source(cr, g);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r + 0.3, 0, 2 * M_PI);
    GoldStroke(cr, 2.4);
    return c;
}

std::unique_ptr<Canvas> MakeLevelDisplay() {
    auto c = std::make_unique<Canvas>(85, 118);
    cairo_t* cr = c->cr();
    auto lac = LacquerTexture(85, 118, 733);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 78, 0);
    cairo_curve_to(cr, 84, 0, 85, 4, 85, 10);
    cairo_line_to(cr, 85, 118);
    cairo_line_to(cr, 0, 118);
    cairo_close_path(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    FillWith(cr, *lac);
    PlateShade(cr, 85, 118);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, 83.5, 8);
    cairo_line_to(cr, 83.5, 118);
    GoldStroke(cr, 2.6);
    // medallion for the level number (centred on the game's (42, 233), i.e. (42, 58) here)
    const double mx = 42, my = 58, mr = 33;
    cairo_new_path(cr);
    cairo_arc(cr, mx, my, mr, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(mx, my - 8, 4, mx, my, mr);
    AddStop(g, 0, Hex(0x5a1a16));
    AddStop(g, 0.7, Hex(0x3a0c0c));
    AddStop(g, 1, Hex(0x1c0505));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    GoldStroke(cr, 4.0);
    for (int i = 0; i < 16; ++i) {
        double a = i * M_PI / 8;
        cairo_new_path(cr);
        cairo_arc(cr, mx + std::cos(a) * (mr - 5.5), my + std::sin(a) * (mr - 5.5), 0.9, 0, 2 * M_PI);
        SetRgb(cr, Hex(0xd8a848), 0.7);
        cairo_fill(cr);
    }
    Lotus(cr, mx, 19, 0.45);
    Lotus(cr, mx, 110, 0.5);
    return c;
}

void DrawScoreMenu(cairo_t* cr, bool hovered) {
    static std::unique_ptr<Canvas> lac = LacquerTexture(107, 187, 877);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 85, 0);
    cairo_line_to(cr, 85, 176);
    cairo_curve_to(cr, 85, 183, 81, 187, 74, 187);
    cairo_line_to(cr, 0, 187);
    cairo_close_path(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    FillWith(cr, *lac);
    PlateShade(cr, 85, 187);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, 83.5, 0);
    cairo_line_to(cr, 83.5, 176);
    cairo_curve_to(cr, 83.5, 182, 80, 185.5, 74, 185.5);
    cairo_line_to(cr, 0, 185.5);
    GoldStroke(cr, 2.6);
    // hanging tassel on the right, outside the hot area
    cairo_new_path(cr);
    cairo_move_to(cr, 86, 20);
    cairo_curve_to(cr, 96, 24, 98, 34, 96, 44);
    cairo_set_line_width(cr, 1.5);
    SetRgb(cr, Hex(0xd8a040));
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, 96, 47, 3.2, 0, 2 * M_PI);
    SetRgb(cr, Hex(0xe8b850));
    cairo_fill(cr);
    for (int i = -2; i <= 2; ++i) {
        cairo_new_path(cr);
        cairo_move_to(cr, 96, 49);
        cairo_line_to(cr, 96 + i * 1.6, 66);
        cairo_set_line_width(cr, 1.1);
        SetRgb(cr, Hex(0xb02a20));
        cairo_stroke(cr);
    }
    // the button: a jade disc with a dharma wheel
    const double bx = 42, by = 78, br = 31;
    if (hovered) {
        cairo_pattern_t* halo = cairo_pattern_create_radial(bx, by, br - 4, bx, by, br + 10);
        AddStop(halo, 0, Hex(0xffd070), 0.7);
        AddStop(halo, 1, Hex(0xffb040), 0.0);
        cairo_set_source(cr, halo);
        cairo_new_path(cr);
        cairo_arc(cr, bx, by, br + 10, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(halo);
    }
    cairo_new_path(cr);
    cairo_arc(cr, bx, by, br, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(bx - 9, by - 11, 3, bx, by, br);
    AddStop(g, 0, hovered ? Hex(0x9ee0c0) : Hex(0x6cb898));
    AddStop(g, 0.6, hovered ? Hex(0x2f8a6a) : Hex(0x22705a));
    AddStop(g, 1, hovered ? Hex(0x145240) : Hex(0x0e3a2e));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    GoldStroke(cr, hovered ? 4.5 : 4.0);
    Dharmawheel(cr, bx + 1, by + 1.5, 20, hovered ? M_PI / 8 : 0, Hex(0x0a2a20), 0.5);
    Dharmawheel(cr, bx, by, 20, hovered ? M_PI / 8 : 0, hovered ? Hex(0xfff0b0) : Hex(0xf0c860), 1.0);
    SetRgb(cr, hovered ? Hex(0xfff4c8) : Hex(0xe8c070));
    Text(cr, "MENU", bx, by + br + 26, 14, true, true, "DejaVu Serif");
    Lotus(cr, bx, 176, 0.5);
}

void DrawLamp(cairo_t* cr, int frame, bool lit) {
    const double cx = 28.5;
    double b = 0.5 - 0.5 * std::cos(frame / 63.0 * M_PI);  // breath 0..1
    double flick = std::sin(frame * 0.45) * 0.6 + std::sin(frame * 1.3) * 0.3;
    if (lit) {
        double hr = 19 + 8 * b;
        cairo_pattern_t* halo = cairo_pattern_create_radial(cx, 34, 2, cx, 34, hr);
        AddStop(halo, 0, Hex(0xfff2b0), 0.55 + 0.3 * b);
        AddStop(halo, 0.45, Hex(0xffb040), 0.22 + 0.15 * b);
        AddStop(halo, 1, Hex(0xff8020), 0.0);
        cairo_set_source(cr, halo);
        cairo_new_path(cr);
        cairo_arc(cr, cx, 34, hr, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(halo);
        // flame: a teardrop over the wick
        double fh = 20 + 9 * b, fw = 6.5 + 1.8 * b, base = 52, tipx = cx + flick;
        auto flame = [&](double k) {
            cairo_new_path(cr);
            cairo_move_to(cr, tipx, base - fh * k);
            cairo_curve_to(cr, cx + fw * k * 0.4, base - fh * k * 0.55, cx + fw * k * 1.2, base - 6 * k, cx, base);
            cairo_curve_to(cr, cx - fw * k * 1.2, base - 6 * k, cx - fw * k * 0.4, base - fh * k * 0.55, tipx,
                           base - fh * k);
            cairo_close_path(cr);
        };
        flame(1.0);
        cairo_pattern_t* fg = cairo_pattern_create_linear(0, base - fh, 0, base);
        AddStop(fg, 0, Hex(0xff7a1a), 0.9);
        AddStop(fg, 0.5, Hex(0xffb030));
        AddStop(fg, 1, Hex(0xffe070));
        cairo_set_source(cr, fg);
        cairo_fill(cr);
        cairo_pattern_destroy(fg);
        flame(0.55);
        SetRgb(cr, Hex(0xfffbe8), 0.95);
        cairo_fill(cr);
    }
    // wick
    cairo_new_path(cr);
    cairo_move_to(cr, cx, 55);
    cairo_line_to(cr, cx, 51);
    cairo_set_line_width(cr, 1.6);
    SetRgb(cr, Hex(0x3a2010));
    cairo_stroke(cr);
    // gold butter-lamp cup on a stem and a round foot
    cairo_new_path(cr);
    cairo_move_to(cr, 10, 55);
    cairo_curve_to(cr, 11, 66, 20, 70, 25, 71);
    cairo_line_to(cr, 25.5, 76);
    cairo_curve_to(cr, 18, 78, 13, 80, 13, 83);
    cairo_line_to(cr, 44, 83);
    cairo_curve_to(cr, 44, 80, 39, 78, 31.5, 76);
    cairo_line_to(cr, 32, 71);
    cairo_curve_to(cr, 37, 70, 46, 66, 47, 55);
    cairo_close_path(cr);
    cairo_pattern_t* gg = cairo_pattern_create_linear(10, 0, 47, 0);
    AddStop(gg, 0, Hex(0x7a4a12));
    AddStop(gg, 0.3, Hex(0xf6d27a));
    AddStop(gg, 0.5, Hex(0xe0a83a));
    AddStop(gg, 1, Hex(0x6a3c0c));
    cairo_set_source(cr, gg);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gg);
    cairo_set_line_width(cr, 1.0);
    SetRgb(cr, Hex(0x4a2a08), 0.8);
    cairo_stroke(cr);
    // rim of the cup with melted butter
    cairo_save(cr);
    cairo_translate(cr, cx, 55);
    cairo_scale(cr, 18.5, 4);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    SetRgb(cr, Hex(0xf8e8b0));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.2);
    SetRgb(cr, Hex(0xb07a20));
    cairo_stroke(cr);
    if (lit) {
        cairo_save(cr);
        cairo_translate(cr, cx, 55);
        cairo_scale(cr, 10, 2.2);
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        SetRgb(cr, Hex(0xfff6c0), 0.5 + 0.4 * b);
        cairo_fill(cr);
    }
    // decorative band on the cup
    cairo_new_path(cr);
    cairo_move_to(cr, 12.5, 62);
    cairo_curve_to(cr, 20, 66, 37, 66, 44.5, 62);
    cairo_set_line_width(cr, 1.2);
    SetRgb(cr, Hex(0xfff0b0), 0.6);
    cairo_stroke(cr);
}

static void GenerateBoard() {
    auto board = MakeBoard();
    artkit::SavePng(*board, "gfx/board.png");
    auto tb = MakeTimeBorder();
    artkit::SavePng(*tb, "gfx/timeborder.png");
    Canvas anim(72 * 9, 72 * 8);
    artkit::DrawStrip(anim, 72, 72, 72, 9, [](cairo_t* cr, int f) { DrawTimeFrame(cr, f); });
    artkit::SavePng(anim, "gfx/timeanim.png");
    auto yy = MakeYinYang();
    artkit::SavePng(*yy, "gfx/yinyang.png");
    auto ld = MakeLevelDisplay();
    artkit::SavePng(*ld, "gfx/leveldisplay.png");
    Canvas sm(214, 187);
    artkit::DrawStrip(sm, 107, 187, 2, 2, [](cairo_t* cr, int f) { DrawScoreMenu(cr, f == 1); });
    artkit::SavePng(sm, "gfx/scoremenu.png");
    Canvas lamp(57 * 8, 86 * 8);
    artkit::DrawStrip(lamp, 57, 86, 64, 8, [](cairo_t* cr, int f) { DrawLamp(cr, f); });
    artkit::SavePng(lamp, "gfx/LampeAnim.png");
}
GFXGEN_REGISTER("puzzle_board", GenerateBoard);

}  // namespace puzart
