// Tutorial pictures. The screenshots are composed from the very pictures the game draws
// (background, silhouette, tiles, side panel, board) at the game's positions, then shown
// at half size so that the acted pointer and tile of the tutorial pages land on them.
#include <cmath>
#include <string>

#include "puzzle_art.hpp"

namespace puzart {

using artkit::Hex;
using artkit::Mix;

namespace {

struct Piece {
    int element, variant;
    double x, y, rot;  // centre and rotation in figure coordinates
};

// The seven pieces of the classic square (side 172), then turned by 270 degrees.
std::vector<Piece> SquareFigure() {
    std::vector<Piece> p = {{0, 0, 86, 43, 180},    {0, 0, 43, 86, 90}, {1, 0, 150.5, 150.5, 135},
                            {2, 0, 150.5, 43, 270}, {3, 0, 129, 86, 0}, {2, 0, 86, 107.5, 0},
                            {4, 0, 65, 150.5, 0}};
    for (auto& q : p) {
        double x = q.x, y = q.y;
        q.x = y;
        q.y = 172 - x;
        q.rot = std::fmod(q.rot + 270, 360);
    }
    return p;  // the square piece (index 4) ends at (86, 43)
}

// A long boat-like figure with the square at its bow (square centre at (43.5, 43)).
std::vector<Piece> BoatFigure() {
    return {{3, 1, 43.5, 43, 0},    {2, 1, 86.5, 64.5, 0},    {0, 1, 129.5, 43, 180}, {0, 1, 215.5, 43, 0},
            {4, 1, 280.5, 21.5, 0}, {2, 1, 301.5, 64.5, 180}, {1, 1, 229.5, 116, 180}};
}

struct Tiles {
    std::unique_ptr<Canvas> pic[2][5];
    Tiles() {
        for (int v = 0; v < 2; ++v)
            for (int e = 0; e < 5; ++e) pic[v][e] = MakeTile(TileStyle::Marble, e, e == 4 ? v : 0);
    }
};

struct Scene {
    std::vector<Piece> figure;
    double ox, oy;             // figure offset on the screen
    std::vector<bool> placed;  // tiles already lying on their places
    int variant;
};

void Lettering(cairo_t* cr, const char* s, double x, double y, double size, bool centred) {
    cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s, &e);
    if (centred) x -= e.x_advance / 2;
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, s);
    cairo_set_line_width(cr, 3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetRgb(cr, Hex(0x2a0806), 0.8);
    cairo_stroke_preserve(cr);
    SetRgb(cr, Hex(0xfff6e0));
    cairo_fill(cr);
}

// The puzzle screen as the game draws it, in the game's order.
std::unique_ptr<Canvas> ComposeScreen(const Scene& s, Tiles& tiles) {
    auto screen = std::make_unique<Canvas>(640, 480);
    cairo_t* cr = screen->cr();
    auto bg = MakeBackground(0);
    Blit(cr, *bg, 0, 0);
    // silhouette, then the tiles already placed on it
    for (const Piece& p : s.figure)
        BlitMid(cr, *tiles.pic[s.variant][p.element], s.ox + p.x, s.oy + p.y, p.rot, 1.0, true);
    for (size_t i = 0; i < s.figure.size(); ++i)
        if (s.placed[i]) {
            const Piece& p = s.figure[i];
            BlitMid(cr, *tiles.pic[s.variant][p.element], s.ox + p.x, s.oy + p.y, p.rot, 1.0);
        }
    // tray: the tiles still to place rest at 0.8 of their size in their slots
    const double slotY[5] = {120, 205, 270, 410, 330};
    int count[5] = {0, 0, 0, 0, 0};
    for (size_t i = 0; i < s.figure.size(); ++i)
        if (!s.placed[i]) {
            int e = s.figure[i].element;
            if (e == 3) continue;  // the square is the tutorial's acted tile, drawn on its own
            BlitMid(cr, *tiles.pic[s.variant][e], 550 + 5 * count[e]++, slotY[e], 0, 0.8);
        }
    // side panel and frame
    Canvas clock(72, 72);
    DrawTimeFrame(clock.cr(), 18);
    Blit(cr, clock, 9, 84);
    auto border = MakeTimeBorder();
    Blit(cr, *border, 0, 48);
    auto yy = MakeYinYang();
    BlitMid(cr, *yy, 45, 120, -24, 1.0);
    auto level = MakeLevelDisplay();
    Blit(cr, *level, 0, 175);
    auto board = MakeBoard();
    Blit(cr, *board, 0, 0);
    Lettering(cr, "1", 42, 247, 34, true);
    Lettering(cr, "Tenzin", 26, 44, 30, false);
    cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 30);
    cairo_text_extents_t e;
    cairo_text_extents(cr, "001250", &e);
    Lettering(cr, "001250", 617 - e.x_advance, 44, 30, false);
    Canvas menu(107, 187);
    DrawScoreMenu(menu.cr(), false);
    Blit(cr, menu, 0, 290);
    Canvas lamp(57, 86);
    DrawLamp(lamp.cr(), 40);
    BlitMid(cr, lamp, 113, 104, 0, 0.9);
    return screen;
}

// Puts the screen at half size into a 585 x 214 picture whose top-left corner the tutorial
// draws at (35, 73); (ox, oy) is where the screen's origin lands in tutorial coordinates.
std::unique_ptr<Canvas> Screenshot(Canvas& screen, double ox, double oy) {
    auto pic = std::make_unique<Canvas>(585, 214);
    cairo_t* cr = pic->cr();
    double px = ox - 35, py = oy - 73;
    double x0 = std::max(0.0, px), y0 = std::max(0.0, py);
    double x1 = std::min(585.0, px + 320), y1 = std::min(214.0, py + 240);
    // soft shadow and gold frame around the visible part of the screen
    for (int i = 4; i >= 1; --i) {
        cairo_rectangle(cr, x0 + 1, y0 + 2, x1 - x0, y1 - y0);
        cairo_set_line_width(cr, i * 1.5);
        SetRgb(cr, Hex(0x1a0804), 0.08 * i);
        cairo_stroke(cr);
    }
    cairo_save(cr);
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    cairo_clip(cr);
    cairo_translate(cr, px, py);
    cairo_scale(cr, 0.5, 0.5);
    cairo_set_source_surface(cr, screen.surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_rectangle(cr, x0 + 1, y0 + 1, x1 - x0 - 2, y1 - y0 - 2);
    GoldStroke(cr, 2.0);
    return pic;
}

std::unique_ptr<Canvas> TutorialBackground() {
    auto c = std::make_unique<Canvas>(640, 480);
    cairo_t* cr = c->cr();
    auto paper = ParchmentTexture(640, 480, 1401);
    Blit(cr, *paper, 0, 0);
    // faint ink-wash mountains across the page
    Canvas wash(640, 480);
    ShadeRgba(wash, [](double x, double y) {
        double ridge = 260 - 110 * artkit::Fbm(x / 160.0, 0.5, 1402, 5);
        double a = y > ridge ? 0.16 * (1 - Smooth(ridge, ridge + 160, y)) : 0.0;
        double ridge2 = 330 - 70 * artkit::Fbm(x / 110.0, 3.5, 1403, 5);
        if (y > ridge2) a = std::max(a, 0.12 * (1 - Smooth(ridge2, ridge2 + 120, y)));
        return Rgba{0.45, 0.32, 0.22, a};
    });
    Blit(cr, wash, 0, 0);
    // a large lotus mandala on the right, where the screenshots leave room
    cairo_save(cr);
    cairo_translate(cr, 512, 178);
    for (int ring = 0; ring < 3; ++ring) {
        int n = 8 + ring * 4;
        double r = 26 + ring * 24;
        for (int i = 0; i < n; ++i) {
            cairo_save(cr);
            cairo_rotate(cr, (i + 0.5 * ring) * 2 * M_PI / n);
            cairo_new_path(cr);
            cairo_move_to(cr, 0, -r + 24);
            cairo_curve_to(cr, -12 - ring * 3, -r + 6, -6, -r - 16, 0, -r - 26);
            cairo_curve_to(cr, 6, -r - 16, 12 + ring * 3, -r + 6, 0, -r + 24);
            SetRgb(cr, Hex(0xb0342a), 0.10 - ring * 0.02);
            cairo_fill_preserve(cr);
            cairo_set_line_width(cr, 1.2);
            SetRgb(cr, Hex(0xa8741e), 0.35);
            cairo_stroke(cr);
            cairo_restore(cr);
        }
    }
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 22, 0, 2 * M_PI);
    SetRgb(cr, Hex(0xd8a040), 0.3);
    cairo_fill(cr);
    cairo_restore(cr);
    // header band for the title and a footer band behind the buttons
    auto lac = LacquerTexture(640, 480, 1404);
    cairo_rectangle(cr, 0, 0, 640, 60);
    cairo_rectangle(cr, 0, 404, 640, 76);
    FillWith(cr, *lac);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 60);
    AddStop(g, 0, Hex(0xffd8a0), 0.15);
    AddStop(g, 1, Hex(0x000000), 0.2);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, 0, 0, 640, 60);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 58);
    cairo_line_to(cr, 640, 58);
    cairo_move_to(cr, 0, 406);
    cairo_line_to(cr, 640, 406);
    GoldStroke(cr, 4);
    // prayer flags under the header
    const uint32_t cols[] = {0x4a78c0, 0xf4f0e8, 0xc84a3a, 0x5a9a5a, 0xe8c040};
    for (int k = 0; k < 16; ++k) {
        double x = 404 + k * 14, y = 62 + 8 * std::sin(k / 15.0 * M_PI);
        cairo_new_path(cr);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + 11, y + 1);
        cairo_line_to(cr, x + 12, y + 15);
        cairo_line_to(cr, x + 1, y + 14);
        cairo_close_path(cr);
        SetRgb(cr, Hex(cols[k % 5]), 0.8);
        cairo_fill(cr);
    }
    // a soft vignette
    cairo_pattern_t* v = cairo_pattern_create_radial(320, 240, 200, 320, 240, 480);
    AddStop(v, 0, Hex(0x3a1808), 0.0);
    AddStop(v, 1, Hex(0x3a1808), 0.3);
    cairo_set_source(cr, v);
    cairo_paint(cr);
    cairo_pattern_destroy(v);
    return c;
}

void ArrowPath(cairo_t* cr) {
    // points down and to the left; the tip is at (1, 54)
    cairo_new_path(cr);
    cairo_move_to(cr, 1, 54);
    cairo_line_to(cr, 7, 29);
    cairo_line_to(cr, 15, 37);
    cairo_line_to(cr, 50, 3);
    cairo_line_to(cr, 59, 12);
    cairo_line_to(cr, 24, 46);
    cairo_line_to(cr, 32, 54);
    cairo_close_path(cr);
}

}  // namespace

static void GenerateTutorial() {
    Tiles tiles;
    auto bg = TutorialBackground();
    artkit::SavePng(*bg, "gfx/tutorial/bg.png");

    // Page 1 to 3 and 5 act at half size: the tray's square slot (550, 410) lands on the
    // tutorial's (268, 240) and the silhouette's square on (142, 96).
    auto square = SquareFigure();
    Scene s1{square, 298 - 86, 122 - 43, std::vector<bool>(7, false), 0};
    auto scr1 = ComposeScreen(s1, tiles);
    auto shot1 = Screenshot(*scr1, -7, 35);
    artkit::SavePng(*shot1, "gfx/tutorial/screen1.png");

    Scene s6 = s1;
    s6.placed = {true, true, true, true, false, true, true};
    auto scr6 = ComposeScreen(s6, tiles);
    auto shot6 = Screenshot(*scr6, -7, 35);
    artkit::SavePng(*shot6, "gfx/tutorial/screen6.png");

    // Page 0: the arrow bobs around (293, 42) and points at the bow of a long figure;
    // page 4 flashes the square at (142, 96).
    auto boat = BoatFigure();
    Scene s0{boat, 150 - 43.5, 125 - 43, std::vector<bool>(7, false), 1};
    auto scr0 = ComposeScreen(s0, tiles);
    auto shot0 = Screenshot(*scr0, 67, 33.5);
    artkit::SavePng(*shot0, "gfx/tutorial/screen0.png");

    // the flash over the solved square figure, drawn at (71, 74): the figure lies at
    // (28, 0.5) .. (114, 86.5) in its coordinates
    {
        Canvas mask(142, 104);
        cairo_t* cr = mask.cr();
        for (const Piece& p : square)
            BlitMid(cr, *tiles.pic[0][p.element], 28 + p.x * 0.5, 0.5 + p.y * 0.5, p.rot, 0.5);
        Canvas flash(142, 104);
        cairo_t* fc = flash.cr();
        // a soft halo made of widened copies of the figure, then the figure itself bright
        for (int i = 12; i >= 1; --i) {
            for (int k = 0; k < 8; ++k) {
                double a = k * M_PI / 4;
                cairo_set_source_rgba(fc, 1.0, 0.96, 0.82, 0.035);
                cairo_mask_surface(fc, mask.surface(), std::cos(a) * i, std::sin(a) * i);
            }
        }
        cairo_set_source_rgba(fc, 1.0, 0.99, 0.94, 0.85);
        cairo_mask_surface(fc, mask.surface(), 0, 0);
        artkit::SavePng(flash, "gfx/tutorial/screen6_flash.png");
    }
    // the acted tile: the marble square at the screenshots' half size
    {
        Canvas t(44, 43);
        BlitMid(t.cr(), *tiles.pic[0][3], 22, 21.5, 0, 0.5);
        artkit::SavePng(t, "gfx/tutorial/screen1_tile.png");
    }
    // the acted pointer, tip at its top-left corner
    {
        Canvas p(10, 16);
        cairo_t* cr = p.cr();
        cairo_new_path(cr);
        cairo_move_to(cr, 0.8, 0.8);
        cairo_line_to(cr, 0.8, 12.5);
        cairo_line_to(cr, 3.6, 10);
        cairo_line_to(cr, 5.8, 15);
        cairo_line_to(cr, 7.8, 14);
        cairo_line_to(cr, 5.7, 9.2);
        cairo_line_to(cr, 9.2, 9);
        cairo_close_path(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 8, 14);
        AddStop(g, 0, Hex(0xfff2c0));
        AddStop(g, 1, Hex(0xc8901e));
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        cairo_set_line_width(cr, 1);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        SetRgb(cr, Hex(0x4a1008));
        cairo_stroke(cr);
        artkit::SavePng(p, "gfx/tutorial/screen1_pointer.png");
    }
    // click marker: three short rays beside the pointer's tip
    {
        Canvas c(14, 14);
        cairo_t* cr = c.cr();
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (double deg : {-70.0, -30.0, 10.0}) {
            double a = deg * M_PI / 180;
            cairo_new_path(cr);
            cairo_move_to(cr, 2 + std::cos(a) * 4, 9 + std::sin(a) * 4);
            cairo_line_to(cr, 2 + std::cos(a) * 9, 9 + std::sin(a) * 9);
            cairo_set_line_width(cr, 3);
            SetRgb(cr, Hex(0x4a1008), 0.8);
            cairo_stroke_preserve(cr);
            cairo_set_line_width(cr, 1.6);
            SetRgb(cr, Hex(0xfff0a0));
            cairo_stroke(cr);
        }
        artkit::SavePng(c, "gfx/tutorial/click.png");
    }
    // the arrow of page 0
    {
        Canvas c(62, 58);
        cairo_t* cr = c.cr();
        cairo_save(cr);
        cairo_translate(cr, 1.5, 2);
        ArrowPath(cr);
        SetRgb(cr, Hex(0x1a0804), 0.35);
        cairo_fill(cr);
        cairo_restore(cr);
        ArrowPath(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(55, 5, 5, 50);
        AddStop(g, 0, Hex(0xffd070));
        AddStop(g, 0.6, Hex(0xf09a28));
        AddStop(g, 1, Hex(0xc0501a));
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 1.6);
        SetRgb(cr, Hex(0x5a1408));
        cairo_stroke(cr);
        artkit::SavePng(c, "gfx/tutorial/arrow.png");
    }
    // keyboard keys A and S; frame 1 shows them pressed
    {
        Canvas c(188, 69);
        artkit::DrawStrip(c, 94, 69, 2, 2, [](cairo_t* cr, int f) {
            const char* keys[] = {"A", "S"};
            for (int k = 0; k < 2; ++k) {
                double x = 6 + k * 44, y = 14, d = f ? 3 : 0;
                RoundRect(cr, x + 1, y + 5, 38, 40, 7);
                SetRgb(cr, Hex(0x2a0c06), 0.45);
                cairo_fill(cr);
                RoundRect(cr, x, y + d, 38, 40 - d, 7);
                cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + 40);
                AddStop(g, 0, f ? Hex(0xe8d0a0) : Hex(0xfbf0d8));
                AddStop(g, 1, f ? Hex(0xb89866) : Hex(0xd8bf90));
                cairo_set_source(cr, g);
                cairo_fill_preserve(cr);
                cairo_pattern_destroy(g);
                cairo_set_line_width(cr, 1.5);
                SetRgb(cr, Hex(0x7a4a1a));
                cairo_stroke(cr);
                SetRgb(cr, Hex(0x5a1a10));
                Text(cr, keys[k], x + 19, y + d + 28, 20, true, true, "DejaVu Sans");
            }
        });
        artkit::SavePng(c, "gfx/tutorial/keyboard.png");
    }
}
GFXGEN_REGISTER("puzzle_tutorial", GenerateTutorial);

}  // namespace puzart
