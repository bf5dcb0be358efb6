#pragma once

class Gui;
struct Game;

// The debug overlay's 23 rows (F12 while playing): deletes the Gui's rows,
// restarts the row numbers and watches the values of this game's world, player
// and Death. createGame calls it for every new game.
void buildDebugOverlay(Gui& gui, Game& game);
