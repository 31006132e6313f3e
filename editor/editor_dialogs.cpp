#include "editor/editor_dialogs.hpp"

#include <algorithm>

#include "data/language.hpp"
#include "data/users.hpp"
#include "fx/pointer.hpp"
#include "platform/filesys.hpp"
#include "platform/input.hpp"
#include "puzzle/levelset.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/frame.hpp"
#include "ui/playerdialogs.hpp"

namespace {

ImageRef LoadDialogPicture() {
    const bool mid = AutoMidHandleEnabled();
    AutoMidHandle(false);
    ImageRef img = LoadImage("incbin::../gfx/yesno_requester.png");
    AutoMidHandle(mid);
    return img;
}

// The property dialogs stretch the question box to hold six buttons.
void DrawStretchedBox(const ImageRef& img) {
    SetColor(255, 255, 255);
    SetScale(1.2f, 1.7f);
    if (img) DrawImage(img, 90, 0);
    SetScale(1, 1);
}

std::string OnOffText(bool on, const std::string& onText, const std::string& offText) { return on ? onText : offText; }

std::string BonusTimeName(int32_t t) {
    switch (t) {
        case 0:
            return Tx("Very slow");
        case 1:
            return Tx("Slow");
        case 2:
            return Tx("Relaxed");
        case 3:
            return Tx("Fast");
        case 4:
            return Tx("Very fast");
        default:
            return std::to_string(t);
    }
}

std::string DifficultyName(int32_t d) {
    switch (d) {
        case 0:
            return Tx("Easy");
        case 1:
            return Tx("Default");
        case 2:
            return Tx("Hard");
        case 3:
            return Tx("Maniac");
        default:
            return std::to_string(d);
    }
}

bool ValidLevel(int32_t level) { return level >= 0 && level < LEVEL_COUNT; }

}  // namespace

int32_t NextGameMode(int32_t misc) {
    if (misc & MISC_ENLIGHTENMENT) return (misc & ~MISC_ENLIGHTENMENT) ^ MISC_MEDITATION;
    if (misc & MISC_MEDITATION) return misc & ~MISC_MEDITATION;
    return misc | MISC_ENLIGHTENMENT;
}

TLvlOptions::TLvlOptions() { RequesterImg = LoadDialogPicture(); }

void TLvlOptions::Render(int32_t level) {
    if (Page != PAGE_MAIN || !ValidLevel(level)) return;
    DrawStretchedBox(RequesterImg);
    if (FontHeadline) FontHeadline->Draw(Tx("Level properties"), 195, 66);
    int32_t& m = LevelProps[size_t(level)].MiscProperties;
    if (DrawTextButton(OnOffText(m & MISC_TWISTER, Tx("Twister: on"), Tx("Twister: off")), 359, 155)) m ^= MISC_TWISTER;
    if (DrawTextButton(OnOffText(m & MISC_FREEZE, Tx("Freeze: on"), Tx("Freeze: off")), 359, 185)) m ^= MISC_FREEZE;
    std::string mode = Tx("Gamemode: Default");
    if (m & MISC_MEDITATION) mode = Tx("Gamemode: Meditation");
    if (m & MISC_ENLIGHTENMENT) mode = Tx("Gamemode: Enlightenment");
    if (DrawTextButton(mode, 359, 215)) m = NextGameMode(m);
    if (DrawTextButton(OnOffText(m & MISC_FLOATING, Tx("Floating tiles: on"), Tx("Floating tiles: off")), 359, 245))
        m ^= MISC_FLOATING;
    if (DrawTextButton(OnOffText(m & MISC_PLAY_FOR_TILES, Tx("Play for tiles: on"), Tx("Play for tiles: off")), 359,
                       275))
        m ^= MISC_PLAY_FOR_TILES;
    if (DrawTextButton(OnOffText(m & MISC_TORCH, Tx("Torch: on"), Tx("Torch: off")), 359, 305)) m ^= MISC_TORCH;
    if (DrawButton(Tx("Okay"), 359, 378)) Page = PAGE_EXIT;
}

TBonusLvlOptions::TBonusLvlOptions() { RequesterImg = LoadDialogPicture(); }

void TBonusLvlOptions::Render(int32_t level) {
    if (Page != PAGE_MAIN || !ValidLevel(level)) return;
    TLevelProperties& p = LevelProps[size_t(level)];
    DrawStretchedBox(RequesterImg);
    if (FontHeadline) FontHeadline->Draw(Tx("Preferences"), 360, 95, true);
    if (DrawTextButton(Language->GetString("Time: $mode", {"mode", BonusTimeName(p.BonusTime)}), 359, 155)) {
        ++p.BonusTime;
        if (p.BonusTime > 4 || p.BonusTime < 0) p.BonusTime = 0;
    }
    int32_t& m = p.MiscProperties;
    if (DrawTextButton(OnOffText(m & MISC_BOMBS, Tx("Bombs: on"), Tx("Bombs: off")), 359, 185)) m ^= MISC_BOMBS;
    if (DrawTextButton(OnOffText(m & MISC_JOKER, Tx("Joker: on"), Tx("Joker: off")), 359, 215)) m ^= MISC_JOKER;
    if (DrawTextButton(
            Language->GetString("Difficulty: $difficulty", {"difficulty", DifficultyName(p.BonusLevelDifficulty)}), 359,
            245)) {
        ++p.BonusLevelDifficulty;
        if (p.BonusLevelDifficulty > 3 || p.BonusLevelDifficulty < 0) p.BonusLevelDifficulty = 0;
    }
    if (DrawButton(Tx("Okay"), 359, 378)) Page = PAGE_EXIT;
}

// ---------------------------------------------------------------------------------------------

bool UsableLevelSetName(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) return false;
    return name.find_first_not_of('.') != std::string::npos;
}

TReqEnterLevelName::TReqEnterLevelName() {
    SetImage("incbin::../gfx/yesno_requester.png", false);
    const bool mid = AutoMidHandleEnabled();
    AutoMidHandle(false);
    StrField = LoadImage("incbin::../gfx/name_requester.png");
    AutoMidHandle(mid);
}

void TReqEnterLevelName::Confirm() {
    if (UsableLevelSetName(Caption)) Action = "OK";
}

void TReqEnterLevelName::Render2(float x, float y) {
    SetColor(255, 255, 255);
    if (StrField) DrawImage(StrField, x + 54, y + 129);
    if (++CursorCount > 50) CursorCount = 0;

    const std::string k = ReadNameKey();
    --LastTime;
    if (k == "KEY_BACKSPACE") {
        if (LastTime < 0) {
            LastTime = 10;
            if (!Caption.empty()) Caption.pop_back();
        }
    } else if (k == "KEY_ENTER") {
        if (Alpha >= 1.0f) ButtonPressed("Ok");
    } else if (!k.empty()) {
        if (FontMain && FontMain->GetWidth(Caption) < 300) Caption += k;
    }

    const int32_t tx = int32_t(x + 56), ty = int32_t(y + 126);
    if (FontMain) {
        FontMain->Draw(Caption, float(tx), float(ty));
        if (CursorCount > 25)
            DrawRect(float(tx + FontMain->GetWidth(Caption) + 2), float(ty + FontMain->FrameHeight - 6), 16, 2);
    }
    if (DrawButton(Tx("Ok"), int32_t(x + 233), int32_t(y + 207))) Confirm();
    if (FontMain) FontMain->Draw(Tx("Enter a name for the new levelset:"), x + 223, y + 75, true);
}

// Enter confirms as the button does: a player who types a name expects the key to take it.
void TReqEnterLevelName::ButtonPressed(const std::string& name) {
    if (name == "Ok") Confirm();
}

// ---------------------------------------------------------------------------------------------

TReqLevelSeletor::TReqLevelSeletor(const std::string& folder) {
    SetImage("incbin::../gfx/levelselector_requester.png", true);
    AddButton("UP", 238, 47, 23, 22, true, false, 0, nullptr);
    AddButton("DOWN", 238, 267, 23, 23, true, false, 0, nullptr);
    if (FileType(folder) == FILETYPE_NONE) CreateDir(folder);
    dir = ReadDir(folder);
}

std::vector<std::string> TReqLevelSeletor::ListedFiles() const {
    std::vector<std::string> out;
    for (const std::string& name : dir) {
        if (name.empty()) break;
        if (name == "." || name == "..") continue;
        if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".lvl") == 0) out.push_back(name);
    }
    return out;
}

void TReqLevelSeletor::Render2(float x, float y) {
    SetColor(255, 255, 255);
    int vx, vy, vw, vh;
    GetViewport(vx, vy, vw, vh);
    const int32_t listX = int32_t(x + 18), listY = int32_t(y + 49);
    constexpr int32_t kListW = 218, kListH = 238;
    SetViewport(listX, listY, kListW, kListH);

    const int32_t players = int32_t(Users.UserList.size());
    if (CurrentUserIndex > players - 1) CurrentUserIndex = players - 1;
    if (CurrentUserIndex < 0) CurrentUserIndex = 0;

    const int32_t rowH = FontMain ? FontMain->FrameHeight : 32;
    const int mx = MouseX(), my = MouseY();
    // Rows scrolled out of the list area can be neither seen nor picked.
    const bool inList = listX < mx && mx < listX + kListW && listY < my && my < listY + kListH;
    int32_t rowY = int32_t(y + 49 - ListOffset);
    int32_t index = 0;
    auto clipRow = [&](int32_t top) {
        const int32_t y0 = std::max(top, listY), y1 = std::min(top + rowH, listY + kListH);
        SetViewport(listX, y0, kListW, std::max(0, y1 - y0));
    };
    for (const std::string& name : ListedFiles()) {
        if (inList && listX < mx && mx < listX + kListW && rowY < my && my < rowY + rowH) {
            clipRow(rowY);
            if (MouseHits[0]) sel = index;
            DrawImage(RequesterImage, x, y, 1);
            SetViewport(listX, listY, kListW, kListH);
            if (MousePointer) MousePointer->SetHover(true);
        }
        if (sel == index) {
            clipRow(rowY);
            DrawImage(RequesterImage, x, y, 2);
            SetViewport(listX, listY, kListW, kListH);
            LevelFile = name;
        }
        if (FontMain) FontMain->Draw(name.substr(0, name.size() - 4), float(listX + 5), float(rowY));
        rowY += rowH;
        ++index;
    }
    ListHeight = std::max(0, index * rowH - kListH);
    SetViewport(vx, vy, vw, vh);

    const float barX = x + 238, trackTop = y + 70, trackH = 197;
    const float content = float(std::max(ListHeight + kListH, kListH));
    const float knobH = trackH * float(kListH) / content;
    const float knobY = trackTop + ListOffset / content * trackH;
    const bool overKnob = barX < float(mx) && float(mx) < barX + 23 && knobY < float(my) && float(my) < knobY + knobH;
    if (MouseHits[0] && barX < float(mx) && float(mx) < barX + 23 && trackTop < float(my) &&
        float(my) < trackTop + trackH)
        slide = true;
    if (slide) {
        if (MouseDown(MOUSE_LEFT)) {
            ListOffset = (float(my) - trackTop - knobH / 2) / trackH * content;
            ListOffset = std::clamp(ListOffset, 0.0f, float(ListHeight));
        } else {
            slide = false;
        }
    }
    SetViewport(int(barX), int(knobY), 23, std::max(1, int(knobH)));
    DrawImage(RequesterImage, x, y, overKnob ? 2 : 1);
    SetViewport(vx, vy, vw, vh);

    if (FontHeadline) FontHeadline->Draw(Tx("Choose a levelset"), x + 14, y - 12);
    if (DrawButton(Tx("New"), int32_t(x + 325), int32_t(y + 80))) Action = "NEW";
    if (DrawButton(Tx("Ok"), int32_t(x + 325), int32_t(y + 260), sel == -1)) Action = "OK";
}

void TReqLevelSeletor::ButtonPressed(const std::string&) {}

void TReqLevelSeletor::ButtonDown(const std::string& name) {
    if (name == "DOWN") ListOffset = std::min(ListOffset + 2, float(ListHeight));
    if (name == "UP") ListOffset = std::max(ListOffset - 2, 0.0f);
}

// ---------------------------------------------------------------------------------------------

TReqNotice::TReqNotice() { SetImage("incbin::../gfx/yesno_requester.png", false); }

void TReqNotice::Render2(float x, float y) {
    SetColor(255, 255, 255);
    if (FontHeadline) FontHeadline->Draw(Line1, x + 230, y + 65, true);
    if (FontMain) FontMain->Draw(Line2, x + 230, y + 115, true);
    if (DrawButton(Tx("Okay"), int32_t(x + 230), int32_t(y + 210))) Done = true;
}

void TReqNotice::ButtonPressed(const std::string&) {}
