#include "structures/VillageHouse.h"

#include "base/BlockType.h"
#include "gameplay/ItemContainer.h"
#include "structures/Placement.h"

#include <cmath>

namespace {

void appendAndGrow(VoxelOrders& orders, int type, aabb& box, float dy)
{
    appendShape(orders, type, std::make_unique<aabb>(box));
    box.translate({ 0, dy, 0 });
    box.min -= glm::vec3(0.5f, 0, 0.5f);
    box.max += glm::vec3(0.5f, 0, 0.5f);
}

} // namespace

void VillageHouse::generate(VoxelOrders& orders)
{
    if (!std::isfinite(position.x) || !std::isfinite(position.y) || !std::isfinite(position.z))
        return;
    const size_t onEntry = orders.size();
    buildMound(orders);
    buildRoom(orders);
    buildRoof(orders);
    if (random.nextFloat() > 0.5f)
        rotateLastOrders(orders, 90, position, static_cast<int>(orders.size() - onEntry));
    if (random.nextFloat() > 0.6f)
        objects.push_back(std::make_unique<ItemContainer>(position, -1)); // a random item
}

void VillageHouse::buildMound(VoxelOrders& orders) const
{
    const glm::vec3& p = position;
    aabb mound({ p.x - 4, p.y - 0.5f, p.z - 4 }, { p.x + 4, p.y, p.z + 4 });
    aabb clearing({ p.x - 4, p.y, p.z - 4 }, { p.x + 4, p.y + 0.5f, p.z + 4 });
    for (int i = 0; i < 6; ++i) {
        appendAndGrow(orders, BLOCK_GRASS, mound, -0.5f);
        appendAndGrow(orders, BLOCK_AIR, clearing, 0.5f);
    }
}

void VillageHouse::buildRoom(VoxelOrders& orders) const
{
    const float px = position.x, py = position.y, pz = position.z;
    const float x0 = px - 3, z0 = pz - 3, y0 = py - 1;
    appendBox(orders, BLOCK_AIR, { x0, y0, z0 }, { x0 + 6, y0 + 6, z0 + 6 });
    appendBox(orders, BLOCK_STONE, { x0, y0, z0 }, { x0 + 6, py, z0 + 6 }); // floor
    appendBox(orders, BLOCK_BRICK, { x0, py, z0 }, { x0 + 1, py + 5, z0 + 6 });
    appendBox(orders, BLOCK_BRICK, { px + 2, py, z0 }, { px + 3, py + 5, z0 + 6 });
    appendBox(orders, BLOCK_BRICK, { x0, py, z0 }, { x0 + 6, py + 5, z0 + 1 });
    appendBox(orders, BLOCK_BRICK, { x0, py, pz + 2 }, { x0 + 6, py + 5, pz + 3 });
    appendBox(orders, BLOCK_AIR, { px, py, z0 }, { px + 1, py + 2, z0 + 1 }); // door
}

void VillageHouse::buildRoof(VoxelOrders& orders) const
{
    const float px = position.x, py = position.y, pz = position.z;
    const float x0 = px - 3, z0 = pz - 3;
    for (int k = 0; k < 6; ++k) {
        const float s = 0.5f * static_cast<float>(k);
        const float h = py + 5 + s;
        const float gableTop = py + 6 + s;
        appendBox(orders, BLOCK_ROOFTILES, { x0, h, z0 + s }, { px + 3, h + 0.5f, z0 + s + 0.5f });
        appendBox(orders, BLOCK_ROOFTILES, { x0, h, pz + 2.5f - s }, { px + 3, h + 0.5f, pz + 3 - s });
        appendBox(orders, BLOCK_ROOFTILES, { x0, py + 5, z0 + s }, { x0 + 0.5f, gableTop, z0 + s + 0.5f });
        appendBox(
            orders, BLOCK_ROOFTILES, { px + 2.5f, py + 5, z0 + s }, { px + 3, gableTop, z0 + s + 0.5f });
        appendBox(
            orders, BLOCK_ROOFTILES, { x0, py + 5, pz + 2.5f - s }, { x0 + 0.5f, gableTop, pz + 3 - s });
        appendBox(
            orders, BLOCK_ROOFTILES, { px + 2.5f, py + 5, pz + 2.5f - s }, { px + 3, gableTop, pz + 3 - s });
    }
}
