// The desktop icon: the seven tangram tiles laid as a square on a night-blue tile, in the
// warm colours of the game's tile sets. Drawn once as a path, so the same drawing gives the
// hicolor PNGs and the scalable SVG.
#include <cairo-svg.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "artkit.hpp"

namespace {

using artkit::Hex;
using artkit::Rgb;

struct Piece {
    double pts[4][2];
    int n;
    uint32_t colour;
};

// The classic cut of a unit square: two large triangles, one medium, two small, a square and
// a parallelogram.
const Piece kPieces[] = {
    {{{0, 0}, {1, 0}, {0.5, 0.5}}, 3, 0xE0683C},
    {{{0, 0}, {0.5, 0.5}, {0, 1}}, 3, 0xF2B33D},
    {{{1, 1}, {1, 0.5}, {0.5, 1}}, 3, 0x5FB36B},
    {{{0.5, 0.5}, {0.75, 0.25}, {0.75, 0.75}}, 3, 0xE8D9B0},
    {{{0, 1}, {0.25, 0.75}, {0.5, 1}}, 3, 0x4FA3C7},
    {{{0.5, 0.5}, {0.75, 0.75}, {0.5, 1}, {0.25, 0.75}}, 4, 0xC9475B},
    {{{1, 0}, {1, 0.5}, {0.75, 0.75}, {0.75, 0.25}}, 4, 0x9B6BC2},
};

// Draws the icon into a size x size area at the origin.
void DrawIcon(cairo_t* cr, double size) {
    const double s = size / 256.0;
    // the tile: rounded, night blue, lighter towards the top
    artkit::RoundRect(cr, 8 * s, 8 * s, 240 * s, 240 * s, 44 * s);
    cairo_pattern_t* bg = cairo_pattern_create_linear(0, 8 * s, 0, 248 * s);
    Rgb top = Hex(0x2F4C7E), bottom = Hex(0x142340);
    cairo_pattern_add_color_stop_rgb(bg, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(bg, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, bg);
    cairo_fill(cr);
    cairo_pattern_destroy(bg);

    // the square of tiles, turned a quarter of a step so it reads as a puzzle, not a flag
    cairo_save(cr);
    cairo_translate(cr, 128 * s, 128 * s);
    cairo_rotate(cr, 3.14159265358979 / 8);
    const double side = 148 * s;
    cairo_translate(cr, -side / 2, -side / 2);
    const double gap = std::max(1.0, 5 * s);
    for (const Piece& p : kPieces) {
        cairo_move_to(cr, p.pts[0][0] * side, p.pts[0][1] * side);
        for (int i = 1; i < p.n; ++i) cairo_line_to(cr, p.pts[i][0] * side, p.pts[i][1] * side);
        cairo_close_path(cr);
        Rgb c = Hex(p.colour);
        cairo_set_source_rgb(cr, c.r, c.g, c.b);
        cairo_fill_preserve(cr);
        // the gaps between tiles are the tile's own background showing through
        cairo_set_line_width(cr, gap);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_source_rgb(cr, 0.13, 0.21, 0.36);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void Icons() {
    for (int size : {48, 128, 256}) {
        artkit::Canvas c(size, size);
        DrawIcon(c.cr(), size);
        std::string dir = std::to_string(size) + "x" + std::to_string(size);
        artkit::SavePng(c, "../dist/icons/hicolor/" + dir + "/apps/com.corvantis.Velmora.png");
    }
    std::string svg = artkit::OutputRoot() + "/../dist/icons/hicolor/scalable/apps/com.corvantis.Velmora.svg";
    cairo_surface_t* surf = cairo_svg_surface_create(svg.c_str(), 256, 256);
    cairo_svg_surface_restrict_to_version(surf, CAIRO_SVG_VERSION_1_1);
    cairo_t* cr = cairo_create(surf);
    DrawIcon(cr, 256);
    cairo_destroy(cr);
    cairo_surface_finish(surf);
    cairo_status_t status = cairo_surface_status(surf);
    cairo_surface_destroy(surf);
    if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot write " + svg);
    std::printf("wrote %s\n", svg.c_str());
}

GFXGEN_REGISTER("icons", Icons);

}  // namespace
