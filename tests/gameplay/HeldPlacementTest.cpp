#include "gameplay/items/HeldPlacement.h"

#include <cmath>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

namespace {

glm::vec3 at(const glm::mat4& m) { return glm::vec3(m[3]); }

void expectNear(const glm::vec3& a, const glm::vec3& b)
{
    EXPECT_NEAR(glm::distance(a, b), 0.0f, 1e-5f) << a.x << " " << a.y << " " << a.z;
}

// A player at p looking along -z, pitched down by `down` degrees.
glm::mat4 player(const glm::vec3& p, float down = 0.0f)
{
    return glm::rotate(glm::translate(glm::mat4(1.0f), p), glm::radians(-down), glm::vec3(1.0f, 0.0f, 0.0f));
}

} // namespace

TEST(HeldPlacement, SmallItemsSitLowLeftAndComeUpWhenLookingDown)
{
    const glm::vec3 p(10.0f, 20.0f, 30.0f);
    // Level view: a = 0, offsets (-2, 0, -5) x 0.2 along the axes.
    expectNear(at(heldBallOrFish(player(p))), p + glm::vec3(-0.4f, 0.0f, -1.0f));
    expectNear(at(heldDynamite(player(p))), p + glm::vec3(-0.7f, -0.1f, -1.6f));
    EXPECT_NEAR(glm::length(glm::vec3(heldDynamite(player(p))[0])), 0.2f, 1e-6f);

    // Looking straight down: a = 1, the local offset is (-2, -3, -2) x 0.2.
    const glm::mat4 down = player(p, 90.0f);
    ASSERT_NEAR(down[2].y, 1.0f, 1e-6f);
    const glm::vec3 local = glm::vec3(-2.0f, -3.0f, -2.0f) * 0.2f;
    expectNear(at(heldBallOrFish(down)), p + glm::mat3(down) * local);
    // The ball is turned 20 degrees about y, then x; its scale stays 0.2.
    const glm::mat4 ball = heldBallOrFish(player(p));
    EXPECT_NEAR(glm::length(glm::vec3(ball[1])), 0.2f, 1e-6f);
    EXPECT_NEAR(glm::degrees(std::acos(glm::dot(glm::normalize(glm::vec3(ball[1])), glm::vec3(0, 1, 0)))), 20.0f,
        1e-3f);
}

TEST(HeldPlacement, JetpackAndPotionHangFromTheEyes)
{
    const glm::vec3 p(0.0f, 10.0f, 0.0f);
    const glm::mat4 jet = heldJetpack(player(p));
    expectNear(at(jet), p + glm::vec3(0.3f, 0.2f, -0.1f));
    EXPECT_NEAR(glm::length(glm::vec3(jet[2])), 0.3f, 1e-6f);

    // At rest and while the cork pops the bottle stands upright in the hand.
    for (int phase : { 0, 1 }) {
        const glm::mat4 bottle = heldPotion(player(p), phase, 1.5f);
        expectNear(at(bottle), p + glm::vec3(-0.4f, 0.05f, -0.8f));
        expectNear(glm::vec3(bottle[1]), glm::vec3(0.0f, 0.15f, 0.0f));
    }
    // Raised half way, then fully tipped while drinking.
    const glm::mat4 half = heldPotion(player(p), 2, 0.5f);
    const glm::mat4 drinking = heldPotion(player(p), 3, 0.7f);
    EXPECT_NEAR(glm::length(glm::vec3(drinking[1])), 0.15f, 1e-6f);
    const float tiltHalf = std::acos(glm::normalize(glm::vec3(half[1])).y);
    const float tiltFull = std::acos(glm::normalize(glm::vec3(drinking[1])).y);
    EXPECT_GT(tiltFull, tiltHalf);
    EXPECT_NEAR(glm::degrees(tiltFull), 80.0f, 1e-3f);
    // Phase 3 ignores its timer: the bottle stays at the mouth.
    EXPECT_EQ(heldPotion(player(p), 3, 0.1f), drinking);
}
