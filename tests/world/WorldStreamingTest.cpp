#include "StreamingTestHelpers.h"
#include "WorldTestHelpers.h"
#include "gameplay/Bonfire.h"
#include "gameplay/Cage.h"
#include "world/FaceMasks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <thread>
#include <utility>
#include <vector>

namespace {

std::set<std::pair<int, int>> coordsOf(const ChunkList& list)
{
    std::set<std::pair<int, int>> out;
    for (const auto& c : list)
        out.insert({ c->cx, c->cz });
    return out;
}

std::set<std::pair<int, int>> square(int cx0, int cx1, int cz0, int cz1)
{
    std::set<std::pair<int, int>> out;
    for (int x = cx0; x <= cx1; ++x)
        for (int z = cz0; z <= cz1; ++z)
            out.insert({ x, z });
    return out;
}

// Every leaf's face mask in a fixed order, and how many visible faces lie on
// the chunk's outer sides (those a neighbour decides).
struct LeafFaces {
    std::vector<uint8_t> masks;
    int onBorder = 0;
};
void leafFaces(const Octree& node, const aabb& chunk, LeafFaces& out)
{
    if (node.isSplit) {
        for (int k = 0; k < 8; ++k)
            leafFaces(node.child(k), chunk, out);
        return;
    }
    if (node.type == BLOCK_AIR)
        return; // an air leaf's mask means nothing: it is never drawn
    out.masks.push_back(node.visibleFaces);
    for (int a = 0; a < 3; ++a) {
        out.onBorder += node.box.min[a] == chunk.min[a] && (node.visibleFaces & (1 << a)) != 0;
        out.onBorder += node.box.max[a] == chunk.max[a] && (node.visibleFaces & (8 << a)) != 0;
    }
}

// Walks the player to the chunk column of x and runs frames until the square has followed.
void walkTo(World& world, float x)
{
    world.playerPosition.x = x;
    const float target = std::floor(x / 64.0f);
    ASSERT_TRUE(runFramesUntil(world, [&] { return world.centerChunk.x == target; }));
}

}

TEST(WorldStreaming, SquareOfViewDistanceTwoLoads)
{
    auto world = makeTestWorld(2);
    world->playerPosition = glm::vec3(10, 30, 10);
    world->update(0.0f);
    EXPECT_EQ(world->centerChunk, glm::vec2(0, 0));
    EXPECT_EQ(coordsOf(world->chunks), square(-2, 2, -2, 2));
    EXPECT_EQ(world->chunks.size(), 25u);
    EXPECT_FALSE(world->isLoaded());
    EXPECT_EQ(world->worldFloor.box.max.y, 0.0f);
    EXPECT_EQ(world->worldFloor.box.min + world->worldFloor.box.max, glm::vec3(64, -20, 64));

    ASSERT_TRUE(runFramesUntil(*world, [&] { return world->isLoaded(); }));
    EXPECT_FLOAT_EQ(world->loadingProgress(), 1.0f);
    for (const auto& c : world->chunks)
        EXPECT_TRUE(c->ready);
    EXPECT_GT(world->heightAt({ 10, 30, 10 }), 0.0f);
    ASSERT_TRUE(runFramesUntil(*world, [&] { return settled(*world); }));
    EXPECT_EQ(world->readyCount, 25);
}

TEST(WorldStreaming, WalkingAwayCachesAndWalkingBackRevives)
{
    auto world = makeTestWorld(2);
    world->update(0.0f);
    ASSERT_TRUE(runFramesUntil(*world, [&] { return settled(*world); }));
    std::vector<Chunk*> west;
    for (int z = -2; z <= 2; ++z)
        west.push_back(world->findChunk(-2, z));

    world->resetLoadedCounter();
    walkTo(*world, 70.0f);
    EXPECT_EQ(coordsOf(world->chunks), square(-1, 3, -2, 2));
    EXPECT_EQ(coordsOf(world->chunkCache), square(-2, -2, -2, 2));
    for (const auto& c : world->chunkCache)
        EXPECT_FALSE(c->busy); // cached chunks are free to come back
    ASSERT_TRUE(runFramesUntil(*world, [&] { return settled(*world); }));
    EXPECT_FLOAT_EQ(world->loadingProgress(), 5.0f / 25.0f);

    world->resetLoadedCounter();
    walkTo(*world, 10.0f);
    EXPECT_EQ(coordsOf(world->chunks), square(-2, 2, -2, 2));
    EXPECT_EQ(coordsOf(world->chunkCache), square(3, 3, -2, 2));
    for (int z = -2; z <= 2; ++z)
        EXPECT_EQ(world->findChunk(-2, z), west[z + 2]); // the very same chunks, ready at once
    for (const Chunk* chunk : west)
        EXPECT_TRUE(chunk->ready); // revived whole, without waiting for a worker
    ASSERT_TRUE(runFramesUntil(*world, [&] { return settled(*world); }));
    EXPECT_EQ(world->loadingProgress(), 0.0f); // nothing was generated again
}

TEST(WorldStreaming, GeneratedTerrainLoadsAndSquareWaitsBeforeMoving)
{
    auto world = makeTestWorld(1, 2, true);
    world->update(0.0f);
    world->playerPosition.x = 100.0f;
    world->update(0.0f); // the first square is still being generated
    if (!world->isLoaded()) {
        EXPECT_EQ(world->centerChunk.x, 0.0f);
        EXPECT_TRUE(world->chunkCache.empty());
    }
    ASSERT_TRUE(runFramesUntil(*world, [&] { return world->centerChunk.x == 1.0f; }));
    ASSERT_TRUE(runFramesUntil(*world, [&] { return settled(*world); }));
    EXPECT_EQ(coordsOf(world->chunks), square(0, 2, -1, 1));

    // The masks the workers left on the middle chunk, whose neighbours all
    // exist, are the ones the plain face update gives on the same octrees,
    // on its borders as inside.
    const Chunk& middle = *world->findChunk(1, 0);
    LeafFaces streamed;
    leafFaces(*middle.root, middle.bounds(), streamed);
    EXPECT_GT(streamed.onBorder, 0);
    const aabb box = middle.bounds();
    updateFaces(world->chunks, aabb(box.min - glm::vec3(0.1f), box.max + glm::vec3(0.1f)));
    LeafFaces plain;
    leafFaces(*middle.root, middle.bounds(), plain);
    EXPECT_EQ(streamed.masks.size(), plain.masks.size());
    EXPECT_TRUE(streamed.masks == plain.masks);
    EXPECT_EQ(streamed.onBorder, plain.onBorder);
}

// Far from the origin a float box's corner pulled in by a hundredth of a unit rounds
// back onto the next chunk (from 262144 units on); chunk (-10, -10) is where the square
// stands before its first move. The square must load there and follow a step east.
class WorldStreamingOut : public testing::TestWithParam<float> { };

TEST_P(WorldStreamingOut, TheSquareLoadsAndFollowsThePlayerOverAChunkBorder)
{
    const float start = GetParam();
    auto world = makeTestWorld(1);
    world->playerPosition = glm::vec3(start, 30.0f, start);
    testing::internal::CaptureStdout();
    world->update(0.0f);
    ASSERT_TRUE(waitForWorkers(*world));
    const ChunkCoord c = chunkCoordOf(start, start);
    // Generation computes every chunk's height map, wherever it lies.
    EXPECT_EQ(testing::internal::GetCapturedStdout().find("heightmap failed"), std::string::npos);
    ASSERT_TRUE(runFramesUntil(*world, [&] { return world->squareCentredOn(start, start) && settled(*world); }, 30));
    ASSERT_NE(world->findChunk(c.cx, c.cz), nullptr);
    EXPECT_TRUE(world->findChunk(c.cx, c.cz)->ready);
    EXPECT_EQ(world->centerChunk, glm::vec2(float(c.cx), float(c.cz)));

    world->playerPosition.x = start + 64.0f;
    ASSERT_TRUE(runFramesUntil(*world, [&] { return world->centerChunk.x == float(c.cx + 1); }, 30))
        << "the square stayed at chunk " << world->centerChunk.x;
    ASSERT_TRUE(runFramesUntil(*world, [&] { return settled(*world); }, 30));
    EXPECT_EQ(coordsOf(world->chunks), square(c.cx, c.cx + 2, c.cz - 1, c.cz + 1));
    EXPECT_EQ(world->heightAt({ start + 64.0f, 60.0f, start }), 10.0f);

    // An edit in the new square's last column lands; one just beyond it is dropped.
    const float east = float(c.cx + 2) * 64.0f + 32.0f;
    world->editVoxels(BLOCK_BRICK, std::make_unique<aabb>(glm::vec3(east, 20, start), glm::vec3(east + 1, 21, start + 1)));
    world->editVoxels(BLOCK_BRICK, std::make_unique<aabb>(glm::vec3(east + 64, 20, start), glm::vec3(east + 65, 21, start + 1)));
    ASSERT_TRUE(runFramesUntil(*world, [&] { return world->editQueue.empty() && settled(*world); }, 30));
    EXPECT_EQ(world->heightAt({ east + 0.5f, 60.0f, start + 0.5f }), 21.0f);
}

INSTANTIATE_TEST_SUITE_P(FarAndNear, WorldStreamingOut,
    testing::Values(-620.0f, 262144.0f + 4 * 64.0f + 10.0f, -262144.0f - 3 * 64.0f - 10.0f, 2097152.0f + 74.0f));

TEST(WorldStreaming, EditsWaitForBusyChunksAndAreNeverLost)
{
    auto world = makeTestWorld(1);
    world->update(0.0f);
    ASSERT_TRUE(runFramesUntil(*world, [&] { return settled(*world); }));
    Chunk* centre = world->findChunk(0, 0);
    const aabb block({ 10, 60, 10 }, { 12, 62, 12 });

    centre->busy = true; // as if a face update held it
    world->editVoxels(BLOCK_STONE, std::make_unique<aabb>(block));
    for (int i = 0; i < 3; ++i)
        world->update(0.0f);
    EXPECT_EQ(world->editQueue.size(), 1u);
    EXPECT_FALSE(centre->root->isSolidIn(block));
    centre->busy = false;
    world->update(0.0f);
    EXPECT_TRUE(world->editQueue.empty());
    EXPECT_TRUE(centre->root->isSolidIn(block));

    // Far more edits than the queue was once allowed to hold, queued while the world is
    // busy with face updates from the first one: every one of them lands.
    for (int i = 0; i < 300; ++i) {
        const glm::vec3 at(-60.0f + (i % 30) * 4.0f, 56.0f, -60.0f + (i / 30) * 12.0f);
        world->editVoxels(BLOCK_BRICK, std::make_unique<aabb>(at, at + glm::vec3(1.0f)));
    }
    ASSERT_TRUE(runFramesUntil(*world, [&] { return world->editQueue.empty() && settled(*world); }));
    for (int i = 0; i < 300; ++i) {
        const glm::vec3 at(-60.0f + (i % 30) * 4.0f, 56.0f, -60.0f + (i / 30) * 12.0f);
        const aabb box(at + glm::vec3(0.2f), at + glm::vec3(0.8f));
        const ChunkCoord c = chunkCoordOf(at.x + 0.5f, at.z + 0.5f);
        ASSERT_TRUE(world->findChunk(c.cx, c.cz)->root->isSolidIn(box)) << "edit " << i;
    }
}

TEST(WorldStreaming, EditsOutsideTheSquareOrOnUnreadyChunksAreDropped)
{
    auto world = makeTestWorld(1);
    world->update(0.0f);
    ASSERT_TRUE(runFramesUntil(*world, [&] { return settled(*world); }));
    world->findChunk(1, 0)->ready = false; // as if it were still being generated

    testing::internal::CaptureStdout();
    world->editVoxels(BLOCK_STONE, std::make_unique<aabb>(glm::vec3(300, 60, 0), glm::vec3(301, 61, 1)));
    world->update(0.0f); // outside the square: dropped without a word
    world->editVoxels(BLOCK_AIR, std::make_unique<Sphere>(glm::vec3(63.5f, 5, 10), 2.0f));
    world->editVoxels(BLOCK_STONE, std::make_unique<aabb>(glm::vec3(10, 60, 10), glm::vec3(11, 61, 11)));
    world->update(0.0f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ignoring set command\n");
    EXPECT_TRUE(world->editQueue.empty());
    EXPECT_TRUE(world->findChunk(0, 0)->root->isSolidIn(aabb({ 63, 4.8f, 9.8f }, { 63.4f, 5.2f, 10.2f })));
    EXPECT_TRUE(
        world->findChunk(0, 0)->root->isSolidIn(aabb({ 10.2f, 60.2f, 10.2f }, { 10.8f, 60.8f, 10.8f })));
}

TEST(WorldStreaming, CacheIsDestroyedFarthestFirst)
{
    World world(2, gChunkDimensions.chunkSize, 1);
    world.centerChunk = glm::vec2(0, 0);
    const int coords[][2] = { { 3, 0 }, { -4, 0 }, { 0, 3 }, { 1, 1 }, { 0, -4 } };
    for (const auto& c : coords)
        world.chunkCache.push_back(std::make_unique<Chunk>(c[0], c[1]));

    testing::internal::CaptureStdout();
    world.queueCacheForDestruction(3);
    world.queueCacheForDestruction(7); // more than there is: stops without a message
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Main: 3 chunks queued for destruction!\n");
    // (-4, 0) and (0, -4) are equally far: cache order decides, then the next.
    ASSERT_EQ(world.destroyList.size(), 5u);
    EXPECT_EQ(std::make_pair(world.destroyList[0]->cx, world.destroyList[0]->cz), std::make_pair(-4, 0));
    EXPECT_EQ(std::make_pair(world.destroyList[1]->cx, world.destroyList[1]->cz), std::make_pair(0, -4));
    EXPECT_EQ(std::make_pair(world.destroyList[2]->cx, world.destroyList[2]->cz), std::make_pair(3, 0));
    EXPECT_TRUE(world.chunkCache.empty());

    world.chunkCache.push_back(std::make_unique<Chunk>(9, 9));
    testing::internal::CaptureStdout();
    world.queueCacheForDestruction(-1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Main: 1 chunks queued for destruction!\n");
}

TEST(WorldStreaming, MemoryLimitShrinksTheCacheTowardSixtyPercent)
{
    auto world = makeTestWorld(1);
    world->maxChunkCount = 1000;
    world->update(0.0f);
    ASSERT_TRUE(runFramesUntil(*world, [&] { return settled(*world); }));
    for (int step = 1; step <= 4; ++step) {
        walkTo(*world, step * 64.0f + 1.0f);
        ASSERT_TRUE(runFramesUntil(*world, [&] { return settled(*world); }));
    }
    ASSERT_EQ(world->chunkCache.size(), 12u);
    world->maxChunkCount = 20;

    // 9 ready + 12 cached exceed 20: 21 - int(20 x 0.6) = 9 go, the farthest first.
    testing::internal::CaptureStdout();
    world->update(0.0f);
    ASSERT_TRUE(waitForWorkers(*world));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out,
        "Warning memory limit reached!\nMain: 9 chunks queued for destruction!\nThread: 9 Chunks "
        "destroyed!\n");
    EXPECT_EQ(coordsOf(world->chunkCache), square(2, 2, -1, 1)); // next to the square at 3..5
    EXPECT_TRUE(world->destroyList.empty());
    EXPECT_EQ(world->chunks.size(), 9u);

    // Over the budget with nothing left to give: the square itself stays.
    world->maxChunkCount = 5;
    world->update(0.0f);
    ASSERT_TRUE(waitForWorkers(*world));
    testing::internal::CaptureStdout();
    world->update(0.0f);
    ASSERT_TRUE(waitForWorkers(*world));
    world->maxChunkCount = 1000;
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
        "Warning memory limit reached!\nMain: 0 chunks queued for destruction!\nThread: 0 Chunks "
        "destroyed!\n");
    EXPECT_EQ(world->chunks.size(), 9u);
}

TEST(WorldStress, DestroyingTheWorldWhileJobsRunIsClean)
{
    for (int frames : { 0, 1, 5, 40 }) {
        auto world = makeTestWorld(2, 3);
        world->update(0.0f);
        for (int i = 0; i < frames; ++i) {
            world->update(0.0f);
            world->carve(Sphere(glm::vec3(i * 3.0f, 10, 5), 3.0f));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        testing::internal::CaptureStdout();
        world.reset();
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_NE(out.find("World: All Threads terminated.\nWorld: Chunks deleted.\n"), std::string::npos)
            << out;
    }
}

TEST(WorldStress, DestroyingTheWorldWhileWorkersWaitForABusyChunkIsClean)
{
    auto world = makeTestWorld(1, 3);
    world->update(0.0f);
    ASSERT_TRUE(runFramesUntil(*world, [&] { return settled(*world); }));
    world->findChunk(0, 0)->busy = true; // as if an edit held it and never let go

    // Each edit lies in a neighbour of (0, 0), but the faces it recomputes reach one unit
    // into (0, 0): three face updates, one per worker, all waiting for the held chunk.
    const glm::vec3 edits[] = { { 64.5f, 5.0f, 10.0f }, { -1.5f, 5.0f, 10.0f }, { 10.0f, 5.0f, 64.5f } };
    for (const glm::vec3& at : edits)
        world->editVoxels(BLOCK_STONE, std::make_unique<aabb>(at, at + glm::vec3(1.0f)));
    ASSERT_TRUE(runFramesUntil(*world, [&] { return world->editQueue.empty(); }));
    ASSERT_TRUE(runFramesUntil(
        *world, [&] { return world->pendingJobs() == 0 && world->activeWorkerCount() == 3; }, 60));
    // And one more job that no worker is free to take.
    world->editVoxels(BLOCK_STONE, std::make_unique<aabb>(glm::vec3(70, 5, 70), glm::vec3(71, 6, 71)));
    ASSERT_TRUE(runFramesUntil(*world, [&] { return world->pendingJobs() == 1; }, 60));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(world->activeWorkerCount(), 3); // still stuck on (0, 0)

    // A worker asleep on a busy range must end when asked; if it does not, this hangs.
    testing::internal::CaptureStdout();
    world.reset();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("World: All Threads terminated.\nWorld: Chunks deleted.\n"), std::string::npos) << out;
}

TEST(WorldStress, QueriesWhileWorkersRebuildTheSquareSeeWholeGround)
{
    auto world = makeTestWorld(1, 3);
    world->maxChunkCount = 12; // left-behind chunks are destroyed on workers meanwhile
    testing::internal::CaptureStdout();
    int checked = 0;
    for (int step = 0; step < 8; ++step) {
        const float x = (step % 4) * 64.0f + 5.0f;
        world->playerPosition.x = x;
        for (int i = 0; i < 20; ++i) {
            world->carve(Sphere(glm::vec3(x, 8, 5 + i), 2.0f));
            world->update(0.0f);
            // The main thread asks about the ground every frame while workers recompute faces,
            // height maps and meshes next to it. Columns at z = -30.3 are never carved, so any
            // ready chunk must report its whole flat ground there, never a half-updated one.
            for (float qx = x - 60.3f; qx <= x + 60.0f; qx += 7.5f) {
                const ChunkCoord c = chunkCoordOf(qx, -30.3f);
                if (!world->findChunk(c.cx, c.cz))
                    continue; // not ready yet, or outside the square
                const glm::vec3 top(qx, 60.0f, -30.3f);
                EXPECT_EQ(world->heightAt(top), 10.0f) << qx;
                EXPECT_NEAR(world->rayCast(Ray(top, glm::vec3(0, -1, 0))), 50.0f, 1e-3f) << qx;
                EXPECT_TRUE(world->collidesWithVoxels(
                    CollisionObject(aabb(glm::vec3(qx, 9.5f, -30.5f), glm::vec3(qx + 0.3f, 9.8f, -30.2f)))));
                EXPECT_FALSE(world->collidesWithVoxels(
                    CollisionObject(aabb(glm::vec3(qx, 10.2f, -30.5f), glm::vec3(qx + 0.3f, 10.6f, -30.2f)))));
                ++checked;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    ASSERT_TRUE(runFramesUntil(*world, [&] { return world->editQueue.empty() && settled(*world); }));
    testing::internal::GetCapturedStdout();
    EXPECT_GT(checked, 500); // most frames had ready chunks to ask
}

namespace {

// Counts the deletions of its kind that happened off the thread that runs the test.
class DeletionProbe : public Worldobject {
public:
    static inline std::thread::id mainThread;
    static inline std::atomic<int> deleted { 0 };
    static inline std::atomic<int> deletedElsewhere { 0 };
    using Worldobject::Worldobject;
    ~DeletionProbe() override
    {
        ++deleted;
        if (std::this_thread::get_id() != mainThread)
            ++deletedElsewhere;
    }
};

}

TEST(WorldStress, WalkingBackAndForthWithEditsStaysConsistent)
{
    auto world = makeTestWorld(1, 3);
    world->maxChunkCount = 12;
    // Every chunk holds world objects, built on a worker and stepped here (the bonfire
    // claims the flames, the cage makes its cat); when a chunk is freed on a worker they
    // must already have been deleted on this thread.
    DeletionProbe::mainThread = std::this_thread::get_id();
    DeletionProbe::deleted = 0;
    DeletionProbe::deletedElsewhere = 0;
    world->fillChunk = [fill = world->fillChunk](Chunk& chunk) {
        fill(chunk);
        const glm::vec3 centre = chunk.bounds().center();
        chunk.objects.push_back(std::make_unique<Bonfire>(glm::vec3(centre.x, 10.0f, centre.z)));
        chunk.objects.push_back(std::make_unique<Cage>(glm::vec3(centre.x + 5.0f, 10.0f, centre.z), false));
        chunk.objects.push_back(std::make_unique<DeletionProbe>(glm::vec3(centre.x, 10.0f, centre.z + 5.0f)));
    };
    resetNearestBonfire();
    testing::internal::CaptureStdout();
    for (int step = 0; step < 12; ++step) {
        const float x = (step % 4) * 64.0f + 5.0f;
        world->playerPosition.x = x;
        for (int i = 0; i < 20; ++i) {
            world->carve(Sphere(glm::vec3(x, 8, 5 + i), 2.0f));
            world->update(0.0f);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    ASSERT_TRUE(runFramesUntil(*world, [&] { return world->editQueue.empty() && settled(*world); }));
    // Frames may have scheduled a destroy job since: look only once every worker is idle.
    ASSERT_TRUE(waitForWorkers(*world));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(world->chunks.size(), 9u);
    for (const auto& c : world->chunks)
        EXPECT_TRUE(c->ready && !c->busy);
    for (const auto& c : world->chunkCache)
        EXPECT_TRUE(c->ready && !c->busy);
    EXPECT_GT(DeletionProbe::deleted, 0); // chunks were destroyed on the way
    EXPECT_EQ(DeletionProbe::deletedElsewhere, 0);
    // And none by a job still running: the workers have all ended.
    testing::internal::CaptureStdout();
    world.reset();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(DeletionProbe::deletedElsewhere, 0);
    resetNearestBonfire();
}
