#pragma once

#include "base/Random.h"
#include "base/VoxelBox.h"

#include <glm/vec3.hpp>

// Two building blocks for underground passages: a maze carved on a square grid
// and a square spiral stair between two levels. Both only append orders; the
// maze draws its choices from the structure's own generator so that every
// chunk that rebuilds the structure carves the same maze.

// The point of grid cell (u, v) of a gridSize x gridSize maze laid over the
// horizontal square from corner1 to corner2 at height corner1.y.
glm::vec3 mazeCellPoint(const glm::vec3& corner1, const glm::vec3& corner2, int gridSize, int u, int v);

// Carves a maze of air passages (appendLine of width x height between cell
// points) that reaches every cell of the grid from its middle cell, then
// `extraOpenings` random passages between an inner cell and a neighbour
// (which may repeat a passage or add a loop). Grids smaller than 2 carve
// nothing; extra openings need an inner cell, so grids smaller than 3 get none.
void carveMaze(VoxelOrders& orders, Random& random, const glm::vec3& corner1, const glm::vec3& corner2,
    float width, float height, int gridSize, int extraOpenings);

// What a stairwell is made of. The plain stairwell uses one block type for
// the column, the landing and the treads and starts its spiral on the +x side.
struct StairwellStyle {
    int columnType = 0;
    int landingType = 0;
    int treadType = 0;
    int slabType = -1; // when >= 0: a slab of this type right under the landing
    int firstSide = 0; // index into the turn order +x, +z, -x, -z
};

// A square spiral stair from yFrom up to yTo around a central column at
// (x, z), both snapped to the half-unit grid (as is yTo): an air shaft, the
// column, a landing at the top and 0.5 high treads winding up, each with air
// above it. stepOffset is the gap between column and treads, cornerLength
// the tread length outwards.
void buildStairwell(VoxelOrders& orders, int type, float yFrom, float x, float yTo, float z, float stepOffset,
    float cornerLength);
void buildStairwell(VoxelOrders& orders, const StairwellStyle& style, float yFrom, float x, float yTo,
    float z, float stepOffset, float cornerLength);
