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
