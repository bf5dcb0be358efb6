#pragma once

#include "base/VoxelBox.h"

#include <glm/vec3.hpp>

// Box shortcuts shared by the camp, mineshaft and big house, on top of the
// placement helpers.

// The box between two opposite corners given in any order.
void appendNormalisedBox(VoxelOrders& orders, int type, const glm::vec3& a, const glm::vec3& b);

// A box centred on (center.x, center.z) in plan, `sizeX` by `sizeZ`, from y0 up to y1.
void appendPlanBox(
    VoxelOrders& orders, int type, const glm::vec3& center, float sizeX, float sizeZ, float y0, float y1);

// A box centred on `center` in plan whose length `along` runs in direction
// `dir` and `across` in direction `side` (both horizontal unit vectors of an
// axis), from y0 up to y1.
void appendOrientedBox(VoxelOrders& orders, int type, const glm::vec3& center, const glm::vec3& dir,
    float along, const glm::vec3& side, float across, float y0, float y1);
