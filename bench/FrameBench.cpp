// The game's own frame on this machine's renderer, pass by pass, for a fixed walk: the player
// walking ahead through the forest of seed 7 from the origin (where a new game starts),
// 640 x 360, one sample, shadow map 1. Each frame is split into its passes, each waited for; the figures are
// the fastest and the median frame of the run, so other programs on the machine move them less.
// Figures, by view distance (the benchmark's argument):
//   frame_min_ms, frame_median_ms        the passes added up
//   cpu_median_ms                        processor time of the frame, every thread of the
//                                        renderer's included: the work, whatever else runs
//   <pass>_ms, <pass>_p10_ms             each pass's median and 10th percentile
//   triangles_shadow, triangles_world    terrain triangles the passes submitted
//   fragments                            fragment-shader invocations per frame
//   world_triangles, occluded_triangles  the last world pass's terrain triangles, and
//                                        those of nodes hidden whole behind other terrain (what
//                                        a perfect occlusion culler would still save)
//   left_out_behind                      the triangles the occlusion test left out
//   shown_first                          the triangles that showed in the frame before, drawn
//                                        before the depth is read
// Needs Xvfb (it starts its own) and the run folder.
#include "../tests/app/GameScene.h"
#include "../tests/render/GlContextFixture.h"

#include "app/FrameStats.h"
#include "base/Clock.h"
#include "render/PassTimer.h"
#include "render/ShaderTable.h"
#include "world/World.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// What a perfect occlusion culler could still leave out of the last world pass: the triangles
// of shaded draw nodes none of whose pixels shows in front of the rest of the terrain. Drawn
// again depth only into the scene buffer, then each node tested against that depth.
double occludedTriangles(GameScene& scene)
{
    Game& game = scene.game;
    const TerrainCullResult& cull = game.session.world->lastTerrainCull();
    glBindFramebuffer(GL_FRAMEBUFFER, game.scene.framebuffers.sceneFramebuffer);
    glViewport(0, 0, game.scene.framebuffers.width, game.scene.framebuffers.height);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glClear(GL_DEPTH_BUFFER_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    const Shader* depth = getShader(SHADER_DEPTH);
    depth->bind();
    depth->setMat4("projview", game.scene.playerCamera->projView);
    depth->setVec3("eyePosition", game.scene.playerCamera->eyePosition());
    for (const TerrainDrawItem& item : cull.shaded)
        item.node->mesh->draw(item.ranges);
    glDepthMask(GL_FALSE);
    glDepthFunc(GL_LEQUAL);
    std::vector<GLuint> queries(cull.shaded.size());
    glGenQueries(GLsizei(queries.size()), queries.data());
    for (size_t i = 0; i < cull.shaded.size(); ++i) {
        glBeginQuery(GL_SAMPLES_PASSED, queries[i]);
        cull.shaded[i].node->mesh->draw(cull.shaded[i].ranges);
        glEndQuery(GL_SAMPLES_PASSED);
    }
    double hidden = 0.0;
    for (size_t i = 0; i < cull.shaded.size(); ++i) {
        GLuint samples = 0;
        glGetQueryObjectuiv(queries[i], GL_QUERY_RESULT, &samples);
        if (samples == 0)
            hidden += double(cull.shaded[i].ranges.triangles());
    }
    glDeleteQueries(GLsizei(queries.size()), queries.data());
    depth->unbind();
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return hidden;
}

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
    // The player walks ahead at walking speed, a frame of 60 a second at a time, so the view
    // and the lamp move in every frame and what showed in the frame before is not all that shows.
    const World& world = *scene.game.session.world;
    const glm::vec3 ahead = glm::normalize(glm::vec3(84.0f, 0.0f, -54.0f));
    glm::vec2 at(0.5f, 0.5f);
    auto walk = [&]() {
        at += glm::vec2(ahead.x, ahead.z) * (5.0f / 60.0f);
        const float ground = world.heightAt(glm::vec3(at.x, 64.0f, at.y));
        const glm::vec3 eye(at.x, ground + 1.7f, at.y);
        scene.look(eye, eye + 100.0f * ahead);
    };
    walk();
    PassTimer timer(framePassNames(), now, 1);
    FrameStats stats;
    stats.setPassNames(framePassNames());
    scene.game.platform.passTimer = &timer;
    scene.game.platform.frameStats = &stats;
    scene.game.playing = true;
    const std::vector<std::string> names = framePassNames();
    std::vector<std::vector<double>> passMs(names.size());
    std::vector<double> frames, fragments;
    for (int i = 0; i < 5; ++i) {
        walk();
        scene.draw(gl->window(), true); // shaders compile at their first use
    }
    std::vector<double> cpu;
    for (auto _ : state) {
        // Every frame draws its shadow map and reads the depth of its terrain: a view standing
        // still would keep both.
        walk();
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
    scene.game.platform.passTimer = nullptr;
    scene.game.platform.frameStats = nullptr;
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
    const TerrainCullResult& cull = scene.game.session.world->lastTerrainCull();
    // What the occlusion test leaves out comes from the shaded nodes and the silhouettes alike;
    // the quads outside the view, from near nodes that reach out of it.
    state.counters["world_triangles"] = double(cull.shadedTriangles + cull.silhouetteTriangles)
        - double(cull.occludedTriangles) - double(cull.outOfViewTriangles);
    state.counters["left_out_behind"] = double(cull.occludedTriangles);
    state.counters["left_out_of_view"] = double(cull.outOfViewTriangles);
    state.counters["shown_first"] = double(cull.shownFirstTriangles);
    state.counters["occluded_triangles"] = occludedTriangles(scene);
    (void)scene;
}
BENCHMARK(BM_Frame)->Arg(1)->Arg(2)->Arg(4)->Iterations(40)->Unit(benchmark::kMillisecond);

} // namespace
