#pragma once

#include "base/ChunkCoord.h"
#include "base/Random.h"
#include "base/VoxelBox.h"
#include "gameplay/Worldobject.h"

#include <glm/vec3.hpp>
#include <memory>
#include <vector>

// One generated structure. Terrain generation creates it at a world position,
// sets the chunk it was seeded in, asks it once for its voxel orders and then
// moves its world objects into the seed chunk (or drops them) and deletes it.
// The same structure is rebuilt by every chunk that sees it, so everything it
// produces must follow from its position alone: voxel choices draw only on
// `random`.
class Location {
public:
    glm::vec3 position { 0.0f };
    ChunkCoord seedChunk;
    Random random;
    std::vector<std::unique_ptr<Worldobject>> objects;

    explicit Location(const glm::vec3& position);
    virtual ~Location() = default;

    Location(const Location&) = delete;
    Location& operator=(const Location&) = delete;

    // Appends this structure's orders to `orders` and its world objects to `objects`.
    virtual void generate(VoxelOrders& orders) = 0;

    // Draws the seeded generator makes and throws away before a structure uses it.
    static constexpr int discardedDraws = 10;
};
