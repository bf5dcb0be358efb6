// The game's own frame on this machine's renderer, pass by pass, for a fixed view: the player
// standing in the forest of seed 7 at the origin (where a new game starts), 640 x 360, one
// sample, shadow map 1. Each frame is split into its passes, each waited for; the figures are
// the fastest and the median frame of the run, so other programs on the machine move them less.
// Figures, by view distance (the benchmark's argument):
//   frame_min_ms, frame_median_ms        the passes added up
//   cpu_median_ms                        processor time of the frame, every thread of the
//                                        renderer's included: the work, whatever else runs
//   <pass>_ms, <pass>_p10_ms             each pass's median and 10th percentile
//   triangles_shadow, triangles_world    terrain triangles the passes submitted
//   fragments                            fragment-shader invocations per frame
// Needs Xvfb (it starts its own) and the run folder.
#include "../tests/app/GameScene.h"
#include "../tests/render/GlContextFixture.h"

#include "app/FrameStats.h"
#include "base/Clock.h"
#include "render/PassTimer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

void BM_Frame(benchmark::State& state)
{
    GlContext* gl = GlContext::get();
    if (!gl) {
        state.SkipWithError(GlContext::failure().c_str());
        return;
    }
    GameScene scene;
    GameScene::Setup setup;
    setup.viewDistance = int(state.range(0));
    if (!scene.open(gl->window(), setup) || !scene.load()) {
        state.SkipWithError("the world did not load");
        return;
    }
    const float ground = scene.game.world->heightAt(glm::vec3(0.5f, 64.0f, 0.5f));
    scene.look(glm::vec3(0.5f, ground + 1.7f, 0.5f), glm::vec3(84.5f, ground + 1.7f, -53.5f));
    PassTimer timer(framePassNames(), now, 1);
    FrameStats stats;
    stats.setPassNames(framePassNames());
    scene.game.passTimer = &timer;
    scene.game.frameStats = &stats;
    scene.game.playing = true;
    const std::vector<std::string> names = framePassNames();
    std::vector<std::vector<double>> passMs(names.size());
    std::vector<double> frames, fragments;
    for (int i = 0; i < 5; ++i)
        scene.draw(gl->window(), true); // shaders compile at their first use
    std::vector<double> cpu;
    for (auto _ : state) {
        const double cpuBefore = processCpuMs();
        timer.beginFrame();
        scene.draw(gl->window(), true);
        timer.endFrame([&](const PassTimer::FrameResult& r) {
            double total = 0.0, shaded = 0.0;
            for (size_t p = 0; p < names.size(); ++p) {
                passMs[p].push_back(r.passMs[p]);
                total += r.passMs[p];
                if (p < r.passFragments.size())
                    shaded += r.passFragments[p];
            }
            frames.push_back(total);
            fragments.push_back(shaded);
            stats.addSplitFrame(r.passMs, r.passPrimitives, r.passFragments);
        });
        cpu.push_back(processCpuMs() - cpuBefore);
    }
    scene.game.passTimer = nullptr;
    scene.game.frameStats = nullptr;
    // The per-pass primitives, fragments and terrain triangles, as --frame-stats gives them.
    const std::string report = stats.report();
    std::printf("view distance %d:\n%s", setup.viewDistance, report.substr(report.find("split frames")).c_str());
    state.counters["frame_min_ms"] = *std::min_element(frames.begin(), frames.end());
    state.counters["frame_median_ms"] = FrameStats::percentile(frames, 0.5);
    state.counters["cpu_median_ms"] = FrameStats::percentile(cpu, 0.5);
    for (size_t p = 0; p < names.size(); ++p) {
        std::string key;
        for (char c : names[p])
            key.push_back(c == ' ' || c == '-' ? '_' : c);
        state.counters[key + "_ms"] = FrameStats::percentile(passMs[p], 0.5);
        state.counters[key + "_p10_ms"] = FrameStats::percentile(passMs[p], 0.1);
    }
    state.counters["fragments"] = FrameStats::percentile(fragments, 0.5);
    (void)scene;
}
BENCHMARK(BM_Frame)->Arg(1)->Arg(2)->Arg(4)->Iterations(40)->Unit(benchmark::kMillisecond);

} // namespace
