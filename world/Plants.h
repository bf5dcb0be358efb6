#pragma once

#include "base/VoxelBox.h"

#include <glm/vec3.hpp>

// Trees and cacti, built from a few boxes and spheres. `t` in 0..1 is the
// plant's own noise value and decides its size and shape, so the same spot
// always grows the same plant.

// A trunk of bark under a round crown of leaves. Appends the crown, then the trunk.
void placeTree(VoxelOrders& orders, const glm::vec3& base, float t);
// A cactus trunk with two or three arms.
void placeCactus(VoxelOrders& orders, const glm::vec3& base, float t);
