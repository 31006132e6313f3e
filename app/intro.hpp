// The way into the game: the maker's logo, the story over the monk, the pan up the temple with
// the credits, and the menu scene in which the title screen runs.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics.hpp"

class TBitmapFont;

class TIntro {
public:
    // Loads the logo; the program cannot go on without it.
    TIntro();
    virtual ~TIntro() = default;

    ImageRef CorvantisLogo;
    ImageRef TitlePicture;
    ImageRef BG;
    std::array<ImageRef, 3> Wolken;
    ImageRef MonkPic;
    ImageRef MainMenu;

    void LoadFiles();
    // Work that may wait until the logo is up (start-up loads the title screen's pictures here,
    // so the first frame is not held back by them).
    std::function<void()> WhileLogoShows;
    // With skip the logo, story and pan are left out and the menu appears at once. Returns when
    // the title screen has ended; its Action says what comes next.
    void Run(bool skip);
    void FadeIn(const ImageRef& image, float hold, float step);
    void FadeOut(const ImageRef& image, float step);

    // True when the player cut the story short (the temple pan is then left out too).
    bool CutShort = false;

    void RunStory();
    void RunTemple(bool skip);
    void RunMenuScene();
};

// Where each character of the story goes. "\n" written as the two characters backslash and n
// breaks the line; a word that would cross the line's width starts a new line, and a word
// wider than the whole line keeps a line of its own and overflows it rather than split.
struct StoryGlyph {
    unsigned char c;
    float x;  // from the left margin
    int32_t line;
};
std::vector<StoryGlyph> LayOutStory(const std::string& text, const TBitmapFont& font, float lineWidth, int32_t& lines);

// The credits text split at its line breaks (an empty line stays an empty entry).
std::vector<std::string> CreditLines();
// Opacity of a credits line at line timer e (0 to 400): hidden, fading in, full, fading out.
float CreditAlpha(int32_t e);

extern std::unique_ptr<TIntro> Intro;
