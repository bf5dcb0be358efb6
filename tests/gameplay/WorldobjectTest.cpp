#include "WorldobjectTestWorld.h"

#include "base/Rand.h"
#include "gameplay/Cage.h"
#include "gameplay/Cat.h"
#include "gameplay/Item.h"
#include "gameplay/ItemContainer.h"
#include "gameplay/Player.h"
#include "gameplay/Sign.h"
#include "gameplay/StaticDynamite.h"
#include "render/Camera.h"
#include "world/WorldobjectPasses.h"

#include <cstdlib>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <thread>

using WorldobjectRules = WorldobjectWorld;

TEST_F(WorldobjectRules, ActivatingACageFreesExactlyOneCatAndTheCageGoesAtTheNextStep)
{
    Cage* cage = place<Cage>(glm::vec3(10, 10, 10), true);
    EXPECT_EQ(cage->position(), glm::vec3(10, 10.8f, 10));
    playerAt(glm::vec3(10, 11, 10.5f));

    testing::internal::CaptureStdout();
    world.activateNearby();
    // A second press before the chunk's next step must not free another cat.
    world.activateNearby();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "activate cage\n");

    ASSERT_EQ(cats.size(), 1u);
    EXPECT_EQ(cats[0].first, glm::vec3(10, 10.8f, 10));
    EXPECT_TRUE(cats[0].second);
    EXPECT_EQ(objectCount(), 1u);
    step();
    EXPECT_EQ(objectCount(), 0u);
}

TEST_F(WorldobjectRules, OnlyObjectsWithinTwoUnitsOfReadyChunksAreActivated)
{
    place<CagelessCage>(glm::vec3(10, 10, 10));
    place<CagelessCage>(glm::vec3(12.1f, 10, 10));
    world.chunks.push_back(makeGroundChunk(1, 0, 10.0f, false));
    world.chunks[1]->objects.emplace_back(new CagelessCage(glm::vec3(10, 10, 10)));

    playerAt(glm::vec3(10, 10, 10));
    testing::internal::CaptureStdout();
    world.activateNearby();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(cats.size(), 1u);
    EXPECT_FALSE(cats[0].second); // a basket's cat is never golden
}

TEST_F(WorldobjectRules, TheHintShowsOnlyNearObjectsThatOfferIt)
{
    place<Sign>(glm::vec3(10, 10, 10), glm::vec3(0, 0, 1));
    place<Bonfire>(glm::vec3(20, 10, 10));
    EXPECT_FALSE(interactiveObjectNear(world.chunks, glm::vec3(10, 10, 10)));
    EXPECT_FALSE(interactiveObjectNear(world.chunks, glm::vec3(20, 10, 10)));
    place<ItemContainer>(glm::vec3(30, 10, 10), 1);
    EXPECT_TRUE(interactiveObjectNear(world.chunks, glm::vec3(31.9f, 10, 10)));
    EXPECT_FALSE(interactiveObjectNear(world.chunks, glm::vec3(32.0f, 10, 10)));
    // A jetpack is shown 0.6 units up; the hint answers there, not at the floor.
    place<ItemContainer>(glm::vec3(50, 10, 10), 2);
    EXPECT_TRUE(interactiveObjectNear(world.chunks, glm::vec3(50, 12.5f, 10)));
    EXPECT_FALSE(interactiveObjectNear(world.chunks, glm::vec3(50, 8.5f, 10)));
}

TEST_F(WorldobjectRules, ABlastTouchingACageFreesItsCatAndDestroysSignsAndContainers)
{
    place<Cage>(glm::vec3(10, 10, 10), false);
    place<Sign>(glm::vec3(14, 10, 10), glm::vec3(1, 0, 0));
    place<ItemContainer>(glm::vec3(10, 10, 14), 0);
    place<ItemContainer>(glm::vec3(40, 10, 40), 0); // out of reach

    testing::internal::CaptureStdout();
    world.carve(Sphere(glm::vec3(12, 10, 12), 3.0f));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "activate cage\n");
    EXPECT_EQ(cats.size(), 1u);
    EXPECT_TRUE(items.empty()); // a blown-up container gives nothing
    step();
    ASSERT_EQ(objectCount(), 1u);
    EXPECT_EQ(world.chunks[0]->objects[0]->box.center(), glm::vec3(40, 10, 40));
}

TEST_F(WorldobjectRules, AContainerHandsOverItsItemOnce)
{
    ItemContainer* jetpack = place<ItemContainer>(glm::vec3(5, 10, 5), 2);
    testing::internal::CaptureStdout();
    jetpack->activate(*this);
    jetpack->activate(*this);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "activate item container item: 2\n");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0], std::make_pair(2, 300)); // a found jetpack comes with fuel
    EXPECT_FALSE(jetpack->active);
    ASSERT_NE(jetpack->item, nullptr);
    EXPECT_EQ(jetpack->item->type, 2);
    EXPECT_EQ(jetpack->item->count, 300);
    EXPECT_FALSE(jetpack->item->held);
}

TEST(ItemContainer, TheSamePlaceGivesTheSameYawAndRandomTypesFollowTheWeights)
{
    const ItemContainer a(glm::vec3(3, 20, -7), 0), b(glm::vec3(3, 20, -7), 4), c(glm::vec3(90, 20, 7), 0);
    EXPECT_EQ(a.yaw, b.yaw);
    EXPECT_NE(a.yaw, c.yaw);
    EXPECT_GE(a.yaw, 0.0f);
    EXPECT_LE(a.yaw, 360.0f);

    EXPECT_EQ(ItemContainer::typeForDraw(0.0f), 0);
    EXPECT_EQ(ItemContainer::typeForDraw(0.39f), 0);
    EXPECT_EQ(ItemContainer::typeForDraw(0.41f), 1);
    EXPECT_EQ(ItemContainer::typeForDraw(0.76f), 2);
    EXPECT_EQ(ItemContainer::typeForDraw(0.86f), 3);
    EXPECT_EQ(ItemContainer::typeForDraw(0.91f), 4);
    EXPECT_EQ(ItemContainer::typeForDraw(1.5f), 0); // past every weight
    // Every value the draw can take lands where the running sum of the weights
    // 0.4, 0.35, 0.1, 0.05, 0.1 (in float, in this order) puts it.
    const float weights[] = { 0.4f, 0.35f, 0.1f, 0.05f, 0.1f };
    int mismatches = 0;
    for (int r = 0; r <= 32767; ++r) {
        const float u = float(r) / 32767.0f;
        int expected = 0;
        float sum = 0.0f;
        for (int type = 0; type < 5; ++type) {
            sum += weights[type];
            if (sum >= u) {
                expected = type;
                break;
            }
        }
        mismatches += ItemContainer::typeForDraw(u) != expected;
    }
    EXPECT_EQ(mismatches, 0);

    // Random types come from the C library's sequence, one draw per container.
    std::srand(77);
    const int first = ItemContainer::typeForDraw(randUnit());
    const int second = ItemContainer::typeForDraw(randUnit());
    std::srand(77);
    EXPECT_EQ(ItemContainer(glm::vec3(1, 2, 3), -1).itemType, first);
    EXPECT_EQ(ItemContainer(glm::vec3(1, 2, 3), -1).itemType, second);
}

TEST(ItemContainer, ItemsAreRaisedAlongTheContainersScaledUpAxis)
{
    const ItemContainer ball(glm::vec3(0, 10, 0), 3);
    // Scaled by 0.2, raised by 1 along its own y: 0.2 units up, the container's
    // own matrix (where it is used) with it; its box stays on the floor.
    EXPECT_NEAR(ball.itemMatrix[3].y, 10.2f, 1e-5f);
    EXPECT_NEAR(ball.position().y, 10.2f, 1e-5f);
    EXPECT_EQ(ball.box.center(), glm::vec3(0, 10, 0));
    EXPECT_NEAR(glm::length(glm::vec3(ball.modelMatrix[0])), 0.2f, 1e-6f);
    const ItemContainer dynamite(glm::vec3(0, 10, 0), 0);
    // Lying on its side: the stick's own y axis turned into the horizontal plane.
    EXPECT_NEAR(dynamite.itemMatrix[1].y, 0.0f, 1e-6f);
    EXPECT_NEAR(dynamite.itemMatrix[3].y, 10.1f, 1e-5f);

    // Each kind's raise along the scaled y and its turn, and what a container holds of it.
    struct Display {
        float raise;
        glm::vec3 axis; // zero: not turned
        int count;
    };
    const Display display[] = {
        { 0.5f, { 1, 0, 0 }, 1 }, // dynamite on its side
        { 0.4f, { 0, 0, 1 }, 1 }, // fish on its flank
        { 3.0f, { 0, 0, 0 }, 300 }, // a jetpack with its fuel
        { 1.0f, { 0, 0, 0 }, 1 },
        { 0.15f, { 0, 0, 0 }, 1 },
    };
    const glm::vec3 p(17.5f, 12, -40.25f);
    for (int type = 0; type < 5; ++type) {
        SCOPED_TRACE(type);
        const ItemContainer container(p, type);
        glm::mat4 m = glm::rotate(glm::mat4(1.0f), glm::radians(container.yaw), glm::vec3(0, 1, 0))
            * glm::scale(glm::mat4(1.0f), glm::vec3(0.2f));
        m[3] = glm::vec4(p, 1.0f);
        m = glm::translate(m, glm::vec3(0, display[type].raise, 0));
        if (display[type].axis != glm::vec3(0))
            m = glm::rotate(m, glm::radians(90.0f), display[type].axis);
        EXPECT_EQ(container.itemMatrix, m);
        EXPECT_EQ(container.modelMatrix, m);
        EXPECT_EQ(container.itemType, type);
        EXPECT_EQ(container.itemCount, display[type].count);
        ASSERT_NE(container.item, nullptr);
        EXPECT_EQ(container.item->type, type);
        EXPECT_EQ(container.item->count, display[type].count);
    }
}

TEST(ItemContainerDeathTest, AnUndefinedTypeEndsTheProgram)
{
    EXPECT_EXIT(ItemContainer(glm::vec3(0), 5), testing::ExitedWithCode(1), "ITEM TYPE 5 NOT DEFINED");
}

TEST(Worldobject, ShapesAndMatricesFollowTheirPurpose)
{
    const Sign sign(glm::vec3(1, 2, 3), glm::vec3(0, 0, 1));
    EXPECT_EQ(sign.box.max, glm::vec3(1.5f, 4.5f, 3.5f));
    EXPECT_EQ(glm::vec3(sign.modelMatrix[0]), glm::vec3(0.7f, 0, 0));
    EXPECT_EQ(glm::vec3(sign.modelMatrix[2]), glm::vec3(0, 0, 0.7f));
    EXPECT_EQ(sign.position(), glm::vec3(1, 2, 3));
    EXPECT_FALSE(sign.hint);

    const Bonfire fire(glm::vec3(0));
    EXPECT_EQ(fire.box.max.y - fire.box.min.y, 4.0f);
    const StaticDynamite machine(glm::vec3(0), glm::vec3(10, 0, 0), 3.0f);
    EXPECT_EQ(machine.box.max.y - machine.box.min.y, 2.0f);
    EXPECT_EQ(machine.packBox.min, glm::vec3(9, -1, -1));
    EXPECT_EQ(glm::vec3(machine.modelMatrix[2]), glm::vec3(0.3f, 0, 0));
}

TEST_F(WorldobjectRules, AChargeBlowsOnceAndTheMachineThenOnlyClanks)
{
    StaticDynamite* machine = place<StaticDynamite>(glm::vec3(5, 11, 5), glm::vec3(30, 11, 30), 3.0f);
    machine->activate(*this);
    EXPECT_EQ(machine->handle, 1.0f);
    ASSERT_EQ(blasts.size(), 1u);
    EXPECT_EQ(blasts[0].center, glm::vec3(30, 11, 30));
    EXPECT_EQ(world.editQueue.size(), 1u); // the crater is queued
    EXPECT_TRUE(machine->exploded);
    EXPECT_TRUE(machine->active); // its own blast did not reach it

    machine->activate(*this);
    EXPECT_EQ(blasts.size(), 1u);
    EXPECT_EQ(world.editQueue.size(), 1u);
    // One clank per press, plus one when the blast swept over its own pack.
    EXPECT_EQ(sounds, std::vector<int>({ 20, 20, 20 }));

    step(0.4f);
    EXPECT_NEAR(machine->handle, 0.6f, 1e-6f);
    step(1.0f);
    EXPECT_EQ(machine->handle, 0.0f);
    EXPECT_EQ(objectCount(), 1u);
}

TEST_F(WorldobjectRules, AChargeCaughtInItsOwnBlastDestroysItsMachine)
{
    place<StaticDynamite>(glm::vec3(5, 11, 5), glm::vec3(7, 11, 5), 3.0f)->activate(*this);
    EXPECT_EQ(blasts.size(), 1u);
    step();
    EXPECT_EQ(objectCount(), 0u);
}

TEST_F(WorldobjectRules, OverlappingChargesExplodeTogether)
{
    StaticDynamite* a = place<StaticDynamite>(glm::vec3(5, 11, 5), glm::vec3(30, 11, 30), 3.0f);
    StaticDynamite* b = place<StaticDynamite>(glm::vec3(5, 11, 50), glm::vec3(33, 11, 30), 3.0f);
    StaticDynamite* far = place<StaticDynamite>(glm::vec3(50, 11, 5), glm::vec3(50, 11, 50), 3.0f);
    a->activate(*this);
    EXPECT_TRUE(a->exploded);
    EXPECT_TRUE(b->exploded);
    EXPECT_FALSE(far->exploded);
    EXPECT_EQ(blasts.size(), 2u);
    EXPECT_EQ(world.editQueue.size(), 2u);
}

TEST_F(WorldobjectRules, TheFlamesBurnOnTheNearestBonfireAndParkWhenItIsDestroyed)
{
    Bonfire* a = place<Bonfire>(glm::vec3(10, 10, 10));
    Bonfire* b = place<Bonfire>(glm::vec3(30, 10, 10));
    player = glm::vec3(12, 10, 10);
    step();
    EXPECT_EQ(gNearestBonfire, a);
    EXPECT_EQ(firePositions, std::vector<glm::vec3>({ glm::vec3(10, 11, 10) }));

    player = glm::vec3(21, 10, 10); // now closer to b
    step();
    EXPECT_EQ(gNearestBonfire, b);
    EXPECT_EQ(firePositions.back(), glm::vec3(30, 11, 10));

    world.carve(Sphere(glm::vec3(30, 10, 10), 2.0f));
    EXPECT_EQ(gNearestBonfire, nullptr);
    EXPECT_EQ(firePositions.back(), FIRE_PARKING_POSITION);
    step(); // b is deleted, a takes the flames
    EXPECT_EQ(gNearestBonfire, a);
    EXPECT_EQ(firePositions.back(), glm::vec3(10, 11, 10));
    EXPECT_EQ(objectCount(), 1u);
}

TEST_F(WorldobjectRules, ABonfireDeletedWithItsChunkGivesUpTheFlames)
{
    place<Bonfire>(glm::vec3(10, 10, 10));
    player = glm::vec3(10, 10, 11);
    step();
    ASSERT_NE(gNearestBonfire, nullptr);
    world.chunks.clear(); // the chunk and its objects are gone

    EXPECT_EQ(gNearestBonfire, nullptr);
    EXPECT_EQ(gNearestBonfireDistance, NO_BONFIRE_DISTANCE);
    world.chunks.push_back(makeGroundChunk(0, 0, 10.0f));
    place<Bonfire>(glm::vec3(40, 10, 40)); // farther than the lost one was
    step();
    EXPECT_EQ(firePositions.back(), glm::vec3(40, 11, 40));
}

namespace {
PerspectiveCamera cameraAt(const glm::vec3& eye, const glm::vec3& target)
{
    PerspectiveCamera camera("test");
    camera.setPerspective(60.0f, 1.0f, 0.1f, 200.0f);
    camera.lookAt(eye, target, glm::vec3(0, 1, 0));
    return camera;
}
}

TEST(WorldobjectCulling, ObjectsOutsideTheViewAreCulledAndBlastingMachinesAlsoLookAtTheirPack)
{
    const PerspectiveCamera camera = cameraAt(glm::vec3(0, 10, 0), glm::vec3(0, 10, -10));
    Sign ahead(glm::vec3(0, 10, -20), glm::vec3(0, 0, 1));
    Sign behind(glm::vec3(0, 10, 20), glm::vec3(0, 0, 1));
    EXPECT_FALSE(ahead.cullTest(camera));
    EXPECT_TRUE(behind.cullTest(camera));
    EXPECT_TRUE(behind.culled);

    StaticDynamite packInView(glm::vec3(0, 10, 20), glm::vec3(0, 10, -20), 3.0f);
    EXPECT_FALSE(packInView.cullTest(camera));
    StaticDynamite bothBehind(glm::vec3(0, 10, 20), glm::vec3(0, 10, 30), 3.0f);
    EXPECT_TRUE(bothBehind.cullTest(camera));
}

TEST_F(WorldobjectRules, ACageBuiltOnAWorkerGetsItsCatAtItsFirstUpdate)
{
    // Structures build cages on workers, where no cat may be made.
    std::unique_ptr<Cage> cage;
    std::thread([&] { cage = std::make_unique<Cage>(glm::vec3(10, 10, 10), true); }).join();
    EXPECT_EQ(cage->cat, nullptr);
    cage->update(1.0f / 60.0f, *this);
    ASSERT_NE(cage->cat, nullptr);
    EXPECT_TRUE(isCatGolden(*cage->cat));
    EXPECT_EQ(cage->cat->state, CAT_CAGED);
    EXPECT_LT(glm::distance(cage->cat->position(), glm::vec3(10, 10.6f, 10)), 1.0f);
    const Cat* made = cage->cat.get();
    cage->makeCat(); // one cat per cage
    EXPECT_EQ(cage->cat.get(), made);
}

TEST_F(WorldobjectRules, ACachedChunkGivesUpItsObjectsBeforeItIsQueuedForDestruction)
{
    place<Bonfire>(glm::vec3(10, 10, 10));
    Cage* cage = place<Cage>(glm::vec3(20, 10, 10), false);
    int deaths = 0;
    place<ProbeObject>(glm::vec3(30, 10, 10))->deaths = &deaths;
    player = glm::vec3(10, 10, 11);
    step();
    ASSERT_NE(gNearestBonfire, nullptr);
    ASSERT_NE(cage->cat, nullptr);

    world.chunkCache.push_back(std::move(world.chunks[0]));
    world.chunks.clear();
    testing::internal::CaptureStdout();
    world.queueCacheForDestruction(-1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Main: 1 chunks queued for destruction!\n");
    // Deleted here, before any worker sees the chunk: only its voxels are left to free.
    EXPECT_EQ(deaths, 1);
    ASSERT_EQ(world.destroyList.size(), 1u);
    EXPECT_TRUE(world.destroyList[0]->objects.empty());
    EXPECT_NE(world.destroyList[0]->root, nullptr);
    EXPECT_EQ(gNearestBonfire, nullptr);
    EXPECT_EQ(gNearestBonfireDistance, NO_BONFIRE_DISTANCE);
}
