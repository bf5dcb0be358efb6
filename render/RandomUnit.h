#pragma once

#include <cstdlib>

// The effects draw from the C library's unseeded rand(), written as the
// fraction rand / 32767 of a library whose rand() stops at 32767. Here
// rand() reaches 2^31 - 1, so the raw quotient would run far past 1 (a
// negative root in a direction, colours beyond white): each draw is first
// reduced to 15 bits, keeping its high bits. One draw per call, as before.

inline int randomDraw15()
{
    const long long r = std::rand();
    return int(r * 32768 / (static_cast<long long>(RAND_MAX) + 1));
}

// A fraction from 0 to 1, both ends included.
inline float randomUnit()
{
    return float(randomDraw15()) / 32767.0f;
}

// a + randomUnit() × (b − a).
inline float randomUniform(float a, float b)
{
    return a + randomUnit() * (b - a);
}
