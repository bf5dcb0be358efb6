#pragma once

#include "base/Shapes.h"
#include "base/VoxelBox.h"

#include <glm/vec3.hpp>
#include <memory>

// Helpers with which structures and plants build their voxel orders. They only
// append to (or adjust) the order list; applying the orders to a chunk is the
// generator's job.

// Appends an order that takes ownership of `shape`. A null shape appends nothing.
void appendShape(VoxelOrders& orders, int type, std::unique_ptr<Geometric_Object> shape);

// Appends the box from corner1 to corner2 exactly as given: callers pass the
// lower corner first. A box with swapped corners is not repaired and writes
// no voxel (unless the swap is smaller than one voxel and straddles one).
void appendBox(VoxelOrders& orders, int type, const glm::vec3& corner1, const glm::vec3& corner2);

void appendSphere(VoxelOrders& orders, int type, float cx, float cy, float cz, float radius);

// A thick line: 4 boxes of width x height x width per whole unit of length
// from `from` to `to` (both ends included), centres rounded to 0.001.
// Segments shorter than one unit still get a box at each end; a segment of
// zero length gets one box, a non-finite one none.
void appendLine(
    VoxelOrders& orders, int type, const glm::vec3& from, const glm::vec3& to, float width, float height);

// Turns the last `count` orders about the vertical line through `pivot`. The
// angle snaps to the nearest quarter turn. Boxes are turned corner by corner
// and normalised; a sphere has its centre turned; other shapes stay put.
// A count beyond the list turns the whole list.
void rotateLastOrders(VoxelOrders& orders, float degrees, const glm::vec3& pivot, int count);

// Appends `count` copies of the (normalised) box from corner to corner + size,
// moving it by `step` after each copy.
void appendBoxRun(VoxelOrders& orders, const glm::vec3& corner, const glm::vec3& step, const glm::vec3& size,
    int count, int type);
