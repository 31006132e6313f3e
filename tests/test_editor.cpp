// The level editor and its dialogs driven frame by frame through the game's own input path:
// the palette, the playfield, the slider, the level buttons, the bonus board, the property
// dialogs, the name entry and the chooser, and what reaches the file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "data/users.hpp"
#include "editor/editor.hpp"
#include "editor/editor_dialogs.hpp"
#include "platform/filesys.hpp"
#include "platform/platform_hooks.hpp"
#include "platform/stream.hpp"
#include "puzzle/levelset.hpp"
#include "scratch_dir.hpp"
#include "tiles_env.hpp"

namespace {

void Press(int button = MOUSE_LEFT) { InputMouseButton(button, true); }
void Release(int button = MOUSE_LEFT) { InputMouseButton(button, false); }

// A frame of a dialog on its own, as its owner draws it.
template <class Draw>
void DialogFrame(Draw draw) {
    Cls();
    UpdateInput();
    draw();
    Flip(0);
}

// Press and release over (x, y): immediate buttons fire on the release frame.
template <class Draw>
void ClickDialog(int x, int y, Draw draw) {
    InputMouseMove(x, y);
    Press();
    DialogFrame(draw);
    Release();
    DialogFrame(draw);
}

class EditorDialogTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        LevelProps[3] = TLevelProperties();
    }
};

class EditorTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        if (!TileImages[1][4]) LoadPuzzleset(0, false);
        dir = std::make_unique<ScratchDir>();
        Users.RemoveAllUsers();
        Users.FilePath = dir->File("users.cfg");
        Users.AddNewUser("Tester");
        CurrentUserIndex = 0;
        SilhouetteMarks.clear();
        setFile = dir->File("Mine.lvl");
        ASSERT_TRUE(WriteEmptyLevelSet(setFile));
        CurrLevelSetFile = setFile;
        ed = std::make_unique<TEd>();
        ed->Begin();
        ed->TutorialStep = 11;  // the balloons would cover what the tests look at
        InputMouseMove(300, 300);
        Frames(25);  // faded in
    }
    void TearDown() override {
        SetAfterFlipHook(nullptr);
        testhooks::failSaveAfterBytes = -1;
        ed.reset();
        Users.RemoveAllUsers();
        UiTest::TearDown();
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) ed->Frame();
    }
    void Click(int x, int y, int button = MOUSE_LEFT) {
        InputMouseMove(x, y);
        Press(button);
        ed->Frame();
        Release(button);
        ed->Frame();
    }
    void Key(int key) {
        InputKey(key, true);
        ed->Frame();
        InputKey(key, false);
        ed->Frame();
    }
    // Takes a tile from the palette and lets it go at (x, y).
    ShapeRef PlaceTile(int paletteY, int x, int y) {
        Click(550, paletteY);
        ShapeRef held = PickedShape;
        InputMouseMove(x, y);
        ed->Frame();
        Click(x, y);
        return held;
    }
    std::vector<ShapeRef> Pieces() const { return {ElementList.begin(), ElementList.end()}; }

    std::unique_ptr<ScratchDir> dir;
    std::string setFile;
    std::unique_ptr<TEd> ed;
};

constexpr int kSquareY = 340, kParallelogramY = 420;

}  // namespace

// ---- Property dialogs ----

TEST_F(EditorDialogTest, LevelPropertiesToggleTheirBitsAndCycleTheGameMode) {
    TLvlOptions opts;
    auto frame = [&] { opts.Render(3); };
    int32_t& misc = LevelProps[3].MiscProperties;
    ClickDialog(359, 155, frame);
    EXPECT_EQ(misc, MISC_TWISTER);
    ClickDialog(359, 185, frame);
    ClickDialog(359, 245, frame);
    ClickDialog(359, 275, frame);
    ClickDialog(359, 305, frame);
    EXPECT_EQ(misc, MISC_TWISTER | MISC_FREEZE | MISC_FLOATING | MISC_PLAY_FOR_TILES | MISC_TORCH);
    ClickDialog(359, 155, frame);
    EXPECT_EQ(misc & MISC_TWISTER, 0);

    misc = 0;
    std::vector<int32_t> modes;
    for (int i = 0; i < 4; ++i) {
        ClickDialog(359, 215, frame);
        modes.push_back(misc & 3);
    }
    EXPECT_EQ(modes, (std::vector<int32_t>{MISC_ENLIGHTENMENT, MISC_MEDITATION, 0, MISC_ENLIGHTENMENT}));
    // A hand-made level with both bits counts as Enlightenment; one click gives Default.
    misc = MISC_ENLIGHTENMENT | MISC_MEDITATION | MISC_TORCH;
    ClickDialog(359, 215, frame);
    EXPECT_EQ(misc, MISC_TORCH);

    ClickDialog(359, 378, frame);
    EXPECT_EQ(opts.Page, PAGE_EXIT);
    const int32_t before = misc;
    ClickDialog(359, 155, frame);
    EXPECT_EQ(misc, before) << "a closed dialog takes no clicks";
}

TEST_F(EditorDialogTest, BonusTimeComesBackAfterFiveClicksAndDifficultyAfterFour) {
    TBonusLvlOptions opts;
    auto frame = [&] { opts.Render(3); };
    TLevelProperties& p = LevelProps[3];
    p.BonusTime = 2;
    std::vector<int32_t> times;
    for (int i = 0; i < 5; ++i) {
        ClickDialog(359, 155, frame);
        times.push_back(p.BonusTime);
    }
    EXPECT_EQ(times, (std::vector<int32_t>{3, 4, 0, 1, 2}));
    std::vector<int32_t> levels;
    for (int i = 0; i < 4; ++i) {
        ClickDialog(359, 245, frame);
        levels.push_back(p.BonusLevelDifficulty);
    }
    EXPECT_EQ(levels, (std::vector<int32_t>{1, 2, 3, 0}));
    ClickDialog(359, 185, frame);
    ClickDialog(359, 215, frame);
    EXPECT_EQ(p.MiscProperties, MISC_BOMBS | MISC_JOKER);
    // A value from a hand-made file outside the list starts the cycle again.
    p.BonusTime = 9;
    ClickDialog(359, 155, frame);
    EXPECT_EQ(p.BonusTime, 0);
    ClickDialog(359, 378, frame);
    EXPECT_EQ(opts.Page, PAGE_EXIT);
}

// ---- Name entry ----

TEST_F(EditorDialogTest, NameEntryTakesOneCharacterAFrameAndBackspaceEveryEleventh) {
    TReqEnterLevelName req;
    auto frame = [&] { req.Render(95, 50); };
    for (char c : std::string("Tiger7")) {
        InputTypeText(std::string(1, c));
        DialogFrame(frame);
    }
    InputTypeText("~");  // not a character a name may hold
    DialogFrame(frame);
    InputTypeText("ab");  // a burst: the rest is dropped
    DialogFrame(frame);
    DialogFrame(frame);
    EXPECT_EQ(req.Caption, "Tiger7a");

    InputKey(KEY_BACKSPACE, true);
    for (int i = 0; i < 33; ++i) DialogFrame(frame);
    InputKey(KEY_BACKSPACE, false);
    DialogFrame(frame);
    EXPECT_EQ(req.Caption, "Tige");
}

TEST_F(EditorDialogTest, NameEntryConfirmsOnlyUsableNamesByButtonOrEnter) {
    EXPECT_TRUE(UsableLevelSetName("My levels"));
    EXPECT_TRUE(UsableLevelSetName(".hidden"));
    EXPECT_FALSE(UsableLevelSetName(""));
    EXPECT_FALSE(UsableLevelSetName("../../etc/x"));
    EXPECT_FALSE(UsableLevelSetName("a/b"));
    EXPECT_FALSE(UsableLevelSetName(".."));

    TReqEnterLevelName req;
    auto frame = [&] { req.Render(95, 50); };
    ClickDialog(95 + 233, 50 + 207, frame);
    EXPECT_EQ(req.Action, "") << "an empty name cannot be confirmed";
    req.Caption = "a/b";
    ClickDialog(95 + 233, 50 + 207, frame);
    InputKey(KEY_ENTER, true);
    DialogFrame(frame);
    InputKey(KEY_ENTER, false);
    EXPECT_EQ(req.Action, "") << "a name with a slash would leave the folder";
    req.Caption = "...";
    ClickDialog(95 + 233, 50 + 207, frame);
    EXPECT_EQ(req.Action, "");

    req.Caption = "Stones";
    InputKey(KEY_ENTER, true);
    DialogFrame(frame);
    InputKey(KEY_ENTER, false);
    EXPECT_EQ(req.Action, "OK");
    req.Action.clear();
    ClickDialog(95 + 233, 50 + 207, frame);
    EXPECT_EQ(req.Action, "OK");
}

// ---- Chooser ----

TEST_F(EditorDialogTest, ChooserListsOnlyLevelSetsAndSelectsByClick) {
    ScratchDir dir;
    for (const char* name : {"a.lvl", "b.txt", "c.lvl"}) ASSERT_TRUE(WriteEmptyLevelSet(dir.File(name)));
    ASSERT_TRUE(CreateDir(dir.File("d")));
    TReqLevelSeletor chooser(dir.File(""));
    EXPECT_EQ(chooser.ListedFiles(), (std::vector<std::string>{"a.lvl", "c.lvl"}));
    auto frame = [&] { chooser.Render(150, 100); };
    const int rowH = FontMain->FrameHeight;
    ClickDialog(150 + 325, 100 + 260, frame);
    EXPECT_EQ(chooser.Action, "") << "Ok waits for a selection";
    ClickDialog(150 + 100, 100 + 49 + rowH + rowH / 2, frame);
    EXPECT_EQ(chooser.sel, 1);
    EXPECT_EQ(chooser.LevelFile, "c.lvl");
    ClickDialog(150 + 325, 100 + 260, frame);
    EXPECT_EQ(chooser.Action, "OK");
}

TEST_F(EditorDialogTest, ChooserOverAMissingFolderMakesItAndOffersNew) {
    ScratchDir dir;
    const std::string folder = dir.File("data") + "/";
    TReqLevelSeletor chooser(folder);
    EXPECT_EQ(FileType(dir.File("data")), FILETYPE_DIR);
    EXPECT_TRUE(chooser.ListedFiles().empty());
    ClickDialog(150 + 325, 100 + 80, [&] { chooser.Render(150, 100); });
    EXPECT_EQ(chooser.Action, "NEW");
}

// ---- The editor ----

TEST_F(EditorTest, PaletteTileReleasedOnThePaletteSideIsDeletedAndOnThePlayfieldKept) {
    ShapeRef kept = PlaceTile(kSquareY, 400, 200);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->Element, 3);
    ASSERT_EQ(ElementList.size(), 1u);
    EXPECT_EQ(ElementList.front()->X, 400.0f);
    EXPECT_FALSE(ElementList.front()->PickedUp);

    ShapeRef thrown = PlaceTile(kSquareY, 500, 200);
    ASSERT_TRUE(thrown);
    ASSERT_EQ(ElementList.size(), 1u) << "the tile let go at x 500 is gone";
    EXPECT_EQ(ElementList.front(), kept);

    // A placed tile carried back to the palette side is deleted too.
    Click(400, 200);
    EXPECT_TRUE(kept->PickedUp);
    InputMouseMove(520, 300);
    ed->Frame();
    Click(520, 300);
    EXPECT_TRUE(ElementList.empty());

    // Held over the palette side when the level is stored, a tile is not kept.
    Click(550, kSquareY);
    InputMouseMove(520, 300);
    ed->Frame();
    ed->SaveToMem();
    EXPECT_TRUE(LevelShapes[0].empty());
    Click(520, 300);

    // R throws the held tile away.
    Click(550, kSquareY);
    ASSERT_EQ(ElementList.size(), 1u);
    Key('R');
    EXPECT_TRUE(ElementList.empty());
    EXPECT_FALSE(TileDragging);
}

TEST_F(EditorTest, HeldTileTurnsAsInPlay) {
    Click(550, kSquareY);
    InputMouseMove(300, 250);
    ed->Frame();
    InputWheel(-1);
    Frames(20);
    Click(300, 250);
    ASSERT_EQ(ElementList.size(), 1u);
    EXPECT_FLOAT_EQ(ElementList.front()->Rotation, 22.5f);
}

TEST_F(EditorTest, LevelButtonsStopAtTheEndsButStillCopyThePlayfield) {
    PlaceTile(kSquareY, 300, 200);
    Key(KEY_NUMSUBTRACT);
    EXPECT_EQ(ed->CurrentLevel, 0);
    ASSERT_EQ(LevelShapes[0].size(), 1u);
    ASSERT_EQ(ElementList.size(), 1u);
    EXPECT_NE(ElementList.front(), LevelShapes[0][0]) << "the playfield holds new objects";
    EXPECT_EQ(ElementList.front()->X, 300.0f);

    Key(KEY_NUMADD);
    EXPECT_EQ(ed->CurrentLevel, 1);
    EXPECT_TRUE(ElementList.empty());
    ed->CurrentLevel = 49;
    PlaceTile(kParallelogramY, 250, 300);
    Click(85, 252);  // "+"
    EXPECT_EQ(ed->CurrentLevel, 49);
    EXPECT_EQ(LevelShapes[49].size(), 1u);
    EXPECT_EQ(ElementList.size(), 1u);
    Click(85, 220);  // "-"
    EXPECT_EQ(ed->CurrentLevel, 48);
    EXPECT_EQ(LevelShapes[0].size(), 1u);
}

TEST_F(EditorTest, SliderStopsAt235AndZeroMeansOff) {
    InputMouseMove(200, 40);
    Press();
    ed->Frame();
    EXPECT_EQ(LevelProps[0].GameTime, 95);
    InputMouseMove(600, 40);  // the drag goes on beyond the bar
    ed->Frame();
    EXPECT_EQ(LevelProps[0].GameTime, kEditorMaxTime);
    Release();
    ed->Frame();
    InputMouseMove(150, 40);
    ed->Frame();
    EXPECT_EQ(LevelProps[0].GameTime, kEditorMaxTime) << "the drag ended with the button";

    Click(100, 40);
    EXPECT_EQ(LevelProps[0].GameTime, 0);
    // A file value above the slider's range is clamped to what the slider can show.
    LevelProps[0].GameTime = 999;
    ed->Frame();
    EXPECT_EQ(LevelProps[0].GameTime, 240);
}

TEST_F(EditorTest, FlipParallelogramSwapsThePalettePictureAndThePieces) {
    PlaceTile(kParallelogramY, 250, 250);
    ed->Frame();
    PixmapRef palette0 = GrabPixmap(500, 390, 100, 60);
    PixmapRef piece0 = GrabPixmap(200, 220, 100, 60);
    Click(25, 372);
    EXPECT_EQ(LevelProps[0].PuzzleSet, 1);
    InputMouseMove(300, 440);
    ed->Frame();
    PixmapRef palette1 = GrabPixmap(500, 390, 100, 60);
    PixmapRef piece1 = GrabPixmap(200, 220, 100, 60);
    EXPECT_NE(palette0->pixels, palette1->pixels);
    EXPECT_NE(piece0->pixels, piece1->pixels);
    // Pieces stay black: the darkest pixel under the piece is pure black.
    bool black = false;
    for (uint32_t px : piece1->pixels) black = black || (px & 0xffffff) == 0;
    EXPECT_TRUE(black);
    // Taking the mirrored parallelogram from the palette works as before.
    ShapeRef mirrored = PlaceTile(kParallelogramY, 350, 150);
    ASSERT_TRUE(mirrored);
    EXPECT_EQ(mirrored->Element, 4);
    Click(25, 372);
    EXPECT_EQ(LevelProps[0].PuzzleSet, 0);
    // A hand-made value counts as the mirrored variant, so one flip gives the plain one.
    LevelProps[0].PuzzleSet = -3;
    Click(25, 372);
    EXPECT_EQ(LevelProps[0].PuzzleSet, 0);
}

TEST_F(EditorTest, MovePlayfieldCarriesEveryPieceWithTheMouseUntilTheNextClick) {
    PlaceTile(kSquareY, 300, 200);
    PlaceTile(kParallelogramY, 200, 300);
    Click(70, 317);
    EXPECT_TRUE(ed->MovePlayfield);
    InputMouseMove(80, 317);
    ed->Frame();
    EXPECT_EQ(MouseX(), 70);
    EXPECT_EQ(MouseY(), 317);
    std::vector<ShapeRef> p = Pieces();
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0]->X, 310.0f);
    EXPECT_EQ(p[1]->X, 210.0f);
    EXPECT_EQ(p[1]->Y, 300.0f);
    // Moved far right, the pieces are not taken for tiles thrown back to the palette.
    InputMouseMove(270, 317);
    ed->Frame();
    EXPECT_EQ(ElementList.size(), 2u);
    InputMouseMove(70, 307);
    Press();
    ed->Frame();
    Release();
    ed->Frame();
    EXPECT_FALSE(ed->MovePlayfield);
    EXPECT_EQ(ElementList.size(), 1u) << "the square lay right of the palette edge when the move ended";
    EXPECT_EQ(ElementList.front()->X, 410.0f);
    EXPECT_EQ(ElementList.front()->Y, 290.0f);
    EXPECT_FALSE(ElementList.front()->PickedUp) << "the click that ends the move picks nothing up";
}

TEST_F(EditorTest, BonusPagePaintsSymbolsAndAsManyMarkersAsThereArePieces) {
    PlaceTile(kSquareY, 300, 200);
    LevelProps[0].MiscProperties = MISC_PLAY_FOR_TILES;
    LevelProps[0].ClearBonusBoard();
    Click(460, 35);
    ASSERT_TRUE(ed->BonusPage);
    Click(495 + 52 + 25, 75 + 52 + 25);  // kind 3
    EXPECT_EQ(ed->BonusKind, 3);
    // Held and moved: several cells.
    InputMouseMove(200, 140);
    Press();
    ed->Frame();
    InputMouseMove(240, 140);
    ed->Frame();
    Release();
    ed->Frame();
    EXPECT_EQ(LevelProps[0].BonusLevelData[1][1], 3);
    EXPECT_EQ(LevelProps[0].BonusLevelData[2][1], 3);
    EXPECT_EQ(LevelProps[0].BonusLevelData[3][1], -1);
    Click(240, 140, MOUSE_RIGHT);
    EXPECT_EQ(LevelProps[0].BonusLevelData[2][1], -1);

    Click(495 + 52 + 25, 75 + 4 * 52 + 25);  // kind 9, the stone
    Click(320, 300);
    EXPECT_EQ(LevelProps[0].BonusLevelData[4][5], 9);

    Click(495 + 25, 75 + 4 * 52 + 25);  // the marker
    EXPECT_EQ(ed->BonusKind, kMarkerKind);
    EXPECT_EQ(ed->MarkersLeft(), 1);
    Click(200, 260);
    Click(240, 260);
    EXPECT_EQ(LevelProps[0].PuzzleTileData[1][4], 0);
    EXPECT_EQ(LevelProps[0].PuzzleTileData[2][4], -1) << "one piece, one marker";
    EXPECT_EQ(ed->MarkersLeft(), 0);
    Click(200, 260, MOUSE_RIGHT);
    EXPECT_EQ(LevelProps[0].PuzzleTileData[1][4], -1);

    // The bonus dialog opens from the page and edits the same level.
    Click(547, 425);
    EXPECT_TRUE(ed->ShowOptionsBonus);
    Click(359, 245);
    EXPECT_EQ(LevelProps[0].BonusLevelDifficulty, 1);
    Click(359, 378);
    EXPECT_FALSE(ed->ShowOptionsBonus);

    Click(25, 317);  // "Clear level" on this page clears the board only
    EXPECT_FALSE(LevelProps[0].HasBonusData());
    EXPECT_EQ(ElementList.size(), 1u);
    Click(460, 35);
    EXPECT_FALSE(ed->BonusPage);
    Click(25, 317);
    EXPECT_TRUE(ElementList.empty());
}

TEST_F(EditorTest, EscapeFadesOutInAboutTwentyFramesAndWritesTheFile) {
    PlaceTile(kSquareY, 300, 200);
    LevelProps[0].GameTime = 77;
    Click(25, 427);  // "Level properties"
    ASSERT_TRUE(ed->ShowOptions);
    InputKey(KEY_ESCAPE, true);
    ed->Frame();
    InputKey(KEY_ESCAPE, false);
    EXPECT_FALSE(ed->Leave) << "Escape does not leave while a dialog is open";
    Click(359, 185);
    Click(359, 378);
    EXPECT_FALSE(ed->ShowOptions);

    InputKey(KEY_ESCAPE, true);
    int frames = 0;
    while (ed->Frame()) {
        InputKey(KEY_ESCAPE, false);
        ASSERT_LT(++frames, 100);
    }
    ++frames;
    EXPECT_GE(frames, 19);
    EXPECT_LE(frames, 23);
    ed->Finish();

    ReadLevelSet(setFile);
    ASSERT_EQ(LevelShapes[0].size(), 1u);
    EXPECT_EQ(LevelShapes[0][0]->Element, 3);
    EXPECT_EQ(LevelShapes[0][0]->X, 300.0f);
    EXPECT_EQ(LevelProps[0].GameTime, 77);
    EXPECT_EQ(LevelProps[0].MiscProperties, MISC_FREEZE);
}

TEST_F(EditorTest, FailedSaveKeepsTheOldFileAndTellsThePlayer) {
    PlaceTile(kSquareY, 300, 200);
    std::ifstream in(setFile, std::ios::binary);
    const std::string before((std::istreambuf_iterator<char>(in)), {});

    const std::string folder = std::filesystem::path(setFile).parent_path().string();
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    // Root writes into read-only folders all the same; then the disk fills up instead.
    const bool rootAnyway = access(folder.c_str(), W_OK) == 0;
    if (rootAnyway) testhooks::failSaveAfterBytes = 100;
    int noticeFrames = 0;
    SetAfterFlipHook([&](int64_t) {
        ++noticeFrames;
        if (noticeFrames == 2) {
            InputMouseMove(320, 310);
            Press();
        }
        if (noticeFrames == 3) Release();
    });
    ed->SaveToMem();
    EXPECT_FALSE(ed->SaveLevelSet());
    SetAfterFlipHook(nullptr);
    chmod(folder.c_str(), 0755);
    testhooks::failSaveAfterBytes = -1;
    EXPECT_GE(noticeFrames, 3) << "the notice waited for its Okay";

    std::ifstream again(setFile, std::ios::binary);
    const std::string after((std::istreambuf_iterator<char>(again)), {});
    EXPECT_EQ(after, before);
    EXPECT_EQ(dir->Count(), 1u) << "no temporary file is left behind";
    // The editor carries on and a later save goes through.
    ed->Frame();
    EXPECT_TRUE(ed->SaveLevelSet());
}

TEST(LevelSetVariant, UnknownPuzzleSetIsDrawnAsTheMirroredParallelogramAndKept) {
    TBankStream s;
    for (int32_t variant : {0, 1, 2, -3}) {
        s.WriteString("LVL");
        s.WriteInt(10);
        s.WriteInt(variant);
        s.WriteInt(0);
    }
    s.WriteString("END");
    std::vector<uint8_t> bytes = s.Bytes();
    TBankStream in(bytes.data(), bytes.size());
    ReadLevelSet(in);
    std::vector<int32_t> variants;
    for (int l = 0; l < 4; ++l) variants.push_back(LevelProps[size_t(l)].TileVariant());
    EXPECT_EQ(variants, (std::vector<int32_t>{0, 1, 1, 1}));
    EXPECT_EQ(LevelProps[3].PuzzleSet, -3) << "the file's value stays as read until the player flips it";
}
