#include "app/MainLoop.h"
#include "app/FrameCounter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A loop whose clock is a script: every pass takes `passMs`, and the game is
// playing while `playing` says so.
struct ScriptedLoop {
    double time = 0.0;
    double passMs = 0.0;
    bool playing = true;
    int frames = 0;
    std::vector<float> steps;
    MainLoop loop { [this] { return time; } };

    LoopHooks hooks()
    {
        return LoopHooks {
            [] { return false; },
            [this] { return playing; },
            [this](float dt) { steps.push_back(dt); },
            [this] {
                ++frames;
                time += passMs;
            },
        };
    }
    int pass() { return loop.runPass(hooks()); }
};

TEST(MainLoop, SlowPassIsCaughtUpOnTheNextPassWithTheRemainderKept)
{
    ScriptedLoop s;
    s.passMs = 40.0;
    EXPECT_EQ(s.pass(), 0); // nothing accumulated yet
    EXPECT_DOUBLE_EQ(s.loop.accumulated(), 40.0);
    s.passMs = 0.0;
    EXPECT_EQ(s.pass(), 2);
    EXPECT_NEAR(s.loop.accumulated(), 40.0 - 2 * 16.666666666666668, 1e-9);
    EXPECT_NEAR(s.loop.accumulated(), 6.67, 0.01);
    ASSERT_EQ(s.steps.size(), 2u);
    EXPECT_EQ(s.steps[0], 16.666666f);
    EXPECT_EQ(s.steps[1], 16.666666f);
}

TEST(MainLoop, PassesOutsideThePlayingStateAddNothing)
{
    ScriptedLoop s;
    s.playing = false;
    s.passMs = 500.0;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(s.pass(), 0);
    EXPECT_EQ(s.loop.accumulated(), 0.0);
    EXPECT_EQ(s.frames, 4); // every pass still draws
    // Back to playing: no catch-up of the two seconds spent in the menu.
    s.playing = true;
    s.passMs = 10.0;
    EXPECT_EQ(s.pass(), 0);
    EXPECT_EQ(s.pass(), 0);
    EXPECT_EQ(s.pass(), 1);
}

TEST(MainLoop, StepsAreUnlimitedPerPassAndExactOverManyPasses)
{
    ScriptedLoop s;
    s.passMs = 1000.0;
    s.pass();
    s.passMs = 0.0;
    EXPECT_EQ(s.pass(), 60); // one second of catch-up, no cap
    EXPECT_LT(s.loop.accumulated(), 16.666666666666668);

    // A steady 60 Hz frame rate runs exactly one step per pass in the long run.
    ScriptedLoop steady;
    steady.passMs = 16.666666666666668;
    for (int i = 0; i < 6000; ++i)
        steady.pass();
    EXPECT_GE(steady.steps.size(), 5998u);
    EXPECT_LE(steady.steps.size(), 6000u);
}

TEST(MainLoop, RunEndsWhenTheWindowShouldClose)
{
    ScriptedLoop s;
    int asked = 0;
    LoopHooks hooks = s.hooks();
    hooks.shouldClose = [&] { return ++asked > 3; };
    s.loop.run(hooks);
    EXPECT_EQ(s.frames, 3);
}

TEST(FrameCounter, RateAppearsAfterTheFirstSecondAndRestarts)
{
    FrameCounter counter;
    EXPECT_FALSE(counter.countFrame(5000.0)); // the first call takes the start time
    for (int i = 1; i < 50; ++i)
        EXPECT_FALSE(counter.countFrame(5000.0 + i * 20.0));
    EXPECT_EQ(counter.fps, 0.0f);
    EXPECT_TRUE(counter.countFrame(6000.0)); // 51 frames in 1000 ms
    EXPECT_FLOAT_EQ(counter.fps, 51.0f);
    EXPECT_EQ(counter.frameCount, 0);
    EXPECT_EQ(counter.lastFpsTime, 6000.0);
    EXPECT_FALSE(counter.countFrame(6999.0));
    EXPECT_TRUE(counter.countFrame(8000.0)); // two frames over two seconds
    EXPECT_FLOAT_EQ(counter.fps, 1.0f);
}

TEST(FrameCounter, TitleHasTwoDecimals)
{
    EXPECT_EQ(fpsTitle(59.999f), "60.00 fps");
    EXPECT_EQ(fpsTitle(7.125f), "7.12 fps");
    EXPECT_EQ(fpsTitle(0.0f), "0.00 fps");
    EXPECT_EQ(fpsTitle(1234.5f), "1234.50 fps");
}

} // namespace
