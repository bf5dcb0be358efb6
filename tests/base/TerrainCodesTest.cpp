#include "base/BlockType.h"
#include "base/TerrainCodes.h"

#include <gtest/gtest.h>

using namespace terrain;

TEST(PointHash, MatchesHandWorkedMultiplyWithCarry)
{
    // (0, 0, 0): z = w = R(77) = 77.
    //   step 1: z = 36969 * 77 + 0 = 2846613,      w = 18000 * 77 + 0 = 1386000
    //   step 2: z = 36969 * 28821 + 43 = 1065483592 ... and so on, eleven steps,
    //   result (z << 16) + w modulo 2^32.
    EXPECT_EQ(pointHash({ 0, 0, 0 }), 4246107450u);
    // A negative seed word is taken as its two's complement: R(-5527 + 77) = -5450.
    EXPECT_EQ(pointHash({ 0, 1, 0 }), 600237525u);
    EXPECT_EQ(pointHash({ 10.5f, 3, 20 }), 2115082343u);
    EXPECT_EQ(pointHash({ 63.5f, 30, 0.5f }), 3012686986u);
}

TEST(TerrainCode, LandmarkRulesComeBeforeBiomeRules)
{
    // Landmark sites win over everything, desert before forest.
    EXPECT_EQ(terrainCode(CODE_DESERT, CODE_FOREST, CODE_LANDMARK), CODE_PYRAMID);
    EXPECT_EQ(terrainCode(CODE_CACTUS, CODE_TREE, CODE_LANDMARK), CODE_PYRAMID);
    EXPECT_EQ(terrainCode(0, CODE_TREE, CODE_LANDMARK), CODE_BIG_HOUSE);
    // A landmark area flattens sites to the plain biome.
    EXPECT_EQ(terrainCode(CODE_CACTUS, CODE_FOREST, CODE_LANDMARK_AREA), CODE_DESERT);
    EXPECT_EQ(terrainCode(0, CODE_VILLAGE_HOUSE, CODE_LANDMARK_AREA), CODE_FOREST);
    // Otherwise the desert code if any, else the forest code.
    EXPECT_EQ(terrainCode(CODE_CACTUS, CODE_TREE, 0), CODE_CACTUS);
    EXPECT_EQ(terrainCode(0, CODE_VILLAGE_EDGE, 0), CODE_VILLAGE_EDGE);
    EXPECT_EQ(terrainCode(0, CODE_TREE, 0), CODE_TREE);
}

TEST(TerrainCode, FeatureCodesPickStructureKindsByHash)
{
    const int forestKinds[5] = { CODE_BIG_HOUSE, CODE_MINESHAFT, CODE_CAMP, CODE_BALLOON, CODE_TOWER };
    for (uint32_t h = 0; h < 10; ++h)
        EXPECT_EQ(featureCode(CODE_BIG_HOUSE, h), forestKinds[h % 5]);
    EXPECT_EQ(featureCode(CODE_BIG_HOUSE, 0xFFFFFFFFu), CODE_BIG_HOUSE); // 4294967295 mod 5 = 0
    EXPECT_EQ(featureCode(CODE_PYRAMID, 6), CODE_PYRAMID);
    EXPECT_EQ(featureCode(CODE_PYRAMID, 7), CODE_DESERT_CRYPT);
    for (int code : { CODE_FOREST, CODE_VILLAGE_AREA, CODE_DESERT, CODE_TREE, CODE_CACTUS, CODE_VILLAGE_HOUSE,
             CODE_VILLAGE_EDGE })
        EXPECT_EQ(featureCode(code, 12345), code);
}

TEST(TerrainCode, SurfaceAndPlacementFollowTheCode)
{
    for (int code : { CODE_DESERT, CODE_PYRAMID, CODE_CACTUS })
        EXPECT_EQ(surfaceBlockFor(code), BLOCK_SAND) << code;
    for (int code :
        { CODE_FOREST, CODE_VILLAGE_AREA, CODE_TREE, CODE_VILLAGE_HOUSE, CODE_VILLAGE_EDGE, CODE_BIG_HOUSE })
        EXPECT_EQ(surfaceBlockFor(code), BLOCK_GRASS) << code;

    EXPECT_EQ(placementOf(CODE_TREE), Placement::Tree);
    EXPECT_EQ(placementOf(CODE_CACTUS), Placement::Cactus);
    for (int code : { 9, 12, 19, 20, 21, 22, 23, 24 })
        EXPECT_EQ(placementOf(code), Placement::Structure) << code;
    for (int code : { 0, 1, 2, 8, 13, 17, 18 })
        EXPECT_EQ(placementOf(code), Placement::Nothing) << code;
}

TEST(TerrainCode, RoundingIsHalfAwayFromZero)
{
    EXPECT_EQ(roundHalfAway(2.5f), 3.0f);
    EXPECT_EQ(roundHalfAway(-2.5f), -3.0f);
    EXPECT_EQ(roundHalfAway(2.49f), 2.0f);
    EXPECT_FLOAT_EQ(roundToHundredths(12.345678f), 12.35f);
    EXPECT_EQ(roundToHundredths(63.5f), 63.5f);
}
