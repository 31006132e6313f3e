// Small kit shared by the picture generators: Cairo canvases, strips, noise, file output.
// Everything here is deterministic: the same program gives byte-identical files.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace artkit {

struct Rgb {
    double r, g, b;  // 0..1
};
Rgb Hex(uint32_t rgb);  // 0xRRGGBB
Rgb Mix(Rgb a, Rgb b, double t);

// An ARGB32 Cairo surface with its context; released with the object.
class Canvas {
public:
    Canvas(int w, int h);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surf_; }
    int width() const { return w_; }
    int height() const { return h_; }
    // Raw premultiplied pixels (0xAARRGGBB), row by row, after flushing.
    uint32_t* Pixels();
    int Stride() const;  // in pixels
    void MarkDirty();

private:
    int w_, h_;
    cairo_surface_t* surf_;
    cairo_t* cr_;
};

// Deterministic pseudo-random numbers for textures (independent of the game's generator).
class Rng {
public:
    explicit Rng(uint32_t seed) : s_(seed ? seed : 1) {}
    uint32_t Next();
    double Uniform(double a, double b);  // [a, b)
private:
    uint32_t s_;
};

// Smooth value noise in 0..1, tileable over `period` cells when period > 0.
double ValueNoise(double x, double y, uint32_t seed, int period = 0);
// Fractal sum of value noise, octaves each at double frequency; result roughly 0..1.
double Fbm(double x, double y, uint32_t seed, int octaves, int period = 0);

// Opaque pixels of exactly (0, 0, 0) become (1, 1, 1): the game treats pure black as transparent.
void LiftPureBlack(Canvas& c);

// A rectangle with rounded corners as a closed sub-path; the radius shrinks to fit small boxes.
void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);

// Draws `count` frames of w x h into a strip with `columns` cells per row.
// draw(cr, frame) is called with the context translated to the cell and clipped to it.
void DrawStrip(Canvas& strip, int w, int h, int count, int columns, const std::function<void(cairo_t*, int)>& draw);

// Writes under the output root (set by main), creating folders; lifts pure black first.
void SavePng(Canvas& c, const std::string& relPath);
// Writes an opaque JPEG (quality 92) with no pure-black pixels after compression
// when avoidBlack is set (dark pixels are lifted and the result re-checked).
void SaveJpeg(Canvas& c, const std::string& relPath, bool avoidBlack = true);
const std::string& OutputRoot();
void SetOutputRoot(const std::string& root);

// Generators register themselves with a name; main runs all (or those named).
using Generator = std::function<void()>;
struct Registration {
    Registration(const char* name, Generator g);
};
#define GFXGEN_REGISTER(name, fn) static ::artkit::Registration gfxgen_reg_##fn(name, fn)
std::vector<std::pair<std::string, Generator>>& Registry();

}  // namespace artkit
