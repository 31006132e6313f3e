#include "ui/highscore.hpp"

#include <cstdio>
#include <string>

#include "data/highscore.hpp"
#include "data/language.hpp"
#include "data/ranks.hpp"
#include "data/users.hpp"
#include "fx/pointer.hpp"
#include "platform/input.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/frame.hpp"
#include "ui/requester.hpp"

namespace {
constexpr float kFade = 0.05f;
}  // namespace

THighscore::THighscore() {
    std::printf("Screen highscore (frame %lld)\n", (long long)FlipCount());
    FlushKeys();
    SetAlpha(1);
    Cls();
    FlipFrame(-1);
    const bool mid = AutoMidHandleEnabled();
    AutoMidHandle(false);
    ImageRef background = LoadImage("incbin::../gfx/hiscore.png");
    ImageRef bar = LoadImage("incbin::../gfx/hiscorebar.png");
    AutoMidHandle(mid);
    SetRotation(0);
    SetColor(255, 255, 255);
    float cover = 1.0f;
    bool leaving = false;
    int32_t rowFade = -10;
    // An empty list gets no stand-in player from here: with nobody playing, nobody is marked.
    const std::string current = Users.UserList.empty() ? std::string() : Users.GetCurrentUser()->Name;
    const HighscoreTable table = BuildHighscoreTable(Users.UserList);
    const std::string title = Tx("Hall of fame");

    while (cover <= 1.0f) {
        if (rowFade < 100) ++rowFade;
        UpdateInput();
        Cls();
        SetAlpha(1);
        SetColor(255, 255, 255);
        if (background) DrawImage(background, 0, 0);
        FontHeadline->Draw(title, 320, 30, true);
        for (int i = 0; i < kHighscoreRows; ++i) {
            const float y = 100.0f + 30.0f * float(i);
            const std::string& name = table.Names[size_t(i)];
            const int32_t score = table.Scores[size_t(i)];
            // Lower rows become opaque first; nothing shows until the count passes zero.
            SetAlpha(float((i + 1) * rowFade) / 100.0f);
            if (bar && !current.empty() && name == current) DrawImage(bar, 59, y + 4);
            const int position = i + 1;
            FontMain->Draw((position < 10 ? "0" : "") + std::to_string(position), 62, y);
            SetViewport(100, 0, 200, 480);
            FontMain->Draw(name, 100, y);
            SetViewport(0, 0, 640, 480);
            FontMain->Draw(RankName(HighscoreRank(name, score, Users.UserList)), 310, y);
            const std::string digits = HighscoreDigits(score);
            for (int k = 1; k <= 7; ++k) FontMain->Draw(digits.substr(size_t(k - 1), 1), 450.0f + 15.0f * float(k), y);
        }
        SetAlpha(1);
        if (DrawButton(Tx("Ok"), 320, 440, false)) leaving = true;
        if (MousePointer) MousePointer->Draw();
        if (!leaving && cover > 0) cover -= kFade;
        if (leaving) cover += kFade;
        SetAlpha(cover);
        SetColor(0, 0, 0);
        DrawRect(0, 0, 640, 480);
        SetAlpha(1);
        SetColor(255, 255, 255);
        FlipFrame(-1);
    }
}
