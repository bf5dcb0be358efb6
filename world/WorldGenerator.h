#pragma once

#include "structures/Location.h"
#include "world/SiteCache.h"
#include "world/TerrainSampler.h"

#include <functional>
#include <glm/vec3.hpp>
#include <memory>

class Chunk;

// Turns a chunk coordinate into the chunk's terrain, plants, the parts of
// structures that reach into it and the world objects of the structures
// seeded in it; deterministic from the world seed, whatever order chunks are
// generated in. One generator serves every worker thread at once.
class WorldGenerator {
public:
    using LocationMaker
        = std::function<std::unique_ptr<Location>(int featureCode, const glm::vec3& position)>;

    float chunkSizeX = 0, chunkSizeY = 0, chunkSizeZ = 0;
    float samplesX = 0, samplesZ = 0; // voxel columns per chunk edge
    float seedOffset = 0; // third noise coordinate: makes every field seed-dependent

    // worldSeed -1 picks a seed offset from rand(); any other seed gives seed x 3.14159.
    // `maker` creates the structures (tests pass their own).
    explicit WorldGenerator(int worldSeed, LocationMaker maker = nullptr);

    void setSize(const glm::vec3& chunkSize);

    // Fills a freshly prepared chunk (root all dirt, see Chunk::prepareGeneration).
    // The caller computes the height map afterwards.
    void generate(Chunk& chunk) const;
    // The same result built in the plain order: every column of the nine
    // chunks classified in full, every voxel written by its own fill. Slow;
    // kept as the reference the fast path is tested against.
    void generateReference(Chunk& chunk) const;

    int classifyDesert(float X, float Z) const { return sampler().classifyDesert(X, Z); }
    int classifyForest(float X, float Z) const { return sampler().classifyForest(X, Z); }
    int classifyLandmark(float X, float Z) const { return sampler().classifyLandmark(X, Z); }
    int terrainCodeAt(float X, float Z) const { return sampler().terrainCodeAt(X, Z); }
    terrain::TerrainSampler sampler() const { return terrain::TerrainSampler(seedOffset); }

    // The sites of a chunk, from the cache when another generation scanned it lately.
    terrain::SiteCache::Sites sitesOf(int32_t cx, int32_t cz) const;
    void clearSiteCache() const { siteCache_.clear(); }

private:
    void fillColumnsOneByOne(Chunk& chunk, const terrain::TerrainSampler& s) const;
    void placeSites(Chunk& chunk, const std::vector<terrain::Site>& sites) const;

    LocationMaker makeLocation_;
    mutable terrain::SiteCache siteCache_;
};
