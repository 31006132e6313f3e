#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/script.hpp"
#include "platform/graphics.hpp"
#include "platform/input.hpp"
#include "platform/stream.hpp"

TEST(Script, ParsesEveryVerbAndKeepsTypedTextWhole) {
    TScript s;
    std::string err;
    ASSERT_TRUE(
        s.Parse("# comment\n"
                "0 move 10 20\n"
                "1 click left   # trailing comment\n"
                "1 wheel -2\n"
                "2 key escape\n"
                "2 keydown 65\n"
                "3 type Hello # world\n"
                "4 shot out.png\n"
                "\n"
                "5 close\n",
                err))
        << err;
    ASSERT_EQ(s.Commands().size(), 8u);
    EXPECT_EQ(s.Commands()[3].a, KEY_ESCAPE);
    EXPECT_EQ(s.Commands()[5].text, "Hello # world");

    InputReset();
    s.Apply(0);
    EXPECT_EQ(MouseX(), 10);
    s.Apply(1);
    EXPECT_TRUE(MouseDown(MOUSE_LEFT));
    EXPECT_EQ(MouseWheel(), -2);
    s.Apply(2);
    EXPECT_FALSE(MouseDown(MOUSE_LEFT)) << "a click releases one frame later";
    EXPECT_EQ(MouseHit(MOUSE_LEFT), 1);
    EXPECT_TRUE(KeyDown(KEY_ESCAPE));
    s.Apply(3);
    EXPECT_FALSE(KeyDown(KEY_ESCAPE));
    EXPECT_TRUE(KeyDown(KEY_A));
    EXPECT_EQ(GetChar(), 'H');
    InputReset();
}

TEST(Script, BadLinesAreReportedWithTheirNumber) {
    struct Case {
        const char* src;
        const char* error;
    } cases[] = {
        {"0 move 1\n", "line 1: move needs X Y"},
        {"\n\nx click left\n", "line 3: frame number expected, got \"x\""},
        {"0 click both\n", "line 1: click needs left, right or middle"},
        {"0 key nosuchkey\n", "line 1: key needs a key code or key name"},
        {"5 close\n4 close\n", "line 2: frame 4 comes before an earlier line's frame"},
        {"0 dance\n", "line 1: unknown command \"dance\""},
        {"0\n", "line 1: command expected after the frame number"},
        {"0 shot\n", "line 1: shot needs a file path"},
        {"-1 close\n", "line 1: frame number expected, got \"-1\""},
    };
    for (auto& c : cases) {
        TScript s;
        std::string err;
        EXPECT_FALSE(s.Parse(c.src, err)) << c.src;
        EXPECT_EQ(err, c.error);
        EXPECT_TRUE(s.Commands().empty());
    }
    EXPECT_EQ(ParseKeyName("f11"), KEY_F11);
    EXPECT_EQ(ParseKeyName("a"), 'A');
    EXPECT_EQ(ParseKeyName("300"), -1);
}

namespace {
int RunGame(const std::filesystem::path& dir, const std::string& args, const std::string& env = "") {
    std::string cmd = "cd '" + dir.string() + "' && " + env + " SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy '" +
                      std::string(VELMORA_BINARY) + "' " + args + " > run.log 2>&1";
    int rc = std::system(cmd.c_str());
    if (rc != 0) {
        std::vector<uint8_t> log;
        LoadBytes((dir / "run.log").string(), log);
        std::printf("velmora %s exited with %d:\n%s\n", args.c_str(), rc, std::string(log.begin(), log.end()).c_str());
    }
    return rc;
}
}  // namespace

// The harness's promise: the same script, seed and virtual clock give the same pictures.
TEST(Script, ScriptedRunIsReproducibleToTheByte) {
    auto dir = std::filesystem::temp_directory_path() / "velmora_script_run";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    {
        StreamRef s = WriteStream((dir / "s.txt").string());
        s->WriteString("0 move 320 240\n2 click left\n3 move 100 50\n5 shot a.png\n7 close\n");
    }
    ASSERT_EQ(RunGame(dir, "--virtual-clock --seed 7 --script s.txt"), 0);
    std::filesystem::rename(dir / "a.png", dir / "first.png");
    ASSERT_EQ(RunGame(dir, "--virtual-clock --seed 7 --script s.txt"), 0);
    std::vector<uint8_t> a, b;
    ASSERT_TRUE(LoadBytes((dir / "first.png").string(), a));
    ASSERT_TRUE(LoadBytes((dir / "a.png").string(), b));
    EXPECT_EQ(a, b);
    PixmapRef shot = LoadPixmap((dir / "a.png").string());
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->width, 640);
    EXPECT_EQ(shot->height, 480);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "data")) << "the user folder is made below the working directory";

    // A broken script stops the program before the first frame.
    {
        StreamRef s = WriteStream((dir / "bad.txt").string());
        s->WriteString("0 move 1 2\n1 jump\n");
    }
    EXPECT_NE(RunGame(dir, "--script bad.txt --max-frames 1"), 0);
    EXPECT_EQ(RunGame(dir, "--virtual-clock --max-frames 2"), 0);
    std::filesystem::remove_all(dir);
}

TEST(Startup, FirstStartWritesOnePlayerNamedFromTheEnvironment) {
    auto dir = std::filesystem::temp_directory_path() / "velmora_first_start";
    for (const auto& [env, name] : {std::pair<std::string, std::string>{"username=", "New Player"},
                                    {"username=Tashi", "Tashi"},
                                    // One byte a character, "?" beyond Latin-1, and only what the name entry accepts.
                                    {"username='Jo\xc3\xabl \xe2\x98\xba'", "Jol ?"}}) {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        ASSERT_EQ(RunGame(dir, "--virtual-clock --max-frames 1", env), 0);
        std::vector<uint8_t> cfg;
        ASSERT_TRUE(LoadBytes((dir / "data" / "users.cfg").string(), cfg));
        EXPECT_EQ(cfg.size(), 49 + name.size());
        EXPECT_EQ(std::string(cfg.begin() + 8, cfg.begin() + 8 + long(name.size())), name);
        // A second start finds the player and leaves the file as it was.
        ASSERT_EQ(RunGame(dir, "--virtual-clock --max-frames 1", env), 0);
        std::vector<uint8_t> again;
        ASSERT_TRUE(LoadBytes((dir / "data" / "users.cfg").string(), again));
        EXPECT_EQ(again, cfg);
    }
    std::filesystem::remove_all(dir);
}
