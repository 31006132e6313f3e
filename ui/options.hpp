// The preferences dialog: a main page with the page list, graphics, audio and game pages, and
// the confirmation for leaving a running game. Every change acts on the player record at once;
// saving the profile file is the owner's business.
#pragma once

#include <cstdint>
#include <string>

#include "data/users.hpp"
#include "platform/graphics.hpp"
#include "ui/requester.hpp"

// Pages (TOptions::CurrReq).
enum OptionsPage : int32_t {
    R_MAIN = 0,
    R_GFX = 1,
    R_SFX = 2,
    R_GAMEPLAY = 3,
    R_BACK = 4,
    R_CLOSE = 5,
    R_BACKTOMAIN = 6,
    R_FADEOUT = 7,
};

// The audio page: two volume sliders heard while they move, and the song choice.
class TReqOptions : public TRequester {
public:
    TReqOptions();
    void Render2(float x, float y) override;
    void ButtonPressed(const std::string& name) override;

    std::string ButtonNamePressed;
    UserRef User;
    ImageRef Slider;
};

class TOptions {
public:
    TOptions();
    virtual ~TOptions();

    int32_t CurrReq = R_MAIN;
    ImageRef RequesterImg;
    TReqOptions* ReqOptions = nullptr;
    UserRef User;
    bool ShowBack = true;
    float Alpha = 0;

    virtual void Render(int32_t x, int32_t y);
    virtual void RenderMain(int32_t x, int32_t y);
    virtual void RenderGfx(int32_t x, int32_t y);
    virtual void RenderSfx(int32_t x, int32_t y);
    virtual void RenderGameplay(int32_t x, int32_t y);
    virtual void RenderBack(int32_t x, int32_t y);
};

// Names shown for the player's choices; empty outside the known range.
std::string BackgroundName(int32_t index);
std::string PuzzlesetName(int32_t index);
std::string SongName(int32_t index);
