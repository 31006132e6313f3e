// Lettering from pre-rendered glyphs: a strip of square cells, one per character code 31 to 254,
// plus a metrics file (".fnt") with every code's advance width and height.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics.hpp"
#include "platform/stream.hpp"

class TBitmapFont {
public:
    static constexpr float AUTOLINE = 1.25f;  // line step in cell heights
    static constexpr int kFirstCode = 31;     // frame 0, width 0
    static constexpr int kLastGlyph = 254;    // 255 has metrics but no frame
    static constexpr int kLastCode = 255;
    static constexpr int kMetricCount = kLastCode - kFirstCode + 1;  // 225 pairs in the file

    ImageRef FontImage;
    std::array<int32_t, 255> CharW{};  // index code - 31
    std::array<int32_t, 255> CharH{};
    int32_t FrameWidth = 0;
    int32_t FrameHeight = 0;
    int32_t Frames = 0;

    // Fatal loaders: print the error and end the program, since the game cannot run without its
    // lettering.
    void LoadFnt(const std::string& source);
    void LoadBitmap(const std::string& source);
    // The same, returning the error text instead ("" on success).
    std::string TryLoadFnt(const std::string& source);
    std::string TryLoadBitmap(const std::string& source);
    // Header line, three sizes, 225 width/height pairs; a short stream reads as zeros.
    void LoadFnt(TStream& stream);
    void SaveFnt(TStream& stream, const std::string& pictureName) const;

    // Width of the widest line.
    int GetWidth(const std::string& text) const;
    // Lines x (tallest glyph so far + 1); deliberately not the line step Draw uses.
    int GetHeight(const std::string& text) const;
    // Draws at the current colour, alpha, blend mode and scale.
    void Draw(const std::string& text, float x, float y, bool centred = false);

    // Where Draw puts each glyph for a given scale, and where y ends after the last line.
    // Without a picture nothing is placed, but y still steps per line.
    struct PlacedGlyph {
        int frame;
        float x, y;
    };
    struct Layout {
        std::vector<PlacedGlyph> glyphs;
        float endY = 0;
    };
    Layout LayOut(const std::string& text, float x, float y, bool centred, float sx, float sy, bool hasPicture) const;

    static bool HasGlyph(unsigned char c) { return c >= kFirstCode && c <= kLastGlyph; }
    static std::vector<std::string> SplitLines(const std::string& text);
};

// Ends the program with a run-time error text on stderr.
[[noreturn]] void StopWithError(const std::string& message);

// All lettering of the program.
extern std::unique_ptr<TBitmapFont> FontHeadline, FontHeadlineHover, FontMain, FontMainHover;

// Loads the four bitmap fonts (a missing font stops the program).
void LoadFonts();
