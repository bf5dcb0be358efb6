#include "app/Timers.h"
#include "app/Weather.h"
#include "base/Rand.h"

#include <gtest/gtest.h>
#include <utility>

#include <cmath>
#include <deque>

namespace {

// Random fractions from a script, then 0.5 forever.
UnitRandom scripted(std::deque<float> values)
{
    return [values]() mutable {
        if (values.empty())
            return 0.5f;
        float v = values.front();
        values.pop_front();
        return v;
    };
}

constexpr float STEP_S = 16.666666f / 1000.0f;

int stepsUntilChange(Weather& weather, const UnitRandom& random)
{
    for (int i = 1; i < 100000; ++i)
        if (weather.step(STEP_S, random))
            return i;
    return -1;
}

TEST(Weather, FirstChangeAfterThirtySecondsOfStepsThenEveryEightyToHundredTwenty)
{
    Weather weather;
    EXPECT_FALSE(weather.rain);
    EXPECT_FALSE(weather.lightning);
    EXPECT_EQ(weather.weatherTimer, 30.0f);
    // draws: 0.1 → rain only; 0.0 → next change in 80 s
    auto random = scripted({ 0.1f, 0.0f, 0.5f, 1.0f });
    EXPECT_NEAR(stepsUntilChange(weather, random), 1800, 1);
    EXPECT_TRUE(weather.rain);
    EXPECT_FALSE(weather.lightning);
    EXPECT_FLOAT_EQ(weather.weatherTimer, 80.0f);
    EXPECT_NEAR(stepsUntilChange(weather, random), 80 * 60, 1);
    EXPECT_TRUE(weather.rain); // 0.5 → rain with lightning
    EXPECT_TRUE(weather.lightning);
    EXPECT_FLOAT_EQ(weather.weatherTimer, 120.0f);
}

TEST(Weather, ThirdsOfTheDrawChooseTheWeather)
{
    struct Case {
        float draw;
        bool rain, lightning;
    } cases[] = {
        { 0.0f, true, false },
        { 0.3299f, true, false },
        { 0.33f, true, true },
        { 0.6599f, true, true },
        { 0.66f, false, false },
        { 1.0f, false, false },
    };
    for (const Case& c : cases) {
        Weather weather;
        weather.rain = weather.lightning = !c.rain;
        weather.weatherTimer = 0.0f;
        ASSERT_TRUE(weather.step(0.0f, scripted({ c.draw, 0.25f })));
        EXPECT_EQ(weather.rain, c.rain) << c.draw;
        EXPECT_EQ(weather.lightning, c.lightning) << c.draw;
        EXPECT_FLOAT_EQ(weather.weatherTimer, 90.0f);
    }
}

TEST(NormalPair, RejectsPairsOutsideTheUnitCircle)
{
    // (1, 1) lies outside; (0.75, 0.5) maps to (0.5, 0) with length² 0.25.
    auto random = scripted({ 1.0f, 1.0f, 0.75f, 0.5f });
    NormalPair pair = normalPair(25.0f, random);
    EXPECT_NEAR(pair.first, 0.5f * std::sqrt(-2.0f * std::log(0.25f) / 0.25f) * 25.0f, 1e-3);
    EXPECT_EQ(pair.second, 0.0f);
}

TEST(NormalPair, DeviatesHaveTheRequestedSpread)
{
    double sum = 0.0, squares = 0.0;
    const int n = 20000;
    for (int i = 0; i < n; ++i) {
        NormalPair p = normalPair(25.0f, randUnit);
        sum += p.first + p.second;
        squares += double(p.first) * p.first + double(p.second) * p.second;
    }
    EXPECT_NEAR(sum / (2 * n), 0.0, 1.0);
    EXPECT_NEAR(std::sqrt(squares / (2 * n)), 25.0, 1.0);
}

TEST(Timers, PotionFadesOnlyAfterItsTimerRanOut)
{
    float timer = 1.0f, factor = 1.0f;
    stepPotion(timer, factor, 0.5f);
    EXPECT_FLOAT_EQ(timer, 0.5f);
    EXPECT_EQ(factor, 1.0f);
    stepPotion(timer, factor, 0.5f);
    EXPECT_EQ(factor, 1.0f); // at 0 it has not run out yet
    stepPotion(timer, factor, 0.25f);
    EXPECT_FLOAT_EQ(factor, 0.75f);
    stepPotion(timer, factor, 2.0f);
    EXPECT_EQ(factor, 0.0f);
}

TEST(Timers, CircleOpensAndClosesByOneHundredthPerSixtiethOfASecondAtAnyFrameRate)
{
    // Frames a whole opening and a whole closing take at a frame rate.
    auto framesToOpenAndClose = [](float fps) {
        float circle = 0.0f;
        int opening = 0, closing = 0;
        for (; opening < 10000 && circle < 1.5f; ++opening)
            advanceCircleLoad(circle, true, 1.0f / fps);
        EXPECT_EQ(circle, 1.5f);
        advanceCircleLoad(circle, true, 1.0f / fps);
        EXPECT_EQ(circle, 1.5f); // stops there
        for (; closing < 10000 && circle > 0.0f; ++closing)
            advanceCircleLoad(circle, false, 1.0f / fps);
        advanceCircleLoad(circle, false, 1.0f / fps);
        EXPECT_EQ(circle, 0.0f);
        return std::make_pair(opening, closing);
    };
    // 2.5 s each way: 150 frames at 60 fps, as many seconds at 15 fps.
    EXPECT_NEAR(framesToOpenAndClose(60.0f).first, 150, 1);
    EXPECT_NEAR(framesToOpenAndClose(60.0f).second, 150, 1);
    EXPECT_NEAR(framesToOpenAndClose(15.0f).first, 38, 1);
    EXPECT_NEAR(framesToOpenAndClose(15.0f).second, 38, 1);
    // A hitch of a whole second moves it no more than 0.05, so it is not skipped.
    float circle = 0.5f;
    advanceCircleLoad(circle, true, 1.0f);
    EXPECT_FLOAT_EQ(circle, 0.55f);
    advanceCircleLoad(circle, false, 0.0f);
    EXPECT_FLOAT_EQ(circle, 0.55f);
}

TEST(Timers, DeathSequenceClosesTheRevealThenEndsInTheGameOverMenu)
{
    float deathTimer = -1.0f, circle = 1.5f;
    bool opening = true;
    EXPECT_FALSE(stepDeathSequence(deathTimer, circle, opening, 10.0f)); // none runs
    EXPECT_EQ(deathTimer, -1.0f);

    deathTimer = 0.0f;
    circle = 0.7f;
    EXPECT_FALSE(stepDeathSequence(deathTimer, circle, opening, 2.0f));
    EXPECT_TRUE(opening); // not past two seconds yet
    EXPECT_EQ(circle, 0.7f);
    EXPECT_FALSE(stepDeathSequence(deathTimer, circle, opening, STEP_S));
    EXPECT_FALSE(opening);
    EXPECT_EQ(circle, 1.5f);
    // Past four seconds, but the reveal has not closed: keep waiting.
    EXPECT_FALSE(stepDeathSequence(deathTimer, circle, opening, 2.5f));
    circle = 0.3f;
    EXPECT_FALSE(stepDeathSequence(deathTimer, circle, opening, STEP_S));
    EXPECT_EQ(circle, 0.3f); // the close starts only once
    circle = 0.01f;
    EXPECT_FALSE(stepDeathSequence(deathTimer, circle, opening, STEP_S));
    circle = 0.0f;
    EXPECT_TRUE(stepDeathSequence(deathTimer, circle, opening, STEP_S));
    EXPECT_EQ(deathTimer, -1.0f);
}

TEST(Timers, ExplosionShakeFallsWithTheSquareOfTheDistance)
{
    EXPECT_EQ(explosionShake(0.0f), 1.0f);
    EXPECT_FLOAT_EQ(explosionShake(50.0f), 0.25f);
    EXPECT_EQ(explosionShake(100.0f), 0.0f);
    EXPECT_EQ(explosionShake(250.0f), 0.0f);
    EXPECT_EQ(explosionShake(-5.0f), 1.0f); // capped at a full shake
    EXPECT_EQ(explosionSparkCount(2.0f, 1.0f), 800);
    EXPECT_EQ(explosionSparkCount(1.5f, 1.0f), 400); // int(2.25) × 200
    EXPECT_EQ(explosionSparkCount(0.5f, 1.0f), 0);
}

} // namespace
