#include "world/TerrainSampler.h"

#include "base/SimplexNoise.h"
#include "world/ColumnGrid.h"
#include "world/TerrainClassifier.h"

#include <cmath>

namespace terrain {

namespace {

// Terrain codes whose feature places something.
bool isSiteCode(int terrain)
{
    return terrain == CODE_PYRAMID || terrain == CODE_TREE || terrain == CODE_CACTUS
        || terrain == CODE_VILLAGE_HOUSE || terrain == CODE_BIG_HOUSE;
}

Site siteOf(const Column& c, int32_t cx, int32_t cz)
{
    const glm::vec3 world(c.local.x + cx * kChunkSize, c.local.y, c.local.z + cz * kChunkSize);
    return Site { c.feature, world, cx, cz };
}

// The classification of a column, the shared way when positions are exact.
template <class Visit> void scanChunk(float seedOffset, int32_t cx, int32_t cz, Visit&& visit)
{
    if (ColumnGrid::isExact(cx, cz)) {
        const ColumnGrid grid(seedOffset, cx, cz);
        for (int k = 0; k < kColumns; ++k)
            for (int i = 0; i < kColumns; ++i)
                visit(i, k, classifyColumn(grid, ColumnGrid::columnPos(cx, cz, i, k)));
        return;
    }
    const DirectField field { seedOffset };
    for (int k = 0; k < kColumns; ++k)
        for (int i = 0; i < kColumns; ++i)
            visit(i, k,
                classifyColumn(field,
                    DirectField::Pos {
                        TerrainSampler::noisePosition(cx, i), TerrainSampler::noisePosition(cz, k) }));
}

} // namespace

float TerrainSampler::noise01(float x, float z) const
{
    return terrain::noise01(x, z, seedOffset_);
}

float TerrainSampler::surfaceHeight(float X, float Z) const
{
    const float n = SimplexNoise::octave3(3, 0.4f, 0.4f, X, Z, seedOffset_);
    return std::ceil((n + 1.0f) * 0.5f * 30.0f * 2.0f) * 0.5f;
}

float TerrainSampler::plantValue(const glm::vec3& world) const
{
    return noise01(world.x * 20.0f, world.z * 20.0f);
}

int TerrainSampler::classifyDesert(float X, float Z) const
{
    return terrain::classifyDesert(DirectField { seedOffset_ }, { X, Z });
}

int TerrainSampler::classifyForest(float X, float Z) const
{
    return terrain::classifyForest(DirectField { seedOffset_ }, { X, Z });
}

int TerrainSampler::classifyLandmark(float X, float Z) const
{
    return terrain::classifyLandmark(DirectField { seedOffset_ }, { X, Z });
}

int TerrainSampler::terrainCodeAt(float X, float Z) const
{
    return terrain::classifyColumn(DirectField { seedOffset_ }, { X, Z });
}

Column TerrainSampler::finishColumn(int32_t cx, int32_t cz, int i, int k, int terrain) const
{
    Column c;
    const float height = surfaceHeight(noisePosition(cx, i), noisePosition(cz, k));
    c.local = glm::vec3(roundToHundredths(0.5f * i), roundToHundredths(height), roundToHundredths(0.5f * k));
    c.terrain = terrain;
    c.feature = featureCode(terrain, pointHash(c.local));
    return c;
}

Column TerrainSampler::column(int32_t cx, int32_t cz, int i, int k) const
{
    const float X = noisePosition(cx, i), Z = noisePosition(cz, k);
    const int terrain = terrainCode(classifyDesert(X, Z), classifyForest(X, Z), classifyLandmark(X, Z));
    return finishColumn(cx, cz, i, k, terrain);
}

std::vector<Site> TerrainSampler::referenceSites(int32_t cx, int32_t cz) const
{
    std::vector<Site> out;
    for (int k = 0; k < kColumns; ++k) {
        for (int i = 0; i < kColumns; ++i) {
            const Column c = column(cx, cz, i, k);
            if (placementOf(c.feature) != Placement::Nothing)
                out.push_back(siteOf(c, cx, cz));
        }
    }
    return out;
}

std::vector<Site> TerrainSampler::sites(int32_t cx, int32_t cz) const
{
    std::vector<Site> out;
    scanChunk(seedOffset_, cx, cz, [&](int i, int k, int terrain) {
        // Only site codes need the height (for the hash and the position).
        if (isSiteCode(terrain))
            out.push_back(siteOf(finishColumn(cx, cz, i, k, terrain), cx, cz));
    });
    return out;
}

void TerrainSampler::columns(int32_t cx, int32_t cz, ChunkColumns& out) const
{
    scanChunk(seedOffset_, cx, cz, [&](int i, int k, int terrain) {
        const Column c = finishColumn(cx, cz, i, k, terrain);
        out.height[k * kColumns + i] = c.local.y;
        out.terrain[k * kColumns + i] = static_cast<uint8_t>(c.terrain);
        out.feature[k * kColumns + i] = static_cast<uint8_t>(c.feature);
    });
}

} // namespace terrain
