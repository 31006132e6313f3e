// Dialog box, push button, mouse pointer and slider pictures.
#include <cmath>

#include "puzzle_art.hpp"

namespace puzart {

using artkit::Hex;
using artkit::Mix;

namespace {

void CornerScroll(cairo_t* cr, double x, double y, double sx, double sy) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, sx, sy);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 30);
    cairo_curve_to(cr, 0, 12, 12, 0, 30, 0);
    cairo_move_to(cr, 8, 30);
    cairo_curve_to(cr, 8, 16, 16, 8, 30, 8);
    GoldStroke(cr, 2.2);
    cairo_new_path(cr);
    cairo_arc(cr, 14, 14, 5, 0, 2 * M_PI);
    GoldStroke(cr, 2.0);
    cairo_new_path(cr);
    cairo_arc(cr, 14, 14, 2.5, 0, 2 * M_PI);
    SetRgb(cr, Hex(0x2f8a6a));
    cairo_fill(cr);
    cairo_restore(cr);
}

void SmallLotus(cairo_t* cr, double x, double y, double s) {
    const double angles[] = {-60, -30, 0, 30, 60};
    for (double a : angles) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, s, s);
        cairo_rotate(cr, a * M_PI / 180.0);
        cairo_new_path(cr);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, -5, -4, -4, -11, 0, -15);
        cairo_curve_to(cr, 4, -11, 5, -4, 0, 0);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, -15, 0, 0);
        AddStop(g, 0, Hex(0xfff0b0));
        AddStop(g, 1, Hex(0xc08a2a));
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        cairo_restore(cr);
    }
}

void DrawButtonCell(cairo_t* cr, int state) {
    double off = state == 2 ? 2.0 : 0.0;
    double x = 5 + off, y = 5 + off, w = 104, h = 42;
    // drop shadow
    for (int i = 4; i >= 1; --i) {
        RoundRect(cr, x + (state == 2 ? 1.5 : 3.5), y + (state == 2 ? 2 : 4.5), w, h, 14);
        SetRgb(cr, Hex(0x1a0604), 0.07 * i);
        cairo_set_line_width(cr, i * 1.6);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
    }
    if (state == 1) {
        RoundRect(cr, x - 3, y - 3, w + 6, h + 6, 17);
        SetRgb(cr, Hex(0xffc860), 0.35);
        cairo_fill(cr);
    }
    static std::unique_ptr<Canvas> lac = LacquerTexture(122, 60, 1201);
    RoundRect(cr, x, y, w, h, 14);
    FillWith(cr, *lac, true);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    if (state == 0) {
        AddStop(g, 0, Hex(0xffd8a0), 0.22);
        AddStop(g, 0.5, Hex(0xffd8a0), 0.0);
        AddStop(g, 1, Hex(0x000000), 0.25);
    } else if (state == 1) {
        AddStop(g, 0, Hex(0xffcc66), 0.55);
        AddStop(g, 0.5, Hex(0xe08a2a), 0.35);
        AddStop(g, 1, Hex(0x8a3010), 0.2);
    } else {
        AddStop(g, 0, Hex(0x000000), 0.35);
        AddStop(g, 1, Hex(0xffb060), 0.12);
    }
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    GoldStroke(cr, state == 1 ? 3.4 : 3.0);
    RoundRect(cr, x + 5, y + 5, w - 10, h - 10, 10);
    cairo_set_line_width(cr, 1);
    SetRgb(cr, Hex(0xe8b850), state == 1 ? 0.7 : 0.45);
    cairo_stroke(cr);
    // small jade studs at both ends
    for (double sx : {x + 11.0, x + w - 11.0}) {
        cairo_new_path(cr);
        cairo_arc(cr, sx, y + h / 2, 2.6, 0, 2 * M_PI);
        SetRgb(cr, state == 1 ? Hex(0x7ee0b0) : Hex(0x3a9a78));
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1);
        SetRgb(cr, Hex(0xe8c060));
        cairo_stroke(cr);
    }
}

// Pointer outline with the tip at (8, 2): the game puts the hot spot there.
void PointerPath(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, 8, 2);
    cairo_line_to(cr, 8.5, 24);
    cairo_line_to(cr, 13.5, 19.5);
    cairo_line_to(cr, 17.5, 28.5);
    cairo_line_to(cr, 21.5, 26.5);
    cairo_line_to(cr, 17.5, 17.8);
    cairo_line_to(cr, 24.5, 17.5);
    cairo_close_path(cr);
}

void DrawPointerCell(cairo_t* cr, int frame) {
    int f = frame % 15;  // frame 15 is never shown; it repeats frame 0
    double ph = f / 15.0 * 2 * M_PI;
    double pulse = frame == 15 ? 0.0 : 0.5 - 0.5 * std::cos(ph);
    // soft shadow
    cairo_save(cr);
    cairo_translate(cr, 1.5, 2);
    PointerPath(cr);
    SetRgb(cr, Hex(0x1a0804), 0.35);
    cairo_set_line_width(cr, 2.5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_restore(cr);
    if (pulse > 0) {
        cairo_pattern_t* halo = cairo_pattern_create_radial(14, 15, 2, 14, 15, 14);
        AddStop(halo, 0, Hex(0xffe080), 0.45 * pulse);
        AddStop(halo, 1, Hex(0xffa030), 0.0);
        cairo_set_source(cr, halo);
        cairo_paint(cr);
        cairo_pattern_destroy(halo);
    }
    PointerPath(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(8, 2, 20, 26);
    AddStop(g, 0, Hex(0xfff2c0));
    AddStop(g, 0.45, Mix(Hex(0xe8b850), Hex(0xffd870), pulse));
    AddStop(g, 1, Hex(0xa06a1a));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1.4);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetRgb(cr, Hex(0x4a1008));
    cairo_stroke(cr);
    // jade gem
    cairo_new_path(cr);
    cairo_arc(cr, 12.3, 15.5, 2.3, 0, 2 * M_PI);
    SetRgb(cr, Mix(Hex(0x2a8a66), Hex(0x9af0c8), pulse));
    cairo_fill(cr);
    // a glint running down the arrow's edge while hovering
    if (frame != 15 && f > 0) {
        double t = f / 14.0;
        double gx = 8 + (24.5 - 8) * t * 0.9, gy = 2 + (17.5 - 2) * t * 0.9;
        cairo_save(cr);
        cairo_translate(cr, gx, gy);
        cairo_rotate(cr, ph);
        SetRgb(cr, Hex(0xffffff), 0.9 * std::sin(t * M_PI));
        for (int k = 0; k < 2; ++k) {
            cairo_new_path(cr);
            cairo_move_to(cr, -3.5, 0);
            cairo_line_to(cr, 0, -0.7);
            cairo_line_to(cr, 3.5, 0);
            cairo_line_to(cr, 0, 0.7);
            cairo_close_path(cr);
            cairo_fill(cr);
            cairo_rotate(cr, M_PI / 2);
        }
        cairo_restore(cr);
    }
}

}  // namespace

static void GenerateUi() {
    // dialog box
    {
        Canvas c(458, 280);
        cairo_t* cr = c.cr();
        auto lac = LacquerTexture(458, 280, 1301);
        // shadow
        for (int i = 5; i >= 1; --i) {
            RoundRect(cr, 6, 8, 448, 268, 22);
            cairo_set_line_width(cr, i * 2.0);
            SetRgb(cr, Hex(0x1a0604), 0.05 * i);
            cairo_stroke(cr);
        }
        RoundRect(cr, 4, 4, 446, 266, 20);
        FillWith(cr, *lac, true);
        cairo_pattern_t* g = cairo_pattern_create_radial(229, 120, 40, 229, 140, 300);
        AddStop(g, 0, Hex(0xffc890), 0.12);
        AddStop(g, 1, Hex(0x000000), 0.3);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        GoldStroke(cr, 4.5);
        RoundRect(cr, 14, 14, 426, 246, 13);
        cairo_set_line_width(cr, 1.2);
        SetRgb(cr, Hex(0xe0b050), 0.8);
        cairo_stroke(cr);
        // faint dharma-wheel watermark behind the text
        cairo_save(cr);
        cairo_translate(cr, 229, 120);
        SetRgb(cr, Hex(0xffd890), 0.035);
        cairo_set_line_width(cr, 8);
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, 70, 0, 2 * M_PI);
        cairo_stroke(cr);
        for (int i = 0; i < 8; ++i) {
            cairo_new_path(cr);
            cairo_move_to(cr, 0, 0);
            cairo_line_to(cr, 70 * std::cos(i * M_PI / 4), 70 * std::sin(i * M_PI / 4));
            cairo_set_line_width(cr, 6);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
        // divider under the title line and a lotus at its centre
        cairo_new_path(cr);
        cairo_move_to(cr, 60, 92);
        cairo_line_to(cr, 205, 92);
        cairo_move_to(cr, 253, 92);
        cairo_line_to(cr, 398, 92);
        GoldStroke(cr, 1.8);
        SmallLotus(cr, 229, 97, 0.8);
        CornerScroll(cr, 20, 20, 1, 1);
        CornerScroll(cr, 438, 20, -1, 1);
        CornerScroll(cr, 20, 254, 1, -1);
        CornerScroll(cr, 438, 254, -1, -1);
        artkit::SavePng(c, "gfx/yesno_requester.png");
    }
    {
        Canvas c(366, 60);
        artkit::DrawStrip(c, 122, 60, 3, 3, [](cairo_t* cr, int f) { DrawButtonCell(cr, f); });
        artkit::SavePng(c, "gfx/default_button.png");
    }
    {
        Canvas c(32 * 16, 32);
        artkit::DrawStrip(c, 32, 32, 16, 16, [](cairo_t* cr, int f) { DrawPointerCell(cr, f); });
        artkit::SavePng(c, "gfx/pointer.png");
    }
    {
        Canvas c(137, 24);
        cairo_t* cr = c.cr();
        RoundRect(cr, 3, 7, 131, 10, 5);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 7, 0, 17);
        AddStop(g, 0, Hex(0x1e0606));
        AddStop(g, 1, Hex(0x5a1c14));
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        GoldStroke(cr, 2.2);
        for (int i = 0; i <= 10; ++i) {
            double x = 11 + i * 11.8;
            cairo_new_path(cr);
            cairo_arc(cr, x, 21.5, i % 5 == 0 ? 1.4 : 0.9, 0, 2 * M_PI);
            SetRgb(cr, Hex(0xe0b050), 0.85);
            cairo_fill(cr);
        }
        // a saffron glow along the groove
        RoundRect(cr, 6, 10.5, 125, 3, 1.5);
        SetRgb(cr, Hex(0xf0a030), 0.45);
        cairo_fill(cr);
        artkit::SavePng(c, "gfx/slider.png");
    }
    {
        Canvas c(22, 23);
        cairo_t* cr = c.cr();
        cairo_new_path(cr);
        cairo_arc(cr, 11.5, 13, 9, 0, 2 * M_PI);
        SetRgb(cr, Hex(0x1a0604), 0.35);
        cairo_fill(cr);
        cairo_new_path(cr);
        cairo_arc(cr, 11, 11.5, 9, 0, 2 * M_PI);
        cairo_pattern_t* g = cairo_pattern_create_radial(8, 8, 1, 11, 11.5, 9);
        AddStop(g, 0, Hex(0xfff4c8));
        AddStop(g, 0.5, Hex(0xe0a83a));
        AddStop(g, 1, Hex(0x7a4a10));
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        cairo_set_line_width(cr, 1);
        SetRgb(cr, Hex(0x4a2008));
        cairo_stroke(cr);
        cairo_new_path(cr);
        cairo_arc(cr, 11, 11.5, 4, 0, 2 * M_PI);
        cairo_pattern_t* j = cairo_pattern_create_radial(10, 10, 0.5, 11, 11.5, 4);
        AddStop(j, 0, Hex(0xb0f0d0));
        AddStop(j, 1, Hex(0x1e6a50));
        cairo_set_source(cr, j);
        cairo_fill(cr);
        cairo_pattern_destroy(j);
        artkit::SavePng(c, "gfx/regler.png");
    }
}
GFXGEN_REGISTER("puzzle_ui", GenerateUi);

}  // namespace puzart
