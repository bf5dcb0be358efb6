#include "OrderRecords.h"
#include "base/BlockType.h"
#include "gameplay/Cage.h"
#include "gameplay/ItemContainer.h"
#include "gameplay/StaticDynamite.h"
#include "structures/Mineshaft.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace {

const glm::vec3 somePositions[] = { { 0, 20, 0 }, { 517, 33.5f, -64 }, { -1200, 12, 3100 }, { 64, 41, 64 },
    { 9, 27, -9 }, { -333, 18, -777 } };

std::pair<glm::vec2, glm::vec2> cellPair(const MineSegment& s)
{
    auto less = [](glm::vec2 a, glm::vec2 b) { return a.x < b.x || (a.x == b.x && a.y < b.y); };
    return less(s.startCell, s.endCell) ? std::make_pair(s.startCell, s.endCell)
                                        : std::make_pair(s.endCell, s.startCell);
}

int countType(const VoxelOrders& orders, int type)
{
    int n = 0;
    for (const VoxelBox& o : orders)
        n += o.type == type;
    return n;
}

TEST(MineshaftTest, SamePositionGivesSameOrdersAndObjects)
{
    Generated<Mineshaft> first(somePositions[1]);
    Generated<Mineshaft> second(somePositions[1]);
    EXPECT_EQ(recordOrders(first.orders), recordOrders(second.orders));
    EXPECT_EQ(recordObjects(first.location), recordObjects(second.location));
}

TEST(MineshaftTest, SegmentsJoinNeighbouringCellsOncePerPair)
{
    for (const glm::vec3& p : somePositions) {
        Generated<Mineshaft> mine(p);
        std::set<std::pair<std::pair<float, float>, std::pair<float, float>>> pairs;
        std::set<std::pair<float, float>> cells;
        for (const MineSegment& s : mine.location.segments) {
            EXPECT_EQ(glm::length(s.endCell - s.startCell), 1.0f);
            const auto [a, b] = cellPair(s);
            EXPECT_TRUE(pairs.insert({ { a.x, a.y }, { b.x, b.y } }).second) << "pair recorded twice";
            cells.insert({ a.x, a.y });
            cells.insert({ b.x, b.y });
            EXPECT_EQ(s.start.y, 4.0f);
            EXPECT_EQ(s.floorMiddle.y, 2.0f);
            EXPECT_EQ(s.owner, &mine.location);
        }
        // The walk's budget leaves part of the 7 x 7 grid untouched.
        EXPECT_LT(cells.size(), 49u);
        EXPECT_GE(cells.size(), 31u);
    }
}

TEST(MineshaftTest, ExactlyOneSealedRoomHoldsTheCat)
{
    for (const glm::vec3& p : somePositions) {
        Generated<Mineshaft> mine(p);
        const auto cages = objectsOf<Cage>(mine.location);
        ASSERT_EQ(cages.size(), 1u) << "mineshaft at " << p.x;
        EXPECT_FALSE(cages[0]->golden);

        int holding = 0;
        int sealed = 0;
        for (const MineSegment& s : mine.location.segments) {
            holding += s.holdsCage;
            EXPECT_TRUE(!s.holdsCage || s.deadEnd);
            if (s.holdsCage) {
                EXPECT_EQ(cages[0]->position(),
                    s.end - glm::vec3(0, 2, 0) - glm::vec3(0, 0.11f, 0) + glm::vec3(0, 0.8f, 0));
            }
        }
        EXPECT_EQ(holding, 1);
        // Every sealed room has one cracked wall, one charge and one cage or container behind it.
        sealed = countType(mine.orders, BLOCK_STONE_CRACKS);
        const auto charges = objectsOf<StaticDynamite>(mine.location);
        EXPECT_EQ(static_cast<int>(charges.size()), sealed);
        for (const StaticDynamite* charge : charges) {
            EXPECT_EQ(charge->charge.radius, 2.0f);
            EXPECT_EQ(charge->charge.center.y, 4.0f); // half way up the tunnel
            EXPECT_EQ(charge->position().y, 2.0f);
        }
        EXPECT_EQ(countObjects<ItemContainer>(mine.location) + 1, sealed);
    }
}

TEST(MineshaftTest, CartsCarryTwoRowsOfFourHeaps)
{
    int carts = 0;
    for (const glm::vec3& p : somePositions) {
        Generated<Mineshaft> mine(p);
        const int bodies = countType(mine.orders, BLOCK_METAL2);
        carts += bodies;
        EXPECT_EQ(countType(mine.orders, BLOCK_WHEEL), 4 * bodies);
        EXPECT_EQ(countType(mine.orders, BLOCK_DIAMOND_STONE), 8 * bodies);
        // Two rails per segment.
        EXPECT_EQ(countType(mine.orders, BLOCK_METAL), 2 * static_cast<int>(mine.location.segments.size()));
    }
    EXPECT_GT(carts, 0);
}

TEST(MineshaftTest, DeadEndsAreCellsReachedByOneSegmentOnly)
{
    Mineshaft mine({ 0, 20, 0 });
    auto seg = [&](glm::vec2 a, glm::vec2 b) {
        return MineSegment(glm::vec3(a.x, 4, a.y), glm::vec3(b.x, 4, b.y), a, b, &mine);
    };
    // A path 3,3 -> 4,3 -> 4,4 with a branch 3,3 -> 3,2: two dead ends.
    std::vector<MineSegment> segments
        = { seg({ 3, 3 }, { 4, 3 }), seg({ 4, 3 }, { 4, 4 }), seg({ 3, 3 }, { 3, 2 }) };
    EXPECT_EQ(Mineshaft::markDeadEnds(segments), 2);
    EXPECT_FALSE(segments[0].deadEnd);
    EXPECT_TRUE(segments[1].deadEnd);
    EXPECT_TRUE(segments[2].deadEnd);
    Mineshaft::chooseCageSegment(segments, 2, 5); // 5 mod 2: the second dead end
    EXPECT_FALSE(segments[1].holdsCage);
    EXPECT_TRUE(segments[2].holdsCage);
}

TEST(MineshaftTest, NoDeadEndMeansNoCageInsteadOfACrash)
{
    Mineshaft mine({ 100, 20, -50 });
    auto seg = [&](int u0, int v0, int u1, int v1) {
        return MineSegment(glm::vec3(u0 * 12, 4, v0 * 12), glm::vec3(u1 * 12, 4, v1 * 12), glm::vec2(u0, v0),
            glm::vec2(u1, v1), &mine);
    };
    // A closed loop: every cell is touched twice.
    mine.segments = { seg(3, 3, 4, 3), seg(4, 3, 4, 4), seg(4, 4, 3, 4), seg(3, 4, 3, 3) };
    mine.railLength = 12;
    VoxelOrders orders;
    mine.buildTunnels(orders);
    for (const MineSegment& s : mine.segments) {
        EXPECT_FALSE(s.deadEnd);
        EXPECT_FALSE(s.holdsCage);
    }
    EXPECT_EQ(countObjects<Cage>(mine), 0);
    EXPECT_EQ(countType(orders, BLOCK_STONE_CRACKS), 0);
    EXPECT_GT(orders.size(), 0u);
}

TEST(MineshaftTest, EntranceStairReachesFromTheSurfaceToTheTunnels)
{
    const glm::vec3 p(0, 20.3f, 0);
    Generated<Mineshaft> mine(p);
    const auto r = recordOrders(mine.orders);
    // f = 4 + trunc(2 * 16.3) = 36 treads, the last order is the lowest tread.
    const OrderRecord last = r.back();
    EXPECT_EQ(last.type, BLOCK_STONE);
    EXPECT_FLOAT_EQ(last.a.x, 7.5f - 0.5f * 35 - 0.5f);
    EXPECT_FLOAT_EQ(last.a.y, 19.3f - 0.5f * 35);
    EXPECT_FLOAT_EQ(last.b.z, 2.5f);
    // Frames stand before treads 0, 12 and 24: three posts pairs and lintels.
    int frameParts = 0;
    for (size_t i = r.size() - 36 - 9; i < r.size(); ++i)
        frameParts += r[i].type == BLOCK_WOOD_PLANKS2;
    EXPECT_EQ(frameParts, 9);
}

} // namespace
