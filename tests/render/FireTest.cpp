#include "app/Game.h"
#include "render/Fire.h"

#include "world/World.h"

#include "../world/WorldTestHelpers.h"

#include <gtest/gtest.h>

TEST(Fire, TheNoiseTilesSeamlesslyAndStaysInRange)
{
    constexpr int SIZE = 100;
    for (int i = 0; i < SIZE; i += 7) {
        // Column SIZE would be the first column again, row SIZE the first row.
        EXPECT_NEAR(Fire::tiledNoise(0, i, SIZE, 1.0f), Fire::tiledNoise(SIZE, i, SIZE, 1.0f), 1e-5f);
        EXPECT_NEAR(Fire::tiledNoise(i, 0, SIZE, 1.0f), Fire::tiledNoise(i, SIZE, SIZE, 1.0f), 1e-5f);
    }
    Fire fire(0, 0, 0, 1.0f);
    ASSERT_NE(fire.noise, nullptr);
    EXPECT_EQ(fire.noise->width, 100.0f);
    EXPECT_EQ(fire.noise->height, 100.0f);
    float lo = 1.0f, hi = 0.0f;
    for (int k = 0; k < fire.noise->pixelCount; ++k) {
        lo = std::min(lo, fire.noise->data[size_t(k)]);
        hi = std::max(hi, fire.noise->data[size_t(k)]);
    }
    EXPECT_GE(lo, 0.0f);
    EXPECT_LE(hi, 1.0f);
    EXPECT_GT(hi - lo, 0.2f); // there is something to flicker
}

TEST(Fire, ItIsVisibleOnlyWhileTheChunkUnderItIsLoaded)
{
    World world(1, glm::vec3(CHUNK_SIZE), 1);
    Fire fire(40, -5128, 20, 1.0f);
    SoundSource crackle; // no audio device here: inert
    updateFire(fire, crackle, &world, 0.5f);
    EXPECT_FALSE(fire.visible); // parked below an empty world
    EXPECT_EQ(fire.time, 0.5f);

    world.chunks.push_back(makeGroundChunk(0, 0, 10.0f));
    updateFire(fire, crackle, &world, 0.5f);
    EXPECT_TRUE(fire.visible); // chunk (0, 0) lies above the parking place
    fire.setPosition(glm::vec3(-10, 12, 5));
    EXPECT_EQ(glm::vec3(fire.modelMatrix[3]), glm::vec3(-10, 12, 5));
    updateFire(fire, crackle, &world, 0.1f);
    EXPECT_FALSE(fire.visible); // chunk (-1, 0) is not loaded
    updateFire(fire, crackle, nullptr, 0.1f);
    EXPECT_FALSE(fire.visible);
    EXPECT_FLOAT_EQ(fire.time, 1.2f);
}
