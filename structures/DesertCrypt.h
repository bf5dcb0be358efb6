#pragma once

#include "structures/Location.h"

// A sandstone cube with a dome on a sand mound, flanked by two lying stone
// figures. A stair falls from it to a corridor deep underground that splits
// into three arms; one arm ends in a small room with a caged cat.
class DesertCrypt : public Location {
public:
    using Location::Location;

    void generate(VoxelOrders& orders) override;

private:
    struct Frame {
        glm::vec3 dir; // the way the stair descends
        glm::vec3 right;
    };

    void buildMound(VoxelOrders& orders, const Frame& f) const;
    void buildHall(VoxelOrders& orders, const Frame& f) const;
    // Returns the point at the foot of the stair.
    glm::vec3 buildStair(VoxelOrders& orders, const Frame& f) const;
    void buildCorridors(VoxelOrders& orders, const Frame& f, const glm::vec3& foot);
    void buildFigure(VoxelOrders& orders, const Frame& f, const glm::vec3& g) const;
};
