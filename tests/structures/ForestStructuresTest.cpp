#include "structures/DesertCrypt.h"
#include "structures/LocationFactory.h"
#include "structures/Pyramid.h"
#include "structures/Tower.h"
#include "structures/VillageHouse.h"

#include "StructureTestUtil.h"
#include "base/BlockType.h"
#include "base/TerrainCodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace structure_test;

namespace {

TEST(StackSpheresTest, SpheresEveryHalfUnitShrinkingWithAnOptionalAirCap)
{
    VoxelOrders orders;
    stackSpheres(orders, BLOCK_STONE, { 1, 10, 2 }, 12.2f, 3, true, 0.5f);
    ASSERT_EQ(orders.size(), 5u); // four spheres and the cap
    for (size_t i = 0; i < 4; ++i) {
        const auto& s = dynamic_cast<const Sphere&>(*orders[i].shape);
        EXPECT_EQ(s.center, glm::vec3(1, 10 + 0.5f * static_cast<float>(i), 2));
        EXPECT_FLOAT_EQ(s.radius, 3 - 0.5f * static_cast<float>(i));
    }
    // The cap is the box around the next sphere (radius 1 at y 12), one unit
    // larger on every side, raised by the first radius.
    EXPECT_EQ(orders[4].type, BLOCK_AIR);
    EXPECT_EQ(boxAt(orders, 4).min, glm::vec3(-1, 13, 0));
    EXPECT_EQ(boxAt(orders, 4).max, glm::vec3(3, 17, 4));

    VoxelOrders none;
    stackSpheres(none, BLOCK_STONE, { 0, 10, 0 }, 9, 3, false, 0.1f);
    stackSpheres(none, BLOCK_STONE, { 0, -INFINITY, 0 }, 9, 3, true, 0.1f);
    EXPECT_TRUE(none.empty());
}

TEST(TowerTest, AtTwentyTheWallHasEightySpheresAndTheFloorFitsIt)
{
    const glm::vec3 p(64, 20, -128);
    Tower tower(p);
    EXPECT_NEAR(tower.floorRadius, 5.44f, 1e-5f);
    EXPECT_EQ(tower.top, glm::vec3(64, 60, -128));
    EXPECT_EQ(tower.floorPoint, glm::vec3(64, 52, -128));
    VoxelOrders orders;
    tower.generate(orders);
    for (size_t i = 0; i < 80; ++i) {
        ASSERT_EQ(orders[i].type, BLOCK_STONE);
        const auto& s = dynamic_cast<const Sphere&>(*orders[i].shape);
        EXPECT_NEAR(s.radius, 8 - 0.04f * static_cast<float>(i), 1e-4f);
    }
    EXPECT_NEAR(dynamic_cast<const Sphere&>(*orders[79].shape).radius, 4.84f, 1e-4f);
    EXPECT_EQ(orders[80].type, BLOCK_AIR);
    EXPECT_TRUE(isBox(orders, 80));
    // The sphere at the floor's height (index 64) has the floor radius.
    EXPECT_NEAR(dynamic_cast<const Sphere&>(*orders[64].shape).radius, tower.floorRadius, 1e-4f);
    // Hollow, platform (2 + cap), stone and air rings (2 each), slab.
    EXPECT_EQ(dynamic_cast<const Sphere&>(*orders[81].shape).radius, 7.0f);
    const size_t slab = 81 + 81 + 3 + 2 + 2;
    EXPECT_EQ(orders[slab].type, BLOCK_STUCCO);
    EXPECT_EQ(boxAt(orders, slab).min, glm::vec3(60, 59, -132));
    EXPECT_EQ(boxAt(orders, slab + 1).min, p - glm::vec3(8)); // foundation
    // The cross floor reaches the wall, its headroom one unit beyond it.
    EXPECT_NEAR(boxAt(orders, slab + 4).max.x, 64 + 5.44f, 1e-4f);
    EXPECT_NEAR(boxAt(orders, slab + 6).max.x, 64 + 6.44f, 1e-4f);
    ASSERT_EQ(orders.size(), slab + 8 + 14);

    ASSERT_EQ(tower.objects.size(), 2u);
    EXPECT_EQ(kindOf(*tower.objects[0]), PlacedKind::Bonfire);
    EXPECT_EQ(tower.objects[0]->position(), tower.top);
    EXPECT_EQ(kindOf(*tower.objects[1]), PlacedKind::Cage);
    EXPECT_TRUE(near(tower.objects[1]->position(), tower.floorPoint + cageLift));
    EXPECT_FALSE(dynamic_cast<const Cage&>(*tower.objects[1]).golden);
}

TEST(TowerTest, TwoTowersAgreeAndDrawNothing)
{
    Tower a({ 3.5f, 11, 9 });
    Tower b({ 3.5f, 11, 9 });
    b.random = Random(1, 2); // the generator state must not matter
    VoxelOrders oa, ob;
    a.generate(oa);
    b.generate(ob);
    expectSameOrders(oa, ob);
    EXPECT_EQ(b.random.A, 1u);
    EXPECT_EQ(b.random.B, 2u);
}

struct HouseResult {
    VoxelOrders orders;
    bool turned = false;
    bool container = false;
};

HouseResult buildHouse(const glm::vec3& p)
{
    VillageHouse house(p);
    HouseResult r;
    house.generate(r.orders);
    // The door (order 18) sits in the -z wall unless the house was turned.
    r.turned = boxAt(r.orders, 18).min.z != p.z - 3;
    r.container = !house.objects.empty();
    if (r.container) {
        const auto& container = dynamic_cast<const ItemContainer&>(*house.objects[0]);
        EXPECT_GE(container.itemType, 0); // a random item was drawn
        EXPECT_LE(container.itemType, 4);
        EXPECT_EQ(container.box.center(), p);
    }
    return r;
}

bool sameBox(const aabb& a, const aabb& b)
{
    return near(a.min, b.min, 1e-4f) && near(a.max, b.max, 1e-4f);
}

TEST(VillageHouseTest, QuarterTurnChangesOnlyTheDoorWallRidgeAndGables)
{
    // Find one turned and one plain house at the same height.
    glm::vec3 turnedAt(0), plainAt(0);
    bool haveTurned = false, havePlain = false;
    for (int i = 0; i < 200 && !(haveTurned && havePlain); ++i) {
        const glm::vec3 p(0.5f * static_cast<float>(i), 12, 3.5f);
        const bool t = buildHouse(p).turned;
        (t ? turnedAt : plainAt) = p;
        (t ? haveTurned : havePlain) = true;
    }
    ASSERT_TRUE(haveTurned && havePlain);
    const HouseResult turned = buildHouse(turnedAt);
    const HouseResult plain = buildHouse(plainAt);
    ASSERT_EQ(turned.orders.size(), plain.orders.size());
    ASSERT_EQ(plain.orders.size(), 12u + 7u + 36u);
    const glm::vec3 shift = turnedAt - plainAt;
    auto shifted = [&](size_t i) {
        aabb b = boxAt(plain.orders, i);
        b.translate(shift);
        return b;
    };
    for (size_t i = 0; i < plain.orders.size(); ++i)
        ASSERT_EQ(turned.orders[i].type, plain.orders[i].type);
    // Mound, clearing, room and floor: unchanged.
    for (size_t i = 0; i < 14; ++i)
        EXPECT_TRUE(sameBox(boxAt(turned.orders, i), shifted(i))) << "order " << i;
    // The four walls swap places among themselves.
    for (size_t i = 14; i < 18; ++i) {
        bool found = false;
        for (size_t k = 14; k < 18; ++k)
            found = found || sameBox(boxAt(turned.orders, i), shifted(k));
        EXPECT_TRUE(found) << "wall " << i;
    }
    // The door moves to another wall; every roof tile and gable changes.
    for (size_t i = 18; i < plain.orders.size(); ++i)
        EXPECT_FALSE(sameBox(boxAt(turned.orders, i), shifted(i))) << "order " << i;
    // The ridge ran along x and now runs along z.
    EXPECT_FLOAT_EQ(sizeOf(boxAt(plain.orders, 19)).x, 6);
    EXPECT_FLOAT_EQ(sizeOf(boxAt(turned.orders, 19)).z, 6);
}

TEST(VillageHouseTest, AboutHalfAreTurnedAndFourInTenHoldAContainer)
{
    // Surface points on the half-unit grid, scattered over a few hundred chunks.
    std::mt19937 scatter(2024);
    auto halfUnits
        = [&](int range) { return 0.5f * static_cast<float>(scatter() % static_cast<uint32_t>(range)); };
    int turned = 0, containers = 0;
    const int total = 1500;
    for (int i = 0; i < total; ++i) {
        const glm::vec3 p(halfUnits(4096) - 1024, halfUnits(61), halfUnits(4096) - 1024);
        const HouseResult r = buildHouse(p);
        turned += r.turned;
        containers += r.container;
    }
    EXPECT_NEAR(static_cast<double>(turned) / total, 0.5, 0.05);
    EXPECT_NEAR(static_cast<double>(containers) / total, 0.4, 0.05);
}

TEST(LocationFactoryTest, LandmarkCodesMakeTheirStructures)
{
    const glm::vec3 p(1, 2, 3);
    EXPECT_NE(dynamic_cast<Pyramid*>(makeLocation(terrain::CODE_PYRAMID, p).get()), nullptr);
    EXPECT_NE(dynamic_cast<DesertCrypt*>(makeLocation(terrain::CODE_DESERT_CRYPT, p).get()), nullptr);
    EXPECT_NE(dynamic_cast<Tower*>(makeLocation(terrain::CODE_TOWER, p).get()), nullptr);
    const auto house = makeLocation(terrain::CODE_VILLAGE_HOUSE, p);
    ASSERT_NE(dynamic_cast<VillageHouse*>(house.get()), nullptr);
    EXPECT_EQ(house->position, p);
}

} // namespace
