#include "base/Random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(RandomTest, NextStepsBothWordsAndCombinesThem)
{
    Random r(1, 1);
    EXPECT_EQ(r.next(), 2422818384u);
    EXPECT_EQ(r.B, 36969u);
    EXPECT_EQ(r.A, 18000u);
}

TEST(RandomTest, NextWrapsModulo2To32)
{
    Random r(0xFFFFFFFFu, 0xFFFFFFFFu);
    EXPECT_EQ(r.next(), 3051796911u); // the shift drops the high bits of B
    EXPECT_EQ(r.B, 2422828950u);
    EXPECT_EQ(r.A, 1179695535u);
}

TEST(RandomTest, SeedWordsFromPosition)
{
    const Random origin = Random::fromPosition({ 0, 0, 0 });
    EXPECT_EQ(origin.A, 77u);
    EXPECT_EQ(origin.B, 77u);

    const Random r = Random::fromPosition({ 1, 2, 3 });
    EXPECT_EQ(r.A, 194u);
    EXPECT_EQ(r.B, 4294956477u); // -10819
}

TEST(RandomTest, SeedArithmeticIsSinglePrecision)
{
    // 162 * 103563 + 77 = 16777283 exactly, but float cannot hold an odd number
    // above 2^24, so the seed comes out one higher.
    EXPECT_EQ(Random::fromPosition({ 103563, 0, 0 }).A, 16777284u);
}

TEST(RandomTest, RoundingIsHalfAwayFromZero)
{
    EXPECT_EQ(Random::roundHalfAway(2.5f), 3);
    EXPECT_EQ(Random::roundHalfAway(-2.5f), -3);
    EXPECT_EQ(Random::roundHalfAway(2.49f), 2);
    EXPECT_EQ(Random::roundHalfAway(-0.4f), 0);
    // The half is added in float: the largest float below 0.5 plus 0.5 is 1.0.
    EXPECT_EQ(Random::roundHalfAway(0.49999997f), 1);
}

TEST(RandomTest, NegativeWordsAreTwosComplement)
{
    EXPECT_EQ(Random::roundToWord(-1.0f), 0xFFFFFFFFu);
    EXPECT_EQ(Random::roundToWord(-2.5f), 4294967293u);
    EXPECT_EQ(Random::roundToWord(-10819.2f), 4294956477u);
}

TEST(RandomTest, OutOfRangeAndNanAreDefined)
{
    EXPECT_EQ(Random::roundHalfAway(3e9f), INT32_MAX);
    EXPECT_EQ(Random::roundHalfAway(-3e9f), INT32_MIN);
    EXPECT_EQ(Random::roundHalfAway(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(Random::roundToWord(std::numeric_limits<float>::infinity()), 0x80000000u);
    EXPECT_EQ(Random::roundToWord(-1e20f), 0x80000000u);
}

TEST(RandomTest, UnitFloatReachesOneNearTheTop)
{
    EXPECT_EQ(Random::wordToUnitFloat(0), 0.0f);
    EXPECT_EQ(Random::wordToUnitFloat(0x80000000u), 0.5f);
    // Words from 2^32 - 128 up round to 2^32 in float.
    EXPECT_EQ(Random::wordToUnitFloat(4294967168u), 1.0f);
    EXPECT_LT(Random::wordToUnitFloat(4294967167u), 1.0f);

    // Words chosen so that the next draw is 0xFFFFFFFF.
    Random top((11535u << 16) | 3u, (28566u << 16) | 1u);
    EXPECT_EQ(top.nextFloat(), 1.0f);
    EXPECT_EQ(top.A, 0xFFFFu);
    EXPECT_EQ(top.B, 0xFFFFu);
}

TEST(RandomTest, NextFloatStaysInUnitRangeAndSpreads)
{
    Random r = Random::fromPosition({ 12.5f, 7.0f, -300.25f });
    float lo = 1.0f;
    float hi = 0.0f;
    for (int i = 0; i < 20000; ++i) {
        const float f = r.nextFloat();
        ASSERT_GE(f, 0.0f);
        ASSERT_LE(f, 1.0f);
        lo = std::min(lo, f);
        hi = std::max(hi, f);
    }
    EXPECT_LT(lo, 0.01f);
    EXPECT_GT(hi, 0.99f);
}

} // namespace
