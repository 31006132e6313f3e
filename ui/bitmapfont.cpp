// Metrics and layout; everything that touches the renderer lives in bitmapfont_draw.cpp, so
// tools and tests can measure text without a window.
#include "ui/bitmapfont.hpp"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "data/fieldio.hpp"

void StopWithError(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::exit(1);
}

std::vector<std::string> TBitmapFont::SplitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back().push_back(c);
    }
    return lines;
}

namespace {
// Truncates toward zero like a plain conversion, but metrics from a damaged file can push sums
// past the int range, where a plain conversion is undefined.
int Trunc(double v) {
    if (!(v == v)) return 0;
    return int(std::clamp(v, double(INT32_MIN), double(INT32_MAX)));
}

template <class IO, class F>
void WalkMetrics(IO& io, F& font) {
    io.Int(font.FrameWidth);
    io.Int(font.FrameHeight);
    io.Int(font.Frames);
    for (int i = 0; i < TBitmapFont::kMetricCount; ++i) {
        io.Int(font.CharW[size_t(i)]);
        io.Int(font.CharH[size_t(i)]);
    }
}
}  // namespace

void TBitmapFont::LoadFnt(TStream& stream) {
    stream.ReadLine();  // the picture's name; the caller says which picture to use
    FieldReader in{stream};
    WalkMetrics(in, *this);
}

void TBitmapFont::SaveFnt(TStream& stream, const std::string& pictureName) const {
    FieldWriter out{stream};
    out.Line(pictureName);
    WalkMetrics(out, *this);
}

std::string TBitmapFont::TryLoadFnt(const std::string& source) {
    std::vector<uint8_t> bytes;
    if (!LoadBytes(source, bytes)) return source + " not found!";
    TBankStream stream(bytes.data(), bytes.size());
    LoadFnt(stream);
    return "";
}

void TBitmapFont::LoadFnt(const std::string& source) {
    std::string error = TryLoadFnt(source);
    if (!error.empty()) StopWithError(error);
}

int TBitmapFont::GetWidth(const std::string& text) const {
    int widest = 0;
    for (const std::string& l : SplitLines(text)) {
        int64_t w = 0;
        for (unsigned char c : l)
            if (HasGlyph(c)) w += CharW[c - kFirstCode];
        widest = std::max(widest, Trunc(double(w)));
    }
    return widest;
}

int TBitmapFont::GetHeight(const std::string& text) const {
    int tallest = 0;  // carried across lines on purpose
    int h = 0;
    for (const std::string& l : SplitLines(text)) {
        for (unsigned char c : l)
            if (HasGlyph(c)) tallest = std::max(tallest, int(CharH[c - kFirstCode]));
        h = Trunc(double(h) + double(tallest) + 1.25);
    }
    return h;
}

TBitmapFont::Layout TBitmapFont::LayOut(const std::string& text, float x, float y, bool centred, float sx, float sy,
                                        bool hasPicture) const {
    Layout out;
    for (const std::string& l : SplitLines(text)) {
        if (hasPicture) {
            float left = x;
            if (centred) {
                int w = 0, h = 0;
                for (unsigned char c : l) {
                    if (!HasGlyph(c)) continue;
                    w = Trunc(double(w) + double(float(CharW[c - kFirstCode]) * sx));
                    h = std::max(h, Trunc(double(float(CharH[c - kFirstCode]) * sy)));
                }
                left = x - float(w / 2);
                y -= float(h / 2);
            }
            int cursor = 0;
            for (unsigned char c : l) {
                if (!HasGlyph(c)) continue;
                out.glyphs.push_back({c - kFirstCode, left + float(cursor), y});
                cursor = Trunc(double(cursor) + double(float(CharW[c - kFirstCode]) * sx));
            }
        }
        // The step stays unscaled and follows code 31's height, whatever the line held.
        y += float(CharH[0]) * AUTOLINE;
    }
    out.endY = y;
    return out;
}

std::unique_ptr<TBitmapFont> FontHeadline, FontHeadlineHover, FontMain, FontMainHover;

void LoadFonts() {
    struct {
        std::unique_ptr<TBitmapFont>* font;
        const char* name;
    } fonts[] = {{&FontHeadline, "Headline"},
                 {&FontHeadlineHover, "Headline_hover"},
                 {&FontMain, "Main"},
                 {&FontMainHover, "Main_hover"}};
    for (auto& f : fonts) {
        *f.font = std::make_unique<TBitmapFont>();
        std::string base = std::string("incbin::../gfx/fonts/") + f.name;
        (*f.font)->LoadFnt(base + ".fnt");
        (*f.font)->LoadBitmap(base + ".png");
    }
}
