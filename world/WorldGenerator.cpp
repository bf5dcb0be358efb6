#include "world/WorldGenerator.h"

#include "base/Rand.h"
#include "structures/LocationFactory.h"
#include "world/Chunk.h"
#include "world/ColumnGrid.h"
#include "world/Plants.h"
#include "world/TerrainBuilder.h"
#include "world/TerrainClassifier.h"

#include <cmath>
#include <cstdlib>

using namespace terrain;

namespace {

// A value in [-10, 10] from the C library generator.
float randomSeedOffset()
{
    return randUnit() * 20.0f - 10.0f;
}

aabb stoneLayer(const Chunk& chunk)
{
    aabb b = chunk.bounds();
    b.max.y = 10.0f;
    return b;
}

// The terrain of the chunk's own columns, computed the shared way. False when
// a height is not a whole number of voxels (then the builder cannot be used).
bool ownProfile(const TerrainSampler& s, int32_t cx, int32_t cz, TerrainProfile& profile)
{
    for (int k = 0; k < kColumns; ++k) {
        const float Z = TerrainSampler::noisePosition(cz, k);
        for (int i = 0; i < kColumns; ++i) {
            const float X = TerrainSampler::noisePosition(cx, i);
            const float twice = roundToHundredths(s.surfaceHeight(X, Z)) * 2.0f;
            if (!(twice >= 0.0f && twice <= 128.0f) || twice != std::floor(twice))
                return false;
            const bool desert = isDesertValue(transformedNoise(FIELD_DESERT_BAND, X, Z, s.seedOffset()));
            profile.airStart[k * kColumns + i] = static_cast<uint8_t>(twice);
            profile.surface[k * kColumns + i] = desert ? BLOCK_SAND : BLOCK_GRASS;
        }
    }
    return true;
}

} // namespace

WorldGenerator::WorldGenerator(int worldSeed, LocationMaker maker)
    : seedOffset(worldSeed == -1 ? randomSeedOffset() : static_cast<float>(worldSeed) * 3.14159f)
    , makeLocation_(maker ? std::move(maker) : LocationMaker(makeLocation))
{
}

void WorldGenerator::setSize(const glm::vec3& chunkSize)
{
    chunkSizeX = chunkSize.x;
    chunkSizeY = chunkSize.y;
    chunkSizeZ = chunkSize.z;
    samplesX = chunkSizeX * 2.0f;
    samplesZ = chunkSizeZ * 2.0f;
}

SiteCache::Sites WorldGenerator::sitesOf(int32_t cx, int32_t cz) const
{
    if (SiteCache::Sites cached = siteCache_.find(seedOffset, cx, cz))
        return cached;
    auto sites = std::make_shared<const std::vector<Site>>(sampler().sites(cx, cz));
    siteCache_.insert(seedOffset, cx, cz, sites);
    return sites;
}

void WorldGenerator::generate(Chunk& chunk) const
{
    if (!chunk.root)
        return;
    const TerrainSampler s = sampler();
    const int32_t cx = chunk.cx, cz = chunk.cz;

    auto profile = std::make_unique<TerrainProfile>();
    if (ColumnGrid::isExact(cx, cz) && ownProfile(s, cx, cz, *profile)) {
        buildTerrain(*chunk.root, *profile);
    } else {
        chunk.root->fill(BLOCK_STONE, stoneLayer(chunk));
        fillColumnsOneByOne(chunk, s);
    }

    std::vector<Site> sites;
    for (int a = -1; a <= 1; ++a) {
        for (int b = -1; b <= 1; ++b) {
            const SiteCache::Sites found = sitesOf(cx + a, cz + b);
            sites.insert(sites.end(), found->begin(), found->end());
        }
    }
    placeSites(chunk, sites);
}

void WorldGenerator::fillColumnsOneByOne(Chunk& chunk, const TerrainSampler& s) const
{
    const glm::vec3 origin = chunk.bounds().min;
    for (int k = 0; k < kColumns; ++k) {
        for (int i = 0; i < kColumns; ++i) {
            const Column c = s.column(chunk.cx, chunk.cz, i, k);
            fillTerrainColumn(*chunk.root, origin.x + c.local.x, origin.z + c.local.z, c.local.y,
                static_cast<BlockType>(surfaceBlockFor(c.terrain)));
        }
    }
}

void WorldGenerator::generateReference(Chunk& chunk) const
{
    if (!chunk.root)
        return;
    const TerrainSampler s = sampler();
    chunk.root->fill(BLOCK_STONE, stoneLayer(chunk));
    fillColumnsOneByOne(chunk, s);
    std::vector<Site> sites;
    for (int a = -1; a <= 1; ++a) {
        for (int b = -1; b <= 1; ++b) {
            const std::vector<Site> found = s.referenceSites(chunk.cx + a, chunk.cz + b);
            sites.insert(sites.end(), found.begin(), found.end());
        }
    }
    placeSites(chunk, sites);
}

void WorldGenerator::placeSites(Chunk& chunk, const std::vector<Site>& sites) const
{
    const TerrainSampler s = sampler();
    VoxelOrders orders;
    std::vector<std::unique_ptr<Location>> structures;
    for (const Site& site : sites) {
        switch (placementOf(site.feature)) {
        case Placement::Tree:
            placeTree(orders, site.position, s.plantValue(site.position));
            break;
        case Placement::Cactus:
            placeCactus(orders, site.position, s.plantValue(site.position));
            break;
        case Placement::Structure:
            if (std::unique_ptr<Location> location = makeLocation_(site.feature, site.position)) {
                location->seedChunk = ChunkCoord { site.chunkX, site.chunkZ };
                structures.push_back(std::move(location));
            }
            break;
        case Placement::Nothing:
            break;
        }
    }

    // Structures after all plants; their world objects live only in the chunk they were seeded in.
    for (std::unique_ptr<Location>& location : structures) {
        location->generate(orders);
        if (location->seedChunk.cx == chunk.cx && location->seedChunk.cz == chunk.cz) {
            for (auto& object : location->objects)
                chunk.objects.push_back(std::move(object));
        }
        location->objects.clear();
        location.reset();
    }

    for (const VoxelBox& order : orders) {
        // Structures are trusted to write block types only; anything else is dropped, not stored.
        if (order.shape && isBlockType(order.type))
            chunk.root->fill(static_cast<BlockType>(order.type), *order.shape);
    }
}
