#include "structures/BoxShapes.h"

#include "base/Shapes.h"
#include "structures/Placement.h"

#include <glm/common.hpp>
#include <memory>

void appendNormalisedBox(VoxelOrders& orders, int type, const glm::vec3& a, const glm::vec3& b)
{
    auto box = std::make_unique<aabb>(a, b);
    box->normalize();
    appendShape(orders, type, std::move(box));
}

void appendPlanBox(
    VoxelOrders& orders, int type, const glm::vec3& center, float sizeX, float sizeZ, float y0, float y1)
{
    appendBox(orders, type, { center.x - sizeX / 2, y0, center.z - sizeZ / 2 },
        { center.x + sizeX / 2, y1, center.z + sizeZ / 2 });
}

void appendOrientedBox(VoxelOrders& orders, int type, const glm::vec3& center, const glm::vec3& dir,
    float along, const glm::vec3& side, float across, float y0, float y1)
{
    const glm::vec3 half = glm::abs(dir) * (along / 2) + glm::abs(side) * (across / 2);
    appendBox(orders, type, { center.x - half.x, y0, center.z - half.z },
        { center.x + half.x, y1, center.z + half.z });
}
