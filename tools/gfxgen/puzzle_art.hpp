// Shared drawing helpers and picture builders of the puzzle-screen art (tiles, board,
// side panel, backgrounds). The builders return canvases so that the tutorial screenshots
// can be composed from exactly the pictures the game draws.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "artkit.hpp"

namespace puzart {

using artkit::Canvas;
using artkit::Rgb;

struct Pt {
    double x, y;
};
using Poly = std::vector<Pt>;

struct Rgba {
    double r, g, b, a;  // straight alpha, 0..1
};

double Clamp01(double v);
double Smooth(double e0, double e1, double x);  // smoothstep
Rgb Scale(Rgb c, double k);
Rgb Add(Rgb c, double k);

// Per-pixel painting: f receives pixel centres.
void ShadeOpaque(Canvas& c, const std::function<Rgb(double, double)>& f);
void ShadeRgba(Canvas& c, const std::function<Rgba(double, double)>& f);

void SetRgb(cairo_t* cr, Rgb c, double a = 1.0);
void PathPoly(cairo_t* cr, const Poly& p);
using artkit::RoundRect;
void AddStop(cairo_pattern_t* p, double off, Rgb c, double a = 1.0);

// Distance of (x, y) inside a convex polygon to its outline (negative outside) and the
// outward normal of the nearest edge.
double InsideDistance(const Poly& poly, double x, double y, Pt* outward = nullptr);

// A copy of src holding only the inside of poly, with Cairo's one-pixel anti-aliased edge.
std::unique_ptr<Canvas> CutTo(Canvas& src, const Poly& poly);

// Toy-API lettering in a Debian font face.
void Text(cairo_t* cr, const char* s, double x, double y, double size, bool bold, bool centred,
          const char* face = "DejaVu Serif");

// Surfaces shared by frames and panels.
std::unique_ptr<Canvas> LacquerTexture(int w, int h, uint32_t seed);    // maroon lacquered wood
std::unique_ptr<Canvas> GoldTexture(int w, int h, uint32_t seed);       // brushed gold
std::unique_ptr<Canvas> ParchmentTexture(int w, int h, uint32_t seed);  // warm paper
// Fills the current path with a canvas used as a pattern (origin at 0, 0).
void FillWith(cairo_t* cr, Canvas& tex, bool preserve = false);
// A gold bevelled band along the current path (stroked twice for a rounded profile).
void GoldStroke(cairo_t* cr, double width);

// Tiles.
enum class TileStyle { Marble, Wood, Gold, Shadow };
void TileSize(int element, int& w, int& h);
Poly TileOutline(int element, int variant);
std::unique_ptr<Canvas> MakeTile(TileStyle style, int element, int variant);

// Puzzle screen.
std::unique_ptr<Canvas> MakeBoard();
std::unique_ptr<Canvas> MakeTimeBorder();
void DrawTimeFrame(cairo_t* cr, int frame);  // one 72 x 72 cell
std::unique_ptr<Canvas> MakeYinYang();
std::unique_ptr<Canvas> MakeLevelDisplay();
void DrawScoreMenu(cairo_t* cr, bool hovered);           // one 107 x 187 cell
void DrawLamp(cairo_t* cr, int frame, bool lit = true);  // one 57 x 86 cell
std::unique_ptr<Canvas> MakeBackground(int index);       // 0..5, opaque 640 x 480

// Draws a picture with its top-left corner at (x, y), optionally tinted black
// (the way the game draws silhouettes) and scaled/rotated about its centre.
void Blit(cairo_t* cr, Canvas& pic, double x, double y, double alpha = 1.0);
void BlitMid(cairo_t* cr, Canvas& pic, double cx, double cy, double rotDeg, double scale, bool black = false,
             double alpha = 1.0);

}  // namespace puzart
