#include "BenchTerrain.h"
#include "world/Chunk.h"
#include "world/Octree.h"

#include <benchmark/benchmark.h>
#include <glm/geometric.hpp>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

const aabb kWholeWorld(glm::vec3(-10000.0f), glm::vec3(10000.0f));

}

static void BM_OctreeTerrainFill(benchmark::State& state)
{
    int nodes = 0;
    double totalMs = 0.0;
    for (auto _ : state) {
        const double start = benchThreadMs();
        Octree root(BLOCK_DIRT, 0, aabb({ 0, 0, 0 }, { 64, 64, 64 }), 0);
        fillBenchTerrain(root);
        totalMs += benchThreadMs() - start;
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

// The height map of a whole terrain chunk: the top of the highest solid leaf over each
// voxel column, found in one walk of the octree (rays_per_second counts columns).
static void BM_HeightmapRays(benchmark::State& state)
{
    auto chunk = makeBenchTerrainChunk();
    double totalMs = 0.0;
    for (auto _ : state) {
        const double start = benchThreadMs();
        chunk->computeHeightmap(kWholeWorld);
        totalMs += benchThreadMs() - start;
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
    auto chunk = makeBenchTerrainChunk();
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
