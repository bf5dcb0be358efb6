#include "structures/MazeStairwell.h"

#include "base/BlockType.h"

#include <gtest/gtest.h>

#include <cmath>
#include <glm/vec2.hpp>
#include <numeric>
#include <set>
#include <utility>
#include <vector>

namespace {

const aabb& boxAt(const VoxelOrders& orders, size_t i)
{
    return dynamic_cast<const aabb&>(*orders.at(i).shape);
}

// A maze whose cells lie 2 units apart, so every passage is a line of 9 boxes.
struct Passage {
    int u0, v0, u1, v1;
};

std::vector<Passage> passagesOf(const VoxelOrders& orders, int gridSize)
{
    EXPECT_EQ(orders.size() % 9, 0u);
    std::vector<Passage> passages;
    for (size_t i = 0; i + 8 < orders.size(); i += 9) {
        const glm::vec3 a = boxAt(orders, i).center();
        const glm::vec3 b = boxAt(orders, i + 8).center();
        Passage p { static_cast<int>(std::lround(a.x / 2)), static_cast<int>(std::lround(a.z / 2)),
            static_cast<int>(std::lround(b.x / 2)), static_cast<int>(std::lround(b.z / 2)) };
        EXPECT_EQ(std::abs(p.u0 - p.u1) + std::abs(p.v0 - p.v1), 1) << "passage " << i / 9;
        EXPECT_TRUE(p.u0 >= 0 && p.u0 < gridSize && p.v0 >= 0 && p.v0 < gridSize);
        EXPECT_TRUE(p.u1 >= 0 && p.u1 < gridSize && p.v1 >= 0 && p.v1 < gridSize);
        passages.push_back(p);
    }
    return passages;
}

VoxelOrders maze(Random& random, int gridSize, int extra)
{
    VoxelOrders orders;
    const float far = 2.0f * static_cast<float>(gridSize - 1);
    carveMaze(orders, random, { 0, 10, 0 }, { far, 10, far }, 2, 3, gridSize, extra);
    return orders;
}

int findRoot(std::vector<int>& parent, int i)
{
    while (parent[i] != i)
        i = parent[i] = parent[parent[i]];
    return i;
}

TEST(MazeTest, EveryCellIsReachedByATreeOfPassagesFromTheMiddle)
{
    for (int gridSize : { 2, 3, 9, 13, 15 }) {
        for (uint32_t seed = 1; seed < 6; ++seed) {
            Random random(seed * 7919u, seed * 104729u);
            const VoxelOrders orders = maze(random, gridSize, 0);
            const auto passages = passagesOf(orders, gridSize);
            // A tree: one passage fewer than cells, and no passage closes a loop.
            ASSERT_EQ(passages.size(), static_cast<size_t>(gridSize * gridSize - 1));
            std::vector<int> parent(static_cast<size_t>(gridSize * gridSize));
            std::iota(parent.begin(), parent.end(), 0);
            for (const Passage& p : passages) {
                const int a = findRoot(parent, p.u0 * gridSize + p.v0);
                const int b = findRoot(parent, p.u1 * gridSize + p.v1);
                ASSERT_NE(a, b) << "loop in grid " << gridSize;
                parent[a] = b;
            }
            // The first passage leaves the middle cell.
            EXPECT_EQ(passages[0].u0, gridSize / 2);
            EXPECT_EQ(passages[0].v0, gridSize / 2);
            for (const auto& o : orders)
                ASSERT_EQ(o.type, BLOCK_AIR);
        }
    }
}

TEST(MazeTest, PassagesAreWidthByHeightAroundTheCellLevel)
{
    Random random(3, 4);
    const VoxelOrders orders = maze(random, 5, 0);
    const aabb& first = boxAt(orders, 0);
    EXPECT_FLOAT_EQ(first.min.y, 8.5f);
    EXPECT_FLOAT_EQ(first.max.y, 11.5f);
    EXPECT_FLOAT_EQ(first.max.x - first.min.x, 2.0f);
    EXPECT_FLOAT_EQ(first.max.z - first.min.z, 2.0f);
}

TEST(MazeTest, ExtraOpeningsJoinAnInnerCellToANeighbourAndDrawAfterTheTree)
{
    Random a(11, 22);
    Random b(11, 22);
    const VoxelOrders tree = maze(a, 9, 0);
    const VoxelOrders withExtras = maze(b, 9, 25);
    ASSERT_EQ(withExtras.size(), tree.size() + 25 * 9);
    // The tree part is the same; the extras drew only after it.
    for (size_t i = 0; i < tree.size(); ++i)
        ASSERT_EQ(boxAt(tree, i).min, boxAt(withExtras, i).min);
    const auto passages = passagesOf(withExtras, 9);
    for (size_t i = tree.size() / 9; i < passages.size(); ++i) {
        EXPECT_GE(passages[i].u0, 1);
        EXPECT_LE(passages[i].u0, 7);
        EXPECT_GE(passages[i].v0, 1);
        EXPECT_LE(passages[i].v0, 7);
    }
}

TEST(MazeTest, SameGeneratorStateSameMazeAndUnusableGridsCarveNothing)
{
    Random a(5, 6);
    Random b(5, 6);
    const VoxelOrders first = maze(a, 13, 10);
    const VoxelOrders second = maze(b, 13, 10);
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i)
        ASSERT_EQ(boxAt(first, i).min, boxAt(second, i).min);
    EXPECT_EQ(a.A, b.A);

    for (int gridSize : { -3, 0, 1, 100000 }) {
        VoxelOrders orders;
        Random r(1, 1);
        carveMaze(orders, r, { 0, 0, 0 }, { 10, 0, 10 }, 2, 3, gridSize, 5);
        EXPECT_TRUE(orders.empty()) << gridSize;
    }
    // A 2 x 2 grid has no inner cell: the tree, but no extra opening.
    Random r(1, 1);
    EXPECT_EQ(passagesOf(maze(r, 2, 5), 2).size(), 3u);
}

TEST(StairwellTest, PyramidStairwellOrdersInSequence)
{
    VoxelOrders orders;
    buildStairwell(orders, BLOCK_PYRAMID, 25, 10.2f, 33, -4.3f, 1, 1.5f);
    // Shaft 33 + 33 boxes, column 25, landing 1, 16 treads with air above each.
    ASSERT_EQ(orders.size(), 33u + 33u + 25u + 1u + 32u);
    const float x = 10.0f; // snapped to the half grid
    const float z = -4.5f;
    EXPECT_EQ(boxAt(orders, 0).center(), glm::vec3(x, 33, z));
    EXPECT_FLOAT_EQ(boxAt(orders, 0).max.x - boxAt(orders, 0).min.x, 7.0f);
    EXPECT_FLOAT_EQ(boxAt(orders, 33).max.x - boxAt(orders, 33).min.x, 5.0f);
    EXPECT_EQ(orders[66].type, BLOCK_PYRAMID);
    EXPECT_EQ(boxAt(orders, 66).center(), glm::vec3(x, 31, z));
    EXPECT_EQ(boxAt(orders, 90).center(), glm::vec3(x, 25, z));
    const aabb& landing = boxAt(orders, 91);
    EXPECT_EQ(landing.min, glm::vec3(x - 3.5f, 31, z - 3.5f));
    EXPECT_EQ(landing.max, glm::vec3(x + 3.5f, 31.5f, z + 3.5f));

    // The first tread: on the +x side, shifted one unit to -z.
    const aabb& first = boxAt(orders, 92);
    EXPECT_EQ(first.min, glm::vec3(x + 1, 23.5f, z - 1));
    EXPECT_EQ(first.max, glm::vec3(x + 2.5f, 24, z - 0.5f));
    // The fifth is the corner, long across.
    const aabb& corner = boxAt(orders, 100);
    EXPECT_EQ(corner.min, glm::vec3(x + 1, 25.5f, z + 1));
    EXPECT_EQ(corner.max, glm::vec3(x + 2.5f, 26, z + 2.5f));
}

TEST(StairwellTest, TreadsRiseHalfAUnitWithAirAboveAndStayInsideTheShaft)
{
    VoxelOrders orders;
    buildStairwell(orders, BLOCK_STONE, 41, 0, 49, 0, 1, 1.5f);
    const size_t firstTread = orders.size() - 32;
    for (size_t i = firstTread; i < orders.size(); i += 2) {
        const aabb& tread = boxAt(orders, i);
        const aabb& air = boxAt(orders, i + 1);
        const float step = static_cast<float>((i - firstTread) / 2);
        EXPECT_EQ(orders[i].type, BLOCK_STONE);
        EXPECT_EQ(orders[i + 1].type, BLOCK_AIR);
        EXPECT_FLOAT_EQ(tread.min.y, 39.5f + 0.5f * step);
        EXPECT_FLOAT_EQ(air.min.y, tread.max.y);
        EXPECT_FLOAT_EQ(air.max.y, tread.max.y + 3);
        EXPECT_EQ(glm::vec2(air.min.x, air.min.z), glm::vec2(tread.min.x, tread.min.z));
        for (int a : { 0, 2 }) {
            EXPECT_GE(tread.min[a], -3.5f);
            EXPECT_LE(tread.max[a], 3.5f);
        }
        // No tread overlaps the central column.
        EXPECT_FALSE(tread.min.x < 1 && tread.max.x > -1 && tread.min.z < 1 && tread.max.z > -1);
    }
}

TEST(StairwellTest, StyleChangesTypesFirstSideAndAddsTheSlab)
{
    VoxelOrders orders;
    StairwellStyle style { BLOCK_STONE, BLOCK_MARBLE, BLOCK_STONE, BLOCK_BARK, 3 };
    buildStairwell(orders, style, 2, 0, 8, 0, 1, 1.5f);
    const size_t landing = orders.size() - 2 * 12 - 2;
    EXPECT_EQ(orders[landing].type, BLOCK_MARBLE);
    EXPECT_EQ(orders[landing + 1].type, BLOCK_BARK);
    EXPECT_FLOAT_EQ(boxAt(orders, landing + 1).min.y, 5.5f);
    EXPECT_FLOAT_EQ(boxAt(orders, landing + 1).max.y, 6.0f);
    // Side 3 is -z: the first tread lies at z from -2.5 to -1.
    const aabb& first = boxAt(orders, landing + 2);
    EXPECT_FLOAT_EQ(first.min.z, -2.5f);
    EXPECT_FLOAT_EQ(first.max.z, -1.0f);

    VoxelOrders none;
    buildStairwell(none, BLOCK_STONE, -INFINITY, 0, 8, 0, 1, 1.5f);
    buildStairwell(none, BLOCK_STONE, -1e9f, 0, 8, 0, 1, 1.5f);
    buildStairwell(none, BLOCK_STONE, 0, NAN, 8, 0, 1, 1.5f);
    EXPECT_TRUE(none.empty());
}

} // namespace
