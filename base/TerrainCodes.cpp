#include "base/TerrainCodes.h"

#include "base/BlockType.h"

#include <cmath>

namespace terrain {

float roundHalfAway(float v)
{
    return std::round(v);
}

float roundToHundredths(float v)
{
    return roundHalfAway(v * 100.0f) / 100.0f;
}

namespace {

// R(v) as a 32-bit word; negative values wrap to their two's complement.
// Values beyond any real position are clamped so the conversion stays defined.
uint32_t roundedWord(float v)
{
    constexpr float kLimit = 9.0e18f;
    float r = roundHalfAway(v);
    if (!(r > -kLimit))
        r = -kLimit;
    else if (r > kLimit)
        r = kLimit;
    return static_cast<uint32_t>(static_cast<int64_t>(r));
}

} // namespace

uint32_t pointHash(const glm::vec3& p)
{
    uint32_t z = roundedWord(2.0f * p.x - 5527.0f * p.y + 52.0f * p.z + 77.0f);
    uint32_t w = roundedWord(162.0f * p.x + 15.0f * p.y - 25.0f * p.z + 77.0f);
    for (int i = 0; i < 11; ++i) {
        z = 36969u * (z & 0xFFFFu) + (z >> 16);
        w = 18000u * (w & 0xFFFFu) + (w >> 16);
    }
    return (z << 16) + w;
}

int terrainCode(int desert, int forest, int landmark)
{
    if (desert != 0 && landmark == CODE_LANDMARK)
        return CODE_PYRAMID;
    if (forest != 0 && landmark == CODE_LANDMARK)
        return CODE_BIG_HOUSE;
    if (desert != 0 && landmark == CODE_LANDMARK_AREA)
        return CODE_DESERT;
    if (forest != 0 && landmark == CODE_LANDMARK_AREA)
        return CODE_FOREST;
    return desert != 0 ? desert : forest;
}

int featureCode(int terrain, uint32_t hash)
{
    if (terrain == CODE_BIG_HOUSE) {
        static constexpr int kForestLandmarks[5]
            = { CODE_BIG_HOUSE, CODE_MINESHAFT, CODE_CAMP, CODE_BALLOON, CODE_TOWER };
        return kForestLandmarks[hash % 5];
    }
    if (terrain == CODE_PYRAMID)
        return (hash & 1u) ? CODE_DESERT_CRYPT : CODE_PYRAMID;
    return terrain;
}

bool isDesertCode(int terrain)
{
    return terrain == CODE_DESERT || terrain == CODE_PYRAMID || terrain == CODE_CACTUS;
}

int surfaceBlockFor(int terrain)
{
    return isDesertCode(terrain) ? BLOCK_SAND : BLOCK_GRASS;
}

Placement placementOf(int feature)
{
    switch (feature) {
    case CODE_TREE:
        return Placement::Tree;
    case CODE_CACTUS:
        return Placement::Cactus;
    case CODE_PYRAMID:
    case CODE_VILLAGE_HOUSE:
    case CODE_BIG_HOUSE:
    case CODE_DESERT_CRYPT:
    case CODE_MINESHAFT:
    case CODE_CAMP:
    case CODE_BALLOON:
    case CODE_TOWER:
        return Placement::Structure;
    default:
        return Placement::Nothing;
    }
}

} // namespace terrain
