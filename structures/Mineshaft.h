#pragma once

#include "structures/Location.h"

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <vector>

class Mineshaft;

// One tunnel between two neighbouring cells of the mineshaft's grid.
struct MineSegment {
    glm::vec3 start { 0.0f };
    glm::vec3 end { 0.0f };
    glm::vec2 startCell { 0.0f };
    glm::vec2 endCell { 0.0f };
    glm::vec3 dir { 0.0f }; // normalize(end - start)
    glm::vec3 side { 0.0f }; // (-dir.z, 0, dir.x)
    glm::vec3 middle { 0.0f }; // (start + end) / 2
    glm::vec3 floorMiddle { 0.0f }; // middle on the tunnel floor, to 0.001
    Mineshaft* owner = nullptr;
    bool deadEnd = false;
    bool holdsCage = false;

    MineSegment() = default;
    MineSegment(const glm::vec3& start, const glm::vec3& end, const glm::vec2& startCell,
        const glm::vec2& endCell, Mineshaft* owner);

    bool joins(const glm::vec2& a, const glm::vec2& b) const
    {
        return (startCell == a && endCell == b) || (startCell == b && endCell == a);
    }
};

// A small tunnel network deep underground, reached by a long straight stair
// from the surface point it was placed at: rails, timber supports, mine carts
// and dead ends sealed by cracked walls with a blasting charge in front, behind
// which lie item containers or the caged cat.
class Mineshaft : public Location {
public:
    glm::vec3 base { 0.0f };
    std::vector<MineSegment> segments;
    float railLength = 0.0f;

    static constexpr float tunnelWidth = 5.0f;
    static constexpr float tunnelHeight = 4.0f;
    static constexpr float tunnelLevel = 4.0f;
    static constexpr int gridSize = 7;
    static constexpr float cellSpacing = 12.0f;
    static constexpr int visitBudget = 30;
    static constexpr int extraOpenings = 10;

    explicit Mineshaft(const glm::vec3& position);

    void generate(VoxelOrders& orders) override;

    // The tunnel layout only: fills `segments` from the grid walk and the
    // extra openings, drawing from `random` as generate does.
    void layOutTunnels();
    // Everything after the layout: carving, dead ends and the cage, rails,
    // supports, carts, sealed rooms and the entrance stair.
    void buildTunnels(VoxelOrders& orders);

    // Marks every segment that ends in a cell no other segment touches;
    // returns how many there are.
    static int markDeadEnds(std::vector<MineSegment>& segments);
    // Gives the cage to the (k mod deadEnds)-th dead end. With no dead end at
    // all there is nowhere to hide it, and no segment gets it.
    static void chooseCageSegment(std::vector<MineSegment>& segments, int deadEnds, uint32_t k);

private:
    glm::vec3 cellPoint(int u, int v) const;
    bool addSegment(int u0, int v0, int u1, int v1);
    void visit(int u, int v, std::vector<uint8_t>& visited, int& budget);
    void addExtraOpening(const std::vector<uint8_t>& visited);

    void appendSegment(VoxelOrders& orders, MineSegment& segment);
    void appendCart(VoxelOrders& orders, const MineSegment& segment);
    void appendSealedRoom(VoxelOrders& orders, const MineSegment& segment);
    void appendEntrance(VoxelOrders& orders);
};
