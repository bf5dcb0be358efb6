#pragma once

#include "structures/Location.h"

#include <array>
#include <glm/vec3.hpp>
#include <memory>
#include <vector>

class BigHouse;

// One grid cell of a big house: a room, a roof, a yard or a stair room.
struct BigHouseRoom {
    enum Kind : int {
        ROOM = 0,
        TERRACE = 1, // open roof of a room below
        TOP_ROOF = 2, // hipped roof over the top storey
        SHADED_TERRACE = 3, // open roof under a room two storeys up
        YARD = 4,
        YARD_ENTRANCE = 5,
        STAIR = 6,
    };
    enum Side : int { NEG_X = 0, POS_X = 1, NEG_Z = 2, POS_Z = 3, BELOW = 4, ABOVE = 5 };

    int kind = ROOM;
    glm::vec3 origin { 0.0f };
    glm::vec3 cell { 0.0f };
    glm::vec3 size { 10.0f, 6.0f, 10.0f };
    BigHouse* house = nullptr;
    std::array<BigHouseRoom*, 6> neighbours {};
    bool holdsCage = false;

    glm::vec3 center() const { return origin + cell * size; }
    float floorHeight() const { return center().y - size.y / 2; }
    float topHeight() const { return center().y + size.y / 2; }
    int storey() const { return static_cast<int>(cell.y); }
    bool isYard() const { return kind == YARD || kind == YARD_ENTRANCE; }
    bool inCentralColumn() const { return cell.x == 0 && cell.z == 0; }
};

// Links two rooms whose cells are exactly one apart (in any axis); others stay unlinked.
void linkRooms(BigHouseRoom& a, BigHouseRoom& b);

// A villa of several storeys grown from box rooms on a grid around the
// surface point it was placed at: random walks per storey, terraces and
// hipped roofs on top, a walled yard around the ground floor, a spiral stair
// in the central column and a caged cat in the top storey.
class BigHouse : public Location {
public:
    using Storey = std::vector<std::unique_ptr<BigHouseRoom>>;

    int floors = 0;
    int walks = 0;
    int steps = 0;
    // Storeys 0 .. floors; the last one holds nothing but roofs.
    std::vector<Storey> storeys;

    using Location::Location;

    void generate(VoxelOrders& orders) override;

    // The layout alone (rooms, kinds, links, the cage), drawing from `random` as generate does.
    void planLayout();

    BigHouseRoom* roomAt(int storey, const glm::vec3& cell) const;

private:
    BigHouseRoom& addRoom(int storey, const glm::vec3& cell, int kind);
    void walkStorey(int storey);
    void addRoofs();
    void linkStoreys();
    void addYard();
    void chooseCageRoom();

    void build(VoxelOrders& orders);
    void buildRoom(VoxelOrders& orders, BigHouseRoom& room);
    void clear(VoxelOrders& orders, const BigHouseRoom& room);
    void pillars(VoxelOrders& orders, const BigHouseRoom& room);
    void shell(VoxelOrders& orders, const BigHouseRoom& room);
    void doors(VoxelOrders& orders, const BigHouseRoom& room);
    void contents(const BigHouseRoom& room);
    void terrace(VoxelOrders& orders, const BigHouseRoom& room);
    void roof(VoxelOrders& orders, const BigHouseRoom& room);
    void yard(VoxelOrders& orders, const BigHouseRoom& room);
    void yardEntrance(VoxelOrders& orders, const BigHouseRoom& room);
    void foundation(VoxelOrders& orders, const BigHouseRoom& room);
    void stair(VoxelOrders& orders, const BigHouseRoom& room);
};
