#pragma once

#include <functional>

// A source of fractions from 0 to 1 (randUnit in the game; a script in tests).
using UnitRandom = std::function<float()>;

// Rain and lightning, changed on a timer that runs only in simulation steps.
struct Weather {
    float weatherTimer = 30.0f; // seconds until the weather changes
    bool rain = false;
    bool lightning = false; // strikes may happen

    // Counts s seconds down; when the timer runs out, draws the new weather
    // (a third each: rain, rain with lightning, clear) and the next interval of
    // 80 to 120 s. Returns true when the weather was drawn.
    bool step(float s, const UnitRandom& random);
};

// Two independent normal deviates with mean 0 and the given standard
// deviation, by the polar method on pairs of random * 2 - 1.
struct NormalPair {
    float first = 0.0f;
    float second = 0.0f;
};
NormalPair normalPair(float deviation, const UnitRandom& random);
