// The pad's states as actions, menu keys and look speeds.
#include "app/Gamepad.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// A pad at rest: sticks centred, triggers out.
GLFWgamepadstate rest()
{
    GLFWgamepadstate state {};
    state.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = -1.0f;
    return state;
}

GLFWgamepadstate with(GLFWgamepadstate state, int button)
{
    state.buttons[button] = GLFW_PRESS;
    return state;
}

GLFWgamepadstate axis(GLFWgamepadstate state, int which, float value)
{
    state.axes[which] = value;
    return state;
}

std::vector<Action> heldOf(const PadReading& reading)
{
    std::vector<Action> held;
    for (int a = 0; a < kActionCount; ++a)
        if (reading.held[size_t(a)])
            held.push_back(Action(a));
    return held;
}

TEST(Gamepad, ButtonsSticksAndTriggersHoldTheirActionsWithEdges)
{
    const PadReading still = readPad(rest(), rest(), 100, 100);
    EXPECT_TRUE(heldOf(still).empty() && still.menuKeys.empty() && !still.pausePressed);
    EXPECT_EQ(still.yawSpeed + still.pitchSpeed, 0.0f);

    GLFWgamepadstate state = rest();
    state = axis(state, GLFW_GAMEPAD_AXIS_LEFT_Y, -0.9f); // pushed up: forward
    state = axis(state, GLFW_GAMEPAD_AXIS_LEFT_X, 0.6f); // and right
    state = with(state, GLFW_GAMEPAD_BUTTON_LEFT_THUMB);
    state = with(state, GLFW_GAMEPAD_BUTTON_A);
    state = with(state, GLFW_GAMEPAD_BUTTON_X);
    state = axis(state, GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER, 0.3f);
    state = axis(state, GLFW_GAMEPAD_AXIS_LEFT_TRIGGER, -0.2f); // not half way
    const std::vector<Action> expected { Action::Forward, Action::Right, Action::Jump, Action::Run, Action::Use,
        Action::Flashlight };
    PadReading reading = readPad(state, rest(), 100, 100);
    EXPECT_EQ(heldOf(reading), expected);
    EXPECT_EQ(reading.pressed, expected);
    // Held on: no new presses. Let go: each released once.
    reading = readPad(state, state, 100, 100);
    EXPECT_TRUE(reading.pressed.empty());
    EXPECT_EQ(heldOf(reading), expected);
    reading = readPad(rest(), state, 100, 100);
    EXPECT_EQ(reading.released, expected);

    // Back, left and activate the other way.
    state = axis(axis(rest(), GLFW_GAMEPAD_AXIS_LEFT_Y, 0.7f), GLFW_GAMEPAD_AXIS_LEFT_X, -0.7f);
    state = axis(state, GLFW_GAMEPAD_AXIS_LEFT_TRIGGER, 1.0f);
    EXPECT_EQ(heldOf(readPad(state, rest(), 100, 100)), (std::vector<Action> { Action::Back, Action::Left, Action::Activate }));
    // A small tilt stays inside the dead zone or below walking.
    state = axis(axis(rest(), GLFW_GAMEPAD_AXIS_LEFT_Y, -0.15f), GLFW_GAMEPAD_AXIS_LEFT_X, 0.1f);
    EXPECT_TRUE(heldOf(readPad(state, rest(), 100, 100)).empty());
}

TEST(Gamepad, DpadABAndStartDriveTheMenusAndBumpersStepSlots)
{
    GLFWgamepadstate state = rest();
    for (int button : { GLFW_GAMEPAD_BUTTON_DPAD_UP, GLFW_GAMEPAD_BUTTON_DPAD_DOWN, GLFW_GAMEPAD_BUTTON_DPAD_LEFT,
             GLFW_GAMEPAD_BUTTON_DPAD_RIGHT, GLFW_GAMEPAD_BUTTON_A, GLFW_GAMEPAD_BUTTON_B })
        state = with(state, button);
    PadReading reading = readPad(state, rest(), 100, 100);
    EXPECT_EQ(reading.menuKeys,
        (std::vector<MenuKey> { MenuKey::Up, MenuKey::Down, MenuKey::Left, MenuKey::Right, MenuKey::Choose, MenuKey::Back }));
    EXPECT_TRUE(readPad(state, state, 100, 100).menuKeys.empty()); // held buttons do not repeat

    reading = readPad(with(rest(), GLFW_GAMEPAD_BUTTON_START), rest(), 100, 100);
    EXPECT_TRUE(reading.pausePressed);
    EXPECT_TRUE(reading.menuKeys.empty());
    EXPECT_EQ(readPad(with(rest(), GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER), rest(), 100, 100).slotStep, 1);
    EXPECT_EQ(readPad(with(rest(), GLFW_GAMEPAD_BUTTON_LEFT_BUMPER), rest(), 100, 100).slotStep, -1);
    const GLFWgamepadstate both = with(with(rest(), GLFW_GAMEPAD_BUTTON_LEFT_BUMPER), GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER);
    EXPECT_EQ(readPad(both, rest(), 100, 100).slotStep, 0);
    EXPECT_EQ(readPad(both, both, 100, 100).slotStep, 0);
}

struct LookCase {
    float x, y;
    int sensitivityX, sensitivityY;
    float yaw, pitch;
};

class GamepadLook : public testing::TestWithParam<LookCase> { };

TEST_P(GamepadLook, TheRightStickTurnsBeyondTheDeadZoneWithTheMouseSensitivity)
{
    const LookCase c = GetParam();
    GLFWgamepadstate state = axis(axis(rest(), GLFW_GAMEPAD_AXIS_RIGHT_X, c.x), GLFW_GAMEPAD_AXIS_RIGHT_Y, c.y);
    const PadReading reading = readPad(state, state, c.sensitivityX, c.sensitivityY);
    EXPECT_NEAR(reading.yawSpeed, c.yaw, 1e-3f);
    EXPECT_NEAR(reading.pitchSpeed, c.pitch, 1e-3f);
    EXPECT_TRUE(heldOf(reading).empty()); // looking walks nowhere
}

INSTANTIATE_TEST_SUITE_P(Gamepad, GamepadLook,
    testing::Values(LookCase { 0.19f, 0.0f, 100, 100, 0.0f, 0.0f }, // inside the dead zone
        LookCase { 0.12f, -0.12f, 100, 100, 0.0f, 0.0f }, // round, not square: 0.17 from the centre
        LookCase { 1.0f, 0.0f, 100, 100, -kPadLookSpeed, 0.0f }, // right: turns right
        LookCase { 0.0f, 1.0f, 100, 100, 0.0f, -kPadLookSpeed }, // down: looks down
        LookCase { -0.6f, 0.0f, 100, 100, kPadLookSpeed * 0.5f, 0.0f }, // half way past the dead zone
        LookCase { 0.0f, -1.0f, 200, -50, 0.0f, -kPadLookSpeed * 0.5f }, // an inverted y axis
        LookCase { 1.0f, 0.0f, 200, 100, -2.0f * kPadLookSpeed, 0.0f },
        LookCase { 1.5f, 0.0f, 100, 100, -kPadLookSpeed, 0.0f })); // beyond 1: held at full speed

} // namespace
