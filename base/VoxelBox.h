#pragma once

#include "base/Shapes.h"

#include <memory>
#include <vector>

// One stamping order of a plant or structure: write `type` into every voxel
// the shape overlaps. Orders are applied in the order they were appended, so
// later ones overwrite earlier ones where they overlap.
struct VoxelBox {
    int type = 0;
    std::unique_ptr<Geometric_Object> shape;

    VoxelBox() = default;
    VoxelBox(int t, std::unique_ptr<Geometric_Object> s) : type(t), shape(std::move(s)) { }
};

using VoxelOrders = std::vector<VoxelBox>;
