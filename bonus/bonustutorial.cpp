#include "bonus/bonustutorial.hpp"

#include "data/language.hpp"
#include "ui/bitmapfont.hpp"

namespace {
const char* const kPages[BonusTutorial::PAGE_COUNT] = {
    LangText("You can move the symbols around\nwith your mouse!"),
    LangText("To rotate tiles, use the keys A/S,\nthe right mousebutton\nor your mousewheel."),
    LangText("Press the mouse button\nto fire the tiles\nto the top."),
    LangText(
        "If you match three or more\nsymbols of the same type in a\nrow, column or diagonal\nline they'll disappear."),
    LangText("Try to remove all tiles\nthat have a floating\nYing-Yang-Symbol."),
};
}  // namespace

const char* BonusTutorial::PageText(int32_t page) {
    return page >= 0 && page < PAGE_COUNT ? kPages[page] : kPages[PAGE_COUNT - 1];
}

BonusTutorial::BonusTutorial() {
    SetScaleFactor(1.3f, 1.3f);
    SetImage("incbin::../gfx/yesno_requester.png", false);
    bool mid = AutoMidHandleEnabled();
    AutoMidHandle(false);
    icons = LoadAnimImage("incbin::../gfx/bonusgame/tutorial.png", 92, 92, 0, PAGE_COUNT);
    AutoMidHandle(mid);
    Line = Language->GetString(PageText(0));
}

void BonusTutorial::Render2(float x, float y) {
    SetColor(255, 255, 255);
    if (FontHeadline) FontHeadline->Draw(Tx("How to play?"), x + 280, y + 75, true);
    DrawImage(icons, x + 80, y + 115, Stp);
    if (FontMain) FontMain->Draw(Line, x + 180, y + 110, false);
    if (Stp < PAGE_COUNT - 1) {
        if (DrawButton(">>", int32_t(x + 470), int32_t(y + 270))) {
            ++Stp;
            Line = Language->GetString(PageText(Stp));
        }
    } else if (DrawButton(Tx("Okay"), int32_t(x + 280), int32_t(y + 270))) {
        ButtonPressStr = "Exit";
    }
}

void BonusTutorial::ButtonPressed(const std::string&) {}
