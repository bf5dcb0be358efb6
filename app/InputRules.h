#pragma once

// The rules that route window input, apart from the window and the objects
// they reach, so each rule can be checked on its own. Key codes and actions
// are the window library's (press 1, release 0, repeat 2).

// Screen flags held by the Gui: which layers are shown.
constexpr int SCREEN_WORLD = 1;
constexpr int SCREEN_MENU = 4;
constexpr int SCREEN_GAME_OVER = 8;

// The game state the input rules read.
struct InputState {
    bool playing = false;
    bool loading = false;
    bool gameStarted = false;
    bool mouseCaptured = false;
    float deathTimer = -1.0f; // -1: no death sequence runs
};

inline bool deathSequenceRuns(const InputState& state) { return state.deathTimer != -1.0f; }
// Mouse buttons and cursor motion reach the player only while playing and alive.
inline bool pointerReachesPlayer(const InputState& state)
{
    return state.playing && !deathSequenceRuns(state);
}

enum class CursorChange {
    None,
    Show,    // the normal, visible cursor
    Capture, // hidden and locked to the window
};

enum class KeyStep {
    Ignore,
    Press,
    Release,
};

struct KeyDecision {
    KeyStep step = KeyStep::Ignore;
    CursorChange cursor = CursorChange::None;
};

// Repeats and everything during the death sequence are ignored. Left Alt shows
// the cursor while held and captures it again on release (when the game
// captures it), then goes on like any other key.
KeyDecision decideKey(int key, int action, const InputState& state);

// Regaining focus captures the cursor again when the game captures it.
CursorChange decideFocus(bool focused, const InputState& state);

// The player's turn for a cursor move from (lastX, lastY) to (x, y), in degrees.
struct TurnAngles {
    float yaw = 0.0f;
    float pitch = 0.0f;
};
TurnAngles cursorTurn(double lastX, double lastY, double x, double y, int sensitivityX, int sensitivityY);

// Menu navigation: what a key does to the menu that is shown.
enum class MenuKey {
    None,
    Activate, // Space, Enter
    Next,     // S, Down
    Previous, // W, Up
    Escape,
};
MenuKey menuKeyFor(int key);

// The entry selected after moving down or up in a menu of `count` entries;
// the ends wrap around, and a menu of fewer than two entries keeps its entry.
int nextEntry(int selected, int count);
int previousEntry(int selected, int count);

// What the Gui's key handler does with one pressed key.
struct GuiKeyDecision {
    bool closeWindow = false;
    bool toggleDebug = false;
    int activeMenu = 0; // SCREEN_MENU, SCREEN_GAME_OVER or 0 when no menu is shown
    MenuKey menuKey = MenuKey::None; // for the active menu; Escape is resolved below
    bool resume = false; // clear SCREEN_MENU
    bool pause = false;  // set SCREEN_MENU and release every key
};
GuiKeyDecision decideGuiKey(int key, int screenFlags, bool loading);
