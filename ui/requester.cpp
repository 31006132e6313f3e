#include "ui/requester.hpp"

#include <algorithm>
#include <cstdio>

#include "data/language.hpp"
#include "fx/pointer.hpp"
#include "fx/sfx.hpp"
#include "platform/input.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/frame.hpp"

int32_t ButtonSlot = 0;
std::array<uint8_t, kButtonLatches> ButtonLatch{};

namespace {

void SetHoverPointer() {
    if (MousePointer) MousePointer->SetHover(true);
}

void PlayClick() {
    if (SFX) SFX->Play(0);
}

// The caption of both immediate buttons: bright while idle, plain when hovered, and nudged
// down-right while pressed.
void DrawCaption(const std::string& caption, int32_t x, int32_t y, int state) {
    if (state == 0) {
        if (FontMainHover) FontMainHover->Draw(caption, float(x - 5), float(y - 5), true);
    } else if (state == 1) {
        if (FontMain) FontMain->Draw(caption, float(x - 5), float(y - 5), true);
    } else {
        if (FontMain) FontMain->Draw(caption, float(x - 3), float(y - 3), true);
    }
}

// Steps shared by both immediate buttons once the state is known.
bool ButtonOutcome(int32_t slot, int state, bool disabled) {
    // Slots beyond the table cannot remember a press, so such a button never fires rather
    // than writing past the latches.
    if (slot < 0 || slot >= kButtonLatches) return false;
    uint8_t& latch = ButtonLatch[size_t(slot)];
    if ((state == 1 || state == 2) && MouseHits[0]) {
        latch = 1;
        PlayClick();
    }
    if (latch && state == 0) latch = 0;
    if (latch && !MouseDown(MOUSE_LEFT)) {
        latch = 0;
        return (state == 1 || state == 2) && !disabled;
    }
    return false;
}

}  // namespace

void TRequester::SetScaleFactor(float x, float y) {
    xfac = x;
    yfac = y;
}

void TRequester::KeepImage(const ImageRef& single, const StreamRef& again, const std::string& path, bool animated) {
    if (!animated) {
        RequesterImage = single;
        return;
    }
    if (!single) StopWithError(path);
    int cell = ImageWidth(single) / 3;
    RequesterImage = again ? LoadAnimImage(again, cell, ImageHeight(single), 0, 3)
                           : LoadAnimImage(path, cell, ImageHeight(single), 0, 3);
}

void TRequester::SetImage(const std::string& source, bool animated) {
    AutoMidHandle(false);
    KeepImage(LoadImage(source), nullptr, source, animated);
}

void TRequester::SetImage(const StreamRef& source, bool animated) {
    AutoMidHandle(false);
    ImageRef single = LoadImage(source);
    if (animated && single && source) source->Seek(0);
    KeepImage(single, source, "", animated);
}

void TRequester::SetButtonValue(const std::string& name, int32_t value) {
    for (TReqButton& b : ButtonList)
        if (b.name == name) {
            b.value = value;
            return;
        }
}

int32_t TRequester::GetButtonValue(const std::string& name) {
    for (const TReqButton& b : ButtonList)
        if (b.name == name) return b.value;
    return 0;
}

void TRequester::AddButton(const std::string& name, int32_t x, int32_t y, int32_t w, int32_t h, bool draw, bool slider,
                           int32_t value, const ImageRef& sliderbutton) {
    TReqButton b;
    b.name = name;
    b.x = x;
    b.y = y;
    b.w = w;
    b.h = h;
    b.draw = draw;
    b.slider = slider;
    b.value = value;
    b.sliderbutton = sliderbutton;
    ButtonList.push_back(b);
}

void TRequester::Render2(float, float) {}
void TRequester::ButtonDown(const std::string&) {}

void TRequester::Render(float x, float y) {
    const float oldAlpha = GetAlpha();
    SetAlpha(Alpha);
    SetScale(xfac, yfac);
    DrawImage(RequesterImage, x, y, 0);
    SetScale(1, 1);

    int vx, vy, vw, vh;
    GetViewport(vx, vy, vw, vh);
    const float mx = float(MouseX()), my = float(MouseY());
    if (Alpha >= 1.0f) {
        for (TReqButton& b : ButtonList) {
            // The extra 23 pixels let a slider's knob be caught at the right end of its track.
            const float e = b.slider ? 23.0f : 0.0f;
            const bool hovered = x + float(b.x) < mx && mx < x + float(b.x) + float(b.w) + e && y + float(b.y) < my &&
                                 my < y + float(b.y) + float(b.h);
            if (hovered) {
                SetHoverPointer();
                if (!b.slider) {
                    int frame = 1;
                    if (MouseHits[0]) {
                        frame = 2;
                        ButtonPressed(b.name);
                    }
                    if (MouseDown(MOUSE_LEFT)) {
                        frame = 2;
                        ButtonDown(b.name);
                    }
                    if (b.draw && RequesterImage && frame < int(RequesterImage->frames.size())) {
                        // Only the button's rectangle of the hovered or pressed picture shows.
                        SetViewport(int(x + float(b.x)), int(y + float(b.y)), b.w, b.h);
                        DrawImage(RequesterImage, x, y, frame);
                        // Back to the dialog's clip at once, or the tracks and knobs of later
                        // sliders would vanish while this button is hovered.
                        SetViewport(vx, vy, vw, vh);
                    }
                } else if (MouseHits[0] && !b.StartDrag) {
                    b.StartDrag = true;
                }
            }
            if (b.slider) DrawImage(b.sliderbutton, x + float(b.x), y + float(b.y), 0);
            if (b.StartDrag) {
                // The owner reads the value in this call as it was last frame.
                ButtonPressed(b.name);
                float v = b.w > 0 ? (mx - x - float(b.x)) / float(b.w) * 100.0f : 0.0f;
                v = std::clamp(v, -1.0f, 101.0f);  // truncating far-off values stays defined
                b.value = int32_t(v);
                if (!MouseDown(MOUSE_LEFT)) b.StartDrag = false;
                b.value = std::clamp(b.value, 0, 100);
            }
            if (b.slider) {
                SetAlpha(Alpha);
                DrawImage(ReglerImage, x + float(b.x) + float(b.value * b.w / 100), y + float(b.y), 0);
            }
        }
    }
    SetViewport(vx, vy, vw, vh);
    Render2(x, y);
    SetAlpha(oldAlpha);
}

bool DrawButton(const std::string& caption, int32_t x, int32_t y, bool disabled) {
    const int32_t slot = ++ButtonSlot;
    const int32_t hw = ImageWidth(DefaultButtonImage) / 2, hh = ImageHeight(DefaultButtonImage) / 2;
    const int32_t mx = MouseX(), my = MouseY();
    int state = 0;
    if (!disabled && x - hw < mx && mx < x + hw && y - hh < my && my < y + hh) {
        state = 1;
        SetHoverPointer();
        if (MouseDown(MOUSE_LEFT)) state = 2;
    }
    const float oldAlpha = GetAlpha();
    if (disabled) SetAlpha(oldAlpha * 0.5f);
    DrawImage(DefaultButtonImage, float(x), float(y), state);
    SetScale(1, 1);
    DrawCaption(caption, x, y, state);
    if (disabled) SetAlpha(oldAlpha);
    return ButtonOutcome(slot, state, disabled);
}

bool DrawTextButton(const std::string& caption, int32_t x, int32_t y) {
    const int32_t slot = ++ButtonSlot;
    const int32_t hw = FontMain ? FontMain->GetWidth(caption) / 2 : 0;
    const int32_t hh = FontMain ? FontMain->FrameHeight / 2 : 0;
    const int32_t mx = MouseX(), my = MouseY();
    int state = 0;
    if (x - hw < mx && mx < x + hw && y - hh < my && my < y + hh) {
        state = 1;
        SetHoverPointer();
        if (MouseDown(MOUSE_LEFT)) state = 2;
    }
    DrawCaption(caption, x, y, state);
    return ButtonOutcome(slot, state, false);
}

TReqYesNo::TReqYesNo() { SetImage("incbin::../gfx/yesno_requester.png", false); }

void TReqYesNo::Render2(float x, float y) {
    SetColor(255, 255, 255);
    if (FontHeadline) FontHeadline->Draw(Line1, x + 230, y + 65, true);
    if (FontMain) FontMain->Draw(Line2, x + 230, y + 115, true);
    if (DrawButton(Tx("Yeah"), int32_t(x + 110), int32_t(y + 210), false)) ButtonPressStr = "YES";
    if (DrawButton(Tx("No"), int32_t(x + 350), int32_t(y + 210), false)) ButtonPressStr = "NO";
}

void TReqYesNo::ButtonPressed(const std::string& name) {
    if (name == "YES") ButtonPressStr = "YES";
    if (name == "NO") ButtonPressStr = "NO";
}

void TextAnim::Set(const std::string& caption, float x, float y) {
    Caption = caption;
    X = x;
    Y = y;
}

void TextAnim::Render() {
    float sx, sy;
    GetScale(sx, sy);
    if (Zoom <= 1.0f && ShowDelay > 0) {
        Zoom += Speed;
    } else if (ShowDelay > 0) {
        --ShowDelay;
    } else if (Zoom >= 0.0f) {
        Zoom -= Speed;
    } else {
        Destroy = true;
        std::printf("Destroyed: %s\n", Caption.c_str());
    }
    SetScale(Zoom, Zoom);
    if (FontHeadline) FontHeadline->Draw(Caption, X, Y, true);
    SetScale(sx, sy);
}

ImageRef DefaultButtonImage;
ImageRef ReglerImage;

void LoadButtonImages() {
    AutoMidHandle(true);
    DefaultButtonImage = LoadAnimImage("incbin::../gfx/default_button.png", 122, 60, 0, 3);
    AutoMidHandle(false);
    ReglerImage = LoadImage("incbin::../gfx/regler.png");
}
