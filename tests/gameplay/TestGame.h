#pragma once

// A game for the gameplay tests, without the app: the particles effects spawn
// into, a world that takes what is thrown (when one is given), the potion's
// timer and glow, the view the last frame drew with, and the blasts asked for.

#include "gameplay/GameServices.h"
#include "gameplay/projectiles/Ball.h"
#include "gameplay/projectiles/Projectile.h"
#include "render/ParticleSystem.h"
#include "world/World.h"

#include <algorithm>
#include <memory>
#include <vector>

class TestGame : public GameServices {
public:
    World* world = nullptr; // takes the projectiles; without one they go at once
    std::unique_ptr<ParticleSystem> particleSystem = std::make_unique<ParticleSystem>();
    float potion = 0.0f; // seconds of protection left
    float potionGlow = 0.0f;
    glm::mat4 view { 1.0f };
    std::vector<Explosion> explosions;

    float potionTimer() const override { return potion; }
    void startPotion(float seconds) override { potion = seconds; }
    void raisePotionGlow(float factor) override { potionGlow = std::max(potionGlow, factor); }
    glm::mat4 viewMatrix() const override { return view; }
    std::optional<glm::vec3> ballPosition() const override
    {
        return currentBall ? std::optional<glm::vec3>(currentBall->position()) : std::nullopt;
    }
    void addProjectile(std::unique_ptr<Projectile> projectile) override
    {
        if (world)
            world->addProjectile(std::move(projectile));
    }
    void explode(const Explosion& blast) override { explosions.push_back(blast); }
    ParticleSystem* particles() override { return particleSystem.get(); }
};
