#include "world/ColumnGrid.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace terrain {

namespace {
constexpr float kUnset = std::numeric_limits<float>::quiet_NaN();

int32_t floorDiv128(int32_t g)
{
    return g >= 0 ? g / 128 : -((-g + 127) / 128);
}
}

ColumnGrid::ColumnGrid(float seedOffset, int32_t cx, int32_t cz)
    : seedOffset_(seedOffset)
    , originX_(cx * 128 - kMargin)
    , originZ_(cz * 128 - kMargin)
    , size_(128 + 2 * kMargin)
{
}

bool ColumnGrid::isExact(int32_t cx, int32_t cz)
{
    return std::abs(cx) <= kMaxExactChunk && std::abs(cz) <= kMaxExactChunk;
}

float ColumnGrid::coordinate(int32_t globalColumn)
{
    const int32_t chunk = floorDiv128(globalColumn);
    const int32_t column = globalColumn - chunk * 128;
    return static_cast<float>(chunk) + (static_cast<float>(column) + 0.5f) / 128.0f;
}

int ColumnGrid::indexOf(Pos p) const
{
    const int32_t x = p.x - originX_, z = p.z - originZ_;
    if (x < 0 || z < 0 || x >= size_ || z >= size_)
        return -1;
    return z * size_ + x;
}

float ColumnGrid::value(Field f, Pos p) const
{
    const int index = indexOf(p);
    if (index < 0)
        return transformedNoise(f, coordinate(p.x), coordinate(p.z), seedOffset_);
    std::vector<float>& cache = values_[f];
    if (cache.empty())
        cache.assign(size_t(size_) * size_, kUnset);
    float& v = cache[index];
    if (std::isnan(v))
        v = transformedNoise(f, coordinate(p.x), coordinate(p.z), seedOffset_);
    return v;
}

float ColumnGrid::gradient(Field f, Pos p) const
{
    const int index = indexOf(p);
    float* slot = nullptr;
    if (index >= 0) {
        std::vector<float>& cache = gradients_[f];
        if (cache.empty())
            cache.assign(size_t(size_) * size_, kUnset);
        slot = &cache[index];
        if (!std::isnan(*slot))
            return *slot;
    }
    // Same expression as DirectField::gradient, so the same bits.
    const float dz = value(f, p.offset(0, 1)) - value(f, p.offset(0, -1));
    const float dx = value(f, p.offset(1, 0)) - value(f, p.offset(-1, 0));
    const float g = std::sqrt(dz * dz + dx * dx);
    if (slot)
        *slot = g;
    return g;
}

} // namespace terrain
