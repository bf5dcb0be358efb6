#include "structures/DesertCrypt.h"
#include "structures/Pyramid.h"

#include "StructureTestUtil.h"
#include "base/BlockType.h"

#include <gtest/gtest.h>

#include <glm/geometric.hpp>
#include <set>

using namespace structure_test;

namespace {

TEST(PyramidTest, BodyLayersShrinkToTheApexFromFifteenBelowGround)
{
    const glm::vec3 p(100, 20, -40);
    Pyramid pyramid(p);
    VoxelOrders orders;
    pyramid.generate(orders);
    // 116 layers of half a unit from y = 5 to y = 63.
    for (size_t i = 0; i < 116; ++i) {
        ASSERT_EQ(orders[i].type, BLOCK_PYRAMID);
        const aabb& layer = boxAt(orders, i);
        const float y = 5.0f + 0.5f * static_cast<float>(i);
        const float half = 58.0f - 0.5f * static_cast<float>(i);
        ASSERT_FLOAT_EQ(layer.min.y, y);
        ASSERT_FLOAT_EQ(layer.max.y, y + 0.5f);
        ASSERT_EQ(layer.min, glm::vec3(p.x - half, y, p.z - half)) << "layer " << i;
        ASSERT_EQ(layer.max, glm::vec3(p.x + half, y + 0.5f, p.z + half)) << "layer " << i;
    }
    EXPECT_EQ(boxAt(orders, 30).min.x, p.x - 43); // the layer at ground level
    EXPECT_FLOAT_EQ(boxAt(orders, 115).min.y, 62.5f);
    // The next order is already part of an entrance collar, no longer a full layer.
    EXPECT_LT(sizeOf(boxAt(orders, 116)).x, 5.0f);
}

TEST(PyramidTest, SamePositionSameOrdersAndObjects)
{
    for (const glm::vec3& p :
        { glm::vec3(0, 0, 0), glm::vec3(-1234.5f, 17.5f, 987), glm::vec3(64.5f, 29, 3.5f) }) {
        Pyramid a(p);
        Pyramid b(p);
        VoxelOrders oa, ob;
        a.generate(oa);
        b.generate(ob);
        expectSameOrders(oa, ob);
        ASSERT_EQ(a.objects.size(), b.objects.size());
        for (size_t i = 0; i < a.objects.size(); ++i) {
            EXPECT_EQ(a.objects[i]->position(), b.objects[i]->position());
            EXPECT_EQ(kindOf(*a.objects[i]), kindOf(*b.objects[i]));
        }
    }
}

// The entrance directions the first three draws of a pyramid name, without repeats.
std::set<int> entranceDraws(const glm::vec3& p)
{
    Pyramid probe(p);
    std::set<int> distinct;
    for (int i = 0; i < 3; ++i)
        distinct.insert(static_cast<int>(probe.random.next() & 3u));
    return distinct;
}

TEST(PyramidTest, RepeatedEntranceDrawsGiveFewerEntrancesEachWithItsSign)
{
    const glm::vec3 facing[4] = { { 0, 0, 1 }, { 0, 0, -1 }, { -1, 0, 0 }, { 1, 0, 0 } };
    int fewer = 0;
    for (int i = 0; i < 40; ++i) {
        const glm::vec3 p(12.5f * static_cast<float>(i), 8 + 0.5f * static_cast<float>(i % 20),
            -7.0f * static_cast<float>(i));
        const std::set<int> expected = entranceDraws(p);
        Pyramid pyramid(p);
        VoxelOrders orders;
        pyramid.generate(orders);
        ASSERT_EQ(countKind(pyramid.objects, PlacedKind::Sign), static_cast<int>(expected.size()));
        fewer += expected.size() < 3;
        // One sign per drawn direction, in the niche beside its tunnel.
        for (const auto& o : pyramid.objects) {
            if (kindOf(*o) != PlacedKind::Sign)
                continue;
            const glm::vec3 signFacing = column(o->modelMatrix, 2, 0.7f);
            int d = 0;
            while (d < 4 && !near(signFacing, facing[d], 1e-5f))
                ++d;
            ASSERT_LT(d, 4);
            EXPECT_TRUE(expected.count(d));
            const glm::vec3 side(facing[d].z, 0, -facing[d].x);
            EXPECT_TRUE(near(o->position(), glm::vec3(p.x, 23, p.z) + facing[d] * 38.0f + side * 3.0f));
        }
    }
    EXPECT_GT(fewer, 0);
    EXPECT_LT(fewer, 40);
}

TEST(PyramidTest, TopChamberHoldsTheGoldenCatAndTheCharge)
{
    const glm::vec3 p(-300, 12, 77);
    Pyramid pyramid(p);
    VoxelOrders orders;
    pyramid.generate(orders);
    ASSERT_EQ(countKind(pyramid.objects, PlacedKind::Cage), 1);
    ASSERT_EQ(countKind(pyramid.objects, PlacedKind::StaticDynamite), 1);
    for (const auto& o : pyramid.objects) {
        if (const auto* cage = dynamic_cast<const Cage*>(o.get())) {
            EXPECT_TRUE(cage->golden);
            EXPECT_TRUE(near(o->position(), glm::vec3(p.x, 48.28f, p.z) + cageLift));
        } else if (const auto* dynamite = dynamic_cast<const StaticDynamite*>(o.get())) {
            EXPECT_TRUE(near(o->position(), { p.x + 4, 47.5f, p.z }));
            EXPECT_TRUE(near(dynamite->charge.center, { p.x - 8, 51, p.z }));
            EXPECT_EQ(dynamite->charge.radius, 6.0f);
            const glm::mat4& pack = dynamite->pack->getModelMatrix();
            EXPECT_TRUE(near(column(pack, 0, 0.2f), { 0, 0.8f / std::sqrt(0.89f), 0.5f / std::sqrt(0.89f) }));
            EXPECT_TRUE(near(column(pack, 1, 0.2f), { 1, 0, 0 }));
            EXPECT_TRUE(near(glm::vec3(pack[3]), dynamite->charge.center));
            EXPECT_TRUE(near(
                column(o->modelMatrix, 2, 0.3f), { -0.9f / std::sqrt(0.82f), 0, 0.1f / std::sqrt(0.82f) }));
        }
    }
    // The chamber is carved just before the last stairwell, which stands in its middle.
    bool chamber = false;
    for (size_t i = 0; i < orders.size() && !chamber; ++i)
        chamber = orders[i].type == BLOCK_AIR && isBox(orders, i)
            && boxAt(orders, i).min == glm::vec3(p.x - 8, 47.5f, p.z - 8)
            && boxAt(orders, i).max == glm::vec3(p.x + 8, 54, p.z + 8);
    EXPECT_TRUE(chamber);
}

TEST(PyramidTest, NoBodyAboveTheApex)
{
    Pyramid high({ 5, 80, 5 }); // e = -17: not even the bottom layer
    VoxelOrders orders;
    high.generate(orders);
    for (size_t i = 0; i < orders.size(); ++i) {
        if (isBox(orders, i)) {
            ASSERT_FALSE(sizeOf(boxAt(orders, i)).x > 60) << i;
        }
    }
}

// Where the stair of a crypt starts: after the mound (40), hall box, dome and
// the entrance line of 25 boxes.
constexpr size_t cryptStairStart = 40 + 2 + 25;

TEST(DesertCryptTest, StairHasOneStepPerHalfUnitOfHeight)
{
    for (const auto& [py, steps] : { std::pair { 12.3f, 24 }, std::pair { 12.0f, 24 }, std::pair { 0.4f, 0 },
             std::pair { 29.5f, 59 } }) {
        DesertCrypt crypt({ 40, py, -8 });
        VoxelOrders orders;
        crypt.generate(orders);
        for (int i = 0; i < steps; ++i) {
            const size_t at = cryptStairStart + 2 * static_cast<size_t>(i);
            ASSERT_EQ(orders[at].type, BLOCK_PYRAMID) << py << " step " << i;
            const aabb& tread = boxAt(orders, at);
            EXPECT_FLOAT_EQ(tread.center().y, py - 0.5f * static_cast<float>(i));
            EXPECT_FLOAT_EQ(sizeOf(tread).y, 0.5f);
            EXPECT_FLOAT_EQ(sizeOf(tread).x * sizeOf(tread).z, 2.5f);
            EXPECT_EQ(orders[at + 1].type, BLOCK_AIR);
            EXPECT_FLOAT_EQ(boxAt(orders, at + 1).min.y, tread.max.y);
            EXPECT_FLOAT_EQ(boxAt(orders, at + 1).max.y, tread.max.y + 5.5f);
        }
        // Then the bottom corridor, five wide.
        const aabb& corridor = boxAt(orders, cryptStairStart + 2 * static_cast<size_t>(steps));
        EXPECT_EQ(sizeOf(corridor), glm::vec3(5, 5, 5)) << py;
    }
}

TEST(DesertCryptTest, CageRoomAtTheEndOfExactlyOneArm)
{
    std::set<int> armsUsed;
    for (int i = 0; i < 30; ++i) {
        const glm::vec3 p(-30.5f * static_cast<float>(i), 5 + 0.5f * static_cast<float>(i % 40),
            11.5f * static_cast<float>(i));
        DesertCrypt crypt(p);
        VoxelOrders orders;
        crypt.generate(orders);
        size_t room = 0;
        int rooms = 0;
        for (size_t k = 0; k < orders.size(); ++k) {
            if (orders[k].type == BLOCK_AIR && isBox(orders, k)
                && sizeOf(boxAt(orders, k)) == glm::vec3(4, 4, 4)) {
                room = k;
                ++rooms;
            }
        }
        ASSERT_EQ(rooms, 1);
        // Before the room: the three hooks at the arm ends, 21 boxes each.
        int matches = 0;
        for (int j = 0; j < 3; ++j) {
            const glm::vec3 armEnd = boxAt(orders, room - 63 + 21 * static_cast<size_t>(j) + 20).center();
            if (near(armEnd + glm::vec3(0, 1, 0), boxAt(orders, room).center())) {
                ++matches;
                armsUsed.insert(j);
            }
        }
        EXPECT_EQ(matches, 1);
        ASSERT_EQ(crypt.objects.size(), 1u);
        const auto& cage = dynamic_cast<const Cage&>(*crypt.objects[0]);
        EXPECT_FALSE(cage.golden);
        EXPECT_TRUE(near(cage.position() - cageLift + glm::vec3(0, 2.6f, 0), boxAt(orders, room).center()));
    }
    EXPECT_EQ(armsUsed.size(), 3u);
}

TEST(DesertCryptTest, MoundHallAndFiguresAroundThePosition)
{
    const glm::vec3 p(10, 14, 20);
    DesertCrypt a(p);
    DesertCrypt b(p);
    VoxelOrders orders, again;
    a.generate(orders);
    b.generate(again);
    expectSameOrders(orders, again);

    const aabb& top = boxAt(orders, 0);
    const aabb& bottom = boxAt(orders, 39);
    EXPECT_EQ(orders[0].type, BLOCK_SAND);
    EXPECT_FLOAT_EQ(top.max.y, 14);
    EXPECT_FLOAT_EQ(bottom.min.y, -6);
    EXPECT_FLOAT_EQ(sizeOf(top).x * sizeOf(top).z, 30 * 46);
    EXPECT_FLOAT_EQ(sizeOf(bottom).x * sizeOf(bottom).z, 69 * 85);
    EXPECT_FLOAT_EQ(top.center().x, p.x);
    EXPECT_EQ(boxAt(orders, 40).min, p - glm::vec3(8));
    EXPECT_EQ(orders[41].type, BLOCK_PYRAMID);

    // Two figures of 1 + 1 + 2 + 2 orders close the list, 16 to either side.
    const size_t n = orders.size();
    const glm::vec3 first = boxAt(orders, n - 12).center();
    const glm::vec3 second = boxAt(orders, n - 6).center();
    EXPECT_FLOAT_EQ(first.y, p.y + 2);
    EXPECT_TRUE(near(first + second, 2.0f * glm::vec3(p.x, p.y + 2, p.z)));
    EXPECT_FLOAT_EQ(glm::distance(first, second), 32);
    for (size_t k = n - 12; k < n; ++k)
        EXPECT_EQ(orders[k].type, BLOCK_PYRAMID);
}

} // namespace
