#pragma once

#include "base/Shapes.h"

#include <glm/vec3.hpp>

// One blast, as gameplay asks the game for it. The game plays it in one place:
// int(radius x radius x factor) x 200 sparks, the explosion sound at the
// centre, the camera shake by the player's distance, and then the sphere
// carved out of the terrain, which every world object of the ready chunks is
// told about (so one blast can set off another).
struct Explosion {
    glm::vec3 centre;
    float radius;
    float factor;

    Sphere sphere() const { return Sphere(centre, radius); }
};
