// The bonus help box: five pages turned with ">>" and closed with "Okay".
#include <gtest/gtest.h>

#include <functional>

#include "bonus/bonustutorial.hpp"
#include "tiles_env.hpp"

namespace {
void Frame(BonusTutorial& t) {
    Cls();
    UpdateInput();
    t.Render(25, 85);
    Flip(0);
}

void ClickAt(BonusTutorial& t, int x, int y) {
    InputMouseMove(x, y);
    InputMouseButton(MOUSE_LEFT, true);
    Frame(t);
    InputMouseButton(MOUSE_LEFT, false);
    Frame(t);
}
}  // namespace

TEST_F(UiTest, BonusHelpTurnsItsPagesAndClosesWithOkay) {
    BonusTutorial t;
    ASSERT_TRUE(t.icons);
    EXPECT_EQ(t.icons->frames.size(), 5u);
    EXPECT_EQ(t.Stp, 0);
    EXPECT_EQ(t.Line, "You can move the symbols around\nwith your mouse!");
    Frame(t);
    ClickAt(t, 25 + 280, 85 + 270);  // where "Okay" will be: nothing there yet
    EXPECT_EQ(t.Stp, 0);
    EXPECT_EQ(t.ButtonPressStr, "");

    for (int page = 1; page <= 4; ++page) {
        ClickAt(t, 25 + 470, 85 + 270);
        EXPECT_EQ(t.Stp, page);
        EXPECT_EQ(t.Line, BonusTutorial::PageText(page));
        EXPECT_EQ(t.ButtonPressStr, "");
    }
    EXPECT_EQ(t.Line, "Try to remove all tiles\nthat have a floating\nYing-Yang-Symbol.");
    ClickAt(t, 25 + 470, 85 + 270);  // ">>" is gone on the last page
    EXPECT_EQ(t.Stp, 4);
    EXPECT_EQ(t.ButtonPressStr, "");
    ClickAt(t, 25 + 280, 85 + 270);
    EXPECT_EQ(t.ButtonPressStr, "Exit");
    EXPECT_EQ(t.Stp, 4);
    EXPECT_EQ(Played(0), 5) << "a click sound for each button used";
}
