// The title screen: the temple with the animated title, two bobbing fans, the greeting and the
// menu. Everything it does is a state of the one Action word, which the main loop reads once
// the menu scene has ended ("PLAY", "LEVEL_EDITOR" or "QUIT").
#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/graphics.hpp"
#include "ui/options.hpp"
#include "ui/playerdialogs.hpp"

class TTitleScreen {
public:
    TTitleScreen();
    virtual ~TTitleScreen() = default;

    std::string Action;  // declared first: the dialogs below keep a reference to it
    std::unique_ptr<TReqEnterName> NameReq;
    std::unique_ptr<TOptions> ReqOptions;
    std::unique_ptr<TReqUsers> ReqUsers;
    float TextAlpha = -1.5f;
    float Alpha = 1.0f;
    bool TitleMenuState = false;
    ImageRef Fan;
    std::array<ImageRef, 2> TangramFont;
    float FontState = -1.0f;

    void LoadTitleData() {}
    void InitRun() { TitleMenuState = true; }
    // One frame of the menu; nothing while the title screen is not running.
    void Run();
    // One menu entry; true on the frame the button is released over it after being pressed on
    // it, and only while no other action runs.
    bool DrawMenuItem(const std::string& text, float x, float y, float scale);

    // The highscore table, run when the menu has faded out for it (replaceable for tests).
    void (*RunHighscore)() = nullptr;

private:
    bool optionsLogged = false;
    bool PlayerDialogs();
    void Greeting(int b);
    void HandOver();
};

extern std::unique_ptr<TTitleScreen> TitleScreen;
