#include "game/game.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "data/language.hpp"
#include "data/ranks.hpp"
#include "fx/emitters.hpp"
#include "fx/pointer.hpp"
#include "fx/sfx.hpp"
#include "game/board.hpp"
#include "game/progressmap.hpp"
#include "platform/input.hpp"
#include "platform/timing.hpp"
#include "puzzle/levelset.hpp"
#include "puzzle/unlocks.hpp"
#include "ui/frame.hpp"
#include "ui/options.hpp"
#include "ui/requester.hpp"
#include "ui/wisdomscreen.hpp"

namespace {
constexpr float kFadeStep = 0.05f;

// Tray slot height of each element.
constexpr float kTraySlotY[5] = {120, 205, 270, 410, 330};

void PlaySfx(int no) {
    if (SFX) SFX->Play(no);
}
void StopSfx(int no) {
    if (SFX) SFX->Stop(no);
}
}  // namespace

void SplitARGB(uint32_t value, uint32_t& a, uint32_t& r, uint32_t& g, uint32_t& b) {
    a = value >> 24;
    r = (value >> 16) & 255;
    g = (value >> 8) & 255;
    b = value & 255;
}

int32_t CountBlackPixels(const TPixmap& pix) {
    int32_t count = 0;
    for (int x = 0; x < pix.width; ++x)
        for (int y = 0; y < pix.height; ++y) {
            uint32_t a, r, g, b;
            SplitARGB(pix.ReadPixel(x, y), a, r, g, b);
            if (r == 0 && g == 0 && b == 0) ++count;
        }
    return count;
}

std::string SixDigitScore(int32_t score) {
    std::string digits = std::to_string(score);
    std::string out;
    for (int i = 6; i >= 1; --i) out.push_back(int(digits.size()) < i ? '0' : digits[digits.size() - size_t(i)]);
    return out;
}

int32_t ClockSecondsLeft(int32_t gameTime, int32_t startTime, int32_t now) {
    return gameTime - (now - startTime) / 1000;
}

int32_t TwisterInterval(int32_t gameTime) { return std::max(gameTime / 5, 12); }

float StepMeditationFade(float& fade) {
    float b = 0;
    fade += 0.01f;
    if (fade > 5) {
        b = std::min(fade - 5, 1.0f);
        fade += 0.04f;
    }
    if (fade > 10) {
        b = 1 - (fade - 10);
        if (b < 0) {
            fade = 0;
            b = 0;
        }
    }
    return b;
}

int32_t LevelCompleteScore(const LevelScoreInput& in) {
    int32_t t = in.secondsLeft > 0 ? in.secondsLeft * 125 : 0;
    t += in.score;
    if (in.lampUnused) t += 1000;
    if (in.misc & MISC_FREEZE) t += std::clamp(in.filledPercent, 0, 100) * 15;
    if (in.misc & MISC_FLOATING) t += 1500;
    if (in.misc & MISC_ENLIGHTENMENT) t += 1000;
    if (in.misc & MISC_MEDITATION) t += 1000;
    if (in.misc & MISC_TORCH) t += 2500;
    return in.pays ? t : in.score;
}

// ---------------------------------------------------------------------------------------------

TGame::TGame() {
    FinishCountdown = 250;
    ReplayLevel = new TReqYesNo();
    ReadLevelSet(CurrLevelSetFile);
    Shape::ClearAllElements();
    ReqOptions = new TOptions();
    TippScale = 0.9f;
    const bool mid = AutoMidHandleEnabled();
    AutoMidHandle(true);
    Light = LoadImage("incbin::../gfx/light.png");
    Twister = LoadAnimImage("incbin::../gfx/Twister.png", 100, 100, 0, 64);
    AutoMidHandle(false);
    lcs_LeftWheel = LoadAnimImage("incbin::../gfx/rolle/left.png", 110, 80, 0, 32);
    lcs_RightWheel = LoadAnimImage("incbin::../gfx/rolle/right.png", 97, 80, 0, 32);
    lcs_MidWheel = LoadImage("incbin::../gfx/rolle/mid.png");
    lcs_Pergament = LoadImage("incbin::../gfx/rolle/pergament.png");
    MessageBox = LoadImage("incbin::../gfx/yesno_requester.png");
    AutoMidHandle(mid);
    lcs_alpha = 0;
    lcs_offset = 160;
    lcs_acc = 1.0f;
    MeditationFade = 0;
    ParticleBurst = std::make_unique<PEmitter>();
    TileGame.FinishCountdown = &FinishCountdown;
    TileGame.ParticleBurst = ParticleBurst.get();
    User = Users.GetCurrentUser();
}

TGame::~TGame() {
    TileGame = TileGameLink{};
    delete ReqOptions;
    delete ReplayLevel;
}

int32_t FinishCountdown = 250;
std::unique_ptr<PEmitter> ParticleBurst;

int32_t TGame::Misc() const {
    return CurrentLevel >= 0 && CurrentLevel < LEVEL_COUNT ? LevelProps[size_t(CurrentLevel)].MiscProperties : 0;
}

TMaxLevel* TGame::ProgressRecord() const {
    // Records are only ever appended; the last one of the set is its progress.
    for (auto it = User->MaxLevel.rbegin(); it != User->MaxLevel.rend(); ++it)
        if (it->Name == CurrLevelSetFile) return &*it;
    return nullptr;
}

bool TGame::LevelPays() const {
    const TMaxLevel* rec = ProgressRecord();
    return rec && rec->Level == CurrentLevel;
}

void TGame::CreateText(const std::string& text) {
    // Captions are the game's verdicts; the log lets a scripted run check what the player saw.
    std::printf("Caption \"%s\" (frame %lld)\n", text.c_str(), (long long)FlipCount());
    auto t = std::make_shared<TextAnim>();
    t->Set(text, 290, 240);
    TextList.push_back(t);
}

void TGame::StopAmbientLoops() {
    StopSfx(15);
    StopSfx(17);
}

void TGame::StartAmbientLoop() {
    if (User->Selected_Background == 0) PlaySfx(17);
    if (User->Selected_Background == 2) PlaySfx(15);
}

void TGame::ApplyRankChanges() {
    ChangeSong(*User);
    NextPuzzleSet(*User);
    NextBackground(*User);
}

// ---------------------------------------------------------------------------------------------
// Level set-up

void TGame::ShowWisdom() {
    Wisdomscreen wisdom;
    PlaySfx(4);
    float w = 1.0f;
    for (;;) {
        Cls();
        UpdateInput();
        SetAlpha(1);
        wisdom.Render();
        SetAlpha(1);
        if (MousePointer) MousePointer->Draw();
        SetColor(0, 0, 0);
        if (w > -1 && (MouseHits[0] || MouseHits[1])) w = -1;
        if (w >= 0) w -= kFadeStep;
        if (w > -1) {
            SetAlpha(w);
        } else {
            w -= kFadeStep;
            SetAlpha(-1 - w);
        }
        if (w < -2) break;
        DrawRect(0, 0, 640, 480);
        SetColor(255, 255, 255);
        SetAlpha(1);
        FlipFrame(-1);
    }
    SetColor(255, 255, 255);
    SetAlpha(1);
}

int32_t TGame::InitLevel(bool fromMenu) {
    while (CurrentLevel < LEVEL_COUNT && LevelShapes[size_t(CurrentLevel)].empty()) ++CurrentLevel;

    StopAmbientLoops();
    FilledArea = -1;
    PrepareCheck = playLampInitAnim = ShowNewRank = ShowTorch = ShowFreezeMessage = ShowFlying = false;
    ShowMeditation = ShowBonusGame = 0;
    LampX = LampY = 0;
    LvlCompleteScore = 0;
    lcs_frame = 0;
    lcs_action = 0;
    lcs_step = 0;
    lcs_alpha = 0;
    lcs_offset = 160;
    lcs_acc = 1.0f;
    HintAllowed = true;

    if (!ProgressRecord()) User->MaxLevel.push_back({CurrLevelSetFile, 0});
    TMaxLevel* rec = ProgressRecord();
    if (rec->Level < CurrentLevel) rec->Level = CurrentLevel;
    // Resume where the player left the set; a retry stays on its level even when that is the
    // first one, picked again from the map.
    if (CurrentLevel == 0 && fromMenu && !Retrying) CurrentLevel = rec->Level;
    Users.Save();
    if (CurrentLevel > 48) CurrentLevel = 49;

    if (User->ProgressMap) {
        ShowProgressMap(CurrentLevel, User->ProgressMap, QuitGame);
        if (QuitGame) return 0;
    }
    if (CurrentLevel == 0 && User->Tutorial && fromMenu) ShowTutorialHook();
    if (User->Wisdoms) ShowWisdom();

    Shape::ClearAllElements();
    SilhouetteMarks.clear();
    const TLevelProperties& props = LevelProps[size_t(CurrentLevel)];
    const ShapeList& shapes = LevelShapes[size_t(CurrentLevel)];
    for (const ShapeRef& s : shapes) {
        Shape::CreateNewShape(s->Element, s->X, s->Y, s->Rotation, 0, 0, 0, false, false, 0);
        SetRotation(s->Rotation);
        const int x = int(s->X), y = int(s->Y);
        const float c = CosDeg(s->Rotation), sn = SinDeg(s->Rotation);
        switch (s->Element) {
            case 0:
                AddLargeTriangleMarks(x, y, 0, SilhouetteMarks);
                break;
            case 1:
                AddMediumTriangleMarks(x, y, 0, SilhouetteMarks);
                break;
            case 2:
                AddSmallTriangleMarks(x, y, 0, SilhouetteMarks);
                break;
            case 3:
                AddSmallTriangleMarks(int(s->X + c * 21), int(s->Y + sn * 21), 90, SilhouetteMarks);
                AddSmallTriangleMarks(int(s->X - c * 21), int(s->Y - sn * 21), -90, SilhouetteMarks);
                break;
            case 4: {
                const int px = int(s->X + c * 20), py = int(s->Y + sn * 20);
                const int mx = int(s->X - c * 20), my = int(s->Y - sn * 20);
                if (props.PuzzleSet != 0) {
                    AddSmallTriangleMarks(px, py, 0, SilhouetteMarks);
                    AddSmallTriangleMarks(mx, my, 180, SilhouetteMarks);
                } else {
                    AddSmallTriangleMarks(mx, my, 0, SilhouetteMarks);
                    AddSmallTriangleMarks(px, py, 180, SilhouetteMarks);
                }
                break;
            }
            default:
                break;
        }
    }
    SetRotation(0);

    int perElement[5] = {0, 0, 0, 0, 0};
    for (const ShapeRef& s : shapes) {
        if (s->Element < 0 || s->Element > 4) continue;
        float x = 550.0f + 5.0f * float(perElement[s->Element]++);
        Shape::CreateNewShape(s->Element, x, kTraySlotY[s->Element], 0, s->R, s->G, s->B, true, false, 0);
    }

    GameTime = props.GameTime;
    TimeOff = GameTime <= 0;
    CurrTime = GameTime;
    ShowHurry = false;
    ReplayLevel->ButtonPressStr = "";

    const int32_t r0 = User->CurrentRank;
    const int32_t r1 = UpdateRank(*User);
    if (r0 < r1) {
        ShowNewRank = true;
        Users.Save();
        ApplyRankChanges();
    } else if (r1 >= TOP_RANK && CurrentLevel % 5 == 0) {
        ApplyRankChanges();  // the top rank gets a new song, tile set and background every fifth level
    }

    OldScore = User->Score;

    const int32_t misc = props.MiscProperties;
    if (misc & MISC_ENLIGHTENMENT) ShowMeditation = 1;
    if (misc & MISC_MEDITATION) ShowMeditation = 2;
    if (misc & MISC_FREEZE) ShowFreezeMessage = true;
    if (misc & MISC_FLOATING) ShowFlying = true;
    if (misc & MISC_TORCH) ShowTorch = true;
    if (misc & MISC_PLAY_FOR_TILES) SetUpBonusLevelHook();

    StartAmbientLoop();

    Twister_InitTime = TwisterInterval(GameTime);
    Twister_Time = GameTime - Twister_InitTime;
    Show_Twister = false;
    std::printf("Level %d of %s set up\n", CurrentLevel + 1, CurrLevelSetFile.c_str());
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Frame loop

bool TGame::MessagePending() const {
    return ShowNewRank || ShowFreezeMessage || ShowMeditation > 0 || ShowFlying || ShowTorch;
}

void TGame::OpenOptions() {
    OldGameState = GameState;
    GameState = OPTION_MENU;
    OptionsTime = Millisecs();
    ReqOptions->CurrReq = R_MAIN;
    ReqOptions->Alpha = 0;
}

int32_t TGame::Play() {
    TextList.clear();
    SetClsColor(0, 0, 0);
    User = Users.GetCurrentUser();
    Fade = 0;
    LampAnim = 0;
    while (!QuitGame)
        if (!Frame()) return 0;
    StopAmbientLoops();
    return 0;
}

void TGame::StepState(bool& leave) {
    const int32_t now = Millisecs();
    switch (GameState) {
        case FADE_IN:
            if (Fade > 1) {
                SetAlpha(Fade);
                if (ShowBonusGame == 2) {
                    CreateText(Tx("Get ready!"));
                    GameState = GET_READY;
                } else if (!MessagePending() && ShowBonusGame == 0) {
                    CreateText(Tx("Get ready!"));
                    GameState = GET_READY;
                }
            } else {
                Fade += kFadeStep;
                SetAlpha(Fade);
                StartTime = now;
            }
            break;
        case FADE_IN_NEXT_LEVEL:
            if (Fade > 1) {
                if (ShowBonusGame == 2 || (!MessagePending() && ShowBonusGame != 1)) {
                    CreateText(Tx("Get ready!"));
                    GameState = GET_READY;
                }
            } else {
                Fade += kFadeStep;
                StartTime = now;
            }
            SetAlpha(1);
            break;
        case FADE_OUT:
            if (Fade >= 0) {
                Fade -= kFadeStep;
                SetAlpha(Fade);
            } else {
                leave = true;
            }
            break;
        case LEVEL_COMPLETE_FADEOUT:
            if (Fade >= 0) {
                Fade -= kFadeStep;
            } else {
                User->Score = LvlCompleteScore;
                GameState = LEVEL_COMPLETE_CONTINUE;
            }
            SetAlpha(User->ProgressMap ? Fade : 1);
            break;
        case LEVEL_COMPLETE_CONTINUE: {
            if (EditorIsOn) {
                leave = true;
                break;
            }
            ++CurrentLevel;
            while (CurrentLevel < LEVEL_COUNT && LevelShapes[size_t(CurrentLevel)].empty()) ++CurrentLevel;
            if (CurrentLevel > 49) {
                TMaxLevel* rec = ProgressRecord();
                if (rec && rec->Level < CurrentLevel) rec->Level = CurrentLevel;
                // The last level's points and the finished set would otherwise only reach the
                // file with some later save.
                Users.Save();
                ShowEndScreen();
                LevelSetCompleted = true;
                QuitGame = true;
                StopAmbientLoops();
                leave = true;
                break;
            }
            const bool map = User->ProgressMap;
            InitLevel(true);
            if (QuitGame) {
                leave = true;
                break;
            }
            if (map) {
                GameState = FADE_IN;
                Fade = 0;
            } else {
                GameState = FADE_IN_NEXT_LEVEL;
            }
            break;
        }
        default:
            break;
    }
}

bool TGame::Frame() {
    Cls();
    bool leave = false;
    StepState(leave);
    if (leave) return false;

    UpdateInput();

    if (GameState == PLAY_GAME && !TimeOff) {
        CurrTime = ClockSecondsLeft(GameTime, StartTime, Millisecs());
        if (CurrTime < 13 && !ShowHurry) {
            CreateText(Tx("Hurry up!"));
            ShowHurry = true;
        }
        if (CurrTime < 1) {
            CurrTime = 0;
            CreateText(Tx("Out of time"));
            GameState = TIME_OUT;
        }
    }

    if ((GameState == FADE_IN || GameState == GET_READY) && !MessagePending() && ShowBonusGame == 0) {
        MouseHits[0] = 0;
        MouseHits[1] = 0;
    }

    if (BackgroundImage) DrawImage(BackgroundImage, 0, 0);
    if (User->BackgroundAnimation) RenderAmbientHook();

    if (ShowBonusGame == 0) RenderPlayfield();

    UpdateKeys();

    if (ShowBonusGame > 0) BonusFrameHook();

    RenderCaptions();

    if (GameState == TRY_AGAIN) {
        if (ReplayLevel->Alpha <= 1) ReplayLevel->Alpha += kFadeStep;
        ReplayLevel->Render(130, 120);
        if (ReplayLevel->ButtonPressStr == "YES") {
            const bool map = User->ProgressMap, wisdoms = User->Wisdoms;
            User->ProgressMap = false;
            User->Wisdoms = false;
            Retrying = true;
            InitLevel(true);
            Retrying = false;
            User->ProgressMap = map;
            User->Wisdoms = wisdoms;
            if (QuitGame) return false;
            GameState = FADE_IN_NEXT_LEVEL;
        } else if (ReplayLevel->ButtonPressStr == "NO") {
            GameState = GAME_OVER;
        }
    }
    // The question (or the options dialog) fades out before "Game Over" shows.
    if (GameState == GAME_OVER_CANCEL) {
        if (ReplayLevel->Alpha >= 0) {
            ReplayLevel->Alpha -= kFadeStep;
        } else {
            CreateText(Tx("Game Over"));
            GameState = GAME_OVER_2;
        }
        ReqOptions->Render(100, 50);
    }
    if (GameState == GAME_OVER) {
        if (ReplayLevel->Alpha >= 0) {
            ReplayLevel->Alpha -= kFadeStep;
        } else {
            CreateText(Tx("Game Over"));
            GameState = GAME_OVER_2;
        }
        ReplayLevel->Render(130, 120);
    }

    RenderSidePanel();

    if (GameState == LEVEL_COMPLETE || GameState == LEVEL_COMPLETE_FADEOUT) {
        if (--FinishCountdown > 0) {
            const float sink = 8 * SinDeg(float(200 - FinishCountdown));
            for (const ShapeRef& s : ElementList) s->Y += sink;
        } else {
            RenderLevelComplete();
        }
    }

    // Escape is read every frame so that a press during the count-in is not kept for later.
    const bool escape = KeyHit(KEY_ESCAPE) > 0;
    if (escape && GameState == PLAY_GAME) OpenOptions();

    const int mx = MouseX(), my = MouseY();
    const bool optionsHover = mx > 0 && mx < 85 && my > 290 && my < 477 && GameState == PLAY_GAME;
    if (optionsHover) {
        if (MousePointer) MousePointer->SetHover(true);
        if (MouseHits[0]) OpenOptions();
    }
    SetColor(255, 255, 255);
    if (GameGfx[4]) DrawImage(GameGfx[4], 0, 290, optionsHover ? 1 : 0);

    if ((Misc() & MISC_FREEZE) && ShowBonusGame == 0 && GameState == PLAY_GAME) {
        if (DrawButton(Tx("New Try"), 150, 430, false) && GameState == PLAY_GAME) {
            ReleaseFrozenTiles();
            PlaySfx(3);
        }
    }

    if (GameState == OPTION_MENU) {
        ReqOptions->Render(100, 50);
        if (ReqOptions->CurrReq == R_BACKTOMAIN) {
            Users.Save();
            GameState = GAME_OVER_CANCEL;
        } else if (ReqOptions->CurrReq == R_CLOSE) {
            Users.Save();
            ReqOptions->CurrReq = 0;
            GameState = OldGameState;
            StartTime += Millisecs() - OptionsTime;  // the clock stands while the menu is open
            StopAmbientLoops();
            StartAmbientLoop();
        }
    }

    if (HintAllowed && ShowBonusGame == 0) RenderLamp();

    if (ShowBonusGame == 0 || ShowBonusGame == 1 || ShowBonusGame == 3) RenderLevelMessages();

    if (ParticleBurst) ParticleBurst->Render();

    if ((Misc() & MISC_TWISTER) && GameState == PLAY_GAME && ShowBonusGame == 0) RenderTwister();

    if (MousePointer) MousePointer->Draw();

    SetAlpha(1 - Fade);
    SetColor(0, 0, 0);
    DrawRect(0, 0, 640, 480);
    SetColor(255, 255, 255);
    SetAlpha(1);

    if (GameState != LoggedState) {
        std::printf("Game state %d (frame %lld)\n", GameState, (long long)FlipCount());
        LoggedState = GameState;
    }
    FlipFrame(-1);
    LampAnim += 0.2f;
    return true;
}

void TGame::RenderPlayfield() {
    const int32_t misc = Misc();
    float blackout = 0;
    if (misc & MISC_ENLIGHTENMENT) {
        const float alpha = GetAlpha();
        int r, g, b;
        GetColor(r, g, b);
        blackout = StepMeditationFade(MeditationFade);
        if (blackout > 0) {
            SetColor(0, 0, 0);
            SetAlpha(blackout);
            DrawRect(0, 0, 640, 480);
        }
        SetColor(r, g, b);
        SetAlpha(alpha);
    }
    const bool fading =
        GameState == LEVEL_COMPLETE_FADEOUT || GameState == LEVEL_COMPLETE_CONTINUE || GameState == FADE_IN_NEXT_LEVEL;
    if (fading) SetAlpha(Fade);

    const bool freezeActive = (misc & MISC_FREEZE) && GameState == PLAY_GAME;
    bool allPlaced = true;
    for (const ShapeRef& s : ElementList)
        if (s->Pickable) allPlaced = false;

    Shape::UpdateAllElements(GameState, LevelProps[size_t(CurrentLevel)].PuzzleSet, false, freezeActive,
                             (misc & MISC_MEDITATION) != 0, (misc & MISC_FLOATING) != 0);
    SetRotation(0);
    SetColor(255, 255, 255);

    const bool mayComplete = !(misc & MISC_FREEZE);
    if (FilledArea == -1 && GameState == PLAY_GAME && Fade >= 1.0f) FilledArea = CheckArea(true);
    if (TileDropped && GameState == PLAY_GAME) {
        if (blackout != 0) {
            PrepareCheck = true;
        } else {
            FilledArea2 = CheckArea(mayComplete);
            std::printf("%d/%d\n", FilledArea2, FilledArea);
        }
    }
    // The owed check waits for play as well: a drop made just before the time ran out must not
    // complete the level under the retry question.
    if (blackout == 0 && PrepareCheck && GameState == PLAY_GAME) {
        PrepareCheck = false;
        FilledArea2 = CheckArea(mayComplete);
    }

    if (misc & MISC_TORCH) RenderTorch();

    // Freeze verdict, on the measure of the last drop; it waits for an owed measure.
    if (freezeActive && allPlaced && !PrepareCheck && GameState == PLAY_GAME) {
        std::printf("F2: %d\n", FilledArea2);
        if (FilledArea2 < kFreezeSolvedBelow) {
            FilledArea = FilledArea > 0 ? int32_t(float(FilledArea - FilledArea2) / float(FilledArea) * 100.0f) : 100;
            LevelComplete();
        } else {
            ReleaseFrozenTiles();
            CreateText("You failed! Please try again!");
            PlaySfx(3);
        }
    }

    if (fading && !User->ProgressMap) SetAlpha(1);
}

void TGame::ReleaseFrozenTiles() {
    for (const ShapeRef& s : ElementList) {
        if (s->Pickable || !s->DontFadeAway) continue;
        s->Pickable = true;
        s->DontFadeAway = false;
        s->FlyIn = true;
        s->CalcMove(true);
    }
}

void TGame::RenderTorch() {
    const float mx = float(MouseX()), my = float(MouseY());
    SetColor(0, 0, 0);
    SetAlpha(0.95f);
    auto rect = [](float x, float y, float w, float h) {
        if (w > 0 && h > 0) DrawRect(x, y, w, h);
    };
    rect(0, 0, mx - 113, 480);
    rect(mx + 113, 0, 640 - mx - 113, 480);
    rect(mx - 113, 0, 226, my - 113);
    rect(mx - 113, my + 113, 226, 480 - my + 133);
    SetColor(255, 255, 255);
    SetScale(1, 1);
    if (Light) DrawImage(Light, mx, my);
    SetAlpha(1);
}

void TGame::RenderTwister() {
    if (!Show_Twister && CurrTime < Twister_Time) {
        ShapeRef target;
        for (const ShapeRef& s : ElementList)
            if (s->Pickable && s->X < 550 && !s->PickedUp) {
                target = s;
                break;
            }
        if (target) {
            Show_Twister = true;
            PlaySfx(23);
            Twister_DestShape = target;
            Twister_StartX = target->X - 288;
            Twister_StartY = 40;
            Twister_DestY = target->Y;
            Twister_Alpha = 0.25f;
            Twister_Frame = 0;
        }
        Twister_Time = CurrTime - Twister_InitTime;
    }
    if (!Show_Twister) return;
    const float frame = Twister_Frame;
    SetAlpha(Twister_Alpha);
    const float y = Twister_StartY + SinDeg(frame * 2.8125f) * (Twister_DestY - Twister_StartY);
    const float x = Twister_StartX + frame * 9;
    if (Twister) DrawImage(Twister, x, y, int(frame));
    SetAlpha(1);
    Twister_Frame += 1;
    if (frame >= 32 && Twister_DestShape) {
        Twister_DestShape->X = x;
        Twister_DestShape->Y = y;
        Twister_DestShape->Rotation += 5;
    }
    if (Twister_Alpha < 1 && frame < 30) Twister_Alpha += 0.1f;
    if (frame >= 53) Twister_Alpha -= 0.1f;
    if (Twister_Frame >= 64) {
        Show_Twister = false;
        if (Twister_DestShape) {
            Twister_DestShape->FlyIn = true;
            Twister_DestShape->CalcMove(true);
        }
        Twister_DestShape.reset();
    }
}

void TGame::RenderCaptions() {
    if (TextList.empty()) return;
    std::shared_ptr<TextAnim> t = TextList.front();
    t->Render();
    if (!t->Destroy) return;
    const std::string& c = t->Caption;
    if (c == Tx("Puzzletiles found")) {
        ShowBonusGame = 0;
    } else if (c == Tx("Get ready!")) {
        StartTime = Millisecs();
        GameState = PLAY_GAME;
    } else if (c == Tx("Out of time") || c == Tx("No more space left")) {
        GameState = TRY_AGAIN;
        User->Score = OldScore;
        ReplayLevel->Alpha = 0;
        ReplayLevel->Line1 = c == Tx("Out of time") ? Tx("Time out") : Tx("No more space left.");
        ReplayLevel->Line2 = Tx("Do you want to\ntry it once more?");
    } else if (c == Tx("Game Over")) {
        GameState = FADE_OUT;
        User->Score = OldScore;
    }
    TextList.pop_front();
}

void TGame::UpdateKeys() {
    if (KeyHit(KEY_LEFT)) MoveMouse(MouseX() - 1, MouseY());
    if (KeyHit(KEY_RIGHT)) MoveMouse(MouseX() + 1, MouseY());
    if (KeyHit(KEY_UP)) MoveMouse(MouseX(), MouseY() - 1);
    if (KeyHit(KEY_DOWN)) MoveMouse(MouseX(), MouseY() + 1);
}

// ---------------------------------------------------------------------------------------------
// Solution check

int32_t TGame::CheckArea(bool mayComplete) {
    PixmapCheck = GrabPixmap(kCheckX, kCheckY, kCheckW, kCheckH);
    PixelCount = PixmapCheck ? CountBlackPixels(*PixmapCheck) : 0;
    // One completion per solve, however many progress records the set has.
    if (PixelCount < kSolvedBelow && mayComplete && ProgressRecord()) {
        Show_Twister = false;
        LevelComplete();
    }
    return PixelCount;
}
