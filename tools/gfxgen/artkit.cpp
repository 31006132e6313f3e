#include "artkit.hpp"

#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace artkit {

Rgb Hex(uint32_t rgb) { return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0}; }

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

Canvas::Canvas(int w, int h) : w_(w), h_(h) {
    surf_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cr_ = cairo_create(surf_);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surf_);
}

uint32_t* Canvas::Pixels() {
    cairo_surface_flush(surf_);
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surf_));
}

int Canvas::Stride() const { return cairo_image_surface_get_stride(surf_) / 4; }

void Canvas::MarkDirty() { cairo_surface_mark_dirty(surf_); }

uint32_t Rng::Next() {
    // xorshift32
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return s_;
}

double Rng::Uniform(double a, double b) { return a + (b - a) * (Next() / 4294967296.0); }

static double Lattice(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / double(0xffffff);
}

double ValueNoise(double x, double y, uint32_t seed, int period) {
    int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    double fx = x - x0, fy = y - y0;
    auto wrap = [period](int v) { return period > 0 ? ((v % period) + period) % period : v; };
    double a = Lattice(wrap(x0), wrap(y0), seed), b = Lattice(wrap(x0 + 1), wrap(y0), seed);
    double c = Lattice(wrap(x0), wrap(y0 + 1), seed), d = Lattice(wrap(x0 + 1), wrap(y0 + 1), seed);
    double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

double Fbm(double x, double y, uint32_t seed, int octaves, int period) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * ValueNoise(x, y, seed + uint32_t(i) * 101u, period);
        norm += amp;
        x *= 2;
        y *= 2;
        if (period > 0) period *= 2;
        amp *= 0.5;
    }
    return sum / norm;
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void LiftPureBlack(Canvas& c) {
    uint32_t* px = c.Pixels();
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            uint32_t& p = px[y * c.Stride() + x];
            uint32_t a = p >> 24;
            // Un-premultiplied value would round to zero when the premultiplied one is zero.
            if (a > 0 && (p & 0xffffff) == 0) p = (a << 24) | 0x010101;
        }
    c.MarkDirty();
}

void DrawStrip(Canvas& strip, int w, int h, int count, int columns, const std::function<void(cairo_t*, int)>& draw) {
    cairo_t* cr = strip.cr();
    for (int i = 0; i < count; ++i) {
        cairo_save(cr);
        cairo_translate(cr, (i % columns) * w, (i / columns) * h);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_clip(cr);
        draw(cr, i);
        cairo_restore(cr);
    }
}

static std::string g_root = "assets";

const std::string& OutputRoot() { return g_root; }
void SetOutputRoot(const std::string& root) { g_root = root; }

static std::string Prepare(const std::string& rel) {
    std::string path = g_root + "/" + rel;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    return path;
}

void SavePng(Canvas& c, const std::string& relPath) {
    LiftPureBlack(c);
    std::string path = Prepare(relPath);
    if (cairo_surface_write_to_png(c.surface(), path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path);
    std::printf("wrote %s\n", path.c_str());
}

static std::vector<uint8_t> EncodeJpeg(const std::vector<uint8_t>& rgb, int w, int h) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buf = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buf, &size);
    cinfo.image_width = w;
    cinfo.image_height = h;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 92, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(&rgb[cinfo.next_scanline * w * 3]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> out(buf, buf + size);
    jpeg_destroy_compress(&cinfo);
    free(buf);
    return out;
}

static bool DecodedHasBlack(const std::vector<uint8_t>& jpg) {
    jpeg_decompress_struct d;
    jpeg_error_mgr jerr;
    d.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, jpg.data(), jpg.size());
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    std::vector<uint8_t> row(d.output_width * 3);
    bool black = false;
    while (d.output_scanline < d.output_height) {
        JSAMPROW r = row.data();
        jpeg_read_scanlines(&d, &r, 1);
        for (size_t i = 0; i + 2 < row.size(); i += 3)
            if (row[i] == 0 && row[i + 1] == 0 && row[i + 2] == 0) black = true;
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    return black;
}

void SaveJpeg(Canvas& c, const std::string& relPath, bool avoidBlack) {
    int w = c.width(), h = c.height();
    uint32_t* px = c.Pixels();
    std::vector<uint8_t> rgb(size_t(w) * h * 3);
    for (int floor = 0;; floor += 4) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint32_t p = px[y * c.Stride() + x];
                for (int k = 0; k < 3; ++k) {
                    int v = (p >> (16 - 8 * k)) & 255;
                    if (avoidBlack && v < floor) v = floor;
                    rgb[(size_t(y) * w + x) * 3 + k] = uint8_t(v);
                }
            }
        std::vector<uint8_t> jpg = EncodeJpeg(rgb, w, h);
        if (!avoidBlack || !DecodedHasBlack(jpg) || floor > 64) {
            std::string path = Prepare(relPath);
            FILE* f = std::fopen(path.c_str(), "wb");
            if (!f || std::fwrite(jpg.data(), 1, jpg.size(), f) != jpg.size())
                throw std::runtime_error("cannot write " + path);
            std::fclose(f);
            std::printf("wrote %s\n", path.c_str());
            return;
        }
    }
}

std::vector<std::pair<std::string, Generator>>& Registry() {
    static std::vector<std::pair<std::string, Generator>> reg;
    return reg;
}

Registration::Registration(const char* name, Generator g) { Registry().emplace_back(name, std::move(g)); }

}  // namespace artkit
