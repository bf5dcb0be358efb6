#pragma once

#include "base/ChunkCoord.h"
#include "base/Shapes.h"
#include "gameplay/Worldobject.h"
#include "physics/CollisionObject.h"
#include "world/Octree.h"

#include <atomic>
#include <cstdint>
#include <glm/vec3.hpp>
#include <memory>
#include <vector>

class GameServices;
using WorldobjectList = std::vector<std::unique_ptr<Worldobject>>;

// The chunk a world position lies in: floor(x / 64), floor(z / 64), so negative
// positions belong to negative chunks. Positions beyond the int32 range saturate.
ChunkCoord chunkCoordOf(float x, float z);

// One square column of the world: its voxels, the surface height of every
// voxel column, and the world objects standing in it.
class Chunk {
public:
    // stateFlags bit: the octree has been built.
    static constexpr int32_t OCTREE_BUILT = 2;

    std::unique_ptr<Octree> root; // null until generation starts
    // 128 x 128, index iz * 128 + ix; null until generation. A face update on a worker
    // rewrites columns while the main thread reads them, so every cell is atomic.
    std::unique_ptr<std::atomic<float>[]> heightmap;
    int32_t cx = 0;
    int32_t cz = 0;
    int32_t stateFlags = 0;
    // Read by the main thread and workers alike.
    std::atomic<bool> ready { false }; // generated: may be drawn, collided with, edited, queried
    std::atomic<bool> busy { true }; // a pending edit or mesh rebuild covers this chunk
    // Made on a worker with the chunk's structures; stepped, and deleted, on the main
    // thread, which takes them out before a worker frees the chunk.
    WorldobjectList objects;

    // A fresh record, not ready and busy until a worker generates it.
    Chunk(int32_t cx, int32_t cz);
    ~Chunk();

    Chunk(const Chunk&) = delete;
    Chunk& operator=(const Chunk&) = delete;

    // The chunk cube [cx*64, cx*64 + 64] x [0, 64] x [cz*64, cz*64 + 64].
    aabb bounds() const;

    // Worker side, in this order: prepareGeneration, write voxels into root,
    // computeHeightmap over the whole chunk, finishGeneration.
    void prepareGeneration();
    void finishGeneration();

    // The voxels or any of the objects overlap the body.
    bool collides(const CollisionObject& body) const;
    // Voxel cell of a world point: x and z clamped to 0..127, y not clamped.
    glm::ivec3 cellOf(const glm::vec3& point) const;
    // Recomputes the surface height of the columns the region covers.
    void computeHeightmap(const aabb& region);
    // The surface height of voxel column (ix, iz), 0 to 64; the height map must exist.
    float heightAtCell(int ix, int iz) const
    {
        return heightmap[iz * VOXELS_PER_CHUNK + ix].load(std::memory_order_relaxed);
    }
    // Steps every object; those no longer active are deleted (the last entry takes their place).
    void updateObjects(float dt, GameServices& game);
};

// The chunk list the world owns and the voxel queries run over.
using ChunkList = std::vector<std::unique_ptr<Chunk>>;
