// One butterfly: flies between the side edges of the screen (or roams all over it), lands now
// and then, and darts off when the pointer comes close. Used over the puzzle backgrounds and
// in the menu scene.
#pragma once

#include <array>
#include <cstdint>

#include "platform/graphics.hpp"

class TButterfly {
public:
    // Loads the three colour strips and places the butterfly just below the bottom edge at a
    // random side. A missing blue strip ends the program: there is nothing to draw without it.
    TButterfly();
    virtual ~TButterfly() = default;

    std::array<ImageRef, 3> Img;  // blue, red, green strips, handle at the centre
    float x = 0, y = 0;
    float ang = 0;   // heading in degrees, 0 = up
    float dang = 0;  // turn per step during the first steps of a flight
    float dx = 0, dy = 0;
    float speed = 0;
    float Stp = 0;
    float angstp = 0;         // steps flown in the current flight
    int32_t btf = 0;          // 0 blue, 1 red, 2 green
    float frame = 0;          // wing beat position 0 to 63
    float steps = 0;          // steps left in the flight; below 0 while resting
    float acc = 0;            // speed factor 0 to 1
    bool stop = false;        // this flight ends in a landing
    int32_t verscheucht = 0;  // frames before it can be scared again
    float scale = 0;
    bool random = false;  // roams the whole screen instead of flying between the side edges

    // Advances one frame (with the pointer where it is now) and draws the butterfly and its
    // shadow. Leaves rotation 0, scale 1, white and alpha 1.
    void Draw();

    // The movement part of Draw, for a pointer at (px, py); sets the scale as Draw does.
    void Advance(int px, int py);
    // The strip frame the wing beat shows now: forwards through the strip, then back.
    int StripFrame() const;

private:
    void StartOver();
    void SetUpFlight(float targetX, float targetY);
    static float SideTarget(float fromX);
};
