// The player's rules on the fake audio device: controls, walking, running,
// jumping, the inventory, the ball, the threat sounds, footsteps and the bob.
#include "PlayerTestSupport.h"

#include "gameplay/Hands.h"
#include "gui/GuiText.h"
#include "render/FrameState.h"
#include "world/BodyPasses.h"
#include "world/CollisionScene.h"

#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

namespace {

glm::vec3 horizontal(const glm::vec3& v)
{
    return glm::vec3(v.x, 0.0f, v.z);
}

}

TEST_F(PlayerTest, ConstructionHoldsTheHandsAtTheOrigin)
{
    ASSERT_EQ(player->inventory.size(), 1u);
    EXPECT_EQ(player->selectedIndex, 0);
    EXPECT_EQ(player->heldItem()->type, int(ItemType::Hands));
    EXPECT_EQ(player->heldItem()->owner, player.get());
    EXPECT_EQ(overlay.nameText(), "No Item");
    EXPECT_EQ(player->position(), glm::vec3(0.0f));
    EXPECT_EQ(player->box.center(), glm::vec3(0.0f));
    EXPECT_FALSE(player->showBoxes);
    // Five listener-relative sources; heartbeat and noise loop.
    for (const SoundSource* s :
        { &player->footstepA, &player->footstepB, &player->heartbeat, &player->breathing, &player->noise })
        EXPECT_TRUE(source(*s).relative);
    EXPECT_TRUE(source(player->heartbeat).looping);
    EXPECT_TRUE(source(player->noise).looping);
    EXPECT_FALSE(source(player->footstepA).looping);
}

TEST_F(PlayerTest, OpposedKeysMoveBackAndRightAtWalkingSpeed)
{
    player->pressInput(InputBit::MoveForward);
    player->pressInput(InputBit::MoveBack);
    stepOnGround();
    EXPECT_NEAR(player->velocity.z, 5.0f * kStep, 1e-6f); // back wins
    EXPECT_EQ(player->velocity.x, 0.0f);

    player->inputFlags = 0;
    player->pressInput(InputBit::MoveLeft);
    player->pressInput(InputBit::MoveRight);
    stepOnGround();
    EXPECT_NEAR(player->velocity.x, 5.0f * kStep, 1e-6f); // right wins

    // Diagonal walking is no faster than straight walking.
    player->pressInput(InputBit::MoveForward);
    stepOnGround();
    EXPECT_NEAR(glm::length(horizontal(player->velocity)), 5.0f * kStep, 1e-6f);
}

TEST_F(PlayerTest, WalkingFollowsTheHeadingAndNotThePitch)
{
    player->turn(90.0f, 0.0f);
    player->pressInput(InputBit::MoveForward);
    stepOnGround();
    const glm::vec3 level = player->velocity;
    EXPECT_NEAR(level.x, -5.0f * kStep, 1e-5f); // turned left: forward is -x

    player->turn(0.0f, -70.0f); // looking far down
    stepOnGround();
    EXPECT_NEAR(glm::length(horizontal(player->velocity)), 5.0f * kStep, 1e-5f);
    EXPECT_NEAR(glm::dot(glm::normalize(horizontal(player->velocity)), glm::vec3(-1, 0, 0)), 1.0f, 1e-5f);
}

TEST_F(PlayerTest, LookingStraightDownForwardGoesNowhereWithoutInvalidNumbers)
{
    player->model[1] = glm::vec4(0.0f, 0.0f, -1.0f, 0.0f);
    player->model[2] = glm::vec4(0.0f, 1.0f, 0.0f, 0.0f);
    player->pressInput(InputBit::MoveForward);
    stepOnGround();
    EXPECT_EQ(player->velocity.x, 0.0f);
    EXPECT_EQ(player->velocity.z, 0.0f);
    EXPECT_FALSE(std::isnan(player->velocity.y));
    // Strafing still works.
    player->pressInput(InputBit::MoveRight);
    stepOnGround();
    EXPECT_NEAR(player->velocity.x, 5.0f * kStep, 1e-6f);
}

TEST_F(PlayerTest, JumpGivesAnImpulseOnlyOnTheGround)
{
    player->pressInput(InputBit::Jump);
    player->update(kStep);
    EXPECT_NEAR(player->velocity.y, 0.3f - kStep, 1e-6f);

    // In the air the vertical velocity carries on and gravity takes its share.
    player->airTime = kStep;
    const float before = player->velocity.y;
    player->update(kStep);
    EXPECT_NEAR(player->velocity.y, before - kStep, 1e-6f);
    // Falling keeps accumulating.
    player->velocity.y = -0.5f;
    player->update(kStep);
    EXPECT_NEAR(player->velocity.y, -0.5f - kStep, 1e-6f);
}

TEST_F(PlayerTest, RunningLastsAboutFiveAndAHalfSecondsThenRests)
{
    player->pressInput(InputBit::MoveForward);
    player->pressInput(InputBit::Run);
    int running = 0;
    while (running < 1000) {
        stepOnGround();
        if (glm::length(horizontal(player->velocity)) < 6.0f * kStep)
            break;
        ++running;
    }
    EXPECT_NEAR(running / 60.0f, 5.5f, 0.2f);
    EXPECT_TRUE(source(player->breathing).playing);
    EXPECT_EQ(source(player->breathing).buffer, int(SOUND_BREATHING));
}

TEST_F(PlayerTest, RunningOutAtTheLastDropRefusesRunningForTwoSeconds)
{
    player->stamina = 0.003f;
    player->pressInput(InputBit::MoveForward);
    player->pressInput(InputBit::Run);
    stepOnGround();
    EXPECT_NEAR(glm::length(horizontal(player->velocity)), 9.0f * kStep, 1e-5f); // this step still runs
    EXPECT_LE(player->stamina, 0.0f);
    EXPECT_EQ(player->timeSinceExhausted, 0.0f);
    EXPECT_TRUE(source(player->breathing).playing);

    // Walking for two seconds although the reserve refills.
    for (int i = 0; i < 119; ++i) {
        stepOnGround();
        ASSERT_NEAR(glm::length(horizontal(player->velocity)), 5.0f * kStep, 1e-5f) << i;
    }
    EXPECT_GT(player->stamina, 0.5f);
    stepOnGround(2);
    EXPECT_NEAR(glm::length(horizontal(player->velocity)), 9.0f * kStep, 1e-5f);
}

TEST_F(PlayerTest, ExhaustionHighInTheAirStaysSilent)
{
    player->stamina = 0.003f;
    player->airTime = 1.5f;
    player->pressInput(InputBit::Run);
    player->update(kStep);
    EXPECT_EQ(player->timeSinceExhausted, 0.0f);
    EXPECT_FALSE(source(player->breathing).playing);
}

TEST_F(PlayerTest, AddItemTwiceMakesOneItemAndOnlyAddsTheSecondTime)
{
    player->addItem(int(ItemType::BallItem), 2);
    ASSERT_EQ(player->inventory.size(), 2u);
    EXPECT_EQ(player->selectedIndex, 1);
    EXPECT_EQ(player->heldItem()->count, 2);
    EXPECT_EQ(player->heldItem()->owner, player.get());
    EXPECT_EQ(overlay.nameText(), "Ball");
    EXPECT_EQ(overlay.countText(), "2");

    player->selectSlot(0); // back to the hands
    player->addItem(int(ItemType::BallItem), 2);
    ASSERT_EQ(player->inventory.size(), 2u);
    EXPECT_EQ(player->inventory[1]->count, 4);
    EXPECT_EQ(player->selectedIndex, 0); // nothing else changed
    EXPECT_EQ(overlay.nameText(), "No Item");
}

TEST_F(PlayerTest, EveryKnownTypeIsMadeWithItsNameAndAnUnknownOneEndsTheProgram)
{
    const char* names[] = { "Dynamite", "Fish", "Jetpack", "Ball", "Potion", "No Item" };
    for (int type = 0; type <= 5; ++type) {
        const auto item = makeItem(type, false);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->name, names[type]);
        EXPECT_EQ(item->type, type);
        EXPECT_EQ(item->count, 1);
        EXPECT_FALSE(item->held);
    }
    EXPECT_EQ(makeItem(-1, true), nullptr);
    EXPECT_EQ(makeItem(6, true), nullptr);
    EXPECT_EXIT(player->addItem(6, 1), ::testing::ExitedWithCode(1), "ITEM TYPE 6 NOT DEFINED\n");
    EXPECT_EXIT(player->addItem(-3, 1), ::testing::ExitedWithCode(1), "ITEM TYPE -3 NOT DEFINED\n");
}

TEST_F(PlayerTest, SelectSlotSwitchesOnlyToExistingSlots)
{
    auto* first = hold(std::make_unique<RecordingItem>(1));
    auto* second = hold(std::make_unique<RecordingItem>(4));
    ASSERT_EQ(player->inventory.size(), 3u);
    player->selectSlot(4); // no fifth item
    player->selectSlot(-1);
    player->selectSlot(9);
    EXPECT_EQ(player->selectedIndex, 2);
    EXPECT_EQ(second->deselects, 0);

    player->selectSlot(1);
    EXPECT_EQ(player->selectedIndex, 1);
    EXPECT_EQ(second->deselects, 1);
    EXPECT_EQ(first->selects, 1);
    EXPECT_EQ(overlay.nameText(), "Recorder");
}

TEST_F(PlayerTest, TheHeldItemIsUsedWhileTheButtonIsHeldAndDroppedWhenEmpty)
{
    auto* item = hold(std::make_unique<RecordingItem>());
    item->count = 3;
    player->pressInput(InputBit::UseItem);
    stepOnGround(); // used at once (999 s since the last use)
    EXPECT_EQ(item->uses, 1);
    EXPECT_EQ(item->count, 2);
    EXPECT_EQ(item->updates, 1);
    stepOnGround(58); // cooldown of one second
    EXPECT_EQ(item->uses, 1);
    stepOnGround(3);
    EXPECT_EQ(item->uses, 2);
    EXPECT_EQ(item->count, 1);
    // The last unit used up: the item is gone in the same step and the hands are held again.
    stepOnGround(61);
    ASSERT_EQ(player->inventory.size(), 1u);
    EXPECT_EQ(player->selectedIndex, 0);
    EXPECT_EQ(overlay.nameText(), "No Item");
    EXPECT_EQ(overlay.countText(), "1");
}

TEST_F(PlayerTest, HandsOnlyWaitForTheirCooldown)
{
    Hands hands(true);
    EXPECT_EQ(hands.name, "No Item");
    EXPECT_TRUE(hands.tryUse());
    EXPECT_FALSE(hands.tryUse());
    hands.update(0.29f);
    EXPECT_FALSE(hands.tryUse());
    hands.update(0.02f);
    EXPECT_TRUE(hands.tryUse());
    EXPECT_EQ(hands.count, 1); // never consumed
}

TEST_F(PlayerTest, TheBallComesBackWithinFiveUnitsAndIsDeletedBeyondSeventy)
{
    Ball ball(glm::vec3(4.0f, 0.0f, 0.0f), glm::vec3(0.0f));
    player->thrownBall = currentBall = &ball;
    stepOnGround(); // not asked for
    EXPECT_TRUE(ball.alive);
    player->pressInput(InputBit::PickUp);
    stepOnGround();
    EXPECT_FALSE(ball.alive);
    EXPECT_EQ(player->thrownBall, nullptr);
    EXPECT_EQ(currentBall, nullptr);
    EXPECT_EQ(player->heldItem()->type, int(ItemType::BallItem));

    Ball far(glm::vec3(0.0f, 0.0f, 70.5f), glm::vec3(0.0f));
    player->thrownBall = currentBall = &far;
    testing::internal::CaptureStdout();
    stepOnGround();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Ball: TOO FAR AWAY, DELETE\n");
    EXPECT_FALSE(far.alive);
    EXPECT_EQ(player->thrownBall, nullptr);
    EXPECT_EQ(currentBall, nullptr);
    EXPECT_EQ(player->inventory[1]->count, 1); // not given back
}

TEST_F(PlayerTest, ABallDeletedByTheWorldIsForgotten)
{
    auto ball = std::make_unique<Ball>(glm::vec3(1.0f, 0.0f, 0.0f), glm::vec3(0.0f));
    player->thrownBall = currentBall = ball.get();
    ball.reset(); // the world deleted it
    player->pressInput(InputBit::PickUp);
    stepOnGround();
    EXPECT_EQ(player->thrownBall, nullptr);
    EXPECT_EQ(player->inventory.size(), 1u); // nothing picked up
}

TEST_F(PlayerTest, ThreatStartsHeartbeatAndNoiseWhichFadeAfterwards)
{
    player->setThreat(0.5f);
    EXPECT_TRUE(source(player->heartbeat).playing);
    EXPECT_FLOAT_EQ(source(player->heartbeat).gain, 0.8f);
    EXPECT_TRUE(source(player->noise).playing);
    EXPECT_FLOAT_EQ(source(player->noise).gain, 0.5f);

    // Between 0.3 and 0.4 the noise keeps its level.
    player->setThreat(0.35f);
    EXPECT_FLOAT_EQ(player->noiseLevel, 0.5f);

    // Low threat: the noise fades by 0.01 a step and stops once at zero.
    player->timeSinceThreat = 2.0f;
    player->setThreat(0.1f);
    EXPECT_NEAR(player->noiseLevel, 0.49f, 1e-6f);
    EXPECT_NEAR(source(player->noise).gain, 0.49f, 1e-6f);
    EXPECT_NEAR(source(player->heartbeat).gain, 0.4f, 1e-6f); // (4 - 2) x 0.25 x 0.8
    for (int i = 0; i < 60 && source(player->noise).playing; ++i)
        player->setThreat(0.1f);
    EXPECT_FALSE(source(player->noise).playing);
    EXPECT_GE(source(player->noise).gain, 0.0f);

    player->timeSinceThreat = 3.0f;
    player->setThreat(0.0f);
    EXPECT_FALSE(source(player->heartbeat).playing);
}

TEST_F(PlayerTest, StopSoundsSilencesNoiseHeartbeatAndBreathing)
{
    player->setThreat(0.9f);
    sound->play(player->breathing, SOUND_BREATHING);
    player->stopSounds();
    EXPECT_EQ(player->noiseLevel, 0.0f);
    EXPECT_FALSE(source(player->noise).playing);
    EXPECT_FALSE(source(player->heartbeat).playing);
    EXPECT_FALSE(source(player->breathing).playing);
}

TEST_F(PlayerTest, FootstepsAlternateWhileWalkingAndStopStandingOrInTheAir)
{
    player->pressInput(InputBit::MoveForward);
    stepOnGround(26);
    // The first footstep is the second sound, on the second source.
    EXPECT_EQ(source(player->footstepB).plays, 1);
    EXPECT_EQ(source(player->footstepB).buffer, int(SOUND_FOOTSTEP_GRASS2));
    EXPECT_EQ(source(player->footstepA).plays, 0);
    source(player->footstepB).playing = false; // it has finished
    stepOnGround(25);
    EXPECT_EQ(source(player->footstepA).plays, 1);
    EXPECT_EQ(source(player->footstepA).buffer, int(SOUND_FOOTSTEP_GRASS));

    // Standing still or flying: no footsteps.
    source(player->footstepA).playing = false;
    player->inputFlags = 0;
    stepOnGround(120);
    player->pressInput(InputBit::MoveForward);
    for (int i = 0; i < 120; ++i) {
        player->airTime = 0.5f;
        player->update(kStep);
        player->velocity.y = 0.0f;
    }
    EXPECT_EQ(source(player->footstepA).plays + source(player->footstepB).plays, 2);
}

TEST_F(PlayerTest, TheBobSwingsWhileWalkingAndSettlesStanding)
{
    player->pressInput(InputBit::MoveForward);
    float low = 0.0f, high = 0.0f;
    for (int i = 0; i < 300; ++i) {
        stepOnGround();
        low = std::min(low, player->bobOffset.y);
        high = std::max(high, player->bobOffset.y);
    }
    EXPECT_LT(low, -0.02f);
    EXPECT_GT(high, 0.02f);
    EXPECT_LT(high, 0.0235f);
    player->inputFlags = 0;
    stepOnGround(200);
    for (int i = 0; i < 200; ++i) {
        stepOnGround();
        ASSERT_LE(std::fabs(player->bobOffset.y), 0.0103f);
    }
    EXPECT_EQ(player->bobOffset.x, 0.0f);
    EXPECT_EQ(player->bobOffset.z, 0.0f);
}

TEST_F(PlayerTest, TheListenerFollowsThePlayer)
{
    player->placeAt(glm::vec3(3.0f, 20.0f, -4.0f));
    player->turn(90.0f, 0.0f);
    player->update(kStep);
    EXPECT_EQ(fake->listenerPosition, glm::vec3(3.0f, 20.0f, -4.0f));
    EXPECT_NEAR(fake->listenerAt.x, -1.0f, 1e-5f);
    EXPECT_EQ(fake->listenerUp, glm::vec3(0.0f, 1.0f, 0.0f));
}

TEST_F(PlayerTest, TheEyeSitsAboveTheCentreAndTheItemMovesWithTheBob)
{
    player->placeAt(glm::vec3(1.0f, 10.0f, 2.0f));
    player->turn(30.0f, -20.0f);
    const glm::mat4 eye = glm::inverse(player->viewMatrix());
    EXPECT_NEAR(glm::distance(glm::vec3(eye[3]), glm::vec3(1.0f, 10.6f, 2.0f)), 0.0f, 1e-5f);

    auto* item = hold(std::make_unique<RecordingItem>());
    item->bobFactor = 0.4f;
    player->bobOffset = glm::vec3(0.0f, 0.01f, 0.0f);
    player->draw(FrameState());
    EXPECT_EQ(item->draws, 1);
    const glm::vec3 expected = glm::vec3(player->model[3]) + 0.004f * glm::vec3(player->model[1]);
    EXPECT_NEAR(glm::distance(glm::vec3(item->matrix[3]), expected), 0.0f, 1e-6f);
}

TEST(CatsLostOnRespawn, LosesOneCatPerThreeFoundUpToThree)
{
    EXPECT_EQ(catsLostOnRespawn(0), 0);
    EXPECT_EQ(catsLostOnRespawn(1), 1);
    EXPECT_EQ(catsLostOnRespawn(3), 1);
    EXPECT_EQ(catsLostOnRespawn(4), 2);
    EXPECT_EQ(catsLostOnRespawn(6), 2);
    EXPECT_EQ(catsLostOnRespawn(7), 3);
    EXPECT_EQ(catsLostOnRespawn(40), 3);
    EXPECT_EQ(respawnEntryText(catsLostOnRespawn(3)), "Respawn (lose 1 cat)");
    EXPECT_EQ(respawnEntryText(catsLostOnRespawn(0)), "Respawn (lose 0 cats)");
    EXPECT_EQ(respawnEntryText(catsLostOnRespawn(7)), "Respawn (lose 3 cats)");
}

TEST_F(PlayerTest, ADeadPlayerIsRespawnedAtTheOriginWithItsMessages)
{
    ChunkList chunks;
    const aabb noFloor(glm::vec3(INFINITY), glm::vec3(-INFINITY));
    BodyList bodies;
    Player* body = player.get();
    bodies.push_back(std::move(player));
    body->placeAt(glm::vec3(30.0f, 12.0f, -8.0f));
    body->alive = false;
    CollisionScene scene { chunks, noFloor, bodies };
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    characterPass(scene, body, kStep);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Warning the player died!\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Respawning at origin...\n");
    ASSERT_EQ(bodies.size(), 1u); // kept
    EXPECT_TRUE(body->alive);
    EXPECT_EQ(body->position(), glm::vec3(0.0f, 100.0f, 0.0f));
    EXPECT_NEAR(glm::distance(body->partBoxes[0].center(), glm::vec3(0.0f, 100.65f, 0.0f)), 0.0f, 1e-4f);
}
