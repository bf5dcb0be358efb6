#pragma once

#include "structures/Location.h"

// A solid stepped pyramid whose apex reaches y = 63, standing on the desert
// surface point it was created at. Inside: up to three entrance tunnels with
// signs, three maze levels joined by spiral stairwells and a top chamber with
// a golden caged cat guarded by a charge of dynamite.
class Pyramid : public Location {
public:
    using Location::Location;

    void generate(VoxelOrders& orders) override;

    static constexpr float apexY = 63.0f;
    static constexpr float depthBelowGround = 15.0f;
    static constexpr float entranceY = 25.0f;

private:
    void buildBody(VoxelOrders& orders) const;
    void buildEntrances(VoxelOrders& orders);
    void buildEntrance(VoxelOrders& orders, int direction);
    void buildInterior(VoxelOrders& orders);
    void placeTreasure();
};
