// The player dialogs, the level-set chooser and the hall of fame, each drawn by the game's own
// code over a few frames and kept as docs/screen_*.png.
#include "dialogs.hpp"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>

#include "data/language.hpp"
#include "data/users.hpp"
#include "fx/pointer.hpp"
#include "platform/graphics.hpp"
#include "platform/input.hpp"
#include "platform/platform_hooks.hpp"
#include "puzzle/levelset.hpp"
#include "puzzle/tileset.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/frame.hpp"
#include "ui/highscore.hpp"
#include "ui/levelselect.hpp"
#include "ui/playerdialogs.hpp"
#include "ui/requester.hpp"

namespace {

bool Keep(const std::string& path) {
    PixmapRef shot = GrabPixmap(0, 0, kLogicalWidth, kLogicalHeight);
    for (uint32_t& p : shot->pixels) p |= 0xff000000u;
    if (!SavePixmapPNG(*shot, path)) return false;
    std::printf("wrote %s\n", path.c_str());
    return true;
}

// The title scene behind the player dialogs.
void TitleFrame(const ImageRef& menu, const std::function<void()>& dialog) {
    Cls();
    UpdateInput();
    SetAlpha(1);
    SetColor(255, 255, 255);
    if (menu) DrawImage(menu, 0, 0);
    dialog();
    SetAlpha(1);
    MousePointer->Draw();
    FlipFrame(-1);
}

}  // namespace

bool DrawDialogPictures(const std::string& docs) {
    namespace fs = std::filesystem;
    const fs::path scratch = fs::temp_directory_path() / "velmora_screens";
    fs::remove_all(scratch);
    fs::create_directories(scratch / "data");

    Language = std::make_unique<TLanguage>();
    LoadFonts();
    LoadButtonImages();
    MousePointer = std::make_unique<TPointer>();
    UserFolder = std::make_unique<TFullAccess>();
    UserFolder->SetPath((scratch / "data").string() + "/");
    Users.FilePath = UserFolder->GetPath() + kUsersFileName;
    for (const char* name : {"Tenzin", "Mira", "Karma", "Pema", "Lina", "Sam", "Dawa", "Yara", "Kesang", "Ivo"})
        Users.AddNewUser(name);
    CurrentUserIndex = 2;
    WriteEmptyLevelSet(UserFolder->GetPath() + "Garden of Stones.lvl");
    LoadPuzzleset(0, false);
    SetVirtualClock(true);

    AutoMidHandle(false);
    ImageRef menu = LoadImage("incbin::../gfx/mainmenu.png");
    bool ok = true;

    std::string action = "USERS_SHOW";
    TReqEnterName names(action);
    TReqUsers list(action, names);
    InputMouseMove(200, 25 + 84 + 32 * 4 + 16);  // over a row
    for (int i = 0; i < 12; ++i) TitleFrame(menu, [&] { list.Render(62, 25); });
    ok = Keep(docs + "/screen_players.png") && ok;

    InputMouseMove(560, 420);
    for (char c : std::string("Tenzin Norbu")) {
        InputTypeText(std::string(1, c));
        TitleFrame(menu, [&] { names.Render(105, 115); });
    }
    for (int i = 0; i < 30; ++i) TitleFrame(menu, [&] { names.Render(105, 115); });
    ok = Keep(docs + "/screen_name_entry.png") && ok;

    // The chooser with the player's own set listed last and some progress in the second set.
    UserRef player = Users.GetCurrentUser();
    player->CurrLevelFile = EmbeddedLevelSets[1];
    player->MaxLevel = {{EmbeddedLevelSets[0], 50}, {EmbeddedLevelSets[1], 12}};
    InputMouseMove(250, 300);
    {
        TReqLevelSelect screen;
        for (int i = 0; i < 25; ++i) screen.Frame();
        ok = Keep(docs + "/screen_level_select.png") && ok;
    }

    player->Score = 8500;
    Users.UserList[0]->Score = 12400;
    const int64_t start = FlipCount();
    SetAfterFlipHook([&](int64_t frames) {
        if (frames == start + 120) ok = Keep(docs + "/screen_highscore.png") && ok;
        if (frames == start + 121) {
            InputMouseMove(320, 440);
            InputMouseButton(MOUSE_LEFT, true);
        }
        if (frames == start + 122) InputMouseButton(MOUSE_LEFT, false);
    });
    InputMouseMove(520, 300);
    ShowHighscore();
    SetAfterFlipHook(nullptr);

    Shape::ClearAllElements();
    fs::remove_all(scratch);
    return ok;
}
