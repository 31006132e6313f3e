#include "scenes_kit.hpp"

#include <algorithm>
#include <cmath>

namespace scenes {

using artkit::Fbm;
using artkit::Mix;
using artkit::Rng;
using artkit::ValueNoise;

void Source(cairo_t* cr, Rgb c, double a) { cairo_set_source_rgba(cr, c.r, c.g, c.b, a); }
Rgb Lighter(Rgb c, double t) { return Mix(c, Rgb{1, 1, 1}, t); }
Rgb Darker(Rgb c, double t) { return Mix(c, Rgb{0, 0, 0}, t); }
double Clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
double Smooth(double e0, double e1, double x) {
    double t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

void Star(cairo_t* cr, double cx, double cy, int points, double rOut, double rIn, double rot) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        double a = rot - M_PI / 2 + i * M_PI / points;
        double r = (i % 2) ? rIn : rOut;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

static uint32_t Pack(const Rgba& p) {
    double a = Clamp01(p.a);
    auto ch = [a](double v) { return uint32_t(std::lround(Clamp01(v) * a * 255)); };
    return (uint32_t(std::lround(a * 255)) << 24) | (ch(p.r) << 16) | (ch(p.g) << 8) | ch(p.b);
}

Texture::Texture(int w, int h, const TexFn& fn) {
    s_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_surface_flush(s_);
    auto* px = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s_));
    int stride = cairo_image_surface_get_stride(s_) / 4;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) px[y * stride + x] = Pack(fn(x, y));
    cairo_surface_mark_dirty(s_);
}
Texture::~Texture() { cairo_surface_destroy(s_); }
void Texture::Use(cairo_t* cr, double x, double y) const { cairo_set_source_surface(cr, s_, x, y); }

void PaintPixels(Canvas& c, const TexFn& fn) {
    uint32_t* px = c.Pixels();
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) px[y * c.Stride() + x] = Pack(fn(x, y));
    c.MarkDirty();
}

void ShadePixels(Canvas& c, const std::function<double(int, int)>& factor) {
    uint32_t* px = c.Pixels();
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            uint32_t& p = px[y * c.Stride() + x];
            uint32_t a = p >> 24;
            double f = factor(x, y);
            auto ch = [&](int sh) {
                double v = ((p >> sh) & 255) * f;
                return uint32_t(std::clamp(std::lround(v), 0L, long(a)));
            };
            p = (a << 24) | (ch(16) << 16) | (ch(8) << 8) | ch(0);
        }
    c.MarkDirty();
}

void Blur(cairo_surface_t* s, int radius) {
    if (radius < 1) return;
    cairo_surface_flush(s);
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    int stride = cairo_image_surface_get_stride(s) / 4;
    auto* px = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s));
    std::vector<int> buf(size_t(std::max(w, h)) * 4);
    auto pass = [&](bool horiz) {
        int n = horiz ? w : h, lines = horiz ? h : w;
        for (int l = 0; l < lines; ++l) {
            auto at = [&](int i) -> uint32_t& { return horiz ? px[l * stride + i] : px[i * stride + l]; };
            for (int i = 0; i < n; ++i)
                for (int k = 0; k < 4; ++k) buf[i * 4 + k] = (at(i) >> (8 * k)) & 255;
            int sum[4] = {0, 0, 0, 0};
            int win = 2 * radius + 1;
            for (int i = -radius; i <= radius; ++i) {
                int j = std::clamp(i, 0, n - 1);
                for (int k = 0; k < 4; ++k) sum[k] += buf[j * 4 + k];
            }
            for (int i = 0; i < n; ++i) {
                uint32_t v = 0;
                for (int k = 0; k < 4; ++k) v |= uint32_t((sum[k] + win / 2) / win) << (8 * k);
                at(i) = v;
                int out = std::clamp(i - radius, 0, n - 1), in = std::clamp(i + radius + 1, 0, n - 1);
                for (int k = 0; k < 4; ++k) sum[k] += buf[in * 4 + k] - buf[out * 4 + k];
            }
        }
    };
    for (int r = 0; r < 3; ++r) {
        pass(true);
        pass(false);
    }
    cairo_surface_mark_dirty(s);
}

Rgba ParchmentAt(int x, int y, uint32_t seed) {
    double n = Fbm(x / 60.0, y / 60.0, seed, 5);
    double fibre = Fbm(x / 3.0, y / 40.0, seed + 7, 2);
    double spots = Smooth(0.62, 0.8, Fbm(x / 25.0, y / 25.0, seed + 13, 3));
    Rgb c = Mix(Rgb{0.965, 0.902, 0.757}, Rgb{0.839, 0.706, 0.478}, n * 0.9);
    c = Mix(c, Rgb{0.72, 0.56, 0.33}, spots * 0.2);
    double f = 0.96 + 0.08 * fibre;
    return {c.r * f, c.g * f, c.b * f, 1};
}

Rgba WoodAt(int x, int y, uint32_t seed, Rgb base) {
    double warp = Fbm(x / 80.0, y / 12.0, seed, 4) * 6.0;
    double rings = std::sin((y / 5.0 + warp) * 1.7) * 0.5 + 0.5;
    double grain = Fbm(x / 2.0, y / 30.0, seed + 3, 2);
    double t = 0.75 + 0.25 * rings * 0.6 + 0.15 * grain;
    return {base.r * t, base.g * t, base.b * t, 1};
}

Rgba StoneAt(int x, int y, uint32_t seed, Rgb base) {
    double n = Fbm(x / 30.0, y / 30.0, seed, 5);
    double fine = ValueNoise(x / 1.5, y / 1.5, seed + 9);
    double vein = 1 - std::abs(Fbm(x / 50.0, y / 50.0, seed + 5, 4) * 2 - 1);
    double t = 0.8 + 0.3 * n + 0.06 * fine - 0.12 * Smooth(0.85, 0.97, vein);
    return {base.r * t, base.g * t, base.b * t, 1};
}

Rgba SilkAt(int x, int y, uint32_t seed, Rgb base) {
    double n = Fbm(x / 40.0, y / 40.0, seed, 4);
    double weave = 0.97 + 0.03 * std::sin(x * 1.9) * std::sin(y * 1.9);
    double sheen = 0.85 + 0.3 * std::sin((x + y) / 40.0 + n * 3);
    double t = weave * sheen;
    return {base.r * t, base.g * t, base.b * t, 1};
}

void GoldStroke(cairo_t* cr, double x0, double y0, double x1, double y1, double width) {
    cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgb(g, 0.0, pal::kLightGold.r, pal::kLightGold.g, pal::kLightGold.b);
    cairo_pattern_add_color_stop_rgb(g, 0.45, pal::kGold.r, pal::kGold.g, pal::kGold.b);
    cairo_pattern_add_color_stop_rgb(g, 0.55, pal::kDarkGold.r, pal::kDarkGold.g, pal::kDarkGold.b);
    cairo_pattern_add_color_stop_rgb(g, 1.0, pal::kGold.r, pal::kGold.g, pal::kGold.b);
    cairo_set_source(cr, g);
    cairo_set_line_width(cr, width);
    cairo_stroke_preserve(cr);
    cairo_pattern_destroy(g);
}

void GoldFrame(cairo_t* cr, double x, double y, double w, double h, double r, double width) {
    cairo_save(cr);
    RoundRect(cr, x, y, w, h, r);
    Source(cr, pal::kInk, 0.7);
    cairo_set_line_width(cr, width + 2);
    cairo_stroke_preserve(cr);
    GoldStroke(cr, x, y, x + w * 0.3, y + h, width);
    cairo_new_path(cr);
    RoundRect(cr, x - width * 0.25, y - width * 0.25, w + width * 0.5, h + width * 0.5, r + width * 0.25);
    Source(cr, pal::kLightGold, 0.55);
    cairo_set_line_width(cr, std::max(0.8, width * 0.18));
    cairo_stroke(cr);
    cairo_restore(cr);
}

void YinYang(cairo_t* cr, double cx, double cy, double r, double rot, Rgb light, Rgb dark) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, rot);
    // dark half with light head
    cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
    Source(cr, light);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, r, M_PI / 2, 1.5 * M_PI);
    cairo_arc_negative(cr, 0, -r / 2, r / 2, 1.5 * M_PI, M_PI / 2);
    cairo_arc(cr, 0, r / 2, r / 2, 1.5 * M_PI, M_PI / 2);
    cairo_close_path(cr);
    Source(cr, dark);
    cairo_fill(cr);
    cairo_arc(cr, 0, -r / 2, r * 0.15, 0, 2 * M_PI);
    Source(cr, dark);
    cairo_fill(cr);
    cairo_arc(cr, 0, r / 2, r * 0.15, 0, 2 * M_PI);
    Source(cr, light);
    cairo_fill(cr);
    cairo_restore(cr);
    // rim and shading stay upright: the light comes from the top left
    cairo_save(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(g, 0.6, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, 0.25);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    GoldStroke(cr, cx - r, cy - r, cx + r, cy + r, std::max(1.0, r * 0.12));
    cairo_new_path(cr);
    cairo_restore(cr);
}

void Lotus(cairo_t* cr, double cx, double cy, double s, Rgb petal, Rgb tip) {
    cairo_save(cr);
    auto petalAt = [&](double ang, double len, double wid, double shade) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, ang);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, wid, -len * 0.3, wid * 0.8, -len * 0.8, 0, -len);
        cairo_curve_to(cr, -wid * 0.8, -len * 0.8, -wid, -len * 0.3, 0, 0);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, -len);
        Rgb a = Darker(petal, shade), b = tip;
        cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
        cairo_pattern_add_color_stop_rgb(g, 0.55, petal.r, petal.g, petal.b);
        cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        Source(cr, Darker(tip, 0.35), 0.5);
        cairo_set_line_width(cr, std::max(0.6, s * 0.02));
        cairo_stroke(cr);
        cairo_restore(cr);
    };
    double outer[] = {-1.35, 1.35, -0.95, 0.95};
    for (double a : outer) petalAt(a, s * 0.78, s * 0.32, 0.3);
    double mid[] = {-0.55, 0.55};
    for (double a : mid) petalAt(a, s * 0.92, s * 0.34, 0.2);
    petalAt(0, s, s * 0.36, 0.1);
    cairo_restore(cr);
}

void SoftGlow(cairo_t* cr, double cx, double cy, double r, Rgb c, double a) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, a);
    cairo_pattern_add_color_stop_rgba(g, 0.4, c.r, c.g, c.b, a * 0.45);
    cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void Cloud(cairo_t* cr, double cx, double cy, double w, double h, uint32_t seed, Rgb lit, Rgb shade, double alpha) {
    Rng rng(seed);
    int n = std::max(6, int(w / h * 5));
    for (int i = 0; i < n; ++i) {
        double t = (i + 0.5) / n;
        double bx = cx - w / 2 + w * t + rng.Uniform(-w * 0.05, w * 0.05);
        double hump = std::sin(t * M_PI);
        double r = h * (0.35 + 0.45 * hump) * rng.Uniform(0.8, 1.15);
        double by = cy + h * 0.3 - r * 0.7 + rng.Uniform(-h * 0.08, h * 0.08);
        cairo_pattern_t* g = cairo_pattern_create_radial(bx - r * 0.2, by - r * 0.35, r * 0.1, bx, by, r);
        cairo_pattern_add_color_stop_rgba(g, 0, lit.r, lit.g, lit.b, alpha);
        cairo_pattern_add_color_stop_rgba(g, 0.65, Mix(lit, shade, 0.5).r, Mix(lit, shade, 0.5).g,
                                          Mix(lit, shade, 0.5).b, alpha * 0.9);
        cairo_pattern_add_color_stop_rgba(g, 1, shade.r, shade.g, shade.b, 0);
        cairo_set_source(cr, g);
        cairo_arc(cr, bx, by, r, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
}

void PrayerFlags(cairo_t* cr, double x0, double y0, double x1, double y1, double sag, int count, double flagW,
                 double flagH, uint32_t seed) {
    static const Rgb colours[5] = {
        {0.22, 0.42, 0.78}, {0.96, 0.94, 0.88}, {0.80, 0.18, 0.16}, {0.20, 0.58, 0.32}, {0.96, 0.78, 0.20}};
    Rng rng(seed);
    auto at = [&](double t, double& x, double& y) {
        x = x0 + (x1 - x0) * t;
        y = y0 + (y1 - y0) * t + sag * 4 * t * (1 - t);
    };
    cairo_save(cr);
    cairo_set_line_width(cr, std::max(0.7, flagH * 0.05));
    Source(cr, Rgb{0.35, 0.27, 0.2}, 0.8);
    for (int i = 0; i <= 40; ++i) {
        double x, y;
        at(i / 40.0, x, y);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_stroke(cr);
    for (int i = 0; i < count; ++i) {
        double t = (i + 0.5) / count, x, y;
        at(t, x, y);
        double sway = rng.Uniform(-0.12, 0.12);
        Rgb c = colours[i % 5];
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, sway);
        cairo_move_to(cr, -flagW / 2, 0);
        cairo_line_to(cr, flagW / 2, 0);
        cairo_curve_to(cr, flagW / 2 + flagW * 0.08, flagH * 0.4, flagW / 2 - flagW * 0.08, flagH * 0.7, flagW / 2,
                       flagH);
        cairo_line_to(cr, -flagW / 2, flagH);
        cairo_curve_to(cr, -flagW / 2 + flagW * 0.06, flagH * 0.6, -flagW / 2 - flagW * 0.06, flagH * 0.3, -flagW / 2,
                       0);
        cairo_pattern_t* g = cairo_pattern_create_linear(-flagW / 2, 0, flagW / 2, flagH);
        Rgb l = Lighter(c, 0.2), d = Darker(c, 0.25);
        cairo_pattern_add_color_stop_rgba(g, 0, l.r, l.g, l.b, 0.95);
        cairo_pattern_add_color_stop_rgba(g, 1, d.r, d.g, d.b, 0.95);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        // tiny printed prayer lines
        Source(cr, Darker(c, 0.5), 0.35);
        cairo_set_line_width(cr, std::max(0.4, flagH * 0.04));
        for (int k = 1; k < 4; ++k) {
            cairo_move_to(cr, -flagW * 0.3, flagH * (0.2 + 0.2 * k));
            cairo_line_to(cr, flagW * 0.3, flagH * (0.2 + 0.2 * k));
        }
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    cairo_restore(cr);
}

// Points along a jagged line from (x0, y0) to (x1, y1) by midpoint displacement.
static void Jagged(std::vector<std::pair<double, double>>& out, double x0, double y0, double x1, double y1,
                   double rough, Rng& rng, int depth) {
    if (depth == 0) {
        out.emplace_back(x1, y1);
        return;
    }
    double len = std::hypot(x1 - x0, y1 - y0);
    double mx = (x0 + x1) / 2 + rng.Uniform(-1, 1) * len * rough * 0.15;
    double my = (y0 + y1) / 2 + rng.Uniform(-1, 1) * len * rough;
    Jagged(out, x0, y0, mx, my, rough, rng, depth - 1);
    Jagged(out, mx, my, x1, y1, rough, rng, depth - 1);
}

void Mountains(Canvas& c, double baseY, double topY, double roughness, uint32_t seed, Rgb body, Rgb shade,
               double snowLine, double alpha) {
    cairo_t* cr = c.cr();
    Rng rng(seed);
    double span = baseY - topY, w = c.width();
    cairo_push_group(cr);
    double x = -rng.Uniform(40, 140);
    while (x < w + 100) {
        double wl = span * rng.Uniform(0.55, 1.1), wr = span * rng.Uniform(0.55, 1.1);
        double px = x + wl, py = topY + span * rng.Uniform(0.0, 0.5);
        double r = 0.22 + roughness * 0.25;
        std::vector<std::pair<double, double>> left{{px - wl, baseY}}, right{{px, py}}, spur{{px, py}};
        Jagged(left, px - wl, baseY, px, py, r, rng, 5);
        Jagged(right, px, py, px + wr, baseY, r, rng, 5);
        double sx = px + wr * rng.Uniform(0.05, 0.35);
        Jagged(spur, px, py, sx, baseY, r * 0.8, rng, 5);
        auto outline = [&]() {
            cairo_move_to(cr, left[0].first, left[0].second);
            for (auto& p : left) cairo_line_to(cr, p.first, p.second);
            for (auto& p : right) cairo_line_to(cr, p.first, p.second);
            cairo_line_to(cr, px + wr, baseY + 2);
            cairo_line_to(cr, px - wl, baseY + 2);
            cairo_close_path(cr);
        };
        // lit face
        outline();
        cairo_pattern_t* g = cairo_pattern_create_linear(0, py, 0, baseY);
        Rgb lt = Lighter(body, 0.05);
        cairo_pattern_add_color_stop_rgba(g, 0, lt.r, lt.g, lt.b, 1);
        cairo_pattern_add_color_stop_rgba(g, 1, body.r, body.g, body.b, 1);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        // shaded face right of the spur
        auto shadeFace = [&]() {
            cairo_move_to(cr, px, py);
            for (auto& p : right) cairo_line_to(cr, p.first, p.second);
            cairo_line_to(cr, px + wr, baseY + 2);
            cairo_line_to(cr, sx, baseY + 2);
            for (size_t i = spur.size(); i-- > 0;) cairo_line_to(cr, spur[i].first, spur[i].second);
            cairo_close_path(cr);
        };
        shadeFace();
        Source(cr, shade);
        cairo_fill(cr);
        // snow cap above a ragged line
        if (snowLine > 0) {
            cairo_save(cr);
            outline();
            cairo_clip(cr);
            double sy = py + (baseY - py) * snowLine * 0.5;
            std::vector<std::pair<double, double>> cap{{px - wl, sy}};
            Jagged(cap, px - wl, sy + span * 0.08, px + wr, sy + span * 0.05, 0.12, rng, 6);
            cairo_move_to(cr, px - wl, topY - 10);
            for (auto& p : cap) cairo_line_to(cr, p.first, p.second);
            cairo_line_to(cr, px + wr, topY - 10);
            cairo_close_path(cr);
            Source(cr, pal::kSnow);
            cairo_fill(cr);
            shadeFace();
            Source(cr, Rgb{0.3, 0.35, 0.6}, 0.35);
            cairo_fill(cr);
            cairo_restore(cr);
        }
        x += (wl + wr) * rng.Uniform(0.35, 0.6);
    }
    // haze at the foot of the range
    cairo_pattern_t* m = cairo_pattern_create_linear(0, topY + span * 0.4, 0, baseY);
    Rgb hz = Mix(body, Rgb{1, 0.95, 0.9}, 0.6);
    cairo_pattern_add_color_stop_rgba(m, 0, hz.r, hz.g, hz.b, 0);
    cairo_pattern_add_color_stop_rgba(m, 1, hz.r, hz.g, hz.b, 0.7);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    cairo_rectangle(cr, 0, topY, w, span + 4);
    cairo_set_source(cr, m);
    cairo_fill(cr);
    cairo_pattern_destroy(m);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
}

void Knot(cairo_t* cr, double cx, double cy, double s) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_set_line_width(cr, s * 0.12);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int k = 0; k < 4; ++k) {
        cairo_save(cr);
        cairo_rotate(cr, k * M_PI / 2);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, s * 0.2, -s * 0.55, s * 0.55, -s * 0.2, 0, 0);
        cairo_restore(cr);
    }
    cairo_stroke(cr);
    cairo_arc(cr, 0, 0, s * 0.1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Panel(cairo_t* cr, double x, double y, double w, double h, double r, uint32_t seed) {
    cairo_save(cr);
    // maroon lacquer edge
    RoundRect(cr, x, y, w, h, r);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x, y + h);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.56, 0.16, 0.19);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.33, 0.08, 0.11);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    double b = std::max(6.0, std::min(w, h) * 0.045);
    // parchment inside
    Texture paper(int(w), int(h), [seed](int px, int py) { return ParchmentAt(px, py, seed); });
    RoundRect(cr, x + b, y + b, w - 2 * b, h - 2 * b, std::max(2.0, r - b * 0.6));
    paper.Use(cr, x, y);
    cairo_fill_preserve(cr);
    // darken the paper towards its edges
    cairo_pattern_t* v = cairo_pattern_create_radial(x + w / 2, y + h / 2, std::min(w, h) * 0.3, x + w / 2, y + h / 2,
                                                     std::max(w, h) * 0.62);
    cairo_pattern_add_color_stop_rgba(v, 0, 0.4, 0.25, 0.1, 0);
    cairo_pattern_add_color_stop_rgba(v, 1, 0.4, 0.22, 0.08, 0.35);
    cairo_set_source(cr, v);
    cairo_fill(cr);
    cairo_pattern_destroy(v);
    GoldFrame(cr, x + b * 0.5, y + b * 0.5, w - b, h - b, std::max(2.0, r - b * 0.3), std::max(1.5, b * 0.35));
    // corner knots
    Source(cr, pal::kGold, 0.9);
    double k = b * 1.8;
    Knot(cr, x + b + k * 0.6, y + b + k * 0.6, k);
    Knot(cr, x + w - b - k * 0.6, y + b + k * 0.6, k);
    Knot(cr, x + b + k * 0.6, y + h - b - k * 0.6, k);
    Knot(cr, x + w - b - k * 0.6, y + h - b - k * 0.6, k);
    cairo_restore(cr);
}

void Well(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_save(cr);
    RoundRect(cr, x, y, w, h, r);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x, y + h);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.30, 0.13, 0.08, 0.55);
    cairo_pattern_add_color_stop_rgba(g, 0.08, 0.36, 0.18, 0.10, 0.42);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.40, 0.22, 0.12, 0.38);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Source(cr, pal::kInk, 0.6);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    RoundRect(cr, x - 1.5, y - 1.5, w + 3, h + 3, r + 1.5);
    Source(cr, pal::kLightGold, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void ShadowPath(Canvas& c, const std::function<void(cairo_t*)>& path, double dx, double dy, int blur, double alpha) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, c.width(), c.height());
    cairo_t* t = cairo_create(s);
    cairo_translate(t, dx, dy);
    path(t);
    cairo_set_source_rgba(t, 0.08, 0.03, 0.02, alpha);
    cairo_fill(t);
    cairo_destroy(t);
    Blur(s, blur);
    cairo_save(c.cr());
    cairo_set_source_surface(c.cr(), s, 0, 0);
    cairo_paint(c.cr());
    cairo_restore(c.cr());
    cairo_surface_destroy(s);
}

void Text(cairo_t* cr, const std::string& s, double x, double y, double size, bool bold, bool serif, double align,
          Rgb fill, double alpha) {
    cairo_save(cr);
    cairo_select_font_face(cr, serif ? "DejaVu Serif" : "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.c_str(), &e);
    cairo_move_to(cr, x - (e.x_advance) * align, y);
    Source(cr, fill, alpha);
    cairo_show_text(cr, s.c_str());
    cairo_restore(cr);
}

void FancyText(cairo_t* cr, const std::string& s, double x, double y, double size, double align, Rgb top, Rgb bottom,
               Rgb outline) {
    cairo_save(cr);
    cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.c_str(), &e);
    double x0 = x - e.x_advance * align;
    cairo_move_to(cr, x0 + size * 0.05, y + size * 0.06);
    cairo_text_path(cr, s.c_str());
    Source(cr, pal::kInk, 0.45);
    cairo_fill(cr);
    cairo_move_to(cr, x0, y);
    cairo_text_path(cr, s.c_str());
    Source(cr, outline, 0.95);
    cairo_set_line_width(cr, std::max(1.0, size * 0.08));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y + e.y_bearing, 0, y + e.y_bearing + e.height);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

void SkyPixels(Canvas& c, int h0, int h1, Rgb top, Rgb horizon, uint32_t seed, double cloudAmount) {
    PaintPixels(c, [&](int x, int y) {
        double t = Clamp01(double(y - h0) / std::max(1, h1 - h0));
        Rgb col = Mix(top, horizon, t * t * (3 - 2 * t));
        double n = Fbm(x / 140.0, y / 45.0, seed, 5);
        double above = Fbm(x / 140.0, (y - 4) / 45.0, seed, 5);
        double cl = Smooth(0.52, 0.68, n) * cloudAmount * (0.5 + 0.5 * t);
        // clouds lit warm from the low sun, their bellies a little darker
        Rgb lit = Mix(Rgb{1, 0.93, 0.84}, horizon, 0.35 * t);
        Rgb belly = Mix(Mix(top, horizon, 0.5), Rgb{0.55, 0.45, 0.55}, 0.4);
        Rgb cc = Mix(lit, belly, Clamp01((n - above) * 12 + 0.3));
        col = Mix(col, cc, cl);
        return Rgba{col.r, col.g, col.b, 1};
    });
}

}  // namespace scenes

namespace scenes {

void Landscape(Canvas& c, const LandscapeStyle& st) {
    SkyPixels(c, 0, int(st.horizonY), st.skyTop, st.skyHorizon, st.seed, st.clouds);
    cairo_t* cr = c.cr();
    double w = c.width(), h = c.height();
    SoftGlow(cr, st.sunX, st.sunY, w * 0.45, Rgb{1.0, 0.86, 0.55}, 0.55);
    SoftGlow(cr, st.sunX, st.sunY, 40, Rgb{1.0, 0.98, 0.85}, 0.95);
    Rgb haze = Mix(st.skyHorizon, Rgb{0.55, 0.58, 0.75}, 0.5);
    Mountains(c, st.horizonY + 30, st.horizonY - h * 0.36, 0.55, st.seed + 1, Mix(haze, Rgb{0.50, 0.52, 0.70}, 0.75),
              Mix(haze, Rgb{0.32, 0.34, 0.52}, 0.75), 0.3, 0.9);
    // mist between the ranges
    cairo_pattern_t* g = cairo_pattern_create_linear(0, st.horizonY - 30, 0, st.horizonY + 50);
    cairo_pattern_add_color_stop_rgba(g, 0, st.skyHorizon.r, st.skyHorizon.g, st.skyHorizon.b, 0);
    cairo_pattern_add_color_stop_rgba(g, 1, st.skyHorizon.r, st.skyHorizon.g, st.skyHorizon.b, 0.85);
    cairo_rectangle(cr, 0, st.horizonY - 30, w, 80);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_rectangle(cr, 0, st.horizonY + 50, w, h);
    Source(cr, st.skyHorizon, 0.85);
    cairo_fill(cr);
    Mountains(c, st.horizonY + h * 0.2, st.horizonY - h * 0.12, 0.7, st.seed + 2, Rgb{0.40, 0.40, 0.50},
              Rgb{0.24, 0.24, 0.34}, 0.25, 1.0);
    cairo_pattern_t* m = cairo_pattern_create_linear(0, st.horizonY + h * 0.05, 0, st.horizonY + h * 0.3);
    cairo_pattern_add_color_stop_rgba(m, 0, 1, 0.92, 0.85, 0);
    cairo_pattern_add_color_stop_rgba(m, 1, 0.95, 0.85, 0.78, 0.55);
    cairo_rectangle(cr, 0, st.horizonY + h * 0.05, w, h);
    cairo_set_source(cr, m);
    cairo_fill(cr);
    cairo_pattern_destroy(m);
    for (int i = 0; i < 5; ++i)
        Cloud(cr, w * (0.1 + 0.22 * i), st.horizonY + h * 0.12 + (i % 2) * 14, w * 0.3, 30, st.seed + 40 + i,
              Rgb{1, 0.96, 0.9}, Rgb{0.85, 0.8, 0.85}, 0.45);
}

void Temple(cairo_t* cr, double cx, double baseY, double w, double h, uint32_t seed) {
    artkit::Rng rng(seed);
    cairo_save(cr);
    double wallTop = baseY - h * 0.62, top = w * 0.42;
    // whitewashed walls leaning inwards, lit from the left
    cairo_move_to(cr, cx - w / 2, baseY);
    cairo_line_to(cr, cx - top, wallTop);
    cairo_line_to(cr, cx + top, wallTop);
    cairo_line_to(cr, cx + w / 2, baseY);
    cairo_close_path(cr);
    {
        int tw = int(w) + 2, th = int(h) + 2;
        Texture wash(tw, th, [seed](int x, int y) {
            double n = Fbm(x / 40.0, y / 40.0, seed + 100, 4);
            double streak = Fbm(x / 3.0, y / 60.0, seed + 5, 2);  // rain streaks on the whitewash
            double f = 0.9 + 0.08 * n + 0.05 * streak;
            return Rgba{0.97 * f, 0.93 * f, 0.85 * f, 1};
        });
        wash.Use(cr, cx - w / 2, baseY - h);
        cairo_fill_preserve(cr);
    }
    cairo_pattern_t* g = cairo_pattern_create_linear(cx - w / 2, 0, cx + w / 2, 0);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.9, 0.7, 0.12);
    cairo_pattern_add_color_stop_rgba(g, 0.55, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.15, 0.1, 0.25, 0.3);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_pattern_t* foot = cairo_pattern_create_linear(0, wallTop, 0, baseY);
    cairo_pattern_add_color_stop_rgba(foot, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(foot, 1, 0.3, 0.2, 0.1, 0.25);
    cairo_set_source(cr, foot);
    cairo_fill(cr);
    cairo_pattern_destroy(foot);
    // rows of windows with dark trapezoid frames
    int rows = std::max(2, int(h * 0.62 / 34));
    for (int r = 0; r < rows; ++r) {
        double y = wallTop + 14 + r * (h * 0.62 - 24) / rows;
        double t = (y - wallTop) / (baseY - wallTop);
        double half = top + (w / 2 - top) * t - 12;
        int cols = std::max(2, int(half * 2 / 30));
        for (int k = 0; k < cols; ++k) {
            double x = cx - half + (k + 0.5) * half * 2 / cols;
            if (rng.Uniform(0, 1) < 0.15) continue;
            double ww = std::min(10.0, w * 0.035), wh = ww * 1.3;
            cairo_move_to(cr, x - ww * 0.75, y + wh);
            cairo_line_to(cr, x - ww / 2, y);
            cairo_line_to(cr, x + ww / 2, y);
            cairo_line_to(cr, x + ww * 0.75, y + wh);
            cairo_close_path(cr);
            Source(cr, Rgb{0.18, 0.1, 0.08});
            cairo_fill(cr);
            cairo_rectangle(cr, x - ww / 2 + 1.5, y + 2, ww - 3, wh - 3);
            Source(cr, Rgb{0.55, 0.16, 0.12});
            cairo_fill(cr);
            cairo_rectangle(cr, x - ww / 2 - 1, y - 2.5, ww + 2, 2);
            Source(cr, Rgb{0.55, 0.16, 0.12});
            cairo_fill(cr);
        }
    }
    // maroon band with gold mirrors
    double bandH = h * 0.08;
    cairo_rectangle(cr, cx - top - 3, wallTop - bandH, 2 * top + 6, bandH);
    cairo_pattern_t* b = cairo_pattern_create_linear(0, wallTop - bandH, 0, wallTop);
    cairo_pattern_add_color_stop_rgb(b, 0, 0.55, 0.14, 0.14);
    cairo_pattern_add_color_stop_rgb(b, 1, 0.36, 0.07, 0.09);
    cairo_set_source(cr, b);
    cairo_fill(cr);
    cairo_pattern_destroy(b);
    for (double x = cx - top + 10; x < cx + top - 5; x += 22) {
        cairo_arc(cr, x, wallTop - bandH / 2, std::min(4.0, bandH * 0.3), 0, 2 * M_PI);
        Source(cr, pal::kGold);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, cx - top - 5, wallTop - bandH - 3, 2 * top + 10, 3);
    Source(cr, Rgb{0.95, 0.9, 0.82});
    cairo_fill(cr);
    // golden roof pavilion with upturned eaves
    double rw = w * 0.34, ry = wallTop - bandH - 3, rh = h - h * 0.62 - bandH - 3;
    cairo_rectangle(cr, cx - rw * 0.36, ry - rh * 0.45, rw * 0.72, rh * 0.45);
    Source(cr, Rgb{0.6, 0.16, 0.15});
    cairo_fill(cr);
    for (int tier = 0; tier < 2; ++tier) {
        double yy = ry - rh * (0.35 + 0.4 * tier), half = rw * (0.6 - 0.18 * tier), th = rh * 0.22;
        cairo_move_to(cr, cx - half - th * 0.8, yy - th * 0.5);
        cairo_curve_to(cr, cx - half, yy, cx - half * 0.6, yy - th * 0.2, cx - half * 0.45, yy - th * 1.2);
        cairo_line_to(cr, cx + half * 0.45, yy - th * 1.2);
        cairo_curve_to(cr, cx + half * 0.6, yy - th * 0.2, cx + half, yy, cx + half + th * 0.8, yy - th * 0.5);
        cairo_line_to(cr, cx + half * 0.9, yy + th * 0.25);
        cairo_line_to(cr, cx - half * 0.9, yy + th * 0.25);
        cairo_close_path(cr);
        cairo_pattern_t* rg = cairo_pattern_create_linear(0, yy - th * 1.2, 0, yy + th * 0.25);
        cairo_pattern_add_color_stop_rgb(rg, 0, 1.0, 0.88, 0.45);
        cairo_pattern_add_color_stop_rgb(rg, 0.6, 0.85, 0.6, 0.15);
        cairo_pattern_add_color_stop_rgb(rg, 1, 0.5, 0.3, 0.05);
        cairo_set_source(cr, rg);
        cairo_fill(cr);
        cairo_pattern_destroy(rg);
    }
    // finial
    double fy = ry - rh * 0.75 - rh * 0.22 * 1.2;
    cairo_move_to(cr, cx - 4, fy);
    cairo_line_to(cr, cx, fy - rh * 0.3);
    cairo_line_to(cr, cx + 4, fy);
    cairo_close_path(cr);
    Source(cr, pal::kGold);
    cairo_fill(cr);
    cairo_arc(cr, cx, fy - rh * 0.05, 3.5, 0, 2 * M_PI);
    Source(cr, pal::kLightGold);
    cairo_fill(cr);
    // victory banners on the corners of the band
    for (int s = -1; s <= 1; s += 2) {
        double x = cx + s * (top - 4), y = wallTop - bandH - 3;
        cairo_rectangle(cr, x - 3, y - 14, 6, 14);
        Source(cr, Rgb{0.2, 0.14, 0.1});
        cairo_fill(cr);
        cairo_arc(cr, x, y - 16, 3, 0, 2 * M_PI);
        Source(cr, pal::kGold);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void Vignette(Canvas& c, double strength) {
    double cx = c.width() / 2.0, cy = c.height() / 2.0, r = std::hypot(cx, cy);
    ShadePixels(c, [&](int x, int y) {
        double d = std::hypot(x - cx, y - cy) / r;
        return 1 - strength * Smooth(0.55, 1.05, d);
    });
}

}  // namespace scenes
