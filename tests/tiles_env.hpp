// Shared set-up for the tests of the sound table, pointer, buttons and tiles: the shared
// objects start-up makes, made once, and a frame that runs through the game's own input path.
#pragma once

#include "app/frame.hpp"
#include "app/globals.hpp"
#include "fx/pointer.hpp"
#include "fx/sfx.hpp"
#include "gl_env.hpp"
#include "platform/input.hpp"

inline void EnsureSharedUi() {
    if (!Language) Language = std::make_unique<TLanguage>();
    if (!SFX) InitSound();
    if (!MousePointer) MousePointer = std::make_unique<TPointer>();
    if (!FontMain) {
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
    if (!DefaultButtonImage) {
        AutoMidHandle(true);
        DefaultButtonImage = LoadAnimImage("incbin::../gfx/default_button.png", 122, 60, 0, 3);
        AutoMidHandle(false);
        ReglerImage = LoadImage("incbin::../gfx/regler.png");
    }
}

// Drawing tests that also need the shared objects; input starts from rest and no flip waits.
class UiTest : public GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        EnsureSharedUi();
        SetVirtualClock(true);
        InputReset();
        SFX->ClearPlayLog();
    }
    void TearDown() override {
        InputReset();
        SetVirtualClock(false);
        ResetDrawState();
    }
    int Played(int no) const { return SFX->PlayCount[size_t(no)]; }
};
