#include "world/VoxelQueries.h"

#include <cmath>

Chunk* findChunk(const ChunkList& chunks, int32_t cx, int32_t cz)
{
    for (const auto& chunk : chunks) {
        if (chunk->cx == cx && chunk->cz == cz)
            return chunk->ready ? chunk.get() : nullptr;
    }
    return nullptr;
}

float heightAt(const ChunkList& chunks, const glm::vec3& point)
{
    for (const auto& chunk : chunks) {
        if (!chunk->ready || !chunk->root || !chunk->heightmap || !chunk->root->box.containsPoint(point))
            continue;
        const glm::ivec3 cell = chunk->cellOf(point);
        const float h = chunk->heightAtCell(cell.x, cell.z);
        if (h != -1.0f)
            return h;
    }
    return -1.0f;
}

float rayCast(const ChunkList& chunks, const Ray& ray)
{
    float tBest = INFINITY;
    BlockType hit = BLOCK_AIR;
    for (const auto& chunk : chunks) {
        if (chunk->ready && chunk->root)
            chunk->root->rayCast(ray, tBest, hit);
    }
    return tBest;
}

bool collidesWithVoxels(const ChunkList& chunks, const CollisionObject& body, const aabb& floorBox)
{
    for (const auto& chunk : chunks) {
        if (chunk->ready && chunk->collides(body))
            return true;
    }
    return floorBox.intersects(body.box);
}
