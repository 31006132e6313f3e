// Polled input. The event pump runs inside Flip; between two flips the state is stable.
#pragma once

#include <string>

// Virtual key codes.
enum KeyCode {
    KEY_BACKSPACE = 8,
    KEY_TAB = 9,
    KEY_ENTER = 13,
    KEY_ESCAPE = 27,
    KEY_SPACE = 32,
    KEY_PAGEUP = 33,
    KEY_PAGEDOWN = 34,
    KEY_END = 35,
    KEY_HOME = 36,
    KEY_LEFT = 37,
    KEY_UP = 38,
    KEY_RIGHT = 39,
    KEY_DOWN = 40,
    KEY_INSERT = 45,
    KEY_DELETE = 46,
    KEY_0 = 48,
    KEY_A = 65,
    KEY_S = 83,
    KEY_NUM0 = 96,
    KEY_NUMMULTIPLY = 106,
    KEY_NUMADD = 107,
    KEY_NUMSUBTRACT = 109,
    KEY_NUMDECIMAL = 110,
    KEY_NUMDIVIDE = 111,
    KEY_F1 = 112,
    KEY_F11 = 122,
    KEY_F12 = 123,
    KEY_LSHIFT = 160,
    KEY_RSHIFT = 161,
    KEY_LCONTROL = 162,
    KEY_RCONTROL = 163,
    KEY_LALT = 164,
    KEY_RALT = 165,
};
inline constexpr int kKeyCount = 256;

enum MouseButton { MOUSE_LEFT = 1, MOUSE_RIGHT = 2, MOUSE_MIDDLE = 3 };

int MouseX();
int MouseY();
// Wheel position: +1 per notch up.
int MouseWheel();
// Presses since the previous query of that button.
int MouseHit(int button);
bool MouseDown(int button);
int KeyHit(int key);
bool KeyDown(int key);
// Next typed character (Latin-1), 0 when none.
int GetChar();
void FlushKeys();
void FlushMouse();
void MoveMouse(int x, int y);
void ShowMouse();
void HideMouse();
// True once the window's close box was used.
bool AppTerminate();

// ---- Feeding the state (the event pump and scripted runs) ----
void InputMouseMove(int x, int y);
void InputMouseButton(int button, bool down);
void InputWheel(int notches);
void InputKey(int key, bool down);
void InputTypeText(const std::string& latin1);
void InputClose();
// Forget everything (tests).
void InputReset();
