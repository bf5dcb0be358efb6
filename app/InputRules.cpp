#include "app/InputRules.h"

#include <GLFW/glfw3.h>

KeyDecision decideKey(int key, int action, const InputState& state)
{
    KeyDecision decision;
    if (deathSequenceRuns(state) || action == GLFW_REPEAT)
        return decision;
    const bool press = action == GLFW_PRESS;
    decision.step = press ? KeyStep::Press : KeyStep::Release;
    if (key == GLFW_KEY_LEFT_ALT) {
        if (press)
            decision.cursor = CursorChange::Show;
        else if (state.mouseCaptured)
            decision.cursor = CursorChange::Capture;
    }
    return decision;
}

CursorChange decideFocus(bool focused, const InputState& state)
{
    return focused && state.mouseCaptured ? CursorChange::Capture : CursorChange::None;
}

TurnAngles cursorTurn(double lastX, double lastY, double x, double y, int sensitivityX, int sensitivityY)
{
    const double yaw = (lastX - x) * 0.2 * sensitivityX / 100.0;
    const double pitch = (lastY - y) * 0.2 * sensitivityY / 100.0;
    return { float(yaw), float(pitch) };
}

MenuKey menuKeyFor(int key)
{
    switch (key) {
    case GLFW_KEY_SPACE:
    case GLFW_KEY_ENTER:
        return MenuKey::Activate;
    case GLFW_KEY_S:
    case GLFW_KEY_DOWN:
        return MenuKey::Next;
    case GLFW_KEY_W:
    case GLFW_KEY_UP:
        return MenuKey::Previous;
    case GLFW_KEY_ESCAPE:
        return MenuKey::Escape;
    default:
        return MenuKey::None;
    }
}

int nextEntry(int selected, int count)
{
    if (selected < count - 1)
        return selected + 1;
    return count >= 2 ? 0 : selected;
}

int previousEntry(int selected, int count)
{
    if (selected == 0)
        return count >= 2 ? count - 1 : selected;
    return selected - 1;
}

GuiKeyDecision decideGuiKey(int key, int screenFlags, bool loading)
{
    GuiKeyDecision decision;
    if (loading && key == GLFW_KEY_ESCAPE) {
        decision.closeWindow = true;
        return decision;
    }
    decision.toggleDebug = key == GLFW_KEY_F12;

    const bool world = (screenFlags & SCREEN_WORLD) != 0;
    if (screenFlags & SCREEN_MENU)
        decision.activeMenu = SCREEN_MENU;
    else if (screenFlags & SCREEN_GAME_OVER)
        decision.activeMenu = SCREEN_GAME_OVER;

    bool menuClosed = false;
    if (decision.activeMenu != 0) {
        decision.menuKey = menuKeyFor(key);
        if (decision.menuKey == MenuKey::Escape) {
            if (world)
                decision.resume = menuClosed = true;
            else
                decision.closeWindow = true;
        }
    }
    if (world && key == GLFW_KEY_ESCAPE && !menuClosed)
        decision.pause = true;
    return decision;
}
