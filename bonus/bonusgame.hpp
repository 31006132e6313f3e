// The match-three board of bonus levels: a short row of symbol tiles hangs below the board,
// follows the mouse, turns, and is fired upward; three equal symbols in a line disappear, and
// every floating Yin-Yang symbol cleared wins back one held-back puzzle tile.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "fx/emitters.hpp"
#include "platform/graphics.hpp"

inline constexpr int BONUS_BOARD_COLUMNS = 8;
inline constexpr int BONUS_BOARD_ROWS = 9;
inline constexpr int BONUS_LAUNCH_ROW = 8;

// Cell values.
enum BonusCell : int32_t {
    CELL_EMPTY = -1,
    CELL_JOKER = 6,
    CELL_BOMB = 7,
    CELL_YINYANG = 8,
    CELL_STONE = 9,
};
// Cell markers; a pending star tile of symbol s is MARK_PENDING_STAR + s.
enum BonusMarker : int32_t {
    MARK_NONE = -1,
    MARK_YINYANG = 0,
    MARK_STAR = 1,
    MARK_PENDING_STAR = 2,
};

// The board state the puzzle game's bonus phase runs in.
inline constexpr int BONUS_STATE_ACTIVE = 1;

class BonusGame {
public:
    static constexpr int TILE_MOVE_SPEED = 10;
    static constexpr int EXPLODE_DELAY = 5;

    using Grid = int32_t[BONUS_BOARD_COLUMNS][BONUS_BOARD_ROWS];

    BonusGame();

    // Draws a new current row of 1 to MaxElementSize + 1 tiles.
    void SetNextTile();
    // Draws the board, reads the player's input for it and runs one update. The board is
    // active only in state 1; otherwise the row is hidden, the mouse ignored and the shot
    // timer frozen.
    void Render(int state);
    // One update step: rising, lines, bombs, star blasts, explosions, combos, full board.
    void MoveTiles();

    // Puts the current row into the launch row from the given column on and draws the next
    // row; Render calls it when the player fires or the timer runs out.
    void Fire(int firstColumn);
    // Left edge of the current row relative to the board, following the mouse x.
    int RowLeft(int mouseX) const;
    // Number of tiles in the current row.
    int RowLength() const;
    // Share of the shot timer still left (1 just after a shot, 0 when it fires).
    float TimeLeft() const { return LastTimeLeft; }

    int32_t Offset_X = 145, Offset_Y = 75;
    int32_t AddScore = 0;
    bool MoveOut = false;
    ImageRef Tileset;
    ImageRef BackgroundImage;
    ImageRef StarPowerUp;
    PEmitter Particles;
    StarEmitter Stars;
    std::array<ImageRef, 12> Star;
    int32_t MaxElementSize = 3;
    Grid LevelData;
    Grid PuzzleTileData;
    Grid Match;
    Grid Explode;
    Grid TileOffsetY;
    std::array<int32_t, 4> CurrentElement{};
    std::array<int32_t, 4> CurrentElementSwapX{};
    float CurrentElementAlpha = 1.0f;
    int32_t StrategyComboCounter = 0;
    bool StrategyCombo = false;
    bool swapnow = false;
    int32_t swapoffset = 0;
    int32_t shooty = 0;
    bool AllowJokers = false, AllowBombs = false;
    int32_t StartTime = 0;
    // Shot timer length in ms; the level set-up replaces it with the level's setting.
    int32_t GameTime = 20000;
    bool TilesMoving = false;
    int32_t PauseTime = 0;
    bool GameOver = false;
    int32_t AddLevelObject = 0;
    float acc = 1.0f;
    std::string CreateText;
    bool OtherDirection = false;
    ImageRef TimeBar;
    bool DontCheckAnyMore = false;

private:
    void DrawBoard();
    void DrawCurrentRow(bool active, int rowLeft);
    void StartRotation(bool otherDirection);
    void Rotate(bool active);
    float UpdateShotTimer(bool active);
    void DrawTimeBar(float timeLeft);
    bool BoardHoldsSymbol(int value) const;
    bool MarkLines();
    bool MarkBombs();
    bool ScheduleExplosions();

    float LastTimeLeft = 1.0f;
};
