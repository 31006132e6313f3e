// The bonus board played through the real input path and drawn on the renderer: aiming,
// firing, turning the row, the shot timer, and what the board shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "bonus/bonussound.hpp"
#include "gl_env.hpp"
#include "platform/input.hpp"
#include "platform/random.hpp"
#include "platform/timing.hpp"
#include "test_bonus_board.hpp"
#include "ui/frame.hpp"

namespace {
std::vector<int> g_heard;
void Hear(int effect) { g_heard.push_back(effect); }

class BonusPlay : public GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        InputReset();
        SetVirtualClock(true);
        g_heard.clear();
        SetBonusSoundListener(Hear);
        SeedRnd(7);
        board = EmptyBoard();
        InputMouseMove(320, 200);
    }
    void TearDown() override {
        SetBonusSoundListener(nullptr);
        SetVirtualClock(false);
        InputReset();
    }
    void Frame(int state = BONUS_STATE_ACTIVE) {
        Cls();
        UpdateInput();
        board->Render(state);
        Flip(0);
    }
    void Click(int button = MOUSE_LEFT, int state = BONUS_STATE_ACTIVE) {
        InputMouseButton(button, true);
        Frame(state);
        InputMouseButton(button, false);
    }
    // Points the mouse so that a row of the current length starts over the column.
    void AimAt(int column) {
        int c = board->RowLength();
        InputMouseMove(board->Offset_X + 20 * c + 40 * column - 2, 200);
    }
    void RunUntilStill(int limit = 600) {
        for (int i = 0; i < limit && BoardBusy(*board); ++i) Frame();
        Frame();
    }
    int Shots() const { return int(std::count(g_heard.begin(), g_heard.end(), int(BONUS_SOUND_SHOT))); }

    std::unique_ptr<BonusGame> board;
};
}  // namespace

TEST_F(BonusPlay, ClicksFireTheRowWhereTheMousePoints) {
    SetRow(*board, {1, 2, 3, 4});
    InputMouseMove(639, 200);
    Click();
    EXPECT_EQ(Shots(), 1);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(board->LevelData[x][8], CELL_EMPTY);
    // Fired at the right edge, four tiles land in columns 4 to 7 and have begun to rise.
    std::vector<int> top;
    RunUntilStill();
    for (int x = 4; x < 8; ++x) top.push_back(board->LevelData[x][0]);
    EXPECT_EQ(top, (std::vector<int>{1, 2, 3, 4}));

    SetRow(*board, {5});
    InputMouseMove(639, 200);
    Click();
    RunUntilStill();
    EXPECT_EQ(board->LevelData[7][1], 5) << "a single tile reaches the last column";

    RunUntilStill();
    SetRow(*board, {0, 0});
    InputMouseMove(0, 200);
    Click();
    EXPECT_EQ(board->LevelData[0][8], 0);
    EXPECT_EQ(board->LevelData[1][8], 0);
}

TEST_F(BonusPlay, NoShotFromTheCornerWhileTurningOrWhileTilesRise) {
    SetRow(*board, {1, 2});
    InputMouseMove(40, 300);  // the puzzle game's corner
    Click();
    EXPECT_EQ(Shots(), 0);
    InputMouseMove(300, 200);
    Click(MOUSE_RIGHT);  // starts a turn
    Click();
    EXPECT_EQ(Shots(), 0) << "not while the turn is shown";
    for (int i = 0; i < 8; ++i) Frame();
    Click();
    EXPECT_EQ(Shots(), 1);
    Click();
    EXPECT_EQ(Shots(), 1) << "not while the shot rises";
    Click(MOUSE_LEFT, 0);
    EXPECT_EQ(Shots(), 1);
}

TEST_F(BonusPlay, TheRowTurnsWithKeysButtonAndWheel) {
    SetRow(*board, {1, 2, 3});
    InputKey(KEY_A, true);
    Frame();
    InputKey(KEY_A, false);
    EXPECT_TRUE(board->swapnow);
    EXPECT_EQ(board->CurrentElementSwapX[0], 10) << "the first tile travels over the other two";
    EXPECT_EQ(board->CurrentElementSwapX[1], -5);
    for (int i = 0; i < 6; ++i) Frame();
    EXPECT_TRUE(board->swapnow);
    Frame();
    EXPECT_FALSE(board->swapnow) << "eight frames per turn";
    EXPECT_EQ(board->CurrentElement, (std::array<int32_t, 4>{2, 3, 1, -1}));
    EXPECT_EQ(board->CurrentElementSwapX, (std::array<int32_t, 4>{0, 0, 0, 0}));

    InputKey(KEY_SPACE, true);
    Frame();
    InputKey(KEY_SPACE, false);
    for (int i = 0; i < 7; ++i) Frame();
    EXPECT_EQ(board->CurrentElement, (std::array<int32_t, 4>{1, 2, 3, -1})) << "the last tile to the front";

    InputWheel(1);
    for (int i = 0; i < 8; ++i) Frame();
    EXPECT_EQ(board->CurrentElement, (std::array<int32_t, 4>{3, 1, 2, -1})) << "wheel up turns like S";
    InputWheel(-1);
    for (int i = 0; i < 8; ++i) Frame();
    Click(MOUSE_RIGHT);
    for (int i = 0; i < 7; ++i) Frame();
    EXPECT_EQ(board->CurrentElement, (std::array<int32_t, 4>{2, 3, 1, -1}));

    // The mouse does not turn the row of an inactive board, the keys do.
    Click(MOUSE_RIGHT, 0);
    EXPECT_FALSE(board->swapnow);
    InputKey(KEY_S, true);
    Frame(0);
    InputKey(KEY_S, false);
    EXPECT_TRUE(board->swapnow);
    EXPECT_EQ(std::count(g_heard.begin(), g_heard.end(), int(BONUS_SOUND_ROTATE)), 6);
}

TEST_F(BonusPlay, AnIdleRowIsFiredEveryThreeSecondsAtTheFastestSetting) {
    board->GameTime = 3000;
    board->StartTime = Millisecs();
    std::vector<int> shotFrames;
    for (int frame = 1; frame <= 3 * 180 + 20; ++frame) {
        int before = Shots();
        Frame();
        if (Shots() > before) shotFrames.push_back(frame);
    }
    ASSERT_EQ(shotFrames.size(), 3u);
    EXPECT_NEAR(shotFrames[0], 180, 1);
    EXPECT_NEAR(shotFrames[1] - shotFrames[0], 180, 1);
    EXPECT_NEAR(shotFrames[2] - shotFrames[1], 180, 1);
}

TEST_F(BonusPlay, TheTimerBarStandsStillWhileInactiveAndResumes) {
    board->GameTime = 6000;
    board->StartTime = Millisecs();
    board->PauseTime = 0;
    for (int i = 0; i < 60; ++i) Frame();
    float running = board->TimeLeft();
    EXPECT_NEAR(running, 5.0f / 6.0f, 0.01f);

    float frozen = 0;
    PixmapRef bar;
    for (int i = 0; i <= 120; ++i) {
        Cls();
        UpdateInput();
        board->Render(0);
        PixmapRef now = GrabPixmap(94, board->Offset_Y + 86, 46, 256);
        if (i == 0) {
            frozen = board->TimeLeft();
            bar = now;
            EXPECT_LT(frozen, running);
        }
        EXPECT_FLOAT_EQ(board->TimeLeft(), frozen);
        EXPECT_EQ(now->pixels, bar->pixels) << "the bar is drawn the same, frame " << i;
        Flip(0);
    }
    Frame();
    EXPECT_FLOAT_EQ(board->TimeLeft(), frozen) << "resumes with the same time left";
    Frame();
    EXPECT_LT(board->TimeLeft(), frozen);
    EXPECT_EQ(Shots(), 0);
}

TEST_F(BonusPlay, ConsecutiveLineShotsMakeACombo) {
    board->LevelData[0][0] = board->LevelData[1][0] = 1;
    board->LevelData[5][0] = board->LevelData[6][0] = 2;
    SetRow(*board, {1});
    AimAt(2);
    Click();
    RunUntilStill();
    EXPECT_EQ(board->LevelData[0][0], CELL_EMPTY);
    EXPECT_EQ(board->CreateText, "");
    int score = board->AddScore;

    SetRow(*board, {2});
    AimAt(7);
    Click();
    RunUntilStill();
    EXPECT_EQ(board->CreateText, "2 x Combo");
    EXPECT_EQ(board->AddScore - score, 500 + 150);

    board->CreateText.clear();
    SetRow(*board, {3});
    AimAt(3);
    Click();
    RunUntilStill();
    EXPECT_EQ(board->StrategyComboCounter, 0);
    EXPECT_EQ(board->CreateText, "");
}

TEST_F(BonusPlay, TheBoardDrawsTilesSymbolsAndTheRowOnlyWhileActive) {
    SetRow(*board, {1});
    InputMouseMove(board->Offset_X + 20 + 100, 200);  // row at p = 100
    auto cellAt = [&](int x, int y) {
        return GrabPixmap(board->Offset_X + 22 + 40 * x - 15, board->Offset_Y + 22 + 40 * y - 15, 30, 30);
    };
    auto rowAt = [&]() { return GrabPixmap(board->Offset_X + 22 + 100 - 15, board->Offset_Y + 342 - 15, 30, 30); };
    auto render = [&](int state) {
        Cls();
        UpdateInput();
        board->Render(state);
    };
    render(0);
    auto emptyTile = cellAt(2, 3), emptyStone = cellAt(2, 2), emptySymbol = cellAt(6, 4), noRow = rowAt();
    Flip(0);

    board->LevelData[2][3] = 0;
    board->LevelData[2][2] = CELL_STONE;         // holds the tile below in place
    board->PuzzleTileData[6][4] = MARK_YINYANG;  // floating over an empty cell
    render(0);
    EXPECT_NE(cellAt(2, 3)->pixels, emptyTile->pixels);
    EXPECT_NE(cellAt(2, 2)->pixels, emptyStone->pixels);
    EXPECT_NE(cellAt(6, 4)->pixels, emptySymbol->pixels) << "the Yin-Yang floats over the empty cell";
    EXPECT_EQ(rowAt()->pixels, noRow->pixels) << "no row on an inactive board";
    Flip(0);
    render(BONUS_STATE_ACTIVE);
    EXPECT_NE(rowAt()->pixels, noRow->pixels) << "the row hangs below the board";
    Flip(0);
}

TEST_F(BonusPlay, TheBoardSlidesAwayWhenMovedOut) {
    board->MoveOut = true;
    int frames = 0;
    int lastY = board->Offset_Y;
    while (board->Offset_Y <= 500 && frames < 200) {
        Frame(0);
        ++frames;
        EXPECT_GE(board->Offset_Y, lastY);
        lastY = board->Offset_Y;
    }
    EXPECT_GT(board->Offset_Y, 500);
    EXPECT_GE(board->acc, 12.0f);
    EXPECT_LT(board->acc, 12.0f * 1.1f + 0.001f);
    EXPECT_LT(frames, 80);
}
