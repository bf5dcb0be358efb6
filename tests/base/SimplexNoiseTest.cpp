#include "base/SimplexNoise.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace SimplexNoise;

TEST(SimplexNoise, PermutationIsPerlinsTableWrittenTwice)
{
    std::array<bool, 256> seen {};
    for (int i = 0; i < 256; ++i) {
        EXPECT_FALSE(seen[perm[i]]) << "value " << int(perm[i]) << " twice";
        seen[perm[i]] = true;
        EXPECT_EQ(perm[i], perm[i + 256]);
    }
    EXPECT_EQ(perm[0], 151);
    EXPECT_EQ(perm[1], 160);
    EXPECT_EQ(perm[5], 15);
    EXPECT_EQ(perm[255], 180);
}

// A simplex lattice corner is (i, j, k) - (i + j + k) / 6 for integers i, j, k:
// the point sits on a corner, its own gradient dots with a zero vector and the
// other three corners are too far away to contribute.
TEST(SimplexNoise, Raw3IsZeroOnLatticeCorners)
{
    EXPECT_EQ(raw3(0, 0, 0), 0.0f);
    EXPECT_NEAR(raw3(0.5f, 0.5f, 0.5f), 0.0f, 1e-6f); // (1, 1, 1)
    EXPECT_NEAR(raw3(1, 2, 3), 0.0f, 1e-6f); // (3, 4, 5)
    EXPECT_NEAR(raw3(1.5f, -0.5f, 0.5f), 0.0f, 1e-6f); // (2, 0, 1)
    EXPECT_NEAR(raw3(-4, -4, -4), 0.0f, 1e-6f);
}

TEST(SimplexNoise, Raw3MatchesHandWorkedValues)
{
    // (0.1, 0.2, 0.3): skew s = 0.6 / 3 = 0.2, cell (0, 0, 0), unskew t = 0, so
    // d0 = (0.1, 0.2, 0.3); z > y > x picks the corners (0,0,1) and (0,1,1).
    //   corner 0: perm[perm[perm[0]]] = perm[perm[151]] = perm[17] = 36 -> gradient 0 (1,1,0);
    //             t = 0.6 - 0.14 = 0.46, 0.46^4 * (0.1 + 0.2) = 0.013432368
    //   corner (0,0,1): d = (0.2667, 0.3667, -0.5333), gradient 2 (1,-1,0): t = 0.11 -> -1.4641e-5
    //   corner (0,1,1): d = (0.4333, -0.4667, -0.3667), gradient 8 (0,1,1): t = 0.06 -> -1.08e-5
    //   corner (1,1,1): d = (-0.4, -0.3, -0.2), gradient 3 (-1,-1,0): t = 0.31 -> 0.006464647
    //   32 * sum = 0.63589037
    EXPECT_NEAR(raw3(0.1f, 0.2f, 0.3f), 0.63589037f, 2e-6f);
    EXPECT_NEAR(raw3(-3.7f, 12.25f, 5.5f), -0.80496837f, 2e-6f);
    EXPECT_NEAR(raw3(0.25f, -0.75f, 1.5f), 0.39721582f, 2e-6f);
}

TEST(SimplexNoise, Raw3StaysWithinUnitRangeAndIsDeterministic)
{
    float lo = 0, hi = 0;
    for (int i = 0; i < 20000; ++i) {
        const float x = i * 0.0137f - 50, y = i * 0.0291f - 300, z = std::sin(float(i)) * 40;
        const float v = raw3(x, y, z);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
        ASSERT_EQ(v, raw3(x, y, z));
    }
    EXPECT_GE(lo, -1.0f);
    EXPECT_LE(hi, 1.0f);
    EXPECT_LT(lo, -0.5f);
    EXPECT_GT(hi, 0.5f);
}

TEST(SimplexNoise, ScaledAndOctaveCombineRawValues)
{
    const float r = raw3(0.1f, 0.2f, 0.3f);
    EXPECT_FLOAT_EQ(scaled3(0, 1, 0.1f, 0.2f, 0.3f), r * 0.5f + 0.5f);
    EXPECT_FLOAT_EQ(scaled3(-10, 30, 0.1f, 0.2f, 0.3f), r * 20 + 10);

    // Three octaves at 0.4, 0.8, 1.6 with amplitudes 1, 0.4, 0.16 (sum 1.56).
    const float x = 0.3f, y = -1.7f, z = 2.5f;
    const float expected = (raw3(x * 0.4f, y * 0.4f, z * 0.4f) + 0.4f * raw3(x * 0.8f, y * 0.8f, z * 0.8f)
                               + 0.16f * raw3(x * 1.6f, y * 1.6f, z * 1.6f))
        / 1.56f;
    EXPECT_NEAR(octave3(3, 0.4f, 0.4f, x, y, z), expected, 1e-6f);
    EXPECT_NEAR(octave3(3, 0.4f, 0.4f, x, y, z), -0.16735887f, 2e-6f);
    EXPECT_EQ(octave3(1, 0.4f, 1.0f, x, y, z), raw3(x, y, z));
    EXPECT_EQ(octave3(0, 0.4f, 1.0f, x, y, z), 0.0f);
}

TEST(SimplexNoise, AbsurdCoordinatesGiveFiniteValues)
{
    EXPECT_TRUE(std::isfinite(raw3(1e30f, -1e30f, 6.7e9f)));
    EXPECT_TRUE(std::isfinite(raw2(-1e30f, 3e12f)));
}

TEST(SimplexNoise, Raw2MatchesHandWorkedValuesAndCorners)
{
    EXPECT_EQ(raw2(0, 0), 0.0f);
    // Corner (1, 2) of the skewed grid: (1, 2) - 3 * (3 - sqrt 3) / 6.
    EXPECT_NEAR(raw2(0.36602540f, 1.36602540f), 0.0f, 1e-6f);
    EXPECT_NEAR(raw2(0.1f, 0.2f), -0.29410757f, 2e-6f);
    EXPECT_NEAR(raw2(0.3f, 0.7f), 0.25522063f, 2e-6f);
    EXPECT_NEAR(raw2(-2.25f, 5.5f), 0.71259668f, 2e-6f);
    EXPECT_FLOAT_EQ(scaled2(0, 1, 0.3f, 0.7f), raw2(0.3f, 0.7f) * 0.5f + 0.5f);
    EXPECT_NEAR(
        octave2(2, 0.5f, 1.0f, 0.3f, 0.7f), (raw2(0.3f, 0.7f) + 0.5f * raw2(0.6f, 1.4f)) / 1.5f, 1e-6f);
}

TEST(SimplexNoise, CountsEvaluationsPerThread)
{
    resetEvaluationCount();
    raw3(1, 2, 3);
    octave3(3, 0.5f, 1, 1, 2, 3);
    raw2(1, 2);
    EXPECT_EQ(evaluationCount(), 5u);
    resetEvaluationCount();
    EXPECT_EQ(evaluationCount(), 0u);
}
