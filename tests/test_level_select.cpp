// The level-set chooser frame by frame: which sets it lists, where the selection opens, the
// progress line, the scroll bar, and what it leaves behind for the game.
#include <gtest/gtest.h>

#include <memory>

#include "data/users.hpp"
#include "platform/platform_hooks.hpp"
#include "puzzle/levelset.hpp"
#include "scratch_dir.hpp"
#include "tiles_env.hpp"
#include "ui/levelselect.hpp"
#include "ui/scrolllist.hpp"

namespace {

class LevelSelectTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        if (!TileImages[0][0]) LoadPuzzleset(0, false);
        dir = std::make_unique<ScratchDir>();
        keptFolder = std::move(UserFolder);
        UserFolder = std::make_unique<TFullAccess>();
        UserFolder->SetPath(dir->File("data") + "/");
        Users.RemoveAllUsers();
        Users.FilePath = dir->File("users.cfg");
        ASSERT_TRUE(Users.AddNewUser("Tester"));
        CurrentUserIndex = 0;
        player = Users.GetCurrentUser();
        keptSet = CurrLevelSetFile;
    }
    void TearDown() override {
        SetAfterFlipHook(nullptr);
        Shape::ClearAllElements();
        Users.RemoveAllUsers();
        UserFolder = std::move(keptFolder);
        CurrLevelSetFile = keptSet;
        UiTest::TearDown();
    }
    void OwnSet(const std::string& fileName) { ASSERT_TRUE(WriteEmptyLevelSet(UserFolder->GetPath() + fileName)); }
    void Completed(int row) { player->MaxLevel.push_back({EmbeddedLevelSets[size_t(row)], 50}); }
    UserRef Saved() const {
        TUsers saved;
        saved.FilePath = Users.FilePath;
        const int32_t current = CurrentUserIndex;  // loading sets the global index
        const bool loaded = saved.Load();
        CurrentUserIndex = current;
        if (!loaded) return nullptr;
        return saved.UserList.empty() ? nullptr : saved.UserList[0];
    }

    std::unique_ptr<ScratchDir> dir;
    std::unique_ptr<TFullAccess> keptFolder;
    std::string keptSet;
    UserRef player;
};

}  // namespace

TEST_F(LevelSelectTest, OwnSetsFollowTheFiveEmbeddedOnesUnderTheirFileNames) {
    OwnSet("My Path.lvl");
    OwnSet("Other.LVL");  // the extension is compared exactly
    ASSERT_TRUE(WriteEmptyLevelSet(UserFolder->GetPath() + "notes.txt"));
    TReqLevelSelect screen;
    ASSERT_EQ(screen.Rows().size(), 6u);
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(screen.Rows()[i], EmbeddedLevelSets[i]);
    EXPECT_EQ(screen.Rows()[5], UserFolder->GetPath() + "My Path.lvl");
    EXPECT_EQ(LevelSetTitle(screen.Rows()[5]), "My Path");
    EXPECT_EQ(LevelSetTitle(screen.Rows()[0]), "Jewels of Dharma");
    EXPECT_EQ(screen.dir.size(), 8u) << "every folder entry is a candidate";

    // A player who never chose starts on the first row, and the choice is saved at once.
    ASSERT_TRUE(screen.Frame());
    EXPECT_EQ(screen.sel, 0);
    EXPECT_EQ(CurrLevelSetFile, EmbeddedLevelSets[0]);
    ASSERT_TRUE(Saved());
    EXPECT_EQ(Saved()->CurrLevelFile, EmbeddedLevelSets[0]);
    EXPECT_EQ(ElementList.size(), LevelShapes[0].size()) << "the preview is the first puzzle";
    EXPECT_GT(ElementList.size(), 0u);
}

TEST_F(LevelSelectTest, MissingFolderListsTheEmbeddedSetsAndAnUnknownSetStartsAtTheTop) {
    UserFolder->Path = dir->File("nowhere") + "/";
    player->CurrLevelFile = "data/Beginners.lvl";
    TReqLevelSelect screen;
    EXPECT_EQ(screen.Rows(), EmbeddedLevelSets);
    ASSERT_TRUE(screen.Frame());
    EXPECT_EQ(screen.sel, 0);

    // The remembered set is found whatever the case of its letters.
    player->CurrLevelFile = "INCBIN::../DATA/way of arhat.lvl";
    TReqLevelSelect again;
    ASSERT_TRUE(again.Frame());
    EXPECT_EQ(again.sel, 3);
    EXPECT_EQ(again.LevelFile, EmbeddedLevelSets[3]);
}

TEST_F(LevelSelectTest, SevenRowsFitAndTenScrollEightyOnePixels) {
    OwnSet("A.lvl");
    OwnSet("B.lvl");
    {
        TReqLevelSelect seven;
        ASSERT_TRUE(seven.Frame());
        EXPECT_EQ(seven.ListHeight, 0);
        EXPECT_FLOAT_EQ(ScrollThumb(0, seven.ListHeight, 239, 149, 200).height, 200);
    }
    OwnSet("C.lvl");
    OwnSet("D.lvl");
    OwnSet("E.lvl");
    TReqLevelSelect ten;
    ASSERT_TRUE(ten.Frame());
    EXPECT_EQ(ten.ListHeight, 81);
    EXPECT_FLOAT_EQ(ScrollThumb(0, ten.ListHeight, 239, 149, 200).height, 149.375f);

    // The down arrow scrolls 2 pixels a frame while held, up to the end.
    InputMouseMove(322, 359);
    InputMouseButton(MOUSE_LEFT, true);
    for (int i = 0; i < 40; ++i) ASSERT_TRUE(ten.Frame());
    EXPECT_FLOAT_EQ(ten.ListOffset, 80);
    ASSERT_TRUE(ten.Frame());
    EXPECT_FLOAT_EQ(ten.ListOffset, 81);
    InputMouseButton(MOUSE_LEFT, false);
    ASSERT_TRUE(ten.Frame());

    // A drag begun in the track follows the pointer even beside the bar, until released.
    InputMouseMove(322, 149 + 100);
    InputMouseButton(MOUSE_LEFT, true);
    ASSERT_TRUE(ten.Frame());
    EXPECT_NEAR(ten.ListOffset, (100 - 149.375f / 2) / 200 * 320, 1e-3);
    InputMouseMove(500, 149);
    ASSERT_TRUE(ten.Frame());
    EXPECT_FLOAT_EQ(ten.ListOffset, 0);
    InputMouseButton(MOUSE_LEFT, false);
    ASSERT_TRUE(ten.Frame());
    EXPECT_FALSE(ten.slide);

    // The last row, scrolled into view, can be clicked.
    ten.ListOffset = 81;
    InputMouseMove(200, 129 + 239 - 5);
    InputMouseButton(MOUSE_LEFT, true);
    ASSERT_TRUE(ten.Frame());
    InputMouseButton(MOUSE_LEFT, false);
    EXPECT_EQ(ten.sel, 9);
    EXPECT_EQ(LevelSetTitle(ten.LevelFile), "E");
}

TEST_F(LevelSelectTest, ACompletedLastSetHandsTheSelectionToTheNextUncompletedOne) {
    // Below it, in the first frame.
    player->CurrLevelFile = EmbeddedLevelSets[1];
    Completed(1);
    {
        TReqLevelSelect screen;
        ASSERT_TRUE(screen.Frame());
        EXPECT_EQ(screen.sel, 2);
        EXPECT_EQ(CurrLevelSetFile, EmbeddedLevelSets[2]);
        EXPECT_EQ(Saved()->CurrLevelFile, EmbeddedLevelSets[2]);
    }
    // Nothing uncompleted below: the first from the top, one frame later.
    player->MaxLevel.clear();
    player->CurrLevelFile = EmbeddedLevelSets[3];
    Completed(0);
    Completed(3);
    Completed(4);
    {
        TReqLevelSelect screen;
        ASSERT_TRUE(screen.Frame());
        EXPECT_EQ(screen.sel, 3);
        ASSERT_TRUE(screen.Frame());
        EXPECT_EQ(screen.sel, 1);
        EXPECT_EQ(CurrLevelSetFile, EmbeddedLevelSets[1]);
        ASSERT_TRUE(screen.Frame());
        EXPECT_EQ(screen.sel, 1) << "once per visit";
    }
    // A completed set above the player's own does not pull the selection away from it.
    player->MaxLevel.clear();
    player->CurrLevelFile = EmbeddedLevelSets[3];
    Completed(0);
    Completed(3);
    {
        TReqLevelSelect screen;
        ASSERT_TRUE(screen.Frame());
        EXPECT_EQ(screen.sel, 4);
    }
    // Everything completed: the selection stays.
    player->CurrLevelFile = EmbeddedLevelSets[3];
    for (int i = 0; i < 5; ++i) Completed(i);
    {
        TReqLevelSelect screen;
        for (int f = 0; f < 3; ++f) ASSERT_TRUE(screen.Frame());
        EXPECT_EQ(screen.sel, 3);
        EXPECT_EQ(screen.Progress(), 50);
        EXPECT_EQ(LevelSetProgressText(screen.Progress()), "Levelset completed");
    }
}

TEST_F(LevelSelectTest, ProgressLineShowsTheLatestEntryOfTheSet) {
    EXPECT_EQ(LevelSetProgressText(0), "Levelset not yet played");
    EXPECT_EQ(LevelSetProgressText(12), "Progress: Level 13 / 50");
    EXPECT_EQ(LevelSetProgressText(49), "Progress: Level 50 / 50");
    EXPECT_EQ(LevelSetProgressText(50), "Levelset completed");

    player->CurrLevelFile = EmbeddedLevelSets[2];
    player->MaxLevel = {{EmbeddedLevelSets[2], 30}, {EmbeddedLevelSets[1], 7}, {EmbeddedLevelSets[2], 12}};
    TReqLevelSelect screen;
    ASSERT_TRUE(screen.Frame());
    EXPECT_EQ(screen.Progress(), 12);

    // Choosing another set shows its own progress.
    InputMouseMove(200, 129 + 32 + 16);
    InputMouseButton(MOUSE_LEFT, true);
    ASSERT_TRUE(screen.Frame());
    InputMouseButton(MOUSE_LEFT, false);
    EXPECT_EQ(screen.sel, 1);
    EXPECT_EQ(screen.Progress(), 7);
}

TEST_F(LevelSelectTest, ChooseFadesOutOverTwentyOneFramesAndLeavesTheSetForTheGame) {
    player->CurrLevelFile = EmbeddedLevelSets[4];
    testing::internal::CaptureStdout();
    const int64_t start = FlipCount();
    int64_t pressedAt = -1;
    SetAfterFlipHook([&](int64_t frames) {
        // Fully faded in after 20 frames; the player clicks another row, then "Choose".
        if (frames == start + 20) {
            InputMouseMove(200, 129 + 16);
            InputMouseButton(MOUSE_LEFT, true);
        }
        if (frames == start + 21) InputMouseButton(MOUSE_LEFT, false);
        if (frames == start + 22) {
            InputMouseMove(410, 350);
            InputMouseButton(MOUSE_LEFT, true);
        }
        if (frames == start + 23) {
            InputMouseButton(MOUSE_LEFT, false);
            pressedAt = frames;
        }
        if (frames > start + 200) {  // a screen that missed the click is still left, not hung
            InputMouseMove(410, 350);
            InputMouseButton(MOUSE_LEFT, frames % 2 == 0);
        }
    });
    RunLevelSelect();
    SetAfterFlipHook(nullptr);
    const std::string log = testing::internal::GetCapturedStdout();
    // The release frame and 19 more flipped frames fade out, the 21st leaves without a flip,
    // and one cleared frame follows.
    EXPECT_EQ(FlipCount() - pressedAt, 20 + 1);
    EXPECT_EQ(CurrLevelSetFile, EmbeddedLevelSets[0]);
    EXPECT_EQ(player->CurrLevelFile, EmbeddedLevelSets[0]);
    EXPECT_EQ(Saved()->CurrLevelFile, EmbeddedLevelSets[0]);
    EXPECT_NE(log.find("Screen level select (frame " + std::to_string(start) + ")"), std::string::npos) << log;
    EXPECT_NE(log.find("Searching files..."), std::string::npos);
}
