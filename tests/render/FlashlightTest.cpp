#include "render/Flashlight.h"

#include <cmath>
#include <cstdlib>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

TEST(FlashlightTest, ConeIsClampedAndNarrowConesAreBrighter)
{
    Flashlight lamp;
    EXPECT_EQ(lamp.fov, 50.0f);
    EXPECT_FLOAT_EQ(lamp.intensity, 0.75f);

    lamp.scroll(100.0f);
    EXPECT_EQ(lamp.fov, 70.0f);
    EXPECT_FLOAT_EQ(lamp.intensity, 0.25f);
    auto* cam = dynamic_cast<PerspectiveCamera*>(lamp.shadow.camera.get());
    ASSERT_NE(cam, nullptr);
    EXPECT_EQ(cam->fov, 70.0f);

    lamp.scroll(-100.0f);
    EXPECT_EQ(lamp.fov, 10.0f);
    EXPECT_FLOAT_EQ(lamp.intensity, 1.75f);
    EXPECT_EQ(cam->fov, 10.0f);

    lamp.scroll(2.0f);
    EXPECT_EQ(lamp.fov, 16.0f);
}

TEST(FlashlightTest, LightSitsBehindTheEyeLineAndLooksAhead)
{
    Flashlight lamp;
    // A player at (10, 20, 30) looking down -z: back axis +z.
    const glm::mat4 player = glm::translate(glm::mat4(1.0f), glm::vec3(10.0f, 20.0f, 30.0f));
    lamp.update(1.0f / 60.0f, player, glm::vec3(10.0f, 20.0f, 30.0f));
    const Camera& cam = *lamp.shadow.camera;
    // Side axis (d.z, 0, -d.x) = +x.
    EXPECT_NEAR(glm::distance(cam.eyePosition(), glm::vec3(10.2f, 20.0f, 31.0f)), 0.0f, 1e-4f);
    EXPECT_NEAR(glm::distance(cam.backAxis(), glm::vec3(0.0f, 0.0f, 1.0f)), 0.0f, 1e-5f);
    EXPECT_NEAR(glm::distance(lamp.shadow.direction, glm::vec3(0.0f, 0.0f, 1.0f)), 0.0f, 1e-5f);
}

TEST(FlashlightTest, LookingStraightDownStillGivesAUsableLight)
{
    Flashlight lamp;
    glm::mat4 player(1.0f);
    player[1] = glm::vec4(0.0f, 0.0f, -1.0f, 0.0f);
    player[2] = glm::vec4(0.0f, 1.0f, 0.0f, 0.0f); // back axis straight up
    lamp.update(1.0f / 60.0f, player, glm::vec3(5.0f, 10.0f, 5.0f));
    const glm::mat4& view = lamp.shadow.lightView;
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            ASSERT_TRUE(std::isfinite(view[c][r]));
}

TEST(FlashlightTest, SwitchedOffLightMovesOutOfTheWorld)
{
    Flashlight lamp;
    lamp.on = false;
    lamp.update(1.0f / 60.0f, glm::mat4(1.0f), glm::vec3(0.0f));
    EXPECT_EQ(lamp.shadow.lightView, glm::translate(glm::mat4(1.0f), FLASHLIGHT_OFF_POSITION));
}

TEST(FlashlightTest, FlickerTogglesAtOnceAndEndsWithTheLampOn)
{
    std::srand(7);
    Flashlight lamp;
    lamp.startFlicker();
    EXPECT_TRUE(lamp.flickering);
    EXPECT_GE(lamp.flickerDuration, 0.15f);
    EXPECT_LE(lamp.flickerDuration, 0.2f);

    lamp.update(0.01f, glm::mat4(1.0f), glm::vec3(0.0f));
    EXPECT_FALSE(lamp.on);
    EXPECT_EQ(lamp.toggleTimer, 0.0f);
    EXPECT_GE(lamp.toggleInterval, 0.025f);
    EXPECT_LE(lamp.toggleInterval, 0.075f);

    int toggles = 1;
    bool wasOn = lamp.on;
    for (int i = 0; i < 30 && lamp.flickering; ++i) {
        lamp.update(0.01f, glm::mat4(1.0f), glm::vec3(0.0f));
        toggles += lamp.on != wasOn;
        wasOn = lamp.on;
    }
    EXPECT_FALSE(lamp.flickering);
    EXPECT_TRUE(lamp.on);
    EXPECT_GE(toggles, 2);
}

TEST(FlashlightTest, PlacedModelDependsOnHowTheHandTilts)
{
    Flashlight lamp;
    // Level hand (a = 0): u = 0, v = -5; axes scaled by 0.15.
    lamp.placeModel(glm::mat4(1.0f));
    glm::mat4 m = lamp.model.getModelMatrix();
    EXPECT_FLOAT_EQ(m[0][0], 0.15f);
    EXPECT_NEAR(glm::distance(glm::vec3(m[3]), glm::vec3(0.3f, 0.0f, -0.75f)), 0.0f, 1e-6f);

    // Back axis tilted up (a = 0.6): u = -3, v = -5.
    glm::mat4 up(1.0f);
    up[2] = glm::vec4(0.0f, 0.6f, 0.8f, 0.0f);
    lamp.placeModel(up);
    m = lamp.model.getModelMatrix();
    const glm::vec3 expected = 0.3f * glm::vec3(1, 0, 0) - 3.0f * 0.15f * glm::vec3(0, 1, 0)
        - 5.0f * 0.15f * glm::vec3(0.0f, 0.6f, 0.8f);
    EXPECT_NEAR(glm::distance(glm::vec3(m[3]), expected), 0.0f, 1e-5f);

    // Tilted down (a = -0.6): u = -1.2, v = -6.2.
    up[2] = glm::vec4(0.0f, -0.6f, 0.8f, 0.0f);
    lamp.placeModel(up);
    m = lamp.model.getModelMatrix();
    const glm::vec3 down = 0.3f * glm::vec3(1, 0, 0) - 1.2f * 0.15f * glm::vec3(0, 1, 0)
        - 6.2f * 0.15f * glm::vec3(0.0f, -0.6f, 0.8f);
    EXPECT_NEAR(glm::distance(glm::vec3(m[3]), down), 0.0f, 1e-5f);
}
