// Stand-ins for the player dialogs, the level-set selection and the highscore table until
// those screens land: the title screen and the main loop are written against their names and
// calls, so swapping these out is a matter of includes. They live in their own namespace so
// that the real classes can never be mixed up with them silently.
#pragma once

#include <string>

#include "data/users.hpp"
#include "puzzle/levelset.hpp"
#include "ui/requester.hpp"

namespace standin {

// The player list closes as soon as it is shown.
class TReqUsers : public TRequester {
public:
    explicit TReqUsers(std::string& action) : Action(action) {}
    std::string& Action;
    void Render(float, float) override {
        if (Action == "USERS_SHOW") Action = "LEAVE_USERS";
    }
    void ButtonPressed(const std::string&) override {}
};

// Never shown: start-up always leaves at least one player.
class TReqEnterName : public TRequester {
public:
    explicit TReqEnterName(std::string& action) : Action(action) {}
    std::string& Action;
    std::string Caption;
    void Render(float, float) override {}
    void ButtonPressed(const std::string&) override {}
};

// Chooses the player's last set, or the first embedded one.
class TReqLevelSelect {
public:
    TReqLevelSelect() {
        UserRef player = Users.GetCurrentUser();
        LevelFile = player && !player->CurrLevelFile.empty() ? player->CurrLevelFile
                                                               : std::string("incbin::../data/Jewels of Dharma.lvl");
        CurrLevelSetFile = LevelFile;
    }
    std::string LevelFile;
};

class THighscore {};

}  // namespace standin

namespace standin {

// The characters the name entry accepts.
inline bool IsAllowedNameChar(unsigned char c) {
    if (c == ' ' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    for (const char* p = "!?./:;*%$()&'+-*#@=\""; *p; ++p)
        if (c == static_cast<unsigned char>(*p)) return true;
    return false;
}

}  // namespace standin
