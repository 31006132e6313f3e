#include "editor/editor_entry.hpp"

#include <cstdio>

#include "data/language.hpp"
#include "data/users.hpp"
#include "editor/editor.hpp"
#include "editor/editor_dialogs.hpp"
#include "fx/pointer.hpp"
#include "platform/filesys.hpp"
#include "puzzle/levelset.hpp"
#include "ui/frame.hpp"
#include "ui/requester.hpp"

namespace {

void LogScreen(const char* name) { std::printf("Screen %s (frame %lld)\n", name, (long long)FlipCount()); }

// One frame of a dialog on a cleared screen, as the entry sequence shows them.
template <class Draw>
void DialogFrame(Draw draw) {
    Cls();
    UpdateInput();
    SetColor(255, 255, 255);
    draw();
    SetAlpha(1);
    if (MousePointer) MousePointer->Draw();
}

}  // namespace

void EditLevelSet(const std::string& path) {
    CurrLevelSetFile = path;
    if (FileType(path) != FILETYPE_FILE && !WriteEmptyLevelSet(path))
        std::printf("Could not create the level set %s\n", path.c_str());
    TEd editor;
    editor.Start();
}

void RunLevelEditor() {
    const std::string folder = UserFolder ? UserFolder->GetPath() : std::string("data/");
    std::string action, levelFile;
    {
        TReqLevelSeletor chooser(folder);
        LogScreen("LevelSetChooser");
        float f = 0;
        for (;;) {
            DialogFrame([&] { chooser.Render(150, 100); });
            if (!chooser.Action.empty()) {
                f += 0.1f;
                SetColor(0, 0, 0);
                SetAlpha(f);
                DrawRect(0, 0, 640, 480);
                SetAlpha(1);
                SetColor(255, 255, 255);
                if (f > 1.0f) {
                    Cls();
                    FlipFrame(-1);
                    break;
                }
            }
            FlipFrame(-1);
        }
        action = chooser.Action;
        levelFile = chooser.LevelFile;
    }
    std::string path = folder + levelFile;
    std::printf("curr Levelfile: %s\n", path.c_str());

    if (action == "NEW") {
        TReqEnterLevelName nameReq;
        std::string answer;
        do {
            TReqYesNo ask;
            nameReq.Action.clear();
            LogScreen("EnterLevelName");
            while (nameReq.Action != "OK") {
                DialogFrame([&] { nameReq.Render(95, 50); });
                FlipFrame(-1);
            }
            ask.ButtonPressStr.clear();
            path = folder + nameReq.Caption + ".lvl";
            if (FileType(path) == FILETYPE_FILE) {
                ask.Line1 = Tx("Overwrite levels?");
                ask.Line2 = Tx("Levelset already exists.\nOverwrite?");
                LogScreen("OverwriteLevels");
                while (ask.ButtonPressStr.empty()) {
                    DialogFrame([&] { ask.Render(150, 100); });
                    FlipFrame(-1);
                }
            }
            answer = ask.ButtonPressStr;
        } while (answer == "NO");
    }
    EditLevelSet(path);
}
