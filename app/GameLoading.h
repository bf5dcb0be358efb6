#pragma once

#include "app/LoadingScreen.h"

struct Game;

// Runs the loading screen over the game's Gui and world, then sizes the view
// to the window and opens the circular reveal onto the world.
LoadingResult runGameLoadingScreen(Game& game);
