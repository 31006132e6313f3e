// The instructions before the first puzzle of a set: six pages, each a screenshot, a short
// text and a little scene in which a drawn pointer acts out what the text says.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics.hpp"

class TBitmapFont;

class Tutorial {
public:
    static constexpr int32_t kPages = 6;

    Tutorial();  // loads the pictures
    virtual ~Tutorial() = default;

    ImageRef bg, Screen0, MovingArrow, Screen1, MyPointer, MyTile, click, Screen6, flash, keyb;

    // Runs until the player presses "Play" and the screen has faded to black.
    void Display();
    // A page text in the box under the screenshot, wrapped at word boundaries.
    void DrawTutText(const std::string& text);

    // The running state of Display, kept here so that single frames can be driven and checked.
    int32_t Page = 0;     // 0 to 5
    int32_t Counter = 0;  // frames since the page's scene (re)started
    float Angle = 0;      // of the acted tile; it keeps turning across visits to page 2
    float Cover = 1.0f;   // opacity of the black cover
    bool Leaving = false;

    // One pass of the loop without the flip; false once the fade-out after "Play" is complete.
    bool Frame();
    bool Done() const { return Leaving && Cover > 1; }

    // Where each character of a page text goes: a backslash-"n" breaks the line, and a word
    // that would pass the right edge of the box starts a new line (a word wider than the box
    // gets a line of its own and overflows it; words are never split).
    struct Glyph {
        unsigned char code;
        float x, y;
    };
    static std::vector<Glyph> LayOutText(const std::string& text, const TBitmapFont& font);

    // One acted picture of a page scene: which image, where, with what alpha and scale.
    struct Actor {
        const ImageRef* image;
        float x, y, alpha, scale;
        bool turned;  // drawn with the tile's rotation
    };
    // The scene of a page at frame c (pages 1 to 5; page 0's arrow follows the clock).
    std::vector<Actor> Scene(int32_t page, int32_t c) const;
    // Last frame of each page's scene loop before it starts over at 0.
    static int32_t LastFrame(int32_t page);
    static const char* PageText(int32_t page);

private:
    void DrawPage();
};
