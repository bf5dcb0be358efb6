// The building steps of a big house, run room by room once the layout stands.
#include "structures/BigHouse.h"

#include "base/BlockType.h"
#include "gameplay/Cage.h"
#include "gameplay/ItemContainer.h"
#include "structures/BoxShapes.h"
#include "structures/MazeStairwell.h"
#include "structures/Placement.h"

#include <array>

namespace {

// Outward directions of the four horizontal sides, in neighbour order.
constexpr std::array<glm::vec3, 4> sideDirections = {
    glm::vec3(-1, 0, 0),
    glm::vec3(1, 0, 0),
    glm::vec3(0, 0, -1),
    glm::vec3(0, 0, 1),
};

glm::vec3 acrossOf(const glm::vec3& dir)
{
    return { -dir.z, 0, dir.x };
}

bool isHouseRoom(const BigHouseRoom* room)
{
    return room && (room->kind == BigHouseRoom::ROOM || room->kind == BigHouseRoom::STAIR);
}

// A low wall 0.5 thick and 11 long standing on the edge of the cell toward dir.
void appendEdgeWall(VoxelOrders& orders, const BigHouseRoom& room, const glm::vec3& dir)
{
    const float f = room.floorHeight();
    const glm::vec3 edge = room.center() + dir * (room.size.x / 2);
    appendOrientedBox(orders, BLOCK_STUCCO, edge, dir, 0.5f, acrossOf(dir), 11, f - 0.25f, f + 1.25f);
}

} // namespace

void BigHouse::build(VoxelOrders& orders)
{
    for (Storey& storey : storeys)
        for (auto& room : storey)
            buildRoom(orders, *room);
    for (auto& room : storeys[0])
        foundation(orders, *room);
    for (Storey& storey : storeys)
        for (auto& room : storey)
            if (room->kind == BigHouseRoom::STAIR)
                stair(orders, *room);
}

void BigHouse::buildRoom(VoxelOrders& orders, BigHouseRoom& room)
{
    switch (room.kind) {
    case BigHouseRoom::ROOM:
        clear(orders, room);
        pillars(orders, room);
        shell(orders, room);
        doors(orders, room);
        contents(room);
        break;
    case BigHouseRoom::TERRACE:
        contents(room);
        clear(orders, room);
        terrace(orders, room);
        break;
    case BigHouseRoom::TOP_ROOF:
        clear(orders, room);
        roof(orders, room);
        break;
    case BigHouseRoom::SHADED_TERRACE:
        clear(orders, room);
        terrace(orders, room);
        break;
    case BigHouseRoom::YARD:
    case BigHouseRoom::YARD_ENTRANCE:
        yard(orders, room);
        break;
    case BigHouseRoom::STAIR:
        clear(orders, room);
        pillars(orders, room);
        shell(orders, room);
        doors(orders, room);
        break;
    default:
        break;
    }
}

void BigHouse::clear(VoxelOrders& orders, const BigHouseRoom& room)
{
    const glm::vec3 c = room.center();
    const glm::vec3 half = room.size / 2.0f;
    appendBox(orders, BLOCK_AIR, c - half, c + half);
    const glm::vec3 above = c + glm::vec3(0, room.size.y, 0);
    appendBox(orders, BLOCK_AIR, above - half, above + half);
}

void BigHouse::pillars(VoxelOrders& orders, const BigHouseRoom& room)
{
    const glm::vec3 c = room.center();
    const std::array<glm::vec2, 4> corners = { { { 1, 1 }, { 1, -1 }, { -1, -1 }, { -1, 1 } } };
    for (const glm::vec2& k : corners) {
        const glm::vec3 post = c + glm::vec3(5 * k.x, 0, 5 * k.y);
        appendPlanBox(orders, BLOCK_STUCCO, post, 1, 1, position.y - 6, room.topHeight());
    }
}

void BigHouse::shell(VoxelOrders& orders, const BigHouseRoom& room)
{
    const glm::vec3 c = room.center();
    const float f = room.floorHeight();
    const float t = room.topHeight();
    appendPlanBox(orders, BLOCK_STUCCO, c, 10, 10, f, t);
    appendPlanBox(orders, BLOCK_STUCCO, c, 11, 11, f, f + 0.5f);
    const BigHouseRoom* below = room.neighbours[BigHouseRoom::BELOW];
    if (!below || below->isYard())
        appendPlanBox(orders, BLOCK_STUCCO, c, 11, 11, f - 0.5f, f);
    appendPlanBox(orders, BLOCK_MARBLE, c, 9, 9, f, f + 0.5f);
    appendPlanBox(orders, BLOCK_STUCCO, c, 11, 11, t - 0.5f, t);
    appendPlanBox(orders, BLOCK_BARK, c, 9, 9, t - 0.5f, t);
    appendPlanBox(orders, BLOCK_AIR, c, 9, 9, f + 0.5f, t - 0.5f);
}

void BigHouse::doors(VoxelOrders& orders, const BigHouseRoom& room)
{
    const float f = room.floorHeight();
    for (int side = 0; side < 4; ++side) {
        const BigHouseRoom* next = room.neighbours[side];
        if (!next || next->kind == BigHouseRoom::YARD)
            continue;
        const glm::vec3 wall = room.center() + sideDirections[side] * (room.size.x / 2);
        appendPlanBox(orders, BLOCK_AIR, wall, 2, 2, f + 0.5f, f + 3.5f);
    }
}

void BigHouse::contents(const BigHouseRoom& room)
{
    glm::vec3 spot = room.center();
    spot.y = room.floorHeight();
    if (room.holdsCage) {
        objects.push_back(std::make_unique<Cage>(spot + glm::vec3(0, 0.27f, 0), false));
        return;
    }
    // The stair keeps the central column free.
    if (room.inCentralColumn())
        return;
    if (random.next() % 7 == 0)
        objects.push_back(std::make_unique<ItemContainer>(spot + glm::vec3(0, 0.5f, 0), -1));
}

void BigHouse::terrace(VoxelOrders& orders, const BigHouseRoom& room)
{
    const float f = room.floorHeight();
    appendPlanBox(orders, BLOCK_MARBLE, room.center(), 10, 10, f, f + 0.5f);
    for (int side = 0; side < 4; ++side)
        if (!room.neighbours[side])
            appendEdgeWall(orders, room, sideDirections[side]);
}

void BigHouse::yard(VoxelOrders& orders, const BigHouseRoom& room)
{
    for (int side = 0; side < 4; ++side)
        if (!room.neighbours[side])
            appendEdgeWall(orders, room, sideDirections[side]);
    if (room.kind == BigHouseRoom::YARD_ENTRANCE)
        yardEntrance(orders, room);
}

// A gate in the yard's far edge, straight across from the door of the house
// room the yard borders: two posts, a lintel and the gap between them.
void BigHouse::yardEntrance(VoxelOrders& orders, const BigHouseRoom& room)
{
    for (int side = 0; side < 4; ++side) {
        if (!isHouseRoom(room.neighbours[side]))
            continue;
        const glm::vec3 out = -sideDirections[side];
        const glm::vec3 across = acrossOf(out);
        const glm::vec3 gate = room.center() + out * (room.size.x / 2);
        const float f = room.floorHeight();
        appendPlanBox(orders, BLOCK_STUCCO, gate + across * 1.5f, 1, 1, f - 0.25f, f + 2.5f);
        appendPlanBox(orders, BLOCK_STUCCO, gate - across * 1.5f, 1, 1, f - 0.25f, f + 2.5f);
        appendOrientedBox(orders, BLOCK_STUCCO, gate, out, 1, across, 4, f + 2.5f, f + 3);
        appendOrientedBox(orders, BLOCK_AIR, gate, out, 1, across, 2, f, f + 2.5f);
        return;
    }
}

// A hipped roof: a solid block of tiles, each open side cut back in 0.5
// steps so that the slopes meet at a ridge (or a peak), with ridge tiles
// laid along each hip where two slopes meet.
void BigHouse::roof(VoxelOrders& orders, const BigHouseRoom& room)
{
    const glm::vec3 c = room.center();
    const float f = room.floorHeight();
    appendPlanBox(orders, BLOCK_ROOFTILES, c, 10, 10, f, f + 5);
    appendPlanBox(orders, BLOCK_ROOFTILES, c, 11, 11, f - 0.5f, f);
    appendPlanBox(orders, BLOCK_BARK, c, 10, 10, f - 0.5f, f);

    const int count = static_cast<int>(room.size.x);
    const glm::vec3 top(c.x, f + 5, c.z);
    const glm::vec3 down(0, -0.5f, 0);
    std::array<bool, 4> sloped {};
    for (int side = 0; side < 4; ++side) {
        const BigHouseRoom* next = room.neighbours[side];
        sloped[side] = !next || next->kind == BigHouseRoom::TERRACE;
        if (!sloped[side])
            continue;
        const glm::vec3 out = sideDirections[side];
        const glm::vec3 across = glm::abs(acrossOf(out));
        // Layer i (from the top) keeps 0.5 (i + 1) on this side of the middle.
        appendBoxRun(orders, top + out * 0.5f - across * 5.0f + down, out * 0.5f + down,
            out * 5.0f + across * 10.0f - down, count, BLOCK_AIR);
    }
    const std::array<std::array<int, 2>, 4> hips = { { { 0, 2 }, { 0, 3 }, { 1, 2 }, { 1, 3 } } };
    for (const auto& hip : hips) {
        if (!sloped[hip[0]] || !sloped[hip[1]])
            continue;
        const glm::vec3 diagonal = sideDirections[hip[0]] + sideDirections[hip[1]];
        appendBoxRun(orders, top + diagonal * 0.5f + down, diagonal * 0.5f + down, diagonal * 0.5f - down,
            count, BLOCK_ROOFTILES);
    }
}

void BigHouse::foundation(VoxelOrders& orders, const BigHouseRoom& room)
{
    const glm::vec3 c = room.center();
    const float f = room.floorHeight();
    if (room.isYard()) {
        appendPlanBox(orders, BLOCK_DIRT, c, 10, 10, f - 11, f - 0.5f);
        appendPlanBox(orders, BLOCK_GRASS, c, 10, 10, f - 0.5f, f);
    } else {
        appendPlanBox(orders, BLOCK_STUCCO, c, 10, 10, f - 11, f);
    }
}

// The spiral stair from this storey up to the one above: stone column and
// treads, a marble landing over a bark slab that closes the ceiling around it,
// each storey starting its spiral on another side.
void BigHouse::stair(VoxelOrders& orders, const BigHouseRoom& room)
{
    StairwellStyle style;
    style.columnType = BLOCK_STONE;
    style.landingType = BLOCK_MARBLE;
    style.treadType = BLOCK_STONE;
    style.slabType = BLOCK_BARK;
    style.firstSide = (3 * room.storey()) % 4;
    const glm::vec3 c = room.center();
    const float f = room.floorHeight();
    buildStairwell(orders, style, f + 2, c.x, f + 8, c.z, 1.0f, 1.5f);
}
