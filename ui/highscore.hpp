// The "Hall of fame" screen: the ten best of the built-in entries and this machine's players,
// shown after a game that did not finish its set and from the title menu.
#pragma once

class THighscore {
public:
    // Runs the whole screen: fades in with the rows appearing from the bottom up, and returns
    // once "Ok" has faded it to black.
    THighscore();
};

// What the main loop and the title screen call.
inline void ShowHighscore() { THighscore(); }
