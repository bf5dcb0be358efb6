#pragma once

#include "physics/CollisionObject.h"
#include "physics/Ray.h"
#include "physics/Shapes.h"
#include "world/Chunk.h"
#include "world/VoxelEdit.h"
#include "world/VoxelQueries.h"

#include <cmath>
#include <cstdint>
#include <deque>
#include <glm/vec3.hpp>
#include <memory>

// The world as the voxel code sees it: the active chunks, the edits waiting to
// be applied, and the queries the rest of the game calls. Chunk streaming, the
// worker pool, the entities and the world floor body join this class later.
class World {
public:
    ChunkList chunks; // the active chunks, ready or still being generated
    // Edits are applied by the streaming step of the main thread, front first.
    std::deque<std::unique_ptr<VoxelEdit>> editQueue;
    // PLACEHOLDER until the world floor body exists: its box. Empty (nothing
    // overlaps it) until the floor is placed.
    aabb floorBox { glm::vec3(INFINITY), glm::vec3(-INFINITY) };

    World() = default;
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    Chunk* findChunk(int32_t cx, int32_t cz) const { return ::findChunk(chunks, cx, cz); }
    float heightAt(const glm::vec3& point) const { return ::heightAt(chunks, point); }
    float rayCast(const Ray& ray) const { return ::rayCast(chunks, ray); }
    bool collidesWithVoxels(const CollisionObject& body) const
    {
        return ::collidesWithVoxels(chunks, body, floorBox);
    }

    // Queues the write of type into every voxel the shape overlaps; the world owns the shape.
    void editVoxels(int32_t type, std::unique_ptr<Geometric_Object> shape);
    // Queues air into the sphere and tells every object of every ready chunk about the blast.
    void carve(const Sphere& sphere);
};
