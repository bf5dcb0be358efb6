#include "structures/Tower.h"

#include "base/BlockType.h"
#include "base/Log.h"
#include "gameplay/Bonfire.h"
#include "gameplay/Cage.h"
#include "structures/Placement.h"

#include <algorithm>
#include <cmath>

namespace {

// Far more spheres than the world is tall; beyond it a caller is broken.
constexpr float tallestStack = 1024.0f;

} // namespace

void stackSpheres(
    VoxelOrders& orders, int type, const glm::vec3& base, float yTo, float radius, bool airCap, float shrink)
{
    const float height = yTo - base.y;
    if (!std::isfinite(height) || height > tallestStack) {
        logError(joinText("stackSpheres: ignoring a stack from ", base.y, " to ", yTo));
        return;
    }
    // A base above yTo stacks nothing; its cap then sits on the base.
    const int n = std::max(0, static_cast<int>(height * 2.0f));
    for (int i = 0; i < n; ++i) {
        const float fi = static_cast<float>(i);
        appendSphere(orders, type, base.x, base.y + 0.5f * fi, base.z, radius - shrink * fi);
    }
    if (airCap) {
        const float fn = static_cast<float>(n);
        aabb cap;
        Sphere(glm::vec3(base.x, base.y + 0.5f * fn, base.z), radius - shrink * fn).boundingBox(cap);
        cap.translate({ 0, radius, 0 });
        appendShape(orders, BLOCK_AIR, std::make_unique<aabb>(cap));
    }
}

Tower::Tower(const glm::vec3& p)
    : Location(p)
    , top(p.x, topY, p.z)
    , floorPoint(p.x, floorY, p.z)
    , floorRadius(8.0f - (floorY - p.y) * 2.0f * shrink)
{
}

void Tower::generate(VoxelOrders& orders)
{
    if (!std::isfinite(position.x) || !std::isfinite(position.y) || !std::isfinite(position.z))
        return;
    buildShell(orders);
    buildInnerFloor(orders);
    objects.push_back(std::make_unique<Cage>(floorPoint, false));
}

void Tower::buildShell(VoxelOrders& orders)
{
    const glm::vec3& p = position;
    const glm::vec3& t = top;
    stackSpheres(orders, BLOCK_STONE, p, topY, 8, true, shrink);
    stackSpheres(orders, BLOCK_AIR, p, topY, 7, true, shrink); // the hollow inside
    stackSpheres(orders, BLOCK_STUCCO, t, topY + 1, 6, true, shrink); // top platform
    stackSpheres(orders, BLOCK_STONE, t, topY + 1, 3, false, shrink);
    stackSpheres(orders, BLOCK_AIR, t, topY + 1, 2.9f, false, shrink);
    appendBox(orders, BLOCK_STUCCO, t - glm::vec3(4, 1, 4), t + glm::vec3(4, 0, 4));
    objects.push_back(std::make_unique<Bonfire>(t));

    appendBox(orders, BLOCK_STONE, p - glm::vec3(8, 8, 8), p + glm::vec3(8, 0, 8)); // foundation
    appendBox(orders, BLOCK_AIR, p + glm::vec3(-9, 0, -1), p + glm::vec3(9, 3, 1));
    appendBox(orders, BLOCK_AIR, p + glm::vec3(-1, 0, -9), p + glm::vec3(1, 3, 9));
}

void Tower::buildInnerFloor(VoxelOrders& orders) const
{
    const glm::vec3& f = floorPoint;
    const float r = floorRadius;
    appendBox(orders, BLOCK_STONE, { f.x - r, 51, f.z - 1 }, { f.x + r, 52, f.z + 1 });
    appendBox(orders, BLOCK_STONE, { f.x - 1, 51, f.z - r }, { f.x + 1, 52, f.z + r });
    // Headroom over the floor; it also cuts four openings through the wall.
    appendBox(orders, BLOCK_AIR, { f.x - (r + 1), 52, f.z - 1 }, { f.x + r + 1, 55, f.z + 1 });
    appendBox(orders, BLOCK_AIR, { f.x - 1, 52, f.z - (r + 1) }, { f.x + 1, 55, f.z + r + 1 });

    static const glm::vec3 stair[7] = { { 1.5f, 1, 1.5f }, { 2.5f, 2, 1.5f }, { 3.5f, 3, 1.5f },
        { 3.5f, 4, 2.5f }, { 3.5f, 5, 3.5f }, { 2.5f, 6, 3.5f }, { 1.5f, 7, 3.5f } };
    for (const glm::vec3& d : stair) {
        const float x = f.x + d.x;
        const float y = floorY + d.y;
        const float z = f.z + d.z;
        appendBox(orders, BLOCK_STONE, { x - 0.5f, y - 1, z - 0.5f }, { x + 0.5f, y, z + 0.5f });
        appendBox(orders, BLOCK_AIR, { x - 0.5f, y, z - 0.5f }, { x + 0.5f, y + 4, z + 0.5f });
    }
}
