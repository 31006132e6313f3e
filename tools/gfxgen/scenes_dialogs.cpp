// Level-set selection screen, player dialogs, level-set chooser and editor pictures.
// The fonts are white, so every place that carries text is dark lacquer or dark silk.
#include <cmath>

#include "scenes_kit.hpp"

namespace scenes {
namespace {

using artkit::Hex;
using artkit::Mix;

// Dark lacquered panel with a gold frame; the frame stays inside (x, y, w, h).
void DarkPanel(Canvas& c, double x, double y, double w, double h, double r, uint32_t seed, bool shadow) {
    cairo_t* cr = c.cr();
    if (shadow)
        ShadowPath(
            c, [&](cairo_t* c2) { RoundRect(c2, x + 2, y + 2, w - 4, h - 4, r); }, 3, 5, 5, 0.7);
    Texture silk(c.width(), c.height(), [seed](int px, int py) { return SilkAt(px, py, seed, Hex(0x5C1824)); });
    RoundRect(cr, x, y, w, h, r);
    silk.Use(cr);
    cairo_fill_preserve(cr);
    cairo_pattern_t* v = cairo_pattern_create_radial(x + w * 0.4, y + h * 0.3, std::min(w, h) * 0.1, x + w / 2,
                                                     y + h / 2, std::max(w, h) * 0.7);
    cairo_pattern_add_color_stop_rgba(v, 0, 1, 0.8, 0.5, 0.08);
    cairo_pattern_add_color_stop_rgba(v, 1, 0.1, 0.0, 0.02, 0.45);
    cairo_set_source(cr, v);
    cairo_fill(cr);
    cairo_pattern_destroy(v);
    GoldFrame(cr, x + 4, y + 4, w - 8, h - 8, std::max(2.0, r - 3), 3);
    RoundRect(cr, x + 10, y + 10, w - 20, h - 20, std::max(2.0, r - 8));
    Source(cr, pal::kGold, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Source(cr, pal::kGold, 0.85);
    for (double kx : {x + 22, x + w - 22})
        for (double ky : {y + 22, y + h - 22}) Knot(cr, kx, ky, 16);
}

// The dark inset for lists and fields.
void DarkWell(cairo_t* cr, double x, double y, double w, double h, double r) {
    RoundRect(cr, x, y, w, h, r);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.10, 0.035, 0.05);
    cairo_pattern_add_color_stop_rgb(g, 0.1, 0.17, 0.06, 0.08);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.21, 0.08, 0.10);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    RoundRect(cr, x - 1, y - 1, w + 2, h + 2, r + 1);
    GoldStroke(cr, x, y, x, y + h, 1.5);
    cairo_new_path(cr);
}

// Up or down arrow button face in a square; pressed looks sunken and brighter.
void ArrowButton(cairo_t* cr, double x, double y, double w, double h, bool up, int state) {
    RoundRect(cr, x + 1, y + 1, w - 2, h - 2, 4);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    Rgb a = state == 2 ? Hex(0x6A3010) : Hex(0xE0A848), b = state == 2 ? Hex(0xD89838) : Hex(0x7A4A14);
    if (state == 1) a = Hex(0xFFD870), b = Hex(0xA06418);
    cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Source(cr, Hex(0x3A1A08));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    double cx = x + w / 2, cy = y + h / 2, s = std::min(w, h) * 0.28;
    double d = up ? -1 : 1;
    cairo_move_to(cr, cx - s, cy - d * s * 0.5);
    cairo_line_to(cr, cx + s, cy - d * s * 0.5);
    cairo_line_to(cr, cx, cy + d * s * 0.7);
    cairo_close_path(cr);
    Source(cr, state == 0 ? Hex(0x4A1A10) : Hex(0x2A0808));
    cairo_fill(cr);
}

// A scroll thumb made to be clipped at any height: only horizontal detail.
void ThumbColumn(cairo_t* cr, double x, double y, double w, double h, bool hot) {
    cairo_rectangle(cr, x + 2, y, w - 4, h);
    cairo_pattern_t* g = cairo_pattern_create_linear(x + 2, 0, x + w - 2, 0);
    Rgb e = hot ? Hex(0xB07020) : Hex(0x805018), m = hot ? Hex(0xFFE090) : Hex(0xE0B050);
    cairo_pattern_add_color_stop_rgb(g, 0, e.r, e.g, e.b);
    cairo_pattern_add_color_stop_rgb(g, 0.4, m.r, m.g, m.b);
    cairo_pattern_add_color_stop_rgb(g, 1, e.r * 0.7, e.g * 0.7, e.b * 0.7);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_rectangle(cr, x + w / 2 - 1, y, 2, h);
    Source(cr, Hex(0x6A3A10), 0.5);
    cairo_fill(cr);
}

// Row highlight made to be clipped to any row: a horizontal glow, no vertical detail.
void RowGlow(cairo_t* cr, double x, double y, double w, double h, bool selected) {
    cairo_rectangle(cr, x, y, w, h);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, 0, x + w, 0);
    Rgb c = selected ? Hex(0xE89A30) : Hex(0xC06A40);
    double a = selected ? 0.75 : 0.42;
    cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, a);
    cairo_pattern_add_color_stop_rgba(g, 0.7, c.r, c.g, c.b, a * 0.7);
    cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, a * 0.15);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    if (selected) {
        cairo_rectangle(cr, x, y, 3, h);
        Source(cr, pal::kLightGold);
        cairo_fill(cr);
    }
}

void Track(cairo_t* cr, double x, double y, double w, double h) {
    RoundRect(cr, x + 3, y, w - 6, h, 3);
    Source(cr, Hex(0x1E0A0C), 0.9);
    cairo_fill(cr);
    cairo_move_to(cr, x + w / 2, y + 4);
    cairo_line_to(cr, x + w / 2, y + h - 4);
    Source(cr, pal::kGold, 0.3);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void LevelSelectorScreen() {
    Canvas c(640, 480);
    cairo_t* cr = c.cr();
    LandscapeStyle st{Hex(0x4C6CA8), Hex(0xF0C090), 250, 520, 190, 2202};
    Landscape(c, st);
    PrayerFlags(cr, -10, 20, 650, 24, 30, 22, 16, 20, 9);
    DarkPanel(c, 80, 48, 480, 400, 20, 44, true);
    // heading plates for "Levelset" and "Preview"
    for (auto [x, w] : {std::pair{100.0, 210.0}, std::pair{338.0, 176.0}}) {
        cairo_move_to(cr, x, 120);
        cairo_line_to(cr, x + w, 120);
        GoldStroke(cr, x, 119, x + w, 121, 1.2);
        cairo_new_path(cr);
    }
    DarkWell(cr, 113, 127, 195, 243, 5);
    Track(cr, 312, 149, 20, 200);
    ArrowButton(cr, 312, 129, 20, 20, true, 0);
    ArrowButton(cr, 312, 349, 20, 20, false, 0);
    // preview window: a small playfield
    DarkWell(cr, 343, 125, 166, 166, 6);
    cairo_push_group(cr);
    YinYang(cr, 426, 208, 60, 0.2, Hex(0x7A4A50), Hex(0x2A1018));
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.15);
    // lotus under the "Choose" button and a band for the progress line
    Lotus(cr, 410, 318, 34, Hex(0xC05060), Hex(0xF0A0B0));
    RoundRect(cr, 150, 384, 360, 36, 8);
    Source(cr, Hex(0x1E0A0C), 0.45);
    cairo_fill(cr);
    artkit::SavePng(c, "gfx/levelselector_screen.png");
}

void LevelSelectorList() {
    Canvas c(434, 240);
    artkit::DrawStrip(c, 217, 240, 2, 2, [](cairo_t* cr, int f) {
        RowGlow(cr, 0, 0, 191, 240, f == 1);
        ThumbColumn(cr, 197, 20, 20, 200, f == 1);
        ArrowButton(cr, 197, 0, 20, 20, true, f == 0 ? 1 : 2);
        ArrowButton(cr, 197, 220, 20, 20, false, f == 0 ? 1 : 2);
    });
    artkit::SavePng(c, "gfx/levelselector_scr_list.png");
}

void UsersRequester() {
    Canvas c(1290, 370);
    for (int f = 0; f < 3; ++f) {
        cairo_t* cr = c.cr();
        cairo_save(cr);
        cairo_rectangle(cr, f * 430, 0, 430, 370);
        cairo_clip(cr);
        cairo_translate(cr, f * 430, 0);
        {
            // the panel is drawn on a canvas of its own so the shadow stays inside the frame
            Canvas p(430, 370);
            DarkPanel(p, 4, 4, 420, 360, 22, 61, true);
            cairo_t* pc = p.cr();
            DarkWell(pc, 107, 82, 183, 244, 5);
            Track(pc, 292, 104, 20, 200);
            ArrowButton(pc, 292, 84, 20, 20, true, 0);
            ArrowButton(pc, 292, 304, 20, 20, false, 0);
            // lotus crest at the top
            Lotus(pc, 215, 62, 34, Hex(0xC05060), Hex(0xF0A0B0));
            cairo_move_to(pc, 120, 66);
            cairo_line_to(pc, 190, 66);
            cairo_move_to(pc, 240, 66);
            cairo_line_to(pc, 310, 66);
            GoldStroke(pc, 120, 65, 310, 67, 1.2);
            cairo_new_path(pc);
            cairo_surface_flush(p.surface());
            cairo_set_source_surface(cr, p.surface(), 0, 0);
            cairo_paint(cr);
        }
        if (f > 0) {
            RowGlow(cr, 109, 84, 179, 240, f == 2);
            ThumbColumn(cr, 292, 104, 20, 200, f == 2);
            ArrowButton(cr, 292, 84, 20, 20, true, f);
            ArrowButton(cr, 292, 304, 20, 20, false, f);
            // a warm glow behind the four buttons
            for (double by : {84.0, 121.0, 158.0, 317.0}) {
                RoundRect(cr, 314, by + 2, 92, 33, 10);
                Source(cr, f == 1 ? Hex(0xF0B040) : Hex(0xFFE090), f == 1 ? 0.35 : 0.55);
                cairo_fill(cr);
            }
        }
        cairo_restore(cr);
    }
    artkit::SavePng(c, "gfx/users_requester.png");
}

void Ziehbalken() {
    Canvas c(40, 1);
    cairo_rectangle(c.cr(), 2, 0, 16, 1);
    Source(c.cr(), Hex(0x7A4A14));
    cairo_fill(c.cr());
    cairo_rectangle(c.cr(), 22, 0, 16, 1);
    Source(c.cr(), Hex(0xFFE9A0));
    cairo_fill(c.cr());
    artkit::SavePng(c, "gfx/ziehbalken.png");
}

void NameField() {
    Canvas c(347, 31);
    DarkWell(c.cr(), 1.5, 1.5, 344, 28, 6);
    cairo_t* cr = c.cr();
    cairo_move_to(cr, 8, 26);
    cairo_line_to(cr, 339, 26);
    Source(cr, pal::kGold, 0.25);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    artkit::SavePng(c, "gfx/name_requester.png");
}

void LevelSetChooser() {
    Canvas c(1284, 315);
    for (int f = 0; f < 3; ++f) {
        cairo_t* cr = c.cr();
        cairo_save(cr);
        cairo_rectangle(cr, f * 428, 0, 428, 315);
        cairo_clip(cr);
        cairo_translate(cr, f * 428, 0);
        {
            Canvas p(428, 315);
            DarkPanel(p, 2, 2, 424, 311, 20, 71, false);
            cairo_t* pc = p.cr();
            DarkWell(pc, 16, 47, 222, 242, 5);
            Track(pc, 238, 70, 23, 197);
            ArrowButton(pc, 238, 47, 23, 22, true, 0);
            ArrowButton(pc, 238, 267, 23, 23, false, 0);
            Lotus(pc, 325, 180, 50, Hex(0xC05060), Hex(0xF0A0B0));
            cairo_surface_flush(p.surface());
            cairo_set_source_surface(cr, p.surface(), 0, 0);
            cairo_paint(cr);
        }
        if (f > 0) {
            RowGlow(cr, 18, 49, 218, 238, f == 2);
            ThumbColumn(cr, 238, 70, 23, 197, f == 2);
            ArrowButton(cr, 238, 47, 23, 22, true, f);
            ArrowButton(cr, 238, 267, 23, 23, false, f);
        }
        cairo_restore(cr);
    }
    artkit::SavePng(c, "gfx/levelselector_requester.png");
}

// --- editor ---

void IconGlyph(cairo_t* cr, int icon, Rgb ink) {
    Source(cr, ink);
    cairo_set_line_width(cr, 2.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    switch (icon) {
        case 0:  // clear: a broom sweeping
            cairo_move_to(cr, 33, 13);
            cairo_line_to(cr, 22, 28);
            cairo_stroke(cr);
            cairo_move_to(cr, 17, 25);
            cairo_line_to(cr, 27, 32);
            cairo_line_to(cr, 22, 38);
            cairo_line_to(cr, 12, 36);
            cairo_close_path(cr);
            cairo_fill(cr);
            for (int k = 0; k < 3; ++k) {
                cairo_arc(cr, 32 + k * 3, 36 - k * 2, 1.2, 0, 2 * M_PI);
                cairo_fill(cr);
            }
            break;
        case 1:  // move playfield: four arrows
            for (int k = 0; k < 4; ++k) {
                cairo_save(cr);
                cairo_translate(cr, 25, 25);
                cairo_rotate(cr, k * M_PI / 2);
                cairo_move_to(cr, 0, -3);
                cairo_line_to(cr, 0, -11);
                cairo_stroke(cr);
                cairo_move_to(cr, -5, -10);
                cairo_line_to(cr, 0, -16);
                cairo_line_to(cr, 5, -10);
                cairo_close_path(cr);
                cairo_fill(cr);
                cairo_restore(cr);
            }
            break;
        case 2:  // flip the parallelogram
            cairo_move_to(cr, 10, 22);
            cairo_line_to(cr, 16, 13);
            cairo_line_to(cr, 28, 13);
            cairo_line_to(cr, 22, 22);
            cairo_close_path(cr);
            cairo_fill(cr);
            cairo_move_to(cr, 22, 28);
            cairo_line_to(cr, 34, 28);
            cairo_line_to(cr, 40, 37);
            cairo_line_to(cr, 28, 37);
            cairo_close_path(cr);
            cairo_stroke(cr);
            cairo_arc(cr, 25, 25, 15, M_PI * 1.75, M_PI * 2.2);
            cairo_stroke(cr);
            break;
        case 3:  // play
            cairo_move_to(cr, 18, 13);
            cairo_line_to(cr, 37, 25);
            cairo_line_to(cr, 18, 37);
            cairo_close_path(cr);
            cairo_fill(cr);
            break;
        case 4:  // properties: a scroll with lines
            RoundRect(cr, 14, 11, 22, 28, 3);
            cairo_stroke(cr);
            cairo_set_line_width(cr, 2);
            for (int k = 0; k < 4; ++k) {
                cairo_move_to(cr, 18, 18 + k * 5.5);
                cairo_line_to(cr, k % 2 ? 28 : 32, 18 + k * 5.5);
            }
            cairo_stroke(cr);
            break;
        default:  // quit: a door with an arrow
            RoundRect(cr, 13, 12, 16, 26, 2);
            cairo_stroke(cr);
            cairo_move_to(cr, 24, 25);
            cairo_line_to(cr, 38, 25);
            cairo_stroke(cr);
            cairo_move_to(cr, 34, 20);
            cairo_line_to(cr, 40, 25);
            cairo_line_to(cr, 34, 30);
            cairo_stroke(cr);
            break;
    }
}

void Icons() {
    Canvas c(50 * 6, 50 * 3);
    artkit::DrawStrip(c, 50, 50, 18, 6, [](cairo_t* cr, int frame) {
        int icon = frame / 3, state = frame % 3;
        double dy = state == 2 ? 1.5 : 0;
        cairo_translate(cr, 0, dy);
        // round jade seal with a gold rim
        if (state == 1) SoftGlow(cr, 25, 25, 25, Hex(0xFFE0A0), 0.8);
        cairo_arc(cr, 25, 25, 20, 0, 2 * M_PI);
        cairo_pattern_t* g = cairo_pattern_create_radial(19, 17, 2, 25, 25, 21);
        Rgb base = icon == 5 ? Hex(0x9A2A34) : Hex(0x2E8A66);
        if (state == 1) base = Lighter(base, 0.2);
        if (state == 2) base = Darker(base, 0.25);
        Rgb hi = Lighter(base, 0.45), lo = Darker(base, 0.5);
        cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
        cairo_pattern_add_color_stop_rgb(g, 0.6, base.r, base.g, base.b);
        cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        cairo_arc(cr, 25, 25, 20, 0, 2 * M_PI);
        GoldStroke(cr, 5, 5, 45, 45, 2.4);
        cairo_new_path(cr);
        cairo_save(cr);
        cairo_translate(cr, 0.8, 1.2);
        IconGlyph(cr, icon, Rgb{0.1, 0.05, 0.03});
        cairo_restore(cr);
        cairo_push_group(cr);
        IconGlyph(cr, icon, Rgb{1, 1, 1});
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 0.25);
        IconGlyph(cr, icon, state == 1 ? Hex(0xFFFBE8) : Hex(0xF8E8C0));
    });
    artkit::SavePng(c, "gfx/editor/icons.png");
}

void Fahne() {
    Canvas c(128, 229);
    cairo_t* cr = c.cr();
    // silk banner hanging from a rod, with a fringe of flags at the bottom
    Texture silk(128, 229, [](int x, int y) { return SilkAt(x, y, 12, Hex(0x8A2030)); });
    cairo_move_to(cr, 14, 12);
    cairo_line_to(cr, 114, 12);
    cairo_curve_to(cr, 112, 80, 118, 150, 114, 200);
    cairo_line_to(cr, 64, 226);
    cairo_line_to(cr, 14, 200);
    cairo_curve_to(cr, 10, 150, 16, 80, 14, 12);
    cairo_close_path(cr);
    silk.Use(cr);
    cairo_fill_preserve(cr);
    cairo_pattern_t* fold = cairo_pattern_create_linear(14, 0, 114, 0);
    for (int k = 0; k <= 6; ++k) cairo_pattern_add_color_stop_rgba(fold, k / 6.0, 0, 0, 0, (k % 2) ? 0.0 : 0.22);
    cairo_set_source(cr, fold);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fold);
    GoldStroke(cr, 0, 0, 128, 229, 2.5);
    cairo_new_path(cr);
    // a gold inner border and a small yin-yang at the top
    cairo_move_to(cr, 22, 24);
    cairo_line_to(cr, 106, 24);
    cairo_move_to(cr, 22, 192);
    cairo_line_to(cr, 64, 214);
    cairo_line_to(cr, 106, 192);
    Source(cr, pal::kGold, 0.6);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    YinYang(cr, 64, 44, 12, 0, Hex(0xFBF2DA), Hex(0x3A1018));
    // rod
    RoundRect(cr, 2, 6, 124, 8, 4);
    cairo_pattern_t* rod = cairo_pattern_create_linear(0, 6, 0, 14);
    cairo_pattern_add_color_stop_rgb(rod, 0, 1, 0.9, 0.55);
    cairo_pattern_add_color_stop_rgb(rod, 1, 0.5, 0.32, 0.08);
    cairo_set_source(cr, rod);
    cairo_fill(cr);
    cairo_pattern_destroy(rod);
    for (double x : {4.0, 124.0}) {
        cairo_arc(cr, x, 10, 5, 0, 2 * M_PI);
        Source(cr, pal::kGold);
        cairo_fill(cr);
    }
    artkit::SavePng(c, "gfx/editor/fahne.png");
}

void EditorPanel() {
    Canvas c(640, 87);
    artkit::DrawStrip(c, 640, 29, 3, 1, [](cairo_t* cr, int f) {
        cairo_rectangle(cr, 0, 0, 640, 29);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 29);
        Rgb top = f == 1 ? Hex(0x9A3040) : Hex(0x7A2030), bot = f == 2 ? Hex(0x5A1420) : Hex(0x3A0C14);
        cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
        cairo_pattern_add_color_stop_rgb(g, 1, bot.r, bot.g, bot.b);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        cairo_move_to(cr, 0, 27.5);
        cairo_line_to(cr, 640, 27.5);
        GoldStroke(cr, 0, 26, 0, 29, 2);
        cairo_new_path(cr);
    });
    artkit::SavePng(c, "gfx/editor/panel.png");
}

void BalloonTail() {
    Canvas c(75, 26);
    cairo_t* cr = c.cr();
    // white like the balloon's box; it joins along the top edge
    cairo_move_to(cr, 10, 0);
    cairo_line_to(cr, 60, 0);
    cairo_curve_to(cr, 50, 8, 42, 16, 30, 26);
    cairo_curve_to(cr, 32, 16, 26, 8, 10, 0);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    artkit::SavePng(c, "gfx/balloons/ed001.png");
}

void Dialogs() {
    LevelSelectorScreen();
    LevelSelectorList();
    UsersRequester();
    Ziehbalken();
    NameField();
    LevelSetChooser();
    Icons();
    Fahne();
    EditorPanel();
    BalloonTail();
}

GFXGEN_REGISTER("dialogs", Dialogs);

}  // namespace
}  // namespace scenes
