// Title screen pictures: the menu background, the title and its silhouette, fans, the dharma
// wheel ornament and the soft particle.
#include <cmath>

#include "scenes_kit.hpp"

namespace scenes {
namespace {

using artkit::Hex;
using artkit::Mix;

void MainMenu() {
    Canvas c(640, 480);
    cairo_t* cr = c.cr();
    LandscapeStyle st{Hex(0x3A62B0), Hex(0xFFC27A), 270, 320, 230, 1101, 0.6};
    Landscape(c, st);
    // temples on the far ledges, left and right, out of the way of the menu
    Temple(cr, 70, 330, 150, 120, 3);
    Temple(cr, 575, 320, 140, 110, 4);
    // stone terrace in front
    Texture stone(640, 120, [](int x, int y) { return StoneAt(x, y, 21, Hex(0xB89A7A)); });
    cairo_move_to(cr, 0, 380);
    cairo_curve_to(cr, 200, 368, 440, 368, 640, 380);
    cairo_line_to(cr, 640, 480);
    cairo_line_to(cr, 0, 480);
    cairo_close_path(cr);
    stone.Use(cr, 0, 360);
    cairo_fill_preserve(cr);
    cairo_pattern_t* sh = cairo_pattern_create_linear(0, 370, 0, 480);
    cairo_pattern_add_color_stop_rgba(sh, 0, 0.3, 0.15, 0.05, 0.0);
    cairo_pattern_add_color_stop_rgba(sh, 1, 0.25, 0.1, 0.05, 0.55);
    cairo_set_source(cr, sh);
    cairo_fill(cr);
    cairo_pattern_destroy(sh);
    for (int k = 0; k < 9; ++k) {  // slab joints
        double x = k * 80 + 20;
        cairo_move_to(cr, x, 376);
        cairo_line_to(cr, 320 + (x - 320) * 1.6, 480);
    }
    Source(cr, Hex(0x5A4030), 0.35);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // prayer flags across the top corners
    PrayerFlags(cr, -10, 150, 190, 110, 25, 9, 16, 20, 5);
    PrayerFlags(cr, 450, 110, 650, 150, 25, 9, 16, 20, 6);
    // the menu banner: dark silk so that the white entries stay readable
    auto banner = [](cairo_t* c2) { RoundRect(c2, 140, 158, 352, 240, 18); };
    ShadowPath(c, banner, 4, 6, 6, 0.6);
    Texture silk(640, 480, [](int x, int y) { return SilkAt(x, y, 17, Hex(0x5A1420)); });
    cairo_push_group(cr);
    silk.Use(cr);
    cairo_paint(cr);
    Lotus(cr, 316, 392, 70, Hex(0x7A2A36), Hex(0x9A4048));
    cairo_pop_group_to_source(cr);
    banner(cr);
    cairo_save(cr);
    cairo_clip(cr);
    cairo_paint_with_alpha(cr, 0.88);
    cairo_restore(cr);
    GoldFrame(cr, 146, 164, 340, 228, 14, 3);
    Source(cr, pal::kGold, 0.8);
    for (double x : {164.0, 468.0})
        for (double y : {182.0, 374.0}) Knot(cr, x, y, 14);
    // thin rule between the main entry and the others
    cairo_move_to(cr, 200, 252);
    cairo_line_to(cr, 432, 252);
    GoldStroke(cr, 200, 250, 432, 254, 1.2);
    cairo_new_path(cr);
    Vignette(c, 0.35);
    artkit::SavePng(c, "gfx/mainmenu.png");
}

// The title lettering; `mask` gives the dark silhouette the colour fades in over.
void TitleLetters(bool mask) {
    Canvas c(500, 130);
    cairo_t* cr = c.cr();
    const char* title = "Velmora";
    cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 100);
    cairo_text_extents_t e;
    cairo_text_extents(cr, title, &e);
    double size = 100 * 440 / e.width;
    cairo_set_font_size(cr, size);
    cairo_text_extents(cr, title, &e);
    double x = 250 - e.width / 2 - e.x_bearing, y = 65 - e.height / 2 - e.y_bearing;
    auto path = [&](cairo_t* c2) {
        cairo_select_font_face(c2, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(c2, size);
        cairo_move_to(c2, x, y);
        cairo_text_path(c2, title);
    };
    // swash under the word
    auto swash = [&](cairo_t* c2) {
        cairo_move_to(c2, 40, 112);
        cairo_curve_to(c2, 150, 100, 350, 126, 460, 110);
        cairo_curve_to(c2, 350, 120, 150, 106, 40, 112);
        cairo_close_path(c2);
    };
    if (mask) {
        ShadowPath(
            c,
            [&](cairo_t* c2) {
                path(c2);
                swash(c2);
            },
            0, 0, 3, 0.9);
        path(cr);
        swash(cr);
        Source(cr, Hex(0x1E0C0A), 0.95);
        cairo_set_line_width(cr, 7);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
        artkit::SavePng(c, "gfx/titlefont_mask.png");
        return;
    }
    path(cr);
    swash(cr);
    Source(cr, Hex(0x4A0E14));
    cairo_set_line_width(cr, 7);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y + e.y_bearing, 0, y + e.y_bearing + e.height);
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.97, 0.78);
    cairo_pattern_add_color_stop_rgb(g, 0.45, 0.98, 0.78, 0.28);
    cairo_pattern_add_color_stop_rgb(g, 0.55, 0.86, 0.52, 0.10);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.98, 0.72, 0.25);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // inner bevel: a light line offset up-left inside the letters
    cairo_save(cr);
    path(cr);
    cairo_clip(cr);
    cairo_translate(cr, 1.5, 2);
    path(cr);
    Source(cr, Hex(0x8A4A10), 0.55);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_restore(cr);
    // a red saffron glint on the V and a few sparkles
    for (auto [sx, sy, r] : {std::tuple{60.0, 30.0, 7.0}, {300.0, 26.0, 5.0}, {445.0, 58.0, 6.0}}) {
        Star(cr, sx, sy, 4, r, r * 0.2, 0);
        Source(cr, Hex(0xFFFBE8), 0.95);
        cairo_fill(cr);
    }
    artkit::SavePng(c, "gfx/titlefont.png");
}

void Fan() {
    Canvas c(200, 112);
    cairo_t* cr = c.cr();
    const double px = 100, py = 104, r = 96, ri = 26;
    const double a0 = M_PI * 1.08, a1 = M_PI * 1.92;
    const int folds = 14;
    // paper in alternating folds, deep maroon so that white writing stays clear on it
    for (int i = 0; i < folds; ++i) {
        double u0 = a0 + (a1 - a0) * i / folds, u1 = a0 + (a1 - a0) * (i + 1) / folds;
        cairo_move_to(cr, px + ri * std::cos(u0), py + ri * std::sin(u0));
        cairo_line_to(cr, px + r * std::cos(u0), py + r * std::sin(u0));
        cairo_arc(cr, px, py, r, u0, u1);
        cairo_line_to(cr, px + ri * std::cos(u1), py + ri * std::sin(u1));
        cairo_arc_negative(cr, px, py, ri, u1, u0);
        cairo_close_path(cr);
        Rgb base = (i % 2) ? Hex(0x6E1822) : Hex(0x84222C);
        cairo_pattern_t* g = cairo_pattern_create_radial(px, py, ri, px, py, r);
        cairo_pattern_add_color_stop_rgb(g, 0, Darker(base, 0.3).r, Darker(base, 0.3).g, Darker(base, 0.3).b);
        cairo_pattern_add_color_stop_rgb(g, 1, base.r, base.g, base.b);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    // painted cloud scrolls and a gold border on the rim
    cairo_arc(cr, px, py, r - 6, a0, a1);
    Source(cr, pal::kGold, 0.8);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_arc(cr, px, py, r - 1, a0, a1);
    GoldStroke(cr, 0, 0, 200, 100, 2.2);
    cairo_new_path(cr);
    for (int k = 0; k < 3; ++k) {
        double a = a0 + (a1 - a0) * (0.25 + 0.25 * k), rr = r * 0.62;
        double cx = px + rr * std::cos(a), cy = py + rr * std::sin(a);
        cairo_arc(cr, cx, cy, 7, M_PI, 2 * M_PI);
        cairo_arc(cr, cx + 9, cy, 5, M_PI, 2.2 * M_PI);
        Source(cr, Hex(0xD8A848), 0.45);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    // ribs and the pivot
    for (int i = 0; i <= folds; i += 2) {
        double u = a0 + (a1 - a0) * i / folds;
        cairo_move_to(cr, px, py);
        cairo_line_to(cr, px + ri * 1.05 * std::cos(u), py + ri * 1.05 * std::sin(u));
    }
    Source(cr, Hex(0x5A3418));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_arc(cr, px, py, 5, 0, 2 * M_PI);
    Source(cr, pal::kGold);
    cairo_fill(cr);
    // tassel
    cairo_move_to(cr, px, py + 4);
    cairo_line_to(cr, px + 6, py + 8);
    Source(cr, pal::kSaffron);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    artkit::SavePng(c, "gfx/fan.png");
}

void DharmaWheel(cairo_t* cr, double cx, double cy, double r, double rot) {
    // rim
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_arc_negative(cr, cx, cy, r * 0.8, 2 * M_PI, 0);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_pattern_t* g = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
    cairo_pattern_add_color_stop_rgb(g, 0, 1, 0.92, 0.6);
    cairo_pattern_add_color_stop_rgb(g, 0.5, 0.85, 0.6, 0.15);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.5, 0.3, 0.05);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    // eight spokes with knobs outside the rim, all turned
    for (int k = 0; k < 8; ++k) {
        double a = rot + k * M_PI / 4;
        double ca = std::cos(a), sa = std::sin(a);
        double nx = -sa, ny = ca;
        cairo_move_to(cr, cx + ca * r * 0.2 + nx * 2.5, cy + sa * r * 0.2 + ny * 2.5);
        cairo_line_to(cr, cx + ca * r * 0.82 + nx * 1.6, cy + sa * r * 0.82 + ny * 1.6);
        cairo_line_to(cr, cx + ca * r * 0.82 - nx * 1.6, cy + sa * r * 0.82 - ny * 1.6);
        cairo_line_to(cr, cx + ca * r * 0.2 - nx * 2.5, cy + sa * r * 0.2 - ny * 2.5);
        cairo_close_path(cr);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_arc(cr, cx + ca * r * 0.5, cy + sa * r * 0.5, r * 0.06, 0, 2 * M_PI);
        Source(cr, pal::kLightGold);
        cairo_fill(cr);
        double kx = cx + ca * r * 1.1, ky = cy + sa * r * 1.1;
        cairo_move_to(cr, cx + ca * r, cy + sa * r);
        cairo_line_to(cr, kx, ky);
        Source(cr, pal::kDarkGold);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        cairo_arc(cr, kx, ky, r * 0.08, 0, 2 * M_PI);
        cairo_set_source(cr, g);
        cairo_fill(cr);
    }
    cairo_pattern_destroy(g);
    // hub with a small yin-yang
    cairo_arc(cr, cx, cy, r * 0.24, 0, 2 * M_PI);
    Source(cr, pal::kGold);
    cairo_fill(cr);
    YinYang(cr, cx, cy, r * 0.17, rot, Hex(0xFBF2DA), Hex(0x7A1F2B));
    // a touch of shine on the rim
    cairo_arc(cr, cx, cy, r * 0.9, M_PI * 1.05, M_PI * 1.45);
    Source(cr, Rgb{1, 1, 0.9}, 0.6);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

void Dharma() {
    Canvas c(112 * 4, 97 * 4);
    artkit::DrawStrip(c, 112, 97, 16, 4, [](cairo_t* cr, int f) {
        // lotus pedestal, then the wheel standing on it
        Lotus(cr, 56, 94, 26, Hex(0xE87890), Hex(0xFFD0DA));
        SoftGlow(cr, 56, 42, 46, Hex(0xFFE0A0), 0.35);
        DharmaWheel(cr, 56, 42, 33, f * (M_PI / 4) / 16);
    });
    artkit::SavePng(c, "gfx/Dharma.png");
}

void Particle() {
    Canvas c(128, 128);
    PaintPixels(c, [](int x, int y) {
        double d = std::hypot(x - 63.5, y - 63.5) / 64;
        double a = std::exp(-d * d * 5.5) * (1 - Smooth(0.85, 1.0, d));
        return Rgba{1, 1, 1, a};
    });
    artkit::SavePng(c, "gfx/tex_rot.png");
}

void Menu() {
    MainMenu();
    TitleLetters(false);
    TitleLetters(true);
    Fan();
    Dharma();
    Particle();
}

GFXGEN_REGISTER("menu", Menu);

}  // namespace
}  // namespace scenes
