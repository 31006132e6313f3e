#include "app/frame.hpp"

#include <cstdio>
#include <cstdlib>

#include "app/globals.hpp"
#include "fx/pointer.hpp"
#include "platform/audio.hpp"
#include "platform/graphics.hpp"
#include "platform/input.hpp"
#include "ui/requester.hpp"

void UpdateInput() {
    MouseHits[0] = uint8_t(MouseHit(MOUSE_LEFT));
    MouseHits[1] = uint8_t(MouseHit(MOUSE_RIGHT));
    OldMouseZ = MouseZ;
    MouseZ = MouseWheel();
    if (MousePointer) {
        MousePointer->SetHover(false);
        MousePointer->Display = true;
    }
    ButtonSlot = 0;
    TileDropped = 0;
}

[[noreturn]] void QuitProgram(int code) {
    std::fflush(stdout);
    CloseAudio();
    EndGraphics();
    // Everything worth keeping is saved by now, each file renamed into place as it was written.
    // Running the static destructors of the libraries (the GL driver's compiler among them)
    // would only keep a closed window waiting.
    std::fflush(nullptr);
    std::_Exit(code);
}

void FlipFrame(int sync) {
    Flip(sync);
    if (AppTerminate()) QuitProgram(0);
}

void LoadBoardGraphics() {
    AutoMidHandle(false);
    BoardImage = LoadImage("incbin::../gfx/board.png");
    GameGfx[0] = LoadImage("incbin::../gfx/timeborder.png");
    GameGfx[1] = LoadAnimImage("incbin::../gfx/timeanim.png", 72, 72, 0, 72);
    GameGfx[2] = LoadImage("incbin::../gfx/yinyang.png");
    MidHandleImage(GameGfx[2]);
    GameGfx[3] = LoadImage("incbin::../gfx/leveldisplay.png");
    GameGfx[4] = LoadAnimImage("incbin::../gfx/scoremenu.png", 107, 187, 0, 2);
    LampImage = LoadAnimImage("incbin::../gfx/LampeAnim.png", 57, 86, 0, 64);
    MidHandleImage(LampImage);
    AutoMidHandle(true);
}

void LoadBackground(int index) {
    AutoMidHandle(false);
    BackgroundImage = LoadImage("incbin::../gfx/bg/bg" + std::to_string(index + 1) + ".jpg");
}
