#include "render/Camera.h"
#include "render/FogHorizon.h"
#include "world/FaceMasks.h"
#include "world/Octree.h"
#include "world/TerrainCulling.h"
#include "world/VoxelQueries.h"
#include "world/WorldGenerator.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cmath>
#include <glm/trigonometric.hpp>
#include <map>

// What the terrain culling leaves to draw, without a GL context: seed 7's square around a new
// game's start (view distance given by the argument), every draw node meshed, and the player's
// view turned full circle at the start and walked 160 units east, a frame every 10 degrees or
// 8 units (the fog horizon of a clear night, no lamp in the way). Occlusion needs the GPU's
// depth and is not part of these figures (the frame benchmark counts it).
// Figures, per frame (the mean over the path):
//   cull_us                 main-thread time of choosing the nodes
//   nodes_tested            meshed draw nodes looked at
//   nodes_shaded, nodes_silhouette   what is drawn lit, and in the fog's colour past the horizon
//   triangles, silhouette_triangles
//   ground_<band>, trees_<band>, structures_<band>   shaded triangles by what they belong to
//                           (open ground and rock, trees and cacti, everything built) and by
//                           distance band from the eye (0-16, 16-32, 32-64, 64-128, 128+)
namespace {

ChunkList generateSquare(int seed, int distance)
{
    const WorldGenerator generator(seed);
    ChunkList chunks;
    for (int a = -distance; a <= distance; ++a) {
        for (int b = -distance; b <= distance; ++b) {
            auto chunk = std::make_unique<Chunk>(a, b);
            chunk->prepareGeneration();
            generator.generate(*chunk);
            chunk->computeHeightmap(aabb(glm::vec3(-10000.0f), glm::vec3(10000.0f)));
            chunk->finishGeneration();
            chunks.push_back(std::move(chunk));
        }
    }
    updateFaces(chunks, aabb(glm::vec3(-10000.0f), glm::vec3(10000.0f)));
    for (auto& chunk : chunks)
        chunk->root->buildMesh(chunk->bounds());
    return chunks;
}

const char* kindOf(int type)
{
    switch (type) {
    case BLOCK_DIRT:
    case BLOCK_GRASS:
    case BLOCK_STONE:
    case BLOCK_SAND:
    case BLOCK_BEDROCK:
        return "ground";
    case BLOCK_BARK:
    case BLOCK_LEAF:
    case BLOCK_CACTUS:
        return "trees";
    default:
        return "structures";
    }
}

const char* bandOf(float d)
{
    return d < 16 ? "0_16" : d < 32 ? "16_32" : d < 64 ? "32_64" : d < 128 ? "64_128" : "128_";
}

void BM_CullPath(benchmark::State& state)
{
    const int distance = int(state.range(0));
    ChunkList chunks = generateSquare(7, distance);
    PerspectiveCamera camera("bench");
    camera.setPerspective(70.0f, 16.0f / 9.0f, 0.1f, 1000.0f);
    SceneLight light;
    light.flashLightIntensity = 0.75f;
    TerrainViewParams params;
    params.floor = FloorRect { -64.0f * float(distance), -64.0f * float(distance), 64.0f * float(distance + 1),
        64.0f * float(distance + 1), 0.0f, 250.0f };
    params.hasFloor = true;
    struct Pose {
        glm::vec3 eye;
        float yaw;
    };
    std::vector<Pose> path;
    for (int deg = 0; deg < 360; deg += 10)
        path.push_back({ glm::vec3(0.5f, 0.0f, 0.5f), float(deg) });
    for (float x = 8.0f; x <= 160.0f; x += 8.0f)
        path.push_back({ glm::vec3(x, 0.0f, 0.5f), 90.0f });
    for (Pose& p : path)
        p.eye.y = std::max(heightAt(chunks, glm::vec3(p.eye.x, 64.0f, p.eye.z)), 0.0f) + 1.7f;

    TerrainCullResult result;
    std::map<std::string, double> byKind;
    double cullUs = 0.0, tested = 0.0, shaded = 0.0, silhouette = 0.0, triangles = 0.0, far = 0.0, frames = 0.0;
    for (auto _ : state) {
        for (const Pose& p : path) {
            const glm::vec3 ahead(std::sin(glm::radians(p.yaw)), 0.0f, -std::cos(glm::radians(p.yaw)));
            camera.lookAt(p.eye, p.eye + ahead, glm::vec3(0.0f, 1.0f, 0.0f));
            light.flashLightPos = p.eye;
            params.horizon = params.floorHorizon = fogHorizon(light, p.eye, false);
            const auto start = std::chrono::steady_clock::now();
            cullTerrain(chunks, camera, params, result, TerrainMeshSource::Built);
            cullUs += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
            tested += double(result.nodesTested);
            shaded += double(result.shaded.size());
            silhouette += double(result.silhouette.size());
            triangles += double(result.shadedTriangles);
            far += double(result.silhouetteTriangles);
            frames += 1.0;
            // What the drawn ranges hold, quad by quad.
            for (const TerrainDrawItem& item : result.shaded) {
                const TerrainMeshData& mesh = *item.node->meshData;
                for (int r = 0; r < item.ranges.count; ++r) {
                    const uint32_t first = item.ranges.first[size_t(r)] / 6;
                    const uint32_t last = first + item.ranges.indices[size_t(r)] / 6;
                    for (uint32_t q = first; q < last; ++q) {
                        const TerrainVertex& v = mesh.vertices[size_t(q) * 4];
                        const std::string key = std::string(kindOf(v.typeAndFace & TERRAIN_TYPE_MASK)) + "_"
                            + bandOf(boxDistance(p.eye, item.node->box.min, item.node->box.max));
                        byKind[key] += 2.0;
                    }
                }
            }
        }
    }
    state.counters["cull_us"] = cullUs / frames;
    state.counters["nodes_tested"] = tested / frames;
    state.counters["nodes_shaded"] = shaded / frames;
    state.counters["nodes_silhouette"] = silhouette / frames;
    state.counters["triangles"] = triangles / frames;
    state.counters["silhouette_triangles"] = far / frames;
    for (const auto& [key, count] : byKind)
        state.counters[key] = count / frames;
}
BENCHMARK(BM_CullPath)->Arg(1)->Arg(2)->Arg(4)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
