#pragma once

#include "structures/Location.h"

// A small brick house with a gabled tile roof on a grass mound in a cleared
// patch of forest. Some are turned a quarter, some hold an item container.
class VillageHouse : public Location {
public:
    using Location::Location;

    void generate(VoxelOrders& orders) override;

private:
    void buildMound(VoxelOrders& orders) const;
    void buildRoom(VoxelOrders& orders) const;
    void buildRoof(VoxelOrders& orders) const;
};
