#include "render/FogHorizon.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>

namespace {

constexpr float SCAN_STEP = 0.25f;

float maxComponent(const glm::vec3& v)
{
    return std::max(v.x, std::max(v.y, v.z));
}

// What the light bound leaves different from the fog's colour at `viewDistance`: a colour and
// the fog's both lie in [0, bound], so they differ by at most the larger of them.
float remaining(const SceneLight& light, float brightest, float viewDistance)
{
    return std::max(brightest, maxComponent(FOG_COLOR)) * fogTransmittance(light, viewDistance);
}

// The distance at which the fog leaves less than `threshold` of `brightness`.
float fadeDistance(const SceneLight& light, float brightness, float threshold)
{
    if (brightness <= threshold)
        return 0.0f;
    return std::sqrt(std::log(brightness / threshold)) / fogDensity(light);
}

} // namespace

float fogDensity(const SceneLight& light)
{
    return 0.012f + light.fogFactor * 0.05f + (light.rain ? 0.01f : 0.0f);
}

float fogTransmittance(const SceneLight& light, float d)
{
    const float k = fogDensity(light) * d;
    return std::exp(-k * k);
}

float brightestLight(const SceneLight& light, float lampDistance, bool byFire)
{
    // The moon: (0.10, 0.12, 0.2) at most, or 0.6 by day.
    float l = light.night ? 0.2f : 0.6f;
    // The flashlight: intensity × 1.6 × its fall-off, every other factor at most 1.
    l += light.flashLightIntensity * 1.6f / (1.0f + 0.0025f * lampDistance * lampDistance);
    // The lightning's flash over everything.
    if (light.lightning)
        l += std::max(light.lightningFactor, 0.0f) * maxComponent(light.sunColor * glm::vec3(0.7f, 0.75f, 1.0f));
    // The bonfire, at most three times its flicker.
    if (byFire)
        l += 3.0f * std::max(light.fireNoise, 0.0f);
    return (light.rain ? 0.75f : 1.0f) * l;
}

float fogHorizon(const SceneLight& light, const glm::vec3& eye, bool byFire)
{
    const float lampOffset = glm::distance(light.flashLightPos, eye);
    // Beyond this not even the lamp's brightest point shows.
    float d = fadeDistance(light, std::max(brightestLight(light, 0.0f, byFire), maxComponent(FOG_COLOR)),
                  HALF_COLOR_STEP)
        + SCAN_STEP;
    // Inwards to the last distance that can still show; the lamp may lie anywhere, so its
    // distance from a surface d from the eye is only known to be at least |d - lampOffset|.
    for (; d > 0.0f; d -= SCAN_STEP) {
        const float brightest = brightestLight(light, std::fabs(d - lampOffset), byFire);
        if (remaining(light, brightest, d) >= HALF_COLOR_STEP)
            return d + SCAN_STEP;
    }
    return 0.0f;
}

float lampReach(const SceneLight& light, const glm::vec3& eye)
{
    const float lampOffset = glm::distance(light.flashLightPos, eye);
    const float base = light.rain ? 0.75f : 1.0f;
    const float strongest = base * light.flashLightIntensity * 1.6f;
    // Surfaces the lamp can light lie within this of the eye ...
    const float seen = fadeDistance(light, strongest, HALF_COLOR_STEP);
    if (seen <= 0.0f)
        return 0.0f;
    // ... so within lampOffset + seen of the lamp; look inwards from there.
    const float lowest = std::max(lampOffset - seen, 0.0f);
    for (float r = lampOffset + seen + SCAN_STEP; r > lowest; r -= SCAN_STEP) {
        const float added = strongest / (1.0f + 0.0025f * r * r);
        if (added * fogTransmittance(light, std::fabs(r - lampOffset)) >= HALF_COLOR_STEP)
            return r + SCAN_STEP;
    }
    // Nearer to the lamp than `lowest` a surface lies beyond what can be seen from the eye.
    return 0.0f;
}
