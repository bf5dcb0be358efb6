#include "structures/DesertCrypt.h"

#include "base/BlockType.h"
#include "gameplay/Cage.h"
#include "structures/Placement.h"

#include <cmath>
#include <glm/common.hpp>

namespace {

const glm::vec3 stairDirections[4] = { { 1, 0, 0 }, { 0, 0, 1 }, { -1, 0, 0 }, { 0, 0, -1 } };

// The box centred on c that is `along` long in direction dir, `high` tall
// and `across` wide (dir is one of the four horizontal axes).
aabb boxAlong(const glm::vec3& c, const glm::vec3& dir, float along, float high, float across)
{
    const glm::vec3 a = glm::abs(dir);
    const glm::vec3 half = (a * along + (glm::vec3(1, 0, 1) - a) * across + glm::vec3(0, high, 0)) * 0.5f;
    return aabb(c - half, c + half);
}

void append(VoxelOrders& orders, int type, const aabb& box)
{
    appendShape(orders, type, std::make_unique<aabb>(box));
}

} // namespace

void DesertCrypt::generate(VoxelOrders& orders)
{
    if (!std::isfinite(position.x) || !std::isfinite(position.y) || !std::isfinite(position.z))
        return;
    Frame f;
    f.dir = stairDirections[random.next() & 3u];
    f.right = glm::vec3(f.dir.z, 0, -f.dir.x);

    buildMound(orders, f);
    buildHall(orders, f);
    const glm::vec3 foot = buildStair(orders, f);
    buildCorridors(orders, f, foot);
    const glm::vec3 g(position.x, position.y + 2, position.z);
    buildFigure(orders, f, g + f.right * 16.0f);
    buildFigure(orders, f, g - f.right * 16.0f);
}

void DesertCrypt::buildMound(VoxelOrders& orders, const Frame& f) const
{
    aabb layer = boxAlong(position - glm::vec3(0, 0.25f, 0), f.dir, 30, 0.5f, 46);
    for (int i = 0; i < 40; ++i) {
        append(orders, BLOCK_SAND, layer);
        layer.translate({ 0, -0.5f, 0 });
        layer.min -= glm::vec3(0.5f, 0, 0.5f);
        layer.max += glm::vec3(0.5f, 0, 0.5f);
    }
}

void DesertCrypt::buildHall(VoxelOrders& orders, const Frame& f) const
{
    const glm::vec3& p = position;
    appendBox(orders, BLOCK_PYRAMID, p - glm::vec3(8), p + glm::vec3(8));
    appendSphere(orders, BLOCK_PYRAMID, p.x, p.y + 8, p.z, 7.5f); // the dome
    const glm::vec3 door(p.x, p.y + 2.5f, p.z);
    appendLine(orders, BLOCK_AIR, door, door - f.dir * 6.0f, 5, 5);
}

glm::vec3 DesertCrypt::buildStair(VoxelOrders& orders, const Frame& f) const
{
    aabb tread(glm::vec3(0), f.dir * 0.5f + glm::vec3(0, 0.5f, 0) + f.right * 5.0f);
    tread.normalize();
    glm::vec3 s = position;
    const int steps = static_cast<int>(2.0f * position.y);
    for (int i = 0; i < steps; ++i) {
        tread.moveCenterTo(s);
        append(orders, BLOCK_PYRAMID, tread);
        aabb air = tread;
        air.max.y += 5.0f;
        air.translate({ 0, 0.5f, 0 });
        append(orders, BLOCK_AIR, air);
        s += f.dir * 0.5f - glm::vec3(0, 0.5f, 0);
    }
    return s;
}

void DesertCrypt::buildCorridors(VoxelOrders& orders, const Frame& f, const glm::vec3& foot)
{
    const glm::vec3 b = foot + f.dir * 2.0f + glm::vec3(0, 3, 0);
    appendLine(orders, BLOCK_AIR, b, b + f.dir * 10.0f, 5, 5);
    const glm::vec3 m = b + f.dir * 10.0f - glm::vec3(0, 1, 0);

    const glm::vec3 arms[3] = { f.dir, f.right, -f.right };
    glm::vec3 ends[3];
    for (int j = 0; j < 3; ++j) {
        ends[j] = m + arms[j] * 10.0f;
        appendLine(orders, BLOCK_AIR, m, ends[j], 2, 3);
    }
    glm::vec3 hooks[3];
    for (int j = 0; j < 3; ++j) {
        hooks[j] = ends[j] + 5.0f * glm::vec3(-arms[j].z, 0, arms[j].x);
        appendLine(orders, BLOCK_AIR, ends[j], hooks[j], 2, 3);
    }

    const glm::vec3 room = hooks[random.next() % 3u];
    appendBox(orders, BLOCK_AIR, room + glm::vec3(-2, -1, -2), room + glm::vec3(2, 3, 2));
    objects.push_back(std::make_unique<Cage>(room - glm::vec3(0, 1.6f, 0), false));
}

void DesertCrypt::buildFigure(VoxelOrders& orders, const Frame& f, const glm::vec3& g) const
{
    append(orders, BLOCK_PYRAMID, boxAlong(g, f.dir, 16, 8, 8));
    const glm::vec3 h = g - f.dir * 6.0f + glm::vec3(0, 7, 0);
    appendSphere(orders, BLOCK_PYRAMID, h.x, h.y, h.z, 4);
    for (const glm::vec3& ear :
        { h + glm::vec3(0, 3.5f, 0) + f.right * 2.5f, h + glm::vec3(0, 3.5f, 0) - f.right * 2.5f })
        appendSphere(orders, BLOCK_PYRAMID, ear.x, ear.y, ear.z, 1.5f);
    const glm::vec3 paws = g - f.dir * 6.0f;
    append(orders, BLOCK_PYRAMID, boxAlong(paws + f.right * 4.0f, f.dir, 12, 4, 4));
    append(orders, BLOCK_PYRAMID, boxAlong(paws - f.right * 4.0f, f.dir, 12, 4, 4));
}
