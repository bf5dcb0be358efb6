#pragma once

// Bits of the Gui's screenFlags. Exactly SCREEN_WORLD (1) means playing: the
// only value in which the simulation runs.
enum ScreenFlag : int {
    SCREEN_WORLD = 1, // the world and the heads-up objects are drawn
    SCREEN_MENU = 4, // the main / pause menu is drawn and takes keys
    SCREEN_GAME_OVER = 8, // the game-over menu is drawn and takes keys
};
