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

bool pausesOnFocusLoss(bool focused, bool settingOn, const InputState& state)
{
    return !focused && settingOn && state.playing && !state.loading && !deathSequenceRuns(state);
}

TurnAngles cursorTurn(double lastX, double lastY, double x, double y, int sensitivityX, int sensitivityY)
{
    const double yaw = (lastX - x) * 0.2 * sensitivityX / 100.0;
    const double pitch = (lastY - y) * 0.2 * sensitivityY / 100.0;
    return { float(yaw), float(pitch) };
}
