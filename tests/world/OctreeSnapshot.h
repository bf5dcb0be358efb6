#pragma once

#include "world/Octree.h"

#include <cstdint>
#include <glm/vec3.hpp>
#include <vector>

// Views of a chunk octree for comparing generated chunks.
namespace snapshot {

inline int voxelIndex(int x, int y, int z)
{
    return (z * 128 + y) * 128 + x;
}

// Every voxel's type, index voxelIndex(x, y, z) in cells from the chunk origin.
inline void paint(const Octree& node, const glm::vec3& origin, std::vector<uint8_t>& out)
{
    if (node.isSplit) {
        for (int k = 0; k < 8; ++k)
            paint(node.child(k), origin, out);
        return;
    }
    const glm::ivec3 lo((node.box.min - origin) * 2.0f), hi((node.box.max - origin) * 2.0f);
    for (int z = lo.z; z < hi.z; ++z)
        for (int y = lo.y; y < hi.y; ++y)
            for (int x = lo.x; x < hi.x; ++x)
                out[voxelIndex(x, y, z)] = node.type;
}

inline std::vector<uint8_t> voxels(const Octree& root)
{
    std::vector<uint8_t> out(128 * 128 * 128, 255);
    paint(root, root.box.min, out);
    return out;
}

// Hash of the tree itself: shape and types in visiting order.
inline uint64_t treeHash(const Octree& node, uint64_t h = 1469598103934665603ull)
{
    h = (h ^ node.type) * 1099511628211ull;
    h = (h ^ (node.isSplit ? 1u : 2u)) * 1099511628211ull;
    if (node.isSplit)
        for (int k = 0; k < 8; ++k)
            h = treeHash(node.child(k), h);
    return h;
}

inline int leaves(const Octree& node)
{
    if (!node.isSplit)
        return 1;
    int n = 0;
    for (int k = 0; k < 8; ++k)
        n += leaves(node.child(k));
    return n;
}

} // namespace snapshot
