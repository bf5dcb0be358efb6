#include "structures/Pyramid.h"

#include "base/BlockType.h"
#include "gameplay/Cage.h"
#include "gameplay/Sign.h"
#include "gameplay/StaticDynamite.h"
#include "structures/MazeStairwell.h"
#include "structures/Placement.h"

#include <cmath>
#include <glm/geometric.hpp>

namespace {

// Entrance direction d (two random bits): +z, -z, -x, +x.
const glm::vec3 entranceDirections[4] = { { 0, 0, 1 }, { 0, 0, -1 }, { -1, 0, 0 }, { 1, 0, 0 } };

// Where a stairwell stands on the grid of the maze it leaves: cell (u, w)
// given as fractions of the maze square from (x, z) - r to (x, z) + r.
float between(float centre, float r, float t)
{
    return (centre - r) * (1.0f - t) + (centre + r) * t;
}

} // namespace

void Pyramid::generate(VoxelOrders& orders)
{
    if (!std::isfinite(position.x) || !std::isfinite(position.y) || !std::isfinite(position.z))
        return;
    buildBody(orders);
    buildEntrances(orders);
    buildInterior(orders);
    placeTreasure();
}

void Pyramid::buildBody(VoxelOrders& orders) const
{
    const glm::vec3& p = position;
    const float e = apexY - p.y;
    // Half-unit layers, each half a unit narrower on every side than the one below.
    for (int i = 0;; ++i) {
        const float t = -depthBelowGround + 0.5f * static_cast<float>(i);
        if (!(t < e))
            break;
        appendBox(orders, BLOCK_PYRAMID, { p.x - e + t, p.y + t, p.z - e + t },
            { p.x + e - t, p.y + t + 0.5f, p.z + e - t });
    }
}

void Pyramid::buildEntrances(VoxelOrders& orders)
{
    bool built[4] = { false, false, false, false };
    for (int i = 0; i < 3; ++i) {
        const int d = static_cast<int>(random.next() & 3u);
        if (built[d])
            continue;
        built[d] = true;
        buildEntrance(orders, d);
    }
}

void Pyramid::buildEntrance(VoxelOrders& orders, int direction)
{
    const glm::vec3 dir = entranceDirections[direction];
    const glm::vec3 side(dir.z, 0, -dir.x);
    const glm::vec3 t = glm::vec3(position.x, entranceY, position.z) + dir * 37.0f;

    appendLine(orders, BLOCK_PYRAMID, t, t - dir * 4.0f, 4, 4); // collar
    appendLine(orders, BLOCK_AIR, t + dir, t - dir * 4.0f, 3, 3); // tunnel

    const glm::vec3 q = t + dir + side * 3.0f; // niche with the sign
    appendBox(orders, BLOCK_AIR, q - glm::vec3(1.5f), q + glm::vec3(2.0f));
    objects.push_back(std::make_unique<Sign>(q - glm::vec3(0, 2, 0), dir));

    const glm::vec3 s = t + dir * 1.5f + side; // post
    appendBox(orders, BLOCK_PYRAMID, s - glm::vec3(0.5f, 1.5f, 0.5f), s + glm::vec3(0.5f, 2.0f, 0.5f));
}

void Pyramid::buildInterior(VoxelOrders& orders)
{
    const float px = position.x;
    const float pz = position.z;

    carveMaze(orders, random, { px - 32, 25, pz - 32 }, { px + 32, 25, pz + 32 }, 2, 3, 15, 20);
    carveMaze(orders, random, { px - 24, 33, pz - 24 }, { px + 24, 33, pz + 24 }, 2, 3, 13, 10);
    {
        const uint32_t a = random.next();
        const uint32_t b = random.next();
        const float u = static_cast<float>(b % 13u) / 12.0f;
        const float w = static_cast<float>(a % 13u) / 12.0f;
        buildStairwell(orders, BLOCK_PYRAMID, 25, between(px, 24, u), 33, between(pz, 24, w), 1, 1.5f);
    }
    carveMaze(orders, random, { px - 16, 41, pz - 16 }, { px + 16, 41, pz + 16 }, 2, 3, 9, 5);
    {
        const uint32_t a = random.next();
        const uint32_t b = random.next();
        const float u = static_cast<float>(b % 9u) * 0.125f;
        const float w = static_cast<float>(a % 9u) * 0.125f;
        buildStairwell(orders, BLOCK_PYRAMID, 33, between(px, 16, u), 41, between(pz, 16, w), 1, 1.5f);
    }
    appendBox(orders, BLOCK_AIR, { px - 8, 47.5f, pz - 8 }, { px + 8, 54, pz + 8 }); // top chamber
    buildStairwell(orders, BLOCK_PYRAMID, 41, px, 49, pz, 1, 1.5f);
}

void Pyramid::placeTreasure()
{
    const float px = position.x;
    const float pz = position.z;
    objects.push_back(std::make_unique<Cage>(glm::vec3(px, 48.28f, pz), true));
    // The charge sits in the chamber wall; the machine stands beside the cage, turned towards it.
    auto dynamite
        = std::make_unique<StaticDynamite>(glm::vec3(px + 4, 47.5f, pz), glm::vec3(px - 8, 51, pz), 6.0f);
    dynamite->setPackOrientation(
        glm::normalize(glm::vec3(0, 0.8f, 0.5f)), glm::normalize(glm::vec3(1, 0, 0)));
    dynamite->setMachineFacing(glm::normalize(glm::vec3(-0.9f, 0, 0.1f)));
    objects.push_back(std::move(dynamite));
}
