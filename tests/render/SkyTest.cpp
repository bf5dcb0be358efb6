#include "render/Sky.h"
#include "render/GlContextFixture.h"
#include "render/TestFiles.h"
#include "render/TextureTable.h"

#include <cstdlib>
#include <gtest/gtest.h>

TEST(SkyTest, MoonAndStarsFollowThePlayerOverTheGroundOnly)
{
    Moon moon;
    Stars stars;
    moon.follow(glm::vec3(0.0f));
    stars.follow(glm::vec3(0.0f));
    EXPECT_EQ(glm::vec4(moon.model[3]), glm::vec4(150.0f, 230.0f, 0.0f, 1.0f));
    EXPECT_EQ(glm::vec4(stars.model[3]), glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));

    moon.follow(glm::vec3(10.0f, 5.0f, 10.0f));
    stars.follow(glm::vec3(10.0f, 5.0f, 10.0f));
    EXPECT_EQ(glm::vec4(moon.model[3]), glm::vec4(160.0f, 230.0f, 10.0f, 1.0f));
    EXPECT_EQ(glm::vec4(stars.model[3]), glm::vec4(10.0f, 0.0f, 10.0f, 1.0f));
    // Only the translation moves.
    EXPECT_EQ(glm::vec4(moon.model[0]), glm::vec4(1.0f, 0.0f, 0.0f, 0.0f));

    ASSERT_EQ(moon.points.size(), 1u);
    EXPECT_EQ(moon.points[0].size, 20.0f);
    EXPECT_EQ(moon.texture, TEXTURE_MOON);
    EXPECT_EQ(stars.texture, TEXTURE_STAR);
    EXPECT_EQ(moon.shader, SHADER_BILLBOARD);
}

TEST(SkyTest, StarsLieOnTheUpperHalfOfTheDome)
{
    std::srand(11);
    const std::vector<SkyVertex> points = makeStarPoints();
    ASSERT_EQ(points.size(), 300u);
    float highest = 0.0f;
    for (const SkyVertex& p : points) {
        EXPECT_GE(p.position.y, 0.0f);
        EXPECT_NEAR(glm::length(p.position), 300.0f, 0.01f);
        EXPECT_GE(p.size, 0.125f);
        EXPECT_LE(p.size, 1.0f);
        highest = std::max(highest, p.position.y);
    }
    EXPECT_GT(highest, 250.0f);

    // Three draws per star, in order u, angle, size.
    std::srand(11);
    const float u = float(int(std::rand() * 32768LL / (RAND_MAX + 1LL))) / 32767.0f * 2.0f - 1.0f;
    EXPECT_NEAR(points[0].position.z, u * 300.0f, 1e-3f);
}

class SkyGlTest : public GlTest { };

TEST_F(SkyGlTest, MissingTextureLeavesAnEmptySkyAndTheNextOneTriesAgain)
{
    TempDir dir;
    testing::internal::CaptureStderr();
    Skybox missing((dir.path() / "sky.png").string());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Skybox texture loading failed!\n"), std::string::npos);
    EXPECT_EQ(missing.moon, nullptr);
    EXPECT_EQ(missing.stars, nullptr);
    EXPECT_EQ(Skybox::sharedTexture(), nullptr);
    missing.update(glm::vec3(1.0f)); // nothing to move, nothing breaks

    const std::string path = dir.write("sky.png", encodePng(patternPng(8, 4, 3)));
    Skybox first(path);
    ASSERT_NE(first.moon, nullptr);
    ASSERT_NE(first.stars, nullptr);
    Texture* shared = Skybox::sharedTexture();
    ASSERT_NE(shared, nullptr);

    // A later sky reuses the texture even when the file is gone.
    std::filesystem::remove(path);
    Skybox second(path);
    EXPECT_NE(second.moon, nullptr);
    EXPECT_EQ(Skybox::sharedTexture(), shared);
}
