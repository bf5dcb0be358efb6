#include "base/SimplexNoise.h"
#include "world/Chunk.h"
#include "world/WorldGenerator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

// Generation of one chunk, height map included, on one core. Figures:
//   median_ms   median thread CPU time per chunk
//   heightmap_ms the part of it spent computing the height map afterwards
//   noise_evals raw noise evaluations per chunk
//   nodes       octree nodes of the finished chunk
// Cold: nothing cached, all nine chunks of the 3 x 3 scan are classified.
// Warm: the site lists of all nine chunks are cached, as for most chunks once
// streaming has filled in the area around them.
// Row: chunks generated one after another along +x from the named chunk, the
// cache kept, so each new chunk scans three new chunks: the streaming case.
// Plain: the reference order (every column in full, one fill per column box).
namespace {

// Seed 42 chunks without structure sites in reach (picked from the world map).
constexpr int kSeed = 42;
constexpr int kForest[2] = { 3, -1 };
constexpr int kDesert[2] = { 2, -3 };

double threadMs()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec * 1e-6;
}

enum class Mode { Cold, Warm, Row, Plain };

void generateChunk(benchmark::State& state, const int (&where)[2], Mode mode)
{
    const WorldGenerator generator(kSeed);
    std::vector<double> ms, heightmapMs;
    uint64_t evaluations = 0;
    int nodes = 0;
    if (mode == Mode::Warm) {
        for (int a = -1; a <= 1; ++a)
            for (int b = -1; b <= 1; ++b)
                generator.sitesOf(where[0] + a, where[1] + b);
    }
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (mode == Mode::Cold)
            generator.clearSiteCache();
        auto chunk = std::make_unique<Chunk>(where[0] + (mode == Mode::Row ? step++ : 0), where[1]);
        state.ResumeTiming();

        SimplexNoise::resetEvaluationCount();
        const double start = threadMs();
        chunk->prepareGeneration();
        if (mode == Mode::Plain)
            generator.generateReference(*chunk);
        else
            generator.generate(*chunk);
        const double generated = threadMs();
        chunk->computeHeightmap(aabb(glm::vec3(-10000.0f), glm::vec3(10000.0f)));
        chunk->finishGeneration();
        ms.push_back(threadMs() - start);
        heightmapMs.push_back(ms.back() - (generated - start));
        evaluations = SimplexNoise::evaluationCount();
        nodes = chunk->root->countNodes();

        state.PauseTiming();
        chunk.reset();
        state.ResumeTiming();
    }
    std::sort(ms.begin(), ms.end());
    std::sort(heightmapMs.begin(), heightmapMs.end());
    state.counters["median_ms"] = ms.empty() ? 0.0 : ms[ms.size() / 2];
    state.counters["heightmap_ms"] = heightmapMs.empty() ? 0.0 : heightmapMs[heightmapMs.size() / 2];
    state.counters["noise_evals"] = double(evaluations);
    state.counters["nodes"] = nodes;
}

} // namespace

static void BM_TerrainForestCold(benchmark::State& s)
{
    generateChunk(s, kForest, Mode::Cold);
}
static void BM_TerrainForestWarm(benchmark::State& s)
{
    generateChunk(s, kForest, Mode::Warm);
}
static void BM_TerrainForestRow(benchmark::State& s)
{
    generateChunk(s, kForest, Mode::Row);
}
static void BM_TerrainForestPlain(benchmark::State& s)
{
    generateChunk(s, kForest, Mode::Plain);
}
static void BM_TerrainDesertCold(benchmark::State& s)
{
    generateChunk(s, kDesert, Mode::Cold);
}
static void BM_TerrainDesertWarm(benchmark::State& s)
{
    generateChunk(s, kDesert, Mode::Warm);
}
static void BM_TerrainDesertRow(benchmark::State& s)
{
    generateChunk(s, kDesert, Mode::Row);
}
static void BM_TerrainDesertPlain(benchmark::State& s)
{
    generateChunk(s, kDesert, Mode::Plain);
}
BENCHMARK(BM_TerrainForestCold)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_TerrainForestWarm)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_TerrainForestRow)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_TerrainForestPlain)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TerrainDesertCold)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_TerrainDesertWarm)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_TerrainDesertRow)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_TerrainDesertPlain)->Unit(benchmark::kMillisecond)->Iterations(5);
