// The wisdom screen shown before a puzzle: one saying picked at random from the embedded
// wisdom file, revealed line by line. The level set-up owns the loop, the fades and the click.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/ini.hpp"
#include "platform/graphics.hpp"

class TBitmapFont;

class Wisdomscreen {
public:
    // Picks the saying; stops the program when the wisdom file is missing.
    Wisdomscreen();
    // One frame of the reveal.
    void Render();

    ImageRef screen;
    int32_t seek = -1;
    int32_t anzahl = 0;
    IniRef Wisdoms;
    int32_t nummer = 0;
    std::string text;
    int32_t lineno = -1;
    int32_t stp = 80;
    int32_t lines = 0;

    // One wrapped line: where it goes and whether this frame draws it.
    struct Line {
        std::string text;
        float y = 0;
        bool drawn = false;
        float alpha = 1;
    };
    // Wraps text at 500 pixels of the font (a backslash-"n" forces a break) with the block's
    // top at y; counts the breaks into breaks. Lines up to revealed are drawn, the line
    // revealed itself at alpha step / 100.
    static std::vector<Line> LayOut(const std::string& text, const TBitmapFont& font, float y, int32_t revealed,
                                    int32_t step, int32_t& breaks);
};
