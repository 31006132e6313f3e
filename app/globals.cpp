#include "app/globals.hpp"

#include <cstdio>

#include "platform/filesys.hpp"

std::unique_ptr<TLanguage> Language;
std::unique_ptr<TFullAccess> UserFolder;
std::string CurrLevelSetFile = "data/Beginners.lvl";

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

TFullAccess::TFullAccess(const std::string&, const std::string&) {
    // Maker and product name would choose a per-user folder elsewhere; here the game keeps
    // its data below the working directory, which the launcher sets.
    path_ = CurrentDir() + "/data/";
    if (FileType(path_) == FILETYPE_DIR) {
        std::printf("Folder already exists: %s\n", path_.c_str());
    } else {
        std::printf("Creating New Folder: %s\n", path_.c_str());
        if (!CreateDir(path_)) std::printf("Could not create folder: %s\n", path_.c_str());
    }
}

void CreateSharedObjects() {
    Language = std::make_unique<TLanguage>();
    UserFolder = std::make_unique<TFullAccess>("Corvantis", "Velmora");
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
