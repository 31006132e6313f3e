// The life of a piece driven through the game's input path: injected mouse and keys,
// UpdateInput, UpdateAllElements on the real renderer, Flip.
#include <gtest/gtest.h>

#include <cmath>

#include "fx/emitters.hpp"
#include "platform/random.hpp"
#include "puzzle/shape.hpp"
#include "puzzle/tileset.hpp"
#include "tiles_env.hpp"

namespace {

struct Modes {
    int32_t state = PLAY_GAME;
    int32_t variant = 0;
    bool frozenInput = false, freeze = false, fading = false, floating = false;
};

class ShapeTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        if (!TileImages[0][0]) LoadPuzzleset(0, false);
        Shape::ClearAllElements();
        SilhouetteMarks.clear();
        TileMarks.clear();
        PickedShape.reset();
        TileDragging = false;
        FloatAngle = 0;
        RotateHoldTime = 0;
        MouseZ = OldMouseZ = 0;
        TileGame = {};
        SetBlend(ALPHABLEND);
    }
    void TearDown() override {
        Shape::ClearAllElements();
        PickedShape.reset();
        SilhouetteMarks.clear();
        TileGame = {};
        UiTest::TearDown();
    }

    void Frame() {
        Cls();
        UpdateInput();
        Shape::UpdateAllElements(modes.state, modes.variant, modes.frozenInput, modes.freeze, modes.fading,
                                 modes.floating);
        MousePointer->Draw();
        Flip(0);
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Frame();
    }
    // Button down for one frame, then up for the next.
    void Click(int x, int y, int button = MOUSE_LEFT) {
        InputMouseMove(x, y);
        InputMouseButton(button, true);
        Frame();
        InputMouseButton(button, false);
    }
    void Tap(int key) {
        InputKey(key, true);
        Frame();
        InputKey(key, false);
    }

    ShapeRef Tile(int32_t element, float x) {
        return Shape::CreateNewShape(element, x, float(TraySlotY(element)), 0, 255, 255, 255, true, false, 0);
    }
    // A silhouette piece with its marks, as the level set-up builds them.
    ShapeRef Silhouette(int32_t element, float x, float y, float rotation) {
        ShapeRef s = Shape::CreateNewShape(element, x, y, rotation, 0, 0, 0, false, false, 0);
        SetRotation(s->Rotation);
        s->AddMarks(int32_t(x), int32_t(y), modes.variant, SilhouetteMarks);
        SetRotation(0);
        return s;
    }
    ShapeRef PickUp(int32_t element, float x = 550) {
        ShapeRef t = Tile(element, x);
        Click(int(x), TraySlotY(element));
        EXPECT_EQ(PickedShape, t);
        EXPECT_TRUE(TileDragging);
        return t;
    }

    Modes modes;
};

TEST_F(ShapeTest, KeyATurnsAtOnceSilentlyThenRepeatsEveryFiveFramesAfterTwenty) {
    ShapeRef t = PickUp(0);
    EXPECT_EQ(Played(9), 1) << "picking up";
    InputMouseMove(300, 250);
    Frame();
    EXPECT_EQ(t->X, 300.0f) << "the held tile follows the mouse without the button";
    EXPECT_FALSE(MousePointer->Display) << "and hides the pointer";

    InputKey(KEY_A, true);
    std::vector<int> soundFrames;
    std::vector<float> rotations;
    for (int f = 1; f <= 36; ++f) {
        int before = Played(8);
        Frame();
        if (Played(8) > before) soundFrames.push_back(f);
        rotations.push_back(t->Rotation);
    }
    InputKey(KEY_A, false);
    EXPECT_FLOAT_EQ(rotations[0], 355.5f);
    EXPECT_FLOAT_EQ(rotations[4], 337.5f) << "-22.5 degrees over 5 frames";
    EXPECT_FLOAT_EQ(rotations[18], 337.5f) << "then it waits";
    EXPECT_EQ(soundFrames, (std::vector<int>{20, 25, 30, 35})) << "the first turn is silent";
    EXPECT_FLOAT_EQ(rotations[23], 315.0f);
    Frames(10);
    EXPECT_FLOAT_EQ(t->Rotation, 247.5f) << "five turns; releasing A lets the running one finish";

    // S turns the other way, and each key keeps its own hold time.
    Tap(KEY_S);
    Frames(4);
    EXPECT_FLOAT_EQ(t->Rotation, 270.0f);
    EXPECT_EQ(t->KeyAHoldTime, 20);
    EXPECT_EQ(Played(8), 4);
}

TEST_F(ShapeTest, WheelNotchesCountOncePerFrameAndAddUp) {
    ShapeRef t = PickUp(1);
    InputWheel(2);  // two notches in one frame
    Frame();
    Frames(6);
    EXPECT_FLOAT_EQ(t->Rotation, 337.5f);
    EXPECT_EQ(Played(8), 1);

    InputWheel(1);
    Frame();
    InputWheel(1);
    Frame();
    Frames(8);
    EXPECT_FLOAT_EQ(t->Rotation, 292.5f) << "two frames of wheel-up: 45 degrees counter-clockwise in 10 frames";
    EXPECT_EQ(Played(8), 3);
    InputWheel(-1);
    Frame();
    Frames(4);
    EXPECT_FLOAT_EQ(t->Rotation, 315.0f);
}

TEST_F(ShapeTest, RightButtonAndSpaceTurnClockwiseWithSoundAndRepeatWhileHeld) {
    ShapeRef t = PickUp(2);
    InputMouseButton(MOUSE_RIGHT, true);
    Frame();
    EXPECT_EQ(Played(8), 1);
    Frames(18);
    EXPECT_FLOAT_EQ(t->Rotation, 22.5f);
    EXPECT_EQ(Played(8), 1);
    Frame();
    EXPECT_EQ(Played(8), 2) << "repeat on the 20th frame held";
    InputMouseButton(MOUSE_RIGHT, false);
    Frames(5);
    Tap(KEY_SPACE);
    Frames(4);
    EXPECT_FLOAT_EQ(t->Rotation, 67.5f);
    EXPECT_EQ(Played(8), 3);
}

TEST_F(ShapeTest, DropWithEveryMarkNearItsPartnerMovesByTheMeanOffset) {
    Silhouette(3, 200, 200, 0);
    ASSERT_EQ(SilhouetteMarks.size(), 4u);
    ShapeRef t = PickUp(3);
    InputMouseMove(214, 186);
    Frame();
    Click(214, 186);
    EXPECT_TRUE(TileDropped);
    EXPECT_FALSE(TileDragging);
    EXPECT_FALSE(PickedShape);
    EXPECT_EQ(Played(2), 1);
    EXPECT_EQ(Played(9), 1);
    EXPECT_FLOAT_EQ(t->X, 200.0f);
    EXPECT_FLOAT_EQ(t->Y, 200.0f);
    Frame();
    EXPECT_FALSE(TileDropped) << "cleared by the next frame's input update";

    // One partner 8 pixels further away: the mean of (-5, -5, -5, +3) moves it by -3.
    Shape::ClearAllElements();
    SilhouetteMarks.clear();
    Silhouette(3, 200, 200, 0);
    SilhouetteMarks[1].x += 8;
    ShapeRef u = PickUp(3);
    Click(205, 200);
    EXPECT_EQ(Played(2), 2);
    EXPECT_FLOAT_EQ(u->X, 202.0f);
    EXPECT_FLOAT_EQ(u->Y, 200.0f);
}

TEST_F(ShapeTest, OneMarkSixteenPixelsOffKeepsTheTileWhereItFell) {
    Silhouette(3, 200, 200, 0);
    SilhouetteMarks[2].y += 16;
    ShapeRef t = PickUp(3);
    Click(203, 201);
    EXPECT_EQ(Played(2), 0);
    EXPECT_EQ(Played(9), 2) << "pick-up and the failed snap";
    EXPECT_FLOAT_EQ(t->X, 203.0f);
    EXPECT_FLOAT_EQ(t->Y, 201.0f);

    // Fifteen pixels is already too far as well: the test is strict.
    Shape::ClearAllElements();
    SilhouetteMarks.clear();
    Silhouette(2, 200, 200, 0);
    ShapeRef u = PickUp(2);
    Click(215, 200);
    EXPECT_FLOAT_EQ(u->X, 215.0f);
    EXPECT_EQ(Played(2), 0);
}

TEST_F(ShapeTest, TurnedTileSnapsOnlyWhenItsAnglesMatch) {
    // 22.5 degrees off never matches, however close.
    Silhouette(0, 220, 250, 0);
    ShapeRef t = PickUp(0);
    Tap(KEY_S);
    Frames(5);
    ASSERT_FLOAT_EQ(t->Rotation, 22.5f);
    Click(220, 250);
    EXPECT_EQ(Played(2), 0);
    EXPECT_FLOAT_EQ(t->X, 220.0f);

    // A square turned a quarter looks the same and snaps onto the unturned piece.
    Shape::ClearAllElements();
    SilhouetteMarks.clear();
    Silhouette(3, 300, 300, 0);
    ShapeRef sq = PickUp(3);
    for (int i = 0; i < 4; ++i) {
        Tap(KEY_S);
        Frames(5);
    }
    ASSERT_FLOAT_EQ(sq->Rotation, 90.0f);
    Click(306, 296);
    EXPECT_EQ(Played(2), 1);
    EXPECT_NEAR(sq->X, 300.0f, 2.0f);
    EXPECT_NEAR(sq->Y, 300.0f, 2.0f);

    // So does the mirrored parallelogram of variant 1 onto its own silhouette, turned 180.
    Shape::ClearAllElements();
    SilhouetteMarks.clear();
    modes.variant = 1;
    Silhouette(4, 250, 150, 180);
    ShapeRef p = PickUp(4);
    for (int i = 0; i < 8; ++i) {
        Tap(KEY_S);
        Frames(5);
    }
    Click(252, 152);
    EXPECT_EQ(Played(2), 2);
    EXPECT_FLOAT_EQ(p->X, 250.0f);
    EXPECT_FLOAT_EQ(p->Y, 150.0f);
}

TEST_F(ShapeTest, TileDroppedInTheTrayFliesBackToItsSlotInTenFrames) {
    ShapeRef t = PickUp(1, 555);
    EXPECT_FLOAT_EQ(t->OffX, 5.0f);
    Tap(KEY_S);
    Frames(5);
    Click(500, 300);
    EXPECT_EQ(Played(3), 1);
    EXPECT_EQ(Played(9), 2) << "no partner marks in the tray";
    EXPECT_TRUE(t->MoveDroppedTile);
    Frames(8);
    EXPECT_TRUE(t->MoveDroppedTile) << "nine frames into the flight";
    Frame();
    EXPECT_FALSE(t->MoveDroppedTile);
    EXPECT_FLOAT_EQ(t->X, 555.0f);
    EXPECT_FLOAT_EQ(t->Y, 205.0f);
    EXPECT_FLOAT_EQ(t->Rotation, 0.0f);

    // The long flight of tiles the game sends into the tray takes twenty.
    t->X = 100;
    t->Y = 100;
    t->CalcMove(true);
    Frames(19);
    EXPECT_TRUE(t->MoveDroppedTile);
    Frame();
    EXPECT_FALSE(t->MoveDroppedTile);
    EXPECT_FLOAT_EQ(t->X, 555.0f);
}

TEST_F(ShapeTest, FrozenTileTurnsGoldOverTwentyFramesAndStaysPut) {
    modes.freeze = true;
    ShapeRef t = PickUp(3);
    Click(200, 300);
    EXPECT_EQ(Played(21), 1);
    EXPECT_FALSE(t->Pickable);
    EXPECT_TRUE(t->DontFadeAway);
    Frames(18);
    EXPECT_LT(t->FadeGold, 0.99f);
    Frame();
    EXPECT_NEAR(t->FadeGold, 1.0f, 1e-5f) << "twenty frames including the drop";
    Frames(3);
    EXPECT_NEAR(t->FadeGold, 1.0f, 1e-5f);

    // The overlay shows the gold picture.
    Cls();
    UpdateInput();
    Shape::UpdateAllElements(modes.state, 0, false, true, false, false);
    const TPixmap& gold = *LockImage(TileGoldImages[0][3]);
    uint32_t want = gold.ReadPixel(gold.width / 2, gold.height / 2 + 10);
    uint32_t got = At(200, 310);
    for (int sh : {0, 8, 16}) EXPECT_NEAR(int((got >> sh) & 255), int((want >> sh) & 255), 8) << sh;
    Flip(0);

    int picks = Played(9);
    Click(200, 300);
    Frames(2);
    EXPECT_FALSE(PickedShape);
    EXPECT_EQ(Played(9), picks);
}

TEST_F(ShapeTest, ClickOnOverlappingTrayTilesPicksTheLaterOneAndDrawsItLast) {
    ShapeRef a = Tile(2, 550);
    ShapeRef b = Tile(2, 555);
    ShapeRef c = Tile(0, 550);
    Click(553, 275);
    EXPECT_EQ(PickedShape, b);
    EXPECT_FALSE(a->PickedUp);
    EXPECT_TRUE(b->PickedUp);
    EXPECT_EQ(Played(9), 2) << "each piece under the mouse takes the tile from the one before";
    EXPECT_EQ(ElementList.back(), b);
    EXPECT_EQ(ElementList.front(), a);
    (void)c;
}

TEST_F(ShapeTest, TrayTileZoomsUnderTheMouseWithOneHoverSound) {
    ShapeRef t = Tile(4, 550);
    InputMouseMove(10, 10);
    Frames(3);
    EXPECT_NEAR(t->zoomer, 0.8f, 1e-5f) << "resting tray tiles shrink to 0.8";
    InputMouseMove(550, 330);
    Frames(6);
    EXPECT_EQ(Played(13), 1) << "the parallelogram's hover sound";
    EXPECT_NEAR(t->zoomer, 1.05f, 1e-5f);
    modes.state = 0;  // tiles ignore the mouse outside play
    Frames(2);
    EXPECT_LT(t->zoomer, 1.0f);
}

TEST_F(ShapeTest, HintGlowBrightensThenFadesBack) {
    ShapeRef s = Silhouette(0, 200, 200, 0);
    s->LightOn = true;
    s->LightOnDelay = 10;
    Frames(10);
    EXPECT_EQ(s->R, 8);
    Frames(15);
    EXPECT_EQ(s->R, 128);
    Frame();
    EXPECT_FALSE(s->LightOn);
    Frames(63);
    EXPECT_EQ(s->R, 0);
    EXPECT_EQ(s->G, 0);
}

TEST_F(ShapeTest, PlacedTilesDarkenOnMeditationLevelsAndLightUpWhenATileIsPicked) {
    modes.fading = true;
    ShapeRef t = PickUp(2);
    Click(150, 200);
    EXPECT_TRUE(t->TileFading);
    Frames(9);
    EXPECT_EQ(t->R, 255 - 36) << "the drop frame darkens nothing yet";
    ShapeRef u = Tile(1, 550);
    Click(550, 205);
    EXPECT_EQ(t->R, 255 - 40) << "picking another tile up does not light the placed ones";
    Click(300, 300);
    EXPECT_EQ(t->R, 271 - 4) << "the click that drops a tile lights them for a moment";
    EXPECT_EQ(u->R, 255);
    Frames(4);
    EXPECT_LT(t->R, 255);

    // Picking a placed tile up again takes it out of the fading.
    Click(150, 200);
    EXPECT_EQ(PickedShape, t);
    EXPECT_FALSE(t->TileFading);
    EXPECT_EQ(t->R, 255);
}

TEST_F(ShapeTest, LevelCompleteSparklesOnlyWhileTheCountdownRuns) {
    for (int i = 0; i < 5; ++i) Shape::CreateNewShape(i, 100.0f + 50 * i, 200, 0, 255, 255, 255, true, false, 0);
    PEmitter burst;
    int32_t countdown = 0;
    TileGame.ParticleBurst = &burst;
    TileGame.FinishCountdown = &countdown;
    modes.state = kShapeLevelCompleteState;
    SeedRnd(7);
    Frames(100);
    EXPECT_TRUE(burst.p.empty());
    countdown = 200;
    Frames(100);
    EXPECT_FALSE(burst.p.empty());
    float lowest = 1;
    for (auto& s : ElementList) lowest = std::min(lowest, s->Alpha);
    EXPECT_LT(lowest, 1.0f);
}

TEST_F(ShapeTest, FloatingPlayfieldSwingsPiecesButNotTheTray) {
    modes.floating = true;
    ShapeRef field = Tile(2, 550);
    field->X = 200;
    field->Y = 200;
    Tile(2, 550);
    Frames(90);
    EXPECT_NEAR(FloatOffset, 0.0f, 1e-4f);
    Frames(90);
    EXPECT_NEAR(FloatOffset, -30.0f, 1e-4f);
    Flip(0);
    Cls();
    UpdateInput();
    Shape::UpdateAllElements(PLAY_GAME, 0, false, false, false, true);
    // Small triangle centre is 43 x 43 below the apex; the floating one has moved up ~30.
    EXPECT_NE(At(200, 180) & 0xffffff, 0u);
    EXPECT_NE(At(550, 280) & 0xffffff, 0u) << "tray tiles stay in their slots";
    Flip(0);
}

TEST(ShapeMarks, GeneratorsFollowTheDrawingRotation) {
    MarkList m;
    SetRotation(0);
    AddSmallTriangleMarks(100, 100, 0, m);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].x, 90);  // 100 + 14 cos 135
    EXPECT_EQ(m[0].y, 109);
    EXPECT_FLOAT_EQ(m[0].r, 135.0f);
    EXPECT_EQ(m[1].x, 109);  // 100 - 14 cos -135: the two ends of the long side
    EXPECT_EQ(m[1].y, 109);
    EXPECT_FLOAT_EQ(m[1].r, -135.0f);
    m.clear();
    AddMediumTriangleMarks(100, 100, 0, m);
    EXPECT_EQ(m.size(), 4u);
    m.clear();
    AddLargeTriangleMarks(100, 100, 0, m);
    EXPECT_EQ(m.size(), 8u);
    m.clear();
    SetRotation(90);
    AddSmallTriangleMarks(100, 100, 0, m);
    EXPECT_FLOAT_EQ(m[0].r, 225.0f);
    SetRotation(0);
}

}  // namespace
