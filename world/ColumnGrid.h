#pragma once

#include "world/TerrainClassifier.h"

#include <cstdint>
#include <vector>

namespace terrain {

// A field for the classifiers (see TerrainClassifier.h) that evaluates each
// noise value and gradient at most once per column: a column's gradient reads
// the values of its four neighbours, and the neighbourhood tests read the
// gradients around it, so neighbouring columns share almost all their work.
//
// Positions are global column indices (chunk * 128 + column). The covered
// area is one chunk plus a margin wide enough for the largest neighbourhood
// test; positions outside it are evaluated directly.
//
// Reading a neighbour's value instead of offsetting a float position gives
// the same bits only while column coordinates are exact in single precision,
// which holds for |chunk| <= kMaxExactChunk; callers use DirectField beyond.
class ColumnGrid {
public:
    struct Pos {
        int32_t x, z;
        Pos offset(int a, int b) const { return { x + a, z + b }; }
    };

    static constexpr int kMaxExactChunk = 1 << 14;
    static constexpr int kMargin = 21;

    ColumnGrid(float seedOffset, int32_t cx, int32_t cz);

    static bool isExact(int32_t cx, int32_t cz);
    // Chunk-unit coordinate of a global column: chunk + (column + 0.5) / 128.
    static float coordinate(int32_t globalColumn);
    static Pos columnPos(int32_t cx, int32_t cz, int i, int k) { return { cx * 128 + i, cz * 128 + k }; }

    float value(Field f, Pos p) const;
    float gradient(Field f, Pos p) const;

private:
    int indexOf(Pos p) const;

    float seedOffset_;
    int32_t originX_, originZ_; // global column of grid cell (0, 0)
    int size_;
    // Lazily filled; NaN marks "not computed yet". Logically const: filling a
    // cache never changes an answer.
    mutable std::vector<float> values_[FIELD_COUNT];
    mutable std::vector<float> gradients_[FIELD_COUNT];
};

} // namespace terrain
