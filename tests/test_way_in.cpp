// The whole way in, played from an empty folder as a player starts the game: no --play, the
// real intro, title menu, player dialogs, level-set choice, a solved level, the highscore table
// and the way out, driven by one input script on the virtual clock.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/graphics.hpp"

#include "play_run.hpp"
#include "solve_script.hpp"

using namespace playrun;

TEST(WayIn, FromAnEmptyFolderThroughTheMenuAGameAndTheHighscoreToQuit) {
    auto dir = FreshDir("way_in");
    ReadLevelSet("incbin::../data/Jewels of Dharma.lvl");
    std::ostringstream s;
    // The logo runs its 500 frames; a click cuts the story short.
    s << "200 shot logo.png\n540 shot story.png\n560 click left\n";
    // "Change player", "New", the preset name wiped with a held Backspace, "Dawa" typed a
    // letter a frame, Enter; "Ok" closes the list.
    s << "700 shot title.png\n760 move 109 420\n761 click left\n800 shot players.png\n"
      << "810 move 429 132\n811 click left\n850 shot name_entry.png\n"
      << "855 keydown backspace\n970 keyup backspace\n975 type D\n976 type a\n977 type w\n978 type a\n"
      << "990 key enter\n1025 move 429 362\n1026 click left\n";
    // "Start game", "Choose", the map's "Play", the new player's tutorial closed with "Play" (at
    // the same place), the wisdom, then the first puzzle solved.
    s << "1080 move 316 197\n1081 click left\n1150 shot level_select.png\n1160 move 410 350\n1161 click left\n"
      << "1230 move 565 415\n1231 click left\n1260 click left\n1300 click left\n";
    // Two puzzles solved, each followed by its scroll, the next map's "Play" and the wisdom; 2000
    // points beat the last built-in highscore.
    SolveScript first = MakeSolveScript(0, 1440);
    s << first.text << first.endFrame + 20 << " shot solved.png\n";
    const int64_t map2 = first.endFrame + 431;
    s << first.endFrame + 340 << " click left\n"
      << map2 + 40 << " move 565 415\n"
      << map2 + 48 << " click left\n"
      << map2 + 75 << " click left\n";
    SolveScript second = MakeSolveScript(1, map2 + 216);
    s << second.text;
    const int64_t map3 = second.endFrame + 431;
    s << second.endFrame + 340 << " click left\n"
      << map3 + 40 << " move 565 415\n"
      << map3 + 48 << " click left\n"
      << map3 + 75 << " click left\n";
    // Escape, "Back to main menu", "Sure".
    const int64_t play3 = map3 + 218;
    s << play3 << " key escape\n"
      << play3 + 10 << " move 328 295\n"
      << play3 + 25 << " click left\n"
      << play3 + 30 << " move 210 280\n"
      << play3 + 45 << " click left\n";
    // The highscore table's "Ok", the short intro, "Quit".
    s << play3 + 240 << " shot highscore.png\n"
      << play3 + 245 << " move 320 440\n"
      << play3 + 250 << " click left\n"
      << play3 + 330 << " shot title_again.png\n"
      << play3 + 360 << " move 537 410\n"
      << play3 + 365 << " click left\n";
    const int64_t end = play3 + 600;
    GameRun r = RunScripted(dir, "", s.str(), int(end));
    ASSERT_EQ(r.exitCode, 0) << r.log;

    // The screens in the order the player met them.
    size_t at = 0;
    for (const char* screen :
         {"intro", "story", "title", "players", "name entry", "players", "level select", "progress map", "tutorial",
          "wisdom", "game", "options", "highscore", "intro", "title"}) {
        const size_t next = r.log.find(std::string("Screen ") + screen + " (frame ", at);
        ASSERT_NE(next, std::string::npos) << "no \"" << screen << "\" after offset " << at << "\n" << r.log;
        at = next + 1;
    }
    // The logo runs its full length; the click cuts the story short and the temple is left out.
    EXPECT_EQ(FrameOf(r.log, "Screen story"), 502);
    EXPECT_LT(FrameOf(r.log, "Screen title"), 700);
    EXPECT_EQ(Count(r.log, "Screen temple"), 1) << "only the short intro's one frame";
    EXPECT_EQ(Count(r.log, "Game ended, set not completed"), 1);
    const std::vector<Completion> done = Completions(r.log);
    ASSERT_EQ(done.size(), 2u) << r.log;
    EXPECT_EQ(done[1].after, 9500);

    // Both players saved, the new one current and holding the score and the progress.
    TUsers users;
    users.FilePath = (dir / "data" / "users.cfg").string();
    ASSERT_TRUE(users.Load());
    ASSERT_EQ(users.UserList.size(), 2u);
    EXPECT_EQ(users.UserList[0]->Name, "Tester") << "start-up named the first player after $username";
    EXPECT_EQ(users.UserList[0]->Score, 0);
    EXPECT_EQ(users.UserList[1]->Name, "Dawa");
    EXPECT_EQ(CurrentUserIndex, 1);
    EXPECT_EQ(users.UserList[1]->Score, 9500);
    const TMaxLevel* progress = users.UserList[1]->LatestMaxLevel("incbin::../data/Jewels of Dharma.lvl");
    ASSERT_TRUE(progress);
    EXPECT_EQ(progress->Level, 2) << "level 3 was reached";

    // The table shows the new score second, under the highlight bar.
    PixmapRef table = LoadPixmap((dir / "highscore.png").string());
    ASSERT_TRUE(table);
    auto brightness = [&](int x, int y) {
        const uint32_t p = table->ReadPixel(x, y);
        return int((p >> 16) & 255) + int((p >> 8) & 255) + int(p & 255);
    };
    EXPECT_GT(brightness(450, 138), brightness(450, 168) + 60) << "bar on row 2, none on row 3";
    fs::remove_all(dir);
}
