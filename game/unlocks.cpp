#include "app/frame.hpp"
#include "data/users.hpp"
#include "game/ranks.hpp"
#include "puzzle/tileset.hpp"

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
