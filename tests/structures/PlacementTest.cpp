#include "structures/Placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const aabb& boxAt(const VoxelOrders& orders, size_t i)
{
    return dynamic_cast<const aabb&>(*orders.at(i).shape);
}

void expectBox(const VoxelOrders& orders, size_t i, glm::vec3 min, glm::vec3 max)
{
    const aabb& b = boxAt(orders, i);
    for (int a = 0; a < 3; ++a) {
        EXPECT_NEAR(b.min[a], min[a], 1e-5f) << "order " << i << " axis " << a;
        EXPECT_NEAR(b.max[a], max[a], 1e-5f) << "order " << i << " axis " << a;
    }
}

TEST(PlacementTest, ShapesKeepTypeAndOwnership)
{
    VoxelOrders orders;
    auto owned = std::make_unique<Sphere>(glm::vec3(1, 2, 3), 4.0f);
    const Geometric_Object* raw = owned.get();
    appendShape(orders, 7, std::move(owned));
    appendShape(orders, 8, nullptr);
    appendSphere(orders, 9, 5, 6, 7, 2.5f);
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(orders[0].type, 7);
    EXPECT_EQ(orders[0].shape.get(), raw);
    const auto& s = dynamic_cast<const Sphere&>(*orders[1].shape);
    EXPECT_EQ(orders[1].type, 9);
    EXPECT_EQ(s.center, glm::vec3(5, 6, 7));
    EXPECT_EQ(s.radius, 2.5f);
}

TEST(PlacementTest, BoxWithSwappedCornersIsKeptAndWritesNoVoxel)
{
    VoxelOrders orders;
    appendBox(orders, 1, { 3, 2, 1 }, { 1, 4, 2 });
    const aabb& b = boxAt(orders, 0);
    EXPECT_EQ(b.min, glm::vec3(3, 2, 1));
    EXPECT_EQ(b.max, glm::vec3(1, 4, 2));
    // No voxel (0.5 units) anywhere near it is reached.
    for (float x = -2; x < 6; x += 0.5f)
        for (float y = -1; y < 7; y += 0.5f)
            for (float z = -2; z < 5; z += 0.5f)
                ASSERT_EQ(b.classify(aabb({ x, y, z }, { x + 0.5f, y + 0.5f, z + 0.5f })), OVERLAP_NONE)
                    << x << " " << y << " " << z;
}

TEST(PlacementTest, LineOfTwoUnitsHasNineBoxesAQuarterApart)
{
    VoxelOrders orders;
    appendLine(orders, 5, { 0, 0, 0 }, { 2, 0, 0 }, 1, 1);
    ASSERT_EQ(orders.size(), 9u);
    for (size_t i = 0; i < 9; ++i) {
        const float x = 0.25f * static_cast<float>(i);
        EXPECT_EQ(orders[i].type, 5);
        expectBox(orders, i, { x - 0.5f, -0.5f, -0.5f }, { x + 0.5f, 0.5f, 0.5f });
    }
}

TEST(PlacementTest, LineCentresRoundToThousandthsAndBoxIsWidthHeightWidth)
{
    VoxelOrders orders;
    // Length 2 exactly, but every sample sits 0.0006 off a thousandth.
    appendLine(orders, 2, { -1.0006f, 3, 0 }, { 0.9994f, 3, 0 }, 2, 3);
    ASSERT_EQ(orders.size(), 9u);
    const float expectedX[] = { -1.001f, -0.751f, -0.501f, -0.251f, -0.001f, 0.249f, 0.499f, 0.749f, 0.999f };
    for (size_t i = 0; i < 9; ++i)
        expectBox(orders, i, { expectedX[i] - 1, 1.5f, -1 }, { expectedX[i] + 1, 4.5f, 1 });
}

TEST(PlacementTest, LineDownwardsAndPartialLengths)
{
    VoxelOrders down;
    appendLine(down, 0, { 0, 10, 0 }, { 0, 7.5f, 0 }, 7, 3);
    // 4 samples per whole unit: 2 whole units -> 8 steps of 2.5 / 8, the last at the end.
    ASSERT_EQ(down.size(), 9u);
    expectBox(down, 0, { -3.5f, 8.5f, -3.5f }, { 3.5f, 11.5f, 3.5f });
    expectBox(down, 4, { -3.5f, 7.25f, -3.5f }, { 3.5f, 10.25f, 3.5f }); // 8.75 rounded stays
    expectBox(down, 8, { -3.5f, 6, -3.5f }, { 3.5f, 9, 3.5f });
}

TEST(PlacementTest, DegenerateLinesNeverDivideByZero)
{
    VoxelOrders orders;
    appendLine(orders, 1, { 1, 1, 1 }, { 1, 1, 1 }, 1, 1);
    ASSERT_EQ(orders.size(), 1u);
    expectBox(orders, 0, { 0.5f, 0.5f, 0.5f }, { 1.5f, 1.5f, 1.5f });

    orders.clear();
    appendLine(orders, 1, { 0, 0, 0 }, { 0, 0, 0.5f }, 1, 1);
    ASSERT_EQ(orders.size(), 2u);
    expectBox(orders, 1, { -0.5f, -0.5f, 0 }, { 0.5f, 0.5f, 1 });

    orders.clear();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    appendLine(orders, 1, { 0, 0, 0 }, { nan, 0, 0 }, 1, 1);
    appendLine(orders, 1, { 0, 0, 0 }, { 1e30f, 0, 0 }, 1, 1);
    EXPECT_TRUE(orders.empty());
}

TEST(PlacementTest, QuarterTurnsAboutPivot)
{
    struct Case {
        float degrees;
        glm::vec3 min, max;
    };
    const Case cases[] = {
        { 90, { 0, 0, -2 }, { 1, 1, -1 } }, { 180, { -2, 0, -1 }, { -1, 1, 0 } },
        { 270, { -1, 0, 1 }, { 0, 1, 2 } }, { -90, { -1, 0, 1 }, { 0, 1, 2 } },
        { 360, { 1, 0, 0 }, { 2, 1, 1 } }, { 10, { 1, 0, 0 }, { 2, 1, 1 } }, // snaps to no turn
        { 80, { 0, 0, -2 }, { 1, 1, -1 } }, // snaps to a quarter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        VoxelOrders orders;
        appendBox(orders, 1, { 1, 0, 0 }, { 2, 1, 1 });
        rotateLastOrders(orders, c.degrees, { 0, 0, 0 }, 1);
        expectBox(orders, 0, c.min, c.max);

        // The same turn about another pivot is the same relative to it.
        VoxelOrders moved;
        const glm::vec3 pivot(10, 5, -3);
        appendBox(moved, 1, pivot + glm::vec3(1, 0, 0), pivot + glm::vec3(2, 1, 1));
        rotateLastOrders(moved, c.degrees, pivot, 1);
        expectBox(moved, 0, pivot + c.min, pivot + c.max);
    }
}

TEST(PlacementTest, TurnTouchesOnlyTheLastCountOrders)
{
    VoxelOrders orders;
    appendBox(orders, 1, { 1, 0, 0 }, { 2, 1, 1 });
    appendBox(orders, 2, { 1, 0, 0 }, { 2, 1, 1 });
    appendSphere(orders, 3, 3, 7, 0, 1.5f);
    rotateLastOrders(orders, 90, { 0, 0, 0 }, 2);
    expectBox(orders, 0, { 1, 0, 0 }, { 2, 1, 1 });
    expectBox(orders, 1, { 0, 0, -2 }, { 1, 1, -1 });
    // A sphere moves with the structure; its size stays.
    const auto& s = dynamic_cast<const Sphere&>(*orders[2].shape);
    EXPECT_NEAR(s.center.x, 0, 1e-6f);
    EXPECT_NEAR(s.center.y, 7, 1e-6f);
    EXPECT_NEAR(s.center.z, -3, 1e-6f);
    EXPECT_EQ(s.radius, 1.5f);

    // Counts beyond the list turn everything; zero or negative turn nothing.
    rotateLastOrders(orders, 90, { 0, 0, 0 }, 100);
    expectBox(orders, 0, { 0, 0, -2 }, { 1, 1, -1 });
    expectBox(orders, 1, { -2, 0, -1 }, { -1, 1, 0 });
    rotateLastOrders(orders, 90, { 0, 0, 0 }, 0);
    rotateLastOrders(orders, 90, { 0, 0, 0 }, -5);
    expectBox(orders, 0, { 0, 0, -2 }, { 1, 1, -1 });
    VoxelOrders empty;
    rotateLastOrders(empty, 90, { 0, 0, 0 }, 3);
    EXPECT_TRUE(empty.empty());
}

TEST(PlacementTest, BoxRunCopiesAndSteps)
{
    VoxelOrders orders;
    // A stair: each tread half a unit lower and further along -x; the size
    // points backwards and is normalised.
    appendBoxRun(orders, { 10, 5, 0 }, { -0.5f, -0.5f, 0 }, { -0.5f, 1, 5 }, 4, 6);
    ASSERT_EQ(orders.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        const float k = static_cast<float>(i);
        EXPECT_EQ(orders[i].type, 6);
        expectBox(orders, i, { 9.5f - 0.5f * k, 5 - 0.5f * k, 0 }, { 10 - 0.5f * k, 6 - 0.5f * k, 5 });
    }
    // Each copy is its own shape.
    EXPECT_NE(orders[0].shape.get(), orders[1].shape.get());

    appendBoxRun(orders, { 0, 0, 0 }, { 1, 0, 0 }, { 1, 1, 1 }, 0, 6);
    appendBoxRun(orders, { 0, 0, 0 }, { 1, 0, 0 }, { 1, 1, 1 }, -3, 6);
    EXPECT_EQ(orders.size(), 4u);
}

} // namespace
