#include "world/Chunk.h"

#include "WorldTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Chunk, NewRecordWaitsForGeneration)
{
    Chunk chunk(-2, 3);
    EXPECT_EQ(chunk.root, nullptr);
    EXPECT_EQ(chunk.heightmap, nullptr);
    EXPECT_EQ(chunk.stateFlags, 0);
    EXPECT_FALSE(chunk.ready);
    EXPECT_TRUE(chunk.busy);

    chunk.prepareGeneration();
    EXPECT_FALSE(chunk.busy);
    EXPECT_FALSE(chunk.ready);
    ASSERT_NE(chunk.root, nullptr);
    EXPECT_EQ(chunk.root->box.min, glm::vec3(-128, 0, 192));
    EXPECT_EQ(chunk.root->box.max, glm::vec3(-64, 64, 256));
    EXPECT_EQ(chunk.root->type, MIXED_NODE);
    EXPECT_EQ(chunk.root->child(0).child(0).type, BLOCK_DIRT);
    EXPECT_EQ(chunk.heightmap[128 * 128 - 1], 0.0f);

    chunk.finishGeneration();
    EXPECT_EQ(chunk.stateFlags & Chunk::OCTREE_BUILT, Chunk::OCTREE_BUILT);
    EXPECT_TRUE(chunk.ready);
}

TEST(Chunk, CellOfRoundsAndClampsHorizontally)
{
    Chunk chunk(1, -1); // origin (64, 0, -64)
    EXPECT_EQ(chunk.cellOf({ 64.3f, 0, -64 }).x, 0);
    EXPECT_EQ(chunk.cellOf({ 64.5f, 0, -64 }).x, 1);
    EXPECT_EQ(chunk.cellOf({ 64 + 63.9f, 0, -64 }).x, 127);
    EXPECT_EQ(chunk.cellOf({ 64 + 70.0f, 0, -64 }).x, 127);
    EXPECT_EQ(chunk.cellOf({ 10.0f, 0, -64 }).x, 0);
    EXPECT_EQ(chunk.cellOf({ 64, 0, -64 + 0.5f }).z, 1);
    // y is rounded but never clamped.
    EXPECT_EQ(chunk.cellOf({ 64, 0.25f, -64 }).y, 1);
    EXPECT_EQ(chunk.cellOf({ 64, 70.0f, -64 }).y, 140);
    EXPECT_EQ(chunk.cellOf({ 64, -3.0f, -64 }).y, -6);
    // Garbage positions land on an edge instead of overflowing.
    const glm::ivec3 wild = chunk.cellOf({ NAN, 1e30f, -INFINITY });
    EXPECT_EQ(wild.x, 0);
    EXPECT_EQ(wild.z, 0);
    EXPECT_GT(wild.y, 1000000);
}

TEST(Chunk, ChunkCoordOfFloorsTowardsNegative)
{
    EXPECT_EQ(chunkCoordOf(-0.1f, 63.9f), (ChunkCoord { -1, 0 }));
    EXPECT_EQ(chunkCoordOf(64.0f, -64.0f), (ChunkCoord { 1, -1 }));
    EXPECT_EQ(chunkCoordOf(0.0f, -64.1f), (ChunkCoord { 0, -2 }));
    EXPECT_EQ(chunkCoordOf(NAN, 1e38f), (ChunkCoord { 0, 2147483647 }));
}

TEST(Chunk, HeightmapFollowsSurfaceAndKeepsLastRowAndColumn)
{
    auto chunk = makeGroundChunk(0, 0, 10.0f);
    EXPECT_EQ(chunk->heightmap[0], 10.0f);
    EXPECT_EQ(chunk->heightmap[126 * 128 + 126], 10.0f);
    for (int i = 0; i < 128; ++i) {
        EXPECT_EQ(chunk->heightmap[127 * 128 + i], 0.0f) << i; // last row
        EXPECT_EQ(chunk->heightmap[i * 128 + 127], 0.0f) << i; // last column
    }

    // An update covering a few columns only touches those.
    chunk->root->fill(BLOCK_BRICK, aabb({ 2, 10, 2 }, { 3, 12.5f, 3 }));
    chunk->root->fill(BLOCK_AIR, aabb({ 40, 0, 40 }, { 41, 64, 41 }));
    chunk->computeHeightmap(aabb({ 0, 0, 0 }, { 3.4f, 64, 3.4f }));
    EXPECT_EQ(chunk->heightmap[4 * 128 + 4], 12.5f);
    EXPECT_EQ(chunk->heightmap[5 * 128 + 5], 12.5f);
    EXPECT_EQ(chunk->heightmap[6 * 128 + 6], 10.0f);
    EXPECT_EQ(chunk->heightmap[80 * 128 + 80], 10.0f); // hole not yet seen
    chunk->computeHeightmap(aabb({ 39, 0, 39 }, { 42, 64, 42 }));
    EXPECT_EQ(chunk->heightmap[80 * 128 + 80], 0.0f); // empty column
}

TEST(Chunk, HeightmapRegionMustOverlapTheChunk)
{
    auto chunk = makeGroundChunk(0, 0, 10.0f);
    chunk->root->fill(BLOCK_STONE, chunk->bounds());
    testing::internal::CaptureStdout();
    chunk->computeHeightmap(aabb({ 64, 0, 0 }, { 80, 64, 64 })); // touches the +x face only
    chunk->computeHeightmap(aabb({ -20, 0, -20 }, { -1, 64, -1 }));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "heightmap failed\nheightmap failed\n");
    EXPECT_EQ(chunk->heightmap[0], 10.0f);

    Chunk fresh(0, 0);
    testing::internal::CaptureStdout();
    fresh.computeHeightmap(aabb({ 0, 0, 0 }, { 64, 64, 64 }));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "heightmap failed\n");
}

TEST(Chunk, CollidesWithVoxelsOrObjects)
{
    auto chunk = makeGroundChunk(0, 0, 10.0f);
    const CollisionObject standing(aabb({ 5, 10, 5 }, { 6, 12, 6 }));
    const CollisionObject sinking(aabb({ 5, 9.8f, 5 }, { 6, 12, 6 }));
    EXPECT_FALSE(chunk->collides(standing));
    EXPECT_TRUE(chunk->collides(sinking));
    chunk->objects.push_back(std::make_unique<ProbeObject>(glm::vec3(5.5f, 11.0f, 5.5f)));
    EXPECT_TRUE(chunk->collides(standing));
}

TEST(Chunk, UpdateObjectsRemovesInactiveByMovingLastIntoPlace)
{
    Chunk chunk(0, 0);
    int deaths = 0;
    ProbeObject* probes[5];
    for (int i = 0; i < 5; ++i) {
        auto p = std::make_unique<ProbeObject>(glm::vec3(float(i)));
        p->deaths = &deaths;
        probes[i] = p.get();
        chunk.objects.push_back(std::move(p));
    }
    probes[0]->dieOnUpdate = true;
    probes[4]->dieOnUpdate = true; // moved into slot 0, stepped, and dies too
    probes[2]->dieOnUpdate = true;

    chunk.updateObjects(0.016f);
    ASSERT_EQ(chunk.objects.size(), 2u);
    EXPECT_EQ(chunk.objects[0].get(), probes[3]); // took slot 0 after 4 died there
    EXPECT_EQ(chunk.objects[1].get(), probes[1]);
    EXPECT_EQ(deaths, 3);
    EXPECT_EQ(probes[1]->updates, 1);
    EXPECT_EQ(probes[3]->updates, 1);

    probes[1]->dieOnUpdate = true; // the last entry simply goes
    chunk.updateObjects(0.016f);
    ASSERT_EQ(chunk.objects.size(), 1u);
    EXPECT_EQ(chunk.objects[0].get(), probes[3]);
    EXPECT_EQ(deaths, 4);
}
