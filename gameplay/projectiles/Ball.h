#pragma once

#include "gameplay/projectiles/Projectile.h"

// The ball the cats chase. It never dies of age: the player picks it up or
// leaves it too far behind. Characters that walk into it while it is slow
// kick it away.
class Ball : public Projectile {
public:
    Ball(const glm::vec3& position, const glm::vec3& velocity);
    // Clears `currentBall` when it names this ball, so nothing reads a deleted one.
    ~Ball() override;

    // Throws the ball again from position: fresh speed, spin axis and bounces.
    void launch(const glm::vec3& position, const glm::vec3& velocity);
    void update(float dt) override;
    // A slow ball is pushed away from p, and always upwards.
    void hitCharacter(const glm::vec3& p) override;
    std::unique_ptr<Sphere> explosionShape() const override { return nullptr; }

    // Degrees the ball turns this step: three times as fast once it rolls on the ground.
    float spinAngle(float dt) const;
};

// The ball in flight, which the cats chase; none while the player holds it.
extern Ball* currentBall;
