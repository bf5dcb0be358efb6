#include "base/BlockType.h"
#include "world/Plants.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// "type [min] [max]" per box, "type (center) r" per sphere, one per line.
std::string describe(const VoxelOrders& orders)
{
    std::ostringstream out;
    for (const VoxelBox& o : orders) {
        out << o.type;
        if (auto* b = dynamic_cast<const aabb*>(o.shape.get()))
            out << " [" << b->min.x << ' ' << b->min.y << ' ' << b->min.z << "] [" << b->max.x << ' '
                << b->max.y << ' ' << b->max.z << "]\n";
        else if (auto* s = dynamic_cast<const Sphere*>(o.shape.get()))
            out << " (" << s->center.x << ' ' << s->center.y << ' ' << s->center.z << ") " << s->radius
                << '\n';
    }
    return out.str();
}

std::string cactus(float t)
{
    VoxelOrders orders;
    placeCactus(orders, { 10, 20, 30 }, t);
    return describe(orders);
}

const std::string kTrunk = "10 [10 19.5 30] [11 26 31]\n";
std::string armPosX(float h)
{
    std::ostringstream o;
    o << "10 [11 " << 20 + h << " 30] [12 " << 20.5f + h << " 31]\n10 [12 " << 20 + h << " 30] [12.5 "
      << 22 + h << " 31]\n";
    return o.str();
}
std::string armNegX(float h)
{
    std::ostringstream o;
    o << "10 [9 " << 20 + h << " 30] [10 " << 20.5f + h << " 31]\n10 [8.5 " << 20 + h << " 30] [9 " << 22 + h
      << " 31]\n";
    return o.str();
}
std::string armPosZ(float h)
{
    std::ostringstream o;
    o << "10 [10 " << 20 + h << " 31] [11 " << 20.5f + h << " 32]\n10 [10 " << 20 + h << " 32] [11 " << 22 + h
      << " 32.5]\n";
    return o.str();
}
std::string armNegZ(float h)
{
    std::ostringstream o;
    o << "10 [10 " << 20 + h << " 29] [11 " << 20.5f + h << " 30]\n10 [10 " << 20 + h << " 28.5] [11 "
      << 22 + h << " 29]\n";
    return o.str();
}

} // namespace

TEST(Plants, TreeGrowsWithItsNoiseValue)
{
    VoxelOrders small, large;
    placeTree(small, { 4, 10, 8 }, 0.0f); // width R(0.5) = 1, trunk 3, crown 3
    placeTree(large, { 4, 10, 8 }, 1.0f); // width 2, trunk 8, crown R(6) = 6
    EXPECT_EQ(describe(small), "8 (4.5 16 8.5) 3\n7 [4 9 8] [5 13 9]\n");
    EXPECT_EQ(describe(large), "8 (5 24 9) 6\n7 [4 9 8] [6 18 10]\n");

    VoxelOrders mid;
    placeTree(mid, { 0, 0, 0 }, 0.6f); // width R(1.4) = 1 keeps the small crown; trunk R(6) = 6
    EXPECT_EQ(describe(mid), "8 (0.5 9 0.5) 3\n7 [0 -1 0] [1 6 1]\n");
}

TEST(Plants, CactusArmsAlongXForHighValues)
{
    EXPECT_EQ(cactus(0.6f), kTrunk + armPosX(3) + armNegX(3));
    EXPECT_EQ(cactus(0.75f), kTrunk + armPosX(2) + armNegX(2));
    EXPECT_EQ(cactus(0.8f), kTrunk + armPosX(2) + armNegX(3));
    EXPECT_EQ(cactus(0.95f), kTrunk + armPosX(2) + armNegX(3) + armPosZ(2.5f));
    EXPECT_EQ(cactus(1.0f), kTrunk + armPosX(2) + armNegX(2) + armPosZ(2.5f));
}

TEST(Plants, CactusArmsAlongZForLowValues)
{
    EXPECT_EQ(cactus(0.0f), kTrunk + armPosZ(2) + armNegZ(2));
    EXPECT_EQ(cactus(0.1f), kTrunk + armPosZ(3) + armNegZ(3));
    EXPECT_EQ(cactus(0.3f), kTrunk + armPosZ(2) + armNegZ(3));
    EXPECT_EQ(cactus(0.45f), kTrunk + armPosZ(2) + armNegZ(3) + armNegX(2.5f));
    EXPECT_EQ(cactus(0.5f), kTrunk + armPosZ(2) + armNegZ(2) + armNegX(2.5f));
}
