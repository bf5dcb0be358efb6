#pragma once

#include "world/Chunk.h"
#include "world/Octree.h"

#include <cmath>
#include <ctime>
#include <memory>

// A chunk filled the way terrain generation fills one, for benchmarks that need
// realistic octrees: a stone layer, then per voxel column the air above a smoothly
// varying surface and the one grass voxel on it.

// A smooth surface between 0 and 30 in steps of half a unit.
inline float benchTerrainHeight(int ix, int iz)
{
    const float x = ix * 0.5f, z = iz * 0.5f;
    const float h
        = 15.0f + 9.0f * std::sin(x * 0.07f) * std::cos(z * 0.05f) + 5.0f * std::sin((x + z) * 0.13f);
    return std::round(std::fmin(std::fmax(h, 0.0f), 30.0f) * 2.0f) * 0.5f;
}

inline void fillBenchTerrain(Octree& root)
{
    root.fill(BLOCK_STONE, aabb({ 0, 0, 0 }, { 64, 10, 64 }));
    for (int k = 0; k < VOXELS_PER_CHUNK; ++k) {
        for (int i = 0; i < VOXELS_PER_CHUNK; ++i) {
            const float x = i * VOXEL_SIZE, z = k * VOXEL_SIZE, h = benchTerrainHeight(i, k);
            root.fill(BLOCK_AIR, aabb({ x, h, z }, { x + 0.5f, 64, z + 0.5f }));
            root.fill(BLOCK_GRASS, aabb({ x, h - 0.001f, z }, { x + 0.5f, h, z + 0.5f }));
        }
    }
}

// Chunk (0, 0), generated and ready.
inline std::unique_ptr<Chunk> makeBenchTerrainChunk()
{
    auto chunk = std::make_unique<Chunk>(0, 0);
    chunk->prepareGeneration();
    fillBenchTerrain(*chunk->root);
    chunk->computeHeightmap(aabb(glm::vec3(-10000.0f), glm::vec3(10000.0f)));
    chunk->finishGeneration();
    return chunk;
}

// CPU time of this thread: steadier than wall time on a shared machine.
inline double benchThreadMs()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec * 1e-6;
}
