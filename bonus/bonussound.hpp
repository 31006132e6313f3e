// Sound effects of the bonus board, by their number in the game's effect table.
#pragma once

// The effect numbers the board uses.
enum BonusSound {
    BONUS_SOUND_ROTATE = 8,
    BONUS_SOUND_SHOT = 18,
    BONUS_SOUND_BOMB = 19,
    BONUS_SOUND_COMBO = 20,
    BONUS_SOUND_EXPLODE = 24,
};

// Plays one effect through the shared effect table (silent before start-up has made it).
void PlayBonusSound(int effect);

// Every effect is also handed to the listener, if one is set (tests count them).
using BonusSoundListener = void (*)(int effect);
void SetBonusSoundListener(BonusSoundListener listener);
