#include "world/World.h"

#include "base/Log.h"
#include "gameplay/Cat.h"
#include "gameplay/Death.h"
#include "gameplay/projectiles/Projectile.h"

#include <algorithm>
#include <iostream>
#include <iterator>

World::World(int32_t distance, const glm::vec3& size, int threads)
    : viewDistance(distance)
    , maxChunkCount(static_cast<int32_t>(gSettings.maxMemoryMB / 15.0))
    , chunkSize(size)
    , worldFloor(distance, size)
    , generator(gSettings.worldRandomSeed)
{
    threads = std::max(threads, 1);
    activeWorkers_ = threads;
    for (int i = 0; i < threads; ++i)
        workers_.push_back(std::make_unique<boost::thread>([this] { workerLoop(); }));
    generator.setSize(chunkSize);
    auto hunter = std::make_unique<Death>(glm::vec3(30.0f, 20.0f, 30.0f));
    death = hunter.get();
    entities.push_back(std::move(hunter));
}

World::~World()
{
    {
        boost::lock_guard<boost::mutex> guard(queueMutex_);
        stopping_ = true;
    }
    // A worker waiting for a job or for a busy range ends at once; one in the middle of a
    // job finishes it first. Nothing below runs before every worker has ended.
    for (auto& worker : workers_) {
        worker->interrupt();
        worker->join();
    }
    workers_.clear();
    logText("World: All Threads terminated.\n");
    chunks.clear();
    chunkCache.clear();
    destroyList.clear();
    logText("World: Chunks deleted.\n");
    uploadQueue_.clear();
    editQueue.clear();
    workQueue_.clear();
    entities.clear();
    newEntities_.clear();
    projectiles.clear();
    newProjectiles_.clear();
}

void World::update(float dt)
{
    cacheSize = static_cast<int32_t>(chunkCache.size());
    // Without a player (tests) whoever drives the world sets playerPosition.
    if (playerBody_)
        playerPosition = playerBody_->position();
    processUploads();
    processVoxelEdits();
    updateBodies(dt);
    // The square follows where the player stands after this step's moves.
    const glm::vec3 centre = playerBody_ ? playerBody_->position() : playerPosition;
    updateStreaming(centre.x, centre.z);
    stepProjectiles(dt);
    readyCount = 0;
    for (auto& chunk : chunks) {
        if (!chunk->ready)
            continue;
        ++readyCount;
        chunk->updateObjects(dt, game());
    }
    applyMemoryLimit();
    updateInteractionHint();
}

float World::loadingProgress()
{
    const float side = 2.0f * viewDistance + 1.0f;
    boost::lock_guard<boost::mutex> guard(counterMutex_);
    return loadedCounter_ / (side * side);
}

bool World::isLoaded()
{
    for (const auto& chunk : chunks) {
        if (!chunk->ready)
            return false;
    }
    boost::lock_guard<boost::mutex> guard(queueMutex_);
    return workQueue_.empty();
}

void World::resetLoadedCounter()
{
    boost::lock_guard<boost::mutex> guard(counterMutex_);
    loadedCounter_ = 0;
}

int World::activeWorkerCount()
{
    boost::lock_guard<boost::mutex> guard(queueMutex_);
    return activeWorkers_;
}

bool World::workersIdle()
{
    boost::lock_guard<boost::mutex> guard(queueMutex_);
    return workQueue_.empty() && activeWorkers_ == 0;
}

size_t World::pendingJobs()
{
    boost::lock_guard<boost::mutex> guard(queueMutex_);
    return workQueue_.size();
}

size_t World::pendingUploads()
{
    boost::lock_guard<boost::mutex> guard(uploadMutex_);
    return uploadQueue_.size();
}

// Only the cache shrinks, aiming at 60 % of the budget; the square itself is never cut.
void World::applyMemoryLimit()
{
    if (maxChunkCount >= readyCount + cacheSize)
        return;
    logLine("Warning memory limit reached!");
    scheduleDestruction(std::min(cacheSize, cacheSize + readyCount - static_cast<int>(maxChunkCount * 0.6)));
}

void World::scheduleDestruction(int n)
{
    WorldobjectList leaving; // deleted here once the locks are released
    boost::unique_lock<boost::mutex> queue(queueMutex_, boost::try_to_lock);
    if (!queue.owns_lock())
        return;
    boost::unique_lock<boost::mutex> destroy(destroyMutex_, boost::try_to_lock);
    if (!destroy.owns_lock())
        return;
    moveCacheToDestroyList(n, leaving);
    pushJob(ChunkJob::destroyChunks());
}

void World::queueCacheForDestruction(int n)
{
    WorldobjectList leaving; // deleted here once the lock is released
    boost::lock_guard<boost::mutex> guard(destroyMutex_);
    moveCacheToDestroyList(n, leaving);
}

void World::moveCacheToDestroyList(int n, WorldobjectList& leaving)
{
    if (n == -1)
        n = static_cast<int>(chunkCache.size());
    for (int i = 0; i < n; ++i) {
        if (chunkCache.empty())
            return;
        size_t farthest = 0;
        float best = -1.0f;
        for (size_t c = 0; c < chunkCache.size(); ++c) {
            const glm::vec2 offset
                = glm::vec2(static_cast<float>(chunkCache[c]->cx), static_cast<float>(chunkCache[c]->cz))
                - centerChunk;
            const float distance = std::sqrt(offset.x * offset.x + offset.y * offset.y);
            if (distance > best) {
                best = distance;
                farthest = c;
            }
        }
        // World objects own cats, sounds and the flames' claim, which only this thread may
        // touch: they leave the chunk here, and the worker frees only voxel memory.
        WorldobjectList& objects = chunkCache[farthest]->objects;
        std::move(objects.begin(), objects.end(), std::back_inserter(leaving));
        objects.clear();
        destroyList.push_back(std::move(chunkCache[farthest]));
        chunkCache[farthest] = std::move(chunkCache.back());
        chunkCache.pop_back();
    }
    logLine(joinText("Main: ", n, " chunks queued for destruction!"));
}

void World::editVoxels(int32_t type, std::unique_ptr<Geometric_Object> shape)
{
    if (!shape) {
        logError("Voxel edit ignored: no shape");
        return;
    }
    if (!isBlockType(type)) {
        logError(joinText("Voxel edit ignored: invalid block type ", type));
        return;
    }
    editQueue.push_back(std::make_unique<VoxelEdit>(type, std::move(shape)));
}

void World::carve(const Sphere& sphere)
{
    editVoxels(BLOCK_AIR, std::make_unique<Sphere>(sphere));
    // Indices rather than iterators: a blast may set off another carve from inside onExplosion.
    for (size_t c = 0; c < chunks.size(); ++c) {
        Chunk& chunk = *chunks[c];
        if (!chunk.ready)
            continue;
        for (size_t i = 0; i < chunk.objects.size(); ++i)
            chunk.objects[i]->onExplosion(sphere, game());
    }
}
