// velmora-screens [DOCS_DIR]: draws documentation pictures with the game's own renderer and
// fonts, so what docs/ shows is what the game draws: the font sample here, the dialog screens
// in dialogs.cpp.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "dialogs.hpp"

#include "platform/embedded.hpp"
#include "platform/graphics.hpp"
#include "ui/bitmapfont.hpp"

int main(int argc, char** argv) {
    std::string docs = argc > 1 ? argv[1] : "docs";
    if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
    RegisterEmbeddedFiles();
    SetGraphicsOptions({true});
    if (!Graphics(kLogicalWidth, kLogicalHeight, 0, 60, 0)) return 1;
    SetImageFlags(MASKEDIMAGE | FILTEREDIMAGE | MIPMAPPEDIMAGE);

    TBitmapFont headline, headlineHover, main, mainHover;
    for (auto [font, name] : {std::pair{&headline, "Headline"},
                              {&headlineHover, "Headline_hover"},
                              {&main, "Main"},
                              {&mainHover, "Main_hover"}}) {
        std::string base = std::string("incbin::../gfx/fonts/") + name;
        font->LoadFnt(base + ".fnt");
        font->LoadBitmap(base + ".png");
    }
    ImageRef bg = LoadImage("incbin::../gfx/wisdoms.jpg");
    Cls();
    SetBlend(ALPHABLEND);
    if (bg) DrawImage(bg, 0, 0);
    headline.Draw("Velmora", 320, 60, true);
    headlineHover.Draw("Hall of fame", 320, 150, true);
    main.Draw("Main: Your name:  Welcome, Tenzin!\nNext Level: 12   Score: 004250", 40, 230, false);
    mainHover.Draw("Main hover: Start game  Preferences", 40, 330, false);
    main.Draw(std::string("\x7f ") + "Show map   \xc4\xd6\xdc \xe4\xf6\xfc \xdf \xe9\xe8", 40, 380, false);
    PixmapRef shot = GrabPixmap(0, 0, kLogicalWidth, kLogicalHeight);
    for (uint32_t& p : shot->pixels) p |= 0xff000000u;
    std::string out = docs + "/fonts_in_game.png";
    if (!SavePixmapPNG(*shot, out)) return 1;
    std::printf("wrote %s\n", out.c_str());
    if (!DrawDialogPictures(docs)) return 1;
    EndGraphics();
    return 0;
}
