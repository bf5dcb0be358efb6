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
#include "world/WorldobjectPasses.h"

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

} // namespace

void onFramebufferSize(Game& game, int width, int height)
{
    logLine(joinText("Width: ", width, " Height: ", height));
    // A window with no area (minimised on some systems) has no aspect ratio:
    // keep the last projection instead of dividing by zero.
    if (width <= 0 || height <= 0)
        return;
    game.aspect = float(width) / float(height);
    game.screenWidth = width;
    game.screenHeight = height;
    if (game.hasWindow())
        glViewport(0, 0, width, height);
    fitProjections(game);
}

void fitProjections(Game& game)
{
    // The player looks through the angle the settings choose; the overview keeps its own.
    if (game.playerCamera)
        game.playerCamera->setPerspective(float(gSettings.fieldOfView), game.aspect, 0.2f, 500.0f);
    if (game.overviewCamera)
        game.overviewCamera->setPerspective(70.0f, game.aspect, 0.2f, 500.0f);
}

// The window's own keys, which work in every state (menus, loading, Death's
// sequence) and reach nothing else: F11 switches full screen as the Options
// row does, F2 keeps a picture of the next frame. True when the key was one.
bool handleWindowKey(Game& game, int key, int action)
{
    if (key != GLFW_KEY_F11 && key != GLFW_KEY_F2)
        return false;
    if (action != GLFW_PRESS)
        return true;
    if (key == GLFW_KEY_F11)
        toggleFullscreen(game);
    else
        game.screenshotRequested = true;
    return true;
}

void onKey(Game& game, int key, int action)
{
    if (handleWindowKey(game, key, action))
        return;
    const KeyDecision decision = decideKey(key, action, game.inputState());
    applyCursor(game, decision.cursor);
    if (decision.step == KeyStep::Press) {
        if (game.gameStarted && game.player) {
            if (key == GLFW_KEY_F && game.flashlight)
                game.flashlight->on = !game.flashlight->on;
            game.player->pressInput(key);
            game.player->selectSlot(key);
        }
        if (game.gui)
            game.gui->keyHandler(key, game.window);
    } else if (decision.step == KeyStep::Release) {
        if (game.gameStarted && game.player)
            game.player->releaseInput(key);
    }
}

void onMouseButton(Game& game, int button, int action)
{
    if (!pointerReachesPlayer(game.inputState()) || (button != 0 && button != 1) || !game.player)
        return;
    if (action == GLFW_PRESS) {
        game.player->pressInput(button);
        if (button == ACTIVATION_BUTTON && game.world)
            game.world->activateNearby();
    } else {
        game.player->releaseInput(button);
    }
}

void onCursorPosition(Game& game, double x, double y)
{
    if (!pointerReachesPlayer(game.inputState()) || !game.player)
        return;
    const TurnAngles turn = cursorTurn(
        game.lastCursorX, game.lastCursorY, x, y, gSettings.mouseSensitivityX, gSettings.mouseSensitivityY);
    game.player->turn(turn.yaw, turn.pitch);
    game.lastCursorX = x;
    game.lastCursorY = y;
}

void onScroll(Game& game, double yOffset)
{
    if (game.playing && game.flashlight)
        game.flashlight->scroll(float(yOffset));
}

void onFocus(Game& game, bool focused)
{
    applyCursor(game, decideFocus(focused, game.inputState()));
    // A player called away comes back to a paused game, as if he had pressed
    // Escape: Death's rage does not rise while nobody plays.
    if (pausesOnFocusLoss(focused, gSettings.pauseOnFocusLoss != 0, game.inputState()) && game.gui)
        game.gui->pause(game.window);
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
    while (!game.inputEvents.empty()) {
        const InputEvent event = game.inputEvents.front();
        game.inputEvents.pop_front();
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
    gameOf(window).inputEvents.push_back(InputEvent::framebufferSize(width, height));
}
void keyCallback(GLFWwindow* window, int key, int, int action, int)
{
    gameOf(window).inputEvents.push_back(InputEvent::key(key, action));
}
void mouseButtonCallback(GLFWwindow* window, int button, int action, int)
{
    gameOf(window).inputEvents.push_back(InputEvent::mouseButton(button, action));
}
void cursorPositionCallback(GLFWwindow* window, double x, double y)
{
    gameOf(window).inputEvents.push_back(InputEvent::cursorPosition(x, y));
}
void scrollCallback(GLFWwindow* window, double, double yOffset)
{
    gameOf(window).inputEvents.push_back(InputEvent::scroll(yOffset));
}
void focusCallback(GLFWwindow* window, int focused)
{
    gameOf(window).inputEvents.push_back(InputEvent::focus(focused != 0));
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
