#include "base/Random.h"

#include <cmath>

Random Random::fromPosition(const glm::vec3& p)
{
    // Left to right in single precision; the grouping matters for the bits.
    const float sa = ((p.y * 15.0f + p.x * 162.0f) - p.z * 25.0f) + 77.0f;
    const float sb = ((p.x * 2.0f - p.y * 5527.0f) + p.z * 52.0f) + 77.0f;
    return Random(roundToWord(sa), roundToWord(sb));
}

int32_t Random::roundHalfAway(float v)
{
    const float t = v < 0.0f ? v - 0.5f : v + 0.5f;
    if (std::isnan(t))
        return 0;
    // Converting an out-of-range float to int is undefined; saturate instead.
    if (t >= 2147483648.0f)
        return INT32_MAX;
    if (t < -2147483648.0f)
        return INT32_MIN;
    return static_cast<int32_t>(t);
}

uint32_t Random::roundToWord(float v)
{
    const float asFloat = static_cast<float>(roundHalfAway(v));
    // Every int32 seen through float fits an int64, and narrowing an int64 to
    // uint32 keeps the low bits, which is the two's complement of negatives.
    return static_cast<uint32_t>(static_cast<int64_t>(asFloat));
}

float Random::wordToUnitFloat(uint32_t u)
{
    return static_cast<float>(static_cast<double>(u)) * 2.3283064e-10f;
}

uint32_t Random::next()
{
    B = 36969u * (B & 0xFFFFu) + (B >> 16);
    A = 18000u * (A & 0xFFFFu) + (A >> 16);
    return (B << 16) + A;
}
