#include "world/TerrainSampler.h"
#include "world/ColumnGrid.h"
#include "world/TerrainClassifier.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace terrain;

namespace {
const TerrainSampler kSeed42(42 * 3.14159f);
}

TEST(TerrainSampler, HeightsAreHalfUnitsBetweenZeroAndThirty)
{
    float lo = 100, hi = -100;
    for (int k = 0; k < 400; ++k) {
        for (int i = 0; i < 400; ++i) {
            const float h = kSeed42.surfaceHeight(
                TerrainSampler::noisePosition(-2, i), TerrainSampler::noisePosition(1, k));
            ASSERT_EQ(h * 2, std::floor(h * 2)) << h;
            lo = std::min(lo, h);
            hi = std::max(hi, h);
        }
    }
    EXPECT_GE(lo, 0.0f);
    EXPECT_LE(hi, 30.0f);
    EXPECT_LT(lo, hi);
}

TEST(TerrainSampler, ColumnPositionsAndCodes)
{
    // Column (3, 5) of chunk (-1, 2): local (1.5, h, 2.5), noise position (-1 + 3.5/128, 2 + 5.5/128).
    const Column c = kSeed42.column(-1, 2, 3, 5);
    EXPECT_EQ(c.local.x, 1.5f);
    EXPECT_EQ(c.local.z, 2.5f);
    EXPECT_EQ(c.local.y, kSeed42.surfaceHeight(-1 + 3.5f / 128, 2 + 5.5f / 128));
    const float X = -1 + 3.5f / 128, Z = 2 + 5.5f / 128;
    EXPECT_EQ(c.terrain,
        terrainCode(
            kSeed42.classifyDesert(X, Z), kSeed42.classifyForest(X, Z), kSeed42.classifyLandmark(X, Z)));
    EXPECT_EQ(c.feature, featureCode(c.terrain, pointHash(c.local)));
}

// The shortcut classifier skips fields that cannot change the code; on a
// strip of columns crossing desert and forest it must agree with the three
// classifiers combined by the precedence rules.
TEST(TerrainSampler, ShortcutClassificationMatchesFullRules)
{
    const DirectField field { kSeed42.seedOffset() };
    int desert = 0, forest = 0;
    for (int n = 0; n < 3000; ++n) {
        const float X = -6 + n * 0.0041f, Z = 3 - n * 0.0023f;
        const int full = terrainCode(
            kSeed42.classifyDesert(X, Z), kSeed42.classifyForest(X, Z), kSeed42.classifyLandmark(X, Z));
        ASSERT_EQ(classifyColumn(field, { X, Z }), full) << X << ' ' << Z;
        (isDesertCode(full) ? desert : forest)++;
    }
    EXPECT_GT(desert, 100);
    EXPECT_GT(forest, 100);
}

// Shared noise must give bit-identical sites and columns, including chunks
// at negative coordinates and the last chunk where the shared grid is used.
TEST(TerrainSampler, SharedScanEqualsReferenceScan)
{
    const int32_t chunks[][2]
        = { { 0, 0 }, { -1, 0 }, { 3, -2 }, { -5, -7 }, { ColumnGrid::kMaxExactChunk, 1 } };
    int total = 0;
    for (const auto& c : chunks) {
        const std::vector<Site> fast = kSeed42.sites(c[0], c[1]);
        const std::vector<Site> reference = kSeed42.referenceSites(c[0], c[1]);
        EXPECT_EQ(fast, reference) << c[0] << ' ' << c[1];
        total += int(fast.size());
    }
    EXPECT_GT(total, 20);

    auto columns = std::make_unique<ChunkColumns>();
    kSeed42.columns(3, -2, *columns);
    for (int k = 0; k < 128; k += 3) {
        for (int i = 0; i < 128; i += 5) {
            const Column c = kSeed42.column(3, -2, i, k);
            ASSERT_EQ(columns->height[k * 128 + i], c.local.y);
            ASSERT_EQ(columns->terrain[k * 128 + i], c.terrain);
            ASSERT_EQ(columns->feature[k * 128 + i], c.feature);
        }
    }
}

TEST(TerrainSampler, SitesCarryWorldPositionAndSeedChunk)
{
    for (const Site& s : kSeed42.sites(-5, -7)) {
        EXPECT_EQ(s.chunkX, -5);
        EXPECT_EQ(s.chunkZ, -7);
        EXPECT_GE(s.position.x, -5 * 64.0f);
        EXPECT_LT(s.position.x, -4 * 64.0f);
        EXPECT_GE(s.position.z, -7 * 64.0f);
        EXPECT_LT(s.position.z, -6 * 64.0f);
        EXPECT_NE(placementOf(s.feature), Placement::Nothing);
        const int i = int((s.position.x + 5 * 64.0f) * 2), k = int((s.position.z + 7 * 64.0f) * 2);
        EXPECT_EQ(kSeed42.column(-5, -7, i, k).feature, s.feature);
    }
}

TEST(ColumnGrid, CoordinatesMatchChunkPlusColumn)
{
    EXPECT_EQ(ColumnGrid::coordinate(0), 0.5f / 128);
    EXPECT_EQ(ColumnGrid::coordinate(127), 127.5f / 128);
    EXPECT_EQ(ColumnGrid::coordinate(-1), -1 + 127.5f / 128);
    EXPECT_EQ(ColumnGrid::coordinate(-128), -1 + 0.5f / 128);
    EXPECT_EQ(ColumnGrid::coordinate(5 * 128 + 7), TerrainSampler::noisePosition(5, 7));
    EXPECT_TRUE(ColumnGrid::isExact(-ColumnGrid::kMaxExactChunk, ColumnGrid::kMaxExactChunk));
    EXPECT_FALSE(ColumnGrid::isExact(ColumnGrid::kMaxExactChunk + 1, 0));
}
