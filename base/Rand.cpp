#include "base/Rand.h"

#include <cstdlib>

int rand15()
{
    // Scaling keeps the high bits of the draw, which are the better-mixed ones.
    const long long r = std::rand();
    return int(r * 32768 / (static_cast<long long>(RAND_MAX) + 1));
}

float randUnit()
{
    return float(rand15()) / 32767.0f;
}
