#pragma once

#include "base/TerrainCodes.h"

#include <array>
#include <cstdint>
#include <glm/vec3.hpp>
#include <vector>

namespace terrain {

constexpr int kColumns = 128; // voxel columns along a chunk edge
constexpr float kChunkSize = 64.0f; // world units along a chunk edge

// A column whose feature code places a plant or a structure.
struct Site {
    int feature = 0; // feature code O
    glm::vec3 position {}; // world position: column corner on x/z, surface height on y
    int32_t chunkX = 0; // chunk the column belongs to (the seed chunk of a structure)
    int32_t chunkZ = 0;

    bool operator==(const Site&) const = default;
};

// Everything about one column that generation decides.
struct Column {
    glm::vec3 local {}; // local x, surface height, local z, each rounded to hundredths
    int terrain = 0; // N
    int feature = 0; // O
};

// Heights and codes of all columns of a chunk, index k * 128 + i.
struct ChunkColumns {
    std::array<float, kColumns * kColumns> height {};
    std::array<uint8_t, kColumns * kColumns> terrain {};
    std::array<uint8_t, kColumns * kColumns> feature {};
};

// The column rules of terrain generation for one seed: heights, classifiers,
// codes and sites. Pure functions of the seed offset and the position; safe
// to use from any number of threads at once.
class TerrainSampler {
public:
    explicit TerrainSampler(float seedOffset)
        : seedOffset_(seedOffset)
    {
    }
    float seedOffset() const { return seedOffset_; }

    // noise01: raw noise mapped onto 0..1 with the seed offset as third coordinate.
    float noise01(float x, float z) const;
    // Surface height at a noise position: a multiple of 0.5 in 0..30.
    float surfaceHeight(float X, float Z) const;
    // The plant value of a site at world position W.
    float plantValue(const glm::vec3& world) const;

    int classifyDesert(float X, float Z) const;
    int classifyForest(float X, float Z) const;
    int classifyLandmark(float X, float Z) const;
    // The terrain code N of the column at noise position (X, Z).
    int terrainCodeAt(float X, float Z) const;

    // Noise position (chunk units) of column i (or k) of chunk c.
    static float noisePosition(int32_t c, int column) { return c + (column + 0.5f) / 128.0f; }

    // Column (i, k) of chunk (cx, cz), every classifier evaluated in full.
    Column column(int32_t cx, int32_t cz, int i, int k) const;
    // Sites of a chunk, scan order (k outer, i inner), from column() alone.
    std::vector<Site> referenceSites(int32_t cx, int32_t cz) const;

    // The same sites, sharing noise between neighbouring columns and skipping
    // classifiers that cannot change the outcome. Identical to referenceSites.
    std::vector<Site> sites(int32_t cx, int32_t cz) const;
    // Heights and codes of every column, computed the shared way.
    void columns(int32_t cx, int32_t cz, ChunkColumns& out) const;

private:
    Column finishColumn(int32_t cx, int32_t cz, int i, int k, int terrain) const;

    float seedOffset_;
};

} // namespace terrain
