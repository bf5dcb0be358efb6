#include "app/Controls.h"

#include "app/Config.h"

// Only the window library's key codes and names; nothing here draws.
#ifndef GLFW_INCLUDE_NONE
#define GLFW_INCLUDE_NONE
#endif
#include <GLFW/glfw3.h>
#include <algorithm>
#include <cctype>
#include <ostream>

namespace {

struct ActionRow {
    const char* keyName;
    const char* label;
    Binding binding;
};

// In Action order.
const ActionRow kActions[kActionCount] = {
    { "Forward", "Forward", Binding::key(GLFW_KEY_W) },
    { "Back", "Back", Binding::key(GLFW_KEY_S) },
    { "Left", "Left", Binding::key(GLFW_KEY_A) },
    { "Right", "Right", Binding::key(GLFW_KEY_D) },
    { "Jump", "Jump", Binding::key(GLFW_KEY_SPACE) },
    { "Run", "Run", Binding::key(GLFW_KEY_LEFT_SHIFT) },
    { "Use", "Use", Binding::mouse(GLFW_MOUSE_BUTTON_LEFT) },
    { "Activate", "Activate", Binding::mouse(GLFW_MOUSE_BUTTON_RIGHT) },
    { "Flashlight", "Flashlight", Binding::key(GLFW_KEY_F) },
    { "Slot1", "Slot 1", Binding::key(GLFW_KEY_1) },
    { "Slot2", "Slot 2", Binding::key(GLFW_KEY_2) },
    { "Slot3", "Slot 3", Binding::key(GLFW_KEY_3) },
    { "Slot4", "Slot 4", Binding::key(GLFW_KEY_4) },
    { "Slot5", "Slot 5", Binding::key(GLFW_KEY_5) },
    { "Slot6", "Slot 6", Binding::key(GLFW_KEY_6) },
    { "Slot7", "Slot 7", Binding::key(GLFW_KEY_7) },
    { "Slot8", "Slot 8", Binding::key(GLFW_KEY_8) },
    { "Slot9", "Slot 9", Binding::key(GLFW_KEY_9) },
    { "Pause", "Pause", Binding::key(GLFW_KEY_ESCAPE) },
    { "DebugOverlay", "Debug Overlay", Binding::key(GLFW_KEY_F12) },
    { "Screenshot", "Screenshot", Binding::key(GLFW_KEY_F2) },
    { "Fullscreen", "Fullscreen", Binding::key(GLFW_KEY_F11) },
};

struct KeyName {
    int key;
    const char* name;
};

// Keys without a printable character; letters, digits and punctuation are named by themselves.
const KeyName kKeyNames[] = {
    { GLFW_KEY_SPACE, "Space" },
    { GLFW_KEY_ESCAPE, "Escape" },
    { GLFW_KEY_ENTER, "Enter" },
    { GLFW_KEY_TAB, "Tab" },
    { GLFW_KEY_BACKSPACE, "Backspace" },
    { GLFW_KEY_INSERT, "Insert" },
    { GLFW_KEY_DELETE, "Delete" },
    { GLFW_KEY_RIGHT, "Right" },
    { GLFW_KEY_LEFT, "Left" },
    { GLFW_KEY_DOWN, "Down" },
    { GLFW_KEY_UP, "Up" },
    { GLFW_KEY_PAGE_UP, "Page Up" },
    { GLFW_KEY_PAGE_DOWN, "Page Down" },
    { GLFW_KEY_HOME, "Home" },
    { GLFW_KEY_END, "End" },
    { GLFW_KEY_CAPS_LOCK, "Caps Lock" },
    { GLFW_KEY_SCROLL_LOCK, "Scroll Lock" },
    { GLFW_KEY_NUM_LOCK, "Num Lock" },
    { GLFW_KEY_PRINT_SCREEN, "Print Screen" },
    { GLFW_KEY_PAUSE, "Pause" },
    { GLFW_KEY_KP_DECIMAL, "Keypad ." },
    { GLFW_KEY_KP_DIVIDE, "Keypad /" },
    { GLFW_KEY_KP_MULTIPLY, "Keypad *" },
    { GLFW_KEY_KP_SUBTRACT, "Keypad -" },
    { GLFW_KEY_KP_ADD, "Keypad +" },
    { GLFW_KEY_KP_ENTER, "Keypad Enter" },
    { GLFW_KEY_KP_EQUAL, "Keypad =" },
    { GLFW_KEY_LEFT_SHIFT, "Left Shift" },
    { GLFW_KEY_LEFT_CONTROL, "Left Control" },
    { GLFW_KEY_LEFT_ALT, "Left Alt" },
    { GLFW_KEY_LEFT_SUPER, "Left Super" },
    { GLFW_KEY_RIGHT_SHIFT, "Right Shift" },
    { GLFW_KEY_RIGHT_CONTROL, "Right Control" },
    { GLFW_KEY_RIGHT_ALT, "Right Alt" },
    { GLFW_KEY_RIGHT_SUPER, "Right Super" },
    { GLFW_KEY_MENU, "Menu" },
};

// The keys whose name depends on the keyboard layout.
bool printable(int key)
{
    return (key >= GLFW_KEY_APOSTROPHE && key <= GLFW_KEY_GRAVE_ACCENT) || key == GLFW_KEY_WORLD_1
        || key == GLFW_KEY_WORLD_2;
}

bool validKey(int key)
{
    return key == GLFW_KEY_SPACE || printable(key) || (key >= GLFW_KEY_ESCAPE && key <= GLFW_KEY_LAST);
}

std::optional<int> parseCode(const std::string& digits)
{
    if (digits.empty() || digits.size() > 4
        || !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
        return std::nullopt;
    return std::stoi(digits);
}

} // namespace

std::optional<InputBit> heldControlOf(Action action)
{
    switch (action) {
    case Action::Forward:
        return InputBit::MoveForward;
    case Action::Back:
        return InputBit::MoveBack;
    case Action::Left:
        return InputBit::MoveLeft;
    case Action::Right:
        return InputBit::MoveRight;
    case Action::Jump:
        return InputBit::Jump;
    case Action::Run:
        return InputBit::Run;
    case Action::Use:
        return InputBit::UseItem;
    case Action::Activate:
        return InputBit::PickUp;
    default:
        return std::nullopt;
    }
}

int slotOf(Action action)
{
    return action >= Action::Slot1 && action <= Action::Slot9 ? int(action) - int(Action::Slot1) : -1;
}

const char* actionKeyName(Action action)
{
    return kActions[int(action)].keyName;
}

const char* actionLabel(Action action)
{
    return kActions[int(action)].label;
}

Binding defaultBinding(Action action)
{
    return kActions[int(action)].binding;
}

std::optional<Binding> parseBinding(const std::string& value)
{
    if (value.rfind("Mouse", 0) == 0) {
        const std::optional<int> number = parseCode(value.substr(5));
        if (!number || *number < 1 || *number > GLFW_MOUSE_BUTTON_LAST + 1)
            return std::nullopt;
        return Binding::mouse(*number - 1);
    }
    const std::optional<int> key = parseCode(value);
    if (!key || !validKey(*key))
        return std::nullopt;
    return Binding::key(*key);
}

std::string formatBinding(const Binding& binding)
{
    if (binding.device == Binding::Device::Mouse)
        return "Mouse" + std::to_string(binding.code + 1);
    return std::to_string(binding.code);
}

std::string bindingName(const Binding& binding, const char* layoutName)
{
    if (binding.device == Binding::Device::Mouse) {
        static const char* const buttons[] = { "Mouse Left", "Mouse Right", "Mouse Middle" };
        if (binding.code >= 0 && binding.code < 3)
            return buttons[binding.code];
        return "Mouse " + std::to_string(binding.code + 1);
    }
    const int key = binding.code;
    if (layoutName && *layoutName && printable(key)) {
        std::string name = layoutName;
        // Letters as printed on the keycaps.
        if (name.size() == 1)
            name[0] = char(std::toupper(static_cast<unsigned char>(name[0])));
        return name;
    }
    for (const KeyName& entry : kKeyNames)
        if (entry.key == key)
            return entry.name;
    if (key >= GLFW_KEY_APOSTROPHE && key <= GLFW_KEY_GRAVE_ACCENT)
        return std::string(1, char(key)); // the key codes of these are their US characters
    if (key >= GLFW_KEY_F1 && key <= GLFW_KEY_F25)
        return "F" + std::to_string(key - GLFW_KEY_F1 + 1);
    if (key >= GLFW_KEY_KP_0 && key <= GLFW_KEY_KP_9)
        return "Keypad " + std::to_string(key - GLFW_KEY_KP_0);
    return "Key " + std::to_string(key);
}

std::string bindingName(const Binding& binding, bool askLayout)
{
    const char* layoutName = nullptr;
    if (askLayout && binding.device == Binding::Device::Key && printable(binding.code))
        layoutName = glfwGetKeyName(binding.code, 0);
    return bindingName(binding, layoutName);
}

ControlTable::ControlTable()
{
    resetToDefaults();
}

std::optional<Action> ControlTable::actionFor(const Binding& wanted) const
{
    for (int action = 0; action < kActionCount; ++action)
        if (bindings[size_t(action)] == wanted)
            return Action(action);
    return std::nullopt;
}

bool ControlTable::isAction(Action action, const InputEvent& event) const
{
    if (event.action != GLFW_PRESS)
        return false;
    if (event.kind == InputEvent::Kind::Key)
        return binding(action) == Binding::key(event.code);
    if (event.kind == InputEvent::Kind::MouseButton)
        return binding(action) == Binding::mouse(event.code);
    return false;
}

std::vector<Action> ControlTable::bind(Action action, const Binding& wanted)
{
    Binding& own = bindings[size_t(action)];
    if (own == wanted)
        return {};
    std::vector<Action> changed { action };
    if (const std::optional<Action> other = actionFor(wanted)) {
        bindings[size_t(*other)] = own;
        changed.push_back(*other);
    }
    own = wanted;
    std::sort(changed.begin(), changed.end());
    return changed;
}

std::vector<Action> ControlTable::resetToDefaults()
{
    std::vector<Action> changed;
    for (int action = 0; action < kActionCount; ++action) {
        const Binding standard = defaultBinding(Action(action));
        if (!(bindings[size_t(action)] == standard)) {
            bindings[size_t(action)] = standard;
            changed.push_back(Action(action));
        }
    }
    return changed;
}

void ControlTable::load(const std::string& configText, std::ostream& err)
{
    for (int action = 0; action < kActionCount; ++action) {
        const std::string key = std::string("Key_") + actionKeyName(Action(action));
        const size_t start = findWordStart(configText, key);
        if (start == std::string::npos)
            continue;
        const std::string word = configText.substr(start, configText.find_first_of(" \t\n\v\f\r", start) - start);
        const size_t equals = word.find('=');
        const std::string value = equals == std::string::npos ? std::string() : word.substr(equals + 1);
        if (const std::optional<Binding> read = parseBinding(value))
            bind(Action(action), *read);
        else
            err << "Warning, " << key << " must be a key code or Mouse1 to Mouse8! Keeping "
                << formatBinding(binding(Action(action))) << "." << std::endl;
    }
}

std::vector<std::pair<std::string, std::string>> controlConfigChanges(
    const ControlTable& table, const std::set<Action>& actions)
{
    std::vector<std::pair<std::string, std::string>> changes;
    for (Action action : actions)
        changes.emplace_back(std::string("Key_") + actionKeyName(action), formatBinding(table.binding(action)));
    return changes;
}
