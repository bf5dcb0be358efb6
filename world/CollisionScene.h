#pragma once

#include "physics/MovingObject.h"
#include "world/Chunk.h"

// What moving bodies run into: the voxels and world objects of the ready
// chunks, the floor slab under the loaded area, and the characters. The World
// builds one over its own lists for each pass or query.
struct CollisionScene {
    const ChunkList& chunks;
    const aabb& floorBox;
    BodyList& characters;

    // A solid voxel or world object of a ready chunk, or the floor slab, overlaps the body.
    bool collidesWithVoxels(const CollisionObject& body) const;
    // Another character's box overlaps the body's box.
    bool collidesWithCharacters(const CollisionObject& body) const;
    bool collidesWithAnything(const CollisionObject& body) const
    {
        return collidesWithVoxels(body) || collidesWithCharacters(body);
    }
};
