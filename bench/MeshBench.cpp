#include "BenchTerrain.h"
#include "world/FaceMasks.h"
#include "world/TerrainMesher.h"
#include "world/WorldGenerator.h"

#include <benchmark/benchmark.h>

#include <vector>

// Terrain meshes per chunk, on one core. Figures:
//   face_update_ms  the face update of the chunk's region (masks of all leaves)
//   mesh_build_ms   the meshes of its 64 draw nodes
//   vertices, indices, gpu_bytes   what the chunk's meshes upload
//   leaf_faces      visible faces before merging (one quad each in the straightforward mesh)
//   solid_leaves    leaves of a block type
// Bench: the synthetic rolling ground of BenchTerrain.h, alone.
// Forest and Desert: seed 42 chunks (3, -1) and (2, -3), generated with their eight
// neighbours so the faces along their borders are as in the game.
namespace {

aabb grownBounds(const Chunk& chunk)
{
    aabb region = chunk.bounds();
    region.min -= glm::vec3(0.1f);
    region.max += glm::vec3(0.1f);
    return region;
}

ChunkList generateAround(int cx, int cz)
{
    const WorldGenerator generator(42);
    ChunkList chunks;
    for (int a = -1; a <= 1; ++a) {
        for (int b = -1; b <= 1; ++b) {
            auto chunk = std::make_unique<Chunk>(cx + a, cz + b);
            chunk->prepareGeneration();
            generator.generate(*chunk);
            chunk->computeHeightmap(aabb(glm::vec3(-10000.0f), glm::vec3(10000.0f)));
            chunk->finishGeneration();
            chunks.push_back(std::move(chunk));
        }
    }
    return chunks;
}

void meshChunk(benchmark::State& state, ChunkList chunks, const Chunk& centre)
{
    const aabb region = grownBounds(centre);
    Octree& root = *centre.root;
    double faceMs = 0.0, meshMs = 0.0;
    for (auto _ : state) {
        double start = benchThreadMs();
        updateFaces(chunks, region);
        faceMs += benchThreadMs() - start;
        start = benchThreadMs();
        root.buildMesh(region);
        meshMs += benchThreadMs() - start;
    }
    double vertices = 0, indices = 0, bytes = 0;
    forEachDrawNode(root, region, [&](Octree_draw_node& node) {
        if (!node.meshData)
            return;
        vertices += double(node.meshData->vertices.size());
        indices += double(node.meshData->indexCount());
        bytes += double(node.meshData->gpuBytes());
    });
    int leaves = 0, faces = 0;
    root.countSolidLeaves(leaves);
    root.countVisibleFaces(faces);
    const double n = double(state.iterations());
    state.counters["face_update_ms"] = faceMs / n;
    state.counters["mesh_build_ms"] = meshMs / n;
    state.counters["vertices"] = vertices;
    state.counters["indices"] = indices;
    state.counters["gpu_bytes"] = bytes;
    state.counters["leaf_faces"] = faces;
    state.counters["solid_leaves"] = leaves;
}

} // namespace

static void BM_MeshChunkBench(benchmark::State& state)
{
    ChunkList chunks;
    chunks.push_back(makeBenchTerrainChunk());
    const Chunk& centre = *chunks[0];
    meshChunk(state, std::move(chunks), centre);
}
BENCHMARK(BM_MeshChunkBench)->Unit(benchmark::kMillisecond);

static void BM_MeshChunkForest(benchmark::State& state)
{
    ChunkList chunks = generateAround(3, -1);
    const Chunk& centre = *chunks[4];
    meshChunk(state, std::move(chunks), centre);
}
BENCHMARK(BM_MeshChunkForest)->Unit(benchmark::kMillisecond)->Iterations(5);

static void BM_MeshChunkDesert(benchmark::State& state)
{
    ChunkList chunks = generateAround(2, -3);
    const Chunk& centre = *chunks[4];
    meshChunk(state, std::move(chunks), centre);
}
BENCHMARK(BM_MeshChunkDesert)->Unit(benchmark::kMillisecond)->Iterations(5);
