#include "world/World.h"

#include "WorldTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(VoxelQueries, FindChunkAndHeightAtSkipChunksNotReady)
{
    ChunkList chunks;
    chunks.push_back(makeGroundChunk(-1, 0, 20.0f, false));
    chunks.push_back(makeGroundChunk(1, 0, 12.0f));
    chunks.push_back(makeGroundChunk(0, 0, 8.0f));
    chunks.push_back(makeGroundChunk(-1, 0, 20.0f)); // a later duplicate does not count
    EXPECT_EQ(findChunk(chunks, 0, 0), chunks[2].get());
    EXPECT_EQ(findChunk(chunks, -1, 0), nullptr);
    EXPECT_EQ(findChunk(chunks, 0, 1), nullptr);

    EXPECT_EQ(heightAt(chunks, { 10, 30, 10 }), 8.0f);
    EXPECT_EQ(heightAt(chunks, { -10, 30, 10 }), 20.0f); // only the ready duplicate has it
    chunks.pop_back();
    EXPECT_EQ(heightAt(chunks, { -10, 30, 10 }), -1.0f);
    EXPECT_EQ(heightAt(chunks, { 10, 64.5f, 10 }), -1.0f);
    // x = 64 lies in both boxes: the first ready chunk of the list answers, from its cell 0 ...
    EXPECT_EQ(heightAt(chunks, { 64, 30, 10 }), 12.0f);
    // ... or from its last column, which the height map leaves at 0.
    std::swap(chunks[1], chunks[2]);
    EXPECT_EQ(heightAt(chunks, { 64, 30, 10 }), 0.0f);
}

TEST(VoxelQueries, RayCastAndCollisionOverReadyChunks)
{
    ChunkList chunks;
    EXPECT_EQ(rayCast(chunks, Ray({ 0, 50, 0 }, { 0, -1, 0 })), INFINITY);
    chunks.push_back(makeGroundChunk(1, 0, 30.0f, false));
    chunks.push_back(makeGroundChunk(0, 0, 10.0f));
    const Ray east({ 10.1f, 20.1f, 10.1f }, { 1, 0, 0 });
    EXPECT_FLOAT_EQ(rayCast(chunks, Ray({ 10.1f, 50, 10.1f }, { 0, -1, 0 })), 40.0f);
    EXPECT_EQ(rayCast(chunks, east), INFINITY);

    const aabb floor({ -100, -20, -100 }, { 200, 0, 100 });
    const CollisionObject buried(aabb({ 70, 25, 5 }, { 71, 26, 6 }));
    const CollisionObject falling(aabb({ 5, -0.5f, 5 }, { 6, 1, 6 }));
    EXPECT_FALSE(collidesWithVoxels(chunks, buried, floor));
    EXPECT_TRUE(collidesWithVoxels(chunks, falling, floor));

    chunks[0]->finishGeneration();
    EXPECT_FLOAT_EQ(rayCast(chunks, east), 53.9f);
    EXPECT_TRUE(collidesWithVoxels(chunks, buried, floor));

    World world; // no floor placed yet: nothing overlaps it
    EXPECT_FALSE(world.collidesWithVoxels(falling));
}

TEST(VoxelEdit, ChunkRangeCoversTheBoundingBox)
{
    const VoxelEdit box(BLOCK_BRICK, std::make_unique<aabb>(glm::vec3(-1, 0, 10), glm::vec3(65, 5, 130)));
    EXPECT_EQ(glm::ivec4(box.cxMin, box.czMin, box.cxMax, box.czMax), glm::ivec4(-1, 0, 1, 2));
    // A sphere's bounding box is one unit larger than the sphere.
    const VoxelEdit ball(BLOCK_AIR, std::make_unique<Sphere>(glm::vec3(63.5f, 20, 0.5f), 0.4f));
    EXPECT_EQ(glm::ivec4(ball.cxMin, ball.czMin, ball.cxMax, ball.czMax), glm::ivec4(0, -1, 1, 0));
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
    auto* hit = new ProbeObject({ 10, 11, 10 });
    auto* outOfReach = new ProbeObject({ 40, 11, 40 });
    auto* notReady = new ProbeObject({ 70, 11, 10 });
    world.chunks[0]->objects.emplace_back(hit);
    world.chunks[0]->objects.emplace_back(outOfReach);
    world.chunks[1]->objects.emplace_back(notReady);

    world.carve(Sphere({ 10, 10, 10 }, 3.0f));

    ASSERT_EQ(world.editQueue.size(), 1u);
    const VoxelEdit& edit = *world.editQueue.front();
    EXPECT_EQ(edit.type, BLOCK_AIR);
    const auto* sphere = dynamic_cast<const Sphere*>(edit.shape.get());
    ASSERT_NE(sphere, nullptr);
    EXPECT_EQ(sphere->center, glm::vec3(10, 10, 10));
    EXPECT_EQ(sphere->radius, 3.0f);
    EXPECT_FALSE(hit->active);
    EXPECT_EQ(outOfReach->explosions, 1);
    EXPECT_TRUE(outOfReach->active);
    EXPECT_EQ(notReady->explosions, 0);
    // The voxels change only when the queued edit is applied.
    EXPECT_TRUE(world.chunks[0]->root->isSolidIn(aabb({ 9.9f, 9.9f, 9.9f }, { 10.1f, 10.1f, 10.1f })));
}
