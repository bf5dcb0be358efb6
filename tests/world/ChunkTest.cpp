#include "gameplay/GameServices.h"
#include "world/Chunk.h"

#include "WorldTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Chunk, GenerationLifecycle)
{
    Chunk chunk(-2, 3);
    EXPECT_TRUE(chunk.busy);
    EXPECT_FALSE(chunk.ready);
    chunk.prepareGeneration();
    EXPECT_FALSE(chunk.busy);
    EXPECT_EQ(chunk.root->box.min, glm::vec3(-128, 0, 192));
    EXPECT_EQ(chunk.root->box.max, glm::vec3(-64, 64, 256));
    EXPECT_EQ(chunk.root->countNodes(), 73);
    EXPECT_EQ(chunk.heightAtCell(127, 127), 0.0f);
    chunk.finishGeneration();
    EXPECT_EQ(chunk.stateFlags, Chunk::OCTREE_BUILT);
    EXPECT_TRUE(chunk.ready);
}

TEST(Chunk, CellOfAndChunkCoordOf)
{
    Chunk chunk(1, -1); // origin (64, 0, -64)
    EXPECT_EQ(chunk.cellOf({ 64.3f, 0.25f, -64 }), glm::ivec3(0, 1, 0));
    EXPECT_EQ(chunk.cellOf({ 64.5f, 70.0f, -63.5f }), glm::ivec3(1, 140, 1)); // y is never clamped
    EXPECT_EQ(chunk.cellOf({ 64 + 63.9f, -3.0f, -64 }), glm::ivec3(127, -6, 0));
    EXPECT_EQ(chunk.cellOf({ 64 + 70.0f, 0, -100 }), glm::ivec3(127, 0, 0));
    const glm::ivec3 wild = chunk.cellOf({ NAN, 1e30f, -INFINITY }); // an edge, never an overflow
    EXPECT_EQ(wild.x, 0);
    EXPECT_EQ(wild.z, 0);
    EXPECT_GT(wild.y, 1000000);

    EXPECT_EQ(chunkCoordOf(-0.1f, 63.9f), (ChunkCoord { -1, 0 }));
    EXPECT_EQ(chunkCoordOf(64.0f, -64.0f), (ChunkCoord { 1, -1 }));
    EXPECT_EQ(chunkCoordOf(NAN, 1e38f), (ChunkCoord { 0, 2147483647 }));
}

TEST(Chunk, HeightmapFollowsSurfaceButNotLastRowAndColumn)
{
    auto chunk = makeGroundChunk(0, 0, 10.0f);
    EXPECT_EQ(chunk->heightAtCell(126, 126), 10.0f);
    for (int i = 0; i < 128; ++i) {
        EXPECT_EQ(chunk->heightAtCell(i, 127), 0.0f) << i;
        EXPECT_EQ(chunk->heightAtCell(127, i), 0.0f) << i;
    }
    // A region update recomputes only the columns it covers.
    chunk->root->fill(BLOCK_BRICK, aabb({ 2, 10, 2 }, { 3, 12.5f, 3 }));
    chunk->root->fill(BLOCK_AIR, aabb({ 40, 0, 40 }, { 41, 64, 41 }));
    chunk->computeHeightmap(aabb({ 0, 0, 0 }, { 3.4f, 64, 3.4f }));
    EXPECT_EQ(chunk->heightAtCell(5, 5), 12.5f);
    EXPECT_EQ(chunk->heightAtCell(80, 80), 10.0f);
    chunk->computeHeightmap(aabb({ 39, 0, 39 }, { 42, 64, 42 }));
    EXPECT_EQ(chunk->heightAtCell(80, 80), 0.0f); // an empty column

    testing::internal::CaptureStdout();
    chunk->computeHeightmap(aabb({ 64, 0, 0 }, { 80, 64, 64 })); // touching is not overlapping
    Chunk(0, 0).computeHeightmap(aabb({ 0, 0, 0 }, { 64, 64, 64 })); // nothing generated yet
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "heightmap failed\nheightmap failed\n");
}

TEST(Chunk, CollidesWithVoxelsOrObjects)
{
    auto chunk = makeGroundChunk(0, 0, 10.0f);
    const CollisionObject standing(aabb({ 5, 10, 5 }, { 6, 12, 6 }));
    EXPECT_FALSE(chunk->collides(standing));
    EXPECT_TRUE(chunk->collides(CollisionObject(aabb({ 5, 9.8f, 5 }, { 6, 12, 6 }))));
    chunk->objects.push_back(std::make_unique<ProbeObject>(glm::vec3(5.5f, 11.0f, 5.5f)));
    EXPECT_TRUE(chunk->collides(standing));
}

TEST(Chunk, UpdateObjectsRemovesInactiveByMovingLastIntoPlace)
{
    Chunk chunk(0, 0);
    int deaths = 0;
    ProbeObject* probes[5];
    for (int i = 0; i < 5; ++i) {
        probes[i] = new ProbeObject(glm::vec3(float(i)));
        probes[i]->deaths = &deaths;
        chunk.objects.emplace_back(probes[i]);
    }
    probes[0]->dieOnUpdate = true;
    probes[4]->dieOnUpdate = true; // moved into slot 0, stepped there, and dies too
    probes[2]->dieOnUpdate = true;
    chunk.updateObjects(0.016f, noGame());
    ASSERT_EQ(chunk.objects.size(), 2u);
    EXPECT_EQ(chunk.objects[0].get(), probes[3]);
    EXPECT_EQ(chunk.objects[1].get(), probes[1]);
    EXPECT_EQ(deaths, 3);
    EXPECT_EQ(probes[3]->updates, 1);

    probes[1]->dieOnUpdate = true; // the last entry simply goes
    chunk.updateObjects(0.016f, noGame());
    ASSERT_EQ(chunk.objects.size(), 1u);
    EXPECT_EQ(chunk.objects[0].get(), probes[3]);
}
