#include "platform/input.hpp"

#include <array>
#include <deque>

namespace {
struct InputState {
    int mouseX = 0, mouseY = 0, wheel = 0;
    std::array<bool, 4> buttonDown{};
    std::array<int, 4> buttonHits{};
    std::array<bool, kKeyCount> keyDown{};
    std::array<int, kKeyCount> keyHits{};
    std::deque<int> chars;
    bool closed = false;
};
InputState g_in;

bool ValidButton(int b) { return b >= 1 && b <= 3; }
bool ValidKey(int k) { return k >= 0 && k < kKeyCount; }
}  // namespace

int MouseX() { return g_in.mouseX; }
int MouseY() { return g_in.mouseY; }
int MouseWheel() { return g_in.wheel; }

int MouseHit(int button) {
    if (!ValidButton(button)) return 0;
    int n = g_in.buttonHits[size_t(button)];
    g_in.buttonHits[size_t(button)] = 0;
    return n;
}

bool MouseDown(int button) { return ValidButton(button) && g_in.buttonDown[size_t(button)]; }

int KeyHit(int key) {
    if (!ValidKey(key)) return 0;
    int n = g_in.keyHits[size_t(key)];
    g_in.keyHits[size_t(key)] = 0;
    return n;
}

bool KeyDown(int key) { return ValidKey(key) && g_in.keyDown[size_t(key)]; }

int GetChar() {
    if (g_in.chars.empty()) return 0;
    int c = g_in.chars.front();
    g_in.chars.pop_front();
    return c;
}

void FlushKeys() {
    g_in.keyHits.fill(0);
    g_in.keyDown.fill(false);
    g_in.chars.clear();
}

void FlushMouse() {
    g_in.buttonHits.fill(0);
    g_in.buttonDown.fill(false);
}

bool AppTerminate() { return g_in.closed; }

void InputMouseMove(int x, int y) {
    g_in.mouseX = x;
    g_in.mouseY = y;
}

void InputMouseButton(int button, bool down) {
    if (!ValidButton(button)) return;
    if (down && !g_in.buttonDown[size_t(button)]) ++g_in.buttonHits[size_t(button)];
    g_in.buttonDown[size_t(button)] = down;
}

void InputWheel(int notches) { g_in.wheel += notches; }

void InputKey(int key, bool down) {
    if (!ValidKey(key)) return;
    if (down) ++g_in.keyHits[size_t(key)];  // auto-repeat counts as a hit, as a typist expects
    g_in.keyDown[size_t(key)] = down;
}

void InputTypeText(const std::string& latin1) {
    for (unsigned char c : latin1) g_in.chars.push_back(c);
}

void InputClose() { g_in.closed = true; }

void InputReset() { g_in = InputState{}; }
