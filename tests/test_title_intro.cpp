// The title menu frame by frame through the input path, the story's line layout, the credits,
// and the first player's name as start-up derives it.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/intro.hpp"
#include "app/startup.hpp"
#include "app/titlescreen.hpp"
#include "data/users.hpp"
#include "scratch_dir.hpp"
#include "tiles_env.hpp"

namespace {

constexpr int kStartX = 316, kStartY = 197;  // "Start game"
constexpr int kPreferencesY = 290, kHighscoreY = 370;

class TitleTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        Users.RemoveAllUsers();
        Users.FilePath = scratch.File("users.cfg");
        ASSERT_TRUE(Users.AddNewUser("Tashi"));
        title = std::make_unique<TTitleScreen>();
        title->InitRun();
        // A menu already faded in, so each test starts where the player can click.
        title->TextAlpha = 1;
        title->FontState = 2;
    }
    void TearDown() override {
        title.reset();
        Users.RemoveAllUsers();
        UiTest::TearDown();
    }
    void Frame() {
        Cls();
        title->Run();
        Flip(0);
    }
    void Click(int x, int y) {
        InputMouseMove(x, y);
        InputMouseButton(MOUSE_LEFT, true);
        Frame();
        InputMouseButton(MOUSE_LEFT, false);
        Frame();
    }
    ScratchDir scratch;
    std::unique_ptr<TTitleScreen> title;
};

TEST_F(TitleTest, WithoutAnyPlayerOnlyTheNameEntryShowsAndTheMenuFollowsOnceItHasFaded) {
    Users.RemoveAllUsers();
    title->TextAlpha = -1.5f;
    for (int i = 0; i < 30; ++i) Frame();
    EXPECT_EQ(ButtonSlot, 1) << "the name entry's \"Ok\" alone: no menu entry while nobody can be greeted";
    EXPECT_FLOAT_EQ(title->NameReq->Alpha, 1.0f);
    EXPECT_LT(title->TextAlpha, 0) << "the menu does not fade in behind the name entry";

    ASSERT_TRUE(Users.AddNewUser("Pema"));
    int framesToMenu = 0;
    for (; ButtonSlot < 4 && framesToMenu < 40; ++framesToMenu) Frame();
    EXPECT_EQ(framesToMenu, 21) << "the name entry fades out over 20 frames first";
    EXPECT_EQ(ButtonSlot, 4);
}

TEST_F(TitleTest, AnEntryFiresOnReleaseOverItselfOnlyAndOnlyWhileTheMenuIsIdle) {
    // Pressed on "Start game", released over "Preferences": neither fires.
    InputMouseMove(kStartX, kStartY);
    InputMouseButton(MOUSE_LEFT, true);
    Frame();
    EXPECT_EQ(Played(0), 1);
    InputMouseMove(kStartX, kPreferencesY);
    Frame();
    InputMouseButton(MOUSE_LEFT, false);
    Frame();
    Frame();
    EXPECT_EQ(title->Action, "");

    // While "Preferences" fades the menu out, a click on "Start game" is lost.
    Click(kStartX, kPreferencesY);
    ASSERT_EQ(title->Action, "OPTIONS");
    Click(kStartX, kStartY);
    EXPECT_EQ(title->Action, "OPTIONS");
    for (int i = 0; i < 20 && title->Action == "OPTIONS"; ++i) Frame();
    EXPECT_EQ(title->Action, "OPTIONS_SHOW");

    // The preferences open on the main page with the current player's volumes.
    EXPECT_EQ(title->ReqOptions->CurrReq, R_MAIN);
    EXPECT_FALSE(title->ReqOptions->ShowBack);
    EXPECT_EQ(title->ReqOptions->ReqOptions->GetButtonValue("MUSIC_VOLUME"), 100);
    EXPECT_EQ(title->ReqOptions->ReqOptions->GetButtonValue("SFX_VOLUME"), 80);

    // Closing them fades the menu back in and saves the players.
    title->ReqOptions->CurrReq = R_CLOSE;
    Frame();
    EXPECT_EQ(title->Action, "LEAVE_OPTIONS");
    EXPECT_FALSE(std::filesystem::exists(Users.FilePath));
    for (int i = 0; i < 25 && !title->Action.empty(); ++i) Frame();
    EXPECT_EQ(title->Action, "");
    EXPECT_TRUE(std::filesystem::exists(Users.FilePath));

    // A plain click on "Start game" now ends the menu with "PLAY" once the scene has faded.
    Click(kStartX, kStartY);
    EXPECT_EQ(title->Action, "PLAY");
    int frames = 0;
    for (; title->TitleMenuState && frames < 40; ++frames) Frame();
    EXPECT_FALSE(title->TitleMenuState);
    EXPECT_EQ(title->Action, "PLAY");
}

TEST_F(TitleTest, QuitFadesTheTitleThenTheMenuThenTheScene) {
    Click(537, 410);
    ASSERT_EQ(title->Action, "QUIT");
    int frames = 1, menuGone = -1, sceneFading = -1;
    float lastFont = title->FontState;
    while (title->TitleMenuState && frames < 100) {
        Frame();
        ++frames;
        EXPECT_LT(title->FontState, lastFont) << "the title fades every frame, frame " << frames;
        lastFont = title->FontState;
        if (menuGone < 0 && title->TextAlpha < 0) menuGone = frames;
        if (sceneFading < 0 && title->Alpha < 1) sceneFading = frames;
    }
    EXPECT_LT(title->FontState, 0);
    ASSERT_GT(menuGone, 0);
    EXPECT_EQ(sceneFading, menuGone) << "the scene starts to fade only once the menu is gone";
    EXPECT_LT(title->Alpha, 0);
    // Twenty steps of 0.05 in float arithmetic end just below 0.
    EXPECT_EQ(frames - menuGone + 1, 20) << "the scene's own fade";
    EXPECT_EQ(title->Action, "QUIT");
}

TEST_F(TitleTest, TheHighscoreRunsOnceTheSceneIsDarkAndTheSceneFadesBackIn) {
    static int runs;
    static float alphaWhenRun;
    runs = 0;
    static TTitleScreen* current;
    current = title.get();
    title->RunHighscore = [] {
        ++runs;
        alphaWhenRun = current->Alpha;
    };
    Click(kStartX, kHighscoreY);
    ASSERT_EQ(title->Action, "HIGHSCORE");
    for (int i = 0; i < 40 && title->Action == "HIGHSCORE"; ++i) Frame();
    EXPECT_EQ(runs, 1);
    EXPECT_LE(alphaWhenRun, 0);
    EXPECT_EQ(title->Action, "FADE_IN");
    for (int i = 0; i < 40 && title->Action == "FADE_IN"; ++i) Frame();
    EXPECT_EQ(title->Action, "");
    EXPECT_GE(title->Alpha, 1);
    for (int i = 0; i < 40 && title->TextAlpha < 1; ++i) Frame();
    EXPECT_GE(title->TextAlpha, 1) << "the menu follows the scene back in";
    EXPECT_EQ(runs, 1);
}

TEST_F(TitleTest, TheLeftFanOpensThePlayersAndOnlyOnceTheMenuIsFullyShown) {
    title->TextAlpha = 0.5f;
    Click(100, 420);
    EXPECT_EQ(title->Action, "") << "the menu is still fading in";
    title->TextAlpha = 1;
    Click(100, 420);
    EXPECT_EQ(title->Action, "USERS");
    int frames = 0;
    for (; title->Action == "USERS" && frames < 20; ++frames) Frame();
    EXPECT_EQ(frames + 2, 10) << "the menu gives way at 0.1 a frame, from the click's own frame on";
    EXPECT_EQ(title->Action, "USERS_SHOW");
}

class StoryTest : public UiTest {};

TEST_F(StoryTest, WordsWrapWholeAndAWordWiderThanTheLineKeepsALineOfItsOwn) {
    const TBitmapFont& font = *FontHeadline;
    int32_t lines = 0;
    const float w = float(font.GetWidth("Are"));
    // Room for "Are you" but not for "Are you able".
    const float width = float(font.GetWidth("Are you")) + 1;
    auto g = LayOutStory("Are you able", font, width, lines);
    ASSERT_EQ(g.size(), 12u);
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(g[4].line, 0);  // "y"
    EXPECT_EQ(g[4].x, float(font.GetWidth("Are ")));
    EXPECT_EQ(g[8].line, 1);  // "a" of "able" starts the new line
    EXPECT_EQ(g[8].x, 0);

    // The two characters backslash and n break the line and are not drawn.
    g = LayOutStory("Are\\n\\nyou", font, 550, lines);
    ASSERT_EQ(g.size(), 6u);
    EXPECT_EQ(lines, 3);
    EXPECT_EQ(g[3].line, 2);
    EXPECT_EQ(g[3].x, 0);

    // A word wider than the line: its own line, overflowing it, never split.
    g = LayOutStory("Are enlightenment you", font, w * 2, lines);
    ASSERT_EQ(g.size(), 21u);
    for (size_t i = 4; i < 17; ++i) EXPECT_EQ(g[i].line, 1) << "letter " << i;
    EXPECT_EQ(g[4].x, 0);
    EXPECT_GT(g[16].x + float(font.GetWidth("t")), w * 2) << "it overflows";
    EXPECT_EQ(g[18].line, 2) << "the next word moves on";
    EXPECT_EQ(lines, 3);
}

TEST_F(StoryTest, CreditsKeepTheirEmptyLinesAndEachLineShowsForTwoHundredFrames) {
    const auto lines = CreditLines();
    ASSERT_GE(lines.size(), 20u);
    EXPECT_EQ(lines[0], "Corvantis presents:");
    EXPECT_EQ(lines[1], "Velmora 1.3");
    EXPECT_EQ(lines[2], "") << "an empty line is a line of its own that shows nothing";
    EXPECT_EQ(lines[3], "Technical Direction & Music");

    // The line timer runs in steps of 2: 50 frames hidden, 50 fading in, 50 full, 50 out.
    int hidden = 0, rising = 0, full = 0, falling = 0;
    float last = 0;
    for (int32_t e = 2; e <= 400; e += 2) {
        const float a = CreditAlpha(e);
        if (a <= 0)
            ++hidden;
        else if (a >= 1)
            ++full;
        else if (a > last)
            ++rising;
        else
            ++falling;
        last = a;
    }
    EXPECT_EQ(hidden, 51);  // the fade-out's last step reaches 0
    EXPECT_EQ(rising, 49);
    EXPECT_EQ(full, 51);
    EXPECT_EQ(falling, 49);
}

TEST(FirstPlayerName, StoredOneByteACharacterAndFilteredLikeATypedName) {
    EXPECT_EQ(FirstPlayerName(nullptr), "");
    EXPECT_EQ(FirstPlayerName(""), "");
    EXPECT_EQ(FirstPlayerName("Karma Dorje"), "Karma Dorje");
    EXPECT_EQ(FirstPlayerName("jo.doe@home"), "jo.doe@home");
    // Latin-1 letters are one byte but not in the name entry's set; what Latin-1 lacks is "?".
    EXPECT_EQ(FirstPlayerName("J\xc3\xb6rg"), "Jrg");
    EXPECT_EQ(FirstPlayerName("Li \xe6\x9d\x8e"), "Li ?");
    EXPECT_EQ(FirstPlayerName("\xf0\x9f\x99\x82ok"), "?ok");
    // A broken sequence is one unknown character and the bytes after it still count.
    EXPECT_EQ(FirstPlayerName("a\xc3"
                              "b"),
              "a?b");
    EXPECT_EQ(FirstPlayerName("tab\there_"), "tabhere");
}

}  // namespace
