#pragma once

// What a key, button or pad control means to the menus. The input layer decides
// which physical keys stand for which (fixed keys, the player's bindings, the
// pad); the menus only ever see these.
enum class MenuKey {
    None, // no meaning to any menu
    Up,
    Down,
    Left,
    Right,
    Choose, // runs the selected entry
    Back, // leaves Options, Controls or the pause menu; in play, pauses; elsewhere closes the window
    DebugOverlay, // shows or hides the debug rows
};
