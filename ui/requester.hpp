// Dialogs and buttons. A requester is a picture with rectangular hot areas that its owner
// draws once per frame; hit-testing, clicks and drags all happen inside that one call against
// the mouse state of the frame. DrawButton and DrawTextButton are buttons drawn in one call.
#pragma once

#include <array>
#include <cstdint>
#include <list>
#include <string>

#include "platform/graphics.hpp"
#include "platform/stream.hpp"

class TReqButton {
public:
    std::string name;
    int32_t x = 0, y = 0;  // relative to the requester's drawing position
    int32_t w = 0, h = 0;
    bool draw = false;  // show the hovered / pressed frame of the picture inside the area
    bool slider = false;
    bool StartDrag = false;
    int32_t value = 0;      // slider position 0 to 100
    ImageRef sliderbutton;  // slider track
};

class TRequester {
public:
    TRequester() = default;
    virtual ~TRequester() = default;

    ImageRef RequesterImage;  // one frame, or three: normal, hovered, pressed
    std::list<TReqButton> ButtonList;
    float Alpha = 1.0f;  // buttons react only at full opacity
    float xfac = 1.0f, yfac = 1.0f;

    virtual void SetScaleFactor(float x, float y);
    // With `animated` the picture is cut into three frames of a third of its width each; a
    // picture the dialog cannot do without stops the program naming the path.
    virtual void SetImage(const std::string& source, bool animated);
    virtual void SetImage(const StreamRef& source, bool animated);
    virtual void SetButtonValue(const std::string& name, int32_t value);
    virtual int32_t GetButtonValue(const std::string& name);
    virtual void AddButton(const std::string& name, int32_t x, int32_t y, int32_t w, int32_t h, bool draw, bool slider,
                           int32_t value, const ImageRef& sliderbutton);
    virtual void Render(float x, float y);
    virtual void Render2(float x, float y);
    // A push button's click frame, and every frame of a slider drag.
    virtual void ButtonPressed(const std::string& name) = 0;
    // Every frame the left button is held over a push button (auto-repeat).
    virtual void ButtonDown(const std::string& name);

private:
    void KeepImage(const ImageRef& single, const StreamRef& again, const std::string& path, bool animated);
};

// Buttons drawn in one call are told apart by the order of the calls within a frame: the
// counter is reset by UpdateInput and each button takes the next slot. A latch remembers that
// the press began on that button.
inline constexpr int kButtonLatches = 100;
extern int32_t ButtonSlot;
extern std::array<uint8_t, kButtonLatches> ButtonLatch;

// The default button picture (three states) and the slider knob.
extern ImageRef DefaultButtonImage;
extern ImageRef ReglerImage;
// Loads both; start-up does it before the window opens.
void LoadButtonImages();

// Default button picture centred at (x, y) with a caption; true on the frame the left button
// is released over it after being pressed on it.
bool DrawButton(const std::string& caption, int32_t x, int32_t y, bool disabled = false);
// The same with the caption alone.
bool DrawTextButton(const std::string& caption, int32_t x, int32_t y);

// The two-choice question box. The owner fills the lines, clears ButtonPressStr and renders
// it until ButtonPressStr reads "YES" or "NO".
class TReqYesNo : public TRequester {
public:
    TReqYesNo();
    std::string Line1, Line2, ButtonPressStr;
    void Render2(float x, float y) override;
    void ButtonPressed(const std::string& name) override;
};

// A caption that zooms in, holds and zooms out, then asks its owner to drop it.
class TextAnim {
public:
    static constexpr float Speed = 0.05f;
    std::string Caption;
    float X = 320, Y = 120;
    int32_t ShowDelay = 50;
    float Zoom = 0;
    bool Destroy = false;

    void Set(const std::string& caption, float x, float y);
    void Render();
};
