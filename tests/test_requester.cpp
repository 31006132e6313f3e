#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tiles_env.hpp"
#include "ui/requester.hpp"

namespace {

// One frame of a screen: clear, read input, draw, flip.
void Frame(const std::function<void()>& draw) {
    Cls();
    UpdateInput();
    draw();
    Flip(0);
}

void Press(int x, int y) {
    InputMouseMove(x, y);
    InputMouseButton(MOUSE_LEFT, true);
}
void Release() { InputMouseButton(MOUSE_LEFT, false); }

class Recorder : public TRequester {
public:
    Recorder() {
        SetImage("incbin::../gfx/users_requester.png", true);
        AddButton("OK", 20, 30, 100, 40, true, false, 0, nullptr);
        AddButton("VOL", 20, 100, 137, 24, false, true, 50, nullptr);
    }
    void ButtonPressed(const std::string& name) override {
        pressed.push_back(name);
        if (name == "VOL") seenValues.push_back(GetButtonValue("VOL"));
    }
    void ButtonDown(const std::string& name) override { down.push_back(name); }
    void Render2(float, float) override { ++render2; }
    std::vector<std::string> pressed, down;
    std::vector<int32_t> seenValues;
    int render2 = 0;
};

TEST_F(UiTest, RequesterPushButtonClicksOnceAndRepeatsWhileHeld) {
    Recorder r;
    ASSERT_TRUE(r.RequesterImage);
    EXPECT_EQ(r.RequesterImage->frames.size(), 3u);
    InputMouseMove(150, 150);  // (100 + 20, 100 + 30) is the corner: inside by 30
    Frame([&] { r.Render(100, 100); });
    EXPECT_TRUE(MousePointer->Hover);
    EXPECT_TRUE(r.pressed.empty());
    Press(150, 150);
    for (int i = 0; i < 4; ++i) Frame([&] { r.Render(100, 100); });
    EXPECT_EQ(r.pressed, std::vector<std::string>{"OK"});
    EXPECT_EQ(r.down.size(), 4u) << "held frames, the click frame included";
    Release();
    Frame([&] { r.Render(100, 100); });
    EXPECT_EQ(r.down.size(), 4u);

    // The edges belong to nobody.
    r.pressed.clear();
    Press(120, 150);
    Frame([&] { r.Render(100, 100); });
    Release();
    EXPECT_TRUE(r.pressed.empty());
    EXPECT_EQ(r.render2, 7);
}

TEST_F(UiTest, SliderFollowsTheDragAndHoldsAtItsEnds) {
    Recorder r;
    const int track = 100 + 20, top = 100 + 100;
    Press(track + 10, top + 5);
    Frame([&] { r.Render(100, 100); });
    EXPECT_EQ(r.GetButtonValue("VOL"), 7);   // 10 / 137 x 100
    InputMouseMove(track + 500, top + 200);  // far off the slider: the drag goes on
    Frame([&] { r.Render(100, 100); });
    EXPECT_EQ(r.GetButtonValue("VOL"), 100);
    InputMouseMove(0, 0);
    Frame([&] { r.Render(100, 100); });
    EXPECT_EQ(r.GetButtonValue("VOL"), 0);
    InputMouseMove(track + 68, 5);
    Release();  // let go outside: the drag ends with this frame's position
    Frame([&] { r.Render(100, 100); });
    EXPECT_EQ(r.GetButtonValue("VOL"), 49);
    InputMouseMove(track + 130, top + 5);
    Frame([&] { r.Render(100, 100); });
    EXPECT_EQ(r.GetButtonValue("VOL"), 49) << "no drag after the release";
    // The owner sees last frame's value during the drag.
    EXPECT_EQ(r.seenValues, (std::vector<int32_t>{50, 7, 100, 0}));

    // The knob can be caught up to 23 pixels right of the track.
    Press(track + 137 + 20, top + 5);
    Frame([&] { r.Render(100, 100); });
    Release();
    Frame([&] { r.Render(100, 100); });
    EXPECT_EQ(r.GetButtonValue("VOL"), 100);

    r.SetButtonValue("VOL", 33);
    r.SetButtonValue("nothing", 5);
    EXPECT_EQ(r.GetButtonValue("VOL"), 33);
    EXPECT_EQ(r.GetButtonValue("nothing"), 0);
}

TEST_F(UiTest, FadingRequesterReactsToNothingButStillDraws) {
    Recorder r;
    r.Alpha = 0.99f;
    Press(150, 150);
    Frame([&] {
        r.Render(100, 100);
        EXPECT_FALSE(MousePointer->Hover);
        EXPECT_GT(GrabPixmap(100, 100, 300, 300)->pixels.size(), 0u);
        auto pix = GrabPixmap(100, 100, 300, 300);
        int lit = 0;
        for (uint32_t p : pix->pixels) lit += (p & 0xffffff) != 0;
        EXPECT_GT(lit, 1000) << "the picture shows while fading";
    });
    InputMouseMove(130, 205);
    Frame([&] { r.Render(100, 100); });
    Release();
    Frame([&] { r.Render(100, 100); });
    EXPECT_TRUE(r.pressed.empty());
    EXPECT_TRUE(r.down.empty());
    EXPECT_EQ(r.GetButtonValue("VOL"), 50);
    EXPECT_EQ(r.render2, 3);
}

TEST_F(UiTest, DrawButtonFiresOnReleaseOnlyWhenThePressBeganOnIt) {
    std::vector<bool> fired;
    auto frame = [&] { Frame([&] { fired.push_back(DrawButton("Go", 320, 240, false)); }); };
    auto firedCount = [&] { return std::count(fired.begin(), fired.end(), true); };

    // Press and release on it: true on the release frame only, with the click sound.
    Press(320, 240);
    frame();
    frame();
    EXPECT_EQ(Played(0), 1);
    Release();
    frame();
    EXPECT_EQ(fired, (std::vector<bool>{false, false, true}));
    frame();
    EXPECT_EQ(firedCount(), 1);

    // Press on it, move off, release: cancelled.
    Press(320, 240);
    frame();
    InputMouseMove(500, 240);
    frame();
    Release();
    frame();
    InputMouseMove(320, 240);
    frame();
    EXPECT_EQ(firedCount(), 1);

    // Press beside it, move on, release: nothing.
    Press(320, 300);
    frame();
    InputMouseMove(320, 240);
    frame();
    Release();
    frame();
    EXPECT_EQ(firedCount(), 1);

    // The edges (x +- 61, y +- 30) are outside.
    Press(259, 240);
    frame();
    Release();
    frame();
    EXPECT_EQ(firedCount(), 1);
}

TEST_F(UiTest, ButtonSlotsKeepTwoButtonsApartAndResetEachFrame) {
    bool a = false, b = false;
    auto frame = [&] {
        Frame([&] {
            a = DrawButton("A", 100, 100, false);
            b = DrawButton("B", 300, 100, false);
        });
        EXPECT_EQ(ButtonSlot, 2);
    };
    Press(300, 100);
    frame();
    Release();
    frame();
    EXPECT_FALSE(a);
    EXPECT_TRUE(b);
    UpdateInput();
    EXPECT_EQ(ButtonSlot, 0);
}

TEST_F(UiTest, DisabledButtonNeverFiresAndDrawsAtHalfOpacity) {
    InputMouseMove(10, 10);
    UpdateInput();
    SetBlend(ALPHABLEND);
    DrawButton("", 320, 240, false);
    auto full = GrabPixmap(262, 212, 118, 56);
    Cls();
    ButtonSlot = 0;
    DrawButton("", 320, 240, true);
    auto half = GrabPixmap(262, 212, 118, 56);
    EXPECT_FLOAT_EQ(GetAlpha(), 1.0f) << "alpha is given back";
    int checked = 0;
    for (size_t i = 0; i < full->pixels.size(); ++i) {
        int f = int((full->pixels[i] >> 8) & 255), h = int((half->pixels[i] >> 8) & 255);
        if (f < 80) continue;
        EXPECT_NEAR(h, f / 2, 2);
        ++checked;
    }
    EXPECT_GT(checked, 100);

    bool fired = false;
    MousePointer->SetHover(false);
    Press(320, 240);
    Frame([&] { fired |= DrawButton("Off", 320, 240, true); });
    EXPECT_FALSE(MousePointer->Hover);
    Release();
    Frame([&] { fired |= DrawButton("Off", 320, 240, true); });
    EXPECT_FALSE(fired);
    EXPECT_EQ(Played(0), 0);
}

TEST_F(UiTest, TextButtonIsAsWideAsItsCaption) {
    const std::string caption = "Highscores";
    const int half = FontMain->GetWidth(caption) / 2;
    bool fired = false;
    Press(320 + half - 1, 240);
    Frame([&] { fired |= DrawTextButton(caption, 320, 240); });
    Release();
    Frame([&] { fired |= DrawTextButton(caption, 320, 240); });
    EXPECT_TRUE(fired);
    fired = false;
    Press(320 + half + 1, 240);
    Frame([&] { fired |= DrawTextButton(caption, 320, 240); });
    Release();
    Frame([&] { fired |= DrawTextButton(caption, 320, 240); });
    EXPECT_FALSE(fired);
}

TEST_F(UiTest, YesNoBoxAnswersThroughItsButtons) {
    TReqYesNo box;
    box.Line1 = "Overwrite levels?";
    box.Line2 = "Levelset already exists.\nOverwrite?";
    Frame([&] { box.Render(150, 100); });
    EXPECT_EQ(box.ButtonPressStr, "");
    Press(150 + 350, 100 + 210);
    Frame([&] { box.Render(150, 100); });
    Release();
    Frame([&] { box.Render(150, 100); });
    EXPECT_EQ(box.ButtonPressStr, "NO");
    box.ButtonPressStr.clear();
    Press(150 + 110, 100 + 210);
    Frame([&] { box.Render(150, 100); });
    Release();
    Frame([&] { box.Render(150, 100); });
    EXPECT_EQ(box.ButtonPressStr, "YES");
    box.ButtonPressed("MAYBE");
    EXPECT_EQ(box.ButtonPressStr, "YES");
}

TEST_F(UiTest, TextAnimGrowsHoldsShrinksAndEndsOnItsNinetyFirstRender) {
    TextAnim t;
    t.Set("Get ready!", 290, 240);
    int calls = 0, grow = 0, hold = 0;
    float last = 0;
    while (!t.Destroy && calls < 200) {
        t.Render();
        ++calls;
        if (t.Zoom > last) ++grow;
        if (t.Zoom == last && !t.Destroy) ++hold;
        last = t.Zoom;
    }
    EXPECT_EQ(calls, 91);
    EXPECT_EQ(grow, 20);
    EXPECT_EQ(hold, 50);
    EXPECT_LT(t.Zoom, 0.0f);
    float sx, sy;
    GetScale(sx, sy);
    EXPECT_EQ(sx, 1.0f) << "the caller's scale is given back";
}

}  // namespace
