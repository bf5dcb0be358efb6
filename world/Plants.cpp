#include "world/Plants.h"

#include "base/BlockType.h"
#include "base/TerrainCodes.h"

#include <memory>

namespace {

void appendAabb(VoxelOrders& orders, int type, const glm::vec3& lo, const glm::vec3& hi)
{
    orders.emplace_back(type, std::make_unique<aabb>(lo, hi));
}

enum class ArmSide { PosX, NegX, PosZ, NegZ };

// A cactus arm: a short horizontal stub out of the trunk, then an upright at its end.
void appendArm(VoxelOrders& orders, const glm::vec3& base, ArmSide side, float h)
{
    const float x = base.x, y = base.y + h, z = base.z;
    switch (side) {
    case ArmSide::PosX:
        appendAabb(orders, BLOCK_CACTUS, { x + 1, y, z }, { x + 2, y + 0.5f, z + 1 });
        appendAabb(orders, BLOCK_CACTUS, { x + 2, y, z }, { x + 2.5f, y + 2, z + 1 });
        break;
    case ArmSide::NegX:
        appendAabb(orders, BLOCK_CACTUS, { x - 1, y, z }, { x, y + 0.5f, z + 1 });
        appendAabb(orders, BLOCK_CACTUS, { x - 1.5f, y, z }, { x - 1, y + 2, z + 1 });
        break;
    case ArmSide::PosZ:
        appendAabb(orders, BLOCK_CACTUS, { x, y, z + 1 }, { x + 1, y + 0.5f, z + 2 });
        appendAabb(orders, BLOCK_CACTUS, { x, y, z + 2 }, { x + 1, y + 2, z + 2.5f });
        break;
    case ArmSide::NegZ:
        appendAabb(orders, BLOCK_CACTUS, { x, y, z - 1 }, { x + 1, y + 0.5f, z });
        appendAabb(orders, BLOCK_CACTUS, { x, y, z - 1.5f }, { x + 1, y + 2, z - 1 });
        break;
    }
}

} // namespace

void placeTree(VoxelOrders& orders, const glm::vec3& base, float t)
{
    using terrain::roundHalfAway;
    const float width = roundHalfAway(0.5f * (1 - t) + 2 * t);
    const float trunkHeight = roundHalfAway(8 * t + 3 * (1 - t));
    const float crown = width == 2 ? roundHalfAway(6 * t + 3 * (1 - t)) : 3.0f;

    const glm::vec3 crownCenter(base.x + width / 2, base.y + trunkHeight + crown, base.z + width / 2);
    orders.emplace_back(BLOCK_LEAF, std::make_unique<Sphere>(crownCenter, crown));
    appendAabb(orders, BLOCK_BARK, { base.x, base.y - 1, base.z },
        { base.x + width, base.y + trunkHeight, base.z + width });
}

void placeCactus(VoxelOrders& orders, const glm::vec3& base, float t)
{
    appendAabb(
        orders, BLOCK_CACTUS, { base.x, base.y - 0.5f, base.z }, { base.x + 1, base.y + 6, base.z + 1 });
    if (t > 0.5f) {
        // High values carry their arms along x, the highest a third one towards +z.
        const float h1 = t < 0.75f ? 3.0f : 2.0f;
        appendArm(orders, base, ArmSide::PosX, h1);
        const float h2 = (t > 0.75f && t < 1.0f) ? 3.0f : h1;
        appendArm(orders, base, ArmSide::NegX, h2);
        if (t > 0.9f)
            appendArm(orders, base, ArmSide::PosZ, 2.5f);
    } else {
        const float h1 = (t > 0.0f && t < 0.25f) ? 3.0f : 2.0f;
        appendArm(orders, base, ArmSide::PosZ, h1);
        const float h2 = (t > 0.25f && t < 0.5f) ? 3.0f : h1;
        appendArm(orders, base, ArmSide::NegZ, h2);
        if (t > 0.4f)
            appendArm(orders, base, ArmSide::NegX, 2.5f);
    }
}
