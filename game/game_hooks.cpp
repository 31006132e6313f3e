// Points where later work joins the game. Each does nothing yet; the game runs on without it.
#include "game/game.hpp"

// Tutorial screens before the first level of a set (when the player keeps them on).
void TGame::ShowTutorialHook() {}

// Ambient animation of the player's background, drawn over the background picture.
void TGame::RenderAmbientHook() {}
