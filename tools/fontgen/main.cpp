// velmora-fontgen [--out DIR] [--sample FILE]
// Renders Headline, Headline_hover, Main and Main_hover: a strip of 224 square cells (codes 31 to
// 254, 16 to a row) with white glyphs whose alpha is the coverage, or a gold fill with a soft glow
// for the hover fonts, and a ".fnt" file with every code's advance width and height.
// The widths the game's layout depends on are fixed; the generator picks faces and sizes that come
// close and sets those few widths exactly. Output is deterministic.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>

#include <sys/stat.h>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kFirstCode = 31;
constexpr int kLastCode = 255;
constexpr int kFrames = 224;  // codes 31 to 254; 255 has metrics only
constexpr int kColumns = 16;
constexpr int kTick = 127;
constexpr uint32_t kTickUnicode = 0x2714;  // heavy check mark

struct Rgb {
    double r, g, b;
};

struct FontStyle {
    const char* name;
    int cell;
    std::vector<const char*> faces;  // first one present is used
    double pixelSize;
    int pad;  // pen offset from the cell's left edge, room for the glow
    int blankWidth, widthA, widthB, widest;
    bool hover;
};

const char* const kDisplayFaces[] = {"/usr/share/fonts/opentype/urw-base35/URWBookman-LightItalic.otf",
                                     "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Italic.ttf"};
const char* const kTextFaces[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                  "/usr/share/fonts/truetype/freefont/FreeSans.ttf"};
const char* const kSymbolFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::vector<FontStyle> Styles() {
    std::vector<const char*> display(std::begin(kDisplayFaces), std::end(kDisplayFaces));
    std::vector<const char*> text(std::begin(kTextFaces), std::end(kTextFaces));
    return {
        {"Headline", 64, display, 40.0, 3, 15, 28, 30, 41, false},
        {"Headline_hover", 64, display, 40.0, 3, 15, 28, 30, 41, true},
        {"Main", 32, text, 20.5, 1, 7, 14, 16, 21, false},
        {"Main_hover", 32, text, 20.5, 1, 7, 14, 16, 21, true},
    };
}

bool Exists(const char* path) {
    struct stat st;
    return stat(path, &st) == 0;
}

// Straight (not premultiplied) RGBA.
struct Picture {
    int w = 0, h = 0;
    std::vector<uint8_t> px;
    Picture(int width, int height) : w(width), h(height), px(size_t(width) * size_t(height) * 4, 0) {}
    uint8_t* At(int x, int y) { return &px[(size_t(y) * size_t(w) + size_t(x)) * 4]; }
};

void WritePng(const Picture& pic, const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        throw std::runtime_error("PNG error in " + path);
    }
    png_init_io(png, f);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, png_uint_32(pic.w), png_uint_32(pic.h), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < pic.h; ++y) png_write_row(png, &pic.px[size_t(y) * size_t(pic.w) * 4]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(f) != 0) throw std::runtime_error("cannot write " + path);
}

void PutInt(std::string& out, int32_t v) {
    uint32_t u = uint32_t(v);
    for (int i = 0; i < 4; ++i) out.push_back(char(uint8_t(u >> (8 * i))));
}

class FreeType {
public:
    FreeType() {
        if (FT_Init_FreeType(&lib_)) throw std::runtime_error("FreeType did not start");
    }
    ~FreeType() { FT_Done_FreeType(lib_); }
    FT_Face Open(const char* path, double pixelSize) {
        FT_Face face;
        if (FT_New_Face(lib_, path, 0, &face)) throw std::runtime_error(std::string("cannot open ") + path);
        FT_Select_Charmap(face, FT_ENCODING_UNICODE);
        FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(pixelSize * 64)), 72, 72);
        return face;
    }

private:
    FT_Library lib_;
};

// One rendered character: coverage 0..1 over the cell and its stored advance width.
struct Glyph {
    std::vector<float> cover;
    int width = 0;
    double advance = 0;
};

double NaturalAdvance(FT_Face face, uint32_t unicode) {
    FT_Set_Transform(face, nullptr, nullptr);
    if (FT_Load_Char(face, unicode, FT_LOAD_NO_HINTING)) return 0;
    return face->glyph->advance.x / 64.0;
}

// Draws the character with its pen at (pad, baseline), squeezed horizontally by xScale.
void Render(FT_Face face, uint32_t unicode, double xScale, int cell, int pad, int baseline, Glyph& g, int& clipped) {
    FT_Matrix m{FT_Fixed(std::lround(xScale * 65536)), 0, 0, 0x10000};
    FT_Set_Transform(face, &m, nullptr);
    if (FT_Load_Char(face, unicode, FT_LOAD_NO_HINTING | FT_LOAD_RENDER)) return;
    FT_Set_Transform(face, nullptr, nullptr);
    const FT_Bitmap& bm = face->glyph->bitmap;
    // A tail reaching left of the pen (italic f, j) moves right rather than being cut off.
    int left = std::max(pad + face->glyph->bitmap_left, 0);
    for (unsigned row = 0; row < bm.rows; ++row)
        for (unsigned col = 0; col < bm.width; ++col) {
            uint8_t v = bm.buffer[int(row) * bm.pitch + int(col)];
            if (!v) continue;
            int x = left + int(col);
            int y = baseline - face->glyph->bitmap_top + int(row);
            if (x < 0 || y < 0 || x >= cell || y >= cell) {
                ++clipped;
                continue;
            }
            float& c = g.cover[size_t(y) * size_t(cell) + size_t(x)];
            c = std::max(c, v / 255.0f);
        }
}

// Where the baseline sits so that the tallest ascent and the deepest descent of the set both fit.
int Baseline(FT_Face face, int cell) {
    int ascent = 0, descent = 0;
    for (uint32_t u = 32; u <= 255; ++u) {
        if (u >= 127 && u < 160) continue;
        if (FT_Load_Char(face, u, FT_LOAD_NO_HINTING | FT_LOAD_RENDER)) continue;
        ascent = std::max(ascent, face->glyph->bitmap_top);
        descent = std::max(descent, int(face->glyph->bitmap.rows) - face->glyph->bitmap_top);
    }
    int spare = std::max(0, cell - ascent - descent);
    return std::min(cell - descent, ascent + spare / 2);
}

std::vector<float> Blur(const std::vector<float>& src, int n, int radius) {
    std::vector<float> a = src, b(src.size());
    for (int pass = 0; pass < 3; ++pass) {  // three box passes approach a Gaussian
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                float s = 0;
                for (int k = -radius; k <= radius; ++k) {
                    int xx = x + k;
                    if (xx >= 0 && xx < n) s += a[size_t(y * n + xx)];
                }
                b[size_t(y * n + x)] = s / float(2 * radius + 1);
            }
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                float s = 0;
                for (int k = -radius; k <= radius; ++k) {
                    int yy = y + k;
                    if (yy >= 0 && yy < n) s += b[size_t(yy * n + x)];
                }
                a[size_t(y * n + x)] = s / float(2 * radius + 1);
            }
    }
    return a;
}

uint8_t Byte(double v) { return uint8_t(std::clamp(std::lround(v * 255.0), 0L, 255L)); }

// Paints one cell of the strip. Transparent pixels keep the ink's colour, so filtering never
// pulls dark fringes in, and no pixel is ever pure black.
void PaintCell(Picture& atlas, int ox, int oy, const FontStyle& st, const Glyph& g, int baseline) {
    const int n = st.cell;
    std::vector<float> glow;
    if (st.hover) glow = Blur(g.cover, n, std::max(1, n / 24));
    const Rgb white{1, 1, 1}, glowColour{1.0, 0.62, 0.18};
    for (int y = 0; y < n; ++y) {
        // Gold runs from pale at the cap line to deep amber below the baseline.
        double t = std::clamp((y - (baseline - 0.7 * n)) / (0.85 * n), 0.0, 1.0);
        Rgb gold{1.0, 0.93 - 0.30 * t, 0.62 - 0.50 * t};
        for (int x = 0; x < n; ++x) {
            float c = g.cover[size_t(y * n + x)];
            uint8_t* p = atlas.At(ox + x, oy + y);
            if (!st.hover) {
                p[0] = p[1] = p[2] = Byte(white.r);
                p[3] = Byte(c);
                continue;
            }
            double ga = std::min(1.0, glow[size_t(y * n + x)] * 1.8) * 0.7 * (1.0 - c);
            double a = c + ga;
            Rgb out = glowColour;
            if (a > 0) {
                out.r = (gold.r * c + glowColour.r * ga) / a;
                out.g = (gold.g * c + glowColour.g * ga) / a;
                out.b = (gold.b * c + glowColour.b * ga) / a;
            }
            p[0] = Byte(out.r);
            p[1] = Byte(out.g);
            p[2] = Byte(out.b);
            p[3] = Byte(a);
        }
    }
}

struct BuiltFont {
    FontStyle style;
    Picture atlas{1, 1};
    std::vector<int> widths;  // codes 31 .. 255
};

BuiltFont Build(FreeType& ft, const FontStyle& st) {
    const char* path = nullptr;
    for (const char* candidate : st.faces)
        if (Exists(candidate)) {
            path = candidate;
            break;
        }
    if (!path) throw std::runtime_error(std::string("no outline font found for ") + st.name);
    FT_Face face = ft.Open(path, st.pixelSize);
    FT_Face symbols = ft.Open(kSymbolFace, st.pixelSize * 0.95);
    const int n = st.cell;
    const int baseline = Baseline(face, n);

    BuiltFont out{st, Picture(kColumns * n, (kFrames + kColumns - 1) / kColumns * n), {}};
    std::vector<Glyph> glyphs(kLastCode - kFirstCode + 1);
    int clipped = 0;
    for (int code = kFirstCode; code <= kLastCode; ++code) {
        Glyph& g = glyphs[size_t(code - kFirstCode)];
        g.cover.assign(size_t(n) * size_t(n), 0.0f);
        bool control = code == kFirstCode || (code >= 128 && code < 160);
        if (control) continue;  // no glyph and no width: nothing to draw
        FT_Face src = code == kTick ? symbols : face;
        uint32_t unicode = code == kTick ? kTickUnicode : uint32_t(code);
        g.advance = NaturalAdvance(src, unicode);
        int w = int(std::lround(g.advance));
        double squeeze = 1.0;
        if (code == ' ' || code == 160) w = st.blankWidth;
        if (code == 'A') w = st.widthA;
        if (code == 'B') w = st.widthB;
        if (w > st.widest) {
            // Too wide for the fixed metrics: narrow the glyph itself rather than let it overlap.
            squeeze = st.widest / g.advance;
            w = st.widest;
        }
        g.width = w;
        Render(src, unicode, squeeze, n, st.pad, baseline, g, clipped);
    }
    // The widest width is part of the fixed metrics; let the widest glyph reach it exactly.
    auto widest = std::max_element(glyphs.begin(), glyphs.end(),
                                   [](const Glyph& a, const Glyph& b) { return a.advance < b.advance; });
    widest->width = st.widest;

    for (int code = kFirstCode; code <= kLastCode; ++code) {
        const Glyph& g = glyphs[size_t(code - kFirstCode)];
        out.widths.push_back(g.width);
        int frame = code - kFirstCode;
        if (frame < kFrames) PaintCell(out.atlas, frame % kColumns * n, frame / kColumns * n, st, g, baseline);
    }
    std::printf("%-15s %s at %.1f px, baseline %d, %d pixels clipped\n", st.name, path, st.pixelSize, baseline,
                clipped);
    FT_Done_Face(symbols);
    FT_Done_Face(face);
    return out;
}

std::string MetricsFile(const BuiltFont& f) {
    std::string out = std::string("../gfx/fonts/") + f.style.name + ".png\r\n";
    PutInt(out, f.style.cell);
    PutInt(out, f.style.cell);
    PutInt(out, kFrames);
    for (int w : f.widths) {
        PutInt(out, w);
        PutInt(out, f.style.cell);
    }
    return out;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0)
        throw std::runtime_error("cannot write " + path);
}

// Lays text out as the game does (left-aligned, advancing by the stored widths) and blends it in.
void DrawText(Picture& pic, const BuiltFont& f, const std::string& text, int x, int y, Rgb tint) {
    const int n = f.style.cell;
    int cursor = 0;
    for (unsigned char c : text) {
        if (c < kFirstCode || c > 254) continue;
        int frame = c - kFirstCode;
        int sx = frame % kColumns * n, sy = frame / kColumns * n;
        for (int yy = 0; yy < n; ++yy)
            for (int xx = 0; xx < n; ++xx) {
                int dx = x + cursor + xx, dy = y + yy;
                if (dx < 0 || dy < 0 || dx >= pic.w || dy >= pic.h) continue;
                const uint8_t* s = &f.atlas.px[(size_t(sy + yy) * size_t(f.atlas.w) + size_t(sx + xx)) * 4];
                uint8_t* d = pic.At(dx, dy);
                double a = s[3] / 255.0;
                double col[3] = {s[0] / 255.0 * tint.r, s[1] / 255.0 * tint.g, s[2] / 255.0 * tint.b};
                for (int k = 0; k < 3; ++k) d[k] = Byte(col[k] * a + d[k] / 255.0 * (1 - a));
            }
        cursor += f.widths[size_t(frame)];
    }
}

void WriteSample(const std::vector<BuiltFont>& fonts, const std::string& path) {
    Picture pic(640, 330);
    for (int y = 0; y < pic.h; ++y)
        for (int x = 0; x < pic.w; ++x) {
            double t = y / double(pic.h);
            uint8_t* p = pic.At(x, y);
            p[0] = Byte(0.30 - 0.14 * t);
            p[1] = Byte(0.09 - 0.04 * t);
            p[2] = Byte(0.10 - 0.04 * t);
            p[3] = 255;
        }
    const Rgb parchment{0.98, 0.93, 0.80};
    DrawText(pic, fonts[0], "Headline: The Temple", 16, 4, parchment);
    DrawText(pic, fonts[1], "Headline_hover: Gold", 16, 72, {1, 1, 1});
    DrawText(pic, fonts[2], "Main: Every stone was once carried. 0123456789", 16, 148, parchment);
    DrawText(pic, fonts[2], "\xc4\xd6\xdc \xe4\xf6\xfc \xdf \xe9\xe8\xea \xe7 \xbf? \xa9 \x7f done", 16, 184,
             parchment);
    DrawText(pic, fonts[3], "Main_hover: Start game  Preferences  Exit", 16, 224, {1, 1, 1});
    DrawText(pic, fonts[3], "\xc4\xd6\xdc \xe4\xf6\xfc \xdf \x7f", 16, 260, {1, 1, 1});
    DrawText(pic, fonts[2], "ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz", 16, 294, parchment);
    WritePng(pic, path);
}

}  // namespace

int main(int argc, char** argv) {
    std::string outDir = "assets/gfx/fonts";
    std::string sample;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--out") && i + 1 < argc)
            outDir = argv[++i];
        else if (!std::strcmp(argv[i], "--sample") && i + 1 < argc)
            sample = argv[++i];
        else {
            std::fprintf(stderr, "usage: velmora-fontgen [--out DIR] [--sample FILE]\n");
            return 2;
        }
    }
    try {
        FreeType ft;
        std::vector<BuiltFont> fonts;
        for (const FontStyle& st : Styles()) {
            fonts.push_back(Build(ft, st));
            WritePng(fonts.back().atlas, outDir + "/" + st.name + ".png");
            WriteFile(outDir + "/" + st.name + ".fnt", MetricsFile(fonts.back()));
        }
        if (!sample.empty()) WriteSample(fonts, sample);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora-fontgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
