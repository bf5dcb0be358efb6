#include "structures/Location.h"
#include "structures/Placement.h"

#include <gtest/gtest.h>

namespace {

// A one-box structure with one object, turned a quarter when its dice say so.
class PostLocation : public Location {
public:
    using Location::Location;

    void generate(VoxelOrders& orders) override
    {
        const size_t onEntry = orders.size();
        appendBox(orders, 3, position, position + glm::vec3(2, 1, 1));
        appendBox(orders, 4, position, position + glm::vec3(1, 4, 1));
        if (random.nextFloat() > 0.5f)
            rotateLastOrders(orders, 90, position, static_cast<int>(orders.size() - onEntry));
        objects.push_back(std::make_unique<Worldobject>(position));
    }
};

Random advanced(Random r, int draws)
{
    for (int i = 0; i < draws; ++i)
        r.next();
    return r;
}

TEST(LocationTest, ConstructionSeedsFromPositionAndDiscardsTen)
{
    const PostLocation origin({ 0, 0, 0 });
    const Random expected = advanced(Random(77, 77), 10);
    EXPECT_EQ(origin.random.A, expected.A);
    EXPECT_EQ(origin.random.B, expected.B);
    EXPECT_EQ(origin.seedChunk, (ChunkCoord { 0, 0 }));
    EXPECT_TRUE(origin.objects.empty());

    const PostLocation other({ 1, 2, 3 });
    const Random expectedOther = advanced(Random(194, 4294956477u), 10);
    EXPECT_EQ(other.random.A, expectedOther.A);
    EXPECT_EQ(other.random.B, expectedOther.B);
    EXPECT_EQ(other.position, glm::vec3(1, 2, 3));
}

TEST(LocationTest, SamePositionSameSequenceOtherPositionOther)
{
    PostLocation a({ 130.5f, 12.0f, -77.5f });
    PostLocation b({ 130.5f, 12.0f, -77.5f });
    PostLocation c({ 131.0f, 12.0f, -77.5f });
    int differences = 0;
    for (int i = 0; i < 100; ++i) {
        const uint32_t va = a.random.next();
        ASSERT_EQ(va, b.random.next()) << "draw " << i;
        differences += va != c.random.next();
    }
    EXPECT_GT(differences, 90);
}

TEST(LocationTest, RebuildingGivesIdenticalOrdersAndObjects)
{
    // Every chunk that sees the structure builds it again; all builds must agree.
    for (float x : { 0.0f, 5.5f, 64.0f, -200.5f, 1000.0f }) {
        VoxelOrders first;
        VoxelOrders second;
        PostLocation a({ x, 20, x * 0.5f });
        PostLocation b({ x, 20, x * 0.5f });
        a.seedChunk = { 1, -2 };
        a.generate(first);
        b.generate(second);
        ASSERT_EQ(first.size(), second.size());
        for (size_t i = 0; i < first.size(); ++i) {
            const auto& ba = dynamic_cast<const aabb&>(*first[i].shape);
            const auto& bb = dynamic_cast<const aabb&>(*second[i].shape);
            EXPECT_EQ(first[i].type, second[i].type);
            EXPECT_EQ(ba.min, bb.min);
            EXPECT_EQ(ba.max, bb.max);
        }
        ASSERT_EQ(a.objects.size(), 1u);
        EXPECT_EQ(a.objects[0]->position(), b.objects[0]->position());
    }
}

} // namespace
