// The objects every screen shares. They are created by CreateSharedObjects in one place, in
// the order start-up needs them, and live until the program ends.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "data/language.hpp"
#include "data/users.hpp"
#include "platform/audio.hpp"
#include "platform/graphics.hpp"
#include "puzzle/levelset.hpp"
#include "ui/bitmapfont.hpp"

extern std::unique_ptr<TLanguage> Language;
extern std::unique_ptr<TFullAccess> UserFolder;

extern std::unique_ptr<TBitmapFont> FontHeadline, FontHeadlineHover, FontMain, FontMainHover;

extern ImageRef BackgroundImage;
extern ImageRef BoardImage;
extern std::array<ImageRef, 5> GameGfx;
extern ImageRef LampImage;
extern ImageRef DefaultButtonImage;
extern ImageRef ReglerImage;

extern std::array<uint8_t, 2> MouseHits;
extern int32_t MouseZ;
extern int32_t OldMouseZ;
extern uint8_t TileDropped;

extern SoundRef MusicSound;
extern ChannelRef MusicChannel;

// Creates the language table, the user folder and the fonts (start-up step 1).
void CreateSharedObjects();
// Loads the four bitmap fonts (start-up step 1; a missing font stops the program).
void LoadFonts();
// Releases everything the shared objects hold, in reverse order.
void ReleaseSharedObjects();

// Looks a text up in the language table (shorthand used by every screen).
inline std::string Tx(const char* english) { return Language->GetString(english); }
