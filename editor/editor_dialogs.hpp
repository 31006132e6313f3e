// The dialogs around the level editor: the chooser and the name entry that come before it,
// the two property dialogs inside it, and the notice of a save that did not reach the disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics.hpp"
#include "ui/requester.hpp"

inline constexpr int32_t PAGE_EXIT = -1;
inline constexpr int32_t PAGE_MAIN = 0;

// Mode bits of one level: Twister, Freeze, the game mode, Floating, Play for tiles, Torch.
class TLvlOptions {
public:
    TLvlOptions();
    virtual ~TLvlOptions() = default;

    ImageRef RequesterImg;
    int32_t Page = PAGE_MAIN;

    virtual void Render(int32_t level);
};

// The match-three board's parameters of a bonus level.
class TBonusLvlOptions {
public:
    TBonusLvlOptions();
    virtual ~TBonusLvlOptions() = default;

    ImageRef RequesterImg;
    int32_t Page = PAGE_MAIN;

    virtual void Render(int32_t level);
};

// The next step of the Gamemode button: Default, Enlightenment, Meditation, Default. A level
// with both mode bits set counts as Enlightenment and goes back to Default.
int32_t NextGameMode(int32_t misc);

// A level-set name becomes a file name in the user-data folder as it stands, so it may not
// name a folder of its own ("/") or be only dots.
bool UsableLevelSetName(const std::string& name);

// The name of a new level set.
class TReqEnterLevelName : public TRequester {
public:
    TReqEnterLevelName();

    int32_t CursorCount = 0;
    std::string Caption;
    int32_t LastTime = 0;
    bool ChangeName = false;
    int32_t ChangeId = -1;
    std::string Action;
    ImageRef StrField;

    void Render2(float x, float y) override;
    void ButtonPressed(const std::string& name) override;

private:
    void Confirm();
};

// The player's own level sets in a folder, and "New".
class TReqLevelSeletor : public TRequester {
public:
    // Reads the folder once; a missing folder is created and an unreadable one lists nothing,
    // so "New" is always there.
    explicit TReqLevelSeletor(const std::string& folder);

    float ListOffset = 0;
    int32_t ListHeight = 0;
    std::string LevelFile;
    std::string Action;
    int32_t sel = -1;
    bool slide = false;
    std::vector<std::string> dir;

    void Render2(float x, float y) override;
    void ButtonPressed(const std::string& name) override;
    void ButtonDown(const std::string& name) override;

    // The names the list shows, in its order: those ending in ".lvl".
    std::vector<std::string> ListedFiles() const;
};

// A message the player acknowledges with "Okay".
class TReqNotice : public TRequester {
public:
    TReqNotice();
    std::string Line1, Line2;
    bool Done = false;
    void Render2(float x, float y) override;
    void ButtonPressed(const std::string& name) override;
};
