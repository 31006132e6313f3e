// The two player dialogs of the title screen: the player list (choose, add, rename, delete)
// and the name entry. Both are drawn by the title screen once per frame and talk back only
// through the title screen's action word, which they are given a reference to:
//   "ADD_NEW_USER" / "CHANGE_USER"  the list asks for the name entry,
//   "USERS_SHOW"                     the name entry confirmed a name,
//   "LEAVE_USERS"                    the list was closed with "Ok".
#pragma once

#include <cstdint>
#include <string>

#include "platform/graphics.hpp"
#include "ui/requester.hpp"

// The characters a player name may hold: the blank, letters, digits and a few signs.
bool IsNameCharacter(int c);
// The name with every character outside that set removed (typed names and the first player's
// name from the environment go through the same gate).
std::string FilterNameCharacters(const std::string& name);

// Whether the title screen shows the name entry instead of its menu: while the list asks for
// it, and whenever there is no player at all (the first start, or everyone deleted).
bool NameEntryShown(const std::string& action);

// One frame's key for a text field: "" (nothing), "KEY_ENTER" and "KEY_BACKSPACE" while those
// keys are held, or one allowed typed character. Takes at most one character from the typed
// queue and then empties the queue and the key states.
std::string ReadNameKey();

class TReqEnterName : public TRequester {
public:
    // action: the title screen's action word. The constructors only keep their references, so
    // the title screen may create the dialogs before its own fields.
    explicit TReqEnterName(std::string& action);

    int32_t CursorCount = 0;  // blink counter, 0 to 50
    std::string Caption;      // the name being typed
    int32_t LastTime = 0;     // frames until Backspace may act again
    bool ChangeName = false;  // renaming the player at ChangeId instead of adding one
    int32_t ChangeId = -1;
    ImageRef StrField;

    void Render2(float x, float y) override;
    // "Ok" (the button, or Enter once the dialog is fully shown) confirms a non-empty name.
    void ButtonPressed(const std::string& name) override;

private:
    std::string& Action;
    std::string Heading;
    int64_t LastShownFrame = -2;
};

class TReqUsers : public TRequester {
public:
    // action: the title screen's action word; nameReq: its name entry, which "New" and
    // "Change" prepare.
    TReqUsers(std::string& action, TReqEnterName& nameReq);

    float ListOffset = 0;    // scroll position in pixels, 0 to ListHeight
    int32_t ListHeight = 0;  // list height beyond the 240 visible pixels
    ImageRef Ziehbalken;     // the thumb's two end caps
    ImageRef Dharma;         // the turning wheels beside the dialog
    float dframe = 0;        // wheel animation, 0 to 32

    void Render2(float x, float y) override;
    void ButtonPressed(const std::string& name) override;
    // The arrows scroll 2 pixels per frame while held.
    void ButtonDown(const std::string& name) override;

    // The list window inside the dialog and its scroll track.
    static constexpr int32_t kListLeft = 109, kListTop = 84, kListWidth = 179, kListVisible = 240;
    static constexpr int32_t kTrackLeft = 292, kTrackTop = 104, kTrackHeight = 200;

private:
    std::string& Action;
    TReqEnterName& NameReq;
    int64_t LastShownFrame = -2;
};
