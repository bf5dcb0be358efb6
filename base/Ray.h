#pragma once

#include "base/Shapes.h"

#include <cmath>
#include <glm/vec3.hpp>

// A half-line with its inverse direction cached for the slab test. A zero
// direction component gives an infinite inverse, which the slab test handles.
class Ray {
public:
    glm::vec3 direction { 0.0f, 0.0f, 1.0f };
    glm::vec3 origin { 0.0f };
    glm::vec3 inverseDirection { INFINITY, INFINITY, 1.0f };

    Ray() = default;
    // direction is expected to be unit length.
    Ray(const glm::vec3& origin, const glm::vec3& direction);

    // Slab test: on a hit t is the entry distance (negative when the origin is
    // inside the box); on a miss t is the exit distance of the slabs.
    bool hitBox(const aabb& box, float& t) const;
};
