#include "ui/tutorial.hpp"

#include <algorithm>

#include "data/language.hpp"
#include "fx/pointer.hpp"
#include "platform/timing.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/frame.hpp"
#include "ui/requester.hpp"
#include "ui/screenlog.hpp"

namespace {
constexpr float kTextLeft = 35, kTextTop = 287, kTextWidth = 565;
constexpr float kShotX = 35, kShotY = 73;
constexpr float kFadeStep = 0.1f;
constexpr float kTurnPerFrame = 2.25f;  // ten frames make one 22.5-degree step of a real tile

bool LineBreakAt(const std::string& s, size_t i) { return s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'n'; }

int CharWidth(const TBitmapFont& font, unsigned char c) {
    if (c < TBitmapFont::kFirstCode) return 0;
    return font.CharW[size_t(c - TBitmapFont::kFirstCode)];
}
}  // namespace

Tutorial::Tutorial() {
    AutoMidHandle(false);
    bg = LoadImage("incbin::../gfx/tutorial/bg.png");
    Screen0 = LoadImage("incbin::../gfx/tutorial/screen0.png");
    MovingArrow = LoadImage("incbin::../gfx/tutorial/arrow.png");
    Screen1 = LoadImage("incbin::../gfx/tutorial/screen1.png");
    MyPointer = LoadImage("incbin::../gfx/tutorial/screen1_pointer.png");
    AutoMidHandle(true);
    MyTile = LoadImage("incbin::../gfx/tutorial/screen1_tile.png");
    AutoMidHandle(false);
    click = LoadImage("incbin::../gfx/tutorial/click.png");
    Screen6 = LoadImage("incbin::../gfx/tutorial/screen6.png");
    flash = LoadImage("incbin::../gfx/tutorial/screen6_flash.png");
    keyb = LoadAnimImage("incbin::../gfx/tutorial/keyboard.png", 94, 69, 0, 2);
}

const char* Tutorial::PageText(int32_t page) {
    static const char* const texts[kPages] = {
        LangText("Aim of the game is to fill the black silhouette with the given tiles at the right side of the "
                 "screen."),
        LangText("Move your mouse over a tile and click on it to select and move it around."),
        LangText("If you have selected a tile, you can use your mousewheel, the key A, S or the right mousebutton to "
                 "rotate it."),
        LangText("If you picked up a tile, a left mouse click will drop the tile down at the current position."),
        LangText("If you stuck in a puzzle, click on the lamp to get a hint."),
        LangText("A puzzle is solved, when all tiles will match the black silhouette exactly."),
    };
    return texts[std::clamp(page, 0, kPages - 1)];
}

int32_t Tutorial::LastFrame(int32_t page) {
    static const int32_t last[kPages] = {0, 310, 129, 330, 190, 240};
    return last[std::clamp(page, 0, kPages - 1)];
}

std::vector<Tutorial::Glyph> Tutorial::LayOutText(const std::string& text, const TBitmapFont& font) {
    std::vector<Glyph> out;
    const float lineHeight = float(font.FrameHeight);
    float x = 0;
    int line = 0;
    bool wordStart = true;
    for (size_t i = 0; i < text.size();) {
        if (LineBreakAt(text, i)) {
            ++line;
            x = 0;
            wordStart = true;
            i += 2;
            continue;
        }
        const auto c = static_cast<unsigned char>(text[i]);
        if (wordStart && x > 0) {
            float w = x;
            for (size_t j = i; j < text.size() && text[j] != ' ' && !LineBreakAt(text, j); ++j)
                w += float(CharWidth(font, static_cast<unsigned char>(text[j])));
            if (w > kTextWidth) {
                ++line;
                x = 0;
            }
        }
        wordStart = c == ' ';
        out.push_back({c, kTextLeft + 2 + x, kTextTop + float(line) * lineHeight + 2});
        x += float(CharWidth(font, c));
        ++i;
    }
    return out;
}

void Tutorial::DrawTutText(const std::string& text) {
    if (!FontMain) return;
    for (const Glyph& g : LayOutText(text, *FontMain)) FontMain->Draw(std::string(1, char(g.code)), g.x, g.y);
}

std::vector<Tutorial::Actor> Tutorial::Scene(int32_t page, int32_t c) const {
    std::vector<Actor> s;
    const float fc = float(c);
    auto tile = [&](float x, float y, float alpha = 1, float scale = 1) {
        s.push_back({&MyTile, x, y, alpha, scale, true});
    };
    auto pointer = [&](float x, float y) { s.push_back({&MyPointer, x, y, 1, 1, false}); };
    auto marker = [&](float x, float y) { s.push_back({&click, x, y, 1, 1, false}); };
    // Pages 3 and 5 begin with the tile carried in from the tray side.
    auto carryIn = [&] {
        const float p = c < 20 ? 0 : fc - 20;
        tile(222 - p, 176 - p);
        pointer(222 - p, 176 - p);
    };
    switch (page) {
        case 1: {
            const float scale = c < 60 ? 0.8f : c < 80 ? 0.8f + (fc - 60) / 100 : 1.0f;
            if (c < 150) {
                tile(268, 240, 1, scale);
                if (c < 60)
                    pointer(142 + 2 * fc, 179 + fc);
                else
                    pointer(262, 239);
                if (c > 100 && c < 130) marker(268, 235);
            } else if (c < 280) {
                const float d = fc - 150;
                tile(268 - 1.085f * d, 240 - 1.12f * d);
                pointer(262 - 1.085f * d, 239 - 1.12f * d);
            } else {
                tile(126.95f, 94.4f);
                pointer(120.95f, 93.4f);
            }
            break;
        }
        case 2:
            tile(156, 127);
            pointer(156, 128);
            if (c > 90 && c < 120) marker(160, 124);
            break;
        case 3:
            if (c < 100) {
                carryIn();
            } else if (c < 200) {
                tile(142, 96);
                pointer(142, 96);
                if (c > 140 && c < 180) marker(148, 92);
            } else {
                const float d = std::min(fc - 200, 100.0f);
                tile(142, 96);
                pointer(142 + d, 96 + d);
            }
            break;
        case 4:
            if (c >= 150 && c < 165) tile(142, 96, (fc - 150) / 20);
            if (c >= 165 && c < 175) tile(142, 96, (10 - (fc - 165)) / 20);
            if (c < 100)
                pointer(150 - fc, 134 + fc);
            else
                pointer(50, 234);
            if (c > 120 && c < 150) marker(52, 230);
            break;
        case 5:
            if (c < 100) {
                carryIn();
            } else if (c < 160) {
                tile(142, 96);
                pointer(142, 96);
                if (c > 130 && c < 160) marker(149, 92);
            } else {
                const float d = std::min(fc - 160, 45.0f);
                const float glow = c < 180 ? d / 20 : 1 - (fc - 180) / 20;
                tile(142, 96);
                if (glow > 0) s.push_back({&flash, 71, 74, glow, 1, false});
                pointer(142 + d, 96 + d);
            }
            break;
        default:
            break;
    }
    return s;
}

void Tutorial::DrawPage() {
    static const ImageRef* const shots[kPages] = {&Screen0, &Screen1, &Screen1, &Screen1, &Screen0, &Screen6};
    DrawTutText(Tx(PageText(Page)));
    DrawImage(*shots[Page], kShotX, kShotY);
    if (Page == 0) {
        const float s = SinDeg(float(Millisecs() / 5));
        DrawImage(MovingArrow, 293 - 10 * s, 42 + 10 * s);
        return;
    }
    for (const Actor& a : Scene(Page, Counter)) {
        SetAlpha(a.alpha);
        SetScale(a.scale, a.scale);
        SetRotation(a.turned ? Angle : 0);
        DrawImage(*a.image, a.x, a.y);
    }
    SetRotation(0);
    SetScale(1, 1);
    SetAlpha(1);
    if (Page == 2 && Counter >= 120) Angle += kTurnPerFrame;
    if (++Counter > LastFrame(Page)) Counter = 0;
}

bool Tutorial::Frame() {
    SetAlpha(1);
    UpdateInput();
    Cls();
    DrawImage(bg, 0, 0);
    if (FontHeadline) FontHeadline->Draw(Tx("Instructions"), 30, 0);

    SetColor(0, 0, 0);
    SetAlpha(0.75f);
    DrawRect(34, 287, 586, 105);
    SetColor(255, 255, 255);
    SetAlpha(1);

    DrawPage();
    if (FontMain) FontMain->Draw(std::to_string(Page + 1) + "/6", 35, 73);

    if (DrawButton("<<", 93, 435) && Page > 0) {
        --Page;
        Counter = 0;
    }
    if (DrawButton(">>", 215, 435) && Page < kPages - 1) {
        ++Page;
        Counter = 0;
    }
    if (DrawButton("Play", 567, 435)) Leaving = true;

    if (MousePointer) MousePointer->Draw();

    SetAlpha(Cover);
    SetColor(0, 0, 0);
    DrawRect(0, 0, 640, 480);
    SetColor(255, 255, 255);
    SetAlpha(1);
    if (!Leaving && Cover > 0) Cover -= kFadeStep;
    if (Leaving && Cover <= 1) Cover += kFadeStep;
    return !Done();
}

void Tutorial::Display() {
    LogScreen("tutorial");
    while (!Done()) {
        Frame();
        FlipFrame(-1);
    }
}
