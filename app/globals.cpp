#include "app/globals.hpp"

#include <cstdio>

std::unique_ptr<TLanguage> Language;
std::unique_ptr<TFullAccess> UserFolder;
std::unique_ptr<TBitmapFont> FontHeadline, FontHeadlineHover, FontMain, FontMainHover;

ImageRef BackgroundImage;
ImageRef BoardImage;
std::array<ImageRef, 5> GameGfx;
ImageRef LampImage;
ImageRef DefaultButtonImage;
ImageRef ReglerImage;

std::array<uint8_t, 2> MouseHits{};
int32_t MouseZ = 0;
int32_t OldMouseZ = 0;
uint8_t TileDropped = 0;

SoundRef MusicSound;
ChannelRef MusicChannel;

void CreateSharedObjects() {
    Language = std::make_unique<TLanguage>();
    UserFolder = std::make_unique<TFullAccess>(TFullAccess::Create("Corvantis", "Velmora"));
}

void ReleaseSharedObjects() {
    if (MusicChannel) MusicChannel->Stop();
    MusicChannel.reset();
    MusicSound.reset();
    BackgroundImage.reset();
    BoardImage.reset();
    for (auto& g : GameGfx) g.reset();
    LampImage.reset();
    DefaultButtonImage.reset();
    ReglerImage.reset();
    UserFolder.reset();
    Language.reset();
}

void LoadFonts() {
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
