// The random player of soak runs, and a soak run of the real program from a normal start.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "app/random_player.hpp"
#include "data/users.hpp"
#include "platform/input.hpp"
#include "platform/stream.hpp"
#include "scratch_dir.hpp"
#include "ui/playerdialogs.hpp"

namespace {

// What the player fed in one frame, as seen through the polled input.
struct Seen {
    int x, y, wheel;
    bool left, right, middle;
    std::string keys, chars;
    bool operator==(const Seen&) const = default;
};

Seen Observe() {
    Seen s{MouseX(), MouseY(), MouseWheel(), MouseDown(MOUSE_LEFT), MouseDown(MOUSE_RIGHT), MouseDown(MOUSE_MIDDLE),
           "",       ""};
    for (int k = 0; k < kKeyCount; ++k)
        if (KeyHit(k)) s.keys += std::to_string(k) + ",";
    for (int c; (c = GetChar());) s.chars.push_back(char(c));
    return s;
}

std::vector<Seen> Drive(uint64_t seed, int frames) {
    InputReset();
    TRandomPlayer p(seed);
    std::vector<Seen> out;
    for (int f = 1; f <= frames; ++f) {
        p.Step(f);
        out.push_back(Observe());
    }
    InputReset();
    return out;
}

}  // namespace

TEST(RandomPlayer, SameSeedSameInputOtherSeedOtherInput) {
    auto a = Drive(11, 3000), b = Drive(11, 3000), c = Drive(12, 3000);
    EXPECT_TRUE(a == b) << "a soak finding must be reproducible from its seed";
    EXPECT_FALSE(a == c);
}

TEST(RandomPlayer, UsesEveryKindOfInputAndStaysOnTheScreen) {
    InputReset();
    TRandomPlayer p(3);
    std::set<int> keys;
    int clicks[4] = {}, drags = 0, wheelUp = 0, wheelDown = 0, typed = 0, highChars = 0;
    int lastWheel = 0, heldFor = 0, minX = 640, maxX = -1, minY = 480, maxY = -1;
    for (int f = 1; f <= 60000; ++f) {
        p.Step(f);
        int x = MouseX(), y = MouseY();
        ASSERT_TRUE(x >= 0 && x < 640 && y >= 0 && y < 480) << x << "," << y << " at frame " << f;
        minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
        for (int b = 1; b <= 3; ++b) clicks[b] += MouseHit(b);
        heldFor = MouseDown(MOUSE_LEFT) ? heldFor + 1 : 0;
        if (heldFor == 10) ++drags;
        int w = MouseWheel();
        wheelUp += w > lastWheel, wheelDown += w < lastWheel;
        lastWheel = w;
        for (int k = 0; k < kKeyCount; ++k)
            if (KeyHit(k)) keys.insert(k);
        for (int c; (c = GetChar());) ++typed, highChars += c >= 0xC0;
    }
    EXPECT_GT(clicks[MOUSE_LEFT], 500);
    EXPECT_GT(clicks[MOUSE_RIGHT], 50);
    EXPECT_GT(clicks[MOUSE_MIDDLE], 0);
    EXPECT_GT(drags, 50) << "tiles and sliders need the button held while the pointer moves";
    EXPECT_GT(wheelUp, 50);
    EXPECT_GT(wheelDown, 50);
    EXPECT_GT(typed, 1000);
    EXPECT_GT(highChars, 0);
    for (int k : {int(KEY_ENTER), int(KEY_ESCAPE), int(KEY_BACKSPACE), int(KEY_LEFT), int(KEY_F1), int('A'), int('1')})
        EXPECT_TRUE(keys.count(k)) << "key " << k;
    EXPECT_TRUE(minX == 0 && maxX == 639 && minY == 0 && maxY == 479) << "the screen's edges are reached";

    // Stopped mid-drag or mid-key, nothing stays pressed for the next screen.
    while (!p.HeldButton() || p.HeldKey() < 0) p.Step(60001);
    p.ReleaseAll();
    EXPECT_FALSE(MouseDown(MOUSE_LEFT) || MouseDown(MOUSE_RIGHT) || MouseDown(MOUSE_MIDDLE));
    for (int k = 0; k < kKeyCount; ++k) EXPECT_FALSE(KeyDown(k)) << k;
    InputReset();
}

// The whole program from a normal start under the random player: it must neither crash nor
// trip a sanitizer, must end on its frame limit, and must leave a profile file that reads back
// to the same bytes. The sanitizer build plays the long run CI relies on.
TEST(Soak, RandomPlayerFromANormalStart) {
#ifdef VELMORA_SANITIZED
    const int frames = 20000;
#else
    const int frames = 3000;
#endif
    ScratchDir dir;
    std::string cmd = "cd '" + dir.File("") + "' && username=Soaker '" + std::string(VELMORA_BINARY) +
                      "' --virtual-clock --seed 9 --soak 9 --max-frames " + std::to_string(frames) + " > run.log 2>&1";
    int code = std::system(cmd.c_str());
    std::ifstream in(dir.File("run.log"));
    std::string log(std::istreambuf_iterator<char>(in), {});
    ASSERT_EQ(code, 0) << log.substr(log.size() > 4000 ? log.size() - 4000 : 0);
    EXPECT_EQ(log.find("runtime error"), std::string::npos) << log;
    EXPECT_NE(log.find("Soak frame " + std::to_string(frames) + ": resident"), std::string::npos) << log;

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(LoadBytes(dir.File("data/users.cfg"), bytes));
    TUsers users;
    ASSERT_TRUE(users.Load(dir.File("data/users.cfg")));
    ASSERT_FALSE(users.UserList.empty());
    // The random player may rename, add and delete players through the dialogs; whatever it
    // typed went through the name entry's filter.
    for (const UserRef& u : users.UserList) {
        EXPECT_FALSE(u->Name.empty());
        EXPECT_EQ(FilterNameCharacters(u->Name), u->Name);
    }
    EXPECT_EQ(users.Encode(), bytes);
}
