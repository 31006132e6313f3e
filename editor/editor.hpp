// The level editor: the player builds the fifty puzzles of a level set of their own, paints
// the starting boards of bonus levels, tries a level in the real game and saves the set.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "editor/editor_dialogs.hpp"
#include "platform/graphics.hpp"
#include "puzzle/shape.hpp"

// Icons of the flag, in the order of their picture frames.
enum EditorIcon : int32_t {
    ICON_CLEAR = 0,
    ICON_MOVE_PLAYFIELD = 1,
    ICON_FLIP = 2,
    ICON_PLAY = 3,
    ICON_PROPERTIES = 4,
    ICON_QUIT = 5,
};

// The slider's largest time: the knob's track ends there although the value may hold more.
inline constexpr int32_t kEditorMaxTime = 235;
// Bonus palette kind of the yin-yang marker: it paints PuzzleTileData, the others the board.
inline constexpr int32_t kMarkerKind = 8;

// Picture frame of a bonus palette kind (bombs before animation).
int32_t BonusKindFrame(int32_t kind);

class TEd {
public:
    // Reads CurrLevelSetFile into memory and loads the editor's pictures.
    TEd();
    virtual ~TEd();

    float Alpha = 0;
    bool Leave = false;
    int32_t CurrentLevel = 0;
    ImageRef ColPic;
    ImageRef Panel;
    bool ShowPanel = false;
    bool MovePlayfield = false;
    float YinYangRotation = 0;
    std::array<std::string, 5> BalloonsTxt;
    ImageRef BalloonImg;
    ImageRef Fahne;
    ImageRef Icons;
    ImageRef Slider;
    ImageRef Regler;
    std::unique_ptr<TLvlOptions> LevelPropRequester;
    std::unique_ptr<TBonusLvlOptions> BonusLevelPropRequester;
    bool ShowOptions = false;
    bool ShowOptionsBonus = false;
    ImageRef BonusGameBG;
    ImageRef BonusTiles;

    virtual void BalloonDraw(const std::string& text, int32_t x, int32_t y, bool flip);
    // Copies the playfield into the level (the same objects), less a tile held over the palette.
    virtual void SaveToMem();
    virtual void LoadFromMem();
    // Runs the editor until the player quits; quitting always saves.
    virtual void Start();
    virtual bool DrawIconButton(int32_t x, int32_t y, int32_t icon, const std::string& text);

    // Start in its three parts, so that a test can drive single frames.
    void Begin();
    // One frame; false once the editor has faded out after quitting.
    bool Frame();
    void Finish();

    // Writes the set to CurrLevelSetFile; a failure leaves the old file whole and tells the
    // player. True when written.
    bool SaveLevelSet();

    // State of one editor run, kept across frames.
    bool BonusPage = false;
    int32_t BonusKind = 0;
    bool SliderDrag = false;
    int32_t TutorialStep = 0;
    float TutorialAlpha = 0;
    ShapeRef TutorialTile;
    // A failed save waits for the player's "Okay" before the editor goes on.
    std::unique_ptr<TReqNotice> SaveNotice;

    // Markers the bonus board may still take: pieces on the playfield minus markers placed.
    int32_t MarkersLeft() const;

private:
    void NormalPage(bool& click);
    void BonusPageFrame(bool click);
    void TimeSlider(bool click);
    void Tutorial(bool click);
    void TestPlay();
    void ChangeLevel(int32_t delta);
    void ShowSaveNotice();
    bool LoggedOptions = false, LoggedBonusOptions = false;
};
