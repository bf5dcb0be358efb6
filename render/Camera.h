#pragma once

#include "base/Plane.h"

#include <array>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <string>

// Which side of the view volume a sphere lies on.
enum SphereVisibility : int {
    SPHERE_OUTSIDE = 0,
    SPHERE_INTERSECTS = 1,
    SPHERE_INSIDE = 2,
};

// A view with a projection and the six frustum planes used for culling.
// Pure matrix math: nothing here touches GL, so physics and tests can use it.
class Camera {
public:
    enum PlaneIndex { LEFT = 0, RIGHT, TOP, BOTTOM, NEAR, FAR };

    std::string name;
    glm::mat4 view { 1.0f };
    glm::mat4 world { 1.0f }; // inverse of view: right, up, back, eye position
    glm::mat4 projection { 1.0f };
    glm::mat4 projView { 1.0f };
    std::array<Plane, 6> planes {}; // normals point inwards
    float near = 0.0f;
    float far = 0.0f;
    float nearHalfWidth = 0.0f;
    float nearHalfHeight = 0.0f;
    float farHalfWidth = 0.0f;
    float farHalfHeight = 0.0f;
    double shakeStart = -1.0e12; // ms; far in the past, so no shake runs at first
    double shakeNow = 0.0;
    float shakeAngle = 0.0f;
    float shakeAmount = 0.0f;

    explicit Camera(std::string cameraName)
        : name(std::move(cameraName))
    {
    }
    virtual ~Camera() = default;

    // The base ignores both projections; each subclass takes its own.
    virtual void setOrtho(float left, float right, float bottom, float top, float zNear, float zFar);
    virtual void setPerspective(float fovDegrees, float aspectRatio, float zNear, float zFar);
    virtual void updateFrustum() = 0;

    // Stores the view and recomputes projView, world and the frustum.
    void setView(const glm::mat4& viewMatrix);
    void lookAt(const glm::vec3& eye, const glm::vec3& center, const glm::vec3& up);

    // SPHERE_OUTSIDE when the sphere lies fully behind some plane,
    // SPHERE_INTERSECTS when it crosses one, SPHERE_INSIDE otherwise.
    int classifySphere(const glm::vec3& center, float radius) const;

    // Starts a sideways wobble of `amount` (20 degrees per unit); amounts <= 0 are ignored.
    void shake(float amount);
    void shake(float amount, double nowMs);
    // Turns the view by the current wobble angle; call once per frame after setView.
    void applyShake();
    void applyShake(double nowMs);
    // The wobble angle in degrees `elapsedMs` after a shake of `amount` started.
    static float shakeAngleAt(float amount, double elapsedMs);

    glm::vec3 eyePosition() const { return glm::vec3(world[3]); }
    glm::vec3 rightAxis() const { return glm::vec3(world[0]); }
    glm::vec3 upAxis() const { return glm::vec3(world[1]); }
    glm::vec3 backAxis() const { return glm::vec3(world[2]); }

    // Milliseconds of a monotonic clock, the time base of shakes.
    static double nowMs();

protected:
    void refreshDerived();
};

class PerspectiveCamera : public Camera {
public:
    float fov = 0.0f; // degrees
    float aspect = 1.0f;
    float tanHalfFov = 0.0f;

    using Camera::Camera;
    void setPerspective(float fovDegrees, float aspectRatio, float zNear, float zFar) override;
    void updateFrustum() override;
};

class OrthographicCamera : public Camera {
public:
    float left = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    float top = 0.0f;

    using Camera::Camera;
    void setOrtho(float l, float r, float b, float t, float zNear, float zFar) override;
    void updateFrustum() override;
};
