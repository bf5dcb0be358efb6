#include "BenchTerrain.h"
#include "world/FaceMasks.h"

#include <benchmark/benchmark.h>

namespace {

// The region of the face update queued after a chunk is generated: its box grown by 0.1.
aabb grownBounds(const Chunk& chunk)
{
    aabb region = chunk.bounds();
    region.min -= glm::vec3(0.1f);
    region.max += glm::vec3(0.1f);
    return region;
}

// CPU bytes of the built arrays of all 64 draw nodes.
double meshBytes(Octree& root)
{
    double bytes = 0.0;
    for (int i = 0; i < 8; ++i) {
        for (int j = 0; j < 8; ++j) {
            const auto& node = static_cast<const Octree_draw_node&>(root.child(i).child(j));
            bytes
                += double(node.vertexFloatCount) * sizeof(float) + double(node.indexCount) * sizeof(uint32_t);
        }
    }
    return bytes;
}

}

// Height map, cleared masks and the marks of every air leaf, single thread.
static void BM_FaceUpdatePerChunk(benchmark::State& state)
{
    ChunkList chunks;
    chunks.push_back(makeBenchTerrainChunk());
    const aabb region = grownBounds(*chunks[0]);
    double totalMs = 0.0;
    for (auto _ : state) {
        const double start = benchThreadMs();
        updateFaces(chunks, region);
        totalMs += benchThreadMs() - start;
    }
    int faces = 0;
    chunks[0]->root->countVisibleFaces(faces);
    state.counters["ms_per_chunk"] = totalMs / double(state.iterations());
    state.counters["visible_faces"] = faces;
}
BENCHMARK(BM_FaceUpdatePerChunk)->Unit(benchmark::kMillisecond);

// Vertex and index arrays of all 64 draw nodes, single thread.
static void BM_MeshBuildPerChunk(benchmark::State& state)
{
    ChunkList chunks;
    chunks.push_back(makeBenchTerrainChunk());
    const aabb region = grownBounds(*chunks[0]);
    updateFaces(chunks, region);
    Octree& root = *chunks[0]->root;
    double totalMs = 0.0;
    for (auto _ : state) {
        const double start = benchThreadMs();
        root.buildMesh(region);
        totalMs += benchThreadMs() - start;
    }
    int leaves = 0;
    root.countSolidLeaves(leaves);
    state.counters["ms_per_chunk"] = totalMs / double(state.iterations());
    state.counters["solid_leaves"] = leaves;
    state.counters["cpu_mesh_bytes_per_chunk"] = meshBytes(root);
}
BENCHMARK(BM_MeshBuildPerChunk)->Unit(benchmark::kMillisecond);
