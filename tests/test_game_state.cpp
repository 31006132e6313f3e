// The puzzle game driven frame by frame in the test process: solution check, level set-up and
// its mode flags, the clock, the lamp and the preferences' rank limits.
#include <gtest/gtest.h>

#include "data/ranks.hpp"
#include "game/game.hpp"
#include "platform/timing.hpp"
#include "puzzle/levelset.hpp"
#include "puzzle/tileset.hpp"
#include "puzzle/unlocks.hpp"
#include "scratch_dir.hpp"
#include "tiles_env.hpp"
#include "ui/options.hpp"
#include "ui/requester.hpp"

namespace {

ShapeRef Piece(int element, float x, float y, float rotation) {
    auto s = std::make_shared<Shape>();
    s->Element = element;
    s->X = x;
    s->Y = y;
    s->Rotation = rotation;
    s->R = 200;
    s->G = 180;
    s->B = 160;
    return s;
}

class GameTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        if (!TileImages[0][0]) LoadPuzzleset(0, false);
        dir = std::make_unique<ScratchDir>();
        Users.RemoveAllUsers();
        Users.FilePath = dir->File("users.cfg");
        Users.AddNewUser("Tester");
        CurrentUserIndex = 0;
        player = Users.GetCurrentUser();
        player->ProgressMap = false;
        player->Wisdoms = false;
        player->Tutorial = false;
        for (auto& l : LevelShapes) l.clear();
        for (auto& p : LevelProps) p = TLevelProperties();
        LevelShapes[0] = {Piece(3, 200, 250, 0), Piece(2, 300, 150, 45), Piece(2, 300, 350, 90)};
        LevelProps[0].GameTime = 60;
        LevelShapes[12] = {Piece(0, 250, 250, 0)};
        setFile = dir->File("set.lvl");
        ASSERT_TRUE(WriteLevelSet(setFile));
        CurrLevelSetFile = setFile;
    }
    void TearDown() override {
        // Leave no drawing queued: the renderer's queue is gone before the fonts' textures
        // when the program exits.
        GrabPixmap(0, 0, 1, 1);
        Shape::ClearAllElements();
        Users.RemoveAllUsers();
        UiTest::TearDown();
    }
    // Rewrites level 0's mode bits and time in the file the game reads.
    void SetLevel0(int32_t misc, int32_t time) {
        LevelProps[0].MiscProperties = misc;
        LevelProps[0].GameTime = time;
        ASSERT_TRUE(WriteLevelSet(setFile));
    }
    bool HasCaption(TGame& g, const std::string& text) {
        for (auto& t : g.TextList)
            if (t->Caption == text) return true;
        return false;
    }

    std::unique_ptr<ScratchDir> dir;
    std::string setFile;
    UserRef player;
};

}  // namespace

TEST_F(GameTest, FewerThan340BlackPixelsSolveTheLevel) {
    TGame game;
    game.InitLevel(true);
    for (int black : {340, 339}) {
        game.GameState = PLAY_GAME;
        SetClsColor(90, 120, 150);
        Cls();
        SetColor(0, 0, 0);
        SetAlpha(1);
        DrawRect(20, 100, float(black), 1);
        DrawRect(0, 0, 4, 480);      // left of the playfield: not counted
        DrawRect(453, 0, 187, 480);  // the tray: not counted
        SetColor(255, 255, 255);
        EXPECT_EQ(game.CheckArea(false), black);
        EXPECT_EQ(game.GameState, PLAY_GAME) << "a measure alone never completes";
        EXPECT_EQ(game.CheckArea(true), black);
        EXPECT_EQ(game.GameState, black < 340 ? LEVEL_COMPLETE : PLAY_GAME) << black;
    }
    EXPECT_EQ(FinishCountdown, 200);
    EXPECT_EQ(SFX->LastPlayed, 22);
    // First completion of level 1 with the full minute left and the lamp unused.
    EXPECT_EQ(game.LvlCompleteScore, 60 * 125 + 1000);
    SetClsColor(0, 0, 0);
}

TEST_F(GameTest, SetUpBuildsSilhouetteTrayTilesClockAndModeFlags) {
    SetLevel0(MISC_ENLIGHTENMENT | MISC_MEDITATION | MISC_FREEZE | MISC_FLOATING | MISC_TORCH | MISC_TWISTER, 60);
    TGame game;
    game.InitLevel(true);
    EXPECT_EQ(game.ShowMeditation, 2) << "with both black-out bits the Meditation message wins";
    EXPECT_TRUE(game.ShowFreezeMessage);
    EXPECT_TRUE(game.ShowFlying);
    EXPECT_TRUE(game.ShowTorch);
    EXPECT_FALSE(game.ShowNewRank);
    EXPECT_EQ(game.GameTime, 60);
    EXPECT_FALSE(game.TimeOff);
    EXPECT_EQ(game.CurrTime, 60);
    EXPECT_EQ(game.Twister_InitTime, 12);
    EXPECT_EQ(game.Twister_Time, 48);
    EXPECT_EQ(game.FilledArea, -1);
    EXPECT_TRUE(game.HintAllowed);

    ASSERT_EQ(ElementList.size(), 6u);
    std::vector<ShapeRef> pieces(ElementList.begin(), ElementList.end());
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(pieces[size_t(i)]->Pickable);
        EXPECT_EQ(pieces[size_t(i)]->R, 0);
    }
    EXPECT_FLOAT_EQ(pieces[1]->Rotation, 45);
    // Tiles wait in the tray; the two small triangles side by side.
    EXPECT_FLOAT_EQ(pieces[3]->X, 550);
    EXPECT_FLOAT_EQ(pieces[3]->Y, 410);
    EXPECT_FLOAT_EQ(pieces[4]->X, 550);
    EXPECT_FLOAT_EQ(pieces[4]->Y, 270);
    EXPECT_FLOAT_EQ(pieces[5]->X, 555);
    EXPECT_FLOAT_EQ(pieces[5]->Y, 270);
    EXPECT_EQ(pieces[5]->R, 200);
    EXPECT_TRUE(pieces[5]->Pickable);
    EXPECT_FLOAT_EQ(pieces[5]->Rotation, 0);
    EXPECT_EQ(SilhouetteMarks.size(), 4u + 2u + 2u);

    SetLevel0(MISC_ENLIGHTENMENT, 0);
    TGame plain;
    plain.InitLevel(true);
    EXPECT_EQ(plain.ShowMeditation, 1);
    EXPECT_FALSE(plain.ShowFreezeMessage || plain.ShowFlying || plain.ShowTorch);
    EXPECT_TRUE(plain.TimeOff);
}

TEST_F(GameTest, SetUpResumesTheSetAndAnnouncesANewRankOnce) {
    player->MaxLevel.push_back({setFile, 12});
    player->Score = 50000;
    TGame game;
    game.InitLevel(true);
    EXPECT_EQ(game.CurrentLevel, 12) << "started from the menu, the set resumes at the furthest level";
    EXPECT_TRUE(game.ShowNewRank);
    EXPECT_EQ(player->CurrentRank, 1);
    EXPECT_EQ(player->Selected_Background, 1) << "the new rank brings the next background";
    EXPECT_EQ(player->Selected_Puzzleset, 1);
    EXPECT_EQ(player->Selected_Music, 1);
    EXPECT_EQ(game.OldScore, 50000);
    TGame again;
    again.InitLevel(true);
    EXPECT_FALSE(again.ShowNewRank);
    EXPECT_EQ(player->Selected_Background, 1);

    // A set without shapes from the level on ends at level 50 and falls back to the last one.
    TGame late;
    late.CurrentLevel = 13;
    late.InitLevel(false);
    EXPECT_EQ(late.CurrentLevel, 49);
    EXPECT_EQ(player->LatestMaxLevel(setFile)->Level, 50);
}

TEST_F(GameTest, ClockHurriesAtTwelveSecondsAndRunsOut) {
    TGame game;
    game.InitLevel(true);
    game.Fade = 1.05f;
    game.GameState = PLAY_GAME;
    game.StartTime = Millisecs() - 47000;
    ASSERT_TRUE(game.Frame());
    EXPECT_EQ(game.CurrTime, 13);
    EXPECT_FALSE(game.ShowHurry);
    game.StartTime = Millisecs() - 48000;
    ASSERT_TRUE(game.Frame());
    EXPECT_EQ(game.CurrTime, 12);
    EXPECT_TRUE(game.ShowHurry);
    EXPECT_TRUE(HasCaption(game, "Hurry up!"));
    game.StartTime = Millisecs() - 60000;
    ASSERT_TRUE(game.Frame());
    EXPECT_EQ(game.CurrTime, 0);
    EXPECT_EQ(game.GameState, TIME_OUT);
    EXPECT_TRUE(HasCaption(game, "Out of time"));
    // The captions show one after the other; after "Out of time" the retry question comes.
    int frames = 0;
    while (game.GameState == TIME_OUT && frames++ < 400) ASSERT_TRUE(game.Frame());
    EXPECT_EQ(game.GameState, TRY_AGAIN);
    EXPECT_EQ(game.ReplayLevel->Line1, "Time out");
}

TEST_F(GameTest, RetryKeepsTheLevelAndTheSettings) {
    player->MaxLevel.push_back({setFile, 12});
    player->ProgressMap = true;
    player->Wisdoms = true;
    player->Score = 700;
    TGame game;
    game.CurrentLevel = 0;  // level 1 picked again from the map
    game.OldScore = 700;
    game.GameState = TRY_AGAIN;
    game.ReplayLevel->ButtonPressStr = "YES";
    ASSERT_TRUE(game.Frame());
    EXPECT_EQ(game.CurrentLevel, 0);
    EXPECT_EQ(game.GameState, FADE_IN_NEXT_LEVEL);
    EXPECT_TRUE(player->ProgressMap);
    EXPECT_TRUE(player->Wisdoms);
    EXPECT_EQ(player->Score, 700);
    EXPECT_EQ(game.ReplayLevel->ButtonPressStr, "");
}

TEST_F(GameTest, UntimedLevelNeverHurriesAndLightsTheLampAtOnce) {
    SetLevel0(0, 0);
    TGame game;
    game.InitLevel(true);
    game.Fade = 1.05f;
    game.GameState = PLAY_GAME;
    game.StartTime = Millisecs() - 600000;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(game.Frame());
    EXPECT_EQ(game.GameState, PLAY_GAME);
    EXPECT_TRUE(game.TextList.empty());
    EXPECT_FALSE(game.playLampInitAnim) << "no gong without a clock";
    // The lamp is lit: under the pointer it grows and a click uses it up.
    InputMouseMove(113, 104);
    ASSERT_TRUE(game.Frame());
    EXPECT_GT(game.TippScale, 0.9f);
    InputMouseButton(MOUSE_LEFT, true);
    InputMouseButton(MOUSE_LEFT, false);
    ASSERT_TRUE(game.Frame());
    EXPECT_FALSE(game.HintAllowed);
    EXPECT_EQ(Played(6), 1);
    int delay = 0;
    for (const ShapeRef& s : ElementList) {
        EXPECT_EQ(s->LightOnDelay, delay);
        delay += 10;
    }
}

TEST_F(GameTest, LampGongsAtThirtySecondsAndIsGreyBefore) {
    TGame game;
    game.InitLevel(true);
    game.Fade = 1.05f;
    game.GameState = PLAY_GAME;
    InputMouseMove(113, 104);
    game.StartTime = Millisecs() - 29000;
    ASSERT_TRUE(game.Frame());
    InputMouseButton(MOUSE_LEFT, true);
    InputMouseButton(MOUSE_LEFT, false);
    ASSERT_TRUE(game.Frame());
    EXPECT_TRUE(game.HintAllowed) << "the grey lamp does not react";
    EXPECT_FALSE(game.playLampInitAnim);
    game.StartTime = Millisecs() - 30000;
    ASSERT_TRUE(game.Frame());
    EXPECT_TRUE(game.playLampInitAnim);
    EXPECT_EQ(Played(4), 1);
    ASSERT_TRUE(game.Frame());
    EXPECT_EQ(Played(4), 1) << "once per level";
}

TEST_F(GameTest, TimeInThePreferencesIsNotCounted) {
    TGame game;
    game.InitLevel(true);
    game.Fade = 1.05f;
    game.GameState = PLAY_GAME;
    game.StartTime = Millisecs();
    const int32_t start = game.StartTime;
    InputKey(KEY_ESCAPE, true);
    ASSERT_TRUE(game.Frame());
    InputKey(KEY_ESCAPE, false);
    EXPECT_EQ(game.GameState, OPTION_MENU);
    const int32_t opened = game.OptionsTime;
    for (int i = 0; i < 120; ++i) ASSERT_TRUE(game.Frame());
    game.ReqOptions->CurrReq = R_CLOSE;
    const int32_t closedAt = Millisecs();
    ASSERT_TRUE(game.Frame());
    EXPECT_EQ(game.GameState, PLAY_GAME);
    EXPECT_EQ(game.StartTime, start + (closedAt - opened));
    EXPECT_EQ(game.CurrTime, 60);
}

TEST_F(GameTest, RankLimitsWhatThePreferencesOffer) {
    player->Score = 0;
    for (int i = 0; i < 3; ++i) {
        NextBackground(*player);
        NextPuzzleSet(*player);
        EXPECT_EQ(player->Selected_Background, 0);
        EXPECT_EQ(player->Selected_Puzzleset, 0);
    }
    player->Score = 100000;
    std::vector<int> backgrounds, sets;
    for (int i = 0; i < 4; ++i) {
        NextBackground(*player);
        NextPuzzleSet(*player);
        backgrounds.push_back(player->Selected_Background);
        sets.push_back(player->Selected_Puzzleset);
    }
    EXPECT_EQ(backgrounds, (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(sets, (std::vector<int>{1, 0, 1, 0}));
    player->Score = 250000;
    player->Selected_Background = 4;
    NextBackground(*player);
    EXPECT_EQ(player->Selected_Background, 5);
    NextBackground(*player);
    EXPECT_EQ(player->Selected_Background, 0);

    // A low-ranked player's background index is clamped when the graphics page is drawn.
    Users.AddNewUser("Beginner");
    CurrentUserIndex = 1;
    UserRef beginner = Users.GetCurrentUser();
    beginner->Selected_Background = 3;
    TOptions options;
    options.CurrReq = R_GFX;
    options.Alpha = 1;
    options.Render(100, 50);
    EXPECT_EQ(beginner->Selected_Background, 0);
}

TEST_F(GameTest, PreferencesFadeInOverTenFramesAndCloseOnTheEleventhAfterOkay) {
    TOptions options;
    int frames = 0;
    while (options.Alpha < 1.0f) {
        options.Render(100, 50);
        ++frames;
    }
    EXPECT_EQ(frames, 10);
    options.CurrReq = R_FADEOUT;
    frames = 0;
    while (options.CurrReq != R_CLOSE && frames < 50) {
        options.Render(100, 50);
        ++frames;
    }
    EXPECT_EQ(frames, 11);
}

TEST_F(GameTest, BonusLevelsHoldTheTilesBackUntilTheBoardHandsThemOver) {
    // Two top rows of symbols without a line of three; the rest of the board empty.
    for (int x = 0; x < BONUS_COLUMNS; ++x)
        for (int y = 0; y < BONUS_ROWS; ++y) {
            LevelProps[0].BonusLevelData[x][y] = y == 0 ? x % 2 : y == 1 ? 2 + x % 2 : -1;
            LevelProps[0].PuzzleTileData[x][y] = -1;
        }
    SetLevel0(MISC_PLAY_FOR_TILES, 60);
    TGame game;
    game.InitLevel(true);
    EXPECT_EQ(game.ShowBonusGame, 1) << "\"Find the tiles\" comes first";
    EXPECT_EQ(game.GameTime, 180) << "the board runs under its own three minutes";
    EXPECT_TRUE(game.ShowBonusGameTutorial);
    EXPECT_TRUE(player->BonusGameTutorialAlreadyShowed) << "the help is shown once per player";
    ASSERT_EQ(game.TempGameElements.size(), 3u);
    for (const ShapeRef& s : ElementList) EXPECT_FALSE(s->Pickable) << "no tile to play with yet";
    ASSERT_TRUE(game.BGame);
    int markers = 0;
    for (auto& column : game.BGame->PuzzleTileData)
        for (int32_t m : column) markers += m == 0;
    EXPECT_EQ(markers, 3) << "one Yin-Yang per held-back tile";

    // The board reports won tiles; each flies back into the puzzle, and the last sends it away.
    game.ShowBonusGame = 2;
    game.ShowBonusGameTutorial = false;
    game.BGame->AddLevelObject = 3;
    game.BGame->AddScore = 60;
    int32_t score = player->Score;
    for (int i = 0; i < 3; ++i) game.BonusFrameHook();
    EXPECT_TRUE(game.TempGameElements.empty());
    EXPECT_TRUE(game.BGame->MoveOut);
    EXPECT_EQ(player->Score, score + 60) << "points trickle in, 25 a frame, and no more than the board gave";
    int pickable = 0;
    for (const ShapeRef& s : ElementList) pickable += s->Pickable;
    EXPECT_EQ(pickable, 3);
    EXPECT_EQ(SFX->LastPlayed, 3);

    game.BGame->Offset_Y = 501;
    game.BonusFrameHook();
    EXPECT_TRUE(HasCaption(game, Tx("Puzzletiles found")));
    EXPECT_EQ(game.GameTime, 60) << "the puzzle's own clock starts again";
    EXPECT_FALSE(game.TimeOff);
}

// A board whose last symbol is cleared while a tile is stuck in its launch row: the tiles are
// won, so the full row must not turn the win into "No more space left", and clicks meant for
// the puzzle must not fire into the board on its way out.
TEST_F(GameTest, AWonBoardCanNeitherBeLostNorShotAtAnyMore) {
    for (int x = 0; x < BONUS_COLUMNS; ++x)
        for (int y = 0; y < BONUS_ROWS; ++y) {
            LevelProps[0].BonusLevelData[x][y] = -1;
            LevelProps[0].PuzzleTileData[x][y] = -1;
        }
    SetLevel0(MISC_PLAY_FOR_TILES, 60);
    TGame game;
    game.InitLevel(true);
    ASSERT_TRUE(game.BGame);
    const size_t held = game.TempGameElements.size();
    ASSERT_GT(held, 0u);
    BonusGame& board = *game.BGame;
    for (int x = 0; x < BONUS_COLUMNS; ++x)
        for (int y = 0; y < BONUS_ROWS; ++y) board.LevelData[x][y] = board.PuzzleTileData[x][y] = -1;
    // Column 0 walled up with stones, a 1 stuck in its launch row; every symbol is already won.
    for (int y = 0; y < BONUS_LAUNCH_ROW; ++y) board.LevelData[0][y] = CELL_STONE;
    board.LevelData[0][BONUS_LAUNCH_ROW] = 1;
    board.AddLevelObject = int(held);
    game.ShowBonusGame = 2;
    game.ShowBonusGameTutorial = false;
    game.GameState = PLAY_GAME;
    board.StrategyCombo = true;

    InputMouseMove(300, 200);
    for (int frame = 0; frame < 40; ++frame) {
        if (frame % 4 == 0) InputMouseButton(MOUSE_LEFT, true);
        if (frame % 4 == 1) InputMouseButton(MOUSE_LEFT, false);
        UpdateInput();
        game.BonusFrameHook();
        ASSERT_EQ(game.GameState, PLAY_GAME) << "frame " << frame;
    }
    EXPECT_TRUE(game.TempGameElements.empty());
    EXPECT_FALSE(HasCaption(game, Tx("No more space left")));
    EXPECT_TRUE(board.DontCheckAnyMore) << "the board did see itself full";
    for (int x = 1; x < BONUS_COLUMNS; ++x)
        for (int y = 0; y < BONUS_ROWS; ++y) EXPECT_EQ(board.LevelData[x][y], CELL_EMPTY) << "no shot went in";
}
