#pragma once

#include "base/Settings.h"
#include "world/World.h"

#include <chrono>
#include <thread>

// Runs frames until cond() holds, sleeping a millisecond between them; false if it
// never does within the time limit (generous, for the sanitizer builds).
template <class Cond> bool runFramesUntil(World& world, Cond cond, int seconds = 120)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!cond()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        world.update(0.0f);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Waits, without running frames, until every worker is idle and no job is left.
inline bool waitForWorkers(World& world, int seconds = 120)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!world.workersIdle()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Every job done and every mesh uploaded: nothing more will change on its own.
inline bool settled(World& world)
{
    return world.isLoaded() && world.workersIdle() && world.pendingUploads() == 0;
}

// A world of the fixed test seed; unless `terrain` is set its chunks are flat
// stone up to y = 10, which generates in a fraction of the time.
inline std::unique_ptr<World> makeTestWorld(int viewDistance, int threads = 2, bool terrain = false)
{
    gSettings.worldRandomSeed = 42;
    auto world = std::make_unique<World>(viewDistance, gChunkDimensions.chunkSize, threads);
    if (!terrain) {
        world->fillChunk = [](Chunk& chunk) {
            const aabb b = chunk.bounds();
            chunk.root->fill(BLOCK_AIR, b);
            chunk.root->fill(BLOCK_STONE, aabb(b.min, { b.max.x, 10.0f, b.max.z }));
        };
    }
    return world;
}
