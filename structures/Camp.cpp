#include "structures/Camp.h"

#include "base/BlockType.h"
#include "gameplay/Bonfire.h"
#include "gameplay/ItemContainer.h"
#include "structures/BoxShapes.h"
#include "structures/Placement.h"

#include <array>

namespace {

// Where tent d stands relative to the camp's centre and which way it faces.
constexpr std::array<glm::vec3, 4> tentOffsets = {
    glm::vec3(Camp::tentDistance, 0, 0),
    glm::vec3(-Camp::tentDistance, 0, 0),
    glm::vec3(0, 0, Camp::tentDistance),
    glm::vec3(0, 0, -Camp::tentDistance),
};
constexpr std::array<glm::vec3, 4> tentFacings = {
    glm::vec3(0, 0, 1),
    glm::vec3(0, 0, -1),
    glm::vec3(-1, 0, 0),
    glm::vec3(1, 0, 0),
};

constexpr int clearingLayers = 12;

// A grass mound growing wider downwards under a dome of air growing wider
// upwards, so the camp sits on level ground whatever the terrain around it.
void appendClearing(VoxelOrders& orders, const glm::vec3& p)
{
    aabb mound(p + glm::vec3(-15, -0.5f, -15), p + glm::vec3(15, 0, 15));
    aabb air(p + glm::vec3(-15, 0, -15), p + glm::vec3(15, 0.5f, 15));
    const glm::vec3 widen(0.5f, 0, 0.5f);
    for (int i = 0; i < clearingLayers; ++i) {
        appendBox(orders, BLOCK_GRASS, mound.min, mound.max);
        mound.translate({ 0, -0.5f, 0 });
        mound.min -= widen;
        mound.max += widen;
        appendBox(orders, BLOCK_AIR, air.min, air.max);
        air.translate({ 0, 0.5f, 0 });
        air.min -= widen;
        air.max += widen;
    }
}

} // namespace

void buildTent(VoxelOrders& orders, const glm::vec3& o, const glm::vec3& f, float d, float h)
{
    const glm::vec3 s(f.z, 0, -f.x);
    const glm::vec3 up(0, 1, 0);
    const int strips = static_cast<int>(2 * h + 1);
    const glm::vec3 stepOut = f * 0.5f - up * 0.5f;
    const glm::vec3 stepBack = -f * 0.5f - up * 0.5f;
    const glm::vec3 firstCorner = o - s * (d / 2);
    const glm::vec3 secondCorner = o + f * 0.5f + s * (d / 2);

    appendBoxRun(orders, firstCorner + up * h, stepOut, f * 0.5f + s * d + up * 0.5f, strips, BLOCK_TENT);
    appendBoxRun(orders, secondCorner + up * h, stepBack, -f * 0.5f - s * d + up * 0.5f, strips, BLOCK_TENT);
    appendNormalisedBox(orders, BLOCK_TENT, o + s * (d / 2) + f * h, o + s * (d / 2 - 0.5f) - f * h + up * h);
    // Nothing may grow or stand above the slopes.
    appendBoxRun(
        orders, firstCorner + up * (h + 0.5f), stepOut, f * 0.5f + s * d + up * h, strips, BLOCK_AIR);
    appendBoxRun(
        orders, secondCorner + up * (h + 0.5f), stepBack, -f * 0.5f - s * d + up * h, strips, BLOCK_AIR);
    appendNormalisedBox(orders, BLOCK_WOOD_PLANKS2, o - s * (d / 2 - 0.5f - 0.5f) + f * 0.5f,
        o - s * (d / 2 - 0.5f) + up * h);
}

void Camp::generate(VoxelOrders& orders)
{
    const glm::vec3 p = position;
    appendClearing(orders, p);

    std::array<bool, 4> drawn {};
    std::array<int, 4> built {};
    int tents = 0;
    for (int i = 0; i < 4; ++i) {
        const uint32_t d = random.next() & 3;
        if (drawn[d])
            continue;
        drawn[d] = true;
        built[tents++] = static_cast<int>(d);
        buildTent(orders, p + tentOffsets[d], tentFacings[d], tentLength, tentHeight);
    }

    // The first draw always builds a tent, so there is at least one to hold the container.
    const uint32_t k = random.next();
    const int holder = built[k % static_cast<uint32_t>(tents)];
    objects.push_back(std::make_unique<ItemContainer>(p + tentOffsets[holder], -1));
    objects.push_back(std::make_unique<Bonfire>(p));
}
