#include "puzzle/unlocks.hpp"

#include <string>

#include "data/ranks.hpp"
#include "data/users.hpp"
#include "puzzle/tileset.hpp"

ImageRef BackgroundImage;

void LoadBackground(int index) {
    AutoMidHandle(false);
    BackgroundImage = LoadImage("incbin::../gfx/bg/bg" + std::to_string(index + 1) + ".jpg");
}

void NextBackground(TUser& player) {
    player.Selected_Background += 1;
    if (player.Selected_Background > 5 || player.Selected_Background > UpdateRank(player))
        player.Selected_Background = 0;
    LoadBackground(player.Selected_Background);
}

void NextPuzzleSet(TUser& player) {
    player.Selected_Puzzleset += 1;
    if (player.Selected_Puzzleset > 1 || player.Selected_Puzzleset > UpdateRank(player)) player.Selected_Puzzleset = 0;
    LoadPuzzleset(player.Selected_Puzzleset, false);
}
