#include "gameplay/Cat.h"
#include "physics/WorldFloor.h"
#include "world/BodyPasses.h"

#include "PhysicsTestHelpers.h"

#include <gtest/gtest.h>
#include <initializer_list>

namespace {

constexpr float kDt = 1.0f / 60.0f;

// Bodies fall under gravity like the player does until they land or the steps run out.
void fall(TestWorld& world, std::initializer_list<MovingObject*> bodies, int steps)
{
    CollisionScene scene = world.scene();
    for (int i = 0; i < steps; ++i) {
        for (MovingObject* body : bodies)
            body->velocity.y -= body->gravity * kDt * 0.1f;
        characterPass(scene, nullptr, kDt);
    }
}
void fall(TestWorld& world, TestHuman& body, int steps)
{
    fall(world, { &body }, steps);
}

// A small thrown body that bounces.
class TestProjectile : public MovingObject {
public:
    std::vector<int> blocked;
    std::vector<glm::vec3> hits;
    int updates = 0;

    TestProjectile(const glm::vec3& at, const glm::vec3& v)
        : MovingObject(aabb(glm::vec3(0), glm::vec3(0.2f)))
    {
        setPosition(at);
        velocity = v;
    }
    void update(float) override { ++updates; }
    void onBlocked(int axis) override
    {
        blocked.push_back(axis);
        velocity[axis] *= -0.5f;
    }
    void hitCharacter(const glm::vec3& p) { hits.push_back(p); }
};

using ProjectileList = std::vector<std::unique_ptr<TestProjectile>>;

}

TEST(CharacterPass, FallingBodyLandsOnTheGround)
{
    TestWorld world(8.0f);
    TestHuman& body = world.add(std::make_unique<TestHuman>(standingAt(10, 12, 10)));
    fall(world, body, 1);
    EXPECT_GT(body.airTime, 0.0f);
    fall(world, body, 200);
    EXPECT_GE(body.feet(), 8.0f);
    EXPECT_LT(body.feet(), 8.5f);
    EXPECT_EQ(body.airTime, 0.0f);
    EXPECT_EQ(body.velocity.y, 0.0f);
    ASSERT_FALSE(body.blocked.empty());
    EXPECT_EQ(body.blocked.back(), 1);
}

TEST(CharacterPass, BodiesBelowTheTerrainEndOnTheFloorSlabAllOverTheLoadedSquare)
{
    TestWorld world(0.0f); // nothing but air: craters dug to the bottom everywhere
    WorldFloor floor(2, glm::vec3(64)); // chunks -2 to 2 around chunk (0, 0) are loaded
    floor.placeUnderChunk(0, 0);
    world.floorBox = floor.box;
    TestHuman& body = world.add(std::make_unique<TestHuman>(standingAt(10, 5, 10)));
    // Cats in the outer ring, in two opposite corner chunks.
    Cat& west = world.add(std::make_unique<Cat>(glm::vec3(-120, 5, 180), false));
    Cat& east = world.add(std::make_unique<Cat>(glm::vec3(185, 5, -125), false));
    fall(world, { &body, &west, &east }, 300);
    for (const MovingObject* landed : std::initializer_list<const MovingObject*> { &body, &west, &east }) {
        EXPECT_GE(landed->box.min.y, 0.0f);
        EXPECT_LT(landed->box.min.y, 0.5f);
        EXPECT_EQ(landed->airTime, 0.0f);
    }
}

TEST(CharacterPass, CeilingStopsTheRiseButNotTheWalk)
{
    TestWorld world(8.0f);
    world.addStone(aabb({ 0, 11, 0 }, { 64, 12, 64 }));
    TestHuman& body = world.add(std::make_unique<TestHuman>(standingAt(10, 8, 10)));
    body.velocity = { 0.05f, 0.3f, 0 };
    CollisionScene scene = world.scene();
    for (int i = 0; i < 4; ++i)
        characterPass(scene, nullptr, kDt); // the head rises from 9.7 to 10.9
    EXPECT_EQ(body.velocity.y, 0.3f);
    characterPass(scene, nullptr, kDt); // 11.2 would be inside the ceiling
    EXPECT_EQ(body.velocity.y, 0.0f);
    EXPECT_NEAR(body.box.max.y, 10.9f, 1e-4f);
    EXPECT_NEAR(body.position().x, 10.25f, 1e-4f);
    EXPECT_NEAR(body.airTime, 5 * kDt, 1e-6f);
    EXPECT_TRUE(body.blocked.empty());
}

TEST(CharacterPass, HumanClimbsHalfABlockButNotAWallOfTwo)
{
    TestWorld world(8.0f);
    world.addStone(aabb({ 11, 8, 0 }, { 20, 8.5f, 64 })); // half a block up on +x
    world.addStone(aabb({ 0, 8, 21 }, { 64, 9.5f, 30 })); // two blocks above the ledge on +z
    TestHuman& body = world.add(std::make_unique<TestHuman>(standingAt(10.4f, 8, 10)));
    body.velocity = { 0.2f, -kDt * 0.1f * 10.0f, 0 };
    CollisionScene scene = world.scene();
    characterPass(scene, nullptr, kDt);
    EXPECT_EQ(body.feet(), 8.5f);
    EXPECT_NEAR(body.position().x, 10.6f, 1e-5f);
    EXPECT_TRUE(body.blocked.size() == 1 && body.blocked[0] == 1); // only the landing

    body.placeAt(standingAt(15, 8.5f, 20.4f));
    body.blocked.clear();
    body.velocity = { 0, -kDt, 0.2f };
    characterPass(scene, nullptr, kDt);
    EXPECT_EQ(body.feet(), 8.5f); // back at its old height
    EXPECT_NEAR(body.position().z, 20.4f, 1e-5f);
    EXPECT_EQ(body.blocked, (std::vector<int> { 1, 2 }));
}

TEST(CharacterPass, SecondAxisBlockedAfterAClimbKeepsTheClimbedHeight)
{
    TestWorld world(8.0f);
    world.addStone(aabb({ 0, 8, 11 }, { 64, 8.5f, 64 })); // ledge ahead on +z
    world.addStone(aabb({ 11, 8, 0 }, { 64, 12, 64 })); // wall on +x
    TestHuman& body = world.add(std::make_unique<TestHuman>(standingAt(10, 8, 10)));
    body.velocity = { 0.6f, -kDt, 0.6f };
    CollisionScene scene = world.scene();
    characterPass(scene, nullptr, kDt);
    EXPECT_EQ(body.feet(), 8.5f); // z climbed; the blocked x does not undo it
    EXPECT_NEAR(body.position().z, 10.6f, 1e-5f);
    EXPECT_NEAR(body.position().x, 10.0f, 1e-5f);
    EXPECT_EQ(body.blocked, (std::vector<int> { 1, 0 }));
    EXPECT_FALSE(world.scene().collidesWithAnything(body));
}

TEST(CharacterPass, CharactersBlockEachOtherAndDeadOnesLeave)
{
    TestWorld world(8.0f);
    TestHuman& player = world.add(std::make_unique<TestHuman>(standingAt(10, 8, 10)));
    world.add(std::make_unique<TestHuman>(standingAt(30, 8, 30))).alive = false; // a dead cat
    TestHuman& other = world.add(std::make_unique<TestHuman>(standingAt(11, 8, 10)));
    other.velocity = { -0.2f, 0, 0 };
    player.alive = false;
    player.velocity = { 0, -0.1f, 0 };
    CollisionScene scene = world.scene();

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    characterPass(scene, &player, kDt);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Respawning at origin...\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Warning the player died!\n");
    ASSERT_EQ(world.characters.size(), 2u);
    EXPECT_EQ(world.characters[1].get(), &other); // the last entry took the dead one's place
    EXPECT_TRUE(player.alive);
    EXPECT_NEAR(player.position().y, 99.9f, 1e-4f); // respawned and moved in the same step
    EXPECT_NEAR(player.partBoxes[0].center().y, 100.55f, 1e-4f);

    // With the player gone the other one walked on; a body in its way stops it.
    EXPECT_NEAR(other.position().x, 10.8f, 1e-5f);
    characterPass(scene, &player, kDt);
    EXPECT_NEAR(other.position().x, 10.6f, 1e-5f);
    player.placeAt(standingAt(9.6f, 8, 10));
    characterPass(scene, &player, kDt);
    EXPECT_NEAR(other.position().x, 10.6f, 1e-5f);
    EXPECT_EQ(other.blocked.back(), 0);
}

TEST(ProjectilePass, AxesGoXThenYThenZAgainstVoxelsOnly)
{
    TestWorld world(8.0f);
    world.addStone(aabb({ 10, 8, 4 }, { 12, 10, 6 }));
    TestHuman& bystander = world.add(std::make_unique<TestHuman>(standingAt(9.85f, 9.0f, 5)));
    ProjectileList projectiles;
    // x alone is free (it passes over the block), then y comes down onto it.
    projectiles.push_back(
        std::make_unique<TestProjectile>(glm::vec3(9.85f, 10.15f, 5), glm::vec3(0.2f, -0.2f, 0)));
    TestProjectile& p = *projectiles[0];
    projectilePass(world.scene(), projectiles, kDt);
    EXPECT_EQ(p.blocked, (std::vector<int> { 1 }));
    EXPECT_NEAR(p.position().x, 10.05f, 1e-5f);
    EXPECT_NEAR(p.position().y, 10.15f, 1e-5f);
    EXPECT_EQ(p.velocity, glm::vec3(0.2f, 0.1f, 0));
    // It flew through the character's box and told it so.
    ASSERT_EQ(p.hits.size(), 1u);
    EXPECT_EQ(p.hits[0], bystander.position());
    EXPECT_EQ(p.updates, 1);
}

TEST(ProjectilePass, EndedProjectilesLeaveTheListAfterTheirLastStep)
{
    TestWorld world(8.0f);
    ProjectileList projectiles;
    projectiles.push_back(std::make_unique<TestProjectile>(glm::vec3(5, 20, 5), glm::vec3(0)));
    projectiles.push_back(std::make_unique<TestProjectile>(glm::vec3(6, 20, 6), glm::vec3(0)));
    projectiles.push_back(std::make_unique<TestProjectile>(glm::vec3(7, 20, 7), glm::vec3(0)));
    projectiles.push_back(std::make_unique<TestProjectile>(glm::vec3(8, 20, 8), glm::vec3(0)));
    projectiles[0]->alive = false;
    projectiles[2]->alive = false;
    TestProjectile* first = projectiles[1].get();
    TestProjectile* second = projectiles[3].get();
    projectilePass(world.scene(), projectiles, kDt);
    // The last entry takes a dead one's place and is stepped next, so each is stepped once.
    ASSERT_EQ(projectiles.size(), 2u);
    EXPECT_EQ(projectiles[0].get(), second);
    EXPECT_EQ(projectiles[1].get(), first);
    EXPECT_EQ(first->updates, 1);
    EXPECT_EQ(second->updates, 1);
}
