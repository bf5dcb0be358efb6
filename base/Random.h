#pragma once

#include <cstdint>
#include <glm/vec3.hpp>

// Marsaglia's multiply-with-carry pair. Every structure owns one, seeded from
// nothing but its position, so that each chunk that rebuilds the structure
// draws the very same numbers. A plain value: never shared between threads.
class Random {
public:
    uint32_t A = 0;
    uint32_t B = 0;

    constexpr Random() = default;
    constexpr Random(uint32_t a, uint32_t b)
        : A(a)
        , B(b)
    {
    }

    // The words a structure at position p starts from, before the discarded
    // draws its constructor makes.
    static Random fromPosition(const glm::vec3& p);

    // Rounds half away from zero in single precision (v - 0.5 or v + 0.5, then
    // truncation). Values outside the int32 range saturate; NaN gives 0.
    static int32_t roundHalfAway(float v);
    // roundHalfAway, passed through float once more (so magnitudes beyond 2^24
    // lose their low bits), kept as the low 32 bits: negative values come out
    // as their two's complement. Seeds and position hashes are made with it.
    static uint32_t roundToWord(float v);
    // u / 2^32 the way the generator has always done it: through double, then
    // float, so words close to 2^32 become exactly 1.0.
    static float wordToUnitFloat(uint32_t u);

    uint32_t next();
    // In [0, 1]; 1.0 itself can occur.
    float nextFloat() { return wordToUnitFloat(next()); }
};
