#include "render/Camera.h"

#include <chrono>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/matrix.hpp>

namespace {

// How long a shake lasts and how fast it swings and fades.
constexpr double SHAKE_DURATION_MS = 2000.0;
constexpr double SHAKE_FREQUENCY = 0.1; // radians per ms
constexpr double SHAKE_DECAY = 0.01; // per ms
constexpr float SHAKE_DEGREES_PER_AMOUNT = 20.0f;

} // namespace

void Camera::setOrtho(float, float, float, float, float, float) { }

void Camera::setPerspective(float, float, float, float) { }

void Camera::refreshDerived()
{
    projView = projection * view;
    world = glm::inverse(view);
    updateFrustum();
}

void Camera::setView(const glm::mat4& viewMatrix)
{
    view = viewMatrix;
    refreshDerived();
}

void Camera::lookAt(const glm::vec3& eye, const glm::vec3& center, const glm::vec3& up)
{
    setView(glm::lookAt(eye, center, up));
}

int Camera::classifySphere(const glm::vec3& center, float radius) const
{
    int result = SPHERE_INSIDE;
    for (const Plane& plane : planes) {
        const float distance = plane.signedDistance(center);
        if (distance < -radius)
            return SPHERE_OUTSIDE;
        if (distance < radius)
            result = SPHERE_INTERSECTS;
    }
    return result;
}

void Camera::shake(float amount)
{
    shake(amount, nowMs());
}

void Camera::shake(float amount, double now)
{
    if (amount <= 0.0f)
        return;
    shakeStart = now;
    shakeAngle = 0.0f;
    shakeAmount = amount;
}

void Camera::applyShake()
{
    applyShake(nowMs());
}

void Camera::applyShake(double now)
{
    shakeNow = now;
    const double elapsed = now - shakeStart;
    if (elapsed >= SHAKE_DURATION_MS)
        return;
    const float angle = shakeAngleAt(shakeAmount, elapsed);
    view = glm::rotate(glm::mat4(1.0f), glm::radians(angle), glm::vec3(0.0f, 1.0f, 0.0f)) * view;
    refreshDerived();
    shakeAngle = angle;
}

float Camera::shakeAngleAt(float amount, double elapsedMs)
{
    return float(std::sin(elapsedMs * SHAKE_FREQUENCY) * (amount * SHAKE_DEGREES_PER_AMOUNT)
        * std::exp(-SHAKE_DECAY * elapsedMs));
}

double Camera::nowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void PerspectiveCamera::setPerspective(float fovDegrees, float aspectRatio, float zNear, float zFar)
{
    fov = fovDegrees;
    aspect = aspectRatio;
    near = zNear;
    far = zFar;
    tanHalfFov = std::tan(glm::radians(fovDegrees) * 0.5f);
    nearHalfHeight = tanHalfFov * zNear;
    nearHalfWidth = nearHalfHeight * aspectRatio;
    farHalfHeight = tanHalfFov * zFar;
    farHalfWidth = farHalfHeight * aspectRatio;

    projection = glm::mat4(0.0f);
    projection[0][0] = 1.0f / (tanHalfFov * aspectRatio);
    projection[1][1] = 1.0f / tanHalfFov;
    projection[2][2] = -(zFar + zNear) / (zFar - zNear);
    projection[2][3] = -1.0f;
    projection[3][2] = -2.0f * zFar * zNear / (zFar - zNear);
    refreshDerived();
}

void PerspectiveCamera::updateFrustum()
{
    const glm::vec3 eye = eyePosition();
    const glm::vec3 right = rightAxis();
    const glm::vec3 up = upAxis();
    const glm::vec3 back = backAxis();
    const glm::vec3 nearCenter = eye - back * near;
    const glm::vec3 farCenter = eye - back * far;

    // Each side plane contains the eye and one edge of the near rectangle.
    const glm::vec3 toLeft = nearCenter - right * nearHalfWidth - eye;
    const glm::vec3 toRight = nearCenter + right * nearHalfWidth - eye;
    const glm::vec3 toTop = nearCenter + up * nearHalfHeight - eye;
    const glm::vec3 toBottom = nearCenter - up * nearHalfHeight - eye;
    planes[LEFT] = Plane(eye, glm::cross(toLeft, up));
    planes[RIGHT] = Plane(eye, glm::cross(up, toRight));
    planes[TOP] = Plane(eye, glm::cross(toTop, right));
    planes[BOTTOM] = Plane(eye, glm::cross(right, toBottom));
    planes[NEAR] = Plane(nearCenter, -back);
    planes[FAR] = Plane(farCenter, back);
}

void OrthographicCamera::setOrtho(float l, float r, float b, float t, float zNear, float zFar)
{
    left = l;
    right = r;
    bottom = b;
    top = t;
    near = zNear;
    far = zFar;
    nearHalfWidth = farHalfWidth = (r - l) * 0.5f;
    nearHalfHeight = farHalfHeight = (t - b) * 0.5f;

    projection = glm::mat4(1.0f);
    projection[0][0] = 2.0f / (r - l);
    projection[1][1] = 2.0f / (t - b);
    projection[2][2] = -2.0f / (zFar - zNear);
    projection[3][0] = -(r + l) / (r - l);
    projection[3][1] = -(t + b) / (t - b);
    projection[3][2] = -(zFar + zNear) / (zFar - zNear);
    refreshDerived();
}

void OrthographicCamera::updateFrustum()
{
    const glm::vec3 eye = eyePosition();
    const glm::vec3 rightAxisDir = rightAxis();
    const glm::vec3 up = upAxis();
    const glm::vec3 back = backAxis();
    planes[LEFT] = Plane(eye + rightAxisDir * left, rightAxisDir);
    planes[RIGHT] = Plane(eye + rightAxisDir * right, -rightAxisDir);
    planes[TOP] = Plane(eye + up * top, -up);
    planes[BOTTOM] = Plane(eye + up * bottom, up);
    planes[NEAR] = Plane(eye - back * near, -back);
    planes[FAR] = Plane(eye - back * far, back);
}
