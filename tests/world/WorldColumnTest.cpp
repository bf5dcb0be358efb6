// The world tells the game which kind of column the player stands on, so the
// ambience can change between forest and desert.
#include "StreamingTestHelpers.h"
#include "base/TerrainCodes.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

// The first noise position along a fixed line whose terrain code satisfies `wanted`.
template <class Pred> std::optional<glm::vec2> findColumn(const World& world, Pred wanted)
{
    for (int i = 0; i < 20000; ++i) {
        const glm::vec2 p(i * 0.173f, 3.0f - i * 0.061f);
        if (wanted(world.generator.terrainCodeAt(p.x, p.y)))
            return p;
    }
    return std::nullopt;
}

glm::vec3 worldPoint(const glm::vec2& noisePosition)
{
    return glm::vec3(noisePosition.x * CHUNK_SIZE, 20.0f, noisePosition.y * CHUNK_SIZE);
}

} // namespace

TEST(WorldColumn, TheColumnTypeIsReportedOnceAndAgainWhenItChanges)
{
    auto world = makeTestWorld(0, 1);
    const auto forest = findColumn(*world, [](int c) { return c == terrain::CODE_FOREST; });
    const auto desert = findColumn(*world, [](int c) { return c == terrain::CODE_DESERT; });
    ASSERT_TRUE(forest && desert) << "the test seed has no forest or no desert on the search line";

    std::vector<int> heard;
    world->onColumnCode = [&](int code) { heard.push_back(code); };
    world->playerPosition = worldPoint(*forest);
    world->update(0.0f);
    world->update(0.0f);
    EXPECT_EQ(heard, std::vector<int> { terrain::CODE_FOREST }) << "told once, at the first update";
    EXPECT_FALSE(world->inDesert);

    world->playerPosition = worldPoint(*desert);
    world->update(0.0f);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard.back(), terrain::CODE_DESERT);
    EXPECT_EQ(world->columnCode, terrain::CODE_DESERT);
    EXPECT_TRUE(world->inDesert);

    // Standing still on the same column asks nothing and tells nothing.
    world->update(0.0f);
    EXPECT_EQ(heard.size(), 2u);

    world->playerPosition = worldPoint(*forest);
    world->update(0.0f);
    EXPECT_EQ(heard.back(), terrain::CODE_FOREST);
    EXPECT_FALSE(world->inDesert);
}

TEST(WorldColumn, OnlyDesertAndPyramidColumnsCountAsDesert)
{
    auto world = makeTestWorld(0, 1);
    // A cactus stands in the desert but its column has its own code; the flag follows
    // the two desert codes alone.
    const auto cactus = findColumn(*world, [](int c) { return c == terrain::CODE_CACTUS; });
    if (!cactus)
        GTEST_SKIP() << "no cactus column on the search line";
    world->playerPosition = worldPoint(*cactus);
    world->update(0.0f);
    EXPECT_EQ(world->columnCode, terrain::CODE_CACTUS);
    EXPECT_FALSE(world->inDesert);
}

// A body flung to absurd coordinates once made the square's loops run past the end of
// the integer range and never return.
TEST(WorldColumn, AbsurdPositionsNeitherHangTheSquareNorBreakTheLookup)
{
    auto world = makeTestWorld(0, 1);
    int calls = 0;
    world->onColumnCode = [&](int) { ++calls; };
    world->playerPosition = glm::vec3(1.0e30f, 20.0f, -1.0e30f);
    world->update(0.0f);
    ASSERT_TRUE(runFramesUntil(*world, [&] { return world->isLoaded(); }, 60));
    EXPECT_EQ(calls, 1);
    const float inf = std::numeric_limits<float>::infinity();
    for (const glm::vec3& p : { glm::vec3(std::numeric_limits<float>::quiet_NaN(), 20.0f, 0.0f),
             glm::vec3(inf, 20.0f, -inf) }) {
        world->playerPosition = p;
        world->update(0.0f);
    }
    EXPECT_EQ(calls, 1) << "nothing is looked up where there is no column";
    EXPECT_LE(world->chunks.size(), 1u);
}
