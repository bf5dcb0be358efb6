#pragma once

#include "base/Shapes.h"

// Root of everything that collides: moving bodies, world objects and octree
// nodes. The default test is the strict overlap of the two boxes; classes with
// finer geometry (a chunk's octree) override it.
class CollisionObject {
public:
    aabb box;

    CollisionObject() = default;
    explicit CollisionObject(const aabb& b) : box(b) { }
    virtual ~CollisionObject() = default;

    virtual bool intersects(const CollisionObject& other) const { return box.intersects(other.box); }
};
