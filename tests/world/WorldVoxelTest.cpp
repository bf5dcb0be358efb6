#include "world/World.h"

#include "WorldTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(VoxelQueries, FindChunkAnswersFromFirstMatchOnlyWhenReady)
{
    ChunkList chunks;
    chunks.push_back(makeGroundChunk(0, 0, 5.0f));
    chunks.push_back(makeGroundChunk(1, 0, 5.0f, false)); // still generating
    chunks.push_back(makeGroundChunk(1, 0, 5.0f));        // a later duplicate does not count
    EXPECT_EQ(findChunk(chunks, 0, 0), chunks[0].get());
    EXPECT_EQ(findChunk(chunks, 1, 0), nullptr);
    EXPECT_EQ(findChunk(chunks, 0, 1), nullptr);
}

TEST(VoxelQueries, HeightAtUsesReadyChunksInListOrder)
{
    ChunkList chunks;
    chunks.push_back(makeGroundChunk(-1, 0, 20.0f, false));
    chunks.push_back(makeGroundChunk(1, 0, 12.0f));
    chunks.push_back(makeGroundChunk(0, 0, 8.0f));
    EXPECT_EQ(heightAt(chunks, { -10, 30, 10 }), -1.0f); // not ready
    EXPECT_EQ(heightAt(chunks, { 10, 30, 10 }), 8.0f);
    EXPECT_EQ(heightAt(chunks, { 100, 0, 10 }), 12.0f);
    // x = 64 lies on both boxes: the first ready chunk in the list answers (from its cell 0).
    EXPECT_EQ(heightAt(chunks, { 64, 30, 10 }), 12.0f);
    // ... and from the other one's last column when the order is swapped.
    std::swap(chunks[1], chunks[2]);
    EXPECT_EQ(heightAt(chunks, { 64, 30, 10 }), 0.0f);
    EXPECT_EQ(heightAt(chunks, { 10, 64.5f, 10 }), -1.0f); // above every chunk
    EXPECT_EQ(heightAt(ChunkList {}, { 10, 30, 10 }), -1.0f);
}

TEST(VoxelQueries, RayCastTakesNearestHitOverReadyChunks)
{
    ChunkList chunks;
    EXPECT_EQ(rayCast(chunks, Ray({ 0, 50, 0 }, { 0, -1, 0 })), INFINITY);
    chunks.push_back(makeGroundChunk(1, 0, 30.0f, false));
    chunks.push_back(makeGroundChunk(0, 0, 10.0f));
    // Straight down in chunk 0.
    EXPECT_FLOAT_EQ(rayCast(chunks, Ray({ 10.1f, 50, 10.1f }, { 0, -1, 0 })), 40.0f);
    // Along +x at y = 20: only the unready chunk would be hit.
    EXPECT_EQ(rayCast(chunks, Ray({ 10.1f, 20.1f, 10.1f }, { 1, 0, 0 })), INFINITY);
    chunks[0]->finishGeneration();
    EXPECT_FLOAT_EQ(rayCast(chunks, Ray({ 10.1f, 20.1f, 10.1f }, { 1, 0, 0 })), 53.9f);
}

TEST(VoxelQueries, CollidesWithVoxelsFallsBackToTheFloor)
{
    ChunkList chunks;
    chunks.push_back(makeGroundChunk(0, 0, 10.0f, false));
    const aabb floor({ -100, -20, -100 }, { 100, 0, 100 });
    const CollisionObject buried(aabb({ 5, 5, 5 }, { 6, 6, 6 }));
    const CollisionObject falling(aabb({ 5, -0.5f, 5 }, { 6, 1, 6 }));
    EXPECT_FALSE(collidesWithVoxels(chunks, buried, floor)); // chunk not ready
    EXPECT_TRUE(collidesWithVoxels(chunks, falling, floor));
    chunks[0]->finishGeneration();
    EXPECT_TRUE(collidesWithVoxels(chunks, buried, floor));

    World world;
    world.chunks.push_back(makeGroundChunk(0, 0, 0.0f));
    EXPECT_FALSE(world.collidesWithVoxels(falling)); // no floor placed yet
    world.floorBox = floor;
    EXPECT_TRUE(world.collidesWithVoxels(falling));
}

TEST(VoxelEdit, ChunkRangeCoversTheBoundingBox)
{
    const VoxelEdit box(BLOCK_BRICK, std::make_unique<aabb>(glm::vec3(-1, 0, 10), glm::vec3(65, 5, 130)));
    EXPECT_EQ(box.cxMin, -1);
    EXPECT_EQ(box.czMin, 0);
    EXPECT_EQ(box.cxMax, 1);
    EXPECT_EQ(box.czMax, 2);
    // A sphere's bounding box is one unit larger than the sphere.
    const VoxelEdit ball(BLOCK_AIR, std::make_unique<Sphere>(glm::vec3(63.5f, 20, 0.5f), 0.4f));
    EXPECT_EQ(ball.cxMin, 0);
    EXPECT_EQ(ball.czMin, -1);
    EXPECT_EQ(ball.cxMax, 1);
    EXPECT_EQ(ball.czMax, 0);
}

TEST(World, EditVoxelsQueuesOwnedEditsAndRejectsBadOnes)
{
    World world;
    world.editVoxels(BLOCK_STONE, std::make_unique<aabb>(glm::vec3(0), glm::vec3(1)));
    testing::internal::CaptureStderr();
    world.editVoxels(BLOCK_STONE, nullptr);
    world.editVoxels(MIXED_NODE, std::make_unique<aabb>(glm::vec3(0), glm::vec3(1)));
    world.editVoxels(-3, std::make_unique<aabb>(glm::vec3(0), glm::vec3(1)));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Voxel edit ignored: no shape\nVoxel edit ignored: invalid block type 255\n"
              "Voxel edit ignored: invalid block type -3\n");
    ASSERT_EQ(world.editQueue.size(), 1u);
    EXPECT_EQ(world.editQueue.front()->type, BLOCK_STONE);
}

TEST(World, CarveQueuesAirAndReachesObjectsOfReadyChunks)
{
    World world;
    world.chunks.push_back(makeGroundChunk(0, 0, 10.0f));
    world.chunks.push_back(makeGroundChunk(1, 0, 10.0f, false));
    auto* near = new ProbeObject({ 10, 11, 10 });
    auto* far = new ProbeObject({ 40, 11, 40 });
    auto* pending = new ProbeObject({ 70, 11, 10 });
    world.chunks[0]->objects.emplace_back(near);
    world.chunks[0]->objects.emplace_back(far);
    world.chunks[1]->objects.emplace_back(pending);

    world.carve(Sphere({ 10, 10, 10 }, 3.0f));

    ASSERT_EQ(world.editQueue.size(), 1u);
    const VoxelEdit& edit = *world.editQueue.front();
    EXPECT_EQ(edit.type, BLOCK_AIR);
    const auto* sphere = dynamic_cast<const Sphere*>(edit.shape.get());
    ASSERT_NE(sphere, nullptr);
    EXPECT_EQ(sphere->center, glm::vec3(10, 10, 10));
    EXPECT_EQ(sphere->radius, 3.0f);
    EXPECT_EQ(edit.cxMin, 0);
    EXPECT_EQ(edit.cxMax, 0);

    EXPECT_EQ(near->explosions, 1);
    EXPECT_FALSE(near->active);
    EXPECT_EQ(far->explosions, 1); // told, but out of reach
    EXPECT_TRUE(far->active);
    EXPECT_EQ(pending->explosions, 0);
    // Carving does not touch voxels by itself; the queued edit does that later.
    EXPECT_TRUE(world.chunks[0]->root->isSolidIn(aabb({ 9.9f, 9.9f, 9.9f }, { 10.1f, 10.1f, 10.1f })));
}
