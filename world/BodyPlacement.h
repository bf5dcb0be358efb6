#pragma once

#include "physics/MovingObject.h"
#include "world/CollisionScene.h"

#include <functional>
#include <glm/vec3.hpp>

// Placement searches and line-of-sight counts for bodies in the world.

// Whether the player can see a body: his body (the view matrix gives the eye, the
// model's z axis points behind him) and his camera's frustum test, true when a
// sphere (centre, radius) is at least partly inside the frustum.
struct Viewer {
    const MovingObject* body = nullptr;
    std::function<bool(const glm::vec3& centre, float radius)> sphereInView;
};

// Drops the body to (x, yFrom, z) and raises it by 0.1 until it is free of voxels
// and characters, or until it has risen (yTo - yFrom) plus one step.
void placeOnSurface(const CollisionScene& scene, MovingObject& body, float yFrom, float yTo);

// -1 when the body is outside the viewer's frustum (or there is no viewer); else how
// many of its eight box corners and its position the viewer has in front of him
// with no solid voxel in between (0 to 9).
int visibleSampleCount(const CollisionScene& scene, const MovingObject& body, const Viewer& viewer);

// Looks for a free spot at a random distance between minDistance and maxDistance
// from the centre, on the ground, that the viewer cannot see (requireInView: inside
// his frustum but fully hidden). On success the body stays there; after 51 failed
// tries it goes back where it was and the result is false.
bool spawnNear(const CollisionScene& scene, MovingObject& body, const glm::vec3& centre, float minDistance,
    float maxDistance, bool requireInView, const Viewer& viewer);
