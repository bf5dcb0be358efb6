#pragma once

#include "app/Controls.h"
#include "gui/MenuKey.h"

// GLFW's own declarations only; GL comes from GLEW wherever it is drawn.
#ifndef GLFW_INCLUDE_NONE
#define GLFW_INCLUDE_NONE
#endif
#include <GLFW/glfw3.h>

#include <array>
#include <filesystem>
#include <vector>

struct Game;

// The pad, read through the window library's gamepad layout (Xbox names:
// A, B, X, Y, bumpers, triggers, sticks, d-pad, Start).
inline constexpr float kPadDeadZone = 0.2f; // of a stick's deflection, ignored
inline constexpr float kPadWalkDeflection = 0.4f; // of the left stick along an axis, to walk that way
inline constexpr float kPadLookSpeed = 150.0f; // degrees per second at full deflection, sensitivity 100

// What one state of the pad means, against the state before.
struct PadReading {
    std::array<bool, kActionCount> held {}; // the actions the pad holds now
    std::vector<Action> pressed {}; // held now and not before
    std::vector<Action> released {}; // held before and not now
    int slotStep = 0; // -1 / +1: a bumper was pressed
    std::vector<MenuKey> menuKeys {}; // of the buttons just pressed: d-pad, A (Choose), B (Back)
    bool pausePressed = false; // Start, which pauses and resumes like Escape
    float yawSpeed = 0.0f; // degrees per second, as the cursor turns (left positive)
    float pitchSpeed = 0.0f; // degrees per second (up positive)
};

// The left stick walks (pressed in, runs), the right stick looks, A jumps, the right
// trigger uses, the left trigger activates, X switches the flashlight, Start pauses.
// Sticks have a round dead zone; beyond it the look speed grows from 0 to full,
// scaled by the mouse sensitivity (a negative one inverts the axis).
PadReading readPad(const GLFWgamepadstate& now, const GLFWgamepadstate& before, int sensitivityX, int sensitivityY);

// What the pad's reading does in the game, `dt` seconds after the one before: while
// playing, its actions reach the player (bumpers step through the slots and wrap,
// the right stick turns him); in menus the d-pad, A and B are menu keys; Start
// pauses and resumes; B or Start cancels the Controls screen's wait. Nothing during
// the death sequence.
void applyPadReading(Game& game, const PadReading& reading, float dt);

// The pads connected to the game. Only the first pad with a gamepad mapping is read.
class Gamepads {
public:
    // Loads the mappings of `mappingFile` (gamecontrollerdb.txt) when it exists, on top
    // of those the window library ships, says which pad is there, and watches pads come
    // and go (a line on standard output each).
    void start(const std::filesystem::path& mappingFile);
    // Once per frame after the window's events: the pad's changes go to the menus and,
    // while playing, to the player.
    void poll(Game& game);

private:
    int joystick = -1; // the pad read last, -1: none
    GLFWgamepadstate last {};
    double lastTime = -1.0;
};
