#pragma once

#include "TestGame.h"

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

// The blasts asked of the game, recorded and then carved into the test chunk
// (there is no World to carve).
class BlastRecorder : public TestGame {
public:
    explicit BlastRecorder(TestWorld& world)
        : world(world)
    {
    }
    void explode(const Explosion& blast) override
    {
        TestGame::explode(blast);
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
    BlastRecorder running { world }; // only its particles and blasts: no World
    std::vector<Sphere>& blasts = running.blasts;

    void TearDown() override
    {
        projectiles.clear();
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

    int particlesWritten() const { return running.particleSystem->writeIndex; }
};
