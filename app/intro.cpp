#include "app/intro.hpp"

#include <algorithm>

#include "app/titlescreen.hpp"
#include "data/language.hpp"
#include "data/users.hpp"
#include "platform/input.hpp"
#include "platform/random.hpp"
#include "platform/timing.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/frame.hpp"
#include "ui/screenlog.hpp"

#if __has_include("fx/butterfly.hpp")
#include "fx/butterfly.hpp"
#define VELMORA_MENU_BUTTERFLIES 1
#endif

std::unique_ptr<TIntro> Intro;

namespace {

constexpr float kStoryLeft = 75;
constexpr float kStoryWidth = 550;

bool IsLineBreak(const std::string& t, size_t i) { return i + 1 < t.size() && t[i] == '\\' && t[i + 1] == 'n'; }

float GlyphWidth(const TBitmapFont& font, unsigned char c) {
    return TBitmapFont::HasGlyph(c) ? float(font.CharW[c - TBitmapFont::kFirstCode]) : 0.0f;
}

void BlackCover(float alpha) {
    SetColor(0, 0, 0);
    SetAlpha(std::clamp(alpha, 0.0f, 1.0f));
    DrawRect(0, 0, kLogicalWidth, kLogicalHeight);
    SetColor(255, 255, 255);
    SetAlpha(1);
}

// Any key pressed since the last look, and the typed-character queue emptied along the way.
bool AnyKeyHit() {
    bool hit = false;
    for (int k = 1; k < kKeyCount; ++k)
        if (KeyHit(k)) hit = true;
    while (GetChar()) hit = true;
    return hit;
}

}  // namespace

std::vector<StoryGlyph> LayOutStory(const std::string& text, const TBitmapFont& font, float lineWidth, int32_t& lines) {
    std::vector<StoryGlyph> out;
    int32_t line = 0;
    float x = 0;
    bool wordStart = true;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsLineBreak(text, i)) {
            ++line;
            x = 0;
            ++i;
            wordStart = true;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(text[i]);
        // Measured at the start of each word and at each blank: within a word the sum is the
        // same, except for a word that already begins a line and is too wide for it; moving
        // that one again at every letter would split it, one letter a line.
        if (wordStart || c == ' ') {
            float w = x;
            for (size_t j = i; j < text.size() && text[j] != ' ' && !IsLineBreak(text, j); ++j)
                w += GlyphWidth(font, static_cast<unsigned char>(text[j]));
            if (w > lineWidth) {
                ++line;
                x = 0;
            }
        }
        out.push_back({c, x, line});
        x += GlyphWidth(font, c);
        wordStart = c == ' ';
    }
    lines = line + 1;
    return out;
}

std::vector<std::string> CreditLines() {
    const std::string text = Language->GetString(
        "Corvantis presents:\nVelmora $version\n\nTechnical Direction & Music\nthe Velmora team\n\nArt "
        "Direction & Design\nthe Velmora team\n\nChoir Voices on \"Temple Of Love\"\nthe Velmora "
        "team\n\nBeta Testing\nthe Velmora team\nthe tea-house testers\nthe night-shift monks\nthe lantern "
        "keepers\nthe mountain walkers\nthe puzzle circle\neveryone who played the early builds\n\nThank you for "
        "playing and for your patience on the path.\nVelmora (c) Corvantis. All rights reserved.",
        {"version", "1.3"});
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t nl = text.find('\n', start);
        lines.push_back(text.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    return lines;
}

float CreditAlpha(int32_t e) {
    if (e > 300) return float(100 - (e - 300)) / 100.0f;
    if (e > 100) return std::min(1.0f, float(e - 100) / 100.0f);
    return 0;
}

TIntro::TIntro() {
    AutoMidHandle(false);
    CorvantisLogo = LoadImage("incbin::../gfx/cvt.png");
    if (!CorvantisLogo) StopWithError("cvt.png not found!");
}

void TIntro::LoadFiles() {
    AutoMidHandle(false);
    TitlePicture = LoadImage("incbin::../gfx/intro/tempel.png");
    BG = LoadImage("incbin::../gfx/intro/background.png");
    Wolken[0] = LoadImage("incbin::../gfx/intro/Wolkenlayer1_vor_tempel.png");
    Wolken[1] = LoadImage("incbin::../gfx/intro/Wolkenlayer2_vor_tempel.png");
    Wolken[2] = LoadImage("incbin::../gfx/intro/Wolkenlayer_hinter_tempel.png");
    MonkPic = LoadImage("incbin::../gfx/intro/intro.png");
    MainMenu = LoadImage("incbin::../gfx/mainmenu.png");
}

void TIntro::FadeIn(const ImageRef& image, float hold, float step) {
    for (float a = 0; a < 1 + hold; a += step) {
        Cls();
        SetBlend(ALPHABLEND);
        SetAlpha(std::min(a, 1.0f));
        DrawImage(image, 0, 0);
        SetAlpha(1);
        FlipFrame(-1);
    }
}

void TIntro::FadeOut(const ImageRef& image, float step) {
    for (float a = 1; a > 0; a -= step) {
        Cls();
        SetBlend(ALPHABLEND);
        SetAlpha(a);
        DrawImage(image, 0, 0);
        SetAlpha(1);
        FlipFrame(-1);
    }
}

void TIntro::Run(bool skip) {
    LogScreen("intro");
    CutShort = false;
    if (!skip) FadeIn(CorvantisLogo, 3.0f, 0.01f);
    if (WhileLogoShows) WhileLogoShows();
    LoadFiles();
    if (!skip) {
        FadeOut(CorvantisLogo, 0.01f);
        RunStory();
    }
    RunTemple(skip);
    RunMenuScene();
}

void TIntro::RunStory() {
    LogScreen("story");
    const std::string story =
        Tx("Your voyage to enlightenment starts here.\\n\\nAre you able to solve all the puzzles on your path to the "
           "Velmora?");
    int32_t lines = 0;
    const std::vector<StoryGlyph> glyphs = LayOutStory(story, *FontHeadline, kStoryWidth, lines);
    const float lineHeight = float(FontHeadline->FrameHeight);

    float c = 0.99f;
    bool leaving = false;
    float y0 = 430;
    UpdateInput();
    AnyKeyHit();
    while (c < 1) {
        Cls();
        UpdateInput();
        SetBlend(ALPHABLEND);
        SetAlpha(1);
        SetColor(255, 255, 255);
        if (MouseHits[0] || MouseHits[1] || AnyKeyHit()) {
            leaving = true;
            CutShort = true;
        }
        if (leaving) {
            c += 0.01f;
        } else if (c > 0) {
            c -= 0.01f;
        }
        DrawImage(MonkPic, 0, 0);
        y0 -= 0.6f;
        for (const StoryGlyph& g : glyphs) {
            const float y = y0 + float(g.line) * lineHeight;
            const float a = y > 330 ? (430 - y) / 50 : (y - 280) / 50;
            if (a <= 0) continue;
            SetAlpha(std::min(a, 1.0f));
            FontHeadline->Draw(std::string(1, char(g.c)), kStoryLeft + 2 + g.x, y + 2);
        }
        if (y0 + float(lines) * lineHeight < 300) leaving = true;
        BlackCover(c);
        FlipFrame(-1);
    }
}

void TIntro::RunTemple(bool skip) {
    float v = 0, s = -480;
    bool arrived = false, clicked = false;
    if (skip) {
        s = 0;
        arrived = true;
    }
    bool running = !CutShort;
    float b = -float(Rand(1, 400));
    float h1 = float(Rand(1, 120)), h2 = float(Rand(1, 120));
    float w = float(Rand(1, 100) + 780);
    float frontA = -float(Rand(1, 300));
    float frontB = -float(Rand(1, 300));
    TitleScreen->InitRun();
    const std::vector<std::string> credits = CreditLines();
    size_t k = 0;
    int32_t e = 0;
    const int32_t start = Millisecs();
    const std::string prompt = Tx("Please press the left mousebutton!");
    if (running) LogScreen("temple");
    UpdateInput();
    while (running) {
        Cls();
        UpdateInput();
        SetBlend(ALPHABLEND);
        SetColor(255, 255, 255);
        SetAlpha(1);
        if (v < 1 && !clicked) v += s > -1 ? 0.01f : 0.0025f;
        DrawImage(BG, 0, s);
        if (!arrived && MouseHits[0]) clicked = true;
        if (s <= -1) {
            s += std::clamp(-s / 128.0f, 0.1f, 1.0f);
            if (clicked) {
                v -= 0.005f;
                if (v < 0) {
                    s = 0;
                    arrived = true;
                    clicked = false;
                }
            }
        } else if (clicked) {
            arrived = true;
            clicked = false;
        }

        SetBlend(LIGHTBLEND);
        DrawImage(Wolken[2], b, h1 + 2 * s);
        DrawImage(Wolken[2], b + w, h2 + 2 * s);
        SetBlend(ALPHABLEND);
        b -= 0.2f;
        if (b < -w) {
            b += w;
            h1 = h2;
            h2 = float(Rand(1, 120));
            w = float(Rand(1, 100) + 780);
        }

        DrawImage(TitlePicture, 0, std::max(0.425f * s, -204.0f));

        SetBlend(LIGHTBLEND);
        frontA -= 1.4f;
        if (frontA < -880) frontA += 880;
        for (float dy : {210.0f, 710.0f}) {
            DrawImage(Wolken[0], frontA, dy + 2 * s);
            DrawImage(Wolken[0], frontA + 880, dy + 2 * s);
        }
        frontB -= 0.5f;
        if (frontB < -760) frontB += 760;
        for (float dy : {260.0f, 560.0f}) {
            DrawImage(Wolken[1], frontB, dy + 3 * s);
            DrawImage(Wolken[1], frontB + 760, dy + 3 * s);
        }
        SetBlend(ALPHABLEND);

        if (s >= -1 && arrived) {
            v -= 0.025f;
            if (v < 0) running = false;
        }
        if (!arrived && ((Millisecs() - start) / 750) % 2 == 0) {
            SetAlpha(1);
            FontMain->Draw(prompt, 320, 260, true);
        }

        e += 2;
        if (e > 400) {
            e = 0;
            k = (k + 1) % credits.size();
        } else if (const float a = CreditAlpha(e); a > 0 && !credits[k].empty()) {
            SetAlpha(a);
            FontMain->Draw(credits[k], 320, 420, true);
        }
        BlackCover(1 - v);
        FlipFrame(-1);
    }
}

void TIntro::RunMenuScene() {
    LogScreen("title");
    float s = 0;
#ifdef VELMORA_MENU_BUTTERFLIES
    TButterfly butterflies[2];
#endif
    for (;;) {
        Cls();
        if (s < 1 && TitleScreen->TitleMenuState) s += 0.05f;
        SetBlend(ALPHABLEND);
        SetAlpha(1);
        SetColor(255, 255, 255);
        DrawImage(MainMenu, 0, 0);
#ifdef VELMORA_MENU_BUTTERFLIES
        for (TButterfly& bf : butterflies) bf.Draw();
#endif
        if (s >= 1) TitleScreen->Run();
        if (!TitleScreen->TitleMenuState) return;
        BlackCover(s < 1 ? 1 - s : 1 - TitleScreen->Alpha);
        FlipFrame(-1);
    }
}
