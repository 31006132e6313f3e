#include "bonus/bonussound.hpp"

#include <map>
#include <string>

#include "platform/audio.hpp"

namespace {
BonusSoundListener g_listener = nullptr;

const char* EffectFile(int effect) {
    switch (effect) {
        case BONUS_SOUND_ROTATE: return "incbin::../sfx/puzzlerotate.ogg";
        case BONUS_SOUND_SHOT: return "incbin::../sfx/bg_shoot.ogg";
        case BONUS_SOUND_BOMB: return "incbin::../sfx/bomb.ogg";
        case BONUS_SOUND_COMBO: return "incbin::../sfx/combo.ogg";
        case BONUS_SOUND_EXPLODE: return "incbin::../sfx/xplode.ogg";
        default: return nullptr;
    }
}
}  // namespace

void SetBonusSoundListener(BonusSoundListener listener) { g_listener = listener; }

void PlayBonusSound(int effect) {
    if (g_listener) g_listener(effect);
    static std::map<int, SoundRef> loaded;
    auto it = loaded.find(effect);
    if (it == loaded.end()) {
        const char* file = EffectFile(effect);
        it = loaded.emplace(effect, file ? LoadSound(file) : nullptr).first;
    }
    if (it->second) PlaySound(it->second);
}
