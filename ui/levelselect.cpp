#include "ui/levelselect.hpp"

#include <algorithm>
#include <cstdio>

#include "data/language.hpp"
#include "data/users.hpp"
#include "fx/pointer.hpp"
#include "platform/filesys.hpp"
#include "platform/input.hpp"
#include "puzzle/levelset.hpp"
#include "puzzle/shape.hpp"
#include "puzzle/tileset.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/frame.hpp"
#include "ui/requester.hpp"
#include "ui/scrolllist.hpp"

const std::vector<std::string> EmbeddedLevelSets = {
    "incbin::../data/Jewels of Dharma.lvl",   "incbin::../data/Numbers of Lhasa.lvl",
    "incbin::../data/Peace in Sakya.lvl",     "incbin::../data/Way of Arhat.lvl",
    "incbin::../data/Zhenyan Abstraktum.lvl",
};

namespace {

constexpr float kFade = 0.05f;
constexpr float kPreviewScale = 0.314f;
constexpr int32_t kRowHeight = 32;

bool IsLevelSetName(const std::string& path) {
    return path.size() >= 4 && path.compare(path.size() - 4, 4, ".lvl") == 0;
}

bool SamePathIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char ca = a[i], cb = b[i];
        if (ca >= 'A' && ca <= 'Z') ca = ca - 'A' + 'a';
        if (cb >= 'A' && cb <= 'Z') cb = cb - 'A' + 'a';
        if (ca != cb) return false;
    }
    return true;
}

}  // namespace

std::string LevelSetTitle(const std::string& path) {
    std::string name = path;
    if (auto slash = name.rfind('/'); slash != std::string::npos) name.erase(0, slash + 1);
    if (IsLevelSetName(name)) name.resize(name.size() - 4);
    return name;
}

bool LevelSetCompletedBy(const TUser& player, const std::string& path) {
    for (const TMaxLevel& m : player.MaxLevel)
        if (m.Name == path && m.Level >= LEVEL_COUNT) return true;
    return false;
}

std::string LevelSetProgressText(int32_t p) {
    if (p <= 0) return Tx("Levelset not yet played");
    if (p >= LEVEL_COUNT) return Tx("Levelset completed");
    return Language->GetString("Progress: Level $currentLevel / $maxLevel",
                               {"currentLevel", std::to_string(p + 1), "maxLevel", std::to_string(LEVEL_COUNT)});
}

TReqLevelSelect::TReqLevelSelect() {
    AutoMidHandle(false);
    LevelSel_Screen = LoadImage("incbin::../gfx/levelselector_screen.png");
    Liste = LoadAnimImage("incbin::../gfx/levelselector_scr_list.png", 217, 240, 0, 2);
    AutoMidHandle(true);

    std::printf("Searching files...\n");
    dir = EmbeddedLevelSets;
    const std::string folder = UserFolder ? UserFolder->GetPath() : std::string();
    if (!folder.empty()) {
        for (const std::string& name : ReadDir(folder)) {
            dir.push_back(folder + name);
            std::printf("%s\n", dir.back().c_str());
        }
    }
    for (const std::string& path : dir)
        if (IsLevelSetName(path)) rows.push_back(path);
}

void TReqLevelSelect::Render() {
    std::printf("Screen level select (frame %lld)\n", (long long)FlipCount());
    std::printf("Read Leveldatas....\n");
    while (Frame()) {
    }
    Cls();
    FlipFrame(-1);
    CurrLevelSetFile = LevelFile;
}

bool TReqLevelSelect::Frame() {
    UpdateInput();
    Cls();
    SetAlpha(1);
    SetColor(255, 255, 255);
    if (LevelSel_Screen) DrawImage(LevelSel_Screen, 0, 0);
    FontHeadline->Draw(Tx("Levelset"), 108, 65);
    FontHeadline->Draw(Tx("Preview"), 345, 65);
    if (DrawButton(Tx("Choose"), 410, 350, false)) LeaveScreen = true;

    DrawRows();
    TakeSelection();
    DrawScrollBar();
    DrawPreview();
    FontMainHover->Draw(LevelSetProgressText(progress), 170, 385);
    if (MousePointer) MousePointer->Draw();

    SetAlpha(Fader);
    if (!LeaveScreen && Fader > 0) Fader -= kFade;
    if (LeaveScreen) {
        Fader += kFade;
        if (Fader > 1.0f) return false;
    }
    SetColor(0, 0, 0);
    DrawRect(0, 0, 640, 480);
    SetAlpha(1);
    SetColor(255, 255, 255);
    FlipFrame(-1);
    return true;
}

void TReqLevelSelect::DrawRows() {
    UserRef player = Users.GetCurrentUser();
    int vx, vy, vw, vh;
    GetViewport(vx, vy, vw, vh);
    SetViewport(kListLeft, kListTop, kListWidth, kListVisible);

    // The player's last set is found before the rows are walked, so that the rule below
    // (a completed set hands the selection on) starts from it and not from the first row.
    if (firstFrame)
        for (size_t i = 0; i < rows.size(); ++i)
            if (SamePathIgnoringCase(rows[i], player->CurrLevelFile)) sel = int32_t(i);

    const float mx = float(MouseX()), my = float(MouseY());
    const bool inWindow = my > float(kListTop) && my < float(kListTop + kListVisible);
    float ty = float(int(float(kListTop) - ListOffset));
    for (size_t n = 0; n < rows.size(); ++n) {
        const int32_t i = int32_t(n);
        if (inWindow && float(kListLeft) < mx && mx < float(kListLeft + kListWidth) && ty < my &&
            my < ty + kRowHeight) {
            SetViewport(kListLeft, int(ty), kListWidth, kRowHeight);
            if (MouseHits[0]) sel = i;
            if (Liste) DrawImage(Liste, kListLeft, kListTop, 0);
            SetViewport(kListLeft, kListTop, kListWidth, kListVisible);
        }
        if (sel == i) {
            SetViewport(kListLeft, int(ty), kListWidth, kRowHeight);
            if (Liste) DrawImage(Liste, kListLeft, kListTop, 1);
            SetViewport(kListLeft, kListTop, kListWidth, kListVisible);
            LevelFile = rows[n];
        }
        if (LevelSetCompletedBy(*player, rows[n])) {
            FontMainHover->Draw(LevelSetTitle(rows[n]), 120, ty);
            if (firstFrame && sel == i) selectionOnCompleted = true;
        } else {
            // Once per visit a selection that opened on a completed set goes on to the next
            // uncompleted one: below it in the first frame, else from the top in the second.
            if (selectionOnCompleted && !selectionMoved) {
                sel = i;
                LevelFile = rows[n];
                selectionMoved = true;
            }
            FontMain->Draw(LevelSetTitle(rows[n]), 120, ty);
        }
        ty += kRowHeight;
    }
    firstFrame = false;
    ListHeight = ListOverhang(rows.size(), kRowHeight, kListVisible);
    SetViewport(vx, vy, vw, vh);
}

void TReqLevelSelect::TakeSelection() {
    if (sel == shownSel) return;
    shownSel = sel;
    CurrLevelSetFile = LevelFile;
    ReadLevelSet(CurrLevelSetFile);
    Shape::ClearAllElements();
    for (const ShapeRef& s : LevelShapes[0])
        Shape::CreateNewShape(s->Element, s->X, s->Y, s->Rotation, 0, 0, 0, false, false, 0);
    UserRef player = Users.GetCurrentUser();
    player->CurrLevelFile = CurrLevelSetFile;
    Users.Save();
    const TMaxLevel* m = player->LatestMaxLevel(CurrLevelSetFile);
    progress = m ? m->Level : 0;
}

void TReqLevelSelect::DrawScrollBar() {
    const float mx = float(MouseX()), my = float(MouseY());
    const float left = kTrackLeft, right = kTrackLeft + 20;
    ScrollThumb thumb(ListOffset, ListHeight, kListVisible, kTrackTop, kTrackHeight);
    const int frame = (left < mx && mx < right && thumb.top < my && my < thumb.top + thumb.height) ? 1 : 0;
    if (MouseHits[0] && left < mx && mx < right && kTrackTop < my && my < kTrackTop + kTrackHeight) slide = true;
    if (slide && MouseDown(MOUSE_LEFT)) {
        ListOffset = thumb.OffsetFor(my, kTrackTop, kTrackHeight, ListHeight);
        thumb = ScrollThumb(ListOffset, ListHeight, kListVisible, kTrackTop, kTrackHeight);
    }
    if (!MouseDown(MOUSE_LEFT)) slide = false;

    int vx, vy, vw, vh;
    GetViewport(vx, vy, vw, vh);
    SetViewport(kTrackLeft, int(thumb.top), 20, int(thumb.height));
    if (Liste) DrawImage(Liste, kListLeft, kListTop, frame);

    // The arrows: 20 x 20 squares above and below the track.
    const float upTop = kListTop, downTop = kTrackTop + kTrackHeight;
    for (float top : {upTop, downTop}) {
        if (!(left < mx && mx < right && top < my && my < top + 20)) continue;
        const bool held = MouseDown(MOUSE_LEFT);
        if (held && top == upTop) ListOffset = std::max(ListOffset - 2, 0.0f);
        if (held && top == downTop) ListOffset = std::min(ListOffset + 2, float(ListHeight));
        SetViewport(kTrackLeft, int(top), 20, 20);
        if (Liste) DrawImage(Liste, kListLeft, kListTop, held ? 1 : 0);
    }
    SetViewport(vx, vy, vw, vh);
}

void TReqLevelSelect::DrawPreview() const {
    const int32_t set = LevelProps[0].PuzzleSet;
    for (const ShapeRef& s : ElementList) {
        // A set file may name tile pictures the game does not have; those are left out.
        if (set < 0 || size_t(set) >= TileImages.size() || s->Element < 0 || size_t(s->Element) >= TileImages[0].size())
            continue;
        const ImageRef& img = TileImages[size_t(set)][size_t(s->Element)];
        if (!img) continue;
        SetRotation(s->Rotation);
        SetScale(kPreviewScale, kPreviewScale);
        DrawImage(img, 349 + s->X * kPreviewScale, 129 + s->Y * kPreviewScale);
    }
    SetRotation(0);
    SetScale(1, 1);
}

void RunLevelSelect() {
    TReqLevelSelect screen;
    screen.Render();
}
