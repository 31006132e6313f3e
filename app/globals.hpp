// Where the shared objects are created. Each is declared beside its own type (the language
// table and profiles in data/, sound and pointer in fx/, fonts and buttons in ui/, tile
// pictures and level arrays in puzzle/, the puzzle screen's pictures in game/); start-up
// creates them here, in the order it needs them, and they live until the program ends.
#pragma once

// Creates the language table and the user folder (start-up step 1).
void CreateSharedObjects();
// Releases everything the shared objects hold, in reverse order.
void ReleaseSharedObjects();
