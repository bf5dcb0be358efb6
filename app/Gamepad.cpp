#include "app/Gamepad.h"

#include "app/Game.h"
#include "app/Input.h"
#include "base/Log.h"
#include "gameplay/Player.h"
#include "gui/Gui.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace {

// A stick's axes beyond the dead zone, rescaled so its edge is 0 and full deflection 1.
void outsideDeadZone(float x, float y, float& outX, float& outY)
{
    const float length = std::sqrt(x * x + y * y);
    if (length <= kPadDeadZone) {
        outX = outY = 0.0f;
        return;
    }
    const float scale = std::min(1.0f, (length - kPadDeadZone) / (1.0f - kPadDeadZone)) / length;
    outX = x * scale;
    outY = y * scale;
}

std::array<bool, kActionCount> heldActions(const GLFWgamepadstate& state)
{
    std::array<bool, kActionCount> held {};
    auto set = [&](Action action, bool on) { held[size_t(action)] = on; };
    float x = 0.0f, y = 0.0f;
    outsideDeadZone(state.axes[GLFW_GAMEPAD_AXIS_LEFT_X], state.axes[GLFW_GAMEPAD_AXIS_LEFT_Y], x, y);
    // The pad's y axis points down.
    set(Action::Forward, y < -kPadWalkDeflection);
    set(Action::Back, y > kPadWalkDeflection);
    set(Action::Left, x < -kPadWalkDeflection);
    set(Action::Right, x > kPadWalkDeflection);
    set(Action::Run, state.buttons[GLFW_GAMEPAD_BUTTON_LEFT_THUMB] == GLFW_PRESS);
    set(Action::Jump, state.buttons[GLFW_GAMEPAD_BUTTON_A] == GLFW_PRESS);
    // Triggers rest at -1 and go to 1: half way counts.
    set(Action::Use, state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] > 0.0f);
    set(Action::Activate, state.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] > 0.0f);
    set(Action::Flashlight, state.buttons[GLFW_GAMEPAD_BUTTON_X] == GLFW_PRESS);
    return held;
}

bool newlyPressed(const GLFWgamepadstate& now, const GLFWgamepadstate& before, int button)
{
    return now.buttons[button] == GLFW_PRESS && before.buttons[button] != GLFW_PRESS;
}

} // namespace

PadReading readPad(const GLFWgamepadstate& now, const GLFWgamepadstate& before, int sensitivityX, int sensitivityY)
{
    PadReading reading;
    reading.held = heldActions(now);
    const std::array<bool, kActionCount> previous = heldActions(before);
    for (int action = 0; action < kActionCount; ++action) {
        if (reading.held[size_t(action)] && !previous[size_t(action)])
            reading.pressed.push_back(Action(action));
        else if (!reading.held[size_t(action)] && previous[size_t(action)])
            reading.released.push_back(Action(action));
    }
    if (newlyPressed(now, before, GLFW_GAMEPAD_BUTTON_LEFT_BUMPER))
        reading.slotStep -= 1;
    if (newlyPressed(now, before, GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER))
        reading.slotStep += 1;
    reading.pausePressed = newlyPressed(now, before, GLFW_GAMEPAD_BUTTON_START);

    const struct {
        int button;
        MenuKey key;
    } menuButtons[] = { { GLFW_GAMEPAD_BUTTON_DPAD_UP, MenuKey::Up }, { GLFW_GAMEPAD_BUTTON_DPAD_DOWN, MenuKey::Down },
        { GLFW_GAMEPAD_BUTTON_DPAD_LEFT, MenuKey::Left }, { GLFW_GAMEPAD_BUTTON_DPAD_RIGHT, MenuKey::Right },
        { GLFW_GAMEPAD_BUTTON_A, MenuKey::Choose }, { GLFW_GAMEPAD_BUTTON_B, MenuKey::Back } };
    for (const auto& entry : menuButtons)
        if (newlyPressed(now, before, entry.button))
            reading.menuKeys.push_back(entry.key);

    float x = 0.0f, y = 0.0f;
    outsideDeadZone(now.axes[GLFW_GAMEPAD_AXIS_RIGHT_X], now.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y], x, y);
    // As the cursor: moving right turns right (negative yaw), down looks down.
    reading.yawSpeed = -x * kPadLookSpeed * float(sensitivityX) / 100.0f;
    reading.pitchSpeed = -y * kPadLookSpeed * float(sensitivityY) / 100.0f;
    return reading;
}

namespace {

void joystickCallback(int jid, int event)
{
    if (event == GLFW_CONNECTED) {
        if (glfwJoystickIsGamepad(jid))
            logLine(joinText("Gamepad connected: ", glfwGetGamepadName(jid)));
        else
            logLine(joinText("Joystick connected without a gamepad mapping: ", glfwGetJoystickName(jid)));
    } else if (event == GLFW_DISCONNECTED) {
        logLine(joinText("Joystick ", jid + 1, " disconnected"));
    }
}

} // namespace

void applyPadReading(Game& game, const PadReading& reading, float dt)
{
    const InputState input = game.inputState();
    if (deathSequenceRuns(input) || !game.gui)
        return;
    if (game.gui->waitingForBinding()) {
        // Only keys and mouse buttons are bound; B or Start cancels the wait.
        const bool cancel = reading.pausePressed
            || std::find(reading.menuKeys.begin(), reading.menuKeys.end(), MenuKey::Back) != reading.menuKeys.end();
        if (cancel)
            game.gui->cancelBinding();
        return;
    }
    if (pointerReachesPlayer(input) && game.session.player) {
        for (Action action : reading.released)
            releaseAction(game, action);
        for (Action action : reading.pressed)
            pressAction(game, action);
        if (reading.slotStep != 0 && !game.session.player->inventory.empty()) {
            const int count = int(game.session.player->inventory.size());
            game.session.player->selectSlot(((game.session.player->selectedIndex + reading.slotStep) % count + count) % count);
        }
        if (reading.yawSpeed != 0.0f || reading.pitchSpeed != 0.0f)
            game.session.player->turn(reading.yawSpeed * dt, reading.pitchSpeed * dt);
    } else {
        // The menus take the d-pad, A and B; in play these are the player's.
        for (MenuKey key : reading.menuKeys)
            game.gui->keyHandler(key, game.platform.window);
    }
    if (reading.pausePressed)
        game.gui->keyHandler(MenuKey::Back, game.platform.window);
}

void Gamepads::start(const std::filesystem::path& mappingFile)
{
    std::error_code error;
    if (std::filesystem::exists(mappingFile, error)) {
        std::ifstream file(mappingFile, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        if (!file || glfwUpdateGamepadMappings(text.str().c_str()) != GLFW_TRUE)
            logError(joinText(mappingFile.string(), " could not be read; the built-in gamepad mappings stay."));
    }
    for (int jid = GLFW_JOYSTICK_1; jid <= GLFW_JOYSTICK_LAST; ++jid)
        if (glfwJoystickIsGamepad(jid))
            logLine(joinText("Gamepad found: ", glfwGetGamepadName(jid)));
    glfwSetJoystickCallback(joystickCallback);
}

void Gamepads::poll(Game& game)
{
    const double now = glfwGetTime();
    const float dt = lastTime < 0.0 ? 0.0f : float(std::clamp(now - lastTime, 0.0, 0.1));
    lastTime = now;

    // The first pad with a mapping; without one, the state of a pad at rest, so what
    // a removed pad held is let go.
    GLFWgamepadstate state {};
    state.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = -1.0f;
    int found = -1;
    for (int jid = GLFW_JOYSTICK_1; jid <= GLFW_JOYSTICK_LAST && found < 0; ++jid)
        if (glfwJoystickIsGamepad(jid) && glfwGetGamepadState(jid, &state))
            found = jid;
    if (found < 0 && joystick < 0)
        return; // no pad, none before: nothing changes
    if (found != joystick && joystick >= 0 && found >= 0) {
        // Another pad: start from rest rather than from the old pad's buttons.
        last = GLFWgamepadstate {};
        last.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = last.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = -1.0f;
    }
    joystick = found;
    const PadReading reading = readPad(state, last, gSettings.mouseSensitivityX, gSettings.mouseSensitivityY);
    last = state;

    applyPadReading(game, reading, dt);
}
