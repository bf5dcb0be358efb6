#pragma once

#include "structures/Location.h"

// Appends spheres stacked every half unit from base up to (not including)
// yTo, each `shrink` smaller than the one below; with airCap, an air box
// above the last one clears whatever stood on top.
void stackSpheres(
    VoxelOrders& orders, int type, const glm::vec3& base, float yTo, float radius, bool airCap, float shrink);

// A stone tower of stacked spheres from the forest floor up to y = 60, hollow
// inside, with two crossing passages through its foot, a cross-shaped inner
// floor at y = 52 with a caged cat, a short stair and a stucco top platform
// with a bonfire. It draws no random numbers.
class Tower : public Location {
public:
    glm::vec3 top;
    glm::vec3 floorPoint;
    float floorRadius; // radius of the outer spheres at the height of the inner floor

    explicit Tower(const glm::vec3& position);

    void generate(VoxelOrders& orders) override;

    static constexpr float topY = 60.0f;
    static constexpr float floorY = 52.0f;
    static constexpr float shrink = 0.04f;

private:
    void buildShell(VoxelOrders& orders);
    void buildInnerFloor(VoxelOrders& orders) const;
};
