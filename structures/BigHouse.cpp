#include "structures/BigHouse.h"

#include <array>
#include <glm/geometric.hpp>

namespace {

// The horizontal neighbour directions in the order the yard ring tries them.
constexpr std::array<glm::vec3, 8> yardOffsets = {
    glm::vec3(-1, 0, 0),
    glm::vec3(1, 0, 0),
    glm::vec3(0, 0, -1),
    glm::vec3(0, 0, 1),
    glm::vec3(1, 0, -1),
    glm::vec3(1, 0, 1),
    glm::vec3(-1, 0, -1),
    glm::vec3(-1, 0, 1),
};
constexpr int yardSideOffsets = 4; // the first four border the room; the rest are its corners

int sideToward(const glm::vec3& d)
{
    if (d == glm::vec3(-1, 0, 0))
        return BigHouseRoom::NEG_X;
    if (d == glm::vec3(1, 0, 0))
        return BigHouseRoom::POS_X;
    if (d == glm::vec3(0, 0, -1))
        return BigHouseRoom::NEG_Z;
    if (d == glm::vec3(0, 0, 1))
        return BigHouseRoom::POS_Z;
    if (d == glm::vec3(0, -1, 0))
        return BigHouseRoom::BELOW;
    if (d == glm::vec3(0, 1, 0))
        return BigHouseRoom::ABOVE;
    return -1;
}

int oppositeSide(int side)
{
    return side ^ 1;
}

} // namespace

void linkRooms(BigHouseRoom& a, BigHouseRoom& b)
{
    const int side = sideToward(b.cell - a.cell);
    if (side < 0)
        return;
    a.neighbours[side] = &b;
    b.neighbours[oppositeSide(side)] = &a;
}

BigHouseRoom* BigHouse::roomAt(int storey, const glm::vec3& cell) const
{
    if (storey < 0 || storey >= static_cast<int>(storeys.size()))
        return nullptr;
    for (const auto& room : storeys[storey])
        if (room->cell == cell)
            return room.get();
    return nullptr;
}

BigHouseRoom& BigHouse::addRoom(int storey, const glm::vec3& cell, int kind)
{
    auto room = std::make_unique<BigHouseRoom>();
    room->kind = kind;
    room->origin = position + glm::vec3(0, 3, 0);
    room->cell = cell;
    room->house = this;
    for (auto& other : storeys[storey])
        linkRooms(*room, *other);
    storeys[storey].push_back(std::move(room));
    return *storeys[storey].back();
}

void BigHouse::walkStorey(int s)
{
    for (int w = 0; w < walks; ++w) {
        glm::vec3 cell(0, static_cast<float>(s), 0);
        for (int i = 0; i < steps; ++i) {
            if (!roomAt(s, cell))
                addRoom(s, cell, BigHouseRoom::ROOM);
            switch (random.next() % 6) {
            case 2:
                cell.x -= 1;
                break;
            case 3:
                cell.x += 1;
                break;
            case 0:
                cell.z -= 1;
                break;
            case 5:
                cell.z += 1;
                break;
            default:
                break; // 1 and 4: stay
            }
        }
    }
}

void BigHouse::addRoofs()
{
    for (int s = 0; s < floors; ++s) {
        // Roofs join the storey above, never this one, so the list does not grow under us.
        for (const auto& room : storeys[s]) {
            if (room->kind != BigHouseRoom::ROOM)
                continue;
            const glm::vec3 above = room->cell + glm::vec3(0, 1, 0);
            if (roomAt(s + 1, above))
                continue;
            int kind = BigHouseRoom::TERRACE;
            if (s + 1 == floors)
                kind = BigHouseRoom::TOP_ROOF;
            else if (s < floors - 1 && roomAt(s + 2, room->cell + glm::vec3(0, 2, 0)))
                kind = BigHouseRoom::SHADED_TERRACE;
            addRoom(s + 1, above, kind);
        }
    }
}

void BigHouse::linkStoreys()
{
    for (int s = 0; s + 1 < static_cast<int>(storeys.size()); ++s)
        for (const auto& lower : storeys[s])
            for (const auto& upper : storeys[s + 1])
                if (glm::distance(lower->cell, upper->cell) == 1.0f)
                    linkRooms(*lower, *upper);
}

void BigHouse::addYard()
{
    Storey& ground = storeys[0];
    const size_t houseRooms = ground.size();
    for (size_t i = 0; i < houseRooms; ++i) {
        if (ground[i]->kind != BigHouseRoom::ROOM)
            continue;
        random.next(); // drawn and never used
        const glm::vec3 cell = ground[i]->cell;
        for (int o = 0; o < static_cast<int>(yardOffsets.size()); ++o) {
            if (roomAt(0, cell + yardOffsets[o]))
                continue;
            const uint32_t k = random.next();
            const bool entrance = o < yardSideOffsets && (k & 3) == 0;
            addRoom(0, cell + yardOffsets[o], entrance ? BigHouseRoom::YARD_ENTRANCE : BigHouseRoom::YARD);
        }
    }
}

void BigHouse::chooseCageRoom()
{
    Storey& top = storeys[floors - 1];
    // Index 0 is the central column, where the stair of the storey below arrives:
    // with any choice at all, the cat sits elsewhere.
    if (top.size() >= 2)
        top[random.next() % static_cast<uint32_t>(top.size() - 1) + 1]->holdsCage = true;
    else
        top[0]->holdsCage = true;
}

void BigHouse::planLayout()
{
    storeys.clear();
    floors = static_cast<int>(random.next() % 3) + 2;
    walks = static_cast<int>(random.next() % 3) - floors + 8;
    steps = static_cast<int>(random.next() % 3) - floors + 8;

    storeys.resize(floors + 1);
    for (int s = 0; s < floors; ++s)
        walkStorey(s);
    addRoofs();
    linkStoreys();
    addYard();
    for (int s = 0; s <= floors - 2; ++s)
        if (BigHouseRoom* column = roomAt(s, glm::vec3(0, s, 0)))
            column->kind = BigHouseRoom::STAIR;
    chooseCageRoom();
}

void BigHouse::generate(VoxelOrders& orders)
{
    planLayout();
    build(orders);
}
