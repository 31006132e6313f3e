#include "bonus/bonussound.hpp"

#include "fx/sfx.hpp"

namespace {
BonusSoundListener g_listener = nullptr;
}  // namespace

void SetBonusSoundListener(BonusSoundListener listener) { g_listener = listener; }

void PlayBonusSound(int effect) {
    if (g_listener) g_listener(effect);
    if (SFX) SFX->Play(effect);
}
