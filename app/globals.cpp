#include "app/globals.hpp"

#include "data/language.hpp"
#include "data/users.hpp"
#include "fx/sfx.hpp"
#include "game/board.hpp"
#include "puzzle/unlocks.hpp"
#include "ui/requester.hpp"

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
