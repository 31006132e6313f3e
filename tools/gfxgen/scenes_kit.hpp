// Drawing helpers shared by the scene, menu, dialog and effect pictures.
// They keep one look across the screens: warm temple palette, soft shading, noise textures.
#pragma once

#include <cairo.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "artkit.hpp"

namespace scenes {

using artkit::Canvas;
using artkit::Rgb;

// The house palette.
namespace pal {
inline const Rgb kSaffron{0.957, 0.627, 0.141};
inline const Rgb kMaroon{0.478, 0.122, 0.169};
inline const Rgb kDeepMaroon{0.290, 0.063, 0.094};
inline const Rgb kGold{0.831, 0.647, 0.216};
inline const Rgb kLightGold{0.988, 0.878, 0.533};
inline const Rgb kDarkGold{0.478, 0.333, 0.086};
inline const Rgb kJade{0.247, 0.639, 0.478};
inline const Rgb kDeepJade{0.110, 0.353, 0.271};
inline const Rgb kCream{0.961, 0.894, 0.741};
inline const Rgb kParchment{0.918, 0.820, 0.612};
inline const Rgb kInk{0.196, 0.098, 0.063};
inline const Rgb kSkyTop{0.392, 0.549, 0.784};
inline const Rgb kSkyWarm{0.996, 0.820, 0.573};
inline const Rgb kSnow{0.976, 0.965, 0.941};
inline const Rgb kMountain{0.439, 0.475, 0.612};
}  // namespace pal

struct Rgba {
    double r, g, b, a;
};

void Source(cairo_t* cr, Rgb c, double a = 1.0);
Rgb Lighter(Rgb c, double t);  // towards white
Rgb Darker(Rgb c, double t);   // towards black
double Clamp01(double v);
double Smooth(double e0, double e1, double x);

using artkit::RoundRect;
void Star(cairo_t* cr, double cx, double cy, int points, double rOut, double rIn, double rot);

// A texture: an image surface filled pixel by pixel, used as a Cairo source.
using TexFn = std::function<Rgba(int x, int y)>;
class Texture {
public:
    Texture(int w, int h, const TexFn& fn);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;
    cairo_surface_t* surface() const { return s_; }
    // Uses the texture as the source, its top-left placed at (x, y).
    void Use(cairo_t* cr, double x = 0, double y = 0) const;

private:
    cairo_surface_t* s_;
};

// Fills a whole canvas pixel by pixel (replaces what is there).
void PaintPixels(Canvas& c, const TexFn& fn);
// Multiplies every pixel of the canvas by a per-pixel factor for colour and keeps alpha.
void ShadePixels(Canvas& c, const std::function<double(int x, int y)>& factor);
// Blurs an image surface in place (three box passes ~ gaussian).
void Blur(cairo_surface_t* s, int radius);

// Ready-made textures.
Rgba ParchmentAt(int x, int y, uint32_t seed);
Rgba WoodAt(int x, int y, uint32_t seed, Rgb base);
Rgba StoneAt(int x, int y, uint32_t seed, Rgb base);
Rgba SilkAt(int x, int y, uint32_t seed, Rgb base);

// Ornaments.
void GoldStroke(cairo_t* cr, double x0, double y0, double x1, double y1, double width);
void GoldFrame(cairo_t* cr, double x, double y, double w, double h, double r, double width);
void YinYang(cairo_t* cr, double cx, double cy, double r, double rot, Rgb light, Rgb dark);
void Lotus(cairo_t* cr, double cx, double cy, double size, Rgb petal, Rgb tip);
void Cloud(cairo_t* cr, double cx, double cy, double w, double h, uint32_t seed, Rgb lit, Rgb shade, double alpha);
void SoftGlow(cairo_t* cr, double cx, double cy, double r, Rgb c, double a);
void PrayerFlags(cairo_t* cr, double x0, double y0, double x1, double y1, double sag, int count, double flagW,
                 double flagH, uint32_t seed);
// A mountain range silhouette with shading and snow, from base line y up to peaks around top.
void Mountains(Canvas& c, double baseY, double topY, double roughness, uint32_t seed, Rgb body, Rgb shade,
               double snowLine, double alpha);
// Endless knot style corner ornament, drawn in the current source.
void Knot(cairo_t* cr, double cx, double cy, double s);
// A parchment panel with maroon edge and gold trim, as used by every dialog.
void Panel(cairo_t* cr, double x, double y, double w, double h, double r, uint32_t seed);
// A sunken list area inside a panel.
void Well(cairo_t* cr, double x, double y, double w, double h, double r);
// A drop shadow for the path currently set on cr (kept).
void ShadowPath(Canvas& c, const std::function<void(cairo_t*)>& path, double dx, double dy, int blur, double alpha);

// Text with Cairo's toy API. align: 0 left, 0.5 centre, 1 right; y is the baseline.
void Text(cairo_t* cr, const std::string& s, double x, double y, double size, bool bold, bool serif, double align,
          Rgb fill, double alpha = 1.0);
// Gold engraved text with dark outline and soft shadow.
void FancyText(cairo_t* cr, const std::string& s, double x, double y, double size, double align, Rgb top, Rgb bottom,
               Rgb outline);

// Sky gradient with noise clouds, for full-screen backgrounds.
void SkyPixels(Canvas& c, int h0, int h1, Rgb top, Rgb horizon, uint32_t seed, double cloudAmount);

// A full landscape: sky with clouds and sun glow, two snowy ranges with mist between them.
// horizonY is where the far range stands; the picture is filled from top to bottom.
struct LandscapeStyle {
    Rgb skyTop, skyHorizon;
    double horizonY;
    double sunX, sunY;
    uint32_t seed;
    double clouds = 0.8;
};
void Landscape(Canvas& c, const LandscapeStyle& st);
// A Himalayan temple: whitewashed walls with rows of windows, maroon band, golden roof.
void Temple(cairo_t* cr, double cx, double baseY, double w, double h, uint32_t seed);
// Darkens the picture towards its edges.
void Vignette(Canvas& c, double strength);

}  // namespace scenes
