#pragma once

#include "base/Shapes.h"
#include "world/Chunk.h"
#include "world/Octree.h"

#include <cstdint>
#include <vector>

// Visible-face masks of octree leaves. A face of a leaf is visible when it lies
// against a leaf that is not opaque (air, say), in the same chunk or in a neighbour, so the masks of a
// region are recomputed over every ready chunk the region reaches.

// Zeroes the mask of every node of the subtree the region contains entirely.
void clearFaces(Octree& node, const aabb& region);

// For every leaf that is not opaque in the node's subtree inside the region, marks the faces
// of the leaves of all roots that lie against it.
void markFaces(Octree& node, const std::vector<Octree*>& roots, const aabb& region);

// Adds to every leaf of the subtree that lies against the air box the face that touches it.
// markFaces gets the same marks by looking the neighbours up; this search from a node is
// the reference it is tested against.
void markTouching(Octree& node, const aabb& airBox);

// The face update of a region over the ready chunks of the chunk range
// (cx outer, cz inner): height maps, cleared masks, then the marks.
void updateFaces(
    const ChunkList& chunks, int32_t cxMin, int32_t czMin, int32_t cxMax, int32_t czMax, const aabb& region);
// The same over the chunk range the region's box covers.
void updateFaces(const ChunkList& chunks, const aabb& region);
