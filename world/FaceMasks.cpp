#include "world/FaceMasks.h"

#include "world/VoxelQueries.h"

#include <algorithm>
#include <limits>

void clearFaces(Octree& node, const aabb& region)
{
    if (region.classify(node.box) != OVERLAP_CONTAINS)
        return;
    node.visibleFaces = 0;
    if (!node.isSplit)
        return;
    for (int k = 0; k < 8; ++k)
        clearFaces(node.child(k), region);
}

void markFaces(Octree& node, const std::vector<Octree*>& roots, const aabb& region)
{
    if (!node.box.intersects(region))
        return;
    if (node.isSplit) {
        for (int k = 0; k < 8; ++k)
            markFaces(node.child(k), roots, region);
        return;
    }
    if (node.type != BLOCK_AIR)
        return;
    node.visibleFaces = 0;
    for (Octree* root : roots)
        markTouching(*root, node.box);
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
