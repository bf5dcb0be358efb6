#include "world/BodyPlacement.h"

#include "PhysicsTestHelpers.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

Viewer seeingEverything(const MovingObject& eye)
{
    return Viewer { &eye, [](const glm::vec3&, float) { return true; } };
}

Viewer seeingNothing(const MovingObject& eye)
{
    return Viewer { &eye, [](const glm::vec3&, float) { return false; } };
}

}

TEST(PlaceOnSurface, RisesOutOfTheGroundInTenthSteps)
{
    TestWorld world(20.0f);
    TestHuman& body = world.add(std::make_unique<TestHuman>(glm::vec3(10, 40, 10)));
    placeOnSurface(world.scene(), body, 10.0f, 70.0f);
    EXPECT_GE(body.feet(), 20.0f);
    EXPECT_LT(body.feet(), 20.1f);
    EXPECT_FALSE(world.scene().collidesWithAnything(body));
}

TEST(PlaceOnSurface, SolidColumnStopsAfterTheLimitStillInside)
{
    TestWorld world(CHUNK_SIZE);
    TestHuman& body = world.add(std::make_unique<TestHuman>(glm::vec3(10, 0, 10)));
    placeOnSurface(world.scene(), body, 10.0f, 30.0f);
    EXPECT_NEAR(body.position().y, 30.1f, 0.01f); // 201 raises
    EXPECT_TRUE(world.scene().collidesWithVoxels(body));
}

TEST(VisibleSampleCount, CountsUnblockedSamplesInFront)
{
    TestWorld world(8.0f);
    TestHuman& eye = world.add(std::make_unique<TestHuman>(glm::vec3(10, 20, 20))); // looks along -z
    TestHuman& body = world.add(std::make_unique<TestHuman>(glm::vec3(10, 20, 10)));
    EXPECT_EQ(visibleSampleCount(world.scene(), body, seeingEverything(eye)), 9);
    EXPECT_EQ(visibleSampleCount(world.scene(), body, seeingNothing(eye)), -1);
    EXPECT_EQ(visibleSampleCount(world.scene(), body, Viewer {}), -1);

    eye.turn(180.0f, 0.0f); // facing away
    EXPECT_EQ(visibleSampleCount(world.scene(), body, seeingEverything(eye)), 0);
    eye.turn(180.0f, 0.0f);
    world.addStone(aabb({ 0, 8, 14 }, { 64, 30, 15 })); // a wall in between
    EXPECT_EQ(visibleSampleCount(world.scene(), body, seeingEverything(eye)), 0);
}

TEST(SpawnNear, FindsAHiddenFreeSpotOnTheGround)
{
    TestWorld world(8.0f);
    TestHuman& eye = world.add(std::make_unique<TestHuman>(glm::vec3(60, 30, 60)));
    TestHuman& body = world.add(std::make_unique<TestHuman>(glm::vec3(5, 40, 5)));
    const glm::vec3 centre(32, 20, 32);
    std::srand(7);
    ASSERT_TRUE(spawnNear(world.scene(), body, centre, 3.0f, 10.0f, false, seeingNothing(eye)));
    const glm::vec3 p = body.position();
    const float distance = std::hypot(p.x - centre.x, p.z - centre.z);
    EXPECT_GE(distance, 3.0f - 1e-4f);
    EXPECT_LE(distance, 10.0f + 1e-4f);
    EXPECT_GE(body.feet(), 8.0f);
    EXPECT_LT(body.feet(), 8.11f);
    EXPECT_FALSE(world.scene().collidesWithAnything(body));
}

TEST(SpawnNear, GivesUpAndReturnsTheBodyWhenEverySpotIsSeen)
{
    TestWorld world(8.0f);
    TestHuman& eye = world.add(std::make_unique<TestHuman>(glm::vec3(32, 30, 60)));
    TestHuman& body = world.add(std::make_unique<TestHuman>(glm::vec3(5, 40, 5)));
    std::srand(7);
    // Inside the frustum but hidden is wanted; a viewer that sees nothing never qualifies.
    EXPECT_FALSE(spawnNear(world.scene(), body, { 32, 20, 32 }, 3.0f, 10.0f, true, seeingNothing(eye)));
    EXPECT_EQ(body.position(), glm::vec3(5, 40, 5));
    // A viewer looking down on open ground sees every spot in front of him.
    EXPECT_FALSE(spawnNear(world.scene(), body, { 32, 20, 32 }, 3.0f, 10.0f, false, seeingEverything(eye)));
    EXPECT_EQ(body.position(), glm::vec3(5, 40, 5));
}

TEST(SpawnNear, InViewMeansInsideTheFrustumButBehindCover)
{
    TestWorld world(8.0f);
    world.addStone(aabb({ 0, 8, 50 }, { 64, 64, 51 })); // a wall between the viewer and the spot
    TestHuman& eye = world.add(std::make_unique<TestHuman>(glm::vec3(32, 20, 60))); // looks along -z
    TestHuman& body = world.add(std::make_unique<TestHuman>(glm::vec3(5, 40, 5)));
    std::srand(7);
    ASSERT_TRUE(spawnNear(world.scene(), body, { 32, 20, 32 }, 3.0f, 10.0f, true, seeingEverything(eye)));
    EXPECT_EQ(visibleSampleCount(world.scene(), body, seeingEverything(eye)), 0);
    EXPECT_LT(body.feet(), 8.11f);
}
