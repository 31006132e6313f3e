#include "ui/playerdialogs.hpp"

#include <cstdio>
#include <cstring>

#include "data/language.hpp"
#include "data/users.hpp"
#include "platform/input.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/frame.hpp"
#include "ui/scrolllist.hpp"

namespace {

// Keys that leave the field alone while held; what is typed meanwhile waits in the queue.
constexpr int kFieldIgnoresKeys[] = {KEY_ESCAPE, KEY_PAGEUP, KEY_PAGEDOWN, KEY_RIGHT, KEY_LEFT, KEY_HOME, KEY_END};

constexpr const char* kNameSigns = "!?./:;*%$()&'+-*#@=\"";

constexpr float kMaxCaptionWidth = 300;
constexpr int32_t kBackspaceRepeat = 10;  // a held Backspace deletes every 11th frame

// A dialog "starts" in a frame when it was not drawn in the frame before.
bool StartsThisFrame(int64_t& lastShown, const char* screen) {
    const int64_t now = FlipCount();
    const bool starts = now != lastShown && now != lastShown + 1;
    lastShown = now;
    if (starts) std::printf("Screen %s (frame %lld)\n", screen, (long long)now);
    return starts;
}

}  // namespace

bool IsNameCharacter(int c) {
    if (c == ' ') return true;
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    return c > 0 && c < 128 && std::strchr(kNameSigns, c) != nullptr;
}

std::string FilterNameCharacters(const std::string& name) {
    std::string out;
    for (unsigned char c : name)
        if (IsNameCharacter(c)) out.push_back(char(c));
    return out;
}

bool NameEntryShown(const std::string& action) {
    return Users.UserList.empty() || action == "ADD_NEW_USER" || action == "CHANGE_USER";
}

std::string ReadNameKey() {
    for (int key : kFieldIgnoresKeys)
        if (KeyDown(key)) return "";
    if (KeyDown(KEY_ENTER)) return "KEY_ENTER";
    if (KeyDown(KEY_DELETE)) return "";
    if (KeyDown(KEY_BACKSPACE)) return "KEY_BACKSPACE";
    const int c = GetChar();
    if (c == 0) return "";
    FlushKeys();
    if (!IsNameCharacter(c)) return "";
    return std::string(1, char(c));
}

// ---------------------------------------------------------------------------------------------

TReqEnterName::TReqEnterName(std::string& action) : Action(action) {
    SetImage("incbin::../gfx/yesno_requester.png", false);
    AutoMidHandle(false);
    StrField = LoadImage("incbin::../gfx/name_requester.png");
    Heading = Tx("Your name:");
}

void TReqEnterName::Render2(float x, float y) {
    StartsThisFrame(LastShownFrame, "name entry");
    if (StrField) DrawImage(StrField, x + 54, y + 129);
    if (++CursorCount > 50) CursorCount = 0;
    SetColor(255, 255, 255);

    const std::string k = ReadNameKey();
    // The count only matters while it is below zero; stopping it there keeps it in range.
    if (LastTime > -1000) --LastTime;
    if (k == "KEY_BACKSPACE") {
        if (LastTime < 0) {
            LastTime = kBackspaceRepeat;
            if (!Caption.empty()) Caption.pop_back();
        }
    } else if (k == "KEY_ENTER") {
        if (Alpha >= 1.0f) ButtonPressed("Ok");
    } else if (!k.empty()) {
        if (float(FontMain->GetWidth(Caption)) < kMaxCaptionWidth) Caption += k;
    }

    const float tx = float(int(x + 56)), ty = float(int(y + 126));
    FontMain->Draw(Caption, tx, ty);
    if (CursorCount > 25)
        DrawRect(tx + float(FontMain->GetWidth(Caption)) + 2, ty + float(FontMain->FrameHeight - 6), 16, 2);

    FontHeadline->Draw(Heading, x + 223, y + 75, true);
    if (DrawButton(Tx("Ok"), int(x + 233), int(y + 207), false)) ButtonPressed("Ok");
}

void TReqEnterName::ButtonPressed(const std::string& name) {
    if (name != "Ok" || Caption.empty()) return;
    if (!ChangeName) {
        if (Users.AddNewUser(Caption)) std::printf("Player added: %s\n", Caption.c_str());
    } else if (ChangeId >= 0 && size_t(ChangeId) < Users.UserList.size()) {
        // Two players of one name would become one when the file is read back (the second
        // record is refused and its progress goes to the first), so a taken name is not given.
        UserRef other = Users.FindUser(Caption);
        UserRef renamed = Users.UserList[size_t(ChangeId)];
        if (!other || other == renamed) renamed->Name = Caption;
    }
    Users.Save();
    if (Action == "ADD_NEW_USER") {
        Action = "USERS_SHOW";
        CurrentUserIndex = int32_t(Users.UserList.size()) - 1;
    }
    if (Action == "CHANGE_USER") {
        ChangeName = false;
        ChangeId = -1;
        Action = "USERS_SHOW";
    }
}

// ---------------------------------------------------------------------------------------------

TReqUsers::TReqUsers(std::string& action, TReqEnterName& nameReq) : Action(action), NameReq(nameReq) {
    SetImage("incbin::../gfx/users_requester.png", true);
    AutoMidHandle(false);
    Ziehbalken = LoadAnimImage("incbin::../gfx/ziehbalken.png", 20, 1, 0, 2);
    Dharma = LoadAnimImage("incbin::../gfx/Dharma.png", 112, 97, 0, 16);
    AddButton("NEW", 312, 84, 96, 37, true, false, 0, nullptr);
    AddButton("CHANGE", 312, 121, 96, 37, true, false, 0, nullptr);
    AddButton("DELETE", 312, 158, 96, 37, true, false, 0, nullptr);
    AddButton("OK", 312, 317, 96, 37, true, false, 0, nullptr);
    AddButton("UP", 292, 84, 20, 20, true, false, 0, nullptr);
    AddButton("DOWN", 292, 304, 20, 20, true, false, 0, nullptr);
}

void TReqUsers::Render2(float x, float y) {
    StartsThisFrame(LastShownFrame, "players");
    SetColor(255, 255, 255);
    int vx, vy, vw, vh;
    GetViewport(vx, vy, vw, vh);
    const int lx = int(x + kListLeft), top = int(y + kListTop);
    SetViewport(lx, top, kListWidth, kListVisible);
    float ty = y + kListTop - ListOffset;

    const int32_t players = int32_t(Users.UserList.size());
    if (CurrentUserIndex > players - 1) CurrentUserIndex = players - 1;
    if (CurrentUserIndex < 0) CurrentUserIndex = 0;

    const int32_t h = FontMain->FrameHeight;
    const float mx = float(MouseX()), my = float(MouseY());
    // Rows scrolled out of the window cannot be picked by pointing beside the window.
    const bool inWindow = my > float(top) && my < float(top + kListVisible);
    for (int32_t i = 0; i < players; ++i) {
        if (inWindow && float(lx) < mx && mx < float(lx + kListWidth) && ty < my && my < ty + float(h)) {
            SetViewport(lx, int(ty), kListWidth, h);
            if (MouseHits[0]) CurrentUserIndex = i;
            DrawImage(RequesterImage, x, y, 1);
            SetViewport(lx, top, kListWidth, kListVisible);
        }
        if (CurrentUserIndex == i) {
            SetViewport(lx, int(ty), kListWidth, h);
            DrawImage(RequesterImage, x, y, 2);
            SetViewport(lx, top, kListWidth, kListVisible);
        }
        FontMain->Draw(Users.UserList[size_t(i)]->Name, float(lx + 5), ty);
        ty += float(h);
    }
    ListHeight = ListOverhang(size_t(players), h, kListVisible);
    SetViewport(vx, vy, vw, vh);

    // Scroll bar.
    const float bx = x + kTrackLeft, by = y + kTrackTop;
    ScrollThumb thumb(ListOffset, ListHeight, kListVisible, by, kTrackHeight);
    const bool overThumb = bx < mx && mx < bx + 20 && thumb.top < my && my < thumb.top + thumb.height;
    const int frame = overThumb ? 2 : 1;
    if (MouseDown(MOUSE_LEFT) && bx < mx && mx < bx + 20 && by < my && my < by + kTrackHeight) {
        ListOffset = thumb.OffsetFor(my, by, kTrackHeight, ListHeight);
        thumb = ScrollThumb(ListOffset, ListHeight, kListVisible, by, kTrackHeight);
    }
    SetViewport(int(bx), int(thumb.top), 20, int(thumb.height));
    DrawImage(RequesterImage, x, y, frame);
    SetViewport(vx, vy, vw, vh);
    if (Ziehbalken) {
        DrawImage(Ziehbalken, bx, thumb.top - 1, frame - 1);
        DrawImage(Ziehbalken, bx, thumb.top + thumb.height - 1, frame - 1);
    }

    // The wheels swing forward through their 16 pictures and back.
    float f = dframe;
    if (f >= 16) f = 31 - f;
    if (Dharma) {
        DrawImage(Dharma, 23, 55, int(f));
        DrawImage(Dharma, 508, 55, int(f));
    }
    dframe += 0.2f;
    if (dframe >= 32) dframe -= 32;

    SetScale(0.89f, 1.0f);
    if (DrawButton(Tx("New"), int(x + 367), int(y + 107), false)) {
        NameReq.Caption = Tx("New player");
        Action = "ADD_NEW_USER";
    }
    SetScale(0.89f, 1.0f);
    if (DrawButton(Tx("Change"), int(x + 367), int(y + 170), false) && !Users.UserList.empty()) {
        NameReq.ChangeName = true;
        NameReq.ChangeId = CurrentUserIndex;
        NameReq.Caption = Users.UserList[size_t(CurrentUserIndex)]->Name;
        Action = "CHANGE_USER";
    }
    SetScale(0.89f, 1.0f);
    if (DrawButton(Tx("Delete"), int(x + 367), int(y + 233), false)) Users.RemoveUserNo(CurrentUserIndex);
    SetScale(0.89f, 1.0f);
    if (DrawButton(Tx("Ok"), int(x + 367), int(y + 337), false)) {
        Users.Save();
        Action = "LEAVE_USERS";
    }
}

void TReqUsers::ButtonPressed(const std::string&) {}

void TReqUsers::ButtonDown(const std::string& name) {
    if (name == "DOWN") ListOffset = std::min(ListOffset + 2, float(ListHeight));
    if (name == "UP") ListOffset = std::max(ListOffset - 2, 0.0f);
}
