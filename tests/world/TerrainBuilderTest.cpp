#include "OctreeSnapshot.h"

#include "world/Chunk.h"
#include "world/TerrainBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace terrain;

namespace {

// The plain order: the stone layer, then every column's air and surface box.
std::unique_ptr<Chunk> plainChunk(const TerrainProfile& p, int32_t cx = 0, int32_t cz = 0)
{
    auto chunk = std::make_unique<Chunk>(cx, cz);
    chunk->prepareGeneration();
    aabb stone = chunk->bounds();
    stone.max.y = 10;
    chunk->root->fill(BLOCK_STONE, stone);
    const glm::vec3 o = chunk->bounds().min;
    for (int k = 0; k < 128; ++k)
        for (int i = 0; i < 128; ++i)
            fillTerrainColumn(*chunk->root, o.x + i * 0.5f, o.z + k * 0.5f, p.airStart[k * 128 + i] * 0.5f,
                p.surface[k * 128 + i]);
    return chunk;
}

std::unique_ptr<Chunk> builtChunk(const TerrainProfile& p, int32_t cx = 0, int32_t cz = 0)
{
    auto chunk = std::make_unique<Chunk>(cx, cz);
    chunk->prepareGeneration();
    buildTerrain(*chunk->root, p);
    return chunk;
}

std::unique_ptr<TerrainProfile> rollingProfile()
{
    auto p = std::make_unique<TerrainProfile>();
    for (int k = 0; k < 128; ++k) {
        for (int i = 0; i < 128; ++i) {
            const float h
                = 15 + 14 * std::sin(i * 0.05f) * std::cos(k * 0.07f) + 3 * std::sin((i + k) * 0.3f);
            p->airStart[k * 128 + i] = uint8_t(std::clamp(int(std::round(h * 2)), 0, 60));
            p->surface[k * 128 + i] = (i + k) % 97 < 40 ? BLOCK_SAND : BLOCK_GRASS;
        }
    }
    p->airStart[5 * 128 + 9] = 0; // a column of height 0
    p->airStart[6 * 128 + 9] = 1; // surface voxel at the very bottom
    return p;
}

} // namespace

TEST(TerrainBuilder, ColumnOfHeightZeroIsAirToTheTop)
{
    auto chunk = std::make_unique<Chunk>(0, 0);
    chunk->prepareGeneration();
    chunk->root->fill(BLOCK_STONE, aabb({ 0, 0, 0 }, { 64, 10, 64 }));
    fillTerrainColumn(*chunk->root, 3.0f, 7.5f, 0.0f, BLOCK_GRASS);
    const auto v = snapshot::voxels(*chunk->root);
    for (int y = 0; y < 128; ++y)
        ASSERT_EQ(v[snapshot::voxelIndex(6, y, 15)], BLOCK_AIR) << y;
    EXPECT_EQ(v[snapshot::voxelIndex(7, 0, 15)], BLOCK_STONE); // the neighbour column is untouched
}

TEST(TerrainBuilder, LowColumnsCutIntoTheStone)
{
    auto chunk = std::make_unique<Chunk>(-2, 3);
    chunk->prepareGeneration();
    const glm::vec3 o = chunk->bounds().min;
    chunk->root->fill(BLOCK_STONE, aabb(o, { o.x + 64, 10, o.z + 64 }));
    fillTerrainColumn(*chunk->root, o.x + 10.0f, o.z + 20.0f, 4.5f, BLOCK_SAND); // below the stone top
    fillTerrainColumn(*chunk->root, o.x + 11.0f, o.z + 20.0f, 17.0f, BLOCK_GRASS); // above it
    const auto v = snapshot::voxels(*chunk->root);
    for (int y = 0; y < 128; ++y) {
        const uint8_t low = v[snapshot::voxelIndex(20, y, 40)];
        const uint8_t high = v[snapshot::voxelIndex(22, y, 40)];
        ASSERT_EQ(low, y < 8 ? BLOCK_STONE : y == 8 ? BLOCK_SAND : BLOCK_AIR) << y;
        ASSERT_EQ(high, y < 20 ? BLOCK_STONE : y < 33 ? BLOCK_DIRT : y == 33 ? BLOCK_GRASS : BLOCK_AIR) << y;
    }
}

TEST(TerrainBuilder, BulkBuildEqualsColumnFillsWithNoMoreLeaves)
{
    const auto profile = rollingProfile();
    const auto plain = plainChunk(*profile, -7, 12);
    const auto built = builtChunk(*profile, -7, 12);
    const auto v = snapshot::voxels(*built->root);
    ASSERT_TRUE(v == snapshot::voxels(*plain->root));
    EXPECT_LE(snapshot::leaves(*built->root), snapshot::leaves(*plain->root));
    for (int y = 0; y < 128; ++y)
        EXPECT_EQ(v[snapshot::voxelIndex(9, y, 5)], BLOCK_AIR);
    EXPECT_EQ(v[snapshot::voxelIndex(9, 0, 6)], profile->surface[6 * 128 + 9]);
}

TEST(TerrainBuilder, UniformRegionsBecomeSingleLeaves)
{
    // Flat ground at 32: stone to voxel 20, dirt to 63, grass at 63, air above.
    TerrainProfile flat;
    flat.airStart.fill(64);
    flat.surface.fill(BLOCK_GRASS);
    const auto built = builtChunk(flat);
    const auto v = snapshot::voxels(*built->root);
    for (int y = 0; y < 128; ++y)
        ASSERT_EQ(v[snapshot::voxelIndex(17, y, 90)], flat.typeAt(17 * 128 + 90, y)) << y;
    // The smallest tree for that: a draw node over y 0-32 needs 4 + 4 x (4 x 8 + 4)
    // = 148 leaves, over y 32-64 4 + 4 x (4 + 4 x (4 + 4 x (4 + 4 x 8))) = 2388,
    // and the 32 air draw nodes one each.
    EXPECT_EQ(snapshot::leaves(*built->root), 16 * 148 + 16 * 2388 + 32);
}
