#pragma once

// PLACEHOLDER for the debug overlay's rows (a Gui operation of the debug
// overlay work): rebuilt by every createGame so the rows watch the current
// world, player and Death. Does nothing until the overlay lands.

class Gui;
struct Game;

void buildDebugOverlay(Gui& gui, Game& game);
