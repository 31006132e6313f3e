#include <gtest/gtest.h>

#include <cmath>

#include "tiles_env.hpp"
#include "ui/tutorial.hpp"

namespace {
constexpr int kBackX = 93, kNextX = 215, kPlayX = 567, kButtonY = 435;

// A full click on a button: pressed in one frame, released in the next (when it fires).
void Click(Tutorial& t, int x, int y) {
    InputMouseMove(x, y);
    InputMouseButton(MOUSE_LEFT, true);
    t.Frame();
    InputMouseButton(MOUSE_LEFT, false);
    t.Frame();
    Flip(0);
}

const Tutorial::Actor* Find(const std::vector<Tutorial::Actor>& scene, const ImageRef& img) {
    for (const auto& a : scene)
        if (a.image == &img) return &a;
    return nullptr;
}

float Width(const TBitmapFont& font, const std::string& s) {
    float w = 0;
    for (unsigned char c : s) w += float(font.CharW[size_t(c - TBitmapFont::kFirstCode)]);
    return w;
}
}  // namespace

TEST_F(UiTest, TutorialTextWrapsAtWordsInsideTheBoxAndBreaksAtBackslashN) {
    const TBitmapFont& font = *FontMain;
    const float lineHeight = float(font.FrameHeight);
    const float right = 35 + 2 + 565;
    for (int page = 0; page < Tutorial::kPages; ++page) {
        const std::string text = Tutorial::PageText(page);
        auto glyphs = Tutorial::LayOutText(text, font);
        ASSERT_EQ(glyphs.size(), text.size());
        EXPECT_EQ(glyphs[0].x, 37);
        EXPECT_EQ(glyphs[0].y, 289);
        float wordY = glyphs[0].y;
        for (size_t i = 0; i < glyphs.size(); ++i) {
            if (glyphs[i].code == ' ') continue;
            EXPECT_LE(glyphs[i].x + float(font.CharW[glyphs[i].code - 31]), right) << "page " << page << " at " << i;
            if (i > 0 && glyphs[i - 1].code != ' ') {
                EXPECT_EQ(glyphs[i].y, wordY) << "page " << page << ": a word was split at " << i;
            }
            wordY = glyphs[i].y;
        }
    }
    // The longest page text takes three lines, and they fit the 105-pixel box.
    auto two = Tutorial::LayOutText(Tutorial::PageText(2), font);
    EXPECT_EQ(two.back().y, 289 + 2 * lineHeight);
    EXPECT_LE(two.back().y + lineHeight, 287 + 105);

    // A backslash-n pair starts a new line and is not drawn.
    auto broken = Tutorial::LayOutText("ab\\ncd", font);
    ASSERT_EQ(broken.size(), 4u);
    EXPECT_EQ(broken[2].code, 'c');
    EXPECT_EQ(broken[2].x, 37);
    EXPECT_EQ(broken[2].y, 289 + lineHeight);

    // A word wider than the box gets a line of its own and runs over it, unsplit.
    const std::string wide(80, 'W');
    ASSERT_GT(Width(font, wide), 565);
    auto over = Tutorial::LayOutText("a " + wide + " b", font);
    EXPECT_EQ(over[2].x, 37);
    EXPECT_EQ(over[2].y, 289 + lineHeight);
    EXPECT_EQ(over[2 + wide.size() - 1].y, 289 + lineHeight);
    EXPECT_EQ(over.back().y, 289 + 2 * lineHeight) << "the next word wraps after it";
}

TEST_F(UiTest, TutorialScenesMoveWithoutJumpsAndThePointerCarriesTheTile) {
    Tutorial t;
    for (int page = 1; page < Tutorial::kPages; ++page) {
        const Tutorial::Actor* lastPointer = nullptr;
        std::vector<Tutorial::Actor> last;
        for (int c = 0; c <= Tutorial::LastFrame(page); ++c) {
            auto scene = t.Scene(page, c);
            const auto* p = Find(scene, t.MyPointer);
            ASSERT_NE(p, nullptr) << "page " << page << " frame " << c;
            if (lastPointer) {
                EXPECT_LE(std::hypot(p->x - lastPointer->x, p->y - lastPointer->y), 2.3f)
                    << "pointer jumps on page " << page << " at frame " << c;
                const auto* tile = Find(scene, t.MyTile);
                const auto* lastTile = Find(last, t.MyTile);
                if (tile && lastTile && page != 4) {
                    EXPECT_LE(std::hypot(tile->x - lastTile->x, tile->y - lastTile->y), 1.6f)
                        << "tile jumps on page " << page << " at frame " << c;
                }
            }
            last = scene;
            lastPointer = Find(last, t.MyPointer);
        }
    }
    // Carrying: on page 1 the tile keeps its place under the pointer all the way to the
    // silhouette, and on page 3 it travels with the pointer until it is dropped.
    for (int c = 150; c <= 310; ++c) {
        auto s = t.Scene(1, c);
        EXPECT_NEAR(Find(s, t.MyTile)->x - Find(s, t.MyPointer)->x, 6, 1e-3) << c;
        EXPECT_NEAR(Find(s, t.MyTile)->y - Find(s, t.MyPointer)->y, 1, 1e-3) << c;
    }
    EXPECT_NEAR(Find(t.Scene(1, 310), t.MyTile)->x, 126.95f, 1e-3);
    for (int page : {3, 5})
        for (int c = 0; c < 100; ++c) {
            auto s = t.Scene(page, c);
            EXPECT_EQ(Find(s, t.MyTile)->x, Find(s, t.MyPointer)->x);
        }
    // The lifted tile grows from 0.8 to full size while the pointer holds it.
    EXPECT_FLOAT_EQ(Find(t.Scene(1, 0), t.MyTile)->scale, 0.8f);
    EXPECT_FLOAT_EQ(Find(t.Scene(1, 70), t.MyTile)->scale, 0.9f);
    EXPECT_FLOAT_EQ(Find(t.Scene(1, 80), t.MyTile)->scale, 1.0f);
    // Hint page: the tile shows up only for frames 150 to 174, brightest at 164.
    EXPECT_EQ(Find(t.Scene(4, 149), t.MyTile), nullptr);
    EXPECT_FLOAT_EQ(Find(t.Scene(4, 150), t.MyTile)->alpha, 0);
    EXPECT_FLOAT_EQ(Find(t.Scene(4, 164), t.MyTile)->alpha, 0.7f);
    EXPECT_FLOAT_EQ(Find(t.Scene(4, 174), t.MyTile)->alpha, 0.05f);
    EXPECT_EQ(Find(t.Scene(4, 175), t.MyTile), nullptr);
    // The solved picture flashes up after the last drop and fades out by frame 200.
    EXPECT_EQ(Find(t.Scene(5, 159), t.flash), nullptr);
    EXPECT_FLOAT_EQ(Find(t.Scene(5, 170), t.flash)->alpha, 0.5f);
    EXPECT_FLOAT_EQ(Find(t.Scene(5, 190), t.flash)->alpha, 0.5f);
    EXPECT_EQ(Find(t.Scene(5, 200), t.flash), nullptr);
    // Click markers: where the pointer presses, only for their frames.
    EXPECT_NE(Find(t.Scene(2, 91), t.click), nullptr);
    EXPECT_EQ(Find(t.Scene(2, 90), t.click), nullptr);
    EXPECT_EQ(Find(t.Scene(2, 120), t.click), nullptr);
}

TEST_F(UiTest, TutorialPagesWithTheArrowButtonsOnlyWithinTheSixPages) {
    Tutorial t;
    for (int i = 0; i < 12; ++i) t.Frame();
    EXPECT_LT(t.Cover, 0.01f) << "faded in over ten frames";

    Click(t, kBackX, kButtonY);
    EXPECT_EQ(t.Page, 0) << "\"<<\" on the first page does nothing";

    for (int expected = 1; expected < Tutorial::kPages; ++expected) {
        for (int i = 0; i < 7; ++i) t.Frame();
        Click(t, kNextX, kButtonY);
        ASSERT_EQ(t.Page, expected);
        EXPECT_EQ(t.Counter, 0) << "the scene restarts on a new page";
    }
    Click(t, kNextX, kButtonY);
    EXPECT_EQ(t.Page, 5) << "\">>\" on the last page does nothing";
    Click(t, kBackX, kButtonY);
    EXPECT_EQ(t.Page, 4);
    EXPECT_FALSE(t.Leaving);
}

TEST_F(UiTest, TutorialTileTurnsOneStepPerLoopAndKeepsItsAngleAcrossVisits) {
    Tutorial t;
    t.Page = 2;
    for (int i = 0; i < 130; ++i) t.Frame();
    EXPECT_EQ(t.Counter, 0) << "page 2 loops after its frame 129";
    EXPECT_NEAR(t.Angle, 22.5f, 1e-4);
    for (int i = 0; i < 130; ++i) t.Frame();
    EXPECT_NEAR(t.Angle, 45.0f, 1e-4);

    for (int i = 0; i < 60; ++i) t.Frame();  // half way through the next loop
    Click(t, kNextX, kButtonY);
    ASSERT_EQ(t.Page, 3);
    EXPECT_NEAR(t.Angle, 45.0f, 1e-4);
    for (int i = 0; i < 200; ++i) t.Frame();
    Click(t, kBackX, kButtonY);
    ASSERT_EQ(t.Page, 2);
    EXPECT_NEAR(t.Angle, 45.0f, 1e-4) << "kept across the visit to page 3";
    for (int i = 0; i < 130; ++i) t.Frame();
    EXPECT_NEAR(t.Angle, 67.5f, 1e-4) << "and the next loop turns on from there";
}

TEST_F(UiTest, TutorialPlayFadesOutFromAnyPageAndEnds) {
    Tutorial t;
    t.Frame();
    EXPECT_NEAR(t.Cover, 0.9f, 1e-6);
    for (int i = 0; i < 11; ++i) t.Frame();
    Click(t, kPlayX, kButtonY);
    EXPECT_TRUE(t.Leaving);
    EXPECT_EQ(t.Page, 0) << "the pages need not be visited";
    int frames = 0;
    while (t.Frame()) ASSERT_LT(++frames, 30);
    EXPECT_TRUE(t.Done());
    EXPECT_GT(t.Cover, 1.0f);
    EXPECT_GE(frames, 9);
    EXPECT_LE(frames, 12) << "the fade-out takes about ten frames";
    // The last frame drawn is black: the cover was fully opaque.
    const uint32_t px = At(320, 240);
    EXPECT_LE(px & 0xff, 3u) << std::hex << px;
}
