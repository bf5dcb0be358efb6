#include "render/Camera.h"
#include "render/ShadowCamera.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

namespace {

void expectMatNear(const glm::mat4& a, const glm::mat4& b, float tolerance = 1e-5f)
{
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(a[c][r], b[c][r], tolerance) << "column " << c << " row " << r;
}

// A camera at the origin looking down -z: 90 degrees, square, 1..100.
PerspectiveCamera squareCamera()
{
    PerspectiveCamera cam("Playercam");
    cam.setPerspective(90.0f, 1.0f, 1.0f, 100.0f);
    cam.lookAt(glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    return cam;
}

} // namespace

TEST(CameraTest, ProjectionsMatchGlm)
{
    PerspectiveCamera persp("Playercam");
    persp.setPerspective(70.0f, 16.0f / 9.0f, 0.1f, 500.0f);
    expectMatNear(persp.projection, glm::perspective(glm::radians(70.0f), 16.0f / 9.0f, 0.1f, 500.0f));
    EXPECT_NEAR(persp.nearHalfHeight, std::tan(glm::radians(35.0f)) * 0.1f, 1e-6f);
    EXPECT_NEAR(persp.farHalfWidth, std::tan(glm::radians(35.0f)) * 500.0f * 16.0f / 9.0f, 1e-3f);

    OrthographicCamera ortho("Suncam");
    ortho.setOrtho(-30.0f, 50.0f, -10.0f, 40.0f, 2.0f, 200.0f);
    expectMatNear(ortho.projection, glm::ortho(-30.0f, 50.0f, -10.0f, 40.0f, 2.0f, 200.0f));
}

TEST(CameraTest, SetViewDerivesProjViewAndWorldAxes)
{
    PerspectiveCamera cam("Playercam");
    cam.setPerspective(60.0f, 1.5f, 1.0f, 300.0f);
    const glm::vec3 eye(10.0f, 20.0f, 30.0f);
    cam.lookAt(eye, eye + glm::vec3(1.0f, 0.0f, 0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    expectMatNear(cam.projView, cam.projection * cam.view, 1e-4f);
    EXPECT_NEAR(glm::distance(cam.eyePosition(), eye), 0.0f, 1e-4f);
    // Looking along +x: back is -x, right is +z.
    EXPECT_NEAR(glm::distance(cam.backAxis(), glm::vec3(-1.0f, 0.0f, 0.0f)), 0.0f, 1e-5f);
    EXPECT_NEAR(glm::distance(cam.rightAxis(), glm::vec3(0.0f, 0.0f, 1.0f)), 0.0f, 1e-5f);
}

TEST(CameraTest, PerspectiveFrustumClassifiesSpheresAgainstEveryPlane)
{
    const PerspectiveCamera cam = squareCamera();
    EXPECT_EQ(cam.classifySphere(glm::vec3(0.0f, 0.0f, -50.0f), 1.0f), SPHERE_INSIDE);

    // At depth 50 the 90-degree cone reaches 50 to each side. Each case puts
    // a sphere of radius 1 just inside, across and beyond one plane.
    struct Case {
        const char* plane;
        glm::vec3 inside, across, outside;
    };
    const Case cases[] = {
        { "left", { -48.0f, 0.0f, -50.0f }, { -50.0f, 0.0f, -50.0f }, { -52.0f, 0.0f, -50.0f } },
        { "right", { 48.0f, 0.0f, -50.0f }, { 50.0f, 0.0f, -50.0f }, { 52.0f, 0.0f, -50.0f } },
        { "top", { 0.0f, 48.0f, -50.0f }, { 0.0f, 50.0f, -50.0f }, { 0.0f, 52.0f, -50.0f } },
        { "bottom", { 0.0f, -48.0f, -50.0f }, { 0.0f, -50.0f, -50.0f }, { 0.0f, -52.0f, -50.0f } },
        { "near", { 0.0f, 0.0f, -2.5f }, { 0.0f, 0.0f, -1.0f }, { 0.0f, 0.0f, 0.5f } },
        { "far", { 0.0f, 0.0f, -98.5f }, { 0.0f, 0.0f, -100.0f }, { 0.0f, 0.0f, -101.5f } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.plane);
        EXPECT_EQ(cam.classifySphere(c.inside, 1.0f), SPHERE_INSIDE);
        EXPECT_EQ(cam.classifySphere(c.across, 1.0f), SPHERE_INTERSECTS);
        EXPECT_EQ(cam.classifySphere(c.outside, 1.0f), SPHERE_OUTSIDE);
    }
    // A sphere larger than the whole view crosses it.
    EXPECT_EQ(cam.classifySphere(glm::vec3(0.0f, 0.0f, -50.0f), 500.0f), SPHERE_INTERSECTS);
}

TEST(CameraTest, FrustumFollowsATurnedAndMovedView)
{
    PerspectiveCamera cam("Playercam");
    cam.setPerspective(60.0f, 1.0f, 1.0f, 100.0f);
    const glm::vec3 eye(100.0f, 40.0f, -20.0f);
    cam.lookAt(eye, eye + glm::vec3(0.0f, 0.0f, 1.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(cam.classifySphere(eye + glm::vec3(0.0f, 0.0f, 30.0f), 1.0f), SPHERE_INSIDE);
    EXPECT_EQ(cam.classifySphere(eye + glm::vec3(0.0f, 0.0f, -30.0f), 1.0f), SPHERE_OUTSIDE);
    for (const Plane& plane : cam.planes)
        EXPECT_NEAR(glm::length(plane.normal), 1.0f, 1e-5f);
}

TEST(CameraTest, OrthographicFrustumIsABoxAroundTheViewAxis)
{
    OrthographicCamera cam("Suncam");
    cam.setOrtho(-50.0f, 50.0f, -20.0f, 20.0f, 2.0f, 200.0f);
    cam.lookAt(glm::vec3(0.0f, 100.0f, 0.0f), glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f));
    // Looking down: right is +x, up is -z, depth runs down from y = 98 to y = -100.
    EXPECT_EQ(cam.classifySphere(glm::vec3(45.0f, 0.0f, 15.0f), 1.0f), SPHERE_INSIDE);
    EXPECT_EQ(cam.classifySphere(glm::vec3(50.0f, 0.0f, 0.0f), 1.0f), SPHERE_INTERSECTS);
    EXPECT_EQ(cam.classifySphere(glm::vec3(-52.0f, 0.0f, 0.0f), 1.0f), SPHERE_OUTSIDE);
    EXPECT_EQ(cam.classifySphere(glm::vec3(0.0f, 0.0f, 22.0f), 1.0f), SPHERE_OUTSIDE);
    EXPECT_EQ(cam.classifySphere(glm::vec3(0.0f, 99.5f, 0.0f), 1.0f), SPHERE_OUTSIDE);
    EXPECT_EQ(cam.classifySphere(glm::vec3(0.0f, -100.5f, 0.0f), 1.0f), SPHERE_INTERSECTS);
}

TEST(CameraTest, ShakeWobblesAndDecaysWithinTwoSeconds)
{
    PerspectiveCamera cam = squareCamera();
    const glm::mat4 still = cam.view;

    cam.shake(0.0f, 1000.0);
    cam.shake(-1.0f, 1000.0);
    cam.applyShake(1010.0);
    expectMatNear(cam.view, still);

    cam.shake(0.5f, 1000.0);
    EXPECT_EQ(cam.shakeStart, 1000.0);
    cam.applyShake(1010.0); // 10 ms in: sin(1) × 10 × e^-0.1 degrees
    const float expected = std::sin(1.0f) * 10.0f * std::exp(-0.1f);
    EXPECT_NEAR(cam.shakeAngle, expected, 1e-4f);
    expectMatNear(
        cam.view, glm::rotate(glm::mat4(1.0f), glm::radians(expected), glm::vec3(0.0f, 1.0f, 0.0f)) * still);
    expectMatNear(cam.projView, cam.projection * cam.view);

    // The wobble shrinks by e every 100 ms.
    const float a1 = Camera::shakeAngleAt(1.0f, 15.708); // sin peak near pi/2 / 0.1
    const float a2 = Camera::shakeAngleAt(1.0f, 15.708 + 20.0 * 3.14159265);
    EXPECT_NEAR(a2 / a1, std::exp(-0.01f * 20.0f * 3.14159265f), 1e-3f);

    // From 2 s on the view is left alone.
    cam.setView(still);
    cam.applyShake(3000.0);
    expectMatNear(cam.view, still);
}

TEST(ShadowCameraTest, InitialisesLightsAndTheirDepthBias)
{
    ShadowCamera flash;
    flash.initFlashlightCam();
    ASSERT_NE(flash.camera, nullptr);
    EXPECT_EQ(flash.camera->name, "Flashlightcam");
    EXPECT_FALSE(flash.isSun);
    EXPECT_EQ(flash.color, glm::vec4(1.0f));
    const glm::vec3 toLight = glm::normalize(glm::vec3(90.0f, 80.0f, 30.0f));
    EXPECT_NEAR(glm::distance(flash.direction, toLight), 0.0f, 1e-5f);
    expectMatNear(flash.camera->projection, glm::perspective(glm::radians(50.0f), 1.0f, 1.0f, 1000.0f));

    // The origin, which the light looks at, lands in the middle of the map.
    const glm::vec4 origin = flash.depthBias * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_NEAR(origin.x / origin.w, 0.5f, 1e-5f);
    EXPECT_NEAR(origin.y / origin.w, 0.5f, 1e-5f);

    ShadowCamera sun;
    sun.initSunCam();
    EXPECT_EQ(sun.camera->name, "Suncam");
    EXPECT_TRUE(sun.isSun);
    expectMatNear(sun.camera->projection, glm::ortho(-50.0f, 50.0f, -50.0f, 50.0f, 2.0f, 200.0f));
    expectMatNear(sun.depthBias, ShadowCamera::biasMatrix() * sun.camera->projView);
}

TEST(ShadowCameraTest, LightViewWithoutCameraEndsTheProgram)
{
    ShadowCamera light;
    EXPECT_EXIT(light.setLightView(glm::translate(glm::mat4(1.0f), glm::vec3(1.0f))), testing::ExitedWithCode(1),
        "^cam not set!\n$");
}
