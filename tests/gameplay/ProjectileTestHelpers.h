#pragma once

#include "app/Game.h"
#include "app/RunningGame.h"
#include "gameplay/Player.h"
#include "gameplay/projectiles/Ball.h"
#include "gameplay/projectiles/FlyingFish.h"
#include "physics/PhysicsTestHelpers.h"
#include "render/ParticleSystem.h"
#include "world/BodyPasses.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

constexpr float kStep = 1.0f / 60.0f;

// The running game's blasts (sparks, sound, shake; there is no World to carve),
// recorded and then carved into the test chunk.
class BlastRecorder : public RunningGame {
public:
    BlastRecorder(Game& game, TestWorld& world)
        : RunningGame(game)
        , world(world)
    {
    }
    void explode(const Explosion& blast) override
    {
        RunningGame::explode(blast);
        blasts.push_back(blast.sphere());
        world.chunks[0]->root->fill(BLOCK_AIR, blast.sphere());
    }
    TestWorld& world;
    std::vector<Sphere> blasts;
};

// Projectiles over a hand-built world, stepped by the projectile pass.
class ProjectileWorld : public testing::Test {
protected:
    TestWorld world { 8.0f }; // stone from y = 0 to 8
    std::vector<std::unique_ptr<Projectile>> projectiles;
    Game game; // only its particles: no window, no world
    BlastRecorder running { game, world };
    std::vector<Sphere>& blasts = running.blasts;

    void SetUp() override { game.particles = std::make_unique<ParticleSystem>(); }
    void TearDown() override
    {
        projectiles.clear();
        game.particles.reset();
        thrownFish.clear();
        currentBall = nullptr;
    }

    template <class P> P& add(std::unique_ptr<P> p)
    {
        P& ref = *p;
        p->services = &running;
        projectiles.push_back(std::move(p));
        return ref;
    }

    void step()
    {
        CollisionScene scene = world.scene();
        projectilePass(scene, projectiles, kStep);
    }
    void steps(int n)
    {
        for (int i = 0; i < n; ++i)
            step();
    }

    int particlesWritten() const { return game.particles->writeIndex; }
};
