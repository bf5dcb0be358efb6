#pragma once

#include "app/InputEvent.h"
#include "gameplay/Player.h"

#include <array>
#include <iosfwd>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

// What a player can do, whichever key, mouse button or pad control does it.
// Gameplay and the app read these; only the input layer knows the keys.
enum class Action {
    Forward,
    Back,
    Left,
    Right,
    Jump,
    Run,
    Use,
    Activate,
    Flashlight,
    Slot1,
    Slot2,
    Slot3,
    Slot4,
    Slot5,
    Slot6,
    Slot7,
    Slot8,
    Slot9,
    Pause,
    DebugOverlay,
    Screenshot,
    Fullscreen,
};

inline constexpr int kActionCount = int(Action::Fullscreen) + 1;

// A key (a window-library key code) or a mouse button (0 is the left one).
struct Binding {
    enum class Device { Key, Mouse };
    Device device = Device::Key;
    int code = -1;

    static Binding key(int code) { return { Device::Key, code }; }
    static Binding mouse(int button) { return { Device::Mouse, button }; }
    bool operator==(const Binding&) const = default;
};

// The control the player holds down while the action's key is held, if it is one.
std::optional<InputBit> heldControlOf(Action action);
// The item slot (0 to 8) an action selects, -1 for the others.
int slotOf(Action action);

// The name in config.txt after "Key_" ("Forward", "Slot1", "DebugOverlay").
const char* actionKeyName(Action action);
// The Controls screen's label ("Forward", "Slot 1", "Debug Overlay").
const char* actionLabel(Action action);
// The binding each action has until the player changes it: the game's keys of old.
Binding defaultBinding(Action action);

// The binding of a saved value: a key code ("265") or "Mouse1", "Mouse2", ...
// (Mouse1 is the left button); nothing for anything else.
std::optional<Binding> parseBinding(const std::string& value);
// The saved value of a binding, which parseBinding reads back.
std::string formatBinding(const Binding& binding);

// The name a player reads: "Left Shift", "Space", "Mouse Left", "F11", a
// letter or digit in capitals. `layoutName`, when not empty, is what the
// keyboard layout calls a printable key and wins over the fixed list.
std::string bindingName(const Binding& binding, const char* layoutName = nullptr);
// The same, asking the window library for the layout's name of printable keys
// (only once it is initialised).
std::string bindingName(const Binding& binding, bool askLayout);

// One binding per action; no key or button is bound to two actions.
class ControlTable {
public:
    ControlTable();

    const Binding& binding(Action action) const { return bindings[size_t(action)]; }
    // The action a key or a mouse button is bound to.
    std::optional<Action> actionFor(const Binding& binding) const;
    std::optional<Action> actionForKey(int key) const { return actionFor(Binding::key(key)); }
    std::optional<Action> actionForMouse(int button) const { return actionFor(Binding::mouse(button)); }
    // True for a press (not a repeat) of the key or mouse button bound to the action.
    bool isAction(Action action, const InputEvent& event) const;

    // Binds the action; an action that had the binding takes the action's old
    // one, so every action stays bound. Returns the actions whose binding changed.
    std::vector<Action> bind(Action action, const Binding& binding);
    // Every action back on its default; returns those that changed.
    std::vector<Action> resetToDefaults();

    // Reads each "Key_<Action>" present in the text of config.txt (the value after
    // the first '=' of the first word that begins with the key) and binds it as the Controls screen
    // does (an action that had the key takes the old one). A value that is no
    // binding keeps the default with one line on err.
    void load(const std::string& configText, std::ostream& err);

private:
    std::array<Binding, kActionCount> bindings;
};

// The "Key_<Action>" lines for the actions, in action order, as ConfigEdit takes them.
std::vector<std::pair<std::string, std::string>> controlConfigChanges(
    const ControlTable& table, const std::set<Action>& actions);
