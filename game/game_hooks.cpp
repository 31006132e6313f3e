// Where the tutorial and the ambient animations join the game.
#include "fx/ambient.hpp"
#include "game/game.hpp"
#include "ui/tutorial.hpp"

// Tutorial screens before the first level of a set (when the player keeps them on).
void TGame::ShowTutorialHook() {
    Tutorial tutorial;
    tutorial.Display();
}

// Ambient animation of the player's background, drawn over the background picture.
void TGame::RenderAmbientHook() { RenderAmbientEffect(User->Selected_Background); }
