#pragma once

// The rules that route window input, apart from the window and the objects
// they reach, so each rule can be checked on its own. Key codes and actions
// are the window library's (press 1, release 0, repeat 2).

// The game state the input rules read.
struct InputState {
    bool playing = false;
    bool loading = false;
    bool gameStarted = false;
    bool mouseCaptured = false;
    float deathTimer = -1.0f; // -1: no death sequence runs
};

inline bool deathSequenceRuns(const InputState& state)
{
    return state.deathTimer != -1.0f;
}
// Mouse buttons and cursor motion reach the player only while playing and alive.
inline bool pointerReachesPlayer(const InputState& state)
{
    return state.playing && !deathSequenceRuns(state);
}

enum class CursorChange {
    None,
    Show, // the normal, visible cursor
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

// Losing focus pauses a game in play (as Escape would: not on the loading screen
// nor in Death's sequence) when the setting asks for it.
bool pausesOnFocusLoss(bool focused, bool settingOn, const InputState& state);

// The player's turn for a cursor move from (lastX, lastY) to (x, y), in degrees.
struct TurnAngles {
    float yaw = 0.0f;
    float pitch = 0.0f;
};
TurnAngles cursorTurn(double lastX, double lastY, double x, double y, int sensitivityX, int sensitivityY);
