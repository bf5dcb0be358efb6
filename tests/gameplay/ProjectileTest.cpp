#include "ProjectileTestHelpers.h"

#include "gameplay/projectiles/Cork.h"
#include "gameplay/projectiles/Grenade.h"

#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

namespace {

// A plain projectile that records the axes it bounced on.
class RecordingProjectile : public Projectile {
public:
    std::vector<int> blocked;
    using Projectile::Projectile;
    void onBlocked(int axis) override
    {
        blocked.push_back(axis);
        Projectile::onBlocked(axis);
    }
};

// A ball that records its vertical velocity before and after every bounce.
class RecordingBall : public Ball {
public:
    std::vector<std::pair<float, float>> bounces;
    using Ball::Ball;
    void onBlocked(int axis) override
    {
        const float before = velocity.y;
        Ball::onBlocked(axis);
        if (axis == 1)
            bounces.emplace_back(before, velocity.y);
    }
};

using ProjectileBounce = ProjectileWorld;
using BallFlight = ProjectileWorld;
using GrenadeFlight = ProjectileWorld;
using FishFlight = ProjectileWorld;

} // namespace

TEST_F(ProjectileBounce, TurnsTheBlockedComponentAndHalvesAll)
{
    Projectile p(0.2f, glm::vec3(10.0f, 20.0f, 10.0f), glm::vec3(0.4f, -0.2f, 0.1f));
    p.services = &running;
    p.currentSpeed = 0.5f;
    p.onBlocked(1);
    EXPECT_EQ(p.bounceCount, 1);
    EXPECT_FLOAT_EQ(p.velocity.x, 0.2f);
    EXPECT_FLOAT_EQ(p.velocity.y, 0.1f);
    EXPECT_FLOAT_EQ(p.velocity.z, 0.05f);
    // t = (0.2, 0, 0.05), n = (0, -1, 0) against the new upward component.
    const glm::vec3 expected = glm::normalize(glm::cross(glm::vec3(0.2f, 0.0f, 0.05f), glm::vec3(0, -1, 0)));
    EXPECT_NEAR(glm::distance(p.spinAxis, expected), 0.0f, 1e-6f);
    EXPECT_EQ(particlesWritten(), 25); // 50 x the current speed

    // Straight down onto the ground: nothing to spin about but the x axis.
    Projectile straight(0.2f, glm::vec3(10.0f, 20.0f, 10.0f), glm::vec3(0.0f, -0.3f, 0.0f));
    straight.onBlocked(1);
    EXPECT_EQ(straight.spinAxis, glm::vec3(1.0f, 0.0f, 0.0f));
}

TEST_F(ProjectileBounce, FirstBlockedAxisInXYZOrderBounces)
{
    // A block whose top edge at x = 12 the projectile clips going right and down.
    world.addStone(aabb(glm::vec3(12.0f, 8.0f, 8.0f), glm::vec3(14.0f, 10.0f, 12.0f)));
    auto& diagonal = add(std::make_unique<RecordingProjectile>(
        0.2f, glm::vec3(11.85f, 10.15f, 10.0f), glm::vec3(0.1f, -0.1f, 0.0f)));
    auto& sideways = add(std::make_unique<RecordingProjectile>(
        0.2f, glm::vec3(11.85f, 9.0f, 9.0f), glm::vec3(0.1f, -0.001f, 0.1f)));
    diagonal.gravity = sideways.gravity = 0.0f;
    step();
    // x alone is free above the block; y then lands on it.
    EXPECT_EQ(diagonal.blocked, std::vector<int>({ 1 }));
    EXPECT_FLOAT_EQ(diagonal.velocity.x, 0.05f);
    EXPECT_GT(diagonal.box.min.y, 10.0f - 1e-5f);
    // Into the side of the block: x stops first, z is still free.
    EXPECT_EQ(sideways.blocked, std::vector<int>({ 0 }));
    EXPECT_LT(sideways.box.max.x, 12.0f);
    EXPECT_FLOAT_EQ(sideways.position().z, 9.05f);
}

TEST_F(ProjectileBounce, CharactersDoNotStopProjectilesButAreHitEveryStep)
{
    TestHuman& human = world.add(std::make_unique<TestHuman>(standingAt(10.0f, 8.0f, 10.0f)));
    auto& ball = add(std::make_unique<Ball>(glm::vec3(10.3f, 8.4f, 10.0f), glm::vec3(0.0f)));
    ball.bounceCount = 1;
    step();
    // The resting ball is kicked away from the human, and never down.
    EXPECT_GT(ball.velocity.x, 0.0f);
    EXPECT_GE(ball.velocity.y + 0.7f * kStep, 0.0f);
    EXPECT_TRUE(human.blocked.empty());

    // A fast ball flies straight through him.
    auto& fast = add(std::make_unique<Ball>(glm::vec3(9.9f, 9.0f, 10.0f), glm::vec3(0.3f, 0.0f, 0.0f)));
    ASSERT_TRUE(fast.box.intersects(human.box));
    step();
    EXPECT_NEAR(fast.velocity.x, 0.3f, 1e-6f);
    EXPECT_NEAR(fast.position().x, 10.2f, 1e-5f);
}

TEST_F(BallFlight, BouncesWithHalfItsSpeedThenRollsAndNeverDiesOfAge)
{
    auto& ball = add(std::make_unique<RecordingBall>(glm::vec3(10.0f, 14.0f, 10.0f), glm::vec3(0.0f)));
    ball.launch(glm::vec3(10.0f, 14.0f, 10.0f), glm::vec3(0.05f, 0.0f, 0.0f));
    steps(600);
    ASSERT_GE(ball.bounces.size(), 3u);
    for (const auto& [before, after] : ball.bounces) {
        EXPECT_LT(before, 0.0f);
        EXPECT_FLOAT_EQ(after, -0.5f * before);
    }
    // Each bounce of the first ones rises less high: the ball settles.
    EXPECT_LT(ball.bounces[1].second, ball.bounces[0].second);
    EXPECT_NEAR(ball.box.min.y, 8.0f, 0.05f);
    EXPECT_GE(ball.box.min.y, 8.0f);
    // On the ground it rolls: it spins three times as fast for its speed.
    EXPECT_LT(ball.velocity.y, 0.01f);
    EXPECT_FLOAT_EQ(ball.spinAngle(kStep), 3.0f * kStep * 1000.0f * ball.currentSpeed);

    steps(60 * 60);
    EXPECT_TRUE(ball.alive);
    EXPECT_EQ(projectiles.size(), 1u);
    EXPECT_EQ(ball.explosionShape(), nullptr);
}

TEST_F(BallFlight, LaunchStartsAFreshThrowAndDeletionClearsCurrentBall)
{
    auto ball = std::make_unique<Ball>(glm::vec3(0.0f), glm::vec3(0.0f));
    ball->bounceCount = 4;
    ball->launch(glm::vec3(3.0f, 20.0f, 4.0f), glm::vec3(0.0f, 0.0f, -0.5f));
    EXPECT_EQ(ball->position(), glm::vec3(3.0f, 20.0f, 4.0f));
    EXPECT_EQ(ball->box.center(), glm::vec3(3.0f, 20.0f, 4.0f));
    EXPECT_FLOAT_EQ(ball->speed, 0.5f);
    EXPECT_EQ(ball->bounceCount, 0);
    EXPECT_FLOAT_EQ(glm::length(ball->spinAxis), 1.0f);
    // In the air it spins at its plain rate.
    ball->currentSpeed = 0.5f;
    EXPECT_FLOAT_EQ(ball->spinAngle(kStep), kStep * 1000.0f * 0.5f);

    currentBall = ball.get();
    ball.reset();
    EXPECT_EQ(currentBall, nullptr);
}

TEST_F(GrenadeFlight, BouncesOffAWallAndExplodesThreeSecondsAfterTheThrow)
{
    world.addStone(aabb(glm::vec3(12.0f, 8.0f, 0.0f), glm::vec3(14.0f, 20.0f, 20.0f)));
    const glm::vec3 start(10.0f, 9.0f, 10.0f);
    auto& grenade = add(std::make_unique<Grenade>(start, glm::vec3(0.3f, 0.0f, 0.0f), 3.0f));
    int stepsToWall = 0;
    while (grenade.bounceCount == 0 && stepsToWall < 20) {
        const float vx = grenade.velocity.x;
        step();
        ++stepsToWall;
        if (grenade.velocity.x < 0.0f) {
            EXPECT_FLOAT_EQ(grenade.velocity.x, -0.5f * vx);
        }
    }
    ASSERT_LT(grenade.velocity.x, 0.0f);
    EXPECT_LT(grenade.box.max.x, 12.0f);

    // Every step sparks at the fuse tip; then the game is asked for a blast
    // of radius 3 at full strength (its 1800 sparks are the game's).
    steps(179 - stepsToWall);
    ASSERT_EQ(projectiles.size(), 1u);
    EXPECT_TRUE(blasts.empty());
    const glm::vec3 at = grenade.position();
    EXPECT_GT(particlesWritten(), 0);
    steps(2);
    ASSERT_TRUE(projectiles.empty());
    ASSERT_EQ(blasts.size(), 1u);
    EXPECT_FLOAT_EQ(blasts[0].radius, 3.0f);
    EXPECT_NEAR(glm::distance(blasts[0].center, at), 0.0f, 0.1f);
    ASSERT_EQ(running.explosions.size(), 1u);
    EXPECT_EQ(running.explosions[0].factor, 1.0f);

    // Nothing solid is left within 3 units of where it lay.
    const glm::vec3 c = blasts[0].center;
    for (float dx = -2.8f; dx <= 2.8f; dx += 0.35f) {
        for (float dy = -2.8f; dy <= 2.8f; dy += 0.35f) {
            for (float dz = -2.8f; dz <= 2.8f; dz += 0.35f) {
                const glm::vec3 p = c + glm::vec3(dx, dy, dz);
                if (glm::distance(p, c) > 2.9f)
                    continue;
                const CollisionObject probe(aabb(p - 0.01f, p + 0.01f));
                EXPECT_FALSE(world.scene().collidesWithVoxels(probe)) << p.x << " " << p.y << " " << p.z;
            }
        }
    }
}

TEST_F(GrenadeFlight, FuseTipBurnsDownTowardsTheStick)
{
    Grenade grenade(glm::vec3(5.0f, 30.0f, 5.0f), glm::vec3(0.0f), 3.0f);
    const glm::vec3 up(grenade.model[1]);
    EXPECT_NEAR(glm::distance(grenade.fuseTip(), grenade.position() + 3.5f * up), 0.0f, 1e-5f);
    grenade.age = 3.0f;
    EXPECT_NEAR(glm::distance(grenade.fuseTip(), grenade.position() + 2.0f * up), 0.0f, 1e-5f);
    ASSERT_NE(grenade.explosionShape(), nullptr);
    EXPECT_FLOAT_EQ(grenade.explosionShape()->radius, 3.0f);
}

TEST_F(FishFlight, LandsAndIsGoneFourSecondsAfterACatReachesIt)
{
    auto fish
        = std::make_unique<FlyingFish>(glm::vec3(10.0f, 10.0f, 10.0f), glm::vec3(0.1f, 0.0f, 0.0f), 20.0f);
    FlyingFish& ref = *fish;
    thrownFish.push_back(fish.get());
    add(std::move(fish));
    // Still flying: no cat can reach it.
    EXPECT_FALSE(ref.reachedFrom(ref.position()));
    steps(120);
    ASSERT_LT(ref.currentSpeed, 0.05f);
    EXPECT_NEAR(ref.box.min.y, 8.0f, 0.05f);
    const glm::vec3 p = ref.position();
    EXPECT_FALSE(ref.reachedFrom(p + glm::vec3(1.0f, 0.0f, 0.0f)));
    ASSERT_TRUE(ref.reachedFrom(p + glm::vec3(0.6f, 5.0f, -0.6f)));
    EXPECT_FLOAT_EQ(ref.lifetime, 4.0f);
    EXPECT_FLOAT_EQ(ref.age, 0.0f);
    steps(239);
    ASSERT_EQ(projectiles.size(), 1u);
    ASSERT_EQ(thrownFish.size(), 1u);
    steps(2);
    EXPECT_TRUE(projectiles.empty());
    EXPECT_TRUE(thrownFish.empty());
    EXPECT_TRUE(blasts.empty());
}

TEST_F(FishFlight, AnUneatenFishIsGoneTwentySecondsAfterTheThrowAndDeletionLeavesTheList)
{
    auto fish = std::make_unique<FlyingFish>(glm::vec3(10.0f, 10.0f, 10.0f), glm::vec3(0.0f), 20.0f);
    thrownFish.push_back(fish.get());
    add(std::move(fish));
    steps(20 * 60 - 1);
    EXPECT_EQ(projectiles.size(), 1u);
    steps(2);
    EXPECT_TRUE(projectiles.empty());
    EXPECT_TRUE(thrownFish.empty());

    // A world torn down with fish in flight leaves no stale entries behind.
    auto a = std::make_unique<FlyingFish>(glm::vec3(1.0f), glm::vec3(0.0f), 20.0f);
    auto b = std::make_unique<FlyingFish>(glm::vec3(2.0f), glm::vec3(0.0f), 20.0f);
    thrownFish = { a.get(), b.get() };
    a.reset();
    EXPECT_EQ(thrownFish, std::vector<FlyingFish*>({ b.get() }));
}

TEST_F(ProjectileBounce, CorkStartsFromTheGivenMatrix)
{
    glm::mat4 m = glm::translate(glm::mat4(1.0f), glm::vec3(4.0f, 20.0f, 6.0f));
    m = glm::scale(m, glm::vec3(0.15f));
    Cork cork(24, 17, m, glm::vec3(m[1]), 1.4f, 30.0f);
    EXPECT_EQ(cork.model, m);
    EXPECT_EQ(cork.box.center(), glm::vec3(4.0f, 20.0f, 6.0f));
    EXPECT_NEAR(glm::distance(cork.velocity, glm::vec3(0.0f, 0.21f, 0.0f)), 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(cork.gravity, 0.5f);
    EXPECT_FLOAT_EQ(cork.lifetime, 30.0f);
    EXPECT_EQ(cork.explosionShape(), nullptr);
    // Its model turns its normals with the view the game's last frame drew with.
    running.view = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -2.0f, -7.0f));
    cork.services = &running;
    cork.update(kStep);
    EXPECT_FLOAT_EQ(cork.velocity.y, 0.21f - 0.5f * kStep);
    EXPECT_EQ(cork.renderModel->normalMatrix, running.view * cork.model);
    cork.kill();
    EXPECT_FALSE(cork.alive);
}
