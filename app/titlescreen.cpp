#include "app/titlescreen.hpp"

#include <algorithm>

#include "data/language.hpp"
#include "data/users.hpp"
#include "fx/pointer.hpp"
#include "fx/sfx.hpp"
#include "platform/input.hpp"
#include "platform/timing.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/frame.hpp"
#include "ui/screenlog.hpp"

std::unique_ptr<TTitleScreen> TitleScreen;

namespace {

constexpr float kFade = 0.05f;

// The fades run below 0 and above 1 on purpose (a pause before the menu appears); what is
// drawn meanwhile stays within the range a colour can hold.
void SetOpacity(float a) { SetAlpha(std::clamp(a, 0.0f, 1.0f)); }

bool Inside(int mx, int my, int left, int top, int right, int bottom) {
    return mx > left && mx < right && my > top && my < bottom;
}

}  // namespace

TTitleScreen::TTitleScreen() {
    NameReq = std::make_unique<TReqEnterName>(Action);
    NameReq->Alpha = 0;
    ReqOptions = std::make_unique<TOptions>();
    ReqUsers = std::make_unique<TReqUsers>(Action, *NameReq);
    Users.Load();
    AutoMidHandle(true);
    TangramFont[0] = LoadImage("incbin::../gfx/titlefont.png");
    TangramFont[1] = LoadImage("incbin::../gfx/titlefont_mask.png");
    Fan = LoadImage("incbin::../gfx/fan.png");
    AutoMidHandle(false);
}

void TTitleScreen::Run() {
    if (!TitleMenuState) return;
    UpdateInput();
    SetOpacity(TextAlpha);
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);

    // The fans bob in step with each other, one up while the other goes down.
    const int b = int(7.0f * SinDeg(float(Millisecs()) / 5.0f));
    DrawImage(Fan, 109, float(444 + b));
    DrawImage(Fan, 537, float(434 - b));
    SetOpacity(Alpha);

    if (Action == "FADE_IN") {
        Alpha += kFade;
        if (Alpha >= 1) Action.clear();
    } else if (Action == "LEVEL_EDITOR" || Action == "PLAY") {
        Alpha -= kFade;
        TextAlpha -= kFade;
        if (Alpha <= 0) TitleMenuState = false;
    }

    // The title: a pause, the dark silhouette, then the colours over it.
    if (FontState < 0) {
        FontState += 0.05f;
    } else if (FontState < 1) {
        SetOpacity(FontState);
        DrawImage(TangramFont[1], 318, 80);
        FontState += 0.1f;
    } else if (FontState < 2) {
        SetAlpha(1);
        DrawImage(TangramFont[1], 318, 80);
        SetOpacity(FontState - 1);
        DrawImage(TangramFont[0], 318, 80);
        FontState += 0.1f;
    } else {
        SetAlpha(1);
        DrawImage(TangramFont[0], 318, 80);
    }

    if (!PlayerDialogs()) {
        if (Action == "QUIT") {
            FontState -= 0.2f;
            TextAlpha -= kFade;
            if (TextAlpha < 0) {
                Alpha -= kFade;
                if (Alpha < 0) TitleMenuState = false;
            }
        } else if (Action.empty() && TextAlpha < 1) {
            TextAlpha += kFade;
        }
        SetOpacity(TextAlpha);
        Greeting(b);

        static const struct {
            const char* text;
            float y, scale;
            const char* action;
        } kEntries[] = {{"Start game", 197, 1.0f, "PLAY"},
                        {"Preferences", 290, 0.6f, "OPTIONS"},
                        {"Level editor", 330, 0.6f, "LEVEL_EDITOR"},
                        {"Highscore", 370, 0.6f, "HIGHSCORE"}};
        for (const auto& e : kEntries)
            if (DrawMenuItem(Language->GetString(e.text), 316, e.y, e.scale)) Action = e.action;
        HandOver();
    }

    SetAlpha(1);
    if (MousePointer) MousePointer->Draw();
}

// The name entry takes the whole menu while it is shown or fading, and is forced while no
// player exists at all. True when it did.
bool TTitleScreen::PlayerDialogs() {
    if (NameEntryShown(Action)) {
        if (NameReq->Alpha < 1) NameReq->Alpha = std::min(1.0f, NameReq->Alpha + kFade);
        if (ReqUsers->Alpha > 0) {
            ReqUsers->Alpha -= kFade;
            ReqUsers->Render(62, 25);
        }
        NameReq->Render(105, 115);
        return true;
    }
    if (NameReq->Alpha > 0) {
        NameReq->Alpha -= kFade;
        NameReq->Render(105, 115);
        return true;
    }
    return false;
}

void TTitleScreen::Greeting(int b) {
    UserRef player = Users.GetCurrentUser();
    const std::string welcome = Language->GetString("Welcome, $name!", {"name", player ? player->Name : ""});
    const std::string change = Tx("Change player");
    const std::string quit = Tx("Quit");
    const int mx = MouseX(), my = MouseY();

    const bool overLeft = Inside(mx, my, 7, 373, 198, 473);
    TBitmapFont& left = overLeft ? *FontMainHover : *FontMain;
    left.Draw(welcome, 109, float(394 + b), true);
    left.Draw(change, 109, float(420 + b), true);
    if (overLeft) {
        if (MousePointer) MousePointer->SetHover(true);
        if (MouseHits[0] && TextAlpha >= 1) {
            Action = "USERS";
            if (SFX) SFX->Play(0);
        }
    }

    const bool overRight = Inside(mx, my, 471, 378, 597, 460);
    (overRight ? *FontMainHover : *FontMain).Draw(quit, 537, float(410 - b), true);
    if (overRight) {
        if (MousePointer) MousePointer->SetHover(true);
        if (MouseHits[0] && TextAlpha >= 1) {
            Action = "QUIT";
            if (SFX) SFX->Play(0);
        }
    }
}

bool TTitleScreen::DrawMenuItem(const std::string& text, float x, float y, float scale) {
    const int32_t slot = ButtonSlot++;
    uint8_t dummy = 0;
    uint8_t& latch = slot >= 0 && slot < kButtonLatches ? ButtonLatch[size_t(slot)] : dummy;
    SetScale(scale, scale);
    const int hw = int(float(FontHeadline->GetWidth(text)) * scale / 2.0f);
    const int hh = int(float(FontHeadline->FrameHeight) * scale / 2.0f);
    const float dx = latch ? x + 2 : x, dy = latch ? y + 2 : y;
    const float mx = float(MouseX()), my = float(MouseY());
    if (mx > x - float(hw) && mx < x + float(hw) && my > y - float(hh) && my < y + float(hh)) {
        FontHeadlineHover->Draw(text, dx, dy, true);
        if (MousePointer) MousePointer->SetHover(true);
        SetScale(1, 1);
        if (MouseHits[0] && TextAlpha >= 1) {
            latch = 1;
            if (SFX) SFX->Play(0);
        }
        if (latch && !MouseDown(MOUSE_LEFT)) {
            latch = 0;
            return Action.empty();
        }
        return false;
    }
    FontHeadline->Draw(text, dx, dy, true);
    SetScale(1, 1);
    if (!MouseDown(MOUSE_LEFT)) latch = 0;
    return false;
}

void TTitleScreen::HandOver() {
    if (Action == "OPTIONS") {
        if (TextAlpha > 0) TextAlpha -= kFade;
        if (TextAlpha <= 0) {
            Action = "OPTIONS_SHOW";
            UserRef player = Users.GetCurrentUser();
            ReqOptions->CurrReq = R_MAIN;
            ReqOptions->ShowBack = false;
            ReqOptions->Alpha = 0;
            ReqOptions->User = player;
            if (ReqOptions->ReqOptions && player) {
                ReqOptions->ReqOptions->User = player;
                ReqOptions->ReqOptions->SetButtonValue("MUSIC_VOLUME", player->MusicVolume);
                ReqOptions->ReqOptions->SetButtonValue("SFX_VOLUME", player->SFXVolume);
            }
            LogScreen("options");
        }
    } else if (Action == "USERS") {
        if (TextAlpha > 0) TextAlpha -= 0.1f;
        if (TextAlpha <= 0) {
            Action = "USERS_SHOW";
            ReqUsers->Alpha = 0;
        }
    } else if (Action == "HIGHSCORE") {
        if (TextAlpha > 0) TextAlpha -= kFade;
        if (Alpha > 0) Alpha -= kFade;
        if (Alpha <= 0) {
            if (RunHighscore) RunHighscore();
            Action = "FADE_IN";
        }
    } else if (Action == "OPTIONS_SHOW") {
        SetAlpha(1);
        ReqOptions->Render(100, 50);
        if (ReqOptions->CurrReq == R_CLOSE) Action = "LEAVE_OPTIONS";
    } else if (Action == "LEAVE_OPTIONS") {
        TextAlpha += kFade;
        if (TextAlpha >= 1) {
            Action.clear();
            Users.Save();
        }
    } else if (Action == "LEAVE_USERS") {
        if (ReqUsers->Alpha > 0) {
            ReqUsers->Alpha -= kFade;
            ReqUsers->Render(62, 25);
        }
        if (ReqUsers->Alpha <= 0) Action.clear();
    } else if (Action == "USERS_SHOW") {
        ReqUsers->Alpha = std::min(1.0f, ReqUsers->Alpha + kFade);
        ReqUsers->Render(62, 25);
    }
}
