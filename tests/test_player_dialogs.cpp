// The player list and the name entry driven frame by frame as the title screen drives them:
// scrolling, choosing, deleting, typing, confirming, and what reaches the profile file.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "data/users.hpp"
#include "scratch_dir.hpp"
#include "tiles_env.hpp"
#include "ui/playerdialogs.hpp"
#include "ui/scrolllist.hpp"

namespace {

// Where the title screen draws the two dialogs.
constexpr float kListX = 62, kListY = 25;
constexpr float kNameX = 105, kNameY = 115;
// Screen positions inside the list.
constexpr int kRowsLeft = 62 + 109, kRowsTop = 25 + 84;
constexpr int kTrackX = 62 + 292, kTrackTop = 25 + 104;
constexpr int kButtonsX = 62 + 367;
constexpr int kNewY = 25 + 107, kChangeY = 25 + 170, kDeleteY = 25 + 233, kOkY = 25 + 337;

class PlayerDialogTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        dir = std::make_unique<ScratchDir>();
        Users.RemoveAllUsers();
        Users.FilePath = dir->File("users.cfg");
        CurrentUserIndex = 0;
        names = std::make_unique<TReqEnterName>(action);
        list = std::make_unique<TReqUsers>(action, *names);
    }
    void TearDown() override {
        list.reset();
        names.reset();
        Users.RemoveAllUsers();
        UiTest::TearDown();
    }
    void AddPlayers(int n) {
        for (int i = 0; i < n; ++i) ASSERT_TRUE(Users.AddNewUser("Player " + std::to_string(i + 1)));
    }
    void Frame(const std::function<void()>& draw) {
        Cls();
        UpdateInput();
        draw();
        Flip(0);
    }
    void ListFrame() {
        Frame([&] { list->Render(kListX, kListY); });
    }
    void NameFrame() {
        Frame([&] { names->Render(kNameX, kNameY); });
    }
    // Press and release over a point, one frame each, with the given dialog drawn.
    void ClickOn(int x, int y, const std::function<void()>& frame) {
        InputMouseMove(x, y);
        InputMouseButton(MOUSE_LEFT, true);
        frame();
        InputMouseButton(MOUSE_LEFT, false);
        frame();
    }
    void ClickInList(int x, int y) {
        ClickOn(x, y, [&] { ListFrame(); });
    }
    void TypeOneAFrame(const std::string& text) {
        for (char c : text) {
            InputTypeText(std::string(1, c));
            NameFrame();
        }
    }
    std::vector<std::string> SavedNames() const {
        TUsers saved;
        saved.FilePath = Users.FilePath;
        std::vector<std::string> out;
        const int32_t current = CurrentUserIndex;  // loading sets the global index
        const bool loaded = saved.Load();
        CurrentUserIndex = current;
        if (!loaded) return out;
        for (const UserRef& u : saved.UserList) out.push_back(u->Name);
        return out;
    }
    // Rows of the track column that show the bright thumb.
    int ThumbRows() {
        auto pix = GrabPixmap(kTrackX + 10, kTrackTop, 1, 200);
        int rows = 0;
        for (int y = 0; y < 200; ++y) rows += ((pix->ReadPixel(0, y) >> 16) & 255) > 120;
        return rows;
    }

    std::unique_ptr<ScratchDir> dir;
    std::string action;
    std::unique_ptr<TReqEnterName> names;
    std::unique_ptr<TReqUsers> list;
};

}  // namespace

TEST(NameCharacters, OnlyBlanksLettersDigitsAndTheListedSignsPass) {
    for (char c : std::string(" AZaz09!?./:;*%$()&'+-#@=\"")) EXPECT_TRUE(IsNameCharacter(c)) << c;
    for (int c : std::initializer_list<int>{0, 9, 13, '_', '~', '[', '\\', '^', '`', '{', '|', '}', '<', '>', ',', 127,
                                            0xe9, 0xff})
        EXPECT_FALSE(IsNameCharacter(c)) << c;
    EXPECT_EQ(FilterNameCharacters("Jos\xe9_M\xfcller, Jr."), "JosMller Jr.");
    EXPECT_EQ(FilterNameCharacters("\t\r\n"), "");
}

TEST_F(PlayerDialogTest, SevenPlayersFitTheWindowAndTenScrollEightyPixels) {
    AddPlayers(7);
    InputMouseMove(600, 5);
    ListFrame();
    EXPECT_EQ(list->ListHeight, 0);
    EXPECT_FLOAT_EQ(ScrollThumb(0, list->ListHeight, 240, 0, 200).height, 200);
    EXPECT_NEAR(ThumbRows(), 200, 2) << "the thumb fills the track";

    for (int i = 8; i <= 10; ++i) ASSERT_TRUE(Users.AddNewUser("Player " + std::to_string(i)));
    ListFrame();
    EXPECT_EQ(list->ListHeight, 80);
    EXPECT_FLOAT_EQ(ScrollThumb(0, list->ListHeight, 240, 0, 200).height, 150);
    EXPECT_NEAR(ThumbRows(), 150, 2);

    // Holding the down arrow scrolls 2 pixels a frame and stops at the bottom after 40 frames.
    InputMouseMove(kTrackX + 10, kTrackTop + 200 + 10);
    InputMouseButton(MOUSE_LEFT, true);
    for (int i = 0; i < 39; ++i) ListFrame();
    EXPECT_FLOAT_EQ(list->ListOffset, 78);
    ListFrame();
    ListFrame();
    EXPECT_FLOAT_EQ(list->ListOffset, 80);
    InputMouseButton(MOUSE_LEFT, false);

    // Held in the track, the thumb centres on the pointer: (100 - 75) / 200 x 320.
    InputMouseMove(kTrackX + 10, kTrackTop + 100);
    InputMouseButton(MOUSE_LEFT, true);
    ListFrame();
    EXPECT_FLOAT_EQ(list->ListOffset, 40);
    InputMouseMove(kTrackX + 10, kTrackTop + 199);
    ListFrame();
    EXPECT_FLOAT_EQ(list->ListOffset, 80) << "held at the end";
    InputMouseButton(MOUSE_LEFT, false);
}

TEST_F(PlayerDialogTest, ClickingARowChoosesThatPlayerButNotOutsideTheWindow) {
    AddPlayers(10);
    ListFrame();
    ClickInList(kRowsLeft + 50, kRowsTop + 32 + 16);
    EXPECT_EQ(CurrentUserIndex, 1);

    // Scrolled to the bottom, the first row lies above the window, behind the ornament.
    list->ListOffset = 80;
    ClickInList(kRowsLeft + 50, kRowsTop - 60);
    EXPECT_EQ(CurrentUserIndex, 1);
    ClickInList(kRowsLeft + 50, kRowsTop + 240 - 10);  // last visible row: player 10
    EXPECT_EQ(CurrentUserIndex, 9);

    // An index left out of range by someone else is pulled back into the list.
    CurrentUserIndex = 42;
    ListFrame();
    EXPECT_EQ(CurrentUserIndex, 9);
}

TEST_F(PlayerDialogTest, DeletingTheSelectedLastPlayerSelectsTheNewLastAndOkSaves) {
    AddPlayers(3);
    ASSERT_TRUE(Users.Save());
    CurrentUserIndex = 2;
    ListFrame();
    ClickInList(kButtonsX, kDeleteY);
    EXPECT_EQ(Users.UserList.size(), 2u);
    EXPECT_EQ(CurrentUserIndex, 2) << "deleted this frame, chosen again in the next";
    ListFrame();
    EXPECT_EQ(CurrentUserIndex, 1);
    EXPECT_EQ(Users.GetCurrentUser()->Name, "Player 2");
    EXPECT_EQ(SavedNames().size(), 3u) << "the file follows with the next Ok";
    EXPECT_EQ(action, "");

    ClickInList(kButtonsX, kOkY);
    EXPECT_EQ(action, "LEAVE_USERS");
    EXPECT_EQ(SavedNames(), (std::vector<std::string>{"Player 1", "Player 2"}));
}

TEST_F(PlayerDialogTest, NewOpensTheEntryWithNewPlayerAndEnterAddsTheTypedName) {
    AddPlayers(2);
    action = "USERS_SHOW";
    testing::internal::CaptureStdout();
    ListFrame();
    ClickInList(kButtonsX, kNewY);
    EXPECT_EQ(action, "ADD_NEW_USER");
    EXPECT_TRUE(NameEntryShown(action));
    EXPECT_EQ(names->Caption, "New player");
    EXPECT_FALSE(names->ChangeName);

    // Clear the preset with a held Backspace (every 11th frame), then type one key a frame.
    InputKey(KEY_BACKSPACE, true);
    for (int i = 0; i < 11 * 10 + 1; ++i) NameFrame();
    InputKey(KEY_BACKSPACE, false);
    EXPECT_EQ(names->Caption, "");
    TypeOneAFrame("Mo Li");
    EXPECT_EQ(names->Caption, "Mo Li");

    InputKey(KEY_ENTER, true);
    NameFrame();
    InputKey(KEY_ENTER, false);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(action, "USERS_SHOW");
    EXPECT_EQ(CurrentUserIndex, 2);
    EXPECT_EQ(SavedNames(), (std::vector<std::string>{"Player 1", "Player 2", "Mo Li"}));
    EXPECT_NE(log.find("Screen players (frame "), std::string::npos) << log;
    EXPECT_NE(log.find("Screen name entry (frame "), std::string::npos) << log;

    // The list comes back after a pause: it starts again, once.
    testing::internal::CaptureStdout();
    ListFrame();
    ListFrame();
    const std::string again = testing::internal::GetCapturedStdout();
    EXPECT_EQ(again.find("Screen players"), again.rfind("Screen players"));
    EXPECT_NE(again.find("Screen players"), std::string::npos);
}

TEST_F(PlayerDialogTest, EmptyNamesDuplicatesAndAFadingEntryAddNobody) {
    AddPlayers(2);
    CurrentUserIndex = 0;
    action = "ADD_NEW_USER";
    names->Caption = "";
    InputKey(KEY_ENTER, true);
    NameFrame();
    ClickOn(338, 322, [&] { NameFrame(); });  // the Ok button
    EXPECT_EQ(action, "ADD_NEW_USER") << "an empty name is refused";
    EXPECT_EQ(Users.UserList.size(), 2u);

    // While the entry fades in, Enter waits.
    names->Caption = "Late";
    names->Alpha = 0.95f;
    NameFrame();
    EXPECT_EQ(action, "ADD_NEW_USER");
    InputKey(KEY_ENTER, false);

    // A name that exists is not added; the list comes back on the last player.
    names->Alpha = 1;
    names->Caption = "Player 1";
    ClickOn(338, 322, [&] { NameFrame(); });
    EXPECT_EQ(action, "USERS_SHOW");
    EXPECT_EQ(Users.UserList.size(), 2u);
    EXPECT_EQ(CurrentUserIndex, 1);
}

TEST_F(PlayerDialogTest, BackspaceDeletesOnceAFrameAndThenEveryEleventhWhileHeld) {
    TypeOneAFrame("Ab");
    InputKey(KEY_BACKSPACE, true);
    NameFrame();
    InputKey(KEY_BACKSPACE, false);
    EXPECT_EQ(names->Caption, "A");

    auto fresh = [&] {
        names = std::make_unique<TReqEnterName>(action);
        TypeOneAFrame("Abcd");
    };
    fresh();
    InputKey(KEY_BACKSPACE, true);
    for (int i = 0; i < 11; ++i) NameFrame();
    EXPECT_EQ(names->Caption, "Abc") << "11 frames: one deletion";
    NameFrame();
    EXPECT_EQ(names->Caption, "Ab") << "12 frames: two";
    InputKey(KEY_BACKSPACE, false);
}

TEST_F(PlayerDialogTest, TypingTakesOneAllowedCharacterAFrameUpTo300Pixels) {
    InputTypeText("Xyz");  // a burst in one frame: the rest is dropped
    NameFrame();
    NameFrame();
    EXPECT_EQ(names->Caption, "X");
    TypeOneAFrame("_\xe9~y");
    EXPECT_EQ(names->Caption, "Xy");

    // While a cursor key is held the typed character waits in the queue.
    InputKey(KEY_LEFT, true);
    InputTypeText("Q");
    NameFrame();
    EXPECT_EQ(names->Caption, "Xy");
    InputKey(KEY_LEFT, false);
    NameFrame();
    EXPECT_EQ(names->Caption, "XyQ");

    // Delete does nothing; the field stops growing once the name is 300 pixels wide.
    InputKey(KEY_DELETE, true);
    NameFrame();
    InputKey(KEY_DELETE, false);
    EXPECT_EQ(names->Caption, "XyQ");
    for (int i = 0; i < 80; ++i) TypeOneAFrame("W");
    EXPECT_GE(FontMain->GetWidth(names->Caption), 300);
    EXPECT_LT(FontMain->GetWidth(names->Caption.substr(0, names->Caption.size() - 1)), 300);
}

TEST_F(PlayerDialogTest, ChangeRenamesTheChosenPlayerButNeverToAnotherPlayersName) {
    AddPlayers(3);
    CurrentUserIndex = 1;
    action = "USERS_SHOW";
    ListFrame();
    ClickInList(kButtonsX, kChangeY);
    EXPECT_EQ(action, "CHANGE_USER");
    EXPECT_TRUE(names->ChangeName);
    EXPECT_EQ(names->ChangeId, 1);
    EXPECT_EQ(names->Caption, "Player 2");

    TypeOneAFrame("b");
    ClickOn(338, 322, [&] { NameFrame(); });
    EXPECT_EQ(action, "USERS_SHOW");
    EXPECT_FALSE(names->ChangeName);
    EXPECT_EQ(names->ChangeId, -1);
    EXPECT_EQ(SavedNames(), (std::vector<std::string>{"Player 1", "Player 2b", "Player 3"}));

    // Taking the name of player 3 would merge the two when the file is read back.
    ClickInList(kButtonsX, kChangeY);
    names->Caption = "Player 3";
    ClickOn(338, 322, [&] { NameFrame(); });
    EXPECT_EQ(action, "USERS_SHOW");
    EXPECT_EQ(SavedNames(), (std::vector<std::string>{"Player 1", "Player 2b", "Player 3"}));
}

TEST_F(PlayerDialogTest, WithEveryPlayerDeletedTheForcedEntryMakesANewFirstPlayer) {
    AddPlayers(1);
    ASSERT_TRUE(Users.Save());
    action = "USERS_SHOW";
    ListFrame();
    EXPECT_FALSE(NameEntryShown(action));
    ClickInList(kButtonsX, kDeleteY);
    ASSERT_TRUE(Users.UserList.empty());
    EXPECT_TRUE(NameEntryShown(action));
    ListFrame();  // an empty list draws, and "Change" has nobody to rename
    ClickInList(kButtonsX, kChangeY);
    EXPECT_EQ(action, "USERS_SHOW");
    EXPECT_TRUE(Users.UserList.empty());

    // The title screen now shows the name entry whatever the action word says.
    TypeOneAFrame("Zed");
    InputKey(KEY_ENTER, true);
    NameFrame();
    InputKey(KEY_ENTER, false);
    EXPECT_EQ(SavedNames(), std::vector<std::string>{"Zed"});
    EXPECT_FALSE(NameEntryShown(action));
    EXPECT_EQ(Users.GetCurrentUser()->Name, "Zed");
    EXPECT_EQ(action, "USERS_SHOW");
}

TEST_F(PlayerDialogTest, FirstStartWithoutProfilesConfirmsIntoTheMenu) {
    // No file, no player: the entry is forced and the action word stays idle.
    ASSERT_TRUE(Users.UserList.empty());
    EXPECT_TRUE(NameEntryShown(action));
    TypeOneAFrame("Ana");
    ClickOn(338, 322, [&] { NameFrame(); });
    EXPECT_EQ(SavedNames(), std::vector<std::string>{"Ana"});
    EXPECT_EQ(CurrentUserIndex, 0);
    EXPECT_EQ(action, "");
    EXPECT_FALSE(NameEntryShown(action));
}
