#pragma once

#include "base/Rand.h"

// a + randUnit() × (b − a): one draw of the C library's rand().
inline float randomUniform(float a, float b)
{
    return a + randUnit() * (b - a);
}
