#pragma once

#include <cstdlib>

// The shared C library draw behind every choice that need not be reproducible
// (weather, effects, cats, Death, spawn searches, the random world seed),
// scaled to [0, 1]. Scaling by RAND_MAX rather than by 32767 keeps the value
// in range on C libraries whose RAND_MAX is larger than 32767 (glibc's is
// 2^31 - 1). glibc's rand() takes a lock, so worker threads may call it.
inline float randomUnit()
{
    return static_cast<float>(std::rand()) / static_cast<float>(RAND_MAX);
}
