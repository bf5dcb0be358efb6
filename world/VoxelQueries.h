#pragma once

#include "base/Ray.h"
#include "base/Shapes.h"
#include "physics/CollisionObject.h"
#include "world/Chunk.h"

#include <glm/vec3.hpp>

// Read-only voxel queries over a chunk list. Only ready chunks take part, so
// chunks still being generated are invisible to them.

// The first chunk with these coordinates, if it is ready; null when the first match is not.
Chunk* findChunk(const ChunkList& chunks, int32_t cx, int32_t cz);

// Surface height of the point's voxel column in the first ready chunk whose box
// contains the point (touching counts); -1 outside every ready chunk.
float heightAt(const ChunkList& chunks, const glm::vec3& point);

// Distance to the nearest solid voxel along the ray; +infinity when nothing is hit.
float rayCast(const ChunkList& chunks, const Ray& ray);

// The body overlaps a solid voxel or world object of a ready chunk, or the floor box.
bool collidesWithVoxels(const ChunkList& chunks, const CollisionObject& body, const aabb& floorBox);
