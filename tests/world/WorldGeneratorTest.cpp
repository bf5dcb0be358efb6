#include "OctreeSnapshot.h"

#include "base/TerrainCodes.h"
#include "structures/Placement.h"
#include "world/Chunk.h"
#include "world/WorldGenerator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <thread>

using namespace terrain;

namespace {

std::unique_ptr<Chunk> generated(const WorldGenerator& g, int32_t cx, int32_t cz, bool reference = false)
{
    auto chunk = std::make_unique<Chunk>(cx, cz);
    chunk->prepareGeneration();
    if (reference)
        g.generateReference(*chunk);
    else
        g.generate(*chunk);
    return chunk;
}

// The first site that `wanted` accepts in the chunks around the origin, nearest first.
std::optional<Site> findSiteWhere(const WorldGenerator& g, const std::function<bool(const Site&)>& wanted)
{
    for (int r = 0; r <= 8; ++r) {
        for (int32_t cz = -r; cz <= r; ++cz) {
            for (int32_t cx = -r; cx <= r; ++cx) {
                if (std::max(std::abs(cx), std::abs(cz)) != r)
                    continue;
                for (const Site& s : *g.sitesOf(cx, cz))
                    if (wanted(s))
                        return s;
            }
        }
    }
    return std::nullopt;
}

// The first site of the wanted kind, nearest first.
std::optional<Site> findSite(const WorldGenerator& g, Placement kind, bool nearPlusXEdge = false)
{
    return findSiteWhere(g, [&](const Site& s) {
        const float edge = (s.chunkX + 1) * 64.0f;
        return placementOf(s.feature) == kind && (!nearPlusXEdge || s.position.x >= edge - 2.0f);
    });
}

// A stand-in structure: a marble block at its position and one world object,
// with a non-voxel choice drawn from the shared C library generator as real
// structures may do.
class MarkerLocation : public Location {
public:
    using Location::Location;
    void generate(VoxelOrders& orders) override
    {
        appendBox(orders, BLOCK_MARBLE, position, position + glm::vec3(2, 3, 2));
        objects.push_back(std::make_unique<Worldobject>(position + glm::vec3(1, 1, 1)));
        objects.back()->hint = std::rand() % 2 == 0;
    }
};

std::unique_ptr<Location> makeMarker(int, const glm::vec3& p)
{
    return std::make_unique<MarkerLocation>(p);
}

} // namespace

TEST(WorldGenerator, SeedOffsetComesFromTheSeedOrFromRand)
{
    EXPECT_EQ(WorldGenerator(42).seedOffset, 42.0f * 3.14159f);
    EXPECT_EQ(WorldGenerator(0).seedOffset, 0.0f);
    EXPECT_EQ(WorldGenerator(-3).seedOffset, -3.0f * 3.14159f);
    for (int n = 0; n < 50; ++n) {
        const float offset = WorldGenerator(-1).seedOffset;
        EXPECT_GE(offset, -10.0f);
        EXPECT_LE(offset, 10.0f);
    }

    WorldGenerator g(1);
    EXPECT_EQ(g.chunkSizeX, 0.0f);
    g.setSize({ 64, 64, 64 });
    EXPECT_EQ(g.chunkSizeY, 64.0f);
    EXPECT_EQ(g.samplesX, 128.0f);
    EXPECT_EQ(g.samplesZ, 128.0f);
}

// The fast path (shared noise, cached sites, terrain built in bulk) against
// the plain order, voxel for voxel: three forest chunks with trees, a desert
// chunk with a cactus and the seed chunk of a pyramid or crypt.
TEST(WorldGenerator, FastPathEqualsPlainOrderVoxelForVoxel)
{
    const WorldGenerator g(42);
    std::vector<std::pair<int32_t, int32_t>> chunks { { 0, 0 }, { -3, 5 }, { 7, -2 } };
    const std::optional<Site> cactus = findSite(g, Placement::Cactus);
    const std::optional<Site> landmark = findSiteWhere(g, [](const Site& s) {
        return s.feature == terrain::CODE_PYRAMID || s.feature == terrain::CODE_DESERT_CRYPT;
    });
    ASSERT_TRUE(cactus && landmark);
    chunks.emplace_back(cactus->chunkX, cactus->chunkZ);
    chunks.emplace_back(landmark->chunkX, landmark->chunkZ);
    for (const auto& [cx, cz] : chunks) {
        const auto fast = generated(g, cx, cz);
        const auto plain = generated(g, cx, cz, true);
        ASSERT_TRUE(snapshot::voxels(*fast->root) == snapshot::voxels(*plain->root)) << cx << ' ' << cz;
        EXPECT_LE(snapshot::leaves(*fast->root), snapshot::leaves(*plain->root));
    }
}

TEST(WorldGenerator, ChunkIsTheSameWhateverWasGeneratedBefore)
{
    const WorldGenerator alone(42);
    const uint64_t expected = snapshot::treeHash(*generated(alone, 2, -1)->root);

    // Neighbours first: the site cache is then warm for most of the 3 x 3 scan.
    const WorldGenerator afterNeighbours(42);
    for (const auto& [cx, cz] : { std::pair { 3, -1 }, std::pair { 1, 0 }, std::pair { 2, -2 } })
        generated(afterNeighbours, cx, cz);
    EXPECT_EQ(snapshot::treeHash(*generated(afterNeighbours, 2, -1)->root), expected);
    EXPECT_EQ(snapshot::treeHash(*generated(afterNeighbours, 2, -1)->root), expected);

    afterNeighbours.clearSiteCache();
    EXPECT_EQ(snapshot::treeHash(*generated(afterNeighbours, 2, -1)->root), expected);

    const WorldGenerator otherSeed(43);
    EXPECT_NE(snapshot::treeHash(*generated(otherSeed, 2, -1)->root), expected);
}

TEST(WorldGenerator, TreeNearChunkEdgeReachesIntoTheNeighbour)
{
    const WorldGenerator g(42);
    const std::optional<Site> tree = findSite(g, Placement::Tree, true);
    ASSERT_TRUE(tree);
    const int32_t cx = tree->chunkX + 1, cz = tree->chunkZ;
    const auto neighbour = generated(g, cx, cz);
    const std::vector<uint8_t> v = snapshot::voxels(*neighbour->root);

    // The crown (radius at least 3, centred at most 1 unit inside the edge) covers
    // the neighbour's first voxel column at the crown's centre height.
    const glm::vec3 origin = neighbour->bounds().min;
    int leaves = 0;
    for (int y = 0; y < 128; ++y)
        for (int z = 0; z < 128; ++z)
            leaves += v[snapshot::voxelIndex(0, y, z)] == BLOCK_LEAF;
    EXPECT_GT(leaves, 0) << "tree at " << tree->position.x << ' ' << tree->position.z << ", edge "
                         << origin.x;
}

TEST(WorldGenerator, StructureObjectsLiveOnlyInTheirSeedChunk)
{
    std::atomic<int> made { 0 };
    const WorldGenerator g(42, [&](int, const glm::vec3& p) {
        ++made;
        return std::make_unique<MarkerLocation>(p);
    });
    const std::optional<Site> site = findSite(g, Placement::Structure);
    ASSERT_TRUE(site);

    const auto seedChunk = generated(g, site->chunkX, site->chunkZ);
    ASSERT_GE(made.load(), 1);
    int own = 0;
    for (const auto& object : seedChunk->objects) {
        const glm::vec3 p = object->position();
        own += p == site->position + glm::vec3(1, 1, 1);
        EXPECT_EQ(chunkCoordOf(p.x - 1, p.z - 1), (ChunkCoord { site->chunkX, site->chunkZ }));
    }
    EXPECT_EQ(own, 1);
    const glm::ivec3 cell = seedChunk->cellOf(site->position + glm::vec3(0.25f, 0.25f, 0.25f));
    if (site->position.y < 63.0f) {
        EXPECT_EQ(
            snapshot::voxels(*seedChunk->root)[snapshot::voxelIndex(cell.x, cell.y, cell.z)], BLOCK_MARBLE);
    }

    // A neighbour rebuilds the structure (it may reach in) but gets none of its objects.
    const auto neighbour = generated(g, site->chunkX + 1, site->chunkZ);
    for (const auto& object : neighbour->objects)
        EXPECT_NE(object->position(), site->position + glm::vec3(1, 1, 1));
}

// Workers generate at once with one shared generator (and site cache), the
// structures drawing on rand() meanwhile.
TEST(WorldGenerator, ConcurrentGenerationMatchesOneByOne)
{
    const int32_t coords[6][2] = { { 0, 0 }, { 1, 0 }, { 0, 1 }, { 1, 1 }, { -1, 0 }, { 0, -1 } };
    uint64_t expected[6];
    {
        const WorldGenerator g(7, makeMarker);
        for (int n = 0; n < 6; ++n)
            expected[n] = snapshot::treeHash(*generated(g, coords[n][0], coords[n][1])->root);
    }
    const WorldGenerator shared(7, makeMarker);
    uint64_t got[6] = {};
    std::vector<std::thread> workers;
    for (int t = 0; t < 3; ++t) {
        workers.emplace_back([&, t] {
            for (int n = t; n < 6; n += 3)
                got[n] = snapshot::treeHash(*generated(shared, coords[n][0], coords[n][1])->root);
        });
    }
    for (auto& w : workers)
        w.join();
    for (int n = 0; n < 6; ++n)
        EXPECT_EQ(got[n], expected[n]) << n;
}
