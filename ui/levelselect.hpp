// The level-set chooser shown before every game: the five embedded sets and the player's own
// sets from the user-data folder in a scrolling list, a small picture of the selected set's
// first puzzle, and the player's progress in it. Every change of the selection is stored in
// the player's profile at once; "Choose" fades the screen out and leaves the chosen set in
// CurrLevelSetFile.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics.hpp"

class TUser;

// The five sets that travel inside the program, in list order.
extern const std::vector<std::string> EmbeddedLevelSets;

// "Jewels of Dharma" for ".../Jewels of Dharma.lvl".
std::string LevelSetTitle(const std::string& path);
// A set counts as completed once any progress entry for it has reached level 50.
bool LevelSetCompletedBy(const TUser& player, const std::string& path);
// The progress line under the preview for the player's latest progress entry p.
std::string LevelSetProgressText(int32_t p);

class TReqLevelSelect {
public:
    // Loads the pictures and lists the candidates; Render runs the screen.
    TReqLevelSelect();

    ImageRef LevelSel_Screen;
    ImageRef Liste;  // 2 frames: hovered and selected look of the list window
    float Fader = 1.0f;
    bool LeaveScreen = false;
    float ListOffset = 0;
    int32_t ListHeight = 0;
    std::string LevelFile;
    int32_t sel = 0;
    bool slide = false;
    std::vector<std::string> dir;  // candidate paths; only ".lvl" ones become rows

    // The frame loop; returns once "Choose" has faded the screen to black, with
    // CurrLevelSetFile and the player's CurrLevelFile set to the chosen set.
    void Render();
    // One frame (input, drawing, flip); false when the screen is over.
    bool Frame();

    // The list rows: full paths, in list order.
    const std::vector<std::string>& Rows() const { return rows; }
    int32_t Progress() const { return progress; }

    static constexpr int32_t kListLeft = 115, kListTop = 129, kListWidth = 191, kListVisible = 239;
    static constexpr int32_t kTrackLeft = 312, kTrackTop = 149, kTrackHeight = 200;

private:
    std::vector<std::string> rows;
    int32_t shownSel = -1;  // selection whose preview is loaded; none at first
    bool firstFrame = true;
    bool selectionOnCompleted = false;
    bool selectionMoved = false;
    int32_t progress = 0;

    void DrawRows();
    void TakeSelection();
    void DrawScrollBar();
    void DrawPreview() const;
};

// Runs the chooser once: what the main loop calls before a game.
void RunLevelSelect();
