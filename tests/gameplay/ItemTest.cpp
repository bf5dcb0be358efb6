#include "PlayerTestSupport.h"

#include "TestGame.h"

#include "world/World.h"
#include "gameplay/items/HeldPlacement.h"
#include "gameplay/items/Jetpack.h"
#include "gameplay/items/Potion.h"
#include "gameplay/items/ThrownItems.h"
#include "gameplay/projectiles/Ball.h"
#include "gameplay/projectiles/Cork.h"
#include "gameplay/projectiles/FlyingFish.h"
#include "gameplay/projectiles/Grenade.h"
#include "render/MeshTable.h"
#include "render/ParticleSystem.h"
#include "render/RandomUnit.h"
#include "render/ShaderTable.h"
#include "render/TextureTable.h"

#include <cmath>
#include <cstdlib>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <type_traits>

namespace {

// A player standing at (5, 20, 5) looking along -z, with a game world that
// collects what he throws.
class ItemTest : public PlayerTest {
protected:
    Settings savedSettings;
    std::unique_ptr<World> world;
    std::unique_ptr<TestGame> game; // what the player throws into: the world and particles

    void SetUp() override
    {
        PlayerTest::SetUp();
        savedSettings = gSettings;
        gSettings.threads = 1;
        world = std::make_unique<World>(0, glm::vec3(64.0f));
        game = std::make_unique<TestGame>();
        game->world = world.get();
        world->setServices(game.get());
        player->services = game.get();
        player->setPosition(glm::vec3(5.0f, 20.0f, 5.0f));
    }
    void TearDown() override
    {
        world.reset();
        game.reset();
        thrownFish.clear();
        gSettings = savedSettings;
        PlayerTest::TearDown();
    }

    std::vector<std::unique_ptr<Projectile>>& thrown() { return world->projectiles; }
    template <class P> P* thrownAs(size_t i) { return dynamic_cast<P*>(thrown().at(i).get()); }
    Item& held() { return *player->heldItem(); }
    void holdButton() { player->pressInput(InputBit::UseItem); }
};

} // namespace

TEST_F(ItemTest, KindsCarryTheirNamesCooldownsAndModels)
{
    struct Expected {
        const char* name;
        float cooldown;
        float bob;
        int mesh;
        int texture;
        glm::mat4 (*held)(const glm::mat4&); // where it sits in the hand
    };
    const Expected expected[] = {
        { "Dynamite", 1.0f, 1.0f, MESH_DYNAMITE, TEXTURE_DYNAMITE, heldDynamite },
        { "Fish", 1.0f, 1.0f, MESH_FISH, TEXTURE_FISH, heldBallOrFish },
        { "Jetpack", 0.0f, 0.4f, MESH_JETPACK, TEXTURE_JETPACK, heldJetpack },
        { "Ball", 1.0f, 1.0f, MESH_BALL, TEXTURE_WOOL, heldBallOrFish },
        { "Potion", 5.0f, 1.0f, MESH_POTION_BOTTLE, TEXTURE_POTION,
            [](const glm::mat4& hand) { return heldPotion(hand, Potion::IDLE, 0.0f); } },
    };
    // A hand pitched down a little, so every term of the placements counts.
    const glm::mat4 hand = glm::rotate(
        glm::translate(glm::mat4(1.0f), glm::vec3(3, 12, -4)), glm::radians(-25.0f), glm::vec3(1, 0, 0));
    for (int type = 0; type < 5; ++type) {
        for (bool inHand : { true, false }) {
            const auto item = makeItem(type, inHand);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->name, expected[type].name);
            EXPECT_EQ(item->type, type);
            EXPECT_FLOAT_EQ(item->cooldown, expected[type].cooldown);
            EXPECT_FLOAT_EQ(item->bobFactor, expected[type].bob);
            ASSERT_NE(item->model, nullptr);
            EXPECT_EQ(item->model->meshes[0], expected[type].mesh);
            EXPECT_EQ(item->model->textures[0], expected[type].texture);
            EXPECT_EQ(item->model->alwaysBright, inHand);
            EXPECT_EQ(item->model->shader, SHADER_MODEL);
            item->setMatrix(hand);
            EXPECT_EQ(item->model->getModelMatrix(), expected[type].held(hand)) << expected[type].name;
        }
    }
    // Gloves with the jetpack only in the hand; the potion always has its cork.
    EXPECT_EQ(makeItem(2, true)->model->meshes, std::vector<int>({ MESH_JETPACK, MESH_JETPACK_HAND }));
    EXPECT_EQ(makeItem(2, true)->model->textures, std::vector<int>({ TEXTURE_JETPACK, TEXTURE_GLOVES }));
    EXPECT_EQ(makeItem(2, false)->model->meshes, std::vector<int>({ MESH_JETPACK }));
    EXPECT_EQ(makeItem(4, false)->model->meshes, std::vector<int>({ MESH_POTION_BOTTLE, MESH_POTION_CORK }));

    // The overlay shows the held kind and how many are left.
    player->addItem(int(ItemType::Dynamite), 3);
    overlay.update(kStep);
    EXPECT_EQ(overlay.nameText(), "Dynamite");
    EXPECT_EQ(overlay.countText(), "3");
}

TEST_F(ItemTest, DynamiteAndFishAreThrownFromOneUnitAheadOnePerSecond)
{
    player->addItem(int(ItemType::Dynamite), 2);
    holdButton();
    stepOnGround();
    ASSERT_EQ(thrown().size(), 1u);
    Grenade* stick = thrownAs<Grenade>(0);
    ASSERT_NE(stick, nullptr);
    EXPECT_EQ(stick->position(), glm::vec3(5.0f, 20.0f, 4.0f));
    EXPECT_NEAR(glm::distance(stick->velocity, glm::vec3(0.0f, 0.0f, -0.7f)), 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(stick->lifetime, 3.0f);
    EXPECT_EQ(held().count, 1);
    // The next stick follows a second later, whatever the rounding of the steps.
    int wait = 0;
    while (thrown().size() == 1u && wait < 100) {
        stepOnGround();
        ++wait;
    }
    EXPECT_NEAR(wait, 60, 1);
    EXPECT_EQ(thrown().size(), 2u);

    player->addItem(int(ItemType::Fish), 1);
    stepOnGround();
    ASSERT_EQ(thrown().size(), 3u);
    FlyingFish* fish = thrownAs<FlyingFish>(2);
    ASSERT_NE(fish, nullptr);
    EXPECT_EQ(fish->position(), glm::vec3(5.0f, 20.0f, 4.0f));
    EXPECT_NEAR(glm::distance(fish->velocity, glm::vec3(0.0f, 0.0f, -0.5f)), 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(fish->lifetime, 20.0f);
    EXPECT_FALSE(fish->taken);
    EXPECT_EQ(thrownFish, std::vector<FlyingFish*>({ fish }));
}

TEST_F(ItemTest, OneBallInFlightAndNothingReadsItOnceTheWorldDeletedIt)
{
    player->addItem(int(ItemType::BallItem), 2);
    holdButton();
    testing::internal::CaptureStdout();
    stepOnGround();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Ball: Throw\n");
    ASSERT_EQ(thrown().size(), 1u);
    Ball* ball = thrownAs<Ball>(0);
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(ball->position(), glm::vec3(5.0f, 20.0f, 4.0f));
    EXPECT_FLOAT_EQ(ball->speed, 0.5f);
    EXPECT_EQ(player->thrownBall, ball);
    EXPECT_EQ(currentBall, ball);
    EXPECT_EQ(held().count, 1);

    // The second ball stays in the hand while the first flies.
    testing::internal::CaptureStdout();
    stepOnGround(120);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(thrown().size(), 1u);
    EXPECT_EQ(held().count, 1);

    // A new game deletes the world with the ball in it.
    player->releaseInput(InputBit::UseItem);
    world.reset();
    game->world = nullptr;
    EXPECT_EQ(currentBall, nullptr);
    stepOnGround();
    EXPECT_EQ(player->thrownBall, nullptr);
}

TEST_F(ItemTest, AJetpackOf300GivesExactly300StepsOfThrust)
{
    player->addItem(int(ItemType::Jetpack), 300);
    Item* jetpack = &held();
    EXPECT_EQ(jetpack->count, 300);
    holdButton();
    int thrustSteps = 0;
    for (int i = 0; i < 400 && player->heldItem() == jetpack; ++i) {
        const int before = jetpack->count;
        stepOnGround();
        if (player->heldItem() != jetpack || jetpack->count < before)
            ++thrustSteps;
    }
    EXPECT_EQ(thrustSteps, 300);
    EXPECT_EQ(player->heldItem()->type, int(ItemType::Hands));
    EXPECT_EQ(player->inventory.size(), 1u);
}

TEST_F(ItemTest, ThrustAddsATenthWhileFallingAndLevelsOffClimbing)
{
    Jetpack jetpack(true);
    jetpack.owner = player.get();
    for (float vy : { -0.5f, -0.01f }) {
        player->velocity.y = vy;
        jetpack.use();
        EXPECT_FLOAT_EQ(player->velocity.y, vy + 0.1f);
    }
    EXPECT_FLOAT_EQ(Jetpack::boost(0.0f), 0.1f);
    EXPECT_NEAR(Jetpack::boost(std::exp(0.2f) - 1.0f), 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(Jetpack::boost(0.5f), 0.0f);
    EXPECT_GT(Jetpack::boost(0.1f), 0.0f);

    // Two exhaust puffs per level, ten levels a step.
    const int before = game->particleSystem->writeIndex;
    jetpack.use();
    EXPECT_EQ(game->particleSystem->writeIndex - before, 20);
    EXPECT_TRUE(jetpack.thrusting);
    jetpack.update(kStep);
    EXPECT_FALSE(jetpack.thrusting);
    EXPECT_FLOAT_EQ(jetpack.timeSinceUse, 999.0f); // no cooldown runs
}

TEST_F(ItemTest, DrinkingTakesFourSecondsFromTheClickToTheProtection)
{
    player->addItem(int(ItemType::Potion), 2);
    auto* potion = dynamic_cast<Potion*>(&held());
    ASSERT_NE(potion, nullptr);
    holdButton();
    stepOnGround();
    // The cork pops at once and flies off along the bottle's up axis.
    EXPECT_EQ(potion->phase, Potion::CORK_POPPED);
    ASSERT_EQ(thrown().size(), 1u);
    Cork* cork = thrownAs<Cork>(0);
    ASSERT_NE(cork, nullptr);
    EXPECT_EQ(cork->renderModel->meshes[0], MESH_POTION_CORK);
    EXPECT_FLOAT_EQ(cork->lifetime, 30.0f);
    EXPECT_GT(cork->velocity.y, 0.0f);
    EXPECT_EQ(potion->count, 2); // taken only when drunk
    EXPECT_EQ(game->particleSystem->writeIndex, 150); // the fizz

    int steps = 1;
    while (game->potion < 30.0f && steps < 400) {
        stepOnGround();
        ++steps;
        if (steps == 100) {
            EXPECT_EQ(potion->phase, Potion::CORK_POPPED);
        } else if (steps == 150) {
            EXPECT_EQ(potion->phase, Potion::RAISING);
        } else if (steps == 210) {
            EXPECT_EQ(potion->phase, Potion::DRINKING);
            EXPECT_GT(game->potionGlow, 0.4f);
        }
    }
    // Three timed phases, each of which may round up by one step.
    EXPECT_NEAR(steps, 240, 3);
    EXPECT_EQ(potion->phase, Potion::IDLE);
    EXPECT_FLOAT_EQ(game->potionGlow, 1.0f);
    EXPECT_EQ(potion->count, 1);
    // The empty bottle is thrown away; the button still held cannot start
    // another drink before five seconds have passed since the click.
    ASSERT_EQ(thrown().size(), 2u);
    Cork* bottle = thrownAs<Cork>(1);
    ASSERT_NE(bottle, nullptr);
    EXPECT_EQ(bottle->renderModel->meshes[0], MESH_POTION_BOTTLE);
    EXPECT_FLOAT_EQ(bottle->lifetime, 120.0f);
    EXPECT_NEAR(glm::distance(bottle->velocity, glm::vec3(0.0f, 0.1f, -0.2f)), 0.0f, 1e-6f);
    stepOnGround(299 - steps);
    EXPECT_EQ(potion->phase, Potion::IDLE);
    stepOnGround(2);
    EXPECT_EQ(potion->phase, Potion::CORK_POPPED);
}

TEST_F(ItemTest, TheCorkShowsOnlyOnAClosedBottle)
{
    Potion potion(true);
    potion.owner = player.get();
    potion.setMatrix(player->modelMatrix());
    EXPECT_TRUE(potion.model->partVisible[1]);
    ASSERT_TRUE(potion.tryUse());
    potion.setMatrix(player->modelMatrix());
    EXPECT_FALSE(potion.model->partVisible[1]);
    EXPECT_FALSE(potion.tryUse());
}

// The potion's bubbles, replayed draw for draw: direction, rise, tint, lifetime.
TEST(PotionFizz, RisesVioletToPinkFromADiscAroundTheNeck)
{
    const glm::vec3 neck(4.0f, 10.0f, -2.0f);
    ParticleSystem ps;
    std::srand(8);
    ps.spawnFizz(neck, potionFizz());
    ASSERT_EQ(ps.writeIndex, 150);
    std::srand(8);
    for (int i = 0; i < 150; ++i) {
        const Particle& p = ps.particles[size_t(i)];
        const glm::vec3 u = randomUnitVector();
        EXPECT_EQ(p.position, neck + glm::vec3(u.x, 0.0f, u.z) * 1.5f);
        EXPECT_EQ(p.velocity, glm::vec3(0.2f * u.x, randomUniform(0.8f, 1.5f), 0.2f * u.z));
        const float tint = randomUniform(0.0f, 1.0f);
        EXPECT_EQ(p.color, glm::vec4(0.6f + 0.3f * tint, 0.2f, 1.0f - 0.3f * tint, 1.0f));
        EXPECT_EQ(p.params, glm::vec2(1.5f, -0.5f));
        EXPECT_EQ(p.endTime, p.spawnTime + randomUniform(0.8f, 1.4f));
    }
}
