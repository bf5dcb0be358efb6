// The World's bodies on a real world of flat stone (ground up to y = 10).
#include "StreamingTestHelpers.h"
#include "WorldTestHelpers.h"

#include "gameplay/Cat.h"
#include "gameplay/Death.h"
#include "gameplay/GameServices.h"
#include "gameplay/Player.h"
#include "gameplay/projectiles/Projectile.h"
#include "gui/ButtonHelper.h"

#include <gtest/gtest.h>

namespace {

// A body that, like a cat splitting, adds cats to the world from its own update.
class Splitter : public Character {
public:
    Splitter(World& world, int perUpdate)
        : world(world)
        , perUpdate(perUpdate)
    {
    }
    void update(float) override
    {
        for (int i = 0; i < perUpdate; ++i)
            world.addCat(position() + glm::vec3(0.0f, 1.0f, 0.0f), true);
    }
    void draw(const FrameState&) override { }

    World& world;
    int perUpdate;
};

class TestProjectile : public Projectile {
public:
    explicit TestProjectile(const glm::vec3& at, float blastRadius = 0.0f, int lifeSteps = 1)
        : Projectile(0.2f, at, glm::vec3(0.0f))
        , blastRadius(blastRadius)
        , lifeSteps(lifeSteps)
    {
    }
    // Ends like a grenade: its blast asked of the game it flies in.
    void update(float) override
    {
        if (--lifeSteps > 0)
            return;
        kill();
        if (blastRadius > 0.0f && services)
            services->explode({ position(), blastRadius, 1.0f });
    }
    void hitCharacter(const glm::vec3&) override { ++hits; }
    float blastRadius;
    int lifeSteps;
    int hits = 0;
};

// Carves a blast into its world, as the running game does after the sparks.
class CarvingGame : public GameServices {
public:
    explicit CarvingGame(World& world)
        : world(world)
    {
    }
    void explode(const Explosion& blast) override { world.carve(blast.sphere()); }
    World& world;
};

class WorldBodies : public testing::Test {
protected:
    void SetUp() override
    {
        saved = gSettings;
        world = makeTestWorld(0, 1);
        auto body = std::make_unique<Player>(nullptr);
        body->placeAt(glm::vec3(32.0f, 10.86f, 32.0f)); // feet just above the stone
        player = body.get();
        world->addPlayer(std::move(body));
        world->update(0.0f); // an empty world counts as loaded: start the square first
        ASSERT_TRUE(runFramesUntil(*world, [&] { return settled(*world); }));
    }
    void TearDown() override
    {
        world.reset();
        gSettings = saved;
    }

    int catCount() const
    {
        int n = 0;
        for (const auto& body : world->entities)
            n += dynamic_cast<Cat*>(body.get()) != nullptr;
        return n;
    }
    ProbeObject& addObject(const glm::vec3& at, bool hint = true)
    {
        auto probe = std::make_unique<ProbeObject>(at);
        probe->hint = hint;
        ProbeObject& ref = *probe;
        world->findChunk(0, 0)->objects.push_back(std::move(probe));
        return ref;
    }

    Settings saved;
    std::unique_ptr<World> world;
    Player* player = nullptr;
};

}

TEST_F(WorldBodies, DeathIsCreatedWithTheWorldAndThePlayerJoinsAfterIt)
{
    ASSERT_NE(world->death, nullptr);
    ASSERT_EQ(world->entities.size(), 2u);
    EXPECT_EQ(world->entities[0].get(), world->death);
    EXPECT_EQ(world->entities[1].get(), world->player);
    EXPECT_EQ(world->player, player);
    // The player stands on the ground and the square follows him.
    EXPECT_EQ(world->playerPosition, player->position());
    EXPECT_EQ(world->centerChunk, glm::vec2(0.0f));
}

TEST_F(WorldBodies, TheCharacterPassLandsThePlayerOnTheGround)
{
    player->velocity = glm::vec3(0.0f, -0.5f, 0.0f);
    world->update(1.0f / 60.0f);
    EXPECT_FLOAT_EQ(player->position().y, 10.86f); // the fall was undone
    EXPECT_EQ(player->velocity.y, 0.0f);
    EXPECT_EQ(player->airTime, 0.0f);

    player->alive = false;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    world->update(1.0f / 60.0f);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Warning the player died!\n");
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Respawning at origin...\n"), std::string::npos);
    EXPECT_TRUE(player->alive);
    EXPECT_EQ(world->entities.size(), 2u); // the player is never removed
}

TEST_F(WorldBodies, CatsAddedWhileBodiesAreSteppedJoinAfterThePass)
{
    world->entities.push_back(std::make_unique<Splitter>(*world, 20));
    world->update(1.0f / 60.0f);
    EXPECT_EQ(catCount(), 20);
    world->update(1.0f / 60.0f);
    EXPECT_EQ(catCount(), 40);

    // Outside a step a cat joins at once, found.
    Cat* cat = world->addCat(glm::vec3(40.0f, 12.0f, 40.0f), true);
    EXPECT_EQ(world->entities.back().get(), cat);
    EXPECT_TRUE(cat->moving); // told it was found
    EXPECT_TRUE(cat->golden);
}

TEST_F(WorldBodies, RemoveCatsTakesTheLastCatsFirstAndReportsMissingOnes)
{
    Cat* first = world->addCat(glm::vec3(40.0f, 12.0f, 40.0f), false);
    world->addCat(glm::vec3(44.0f, 12.0f, 40.0f), false);
    world->addCat(glm::vec3(48.0f, 12.0f, 40.0f), false);
    player->catCount = 3;

    world->removeCats(2);
    EXPECT_EQ(catCount(), 1);
    EXPECT_EQ(player->catCount, 1);
    ASSERT_EQ(world->entities.size(), 3u);
    EXPECT_EQ(world->entities[2].get(), first);
    EXPECT_NE(world->death, nullptr);

    testing::internal::CaptureStderr();
    world->removeCats(3);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        "ERROR:  cannot delete 3 cats because there are not cats anymore :(\n");
    EXPECT_EQ(catCount(), 0);
    EXPECT_EQ(player->catCount, 0);
    EXPECT_EQ(world->entities.size(), 2u);
}

TEST_F(WorldBodies, NearestCatIsTheClosestWithinTwoUnits)
{
    const glm::vec3 at = player->position();
    EXPECT_EQ(world->nearestCat(), nullptr);
    world->addCat(at + glm::vec3(2.5f, 0.0f, 0.0f), false);
    EXPECT_EQ(world->nearestCat(), nullptr);
    Cat* far = world->addCat(at + glm::vec3(1.5f, 0.0f, 0.0f), false);
    EXPECT_EQ(world->nearestCat(), far);
    Cat* near = world->addCat(at + glm::vec3(0.0f, 0.0f, -1.0f), false);
    EXPECT_EQ(world->nearestCat(), near);
}

TEST_F(WorldBodies, ActivationAndTheHintReachOnlyObjectsNearThePlayer)
{
    const glm::vec3 at = player->position();
    ProbeObject& near = addObject(at + glm::vec3(1.5f, 0.0f, 0.0f), false);
    ProbeObject& far = addObject(at + glm::vec3(0.0f, 0.0f, 2.5f));
    world->activateNearby();
    EXPECT_EQ(near.activations, 1);
    EXPECT_EQ(far.activations, 0);

    ButtonHelper hint;
    world->hintDisplay = &hint;
    world->update(1.0f / 60.0f);
    EXPECT_FALSE(world->interactionHint); // the near one shows no hint
    EXPECT_EQ(hint.hint, -1);
    addObject(at + glm::vec3(-1.0f, 0.5f, 0.0f));
    world->update(1.0f / 60.0f);
    EXPECT_TRUE(world->interactionHint);
    EXPECT_EQ(hint.hint, 1); // the right button, the one that activates
    world->hintDisplay = nullptr;
}

TEST_F(WorldBodies, AFinishedBlastCarvesTheGroundAndTheProjectileGoes)
{
    CarvingGame game(*world);
    world->setServices(&game);
    const glm::vec3 ground(20.0f, 10.0f, 20.0f);
    int destroyed = 0;
    addObject(ground + glm::vec3(0.0f, 1.0f, 0.0f)).deaths = &destroyed;
    world->addProjectile(std::make_unique<TestProjectile>(ground + glm::vec3(0.0f, 0.5f, 0.0f), 3.0f));
    auto dud = std::make_unique<TestProjectile>(player->position(), 0.0f, 3);
    TestProjectile& inPlayer = *dud;
    world->addProjectile(std::move(dud));
    world->update(1.0f / 60.0f);
    EXPECT_EQ(world->projectiles.size(), 1u);
    EXPECT_EQ(inPlayer.hits, 1); // characters do not stop it, but it hits them
    EXPECT_EQ(destroyed, 1); // the blast reached the object, and the chunk deleted it
    // The edit waits for the next frame; then the crater is there.
    ASSERT_TRUE(runFramesUntil(*world, [&] { return world->heightAt(ground) < 9.0f; }));
    EXPECT_LT(world->heightAt(ground), 8.0f);
    world->setServices(nullptr);
}

TEST_F(WorldBodies, PlaceOnSurfaceRisesOutOfTheGround)
{
    world->placeOnSurface(*player, 5.0f, 70.0f);
    EXPECT_GT(player->position().y, 10.85f);
    EXPECT_LT(player->position().y, 11.0f);
    EXPECT_FALSE(world->collidesWithVoxels(*player));
    EXPECT_FALSE(world->collidesWithCharacters(*player));
}

TEST_F(WorldBodies, DestroyingTheWorldDeletesEveryBody)
{
    int deaths = 0;
    auto object = std::make_unique<ProbeObject>(glm::vec3(10.0f, 12.0f, 10.0f));
    object->deaths = &deaths;
    world->findChunk(0, 0)->objects.push_back(std::move(object));
    for (int i = 0; i < 5; ++i)
        world->addCat(glm::vec3(10.0f + i, 12.0f, 10.0f), false);
    world->addProjectile(std::make_unique<TestProjectile>(glm::vec3(5.0f, 30.0f, 5.0f), 0.0f, 100));
    testing::internal::CaptureStdout();
    world.reset();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("World: All Threads terminated.\nWorld: Chunks deleted.\n"), std::string::npos);
    EXPECT_EQ(deaths, 1);
}
