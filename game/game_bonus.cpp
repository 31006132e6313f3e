// The bonus phase of "play for tiles" levels: the match-three board runs before the puzzle and
// hands the won tiles over one by one.
#include <algorithm>

#include "bonus/bonussetup.hpp"
#include "data/language.hpp"
#include "fx/sfx.hpp"
#include "game/game.hpp"
#include "platform/timing.hpp"
#include "puzzle/levelset.hpp"

// Level set-up of a bonus level: the board clock, the help on a player's first board, the board
// itself and the tiles held back until they are won.
void TGame::SetUpBonusLevelHook() {
    GameTime = 180;
    if (User && !User->BonusGameTutorialAlreadyShowed) {
        ShowBonusGameTutorial = true;
        User->BonusGameTutorialAlreadyShowed = true;
    }
    if (!BTutorial) BTutorial = std::make_unique<BonusTutorial>();
    ShowBonusGame = 1;
    TempGameElements.clear();
    for (auto it = ElementList.begin(); it != ElementList.end();) {
        if ((*it)->Pickable) {
            TempGameElements.push_back(*it);
            it = ElementList.erase(it);
        } else {
            ++it;
        }
    }
    BGame = std::make_unique<BonusGame>();
    SetUpBonusBoard(*BGame, LevelProps[size_t(CurrentLevel)], int(TempGameElements.size()));
}

// One frame of the board while ShowBonusGame > 0.
void TGame::BonusFrameHook() {
    if (!BGame) {
        ShowBonusGame = 0;
        return;
    }
    int32_t now = Millisecs();
    // Once every held-back tile is won the board has done its work: while it slides away and
    // until "Puzzletiles found" has gone, clicks meant for the puzzle must not fire into it,
    // and a tile left in its launch row must not take the win back.
    auto won = [this] { return TempGameElements.size() <= size_t(std::max(0, BGame->AddLevelObject)); };
    if (ShowBonusGameTutorial) {
        // Frozen behind the help: neither clock may run.
        CurrTime = GameTime;
        BGame->StartTime = now;
        BGame->PauseTime = now;
        BGame->Render(0);
    } else {
        BGame->Render(won() ? 0 : GameState);
    }
    if (BGame->GameOver) {
        BGame->GameOver = false;
        if (!won()) {
            CreateText(Tx("No more space left"));
            GameState = TIME_OUT;
        }
    }
    if (!BGame->CreateText.empty()) {
        CreateText(BGame->CreateText);
        BGame->CreateText.clear();
    }
    if (BGame->AddScore > 0 && User) {
        int32_t step = std::min<int32_t>(25, BGame->AddScore);
        BGame->AddScore -= step;
        User->Score += step;
    }
    if (BGame->AddLevelObject > 0) {
        --BGame->AddLevelObject;
        if (!TempGameElements.empty()) {
            ShapeRef tile = TempGameElements.front();
            TempGameElements.erase(TempGameElements.begin());
            ElementList.push_back(tile);
            tile->X = 320;
            tile->Y = 235;
            tile->zoomer = 0;
            tile->FlyIn = true;
            tile->CalcMove(true);
            if (SFX) SFX->Play(3);
        }
        // The last tile is home: the board can leave.
        if (TempGameElements.empty()) BGame->MoveOut = true;
    }
    for (const ShapeRef& s : ElementList)
        if (s->Pickable) s->Render(0, 0, false, false, false);
    if (BGame->Offset_Y > 500) {
        CreateText(Tx("Puzzletiles found"));
        BGame->MoveOut = false;
        BGame->Offset_Y = -1000;
        StartTime = now;
        GameTime = LevelProps[size_t(CurrentLevel)].GameTime;
        TimeOff = GameTime <= 0;
    }
}

// "Find the tiles" (ShowBonusGame 1) and the board's help (ShowBonusGame 3); true when a message
// was handled this frame.
bool TGame::BonusMessageHook() {
    if (ShowBonusGame == 1) {
        if (RenderLevelMessage(Tx("Find the tiles"),
                               Tx("Before you can go on,\ntry to find the\nrequired puzzle tiles.")))
            ShowBonusGame = 3;
        return true;
    }
    if (ShowBonusGame == 3) {
        if (ShowBonusGameTutorial && BTutorial) {
            BTutorial->Render(25, 85);
            if (BTutorial->ButtonPressStr == "Exit") ShowBonusGameTutorial = false;
        } else {
            ShowBonusGame = 2;
            if (BGame) {
                BGame->StartTime = Millisecs();
                BGame->PauseTime = 0;
            }
        }
        return true;
    }
    return false;
}
