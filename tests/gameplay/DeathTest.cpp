// Death: when it comes, how it closes in, how its rage builds, and when it
// gives up or catches the player.
#include "CreatureTestWorld.h"

#include "render/MeshTable.h"
#include "render/Model.h"
#include "render/ShaderTable.h"
#include "render/TextureTable.h"

#include <gtest/gtest.h>

namespace {

const glm::vec3 kPlayerAt = standingAt(32.0f, 8.0f, 32.0f);
constexpr float kDt = 1.0f / 60.0f;

// Death in the middle of an attack, `offset` from the player.
Death& attackingAt(CreatureTestWorld& w, const glm::vec3& offset)
{
    Death& death = w.addDeath();
    death.attacking = true;
    death.placeAt(w.playerPosition() + offset);
    return death;
}

TEST(DeathTables, ApproachStepsAndIntervalsByCatCount)
{
    const float steps[] = { 0, 0.5f, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 12, 12 };
    for (int n = 0; n < 15; ++n)
        EXPECT_FLOAT_EQ(approachStep(n), steps[n]) << n;
    EXPECT_FLOAT_EQ(attackInterval(0, 0.5f), 9999999.0f);
    EXPECT_FLOAT_EQ(attackInterval(1, 0.0f), 130.0f);
    EXPECT_FLOAT_EQ(attackInterval(1, 1.0f), 160.0f);
    EXPECT_FLOAT_EQ(attackInterval(4, 0.5f), 95.0f);
    EXPECT_FLOAT_EQ(attackInterval(8, 0.0f), 40.0f);
    EXPECT_FLOAT_EQ(attackInterval(9, 1.0f), 50.0f);
    EXPECT_FLOAT_EQ(attackInterval(30, 0.0f), 30.0f);
}

TEST(Death, StartsHiddenUnderTheWorld)
{
    CreatureTestWorld w(kPlayerAt);
    Death& death = w.addDeath();
    EXPECT_EQ(death.position(), glm::vec3(0.0f, -100.0f, 0.0f));
    EXPECT_LT(glm::distance(death.box.center(), glm::vec3(0.0f, -100.0f, 0.0f)), 1e-4f);
    EXPECT_FALSE(death.attacking);
    death.vanish(); // made before it knew the game: hiding again tells the game there is no threat
    EXPECT_EQ(w.threat, 0.0f);
    EXPECT_TRUE(death.showBoxes);
    EXPECT_FLOAT_EQ(death.model[1].y, 0.24f);
    EXPECT_EQ(death.bodyModel->meshes,
        (std::vector<int> { MESH_DEATH_SCYTHE, MESH_DEATH_LEFT_ARM, MESH_DEATH_RIGHT_ARM, MESH_DEATH_HEAD,
            MESH_DEATH_BODY }));
    EXPECT_EQ(death.bodyModel->textures, std::vector<int>(5, TEXTURE_DEATH));
    EXPECT_EQ(death.bodyModel->shader, SHADER_MODEL);
}

TEST(Death, NeverAttacksWithoutCats)
{
    CreatureTestWorld w(kPlayerAt);
    Death& death = w.addDeath();
    for (int i = 0; i < 300 * 60; ++i) {
        w.threat = -1.0f;
        death.update(kDt);
        ASSERT_FALSE(death.attacking);
        ASSERT_EQ(w.threat, 0.0f);
    }
}

TEST(Death, TheFirstCatStartsTheClockForTheFirstAttack)
{
    CreatureTestWorld w(kPlayerAt);
    Death& death = w.addDeath();
    death.timeSinceAttack = 1000.0f;
    w.cats = 1;
    death.onCatCount(1);
    EXPECT_EQ(death.timeSinceAttack, 0.0f);
    const float interval = death.attackInterval();
    EXPECT_GE(interval, 130.0f);
    EXPECT_LE(interval, 160.0f);
    int steps = 0;
    while (!death.attacking && steps < 200 * 60) {
        death.update(kDt);
        ++steps;
    }
    EXPECT_NEAR(steps * kDt, interval, 0.05f);
    EXPECT_FALSE(death.aware);
    // It appeared on a sphere of radius 60 around him, at most an approach step closer.
    EXPECT_LT(horizontalDistance(death.position(), w.playerPosition()), 61.0f);
}

TEST(Death, AFailedStartIsTriedAgainThreeSecondsLater)
{
    CreatureTestWorld w(kPlayerAt);
    Death& death = w.addDeath();
    w.cats = 9;
    w.spawnFails = true;
    death.timeSinceAttack = death.attackInterval();
    death.update(kDt);
    EXPECT_FALSE(death.attacking);
    EXPECT_EQ(w.spawnCalls, 2); // in view but hidden, then anywhere unseen
    w.spawnFails = false;
    for (int i = 0; i < 170; ++i)
        death.update(kDt);
    EXPECT_FALSE(death.attacking);
    for (int i = 0; i < 20; ++i)
        death.update(kDt);
    EXPECT_TRUE(death.attacking);
}

TEST(Death, RageGrowsCloseByOnceThePlayerIsAware)
{
    CreatureTestWorld w(kPlayerAt);
    w.cats = 3;
    Death& death = attackingAt(w, glm::vec3(10.0f, 0.0f, 0.0f));
    death.aware = true;
    death.update(kDt);
    EXPECT_NEAR(death.rage, 0.001f, 1e-6f); // (1 - 10/20) x 0.002, unseen
    EXPECT_FLOAT_EQ(w.threat, death.rage);

    // Unaware, 10 units count as 30: unseen there is nothing to grow.
    death.aware = false;
    death.rage = 0.1f;
    death.update(kDt);
    EXPECT_NEAR(death.rage, 0.1f - 0.2f * kDt, 1e-6f);
}

TEST(Death, BeingSeenGrowsTheRageAndMakesItWalk)
{
    CreatureTestWorld w(kPlayerAt);
    w.cats = 3;
    w.playerSees = true;
    Death& death = attackingAt(w, glm::vec3(0.0f, 0.0f, -10.0f)); // straight ahead
    death.update(kDt);
    EXPECT_TRUE(death.seen);
    const float d30 = std::pow(2.0f, std::pow(2.0f, 0.5f) - 1.0f) - 1.0f; // unaware: 10 counts as 30
    EXPECT_NEAR(death.rage, d30 * kDt * 0.8f, 1e-6f);
    death.update(kDt);
    EXPECT_NEAR(death.velocity.z, kDt, 1e-6f); // one unit per second towards him
    EXPECT_EQ(death.velocity.x, 0.0f);
}

TEST(Death, FarAwayItVanishesAndComesBackAtOnceIfUnnoticed)
{
    CreatureTestWorld w(kPlayerAt);
    w.cats = 2;
    Death& death = attackingAt(w, glm::vec3(0.0f, 0.0f, 85.0f));
    death.update(kDt);
    EXPECT_FALSE(death.attacking);
    EXPECT_EQ(death.position().y, -100.0f);
    EXPECT_EQ(death.timeSinceAttack, death.attackInterval());
    death.update(kDt);
    EXPECT_TRUE(death.attacking);

    Death& noticed = attackingAt(w, glm::vec3(0.0f, 0.0f, 85.0f));
    noticed.aware = true;
    noticed.update(kDt);
    EXPECT_FALSE(noticed.attacking);
    EXPECT_EQ(noticed.timeSinceAttack, 0.0f);
    noticed.update(kDt);
    EXPECT_FALSE(noticed.attacking); // the whole interval again
}

TEST(Death, TeleportsAnApproachStepCloserUnseen)
{
    CreatureTestWorld w(kPlayerAt);
    w.cats = 5;
    Death& death = attackingAt(w, glm::vec3(0.0f, 0.0f, 20.0f));
    death.seen = true;
    ASSERT_TRUE(death.teleport());
    EXPECT_FALSE(death.seen);
    EXPECT_EQ(death.timeSinceTeleport, 0.0f);
    EXPECT_LE(horizontalDistance(death.position(), w.playerPosition()), 15.0f + 4.0f + 0.01f);

    w.cover = 0.1f; // indoors it creeps a quarter step
    death.placeAt(w.playerPosition() + glm::vec3(0.0f, 0.0f, 20.0f));
    w.spawnFails = true;
    EXPECT_FALSE(death.teleport());
    EXPECT_EQ(w.spawnCalls, 4); // two searches each time
}

TEST(Death, GivesUpAfterAHundredSecondsWithoutRage)
{
    CreatureTestWorld w(kPlayerAt);
    w.cats = 1;
    w.spawnFails = true; // stays where it is
    Death& death = attackingAt(w, glm::vec3(0.0f, 0.0f, 50.0f));
    int steps = 0;
    while (death.attacking && steps < 200 * 60) {
        death.update(kDt);
        ++steps;
    }
    EXPECT_NEAR(steps * kDt, 100.0f, 0.05f);
    EXPECT_EQ(death.timeSinceAttack, death.attackInterval()); // not noticed: it tries again
}

TEST(Death, APotionKeepsItAway)
{
    CreatureTestWorld w(kPlayerAt);
    w.cats = 4;
    Death& death = attackingAt(w, glm::vec3(0.0f, 0.0f, 15.0f));
    death.rage = 0.5f;
    w.potion = 30.0f;
    for (int i = 0; i < 200 * 60; ++i) {
        death.update(kDt);
        ASSERT_FALSE(death.attacking);
        ASSERT_EQ(death.rage, 0.0f);
    }
    EXPECT_EQ(w.threat, 0.0f);
}

TEST(Death, FullRageCatchesThePlayerAndThenItStandsStill)
{
    CreatureTestWorld w(kPlayerAt);
    w.cats = 4;
    Death& death = attackingAt(w, glm::vec3(0.0f, 0.0f, 2.0f));
    death.aware = true;
    death.rage = 0.9999f;
    death.update(kDt);
    EXPECT_EQ(w.sequencesStarted, 1);
    EXPECT_FALSE(death.attacking);
    EXPECT_EQ(death.rage, 0.0f);
    EXPECT_EQ(w.threat, 0.0f);

    w.deathSequenceTimer = 0.5f;
    death.placeAt(w.playerPosition() + glm::vec3(0.0f, 0.0f, -1.0f));
    const glm::mat4 before = death.model;
    for (int i = 0; i < 120; ++i)
        death.update(kDt);
    EXPECT_EQ(death.model, before);
    EXPECT_EQ(w.sequencesStarted, 1);
}

} // namespace
