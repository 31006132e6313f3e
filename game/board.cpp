#include "game/board.hpp"

ImageRef BoardImage;
std::array<ImageRef, 5> GameGfx;
ImageRef LampImage;

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
