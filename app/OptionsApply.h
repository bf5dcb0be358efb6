#pragma once

#include "app/ConfigEdit.h"
#include "gui/OptionRows.h"
#include "gui/OptionsMenu.h"

#include <filesystem>
#include <iosfwd>
#include <vector>

struct Game;

// The Options screen's rows as the game carries them out.

// The hardware's multisample limit and the view distance of the world in play.
OptionContext optionContext(const Game& game);

// Makes a row's new value (already in gSettings) take effect where the engine
// can: sound at once; Vsync, full screen, anti-aliasing and shadow quality
// after the current event poll, with the framebuffers and projections rebuilt
// for the window's size. View distance waits for the next world; mouse
// sensitivity is read with every motion.
void applyOption(Game& game, OptionRow row);

// The config.txt keys and values the row stands for.
std::vector<ConfigChange> optionConfigChanges(OptionRow row, const Settings& settings);

// Writes the rows' keys to the settings file as the smallest edit. False, with
// the reason on err, when the file could not be written.
bool saveOptions(const std::vector<OptionRow>& rows, std::ostream& err,
    const std::filesystem::path& path = "config.txt");

// The Options screen's hooks, bound to the game.
OptionsHooks gameOptionsHooks(Game& game);
