#include "OrderRecords.h"
#include "base/BlockType.h"
#include "gameplay/Cage.h"
#include "structures/BigHouse.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

namespace {

std::vector<glm::vec3> housePositions()
{
    std::vector<glm::vec3> out;
    for (int i = 0; i < 60; ++i)
        out.emplace_back(i * 53.0f - 1500, 15 + (i % 7) * 3.5f, i * -91.0f + 400);
    return out;
}

TEST(BigHouseTest, SamePositionGivesSameOrdersAndObjects)
{
    Generated<BigHouse> first({ 321, 24, -4410 });
    Generated<BigHouse> second({ 321, 24, -4410 });
    EXPECT_EQ(recordOrders(first.orders), recordOrders(second.orders));
    EXPECT_EQ(recordObjects(first.location), recordObjects(second.location));
    EXPECT_GT(first.orders.size(), 100u);
}

TEST(BigHouseTest, FloorsWalksAndStepsComeFromTheFirstThreeDraws)
{
    bool sawTwo = false;
    bool sawFour = false;
    for (const glm::vec3& p : housePositions()) {
        BigHouse probe(p);
        const uint32_t a = probe.random.next();
        const uint32_t b = probe.random.next();
        const uint32_t c = probe.random.next();
        BigHouse house(p);
        house.planLayout();
        ASSERT_EQ(house.floors, static_cast<int>(a % 3) + 2);
        EXPECT_EQ(house.walks, static_cast<int>(b % 3) - house.floors + 8);
        EXPECT_EQ(house.steps, static_cast<int>(c % 3) - house.floors + 8);
        // Taller houses get fewer and shorter walks per storey.
        const int least = 8 - house.floors;
        EXPECT_GE(house.walks, least);
        EXPECT_LE(house.walks, least + 2);
        EXPECT_GE(house.steps, least);
        EXPECT_LE(house.steps, least + 2);
        sawTwo |= house.floors == 2;
        sawFour |= house.floors == 4;
        EXPECT_EQ(house.storeys.size(), static_cast<size_t>(house.floors + 1));
    }
    EXPECT_TRUE(sawTwo);
    EXPECT_TRUE(sawFour);
}

TEST(BigHouseTest, StairRoomsFillTheCentralColumnBelowTheTopStorey)
{
    for (const glm::vec3& p : housePositions()) {
        BigHouse house(p);
        house.planLayout();
        for (int s = 0; s < house.floors; ++s) {
            const BigHouseRoom* column = house.roomAt(s, glm::vec3(0, s, 0));
            ASSERT_NE(column, nullptr);
            EXPECT_EQ(house.storeys[s][0].get(), column) << "every walk starts in the column";
            EXPECT_EQ(column->kind, s < house.floors - 1 ? BigHouseRoom::STAIR : BigHouseRoom::ROOM);
        }
        int stairs = 0;
        for (const auto& storey : house.storeys)
            for (const auto& room : storey)
                stairs += room->kind == BigHouseRoom::STAIR;
        EXPECT_EQ(stairs, house.floors - 1);
    }
}

TEST(BigHouseTest, CageSitsInTheTopStoreyOutsideTheColumn)
{
    for (const glm::vec3& p : housePositions()) {
        Generated<BigHouse> generated(p);
        const BigHouse& house = generated.location;
        const BigHouseRoom* cageRoom = nullptr;
        int holding = 0;
        for (const auto& storey : house.storeys)
            for (const auto& room : storey)
                if (room->holdsCage) {
                    ++holding;
                    cageRoom = room.get();
                }
        ASSERT_EQ(holding, 1);
        EXPECT_EQ(cageRoom->storey(), house.floors - 1);
        if (house.storeys[house.floors - 1].size() > 1) {
            EXPECT_FALSE(cageRoom->inCentralColumn());
        }

        const auto cages = objectsOf<Cage>(house);
        ASSERT_EQ(cages.size(), 1u);
        const glm::vec3 c = cageRoom->center();
        EXPECT_EQ(cages[0]->position(), glm::vec3(c.x, cageRoom->floorHeight() + 0.27f + 0.8f, c.z));
        EXPECT_FALSE(cages[0]->golden);
    }
}

TEST(BigHouseTest, LinksAreMutualAndRoofsAndYardCloseTheHouse)
{
    const glm::vec3 toward[6]
        = { { -1, 0, 0 }, { 1, 0, 0 }, { 0, 0, -1 }, { 0, 0, 1 }, { 0, -1, 0 }, { 0, 1, 0 } };
    for (const glm::vec3& p : housePositions()) {
        BigHouse house(p);
        house.planLayout();
        for (const auto& storey : house.storeys) {
            for (const auto& room : storey) {
                for (int side = 0; side < 6; ++side) {
                    const BigHouseRoom* n = room->neighbours[side];
                    if (!n)
                        continue;
                    EXPECT_EQ(n->cell - room->cell, toward[side]);
                    EXPECT_EQ(n->neighbours[side ^ 1], room.get());
                }
                if (room->kind == BigHouseRoom::ROOM || room->kind == BigHouseRoom::STAIR) {
                    // Something always stands on top of a room: a room, a terrace or a roof.
                    EXPECT_NE(room->neighbours[BigHouseRoom::ABOVE], nullptr);
                }
                if (room->storey() == 0 && !room->isYard()) {
                    for (int dx = -1; dx <= 1; ++dx)
                        for (int dz = -1; dz <= 1; ++dz)
                            EXPECT_NE(house.roomAt(0, room->cell + glm::vec3(dx, 0, dz)), nullptr);
                }
            }
        }
        for (const auto& roof : house.storeys[house.floors])
            EXPECT_EQ(roof->kind, BigHouseRoom::TOP_ROOF);
        for (int s = 1; s < house.floors; ++s) {
            for (const auto& room : house.storeys[s]) {
                if (room->kind != BigHouseRoom::TERRACE && room->kind != BigHouseRoom::SHADED_TERRACE)
                    continue;
                const bool roomTwoUp = house.roomAt(s + 1, room->cell + glm::vec3(0, 1, 0)) != nullptr;
                EXPECT_EQ(room->kind == BigHouseRoom::SHADED_TERRACE, roomTwoUp);
            }
        }
    }
}

TEST(BigHouseTest, StairsClimbTheColumnStartingOnTurningSides)
{
    const glm::vec3 turnOrder[4] = { { 1, 0, 0 }, { 0, 0, 1 }, { -1, 0, 0 }, { 0, 0, -1 } };
    for (const glm::vec3& p : { glm::vec3(40, 22, -60), glm::vec3(-700, 31, 5), glm::vec3(1234, 18, 999) }) {
        Generated<BigHouse> generated(p);
        const auto r = recordOrders(generated.orders);
        int stairs = 0;
        for (size_t i = 0; i + 2 < r.size(); ++i) {
            if (r[i].type != BLOCK_MARBLE || r[i].b.x - r[i].a.x != 7.0f)
                continue;
            // The landing sits two units under the next storey's floor level + 8, over a bark slab.
            const int s = stairs++;
            const float floor = p.y + 6.0f * s;
            EXPECT_EQ(r[i],
                (OrderRecord { BLOCK_MARBLE, { p.x - 3.5f, floor + 6, p.z - 3.5f },
                    { p.x + 3.5f, floor + 6.5f, p.z + 3.5f } }));
            EXPECT_EQ(r[i + 1],
                (OrderRecord { BLOCK_BARK, { p.x - 3.5f, floor + 5.5f, p.z - 3.5f },
                    { p.x + 3.5f, floor + 6, p.z + 3.5f } }));
            // The first stone tread lies on side (3 x storey) mod 4, one unit out from the column.
            const OrderRecord tread = r[i + 2];
            EXPECT_EQ(tread.type, BLOCK_STONE);
            EXPECT_EQ(tread.a.y, floor + 0.5f);
            const glm::vec3 dir = turnOrder[(3 * s) % 4];
            const glm::vec3 middle = (tread.a + tread.b) * 0.5f - glm::vec3(p.x, 0, p.z);
            EXPECT_GT(glm::dot(middle, dir), 1.0f) << "storey " << s;
        }
        EXPECT_EQ(stairs, generated.location.floors - 1);
    }
}

TEST(BigHouseTest, RoofsAndYardGatesKeepToTheCellsAndTheirNeighbours)
{
    for (const glm::vec3& p : housePositions()) {
        Generated<BigHouse> generated(p);
        glm::vec3 low(1e9f);
        glm::vec3 high(-1e9f);
        for (const auto& storey : generated.location.storeys) {
            for (const auto& room : storey) {
                low = glm::min(low, room->center());
                high = glm::max(high, room->center());
            }
        }
        // One cell beyond the outermost centres, plus half a cell to its far edge.
        low -= glm::vec3(15);
        high += glm::vec3(15);
        for (const OrderRecord& o : recordOrders(generated.orders)) {
            ASSERT_GE(o.a.x, low.x);
            ASSERT_GE(o.a.z, low.z);
            ASSERT_LE(o.b.x, high.x);
            ASSERT_LE(o.b.z, high.z);
        }
    }
}

TEST(BigHouseTest, RoomsAreStuccoShellsOnAFoundation)
{
    const glm::vec3 p(0, 20, 0);
    Generated<BigHouse> generated(p);
    const auto r = recordOrders(generated.orders);
    // The first room built is the stair room at the centre of the ground floor:
    // clear (2), pillars (4), then the shell's stucco block over the storey.
    ASSERT_GT(r.size(), 8u);
    EXPECT_EQ(r[0], (OrderRecord { BLOCK_AIR, { -5, 20, -5 }, { 5, 26, 5 } }));
    EXPECT_EQ(r[1], (OrderRecord { BLOCK_AIR, { -5, 26, -5 }, { 5, 32, 5 } }));
    EXPECT_EQ(r[2], (OrderRecord { BLOCK_STUCCO, { 4.5f, 14, 4.5f }, { 5.5f, 26, 5.5f } }));
    EXPECT_EQ(r[6], (OrderRecord { BLOCK_STUCCO, { -5, 20, -5 }, { 5, 26, 5 } }));
    EXPECT_EQ(r[8], (OrderRecord { BLOCK_STUCCO, { -5.5f, 19.5f, -5.5f }, { 5.5f, 20, 5.5f } }));

    int grass = 0;
    for (const OrderRecord& o : r)
        grass += o.type == BLOCK_GRASS && o.b.y == 20.0f;
    int yards = 0;
    for (const auto& room : generated.location.storeys[0])
        yards += room->isYard();
    EXPECT_EQ(grass, yards);
}

} // namespace
