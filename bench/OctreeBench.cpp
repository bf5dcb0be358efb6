#include "world/Chunk.h"
#include "world/Octree.h"

#include <benchmark/benchmark.h>
#include <ctime>
#include <glm/geometric.hpp>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

// A smooth surface between 0 and 30 in steps of half a unit, like generated terrain.
float terrainHeight(int ix, int iz)
{
    const float x = ix * 0.5f, z = iz * 0.5f;
    const float h
        = 15.0f + 9.0f * std::sin(x * 0.07f) * std::cos(z * 0.05f) + 5.0f * std::sin((x + z) * 0.13f);
    return std::round(std::fmin(std::fmax(h, 0.0f), 30.0f) * 2.0f) * 0.5f;
}

// Writes the chunk the way terrain generation does: a stone layer, then per
// column the air above the surface and the one surface voxel.
void fillTerrain(Octree& root)
{
    root.fill(BLOCK_STONE, aabb({ 0, 0, 0 }, { 64, 10, 64 }));
    for (int k = 0; k < VOXELS_PER_CHUNK; ++k) {
        for (int i = 0; i < VOXELS_PER_CHUNK; ++i) {
            const float x = i * VOXEL_SIZE, z = k * VOXEL_SIZE, h = terrainHeight(i, k);
            root.fill(BLOCK_AIR, aabb({ x, h, z }, { x + 0.5f, 64, z + 0.5f }));
            root.fill(BLOCK_GRASS, aabb({ x, h - 0.001f, z }, { x + 0.5f, h, z + 0.5f }));
        }
    }
}

std::unique_ptr<Chunk> makeTerrainChunk()
{
    auto chunk = std::make_unique<Chunk>(0, 0);
    chunk->prepareGeneration();
    fillTerrain(*chunk->root);
    chunk->computeHeightmap(aabb(glm::vec3(-10000.0f), glm::vec3(10000.0f)));
    chunk->finishGeneration();
    return chunk;
}

const aabb kWholeWorld(glm::vec3(-10000.0f), glm::vec3(10000.0f));

// CPU time of this thread: steadier than wall time on a shared machine.
double threadMs()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec * 1e-6;
}

}

static void BM_OctreeTerrainFill(benchmark::State& state)
{
    int nodes = 0;
    double totalMs = 0.0;
    for (auto _ : state) {
        const double start = threadMs();
        Octree root(BLOCK_DIRT, 0, aabb({ 0, 0, 0 }, { 64, 64, 64 }), 0);
        fillTerrain(root);
        totalMs += threadMs() - start;
        nodes = root.countNodes();
        benchmark::DoNotOptimize(nodes);
    }
    // Every root has exactly 64 draw nodes; the rest are plain nodes.
    const double bytes = double(nodes - 64) * sizeof(Octree) + 64.0 * sizeof(Octree_draw_node)
        + VOXELS_PER_CHUNK * VOXELS_PER_CHUNK * sizeof(float) + sizeof(Chunk);
    state.counters["ms_per_chunk"] = totalMs / double(state.iterations());
    state.counters["nodes"] = nodes;
    state.counters["bytes_per_chunk"] = bytes;
    state.counters["node_bytes"] = double(sizeof(Octree));
    state.counters["draw_node_bytes"] = double(sizeof(Octree_draw_node));
}
BENCHMARK(BM_OctreeTerrainFill)->Unit(benchmark::kMillisecond);

// The height map casts one downward ray per voxel column.
static void BM_HeightmapRays(benchmark::State& state)
{
    auto chunk = makeTerrainChunk();
    double totalMs = 0.0;
    for (auto _ : state) {
        const double start = threadMs();
        chunk->computeHeightmap(kWholeWorld);
        totalMs += threadMs() - start;
    }
    // The last row and column are not cast.
    state.counters["rays_per_second"]
        = benchmark::Counter(double(state.iterations()) * 127 * 127, benchmark::Counter::kIsRate);
    state.counters["ms_per_heightmap"] = totalMs / double(state.iterations());
}
BENCHMARK(BM_HeightmapRays)->Unit(benchmark::kMillisecond);

// Rays from random points above the terrain in random downward-leaning directions.
static void BM_RandomRays(benchmark::State& state)
{
    auto chunk = makeTerrainChunk();
    std::mt19937 rng(12345);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::vector<Ray> rays;
    for (int i = 0; i < 4096; ++i) {
        const glm::vec3 origin(
            32.0f + 32.0f * unit(rng), 40.0f + 20.0f * unit(rng), 32.0f + 32.0f * unit(rng));
        glm::vec3 dir(unit(rng), -std::fabs(unit(rng)) - 0.05f, unit(rng));
        rays.emplace_back(origin, dir / std::sqrt(glm::dot(dir, dir)));
    }
    int hits = 0;
    size_t next = 0;
    for (auto _ : state) {
        float tBest = INFINITY;
        BlockType type = BLOCK_AIR;
        chunk->root->rayCast(rays[next], tBest, type);
        hits += tBest < INFINITY;
        next = (next + 1) % rays.size();
    }
    benchmark::DoNotOptimize(hits);
    state.counters["rays_per_second"]
        = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["hit_fraction"] = double(hits) / double(state.iterations());
}
BENCHMARK(BM_RandomRays);
