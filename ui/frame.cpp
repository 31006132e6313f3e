#include "ui/frame.hpp"

#include <cstdio>
#include <cstdlib>

#include "fx/pointer.hpp"
#include "platform/audio.hpp"
#include "platform/graphics.hpp"
#include "platform/input.hpp"
#include "ui/requester.hpp"

std::array<uint8_t, 2> MouseHits{};
int32_t MouseZ = 0;
int32_t OldMouseZ = 0;
uint8_t TileDropped = 0;

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
