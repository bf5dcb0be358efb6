#include "app/Weather.h"

#include <cmath>

bool Weather::step(float s, const UnitRandom& random)
{
    weatherTimer -= s;
    if (weatherTimer > 0.0f)
        return false;
    const float r = random();
    if (r < 0.33f) {
        rain = true;
        lightning = false;
    } else if (r < 0.66f) {
        rain = true;
        lightning = true;
    } else {
        rain = false;
        lightning = false;
    }
    weatherTimer = random() * 40.0f + 80.0f;
    return true;
}

NormalPair normalPair(float deviation, const UnitRandom& random)
{
    float u = 0.0f, v = 0.0f, lengthSquared = 0.0f;
    do {
        u = random() * 2.0f - 1.0f;
        v = random() * 2.0f - 1.0f;
        lengthSquared = u * u + v * v;
        // A pair at the very centre has no direction; drawing again avoids log(0).
    } while (lengthSquared > 1.0f || lengthSquared == 0.0f);
    const float factor = std::sqrt(-2.0f * std::log(lengthSquared) / lengthSquared) * deviation;
    return { u * factor, v * factor };
}
