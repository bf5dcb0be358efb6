#include "render/Lightning.h"
#include "render/Camera.h"
#include "render/Flashlight.h"
#include "render/RandomUnit.h"

#include <cstdlib>
#include <glm/geometric.hpp>
#include <glm/trigonometric.hpp>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

// Children of every vertex in index order, from the bolt's line pairs.
std::map<uint32_t, std::vector<uint32_t>> childrenOf(const Lightning& bolt)
{
    std::map<uint32_t, std::vector<uint32_t>> children;
    for (size_t i = 0; i + 1 < bolt.indices.size(); i += 2)
        children[bolt.indices[i]].push_back(bolt.indices[i + 1]);
    return children;
}

float angleDegrees(const glm::vec3& a, const glm::vec3& b)
{
    return glm::degrees(std::acos(glm::clamp(glm::dot(glm::normalize(a), glm::normalize(b)), -1.0f, 1.0f)));
}

} // namespace

TEST(LightningTest, FirstSegmentsFollowTheDrawnJitter)
{
    std::srand(42);
    std::vector<int> draws;
    for (int i = 0; i < 4; ++i)
        draws.push_back(std::rand());
    std::srand(42);
    Lightning lightning;
    lightning.buildBolt();

    // Each straight step draws the jitter, then the branch test (ignored
    // while the first cooldown runs), and moves 4 units down plus jitter
    // along (d.y, -d.x) = (-1, 0).
    auto jitter
        = [](int draw) { return -2.8f + float(int(draw * 32768LL / (RAND_MAX + 1LL))) / 32767.0f * 5.6f; };
    const glm::vec3 v1(-jitter(draws[0]), 96.0f, 0.0f);
    const glm::vec3 v2 = v1 + glm::vec3(-jitter(draws[2]), -4.0f, 0.0f);
    ASSERT_GE(lightning.vertices.size(), 3u);
    EXPECT_EQ(lightning.vertices[0].position, glm::vec3(0.0f, 100.0f, 0.0f));
    EXPECT_NEAR(glm::distance(lightning.vertices[1].position, v1), 0.0f, 1e-4f);
    EXPECT_NEAR(glm::distance(lightning.vertices[2].position, v2), 0.0f, 1e-4f);
    EXPECT_EQ(lightning.vertices[0].step, 1.0f);
    EXPECT_EQ(lightning.vertices[2].step, 3.0f);
    EXPECT_EQ(lightning.vertices[2].strength, 10.0f);
    EXPECT_EQ(lightning.indices[0], 0u);
    EXPECT_EQ(lightning.indices[1], 1u);
}

TEST(LightningTest, BoltIsATreeOfBendsAndForksWithCooldowns)
{
    int bends = 0;
    int forks = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        std::srand(seed);
        Lightning lightning;
        lightning.buildBolt();
        const auto& v = lightning.vertices;
        ASSERT_EQ(lightning.indices.size(), 2 * (v.size() - 1));

        // Each vertex but the top one has one parent, written before it, one step higher up.
        std::vector<int> parent(v.size(), -1);
        for (size_t i = 0; i < lightning.indices.size(); i += 2) {
            const uint32_t from = lightning.indices[i];
            const uint32_t to = lightning.indices[i + 1];
            ASSERT_LT(from, to);
            ASSERT_EQ(parent[to], -1);
            parent[to] = int(from);
            EXPECT_EQ(v[to].step, v[from].step + 1.0f);
        }
        for (const BoltVertex& vertex : v)
            EXPECT_LE(vertex.step, 31.0f); // steps only ever shrink

        // The last branch point above each vertex, to check the cooldown.
        std::vector<float> lastBranchStep(v.size(), -1000.0f);
        const auto children = childrenOf(lightning);
        for (size_t i = 1; i < v.size(); ++i) {
            const int p = parent[i];
            const bool parentBranches = children.at(uint32_t(p)).size() > 1;
            lastBranchStep[i] = parentBranches ? v[size_t(p)].step : lastBranchStep[size_t(p)];
        }
        for (const auto& [p, kids] : children) {
            if (kids.size() == 1)
                continue;
            ASSERT_LE(kids.size(), 3u);
            // Not during the first cooldown of 2, and at least 6 steps after the last branch.
            EXPECT_GE(v[p].step, 3.0f);
            EXPECT_GE(v[p].step - lastBranchStep[p], 6.0f);
            // The arms come first: equal length, mirrored about the bolt's
            // direction. Two children of unequal length are a fork that lost
            // an arm (too deep or out of steps) and kept its straight part.
            const glm::vec3 a = v[kids[0]].position - v[p].position;
            const glm::vec3 b = v[kids[1]].position - v[p].position;
            EXPECT_EQ(a.z, 0.0f);
            const bool twoArms = std::abs(glm::length(a) - glm::length(b)) < 1e-3f;
            if (kids.size() == 3) {
                ASSERT_TRUE(twoArms);
            }
            if (!twoArms)
                continue;
            const float spread = angleDegrees(a, b);
            if (kids.size() == 2) {
                ++bends;
                EXPECT_GE(spread, 40.0f - 0.01f);
                EXPECT_LE(spread, 80.0f + 0.01f);
            } else {
                ++forks;
                EXPECT_GE(spread, 50.0f - 0.01f);
                EXPECT_LE(spread, 100.0f + 0.01f);
            }
        }
    }
    EXPECT_GT(bends, 0);
    EXPECT_GT(forks, 0);
}

TEST(LightningTest, OutdoorStrikeShowsABoltInFrontOfThePlayer)
{
    std::srand(3);
    PerspectiveCamera playerCam("Playercam");
    Flashlight lamp;
    Lightning lightning;
    LightningScene scene;
    scene.playerPosition = glm::vec3(500.0f, 30.0f, -200.0f);
    scene.playerBack = glm::vec3(0.0f, 0.0f, 1.0f); // looking down -z
    scene.outdoorLevel = 0.9f;
    scene.playerCamera = &playerCam;
    scene.flashlight = &lamp;

    double sumZ = 0.0;
    for (int i = 0; i < 50; ++i) {
        lightning.sinceStrike = 3.0f;
        lightning.strike(scene);
        ASSERT_FALSE(lightning.vertices.empty());
        EXPECT_TRUE(lightning.isActive());
        EXPECT_FALSE(lightning.flickerDone);
        EXPECT_GE(lightning.strikeTimer, 5.0f);
        EXPECT_LE(lightning.strikeTimer, 20.0f);
        const glm::vec3 at = lightning.boltPosition();
        EXPECT_EQ(at.y, 0.0f);
        EXPECT_NEAR(glm::distance(glm::vec2(at.x, at.z), glm::vec2(500.0f, -200.0f)), 100.0f, 1e-3f);
        sumZ += at.z + 200.0f;
        EXPECT_NEAR(
            glm::distance(lightning.light.camera->eyePosition(), glm::vec3(at.x, 70.0f, at.z)), 0.0f, 1e-3f);
    }
    EXPECT_LT(sumZ / 50.0, -20.0); // ahead of the player on average
    EXPECT_EQ(playerCam.shakeAmount, 0.4f);
    EXPECT_EQ(lightning.thunderClaps, 50);
    EXPECT_EQ(lightning.lastThunder.soundId, 16);
    EXPECT_EQ(lightning.lastThunder.referenceDistance, 50.0f);
    EXPECT_EQ(lightning.lastThunder.position, lightning.boltPosition());

    // A second after the strike the flashlight flickers, once.
    lightning.update(0.5f, false, scene);
    EXPECT_FALSE(lamp.flickering);
    lightning.update(0.6f, false, scene);
    EXPECT_TRUE(lamp.flickering);
    EXPECT_TRUE(lightning.flickerDone);
    EXPECT_FALSE(lightning.isActive());
}

TEST(LightningTest, IndoorStrikeOnlyShakesAndRumbles)
{
    PerspectiveCamera playerCam("Playercam");
    Lightning lightning;
    lightning.sinceStrike = 5.0f;
    const glm::mat4 lightBefore = lightning.light.lightView;

    LightningScene scene;
    scene.outdoorLevel = 0.2f;
    scene.playerCamera = &playerCam;
    lightning.strike(scene);
    EXPECT_TRUE(lightning.vertices.empty());
    EXPECT_FALSE(lightning.isActive());
    EXPECT_TRUE(lightning.flickerDone);
    EXPECT_EQ(lightning.light.lightView, lightBefore);
    EXPECT_EQ(playerCam.shakeAmount, 0.1f);
    EXPECT_EQ(lightning.thunderClaps, 1);
    EXPECT_EQ(lightning.lastThunder.referenceDistance, 20.0f);
}

TEST(LightningTest, StrikesComeOnlyWhileTheWeatherAllowsThem)
{
    Lightning lightning;
    LightningScene scene;
    scene.outdoorLevel = 0.0f;
    for (int i = 0; i < 600; ++i)
        lightning.update(1.0f / 60.0f, false, scene);
    EXPECT_EQ(lightning.thunderClaps, 0);
    EXPECT_FLOAT_EQ(lightning.strikeTimer, 5.0f);
    for (int i = 0; i < 305; ++i)
        lightning.update(1.0f / 60.0f, true, scene);
    EXPECT_EQ(lightning.thunderClaps, 1); // the first after 5 s
}
