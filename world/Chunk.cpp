#include "world/Chunk.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

// floor() that saturates instead of overflowing, and maps NaN to 0.
int32_t floorToInt32(float v)
{
    const double f = std::floor(static_cast<double>(v));
    if (!(f == f))
        return 0;
    return static_cast<int32_t>(std::clamp(f, -2147483648.0, 2147483647.0));
}

// Nearest integer, halves away from zero, limited to [lo, hi] (NaN gives lo).
int roundClamped(float v, int lo, int hi)
{
    const float r = std::round(v);
    if (!(r >= static_cast<float>(lo)))
        return lo;
    if (!(r <= static_cast<float>(hi)))
        return hi;
    return static_cast<int>(r);
}

constexpr int kCells = VOXELS_PER_CHUNK;
// y cells are not clamped to the chunk; this only keeps the conversion defined.
constexpr int kCellLimit = 1 << 30;

}

ChunkCoord chunkCoordOf(float x, float z)
{
    return { floorToInt32(x / CHUNK_SIZE), floorToInt32(z / CHUNK_SIZE) };
}

Chunk::Chunk(int32_t x, int32_t z)
    : cx(x)
    , cz(z)
{
}

// Members release the octree, the height map and every object.
Chunk::~Chunk() = default;

aabb Chunk::bounds() const
{
    const glm::vec3 origin(static_cast<float>(cx) * CHUNK_SIZE, 0.0f, static_cast<float>(cz) * CHUNK_SIZE);
    return aabb(origin, origin + gChunkDimensions.chunkSize);
}

void Chunk::prepareGeneration()
{
    root.reset();
    stateFlags = 0;
    busy = false;
    heightmap = std::make_unique<float[]>(kCells * kCells); // zero-filled
    root = std::make_unique<Octree>(BLOCK_DIRT, 0, bounds(), 0);
}

void Chunk::finishGeneration()
{
    stateFlags |= OCTREE_BUILT;
    ready = true;
}

bool Chunk::collides(const CollisionObject& body) const
{
    if (root && root->intersects(body))
        return true;
    for (const auto& object : objects) {
        if (object->intersects(body))
            return true;
    }
    return false;
}

glm::ivec3 Chunk::cellOf(const glm::vec3& point) const
{
    const glm::vec3 local = point - bounds().min;
    return { roundClamped(local.x * 2.0f - 0.5f, 0, kCells - 1),
        roundClamped(local.y * 2.0f, -kCellLimit, kCellLimit),
        roundClamped(local.z * 2.0f - 0.5f, 0, kCells - 1) };
}

void Chunk::computeHeightmap(const aabb& region)
{
    if (!root || !heightmap || !region.intersects(root->box)) {
        std::cout << "heightmap failed" << std::endl;
        return;
    }
    // The max cell is excluded, so the last row and column keep their value.
    const glm::ivec3 from = cellOf(region.min);
    const glm::ivec3 to = cellOf(region.max);
    const glm::vec3 origin = bounds().min;
    for (int iz = from.z; iz < to.z; ++iz) {
        for (int ix = from.x; ix < to.x; ++ix) {
            const glm::vec3 start(
                origin.x + ix * VOXEL_SIZE + 0.25f, CHUNK_SIZE, origin.z + iz * VOXEL_SIZE + 0.25f);
            const Ray down(start, glm::vec3(0.0f, -1.0f, 0.0f));
            float tBest = INFINITY;
            BlockType hit = BLOCK_AIR;
            root->rayCast(down, tBest, hit);
            if (root->box.containsPoint(start))
                heightmap[iz * kCells + ix] = std::clamp(CHUNK_SIZE - tBest, 0.0f, CHUNK_SIZE);
        }
    }
}

void Chunk::updateObjects(float dt)
{
    for (size_t i = 0; i < objects.size();) {
        objects[i]->update(dt);
        if (objects[i]->active) {
            ++i;
            continue;
        }
        // The last entry takes the place and is stepped next.
        if (i + 1 < objects.size())
            objects[i] = std::move(objects.back());
        objects.pop_back();
    }
}
