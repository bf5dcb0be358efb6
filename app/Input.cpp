#include "app/Input.h"

#include "app/Game.h"
#include "app/OptionsApply.h"
#include "base/Log.h"
#include "base/Settings.h"
#include "gameplay/Player.h"
#include "gui/Gui.h"
#include "render/Camera.h"
#include "render/Flashlight.h"
#include "world/World.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

namespace {

void applyCursor(Game& game, CursorChange change)
{
    if (change == CursorChange::Show)
        game.setCursorMode(GLFW_CURSOR_NORMAL);
    else if (change == CursorChange::Capture)
        game.setCursorMode(GLFW_CURSOR_DISABLED);
}

// Whether the Controls screen waits for a key or button; it then takes the
// press whole, and nothing else sees it. The Escape key cancels the wait
// instead: it can never be bound.
bool bindingWanted(Game& game, bool mouse, int code)
{
    if (!game.gui || !game.gui->waitingForBinding())
        return false;
    if (!mouse && code == GLFW_KEY_ESCAPE)
        game.gui->cancelBinding();
    else
        game.gui->takeBinding(mouse, code);
    return true;
}

} // namespace

MenuKey fixedMenuKey(int key)
{
    switch (key) {
    case GLFW_KEY_UP:
    case GLFW_KEY_W:
        return MenuKey::Up;
    case GLFW_KEY_DOWN:
    case GLFW_KEY_S:
        return MenuKey::Down;
    case GLFW_KEY_LEFT:
    case GLFW_KEY_A:
        return MenuKey::Left;
    case GLFW_KEY_RIGHT:
    case GLFW_KEY_D:
        return MenuKey::Right;
    case GLFW_KEY_ENTER:
    case GLFW_KEY_SPACE:
        return MenuKey::Choose;
    case GLFW_KEY_ESCAPE:
        return MenuKey::Back;
    case GLFW_KEY_F12:
        return MenuKey::DebugOverlay;
    default:
        return MenuKey::None;
    }
}

MenuKey menuKeyFor(int key, const ControlTable& controls, bool menuUp)
{
    const MenuKey fixed = fixedMenuKey(key);
    // The menus' own keys keep their meaning whatever they are bound to; F12
    // is not one of them (bound to forward, it moves up).
    if (menuUp && fixed != MenuKey::None && fixed != MenuKey::DebugOverlay)
        return fixed;
    const std::optional<Action> action = controls.actionForKey(key);
    if (menuUp || (action && (*action == Action::Pause || *action == Action::DebugOverlay)))
        return action ? menuKeyOf(*action, fixed) : fixed;
    // In play the menus only hear pausing (Escape always pauses) and the debug rows.
    if (fixed == MenuKey::Back || (!action && fixed == MenuKey::DebugOverlay))
        return fixed;
    return MenuKey::None;
}

MenuKey menuKeyOf(Action action, MenuKey otherwise)
{
    switch (action) {
    case Action::Forward:
        return MenuKey::Up;
    case Action::Back:
        return MenuKey::Down;
    case Action::Left:
        return MenuKey::Left;
    case Action::Right:
        return MenuKey::Right;
    case Action::Jump:
        return MenuKey::Choose;
    case Action::Pause:
        return MenuKey::Back;
    case Action::DebugOverlay:
        return MenuKey::DebugOverlay;
    default:
        return otherwise;
    }
}

void pressAction(Game& game, Action action)
{
    if (!game.session.player)
        return;
    if (const std::optional<InputBit> bit = heldControlOf(action))
        game.session.player->pressInput(*bit);
    if (action == Action::Activate && pointerReachesPlayer(game.inputState()) && game.session.world)
        game.session.world->activateNearby();
    if (action == Action::Flashlight && game.scene.flashlight)
        game.scene.flashlight->on = !game.scene.flashlight->on;
    if (const int slot = slotOf(action); slot >= 0)
        game.session.player->selectSlot(slot);
}

void releaseAction(Game& game, Action action)
{
    if (!game.session.player)
        return;
    if (const std::optional<InputBit> bit = heldControlOf(action))
        game.session.player->releaseInput(*bit);
}

void onFramebufferSize(Game& game, int width, int height)
{
    logLine(joinText("Width: ", width, " Height: ", height));
    // A window with no area (minimised on some systems) has no aspect ratio:
    // keep the last projection instead of dividing by zero.
    if (width <= 0 || height <= 0)
        return;
    game.platform.aspect = float(width) / float(height);
    game.platform.screenWidth = width;
    game.platform.screenHeight = height;
    if (game.hasWindow())
        glViewport(0, 0, width, height);
    fitProjections(game);
}

void fitProjections(Game& game)
{
    // The player looks through the angle the settings choose; the overview keeps its own.
    if (game.scene.playerCamera)
        game.scene.playerCamera->setPerspective(float(gSettings.fieldOfView), game.platform.aspect, 0.2f, 500.0f);
    if (game.scene.overviewCamera)
        game.scene.overviewCamera->setPerspective(70.0f, game.platform.aspect, 0.2f, 500.0f);
}

// The window's own actions, which work in every state (menus, loading, Death's
// sequence) and reach nothing else: full screen switches as the Options row
// does, the screenshot keeps a picture of the next frame. True when the input
// was bound to one of them.
bool handleWindowAction(Game& game, std::optional<Action> bound, int action)
{
    if (bound != Action::Fullscreen && bound != Action::Screenshot)
        return false;
    if (action != GLFW_PRESS)
        return true;
    if (bound == Action::Fullscreen)
        toggleFullscreen(game);
    else
        game.screenshotRequested = true;
    return true;
}

void onKey(Game& game, int key, int action)
{
    const KeyDecision decision = decideKey(key, action, game.inputState());
    applyCursor(game, decision.cursor);
    // The Controls screen waiting for a key takes even the window's own.
    if (decision.step == KeyStep::Press && bindingWanted(game, false, key))
        return;
    const std::optional<Action> bound = game.controls.actionForKey(key);
    if (handleWindowAction(game, bound, action))
        return;
    const bool reachesPlayer = bound && game.gameStarted && game.session.player;
    if (decision.step == KeyStep::Press) {
        const bool menuUp = game.gui && game.gui->screenFlags != SCREEN_WORLD;
        if (reachesPlayer)
            pressAction(game, *bound);
        if (game.gui)
            game.gui->keyHandler(menuKeyFor(key, game.controls, menuUp), game.platform.window);
        // A key pressed in a menu is not held in play: the Space that chooses "Resume" must
        // not make the player jump when the first step runs before its release arrives.
        if (reachesPlayer && menuUp)
            releaseAction(game, *bound);
    } else if (decision.step == KeyStep::Release && reachesPlayer) {
        releaseAction(game, *bound);
    }
}

void onMouseButton(Game& game, int button, int action)
{
    if (action == GLFW_PRESS && bindingWanted(game, true, button))
        return;
    const std::optional<Action> bound = game.controls.actionForMouse(button);
    if (!bound || handleWindowAction(game, bound, action))
        return;
    // A button may pause and show the debug rows like their keys, menus or not.
    if (*bound == Action::Pause || *bound == Action::DebugOverlay) {
        if (action == GLFW_PRESS && game.gui && !deathSequenceRuns(game.inputState()))
            game.gui->keyHandler(menuKeyOf(*bound, MenuKey::None), game.platform.window);
        return;
    }
    if (!pointerReachesPlayer(game.inputState()))
        return;
    if (action == GLFW_PRESS)
        pressAction(game, *bound);
    else
        releaseAction(game, *bound);
}

void onCursorPosition(Game& game, double x, double y)
{
    if (!pointerReachesPlayer(game.inputState()) || !game.session.player)
        return;
    const TurnAngles turn = cursorTurn(
        game.platform.lastCursorX, game.platform.lastCursorY, x, y, gSettings.mouseSensitivityX, gSettings.mouseSensitivityY);
    game.session.player->turn(turn.yaw, turn.pitch);
    game.platform.lastCursorX = x;
    game.platform.lastCursorY = y;
}

void onScroll(Game& game, double yOffset)
{
    if (game.playing && game.scene.flashlight)
        game.scene.flashlight->scroll(float(yOffset));
}

void onFocus(Game& game, bool focused)
{
    applyCursor(game, decideFocus(focused, game.inputState()));
    // A player called away comes back to a paused game, as if he had pressed
    // Escape: Death's rage does not rise while nobody plays.
    if (pausesOnFocusLoss(focused, gSettings.pauseOnFocusLoss != 0, game.inputState()) && game.gui)
        game.gui->pause(game.platform.window);
}

void applyInputEvent(Game& game, const InputEvent& event)
{
    switch (event.kind) {
    case InputEvent::Kind::FramebufferSize:
        onFramebufferSize(game, event.width, event.height);
        break;
    case InputEvent::Kind::Key:
        onKey(game, event.code, event.action);
        break;
    case InputEvent::Kind::MouseButton:
        onMouseButton(game, event.code, event.action);
        break;
    case InputEvent::Kind::CursorPosition:
        onCursorPosition(game, event.x, event.y);
        break;
    case InputEvent::Kind::Scroll:
        onScroll(game, event.y);
        break;
    case InputEvent::Kind::Focus:
        onFocus(game, event.focused);
        break;
    }
}

void drainInput(Game& game)
{
    while (!game.platform.inputEvents.empty()) {
        const InputEvent event = game.platform.inputEvents.front();
        game.platform.inputEvents.pop_front();
        applyInputEvent(game, event);
    }
}

void errorCallback(int, const char* description)
{
    logLine(description);
}

namespace {

// The game the window was registered for.
Game& gameOf(GLFWwindow* window)
{
    return *static_cast<Game*>(glfwGetWindowUserPointer(window));
}

void framebufferSizeCallback(GLFWwindow* window, int width, int height)
{
    gameOf(window).platform.inputEvents.push_back(InputEvent::framebufferSize(width, height));
}
void keyCallback(GLFWwindow* window, int key, int, int action, int)
{
    gameOf(window).platform.inputEvents.push_back(InputEvent::key(key, action));
}
void mouseButtonCallback(GLFWwindow* window, int button, int action, int)
{
    gameOf(window).platform.inputEvents.push_back(InputEvent::mouseButton(button, action));
}
void cursorPositionCallback(GLFWwindow* window, double x, double y)
{
    gameOf(window).platform.inputEvents.push_back(InputEvent::cursorPosition(x, y));
}
void scrollCallback(GLFWwindow* window, double, double yOffset)
{
    gameOf(window).platform.inputEvents.push_back(InputEvent::scroll(yOffset));
}
void focusCallback(GLFWwindow* window, int focused)
{
    gameOf(window).platform.inputEvents.push_back(InputEvent::focus(focused != 0));
}

} // namespace

void registerCallbacks(GLFWwindow* window, Game& game)
{
    glfwSetWindowUserPointer(window, &game);
    glfwSetFramebufferSizeCallback(window, framebufferSizeCallback);
    glfwSetKeyCallback(window, keyCallback);
    glfwSetMouseButtonCallback(window, mouseButtonCallback);
    glfwSetCursorPosCallback(window, cursorPositionCallback);
    glfwSetScrollCallback(window, scrollCallback);
    glfwSetWindowFocusCallback(window, focusCallback);
}
