#pragma once

// The faces an octree's leaves have marked visible, read straight from the leaf boxes and
// cut into voxel squares: the reference meshes are checked against, built without any of
// the mesher's own code.

#include "world/Octree.h"

#include <cmath>
#include <glm/vec3.hpp>

// Face direction (0 -X, 1 -Y, 2 -Z, 3 +X, 4 +Y, 5 +Z), the face's plane on its axis, and the
// square's corner on the two other axes ((axis + 1) % 3, then (axis + 2) % 3), all in voxel
// steps from the origin.
struct LeafSquare {
    int face, plane, u, v, type;
};

template <class Fn> void forEachLeafSquare(const Octree& node, const glm::vec3& origin, Fn&& fn)
{
    if (node.isSplit) {
        for (int k = 0; k < 8; ++k)
            forEachLeafSquare(node.child(k), origin, fn);
        return;
    }
    if (node.type == BLOCK_AIR || node.type == MIXED_NODE)
        return;
    int lo[3], hi[3];
    for (int a = 0; a < 3; ++a) {
        lo[a] = int(std::lround((node.box.min[a] - origin[a]) * 2.0f));
        hi[a] = int(std::lround((node.box.max[a] - origin[a]) * 2.0f));
    }
    for (int face = 0; face < 6; ++face) {
        if (!(node.visibleFaces & (1 << face)))
            continue;
        const int axis = face % 3, u = (axis + 1) % 3, v = (axis + 2) % 3;
        for (int i = lo[u]; i < hi[u]; ++i)
            for (int j = lo[v]; j < hi[v]; ++j)
                fn(LeafSquare { face, face < 3 ? lo[axis] : hi[axis], i, j, int(node.type) });
    }
}
