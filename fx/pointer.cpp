#include "fx/pointer.hpp"

#include <cmath>

#include "platform/input.hpp"

std::unique_ptr<TPointer> MousePointer;

TPointer::TPointer() {
    Image = LoadAnimImage("incbin::../gfx/pointer.png", 32, 32, 0, 16);
    if (Image) SetImageHandle(Image, 0, 0);
}

void TPointer::Draw() {
    if (!Display) return;
    if (Hover) Frame = std::fmod(Frame + 0.5f, 15.0f);
    // The hot spot is 8 pixels in and 2 down from the picture's corner.
    DrawImage(Image, float(MouseX() - 8), float(MouseY() - 2), int(Frame));
}
