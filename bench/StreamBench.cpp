#include "base/Settings.h"
#include "world/World.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

// Chunk streaming without a window: view distance 2 (25 chunks), 2 workers, seed 42.
// Figures:
//   load_ms     wall time from an empty world to isLoaded (goal: at most 1500)
//   settle_ms   wall time until every face update, mesh build and upload is done too
//   median_us   main-thread cost of one World::update while the square streams in
//   p99_us      its 99th percentile
//   frames      updates measured (one every millisecond of waiting)
namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::unique_ptr<World> makeWorld()
{
    gSettings.worldRandomSeed = 42;
    return std::make_unique<World>(2, gChunkDimensions.chunkSize, 2);
}

bool settled(World& world)
{
    return world.isLoaded() && world.pendingJobs() == 0 && world.activeWorkerCount() == 0
        && world.pendingUploads() == 0;
}

void BM_StreamSquare(benchmark::State& state)
{
    std::vector<double> loadMs, settleMs, updateUs;
    for (auto _ : state) {
        auto world = makeWorld();
        const auto start = Clock::now();
        bool loaded = false;
        for (;;) {
            const auto before = Clock::now();
            world->update(1.0f / 60.0f);
            updateUs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - before).count());
            if (!loaded && world->isLoaded()) {
                loaded = true;
                loadMs.push_back(msSince(start));
            }
            if (loaded && settled(*world))
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        settleMs.push_back(msSince(start));
        state.PauseTiming();
        world.reset();
        state.ResumeTiming();
    }
    std::sort(loadMs.begin(), loadMs.end());
    std::sort(settleMs.begin(), settleMs.end());
    std::sort(updateUs.begin(), updateUs.end());
    state.counters["load_ms"] = loadMs[loadMs.size() / 2];
    state.counters["settle_ms"] = settleMs[settleMs.size() / 2];
    state.counters["median_us"] = updateUs[updateUs.size() / 2];
    state.counters["p99_us"] = updateUs[std::min(updateUs.size() - 1, updateUs.size() * 99 / 100)];
    state.counters["frames"] = static_cast<double>(updateUs.size());
}
BENCHMARK(BM_StreamSquare)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}
