#include "app/Timers.h"

#include <algorithm>

void stepPotion(float& potionTimer, float& potionFactor, float s)
{
    potionTimer -= s;
    if (potionFactor > 0.0f && potionTimer < 0.0f)
        potionFactor = std::max(potionFactor - s, 0.0f);
}

void advanceCircleLoad(float& circleLoad, bool circleOpening, float seconds)
{
    const float step = std::clamp(0.01f * seconds / kFrameSeconds, 0.0f, 0.05f);
    if (circleOpening) {
        if (circleLoad < 1.5f)
            circleLoad = std::min(circleLoad + step, 1.5f);
    } else if (circleLoad > 0.0f) {
        circleLoad = std::max(circleLoad - step, 0.0f);
    }
}

bool stepDeathSequence(float& deathTimer, float& circleLoad, bool& circleOpening, float s)
{
    if (deathTimer == -1.0f)
        return false;
    deathTimer += s;
    if (deathTimer > 2.0f && circleOpening) {
        circleLoad = 1.5f;
        circleOpening = false;
    }
    if (deathTimer > 4.0f && circleLoad <= 0.0f) {
        deathTimer = -1.0f;
        return true;
    }
    return false;
}

float explosionShake(float distance)
{
    const float near = std::max(100.0f - distance, 0.0f);
    return std::min(near * near / 10000.0f, 1.0f);
}

int explosionSparkCount(float radius, float factor)
{
    return int(radius * radius * factor) * 200;
}
