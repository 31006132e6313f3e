// Level completion with the parchment scroll, the side panel, the hint lamp and the messages
// shown before a level.
#include <algorithm>
#include <cstdio>

#include "data/language.hpp"
#include "data/ranks.hpp"
#include "fx/emitters.hpp"
#include "fx/pointer.hpp"
#include "fx/sfx.hpp"
#include "game/board.hpp"
#include "game/game.hpp"
#include "platform/input.hpp"
#include "platform/timing.hpp"
#include "puzzle/levelset.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/frame.hpp"
#include "ui/requester.hpp"

namespace {
void PlaySfx(int no) {
    if (SFX) SFX->Play(no);
}

// Value texts of the scroll end at this x.
void DrawValue(const std::string& value, float y) {
    FontMain->Draw(value, 465.0f - float(FontMain->GetWidth(value)), y);
}
}  // namespace

void TGame::LevelComplete() {
    GameState = LEVEL_COMPLETE;
    FinishCountdown = 200;
    CreateText(Tx("Puzzle solved"));
    PlaySfx(22);
    const int32_t misc = Misc();
    if (!(misc & MISC_FREEZE))
        FilledArea = 0;
    else
        FilledArea = std::clamp(FilledArea, 0, 100);
    LevelScoreInput in;
    in.score = User->Score;
    in.secondsLeft = CurrTime;
    in.lampUnused = HintAllowed;
    in.misc = misc;
    in.filledPercent = FilledArea;
    in.pays = LevelPays();
    LvlCompleteScore = LevelCompleteScore(in);
    std::printf("Level %d complete with %d seconds left: score %d -> %d (frame %lld)\n", CurrentLevel + 1, CurrTime,
                User->Score, LvlCompleteScore, (long long)FlipCount());
}

bool TGame::RenderLevelComplete() {
    const float keepAlpha = GetAlpha();
    SetAlpha(lcs_alpha);
    if (lcs_action == 0) {
        if (lcs_alpha <= 1) lcs_alpha += 0.05f;
        if (lcs_offset < 20) {
            lcs_acc -= 0.05f;
            if (lcs_acc <= 0) lcs_acc = 0.05f;
        }
        lcs_frame += lcs_acc / 2;
        if (lcs_frame >= 32) lcs_frame -= 32;
        lcs_offset -= 2 * lcs_acc;
        if (lcs_offset <= 0) {
            lcs_action = 1;
            lcs_acc = 0;
            lcs_step = 0;
        }
    }
    if (lcs_action == 2) {
        if (lcs_offset >= 115) GameState = LEVEL_COMPLETE_FADEOUT;
        if (lcs_offset < 20) lcs_acc = std::min(lcs_acc + 0.05f, 1.0f);
        lcs_frame -= lcs_acc / 2;
        if (lcs_frame <= 0) lcs_frame += 32;
        lcs_offset += 2 * lcs_acc;
        if (lcs_offset >= 160) {
            SetAlpha(keepAlpha);
            return true;
        }
    }

    SetViewport(150, int(28 + lcs_offset), 340, int(420 - 2 * lcs_offset));
    if (lcs_Pergament) DrawImage(lcs_Pergament, 150, 28 + lcs_offset);

    if (lcs_action == 1 || lcs_action == 2) {
        const float off = lcs_offset;
        const int32_t misc = Misc();
        const bool pays = LevelPays();
        ++lcs_step;
        SetRotation(0);
        // A line comes in with a sound in the frame the timeline reaches it and shows after.
        auto comesIn = [&](int32_t at) {
            if (lcs_step == at) PlaySfx(16);
            return lcs_step > at;
        };
        int32_t T = 60;
        float Y = 145;
        if (comesIn(60)) FontHeadline->Draw(Tx("Puzzle solved!"), 315, 100 + off, true);
        T = 120;
        if (misc & MISC_TORCH) {
            if (comesIn(T)) {
                FontMain->Draw(Tx("Enlightenment bonus:"), 170, 145 + off);
                DrawValue(lcs_step >= T + 60 ? "1 x 2500" : "0 x 2500", 145 + off);
            }
            if (lcs_step == T + 60) {
                PlaySfx(1);
                User->Score += 2500;
            }
            Y = 175;
            T += 120;
        }
        if (misc & MISC_FREEZE) {
            if (lcs_step >= T + 60 && FilledArea > 0) {
                User->Score += 15;
                FilledArea -= 1;
                PlaySfx(1);
                lcs_step -= 1;  // the timeline waits for the count
            }
            if (comesIn(T)) {
                FontMain->Draw(Tx("Filled area:"), 170, Y + off);
                DrawValue(std::to_string(FilledArea) + "% x 15", Y + off);
            }
            Y += 30;
            T += 120;
        }
        if (misc & (MISC_ENLIGHTENMENT | MISC_MEDITATION)) {
            if (comesIn(T + 1)) {
                FontMain->Draw(misc & MISC_ENLIGHTENMENT ? Tx("Enlightenment bonus:") : Tx("Meditation bonus:"), 170,
                               Y + off);
                DrawValue(lcs_step >= T + 60 ? "1 x 1000" : "0 x 1000", Y + off);
            }
            if (lcs_step == T + 60) {
                PlaySfx(1);
                User->Score += 1000;
            }
            Y += 30;
            T += 120;
        }
        if (misc & MISC_FLOATING) {
            if (comesIn(T + 1)) {
                FontMain->Draw(Tx("Floaating bonus:"), 170, Y + off);
                DrawValue(lcs_step >= T + 60 ? "1 x 1500" : "0 x 1500", Y + off);
            }
            if (lcs_step == T + 60) {
                PlaySfx(1);
                User->Score += 1500;
            }
            Y += 30;
            T += 120;
        }
        // Time bonus: the seconds left count down into the score.
        const bool timeShown = comesIn(T);
        if (pays) T += 60;
        if (lcs_step > T && lcs_step < T + 60) {
            if (CurrTime > 0) {
                lcs_step -= 1;
                CurrTime -= 1;
                User->Score += 125;
                PlaySfx(1);
            } else {
                T += 60;
                lcs_step = T;
            }
        }
        if (timeShown) {
            FontMain->Draw("Time bonus: ", 170, Y + off);
            DrawValue(CurrTime > 0 && pays ? std::to_string(CurrTime) + " x 125" : "0 x 125", Y + off);
        }
        Y += 30;
        T += 60;
        // The lamp of the side panel flies onto the scroll.
        if (lcs_step > T) {
            if (LampX < 207) LampX += 4;
            if (LampY < 190) LampY += 4;
        }
        T += 60;
        if (lcs_step > T + 60 && HintAllowed) {
            if (ParticleBurst) ParticleBurst->Init(100, 113 + LampX, 113 + LampY, 0);
            PlaySfx(6);
            if (pays) {
                User->Score += 1000;
                PlaySfx(1);
            }
            HintAllowed = false;
        }
        if (comesIn(T + 1)) {
            FontMain->Draw(Tx("Lamp bonus:"), 170, Y + off);
            DrawValue(HintAllowed && pays ? "1 x 1'000" : "0 x 1'000", Y + off);
        }
        T += 120;
        if (comesIn(T + 1)) FontMain->Draw("Your new score: " + std::to_string(User->Score), 315, 345 + off, true);
        T += 60;
        if (comesIn(T + 1)) FontMain->Draw(Tx("Press a mousebutton to continue!"), 315, 375 + off, true);
        if (MouseHits[0] || MouseHits[1]) lcs_action = 2;
    }

    SetColor(255, 255, 255);
    SetAlpha(lcs_alpha);
    SetViewport(0, 0, 640, 480);
    const int frame = int(lcs_frame);
    if (lcs_MidWheel) DrawImage(lcs_MidWheel, 155, 28 + lcs_offset);
    if (lcs_LeftWheel) DrawImage(lcs_LeftWheel, 45, 15 + lcs_offset, frame);
    if (lcs_RightWheel) DrawImage(lcs_RightWheel, 483, 15 + lcs_offset, frame);
    SetRotation(180);
    if (lcs_MidWheel) DrawImage(lcs_MidWheel, 482, 448 - lcs_offset);
    if (lcs_LeftWheel) DrawImage(lcs_LeftWheel, 592, 462 - lcs_offset, frame);
    if (lcs_RightWheel) DrawImage(lcs_RightWheel, 154, 462 - lcs_offset, frame);
    SetAlpha(keepAlpha);
    SetRotation(0);
    return false;
}

void TGame::RenderRankMessage() {
    SetColor(255, 255, 255);
    if (MessageBox) DrawImage(MessageBox, 130, 120);
    const std::string name = RankName(UpdateRank(*User));
    FontHeadline->Draw(Tx("Congratulations!"), 360, 185, true);
    FontMain->Draw(Language->GetString("You reached a new rank!\nYour new rank is: $rank", {"rank", name}), 360, 235,
                   true);
    if (DrawButton(Tx("Okay"), 363, 330, false)) ShowNewRank = false;
}

bool TGame::RenderLevelMessage(const std::string& title, const std::string& text) {
    SetColor(255, 255, 255);
    SetScale(1.0f, 1.3f);
    if (MessageBox) DrawImage(MessageBox, 130, 85);
    SetScale(1, 1);
    FontHeadline->Draw(title, 360, 167, true);
    FontMain->Draw(text, 360, 212, true);
    return DrawButton(Tx("Okay"), 363, 365, false);
}

void TGame::RenderLevelMessages() {
    if (ShowNewRank) {
        RenderRankMessage();
        return;
    }
    if (BonusMessageHook()) return;
    if (ShowBonusGame != 0) return;
    if (ShowFreezeMessage) {
        if (RenderLevelMessage(Tx("Freeze"), Tx("Caution! In this stage\nyou are not able to pick up tiles again,\nyou "
                                                "already placed on the playfield\n")))
            ShowFreezeMessage = false;
    } else if (ShowMeditation == 1) {
        if (RenderLevelMessage(Tx("Enlightenment"), Tx("Sometimes you are\nunable to see the wood for\nthe tress. "
                                                       "Remember the playfield to\ncomplete this stage.")))
            ShowMeditation = 0;
    } else if (ShowMeditation == 2) {
        if (RenderLevelMessage(Tx("Meditation"), Tx("Are you able to solve the\nnext puzzle, even if you dont "
                                                    "see\nwhere you dropped down\nthe puzzle tiles?")))
            ShowMeditation = 0;
    } else if (ShowFlying) {
        if (RenderLevelMessage(Tx("Floating"), Tx("Let your mind flow,\nto solve the next puzzle.")))
            ShowFlying = false;
    } else if (ShowTorch) {
        if (RenderLevelMessage(Tx("Light in the darkness"), Tx("Use your torch,\nto complete the next puzzle.")))
            ShowTorch = false;
    }
}

void TGame::DrawScoreboard(int32_t currTime, int32_t gameTime, bool timeOff, float& rotation) {
    // A level without a time limit shows a full sand clock.
    int frame = gameTime > 0 ? int(71.0f - 71.0f * float(currTime) / float(gameTime)) : 0;
    if (frame < 0) frame = 0;
    SetColor(255, 255, 255);
    if (frame <= 71 && GameGfx[1]) DrawImage(GameGfx[1], 9, 84, frame);
    if (GameGfx[0]) DrawImage(GameGfx[0], 0, 48);
    if (!timeOff) {
        rotation -= 0.11f;
        if (rotation <= -360) rotation += 360;
        SetRotation(rotation);
    }
    if (GameGfx[2]) DrawImage(GameGfx[2], 45, 120);
    SetRotation(0);
    if (GameGfx[3]) DrawImage(GameGfx[3], 0, 175);
}

void TGame::RenderSidePanel() {
    DrawScoreboard(CurrTime, GameTime, TimeOff, YinYangRotation);
    SetColor(255, 255, 255);
    if (BoardImage) DrawImage(BoardImage, 0, 0);
    FontHeadline->Draw(std::to_string(CurrentLevel + 1), 42, 233, true);
    FontHeadline->Draw(User->Name, 24, -2);
    const std::string score = SixDigitScore(User->Score);
    FontHeadline->Draw(score, float(617 - FontHeadline->GetWidth(score)), -2);
}

void TGame::RenderLamp() {
    if (CurrTime == 30 && !TimeOff && !playLampInitAnim) {
        if (ParticleBurst) ParticleBurst->Init(50, 113, 113, 0);
        PlaySfx(4);
        playLampInitAnim = true;
    }
    const bool lit = TimeOff || CurrTime <= 30;
    if (lit) {
        SetScale(TippScale, TippScale);
        const int w = LampImage ? ImageWidth(LampImage) : 57, h = LampImage ? ImageHeight(LampImage) : 86;
        const int mx = MouseX(), my = MouseY();
        const bool hover = GameState == PLAY_GAME && mx > 85 && mx < 85 + w && my > 61 && my < 61 + h;
        if (hover) {
            if (TippScale <= 0.9f) PlaySfx(5);
            if (TippScale < 1.0f) TippScale += 0.025f;
            if (MouseHits[0]) {
                HintAllowed = false;
                PlaySfx(6);
                if (ParticleBurst) ParticleBurst->Init(100, 113, 113, 0);
                int32_t delay = 0;
                for (const ShapeRef& s : ElementList) {
                    s->LightOn = true;
                    s->LightOnDelay = delay;
                    delay += 10;
                }
            }
        } else if (TippScale > 0.9f) {
            TippScale -= 0.025f;
        }
    } else {
        SetColor(64, 64, 64);
    }
    const float c = LampAnim;
    int frame = 0;
    if (c < 64)
        frame = int(c);
    else if (c < 128)
        frame = 63;
    else if (c < 192)
        frame = int(192 - c);
    else
        LampAnim = 0;
    if (LampImage) DrawImage(LampImage, 113 + LampX, 104 + LampY, frame);
    SetColor(255, 255, 255);
    SetScale(1, 1);
}
