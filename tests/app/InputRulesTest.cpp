#include "app/InputRules.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace {

InputState playingState()
{
    InputState s;
    s.playing = s.gameStarted = s.mouseCaptured = true;
    return s;
}

TEST(KeyRules, RepeatsAndTheDeathSequenceAreIgnored)
{
    InputState s = playingState();
    EXPECT_EQ(decideKey(GLFW_KEY_W, GLFW_PRESS, s).step, KeyStep::Press);
    EXPECT_EQ(decideKey(GLFW_KEY_W, GLFW_RELEASE, s).step, KeyStep::Release);
    EXPECT_EQ(decideKey(GLFW_KEY_W, GLFW_REPEAT, s).step, KeyStep::Ignore);
    EXPECT_EQ(decideKey(GLFW_KEY_DOWN, GLFW_REPEAT, s).step, KeyStep::Ignore);

    s.deathTimer = 0.0f;
    for (int key : { GLFW_KEY_W, GLFW_KEY_ESCAPE, GLFW_KEY_F12, GLFW_KEY_LEFT_ALT })
        for (int action : { GLFW_PRESS, GLFW_RELEASE }) {
            KeyDecision d = decideKey(key, action, s);
            EXPECT_EQ(d.step, KeyStep::Ignore) << key;
            EXPECT_EQ(d.cursor, CursorChange::None) << key;
        }
    EXPECT_FALSE(pointerReachesPlayer(s));
}

TEST(KeyRules, LeftAltShowsTheCursorWhileHeld)
{
    InputState s = playingState();
    KeyDecision press = decideKey(GLFW_KEY_LEFT_ALT, GLFW_PRESS, s);
    EXPECT_EQ(press.cursor, CursorChange::Show);
    EXPECT_EQ(press.step, KeyStep::Press);
    KeyDecision release = decideKey(GLFW_KEY_LEFT_ALT, GLFW_RELEASE, s);
    EXPECT_EQ(release.cursor, CursorChange::Capture);
    EXPECT_EQ(release.step, KeyStep::Release);

    // Also in a menu, before any game exists.
    InputState menu;
    menu.mouseCaptured = true;
    EXPECT_EQ(decideKey(GLFW_KEY_LEFT_ALT, GLFW_RELEASE, menu).cursor, CursorChange::Capture);
    menu.mouseCaptured = false;
    EXPECT_EQ(decideKey(GLFW_KEY_LEFT_ALT, GLFW_RELEASE, menu).cursor, CursorChange::None);
    EXPECT_EQ(decideKey(GLFW_KEY_LEFT_ALT, GLFW_REPEAT, s).cursor, CursorChange::None);
    EXPECT_EQ(decideKey(GLFW_KEY_RIGHT_ALT, GLFW_PRESS, s).cursor, CursorChange::None);
}

TEST(KeyRules, FocusCapturesTheCursorAgain)
{
    InputState s = playingState();
    EXPECT_EQ(decideFocus(true, s), CursorChange::Capture);
    EXPECT_EQ(decideFocus(false, s), CursorChange::None);
    s.mouseCaptured = false;
    EXPECT_EQ(decideFocus(true, s), CursorChange::None);
}

TEST(KeyRules, CursorMotionTurnsBySensitivity)
{
    TurnAngles t = cursorTurn(100.0, 50.0, 110.0, 45.0, 100, 100);
    EXPECT_FLOAT_EQ(t.yaw, -2.0f);
    EXPECT_FLOAT_EQ(t.pitch, 1.0f);
    t = cursorTurn(0.0, 0.0, 10.0, 10.0, -50, 200); // negative sensitivity inverts
    EXPECT_FLOAT_EQ(t.yaw, 1.0f);
    EXPECT_FLOAT_EQ(t.pitch, -4.0f);
    t = cursorTurn(3.0, 3.0, 3.0, 3.0, 100, 100);
    EXPECT_EQ(t.yaw, 0.0f);
    EXPECT_EQ(t.pitch, 0.0f);
}

} // namespace
