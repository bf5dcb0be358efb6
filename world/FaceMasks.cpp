#include "world/FaceMasks.h"

#include "world/VoxelQueries.h"

#include <algorithm>
#include <cmath>
#include <glm/vec3.hpp>
#include <limits>

namespace {

// The region contains the box entirely (what classify calls OVERLAP_CONTAINS), without the
// virtual call: a whole chunk's clear asks this of every node.
bool containsBox(const aabb& region, const aabb& box)
{
    for (int a = 0; a < 3; ++a) {
        if (region.min[a] >= box.max[a] || box.min[a] >= region.max[a])
            return false;
        if (box.min[a] < region.min[a] || box.max[a] > region.max[a])
            return false;
    }
    return true;
}

}

void clearFaces(Octree& node, const aabb& region)
{
    if (!containsBox(region, node.box))
        return;
    node.visibleFaces = 0;
    if (!node.isSplit)
        return;
    for (int k = 0; k < 8; ++k)
        clearFaces(node.child(k), region);
}

namespace {

// Finds the leaf holding a voxel among the roots of a face update. Marking by lookup visits
// only the leaves that lie against an air leaf's sides, where a search from every root
// visits every node whose box merely touches it: the same marks, several times faster.
class LeafLocator {
public:
    explicit LeafLocator(const std::vector<Octree*>& roots)
    {
        for (Octree* root : roots) {
            const glm::ivec3 origin = voxelOf(root->box.min);
            entries.push_back({ origin, root });
        }
    }

    // Leaf corners lie on the voxel grid, so doubling gives a whole number exactly.
    static int voxel(float x) { return int(x * (1.0f / VOXEL_SIZE)); }
    static glm::ivec3 voxelOf(const glm::vec3& p) { return { voxel(p.x), voxel(p.y), voxel(p.z) }; }

    // The leaf holding voxel v (in voxels from the world's origin), or null outside the roots.
    // Neighbouring lookups share most of their path, so the search climbs from the last leaf
    // found only as far as it must.
    Octree* leafAt(const glm::ivec3& v, glm::ivec3& leafMin, int& leafSize)
    {
        int d = depth;
        while (d >= 0 && !contains(d, v))
            --d;
        if (d < 0) {
            const Entry* e = rootOf(v);
            if (!e)
                return nullptr;
            d = 0;
            path[0] = e->root;
            pathMin[0] = e->origin;
        }
        while (path[d]->isSplit) {
            const int half = VOXELS_PER_CHUNK >> (d + 1);
            const glm::ivec3 at = pathMin[d];
            const int k = (v.x >= at.x + half ? 1 : 0) | (v.y >= at.y + half ? 2 : 0) | (v.z >= at.z + half ? 4 : 0);
            path[d + 1] = &path[d]->child(k);
            pathMin[d + 1] = at + glm::ivec3(k & 1 ? half : 0, k & 2 ? half : 0, k & 4 ? half : 0);
            ++d;
        }
        depth = d;
        leafMin = pathMin[d];
        leafSize = VOXELS_PER_CHUNK >> d;
        return path[d];
    }

    // Gives every leaf that shares a patch of a side with the air box the face bit of that
    // side, as markTouching does from the roots.
    void markAround(const aabb& airBox)
    {
        const glm::ivec3 lo = voxelOf(airBox.min), hi = voxelOf(airBox.max);
        for (int a = 0; a < 3; ++a) {
            const int u = (a + 1) % 3, v = (a + 2) % 3;
            for (int side = 0; side < 2; ++side) {
                // Beyond the low side the leaves show their +a face, beyond the high side -a.
                const uint8_t bit = uint8_t(side == 0 ? (8 << a) : (1 << a));
                glm::ivec3 p(0);
                p[a] = side == 0 ? lo[a] - 1 : hi[a];
                for (p[v] = lo[v]; p[v] < hi[v]; ++p[v]) {
                    for (p[u] = lo[u]; p[u] < hi[u];) {
                        glm::ivec3 leafMin;
                        int size = 1;
                        Octree* leaf = leafAt(p, leafMin, size);
                        if (leaf)
                            leaf->visibleFaces |= bit;
                        p[u] = leaf ? leafMin[u] + size : p[u] + 1;
                    }
                }
            }
        }
    }

private:
    struct Entry {
        glm::ivec3 origin;
        Octree* root;
    };
    static constexpr int kLevels = 8; // the root and seven levels of splits

    bool contains(int d, const glm::ivec3& v) const
    {
        const int size = VOXELS_PER_CHUNK >> d;
        const glm::ivec3 rel = v - pathMin[d];
        return rel.x >= 0 && rel.y >= 0 && rel.z >= 0 && rel.x < size && rel.y < size && rel.z < size;
    }
    const Entry* rootOf(const glm::ivec3& v) const
    {
        for (const Entry& e : entries) {
            const glm::ivec3 local = v - e.origin;
            if (local.x >= 0 && local.y >= 0 && local.z >= 0 && local.x < VOXELS_PER_CHUNK
                && local.y < VOXELS_PER_CHUNK && local.z < VOXELS_PER_CHUNK)
                return &e;
        }
        return nullptr;
    }

    std::vector<Entry> entries;
    // The last lookup's path from its root; depth -1 before the first.
    Octree* path[kLevels] = {};
    glm::ivec3 pathMin[kLevels] = {};
    int depth = -1;
};

void markFacesFrom(Octree& node, LeafLocator& locator, const aabb& region)
{
    if (!node.box.intersects(region))
        return;
    if (node.isSplit) {
        for (int k = 0; k < 8; ++k)
            markFacesFrom(node.child(k), locator, region);
        return;
    }
    // Only what hides its neighbours leaves their faces unmarked; a leaf that is not
    // drawn keeps no marks of its own.
    const BlockDef& def = blockDef(node.type);
    if (def.opaque)
        return;
    if (!def.drawn())
        node.visibleFaces = 0;
    locator.markAround(node.box);
}

}

void markFaces(Octree& node, const std::vector<Octree*>& roots, const aabb& region)
{
    LeafLocator locator(roots);
    markFacesFrom(node, locator, region);
}

void markTouching(Octree& node, const aabb& airBox)
{
    if (!node.box.intersectsInclusive(airBox))
        return;
    if (node.isSplit) {
        for (int k = 0; k < 8; ++k)
            markTouching(node.child(k), airBox);
        return;
    }
    // Air leaves collect bits too; they are never meshed, so it does no harm.
    const uint8_t face = node.box.touchingFaces(airBox);
    if (face != NO_TOUCHING_FACE)
        node.visibleFaces |= face;
}

void updateFaces(
    const ChunkList& chunks, int32_t cxMin, int32_t czMin, int32_t cxMax, int32_t czMax, const aabb& region)
{
    // Only coordinates some chunk has can match, so a huge range costs no more than the list.
    int64_t lowX = std::numeric_limits<int32_t>::max(), highX = std::numeric_limits<int32_t>::min();
    int64_t lowZ = lowX, highZ = highX;
    for (const auto& chunk : chunks) {
        lowX = std::min<int64_t>(lowX, chunk->cx);
        highX = std::max<int64_t>(highX, chunk->cx);
        lowZ = std::min<int64_t>(lowZ, chunk->cz);
        highZ = std::max<int64_t>(highZ, chunk->cz);
    }
    std::vector<Octree*> roots;
    for (int64_t cx = std::max<int64_t>(cxMin, lowX); cx <= std::min<int64_t>(cxMax, highX); ++cx) {
        for (int64_t cz = std::max<int64_t>(czMin, lowZ); cz <= std::min<int64_t>(czMax, highZ); ++cz) {
            Chunk* chunk = findChunk(chunks, static_cast<int32_t>(cx), static_cast<int32_t>(cz));
            if (!chunk || !chunk->root)
                continue;
            chunk->computeHeightmap(region);
            clearFaces(*chunk->root, region);
            roots.push_back(chunk->root.get());
        }
    }
    for (Octree* root : roots)
        markFaces(*root, roots, region);
}

void updateFaces(const ChunkList& chunks, const aabb& region)
{
    const ChunkCoord from = chunkCoordOf(region.min.x, region.min.z);
    const ChunkCoord to = chunkCoordOf(region.max.x, region.max.z);
    updateFaces(chunks, from.cx, from.cz, to.cx, to.cz, region);
}
