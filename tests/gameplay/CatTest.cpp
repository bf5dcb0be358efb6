// Cats: feeding and splitting, getting unstuck, catching up with the player,
// meowing, and what finding one sets off.
#include "CreatureTestWorld.h"

#include "gameplay/CatPose.h"
#include "render/MeshTable.h"
#include "render/Model.h"
#include "render/ParticleSystem.h"
#include "render/RandomUnit.h"
#include "render/ShaderTable.h"
#include "render/TextureTable.h"

#include <cstdlib>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

namespace {

// Ground at y = 8: a cat's centre stands at 8.2, a human's at 8.85.
const glm::vec3 kPlayerAt = standingAt(20.0f, 8.0f, 20.0f);

glm::vec3 catAt(float x, float z)
{
    return { x, 8.2f, z };
}

// Lays a fish at the cat's feet and lets it eat it up: it goes for the fish
// at its next re-plan, eats for 4 s and then grows.
void feed(CreatureTestWorld& w, Cat& cat)
{
    w.fish.push_back({ cat.position() });
    for (int i = 0; i < 15 * 60 && cat.state != CAT_EAT; ++i)
        w.step();
    ASSERT_EQ(cat.state, CAT_EAT);
    ASSERT_TRUE(w.fish.back().taken);
    w.run(4.1f);
    ASSERT_EQ(cat.state, CAT_FOLLOW);
}

TEST(Cat, StartsFollowingAtItsSizeWithEmptyProgress)
{
    CreatureTestWorld w(kPlayerAt);
    Cat cat(catAt(15.0f, 20.0f), true);
    EXPECT_EQ(cat.state, CAT_FOLLOW);
    EXPECT_FLOAT_EQ(cat.size, 1.0f);
    EXPECT_FLOAT_EQ(cat.speed, 0.02f);
    EXPECT_FLOAT_EQ(cat.gravity, 5.0f);
    EXPECT_FALSE(cat.canStep);
    EXPECT_EQ(cat.box.center(), catAt(15.0f, 20.0f));
    EXPECT_NEAR(cat.box.max.y - cat.box.min.y, 0.4f, 1e-5f);
    EXPECT_FLOAT_EQ(cat.model[0].x, 0.24f);
    for (float sample : cat.progressRing)
        EXPECT_EQ(sample, 999.0f);
    EXPECT_TRUE(cat.bodyModel->golden);
    EXPECT_EQ(cat.bodyModel->meshes,
        (std::vector<int> { MESH_CAT_HEAD, MESH_CAT_BODY, MESH_CAT_TAIL, MESH_CAT_LEG, MESH_CAT_LEG,
            MESH_CAT_LEG, MESH_CAT_LEG }));
    EXPECT_EQ(cat.bodyModel->textures, std::vector<int>(7, TEXTURE_CAT));
    EXPECT_EQ(cat.bodyModel->shader, SHADER_MODEL);
}

TEST(Cat, FourFishGrowItToThreePointEightAndTheFifthSplitsIt)
{
    CreatureTestWorld w(kPlayerAt);
    Cat& cat = w.addFreeCat(catAt(18.0f, 20.0f));
    ASSERT_EQ(w.cats, 1);
    const float sizes[] = { 1.7f, 2.4f, 3.1f, 3.8f };
    for (float size : sizes) {
        ASSERT_NO_FATAL_FAILURE(feed(w, cat));
        EXPECT_NEAR(cat.size, size, 1e-5f);
        EXPECT_NEAR(cat.box.max.x - cat.box.min.x, 0.5f * size, 1e-4f);
        EXPECT_EQ(w.catsInWorld(), 1);
    }
    ASSERT_NO_FATAL_FAILURE(feed(w, cat));
    EXPECT_FLOAT_EQ(cat.size, 1.0f);
    EXPECT_NEAR(cat.box.max.x - cat.box.min.x, 0.5f, 1e-5f);
    EXPECT_NEAR(cat.box.max.y - cat.box.min.y, 0.4f, 1e-5f);
    EXPECT_EQ(w.catsInWorld(), 2);
    EXPECT_EQ(w.cats, 2);
    ASSERT_EQ(w.bursts.size(), 2u);
    EXPECT_FLOAT_EQ(w.bursts[1].y - w.bursts[0].y, 1.0f); // at the cat and one unit above
}

TEST(Cat, EatsOnlyAFishItHasReachedAndNobodyTook)
{
    CreatureTestWorld w(kPlayerAt);
    Cat& cat = w.addFreeCat(catAt(10.0f, 20.0f));
    w.fish.push_back({ catAt(14.0f, 20.0f), true }); // already eaten
    w.fish.push_back({ catAt(14.0f, 24.0f) });
    w.step();
    EXPECT_EQ(cat.state, CAT_GO_TO_FISH);
    EXPECT_FLOAT_EQ(cat.speed, 0.04f);
    EXPECT_EQ(cat.target, catAt(14.0f, 24.0f));
    EXPECT_FALSE(w.fish[1].taken);
    w.run(6.0f);
    EXPECT_TRUE(w.fish[1].taken);
    EXPECT_LT(horizontalDistance(cat.position(), w.fish[1].position), 1.5f);
}

TEST(Cat, ChasesTheBallAtTwiceTheSpeedAndFollowsAgainWhenItIsGone)
{
    CreatureTestWorld w(kPlayerAt);
    Cat& cat = w.addFreeCat(catAt(18.0f, 20.0f));
    w.ball = glm::vec3(30.0f, 8.5f, 30.0f);
    w.step();
    EXPECT_EQ(cat.state, CAT_CHASE_BALL);
    EXPECT_FLOAT_EQ(cat.speed, 0.04f);
    EXPECT_LE(glm::distance(cat.target, *w.ball), 2.0f + 1e-5f);
    w.ball.reset();
    w.step();
    EXPECT_EQ(cat.state, CAT_FOLLOW);
}

TEST(Cat, AStuckCatSidestepsAtRightAnglesToThePlayer)
{
    CreatureTestWorld w(standingAt(25.0f, 8.0f, 32.0f));
    // A wall too high to jump, right in front of the cat.
    w.world.addStone(aabb(glm::vec3(12.0f, 8.0f, 0.0f), glm::vec3(13.0f, 14.0f, 64.0f)));
    Cat& cat = w.addFreeCat(catAt(11.5f, 32.0f));
    w.run(2.4f); // fewer than five samples: nothing counts as stuck yet
    EXPECT_GT(cat.target.x - cat.position().x, 8.0f);
    w.run(0.5f); // the fifth sample
    const glm::vec3 toTarget = cat.target - cat.position();
    const glm::vec3 toPlayer = w.playerPosition() - cat.position();
    const float cosine = glm::dot(
        glm::normalize(glm::vec2(toTarget.x, toTarget.z)), glm::normalize(glm::vec2(toPlayer.x, toPlayer.z)));
    EXPECT_NEAR(cosine, 0.0f, 0.05f);
    EXPECT_GT(glm::length(toTarget), 100.0f); // 20 times the offset to the player
    w.step();
    EXPECT_TRUE(cat.moving);
    EXPECT_NEAR(std::abs(cat.velocity.z), 0.02f, 0.002f); // walking along the wall
    EXPECT_LT(std::abs(cat.velocity.x), 0.004f);
}

TEST(Cat, AFarCatOutOfSightReappearsNearThePlayer)
{
    CreatureTestWorld w(standingAt(50.0f, 8.0f, 32.0f));
    Cat& cat = w.addFreeCat(catAt(5.0f, 32.0f));
    cat.timeSinceTeleportTry = 3.5f;
    w.step();
    EXPECT_EQ(w.spawnCalls, 1);
    const float d = horizontalDistance(cat.position(), w.playerPosition());
    EXPECT_GE(d, 3.0f - 0.1f);
    EXPECT_LE(d, 10.0f + 0.1f);
    EXPECT_FLOAT_EQ(cat.timeSinceTeleportTry, 0.0f);
}

TEST(Cat, TriesToReappearAtMostEveryThreeSeconds)
{
    CreatureTestWorld w(standingAt(50.0f, 8.0f, 32.0f));
    w.world.addStone(aabb(glm::vec3(6.0f, 8.0f, 0.0f), glm::vec3(7.0f, 14.0f, 64.0f)));
    w.spawnFails = true;
    Cat& cat = w.addFreeCat(catAt(5.0f, 32.0f));
    w.run(10.0f);
    EXPECT_EQ(w.spawnCalls, 3); // after 3, 6 and 9 s
    EXPECT_TRUE(cat.running);
    EXPECT_GT(horizontalDistance(cat.position(), w.playerPosition()), 40.0f);
}

TEST(Cat, IndoorsAndInSightTheLimitsChange)
{
    {
        CreatureTestWorld w(standingAt(30.0f, 8.0f, 32.0f));
        w.cover = 0.2f; // indoors: more than 10 units is too far
        Cat& cat = w.addFreeCat(catAt(15.0f, 32.0f));
        cat.timeSinceTeleportTry = 3.5f;
        w.step();
        EXPECT_EQ(w.spawnCalls, 1);
        EXPECT_LE(horizontalDistance(cat.position(), w.playerPosition()), 10.1f);
    }
    {
        CreatureTestWorld w(standingAt(30.0f, 8.0f, 32.0f));
        Cat& cat = w.addFreeCat(catAt(15.0f, 32.0f));
        cat.timeSinceTeleportTry = 3.5f;
        w.step(); // outdoors 15 units is near enough
        EXPECT_EQ(w.spawnCalls, 0);
    }
}

TEST(Cat, RunsBeyondTwentyUnitsAndWalksAgainWithin)
{
    CreatureTestWorld w(standingAt(40.0f, 8.0f, 32.0f));
    w.playerSees = true; // in plain sight: no reappearing
    Cat& cat = w.addFreeCat(catAt(10.0f, 32.0f));
    w.step();
    EXPECT_TRUE(cat.running);
    EXPECT_FLOAT_EQ(cat.speed, 0.08f);
    w.run(6.0f);
    EXPECT_FALSE(cat.running);
    EXPECT_LT(horizontalDistance(cat.position(), w.playerPosition()), 20.0f);
    EXPECT_GT(cat.speed, 0.0f);
}

TEST(Cat, MeowsOnlyWithinTwentyUnitsEvenWhenCaged)
{
    CreatureTestWorld w(kPlayerAt);
    Cat near(catAt(5.0f, 20.0f), false); // 15 units
    Cat far(catAt(20.0f, 45.0f), false); // 25 units
    w.adopt(near);
    w.adopt(far);
    near.state = far.state = CAT_CAGED;
    for (int i = 0; i < 11 * 60; ++i) {
        near.update(1.0f / 60.0f);
        far.update(1.0f / 60.0f);
    }
    EXPECT_GT(near.meowTimer, 0.0f); // meowed at 10 s, next one 8 to 16 s later
    EXPECT_LE(near.meowTimer, 16.0f);
    EXPECT_LE(far.meowTimer, 0.0f); // still waiting for the player to come closer
    EXPECT_EQ(near.position(), catAt(5.0f, 20.0f)); // caged cats stay put
}

TEST(Cat, JumpsOnlyFromTheGroundAndNotTooOften)
{
    CreatureTestWorld w(kPlayerAt);
    Cat cat(catAt(10.0f, 20.0f), false);
    cat.onBlocked(1);
    EXPECT_FALSE(cat.jumpRequest);
    cat.onBlocked(0);
    EXPECT_FALSE(cat.jumpRequest); // not 0.8 s since the last jump
    cat.timeSinceJump = 0.9f;
    cat.airTime = 0.1f;
    cat.onBlocked(2);
    EXPECT_FALSE(cat.jumpRequest);
    cat.airTime = 0.0f;
    cat.onBlocked(2);
    EXPECT_TRUE(cat.jumpRequest);
    EXPECT_EQ(cat.timeSinceJump, 0.0f);
}

TEST(Cat, FindingCatsCountsThemAndTellsDeath)
{
    CreatureTestWorld w(kPlayerAt);
    Death& death = w.addDeath();
    death.timeSinceAttack = 500.0f;
    w.addFreeCat(catAt(10.0f, 20.0f));
    EXPECT_EQ(w.cats, 1);
    EXPECT_EQ(death.timeSinceAttack, 0.0f); // the first cat starts Death's clock
    death.timeSinceAttack = 50.0f;
    Cat& second = w.addFreeCat(catAt(12.0f, 20.0f));
    EXPECT_EQ(w.cats, 2);
    EXPECT_EQ(death.timeSinceAttack, 50.0f);
    EXPECT_EQ(second.state, CAT_FOLLOW);
    EXPECT_TRUE(second.moving);
}

TEST(CatPose, SitsWhenStillAndLooksAtThePlayerInFront)
{
    CatPoseInput still;
    still.playerDistance = 0.0f;
    still.towardsCat = glm::vec3(0.0f, 0.0f, -1.0f); // player behind the cat: head straight ahead
    const auto seated = catPose(still);
    EXPECT_FLOAT_EQ(seated[1][3].y, -0.2f); // body lowered
    EXPECT_FLOAT_EQ(seated[0][3].y, 0.7f); // head raised
    EXPECT_NEAR(seated[0][2].z, 1.0f, 1e-6f);
    EXPECT_NEAR(seated[2][1].z, std::sin(glm::radians(-130.0f)), 1e-5f); // seated -40, then fully up -90

    CatPoseInput walking;
    walking.moving = true;
    walking.swing = 3.14159265f / 2.0f;
    walking.playerDistance = 20.0f;
    walking.towardsCat = glm::vec3(1.0f, 0.0f, 1.0f);
    const auto stride = catPose(walking);
    EXPECT_FLOAT_EQ(stride[1][3].y, 0.0f);
    EXPECT_NEAR(stride[0][2].x, std::sqrt(0.5f), 1e-5f); // head turned
    EXPECT_NEAR(stride[3][1].z, std::sin(glm::radians(60.0f)), 1e-5f); // front legs forward
    EXPECT_NEAR(stride[5][1].z, -std::sin(glm::radians(60.0f)), 1e-5f); // back legs back
    EXPECT_EQ(stride[2], glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.2f, 0.5f))); // tail down far away
}

TEST(CatPose, RandomPointsStayWithinTheRadius)
{
    for (int i = 0; i < 200; ++i)
        EXPECT_LE(glm::length(randomPointWithin(5.0f)), 5.0f);
}

// The puff of a split, replayed draw for draw: direction, speed, then warmth.
TEST(CatBurst, ThrowsGoldenPointsOutAndUpSizedByTheCat)
{
    const glm::vec3 centre(1.0f, 2.0f, 3.0f);
    const float size = 2.0f;
    ParticleSystem ps;
    std::srand(5);
    ps.spawnBurst(centre, catBurstParticles(4, size));
    ASSERT_EQ(ps.writeIndex, 4);
    std::srand(5);
    for (int i = 0; i < 4; ++i) {
        const Particle& p = ps.particles[size_t(i)];
        const glm::vec3 u = randomUnitVector();
        EXPECT_EQ(p.velocity, u * randomUniform(1.0f, 2.0f) * size + glm::vec3(0.0f, 1.0f, 0.0f));
        EXPECT_EQ(p.color, glm::vec4(1.0f, randomUniform(0.7f, 0.9f), 0.2f, 1.0f));
        EXPECT_EQ(p.position, centre + u * 0.3f * size);
        EXPECT_EQ(p.params, glm::vec2(size, 0.5f * 9.81f));
        EXPECT_EQ(p.kind, float(PARTICLE_BURST));
        EXPECT_EQ(p.endTime - p.spawnTime, 0.8f);
    }
}

} // namespace
