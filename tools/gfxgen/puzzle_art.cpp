#include "puzzle_art.hpp"

#include <algorithm>
#include <cmath>

namespace puzart {

double Clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

double Smooth(double e0, double e1, double x) {
    double t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

Rgb Scale(Rgb c, double k) { return {c.r * k, c.g * k, c.b * k}; }
Rgb Add(Rgb c, double k) { return {c.r + k, c.g + k, c.b + k}; }

static uint32_t Pack(double r, double g, double b, double a) {
    a = Clamp01(a);
    auto q = [a](double v) { return uint32_t(std::lround(Clamp01(v) * a * 255.0)); };
    uint32_t A = uint32_t(std::lround(a * 255.0));
    uint32_t R = std::min(q(r), A), G = std::min(q(g), A), B = std::min(q(b), A);
    return (A << 24) | (R << 16) | (G << 8) | B;
}

void ShadeOpaque(Canvas& c, const std::function<Rgb(double, double)>& f) {
    uint32_t* px = c.Pixels();
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            Rgb v = f(x + 0.5, y + 0.5);
            px[y * c.Stride() + x] = Pack(v.r, v.g, v.b, 1.0);
        }
    c.MarkDirty();
}

void ShadeRgba(Canvas& c, const std::function<Rgba(double, double)>& f) {
    uint32_t* px = c.Pixels();
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            Rgba v = f(x + 0.5, y + 0.5);
            px[y * c.Stride() + x] = Pack(v.r, v.g, v.b, v.a);
        }
    c.MarkDirty();
}

void SetRgb(cairo_t* cr, Rgb c, double a) { cairo_set_source_rgba(cr, c.r, c.g, c.b, a); }

void PathPoly(cairo_t* cr, const Poly& p) {
    cairo_new_path(cr);
    for (size_t i = 0; i < p.size(); ++i)
        if (i == 0)
            cairo_move_to(cr, p[i].x, p[i].y);
        else
            cairo_line_to(cr, p[i].x, p[i].y);
    cairo_close_path(cr);
}

void AddStop(cairo_pattern_t* p, double off, Rgb c, double a) {
    cairo_pattern_add_color_stop_rgba(p, off, c.r, c.g, c.b, a);
}

double InsideDistance(const Poly& poly, double x, double y, Pt* outward) {
    double cx = 0, cy = 0;
    for (auto& p : poly) cx += p.x, cy += p.y;
    cx /= poly.size();
    cy /= poly.size();
    double best = 1e9;
    for (size_t i = 0; i < poly.size(); ++i) {
        Pt a = poly[i], b = poly[(i + 1) % poly.size()];
        double nx = -(b.y - a.y), ny = b.x - a.x, len = std::hypot(nx, ny);
        nx /= len;
        ny /= len;
        if (nx * (cx - a.x) + ny * (cy - a.y) < 0) nx = -nx, ny = -ny;  // point inward
        double d = nx * (x - a.x) + ny * (y - a.y);
        if (d < best) {
            best = d;
            if (outward) *outward = {-nx, -ny};
        }
    }
    return best;
}

std::unique_ptr<Canvas> CutTo(Canvas& src, const Poly& poly) {
    auto out = std::make_unique<Canvas>(src.width(), src.height());
    cairo_t* cr = out->cr();
    cairo_set_source_surface(cr, src.surface(), 0, 0);
    PathPoly(cr, poly);
    cairo_fill(cr);
    return out;
}

void Text(cairo_t* cr, const char* s, double x, double y, double size, bool bold, bool centred, const char* face) {
    cairo_select_font_face(cr, face, CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s, &e);
    if (centred) x -= e.x_advance / 2;
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, s);
    cairo_new_path(cr);
}

std::unique_ptr<Canvas> LacquerTexture(int w, int h, uint32_t seed) {
    auto c = std::make_unique<Canvas>(w, h);
    Rgb dark = artkit::Hex(0x4a1414), mid = artkit::Hex(0x7a2222), light = artkit::Hex(0x96352a);
    ShadeOpaque(*c, [&](double x, double y) {
        double warp = artkit::Fbm(x / 90.0, y / 22.0, seed, 4);
        double grain =
            0.5 + 0.5 * std::sin((y + warp * 30.0) * 0.55 + artkit::Fbm(x / 8.0, y / 2.0, seed + 7, 2) * 2.0);
        double cloud = artkit::Fbm(x / 60.0, y / 60.0, seed + 3, 4);
        Rgb col = artkit::Mix(dark, mid, Clamp01(cloud * 1.3 - 0.1));
        col = artkit::Mix(col, light, 0.18 * grain * grain);
        return col;
    });
    return c;
}

std::unique_ptr<Canvas> GoldTexture(int w, int h, uint32_t seed) {
    auto c = std::make_unique<Canvas>(w, h);
    Rgb deep = artkit::Hex(0x8a5a16), gold = artkit::Hex(0xd4a23c), pale = artkit::Hex(0xf6dc8c);
    ShadeOpaque(*c, [&](double x, double y) {
        double n = artkit::Fbm(x / 30.0, y / 30.0, seed, 3);
        double brush = artkit::Fbm(x / 1.5, y / 18.0, seed + 9, 2);
        double t = Clamp01(0.35 + 0.5 * n + 0.25 * (brush - 0.5));
        return t < 0.5 ? artkit::Mix(deep, gold, t * 2) : artkit::Mix(gold, pale, (t - 0.5) * 2);
    });
    return c;
}

std::unique_ptr<Canvas> ParchmentTexture(int w, int h, uint32_t seed) {
    auto c = std::make_unique<Canvas>(w, h);
    Rgb base = artkit::Hex(0xf0dfb8), warm = artkit::Hex(0xd9b886), spot = artkit::Hex(0xc49a62);
    ShadeOpaque(*c, [&](double x, double y) {
        double n = artkit::Fbm(x / 70.0, y / 70.0, seed, 5);
        double fib = artkit::Fbm(x / 3.0, y / 3.0, seed + 5, 2);
        Rgb col = artkit::Mix(base, warm, Clamp01(n * 1.2 - 0.25));
        col = artkit::Mix(col, spot, 0.15 * Smooth(0.62, 0.8, n));
        return Add(col, (fib - 0.5) * 0.05);
    });
    return c;
}

void FillWith(cairo_t* cr, Canvas& tex, bool preserve) {
    cairo_save(cr);
    cairo_pattern_t* p = cairo_pattern_create_for_surface(tex.surface());
    cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
    cairo_set_source(cr, p);
    if (preserve)
        cairo_fill_preserve(cr);
    else
        cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void GoldStroke(cairo_t* cr, double width) {
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, width + 1.2);
    SetRgb(cr, artkit::Hex(0x3a1a08), 0.85);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, width);
    SetRgb(cr, artkit::Hex(0xa8741e));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, width * 0.55);
    SetRgb(cr, artkit::Hex(0xe8c060));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, std::max(0.8, width * 0.18));
    SetRgb(cr, artkit::Hex(0xfff0b8), 0.9);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Blit(cairo_t* cr, Canvas& pic, double x, double y, double alpha) {
    cairo_save(cr);
    cairo_set_source_surface(cr, pic.surface(), x, y);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

void BlitMid(cairo_t* cr, Canvas& pic, double cx, double cy, double rotDeg, double scale, bool black, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, rotDeg * M_PI / 180.0);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, -pic.width() / 2.0, -pic.height() / 2.0);
    if (black) {
        cairo_set_source_rgba(cr, 0, 0, 0, alpha);
        cairo_mask_surface(cr, pic.surface(), 0, 0);
    } else {
        cairo_set_source_surface(cr, pic.surface(), 0, 0);
        cairo_paint_with_alpha(cr, alpha);
    }
    cairo_restore(cr);
}

}  // namespace puzart
