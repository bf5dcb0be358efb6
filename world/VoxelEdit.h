#pragma once

#include "base/Shapes.h"

#include <cstdint>
#include <memory>

// A queued write of one block type into every voxel a shape overlaps, with the
// range of chunks the shape's bounding box covers (so the edit can wait until
// all of them are free).
struct VoxelEdit {
    int32_t type = 0;
    int32_t cxMin = 0;
    int32_t czMin = 0;
    int32_t cxMax = 0;
    int32_t czMax = 0;
    std::unique_ptr<Geometric_Object> shape;

    // shape must not be null.
    VoxelEdit(int32_t type, std::unique_ptr<Geometric_Object> shape);
};
