#include "OrderRecords.h"
#include "base/BlockType.h"
#include "gameplay/Bonfire.h"
#include "gameplay/CagelessCage.h"
#include "gameplay/ItemContainer.h"
#include "structures/Balloon.h"
#include "structures/Camp.h"

#include <gtest/gtest.h>

namespace {

constexpr int clearingOrders = 24;
constexpr int ordersPerTent = 4 * 9 + 2; // four runs of 2H + 1 strips, the end wall and the pole

const glm::vec3 tentOffsets[4] = { { 10, 0, 0 }, { -10, 0, 0 }, { 0, 0, 10 }, { 0, 0, -10 } };

// The tent directions a camp at p will draw, in drawing order (repeats included).
std::vector<int> tentDraws(const glm::vec3& p)
{
    Camp probe(p);
    std::vector<int> draws;
    for (int i = 0; i < 4; ++i)
        draws.push_back(static_cast<int>(probe.random.next() & 3));
    return draws;
}

TEST(CampTest, SamePositionGivesSameOrdersAndObjects)
{
    const glm::vec3 p(130.5f, 21, -77);
    Generated<Camp> first(p);
    Generated<Camp> second(p);
    EXPECT_EQ(recordOrders(first.orders), recordOrders(second.orders));
    EXPECT_EQ(recordObjects(first.location), recordObjects(second.location));
    EXPECT_EQ(countObjects<Bonfire>(first.location), 1);
    EXPECT_EQ(countObjects<ItemContainer>(first.location), 1);
}

TEST(CampTest, ContainerStandsInOneOfTheTentsBuilt)
{
    for (int x = 0; x < 40; ++x) {
        const glm::vec3 p(x * 37.0f, 18, x * -11.0f);
        std::vector<int> draws = tentDraws(p);
        std::sort(draws.begin(), draws.end());
        const size_t tents = std::unique(draws.begin(), draws.end()) - draws.begin();

        Generated<Camp> camp(p);
        ASSERT_EQ(camp.orders.size(), clearingOrders + ordersPerTent * tents);
        const auto containers = objectsOf<ItemContainer>(camp.location);
        ASSERT_EQ(containers.size(), 1u);
        const glm::vec3 offset = containers[0]->box.center() - p;
        bool inBuiltTent = false;
        for (size_t i = 0; i < tents; ++i)
            inBuiltTent |= offset == tentOffsets[draws[i]];
        EXPECT_TRUE(inBuiltTent) << "camp at x " << p.x;
        EXPECT_GE(containers[0]->itemType, 0); // a random item
        EXPECT_LE(containers[0]->itemType, 4);
    }
}

TEST(CampTest, RepeatedDrawsBuildOneTentHoldingTheContainer)
{
    glm::vec3 p(0, 25, 0);
    bool found = false;
    for (int x = 0; x < 20000 && !found; ++x) {
        p.x = static_cast<float>(x);
        const std::vector<int> d = tentDraws(p);
        found = d[0] == d[1] && d[1] == d[2] && d[2] == d[3];
    }
    ASSERT_TRUE(found);
    const int d = tentDraws(p)[0];

    Generated<Camp> camp(p);
    EXPECT_EQ(camp.orders.size(), static_cast<size_t>(clearingOrders + ordersPerTent));
    const auto containers = objectsOf<ItemContainer>(camp.location);
    ASSERT_EQ(containers.size(), 1u);
    EXPECT_EQ(containers[0]->box.center(), p + tentOffsets[d]);
}

TEST(CampTest, TentHasSlopesEndWallAndPole)
{
    VoxelOrders orders;
    buildTent(orders, { 0, 10, 0 }, { 0, 0, 1 }, 8, 4);
    const auto r = recordOrders(orders);
    ASSERT_EQ(r.size(), static_cast<size_t>(ordersPerTent));
    // S = (1, 0, 0): the first slope's top strip runs along x at the ridge.
    EXPECT_EQ(r[0], (OrderRecord { BLOCK_TENT, { -4, 14, 0 }, { 4, 14.5f, 0.5f } }));
    EXPECT_EQ(r[8], (OrderRecord { BLOCK_TENT, { -4, 10, 4 }, { 4, 10.5f, 4.5f } }));
    EXPECT_EQ(r[9], (OrderRecord { BLOCK_TENT, { -4, 14, 0 }, { 4, 14.5f, 0.5f } }));
    EXPECT_EQ(r[18], (OrderRecord { BLOCK_TENT, { 3.5f, 10, -4 }, { 4, 14, 4 } }));
    EXPECT_EQ(r[19].type, BLOCK_AIR);
    EXPECT_EQ(r[19].a, glm::vec3(-4, 14.5f, 0));
    EXPECT_EQ(r.back(), (OrderRecord { BLOCK_WOOD_PLANKS2, { -3.5f, 10, 0 }, { -3, 14, 0.5f } }));
}

TEST(BalloonTest, FloatsAtFixedHeightWhateverTheGround)
{
    for (float ground : { 2.0f, 20.0f, 45.5f }) {
        const glm::vec3 p(-300, ground, 912);
        Generated<Balloon> balloon(p);
        const auto r = recordOrders(balloon.orders);
        ASSERT_EQ(r.size(), 7u);
        EXPECT_EQ(r[0], (OrderRecord { BLOCK_BASKET, { -303, 39, 909 }, { -297, 43, 915 } }));
        EXPECT_EQ(r[1], (OrderRecord { BLOCK_AIR, { -302.5f, 40.5f, 909.5f }, { -297.5f, 43, 914.5f } }));
        EXPECT_EQ(r[2], (OrderRecord { BLOCK_TENT, { -297.5f, 43, 914.5f }, { -297, 55, 915 } }));
        EXPECT_EQ(r[5], (OrderRecord { BLOCK_TENT, { -303, 43, 909 }, { -302.5f, 55, 909.5f } }));
        const OrderRecord envelope = r[6];
        EXPECT_EQ(envelope.type, BLOCK_BALLON);
        EXPECT_EQ(envelope.a.y - envelope.b.x, 47.0f);
        EXPECT_EQ(envelope.a.y + envelope.b.x, 63.0f);

        const auto cats = objectsOf<CagelessCage>(balloon.location);
        ASSERT_EQ(cats.size(), 1u);
        EXPECT_EQ(cats[0]->position(), glm::vec3(-300, 41, 912));
    }
}

TEST(BalloonTest, DrawsNoRandomNumbers)
{
    Generated<Balloon> balloon({ 5, 30, 7 });
    const Balloon fresh({ 5, 30, 7 });
    EXPECT_EQ(balloon.location.random.A, fresh.random.A);
    EXPECT_EQ(balloon.location.random.B, fresh.random.B);
}

} // namespace
