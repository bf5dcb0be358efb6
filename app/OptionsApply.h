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
// can: sound, Vsync, full screen, field of view, anti-aliasing, shadow quality
// and render scale at once,
// with the framebuffers and projections fitted to the window's size for a
// while after (see fitWindowAfterChange). View distance waits for the next
// world; mouse sensitivity, brightness, captions and the focus rule are read
// where they are used. False when the change
// could not take effect (framebuffers the driver would not complete: the old
// ones stay, the reason is on the error stream); the caller puts the row back.
bool applyOption(Game& game, OptionRow row);

// F11: full screen on or off as the Options row switches it, saved as leaving
// Options saves it (with the Options screen up, when it is left).
void toggleFullscreen(Game& game);

// The config.txt keys and values the row stands for.
std::vector<ConfigChange> optionConfigChanges(OptionRow row, const Settings& settings);

// Once per pass, after the window's events: for a while after a full-screen,
// anti-aliasing or shadow-quality change, fits the projections and the
// framebuffers to the size the window has now.
void fitWindowAfterChange(Game& game);

// Writes the rows' keys to the settings file as the smallest edit. False, with
// the reason on err, when the file could not be written.
bool saveOptions(const std::vector<OptionRow>& rows, std::ostream& err,
    const std::filesystem::path& path = "config.txt");

// The Options screen's hooks, bound to the game.
OptionsHooks gameOptionsHooks(Game& game);
