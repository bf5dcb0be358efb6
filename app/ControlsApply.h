#pragma once

#include "gui/ControlsMenu.h"

#include <filesystem>
#include <iosfwd>

struct Game;

// The Controls screen as the game carries it out: its rows are the game's
// control table, binding swaps, and leaving writes the changed actions'
// "Key_<Action>" lines as the smallest edit of config.txt.

// Reads the bindings config.txt holds (see ControlTable::load); a missing file holds none.
void loadControls(Game& game, const std::filesystem::path& path = "config.txt");

// Writes the game's unsaved bindings; false, with the reason on err, when the
// file could not be written (they stay unsaved then).
bool saveControls(Game& game, std::ostream& err, const std::filesystem::path& path = "config.txt");

// Points the mouse-button hint at where use and activate are bound now.
void showControlsOnHud(Game& game);

// The Controls screen's hooks, bound to the game.
ControlsHooks gameControlsHooks(Game& game);
