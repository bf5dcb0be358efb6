#pragma once

// PLACEHOLDER for the Projectile base of the items work, with the operations
// the World's projectile pass calls. Replace the include with
// gameplay/Projectile.h when it lands.

#include "physics/MovingObject.h"
#include "physics/Shapes.h"

#include <glm/vec3.hpp>
#include <memory>

class Projectile : public MovingObject {
public:
    Projectile()
        : MovingObject(100.0f, 10.0f, 0.0f)
    {
    }

    void update(float dt) override { (void)dt; }
    virtual void draw() { }
    // A character's box overlaps the projectile this step.
    virtual void hitCharacter(const glm::vec3& position) { (void)position; }
    virtual void kill() { alive = false; }
    // The sphere an ended projectile blows out of the terrain, or none.
    virtual std::unique_ptr<Sphere> explosionShape() { return nullptr; }
};
