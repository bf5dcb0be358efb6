#include "tools/worldmap/WorldMap.h"
#include "world/WorldGenerator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

// How many columns of a fixed world carry each feature code. Any change to
// noise, classifiers, codes or hashing shows here. When a change is meant,
// regenerate the file on purpose:
//   mossgrave_worldmap 42 -4 -8 3 -1 - > tests/world/golden/feature_counts_seed42.txt
TEST(FeatureCounts, FixedSeedKeepsItsFeatureCounts)
{
    std::ifstream file(MOSSGRAVE_SOURCE_DIR "/tests/world/golden/feature_counts_seed42.txt");
    ASSERT_TRUE(file) << "golden file missing";
    std::stringstream golden;
    golden << file.rdbuf();

    const WorldGenerator generator(42);
    const worldmap::FeatureCounts counts = worldmap::survey(
        generator.sampler(), worldmap::Rect { -4, -8, 3, -1 }, worldmap::Options {}, nullptr);
    EXPECT_EQ(worldmap::formatCounts(counts), golden.str());

    int64_t total = 0;
    for (const auto& [code, n] : counts)
        total += n;
    EXPECT_EQ(total, 64 * 128 * 128);
}
