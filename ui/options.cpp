#include "ui/options.hpp"

#include <array>

#include "data/language.hpp"
#include "data/ranks.hpp"
#include "fx/sfx.hpp"
#include "puzzle/unlocks.hpp"
#include "ui/bitmapfont.hpp"

namespace {
const std::array<const char*, 6> kBackgroundNames = {LangText("Cloudy mountains"), LangText("Snow world"),
                                                     LangText("The pond"),         LangText("View from above"),
                                                     LangText("Autumn trees"),     LangText("Panorama")};
const std::array<const char*, 2> kPuzzlesetNames = {LangText("Marble"), LangText("Wood")};
const std::array<const char*, 3> kSongNames = {LangText("Title Theme"), LangText("Temple Of Love"),
                                               LangText("Voyage to Enlightment")};

template <size_t N>
std::string NameOf(const std::array<const char*, N>& names, int32_t index) {
    if (index < 0 || size_t(index) >= N) return "";
    return Tx(names[size_t(index)]);
}

std::string OnOff(bool on) { return on ? Tx("on") : Tx("off"); }
}  // namespace

std::string BackgroundName(int32_t index) { return NameOf(kBackgroundNames, index); }
std::string PuzzlesetName(int32_t index) { return NameOf(kPuzzlesetNames, index); }
std::string SongName(int32_t index) { return NameOf(kSongNames, index); }

// ---------------------------------------------------------------------------------------------

TReqOptions::TReqOptions() {
    SetImage("incbin::../gfx/yesno_requester.png", false);
    SetScaleFactor(1.0f, 1.2f);
    const bool mid = AutoMidHandleEnabled();
    AutoMidHandle(false);
    Slider = LoadImage("incbin::../gfx/slider.png");
    AutoMidHandle(mid);
    AddButton("MUSIC_VOLUME", 250, 126, 118, 21, true, true, 100, Slider);
    AddButton("SFX_VOLUME", 250, 166, 118, 21, true, true, 80, Slider);
    User = Users.GetCurrentUser();
    if (User) {
        SetButtonValue("MUSIC_VOLUME", User->MusicVolume);
        SetButtonValue("SFX_VOLUME", User->SFXVolume);
    }
}

void TReqOptions::Render2(float x, float y) {
    FontHeadline->Draw(Tx("Audio"), x + 229, y + 75, true);
    FontMainHover->Draw(Tx("Music"), x + 78, y + 115);
    FontMainHover->Draw(Tx("FX"), x + 78, y + 155);
    if (UpdateRank(*User) == 0) {
        FontMainHover->Draw(Tx("No songs available"), x + 224, y + 210, true);
    } else if (DrawTextButton(
                   Language->GetString("Change song: $songname", {"songname", SongName(User->Selected_Music)}),
                   int(x + 229), int(y + 215))) {
        ChangeSong(*User);
    }
    if (DrawButton("Okay", int(x + 229), int(y + 255), false)) ButtonPressed("OK");
}

void TReqOptions::ButtonPressed(const std::string& name) {
    if (name == "OK") {
        User->MusicVolume = GetButtonValue("MUSIC_VOLUME");
        User->SFXVolume = GetButtonValue("SFX_VOLUME");
        ButtonNamePressed = "OK";
    } else if (name == "MUSIC_VOLUME") {
        ChangeMusicVolume(*Users.GetCurrentUser(), GetButtonValue("MUSIC_VOLUME"));
    } else if (name == "SFX_VOLUME") {
        ChangeEffectVolume(*Users.GetCurrentUser(), GetButtonValue("SFX_VOLUME"));
    }
}

// ---------------------------------------------------------------------------------------------

TOptions::TOptions() {
    const bool mid = AutoMidHandleEnabled();
    AutoMidHandle(false);
    RequesterImg = LoadImage("incbin::../gfx/yesno_requester.png");
    AutoMidHandle(mid);
    ReqOptions = new TReqOptions();
    User = Users.GetCurrentUser();
}

TOptions::~TOptions() { delete ReqOptions; }

void TOptions::Render(int32_t x, int32_t y) {
    const float keep = GetAlpha();
    if (CurrReq == R_MAIN && Alpha < 1.0f) Alpha += 0.1f;
    if ((CurrReq == R_FADEOUT || CurrReq == R_BACKTOMAIN) && Alpha > 0) Alpha -= 0.1f;
    if (CurrReq == R_FADEOUT && Alpha <= 0) CurrReq = R_CLOSE;
    SetAlpha(Alpha);
    SetColor(255, 255, 255);
    switch (CurrReq) {
        case R_MAIN:
        case R_FADEOUT:
            RenderMain(x, y);
            break;
        case R_GFX:
            RenderGfx(x, y);
            break;
        case R_SFX:
            RenderSfx(x, y);
            break;
        case R_GAMEPLAY:
            RenderGameplay(x, y);
            break;
        case R_BACK:
        case R_BACKTOMAIN:
            RenderBack(x, y);
            break;
        default:
            break;
    }
    SetAlpha(keep);
}

void TOptions::RenderMain(int32_t x, int32_t y) {
    SetScale(0.7f, 1.48f);
    if (RequesterImg) DrawImage(RequesterImg, float(x + 67), float(y - 23));
    SetScale(1, 1);
    FontHeadline->Draw(Tx("Preferences"), float(x + 224), float(y + 68), true);
    if (DrawTextButton(Tx("Graphics"), x + 228, y + 140)) CurrReq = R_GFX;
    if (DrawTextButton(Tx("Audio"), x + 228, y + 175)) CurrReq = R_SFX;
    if (DrawTextButton(Tx("Game"), x + 228, y + 210)) CurrReq = R_GAMEPLAY;
    if (ShowBack && DrawTextButton(Tx("Back to main menu"), x + 228, y + 245)) CurrReq = R_BACK;
    if (DrawButton(Tx("Okay"), x + 228, y + 300, false)) CurrReq = R_FADEOUT;
}

void TOptions::RenderGfx(int32_t x, int32_t y) {
    SetScale(1.0f, 1.3f);
    if (RequesterImg) DrawImage(RequesterImg, float(x), float(y - 14));
    SetScale(1, 1);
    FontHeadline->Draw(Tx("Graphics"), float(x + 224), float(y + 58), true);
    const int32_t r = UpdateRank(*User);
    if (User->Selected_Background > r) User->Selected_Background = r;
    if (r == 0) {
        FontMainHover->Draw(Tx("No backgrounds available!"), float(x + 223), float(y + 145), true);
    } else if (DrawTextButton(
                   Language->GetString("Background: $bgname", {"bgname", BackgroundName(User->Selected_Background)}),
                   x + 228, y + 150)) {
        if (SFX) {
            SFX->Stop(15);
            SFX->Stop(17);
        }
        NextBackground(*User);
    }
    if (r == 0) {
        FontMainHover->Draw(Tx("No puzlesets available!"), float(x + 223), float(y + 180), true);
    } else if (DrawTextButton(
                   Language->GetString("Puzzleset: $pset", {"pset", PuzzlesetName(User->Selected_Puzzleset)}), x + 228,
                   y + 185)) {
        NextPuzzleSet(*User);
    }
    if (DrawTextButton(Tx("Background animation: ") + OnOff(User->BackgroundAnimation), x + 228, y + 220))
        User->BackgroundAnimation = !User->BackgroundAnimation;
    if (DrawButton(Tx("Okay"), x + 228, y + 275, false)) CurrReq = R_MAIN;
}

void TOptions::RenderSfx(int32_t x, int32_t y) {
    ReqOptions->Render(float(x), float(y + 35));
    if (ReqOptions->ButtonNamePressed == "OK") {
        ReqOptions->ButtonNamePressed.clear();
        CurrReq = R_MAIN;
    }
}

void TOptions::RenderGameplay(int32_t x, int32_t y) {
    SetScale(1.0f, 1.3f);
    if (RequesterImg) DrawImage(RequesterImg, float(x), float(y - 14));
    SetScale(1, 1);
    FontHeadline->Draw(Tx("Game"), float(x + 224), float(y + 68), true);
    if (DrawTextButton(Tx("Map:") + " " + OnOff(User->ProgressMap), x + 228, y + 140))
        User->ProgressMap = !User->ProgressMap;
    if (DrawTextButton(Tx("Wisdoms:") + " " + OnOff(User->Wisdoms), x + 228, y + 175)) User->Wisdoms = !User->Wisdoms;
    if (DrawTextButton(Tx("Tutorial:") + " " + OnOff(User->Tutorial), x + 228, y + 210))
        User->Tutorial = !User->Tutorial;
    if (DrawButton(Tx("Okay"), x + 228, y + 270, false)) CurrReq = R_MAIN;
}

void TOptions::RenderBack(int32_t x, int32_t y) {
    if (RequesterImg) DrawImage(RequesterImg, float(x), float(y + 20));
    SetScale(1, 1);
    FontHeadline->Draw(Tx("Quit game?"), float(x + 230), float(y + 85), true);
    FontMain->Draw(Tx("Are you sure you want to quit this game\nand return to the main menu?"), float(x + 230),
                   float(y + 135), true);
    if (DrawButton(Tx("Sure"), x + 110, y + 230, false)) CurrReq = R_BACKTOMAIN;
    if (DrawButton(Tx("No"), x + 350, y + 230, false)) CurrReq = R_MAIN;
}
