#pragma once

#include "gameplay/projectiles/Projectile.h"

#include <glm/mat4x4.hpp>

// A piece of the potion flying off: the popped cork or the empty bottle. It
// starts from the part's world matrix, scale and all.
class Cork : public Projectile {
public:
    // velocity = direction x speedFactor; the box is centred on the matrix's translation.
    Cork(int mesh, int texture, const glm::mat4& worldMatrix, const glm::vec3& direction, float speedFactor,
        float lifetime);

    void update(float dt) override { commonFlight(dt); }
    std::unique_ptr<Sphere> explosionShape() const override { return nullptr; }
};
