// The drawn mouse pointer: the system pointer is hidden and every screen draws this one last.
#pragma once

#include <memory>

#include "platform/graphics.hpp"

class TPointer {
public:
    TPointer();
    virtual ~TPointer() = default;

    ImageRef Image;  // 16 frames of 32 x 32, handle at the top-left corner
    float Frame = 0;
    bool Hover = false;
    bool Display = true;

    // Hot areas assert hover in every frame they are under the mouse; UpdateInput clears it.
    void SetHover(bool on) { Hover = on; }
    // Runs the hover animation through frames 0 to 14 at half a frame per call; without hover
    // the pointer stands still on whatever frame it reached.
    void Draw();
};

extern std::unique_ptr<TPointer> MousePointer;
