// The solution check as a player meets it: drops during the hint glow and the black-out, the
// Freeze verdict, the grab rectangle, picture variants out of range and sets without pieces.
#include <gtest/gtest.h>

#include <cmath>

#include "game_env.hpp"

namespace {

// Level 1: two small triangles the test lays itself and a square left for the player.
class CheckTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        LevelShapes[0] = {Piece(2, 300, 150, 45), Piece(2, 300, 350, 90), Piece(3, 200, 250, 0)};
        LevelProps[0].GameTime = 0;
        ASSERT_TRUE(WriteLevelSet(setFile));
    }
    // Lays every tile but the square on its piece; returns the square.
    ShapeRef LayAllButTheSquare() {
        std::vector<ShapeRef> pieces = Pieces(false), tiles = Pieces(true);
        EXPECT_EQ(pieces.size(), 3u);
        EXPECT_EQ(tiles.size(), 3u);
        Lay(tiles[0], pieces[0]);
        Lay(tiles[1], pieces[1]);
        return tiles[2];
    }
    static bool Glowing() {
        for (const ShapeRef& s : ElementList)
            if (!s->Pickable && (s->LightOn || s->R > 0)) return true;
        return false;
    }
};

}  // namespace

TEST_F(CheckTest, ADropDuringTheHintGlowIsCheckedOnceTheSilhouetteIsBlackAgain) {
    TGame game;
    StartPlay(game);
    ASSERT_GT(game.FilledArea, 3000);
    ShapeRef square = LayAllButTheSquare();
    // The lamp: every piece glows grey, one after another.
    InputMouseMove(113, 104);
    ASSERT_TRUE(game.Frame());
    ClickFrame(game, 113, 104);
    ASSERT_FALSE(game.HintAllowed);
    for (int i = 0; i < 30; ++i) ASSERT_TRUE(game.Frame());
    ASSERT_TRUE(Glowing());

    // Dropped far from its place while the square's piece is grey: not solved, then or later.
    PickAndDrop(game, square, 100, 420);
    EXPECT_EQ(game.GameState, PLAY_GAME);
    EXPECT_TRUE(game.PrepareCheck) << "the check is owed until the glow is over";
    int frames = 0;
    while (Glowing() && frames++ < 200) ASSERT_TRUE(game.Frame());
    ASSERT_TRUE(game.Frame());
    EXPECT_FALSE(game.PrepareCheck);
    EXPECT_EQ(game.GameState, PLAY_GAME) << "the square's piece is still uncovered";
    EXPECT_GT(game.FilledArea2, 3000);

    // Put right afterwards, the square completes the level.
    PickAndDrop(game, square, 200, 250);
    EXPECT_EQ(game.GameState, LEVEL_COMPLETE);
}

TEST_F(CheckTest, ADropDuringTheBlackOutCompletesOnlyOnceItHasFaded) {
    SetLevel0(MISC_ENLIGHTENMENT, 0);
    LevelShapes[0] = {Piece(2, 300, 150, 45), Piece(2, 300, 350, 90), Piece(3, 200, 250, 0)};
    ASSERT_TRUE(WriteLevelSet(setFile));
    TGame game;
    game.ShowMeditation = 0;
    StartPlay(game);
    game.ShowMeditation = 0;
    ShapeRef square = LayAllButTheSquare();
    game.MeditationFade = 7.0f;  // fully dark
    PickAndDrop(game, square, 200, 250);
    EXPECT_EQ(game.GameState, PLAY_GAME);
    EXPECT_TRUE(game.PrepareCheck);
    int frames = 0;
    while (game.GameState == PLAY_GAME && frames++ < 600) ASSERT_TRUE(game.Frame());
    EXPECT_EQ(game.GameState, LEVEL_COMPLETE);
    EXPECT_EQ(game.MeditationFade, 0.0f) << "completed in the first frame after the black-out";
}

TEST_F(CheckTest, FreezeVerdictPassesUpTo340BlackPixelsAndSendsTheTilesBackFrom341) {
    SetLevel0(MISC_FREEZE, 0);
    for (int32_t left : {340, 341}) {
        TGame game;
        StartPlay(game);
        game.ShowFreezeMessage = false;
        const int32_t silhouette = game.FilledArea;
        for (const ShapeRef& t : Pieces(true)) {
            t->Pickable = false;
            t->DontFadeAway = true;
            t->X = 200;
            t->Y = 250;
        }
        game.FilledArea2 = left;
        player->Score = 0;
        ASSERT_TRUE(game.Frame());
        if (left == 340) {
            EXPECT_EQ(game.GameState, LEVEL_COMPLETE);
            EXPECT_EQ(game.FilledArea, int32_t(float(silhouette - 340) / float(silhouette) * 100.0f));
            EXPECT_EQ(game.LvlCompleteScore, game.FilledArea * 15 + 1000);
        } else {
            EXPECT_EQ(game.GameState, PLAY_GAME) << "the level goes on with the clock";
            EXPECT_TRUE(HasCaption(game, "You failed! Please try again!"));
            EXPECT_EQ(SFX->LastPlayed, 3);
            for (const ShapeRef& t : ElementList) {
                if (!t->FlyIn) continue;
                EXPECT_TRUE(t->Pickable);
                EXPECT_FALSE(t->DontFadeAway);
                EXPECT_TRUE(t->MoveDroppedTile);
            }
            EXPECT_EQ(Pieces(true).size(), 3u) << "every frozen tile is released";
        }
    }
}

TEST_F(CheckTest, FreezeVerdictWaitsForADropMadeDuringTheGlow) {
    SetLevel0(MISC_FREEZE, 0);
    TGame game;
    StartPlay(game);
    game.ShowFreezeMessage = false;
    ShapeRef square = LayAllButTheSquare();
    for (const ShapeRef& t : Pieces(true))
        if (t != square) {
            t->Pickable = false;
            t->DontFadeAway = true;
        }
    for (const ShapeRef& s : Pieces(false)) s->LightOn = true;
    ASSERT_TRUE(game.Frame());
    PickAndDrop(game, square, 200, 250);
    EXPECT_FALSE(square->Pickable) << "frozen where it fell";
    EXPECT_TRUE(game.PrepareCheck);
    ASSERT_TRUE(game.Frame());
    EXPECT_EQ(game.GameState, PLAY_GAME) << "no verdict on a grey silhouette";
    int frames = 0;
    while (game.GameState == PLAY_GAME && frames++ < 200) ASSERT_TRUE(game.Frame());
    EXPECT_EQ(game.GameState, LEVEL_COMPLETE);
    EXPECT_GE(game.FilledArea, 90);
}

TEST_F(GameTest, TheGrabReadsThePlayfieldRectangleTopDown) {
    TGame game;
    game.InitLevel(true);
    game.GameState = FADE_IN;  // a measure only
    SetClsColor(90, 120, 150);
    Cls();
    SetColor(0, 0, 0);
    SetAlpha(1);
    DrawRect(4, 66, 100, 1);   // first row of the playfield
    DrawRect(4, 459, 50, 1);   // its last row
    DrawRect(4, 65, 30, 1);    // just above
    DrawRect(4, 460, 20, 1);   // just below
    DrawRect(452, 200, 1, 7);  // its last column
    DrawRect(453, 200, 1, 9);  // the tray
    SetColor(255, 255, 255);
    EXPECT_EQ(game.CheckArea(false), 100 + 50 + 7);
    ASSERT_TRUE(game.PixmapCheck);
    EXPECT_EQ(game.PixmapCheck->width, kCheckW);
    EXPECT_EQ(game.PixmapCheck->height, kCheckH);
    EXPECT_EQ(game.PixmapCheck->ReadPixel(0, 0) & 0xffffff, 0u) << "row 0 of the grab is screen row 66";
    EXPECT_NE(game.PixmapCheck->ReadPixel(0, 1) & 0xffffff, 0u);
    EXPECT_EQ(game.PixmapCheck->ReadPixel(49, kCheckH - 1) & 0xffffff, 0u);
    EXPECT_NE(game.PixmapCheck->ReadPixel(51, kCheckH - 1) & 0xffffff, 0u);
    SetClsColor(0, 0, 0);
}

TEST_F(GameTest, AnyPictureVariantButZeroIsTheMirroredParallelogram) {
    LevelShapes[0] = {Piece(4, 200, 250, 0)};
    LevelProps[0].PuzzleSet = 2;
    LevelProps[0].GameTime = 0;
    ASSERT_TRUE(WriteLevelSet(setFile));
    TGame game;
    StartPlay(game);
    EXPECT_EQ(game.PuzzleVariant(), 1);
    EXPECT_GT(game.FilledArea, 2000) << "the silhouette is drawn";
    EXPECT_EQ(game.GameState, PLAY_GAME) << "and not solved by the first measure";
    ShapeRef tile = Pieces(true).at(0);
    PickAndDrop(game, tile, 205, 245);
    EXPECT_EQ(Played(2), 1) << "the tile snaps onto the mirrored piece";
    EXPECT_NEAR(tile->X, 200, 1);
    EXPECT_NEAR(tile->Y, 250, 1);
    EXPECT_EQ(game.GameState, LEVEL_COMPLETE);
}

// One definition of the marks: the silhouette built by the set-up and a tile dropped on the
// same spot agree for every element, turn and variant (values other than 0 and 1 included).
TEST_F(GameTest, SilhouetteMarksEqualTheDroppedTilesForEveryElementTurnAndVariant) {
    TGame game;
    for (int32_t variant : {0, 1, 2}) {
        LevelProps[0].PuzzleSet = variant;
        for (int32_t element = 0; element < 5; ++element)
            for (int step = 0; step < 16; ++step) {
                const float rotation = 22.5f * float(step);
                for (auto& l : LevelShapes) l.clear();
                LevelShapes[0] = {Piece(element, 201, 233, rotation)};
                game.CurrentLevel = 0;
                game.InitLevel(false);
                ShapeRef tile = Shape::CreateNewShape(element, 201, 233, rotation, 255, 255, 255, true, false, 0);
                MarkList marks;
                SetRotation(tile->Rotation);
                tile->AddMarks(201, 233, variant, marks);
                SetRotation(0);
                ASSERT_EQ(marks.size(), SilhouetteMarks.size()) << element;
                for (size_t i = 0; i < marks.size(); ++i) {
                    EXPECT_EQ(marks[i].x, SilhouetteMarks[i].x) << element << " " << rotation << " " << variant;
                    EXPECT_EQ(marks[i].y, SilhouetteMarks[i].y) << element << " " << rotation << " " << variant;
                    EXPECT_EQ(marks[i].r, SilhouetteMarks[i].r) << element << " " << rotation << " " << variant;
                }
            }
    }
}

TEST_F(GameTest, ASetWithoutPiecesIsNeverSolvedNorRecorded) {
    for (auto& l : LevelShapes) l.clear();
    ASSERT_TRUE(WriteLevelSet(setFile));
    TGame game;
    game.InitLevel(true);
    EXPECT_TRUE(game.NoPuzzleLeft);
    EXPECT_EQ(player->LatestMaxLevel(setFile), nullptr) << "no progress is recorded";
    EXPECT_TRUE(ElementList.empty());
    // Played out: a caption, a fade, and the game ends without a completion.
    game.Fade = 0;
    int frames = 0;
    bool captioned = false;
    while (frames++ < 400 && game.Frame()) {
        captioned = captioned || HasCaption(game, "No puzzle to play");
        ASSERT_NE(game.GameState, LEVEL_COMPLETE);
    }
    EXPECT_LT(frames, 400) << "the game ends by itself";
    EXPECT_TRUE(captioned);
    EXPECT_FALSE(game.LevelSetCompleted);
    EXPECT_EQ(player->LatestMaxLevel(setFile), nullptr);

    // A level slot without pieces never completes, whatever the picture holds.
    SetClsColor(90, 120, 150);
    Cls();
    game.CurrentLevel = 3;
    game.GameState = PLAY_GAME;
    EXPECT_EQ(game.CheckArea(true), 0);
    EXPECT_EQ(game.GameState, PLAY_GAME);
    SetClsColor(0, 0, 0);
}

TEST_F(GameTest, ABonusBoardWithoutRoomForTheSymbolsHandsTheTilesOverAtOnce) {
    for (int x = 0; x < BONUS_COLUMNS; ++x)
        for (int y = 0; y < BONUS_ROWS; ++y) {
            LevelProps[0].BonusLevelData[x][y] = CELL_STONE;
            LevelProps[0].PuzzleTileData[x][y] = -1;
        }
    LevelProps[0].BonusLevelData[3][3] = 1;  // room for one symbol, three tiles held back
    SetLevel0(MISC_PLAY_FOR_TILES, 60);
    TGame game;
    game.InitLevel(true);
    EXPECT_FALSE(game.BGame) << "a board that cannot be won is not played";
    EXPECT_EQ(game.ShowBonusGame, 0);
    EXPECT_TRUE(game.TempGameElements.empty());
    EXPECT_EQ(Pieces(true).size(), 3u);
    EXPECT_EQ(game.GameTime, 60);
    StartPlay(game);
    EXPECT_EQ(game.GameState, PLAY_GAME);
    EXPECT_GT(game.FilledArea, 3000);
}

TEST_F(GameTest, TwisterCarriesAPlacedTileAwayAndSendsItBackToTheTray) {
    SetLevel0(MISC_TWISTER, 60);
    TGame game;
    StartPlay(game);
    ASSERT_EQ(game.Twister_Time, 48);
    ShapeRef tile = Pieces(true).at(0);
    tile->X = 200;
    tile->Y = 250;
    game.StartTime = Millisecs() - 13000;  // 47 seconds left: the first whirlwind is due
    SFX->ClearPlayLog();
    ASSERT_TRUE(game.Frame());
    ASSERT_TRUE(game.Show_Twister);
    EXPECT_EQ(Played(23), 1);
    EXPECT_EQ(game.Twister_DestShape, tile);
    EXPECT_EQ(game.Twister_Time, 47 - 12) << "the next one a fifth of the level time later";
    for (int f = 1; f < 32; ++f) ASSERT_TRUE(game.Frame());
    EXPECT_FLOAT_EQ(tile->X, 200) << "untouched until the wind reaches it";
    ASSERT_TRUE(game.Frame());
    EXPECT_NEAR(tile->X, 200, 0.01) << "reached exactly at frame 32";
    EXPECT_NEAR(tile->Y, 250, 0.01);
    for (int f = 33; f < 64; ++f) ASSERT_TRUE(game.Frame());
    EXPECT_FALSE(game.Show_Twister);
    EXPECT_TRUE(tile->FlyIn);
    EXPECT_TRUE(tile->MoveDroppedTile);
    for (int f = 0; f < 20; ++f) ASSERT_TRUE(game.Frame());
    EXPECT_FLOAT_EQ(tile->X, 550 + tile->OffX) << "back in its tray slot";
}

TEST_F(GameTest, TheTorchLeavesAWindowAroundThePointer) {
    SetLevel0(MISC_TORCH, 0);
    TGame game;
    StartPlay(game);
    game.ShowTorch = false;
    InputMouseMove(300, 240);
    ASSERT_TRUE(game.Frame());
    // The frame just shown: 95% black far from the pointer, the background beside it.
    auto blue = [](int x, int y) { return int(GrabPixmap(x, y, 1, 1)->ReadPixel(0, 0) & 255); };
    EXPECT_LE(blue(430, 420), 150 / 10);
    EXPECT_LE(blue(300, 100), 150 / 10) << "above the window";
    EXPECT_GT(blue(330, 260), 100) << "the pointer's surroundings stay visible";
}
