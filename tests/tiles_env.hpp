// Shared set-up for the tests of the sound table, pointer, buttons and tiles: the shared
// objects start-up makes, made once, and a frame that runs through the game's own input path.
#pragma once

#include "data/language.hpp"
#include "fx/pointer.hpp"
#include "fx/sfx.hpp"
#include "gl_env.hpp"
#include "platform/input.hpp"
#include "puzzle/shape.hpp"
#include "puzzle/tileset.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/frame.hpp"
#include "ui/requester.hpp"

inline void EnsureSharedUi() {
    if (!Language) Language = std::make_unique<TLanguage>();
    if (!SFX) InitSound();
    if (!MousePointer) MousePointer = std::make_unique<TPointer>();
    if (!FontMain) LoadFonts();
    if (!DefaultButtonImage) LoadButtonImages();
}

// Textures still held by globals at exit would be released while the GL driver is being torn
// down, which can hang the software renderer; let them go, and the window, before that.
class SharedUiRelease : public ::testing::Environment {
public:
    void TearDown() override {
        Shape::ClearAllElements();
        PickedShape.reset();
        for (TileImageTable* t : {&TileImages, &TileGoldImages, &TileShadowImages})
            for (auto& row : *t)
                for (ImageRef& img : row) img.reset();
        MousePointer.reset();
        FontHeadline.reset();
        FontHeadlineHover.reset();
        FontMain.reset();
        FontMainHover.reset();
        DefaultButtonImage.reset();
        ReglerImage.reset();
        if (GraphicsOpen()) EndGraphics();
    }
};
inline ::testing::Environment* const kSharedUiRelease = ::testing::AddGlobalTestEnvironment(new SharedUiRelease);

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
        Flip(0);  // nothing drawn stays pending in the batch
        InputReset();
        SetVirtualClock(false);
        ResetDrawState();
    }
    int Played(int no) const { return SFX->PlayCount[size_t(no)]; }
};
