#include "world/BodyPlacement.h"

#include "base/Rand.h"
#include "base/Ray.h"
#include "world/VoxelQueries.h"

#include <cmath>
#include <glm/geometric.hpp>
#include <glm/matrix.hpp>

namespace {

constexpr float kStep = 0.1f;
constexpr int kSpawnAttempts = 51;
constexpr float kProbeRaises = 60.0f;
constexpr int kDropSteps = 501;

// Raises the body a step at a time while it collides; the raise numbered limit
// (counting from 0) is the last, so a body buried deep enough rises limit + 1 steps.
void riseWhileBlocked(const CollisionScene& scene, MovingObject& body, float limit)
{
    glm::vec3 p = body.position();
    for (int i = 0; scene.collidesWithAnything(body); ++i) {
        p.y += kStep;
        body.setPosition(p);
        if (!(float(i) < limit))
            break;
    }
}

bool sampleSeen(
    const CollisionScene& scene, const glm::vec3& eye, const glm::vec3& back, const glm::vec3& sample)
{
    const glm::vec3 toSample = sample - eye;
    // In front means against the body's z axis, which points behind the viewer. This also
    // rules out a sample at the eye itself, which would give the ray no direction.
    if (!(glm::dot(back, toSample) < 0.0f))
        return false;
    const float distance = glm::length(toSample);
    return rayCast(scene.chunks, Ray(eye, toSample / distance)) > distance;
}

// A direction on the horizontal plane drawn like a point on a sphere flattened on y.
glm::vec3 randomDirection()
{
    const float u = randUnit() * 2.0f - 1.0f;
    const float theta = randUnit() * 6.2831855f;
    const glm::vec3 d(std::cos(theta) * std::sqrt(1.0f - u * u), 0.0f, u);
    const float length = glm::length(d);
    return length > 0.0f ? d / length : glm::vec3(0.0f);
}

bool spawnAttempt(const CollisionScene& scene, MovingObject& body, const glm::vec3& centre, float minDistance,
    float maxDistance, bool requireInView, const Viewer& viewer)
{
    const glm::vec3 direction = randomDirection();
    const float r = randUnit() * (maxDistance - minDistance) + minDistance;
    glm::vec3 target = centre + r * direction;

    const glm::vec3 here = body.position();
    body.setPosition(glm::vec3(here.x, target.y - 3.0f, here.z));
    riseWhileBlocked(scene, body, kProbeRaises);
    if (!scene.collidesWithVoxels(body)) {
        body.setPosition(target);
        for (int i = 0; i < kDropSteps && !scene.collidesWithAnything(body); ++i) {
            target.y -= kStep;
            body.setPosition(target);
        }
    }
    target.y += kStep;
    body.setPosition(target);

    const int seen = visibleSampleCount(scene, body, viewer);
    if (requireInView ? seen != 0 : seen > 0)
        return false;
    return !scene.collidesWithAnything(body);
}

}

void placeOnSurface(const CollisionScene& scene, MovingObject& body, float yFrom, float yTo)
{
    const glm::vec3 p = body.position();
    body.setPosition(glm::vec3(p.x, yFrom, p.z));
    riseWhileBlocked(scene, body, (yTo - yFrom) * 10.0f);
}

int visibleSampleCount(const CollisionScene& scene, const MovingObject& body, const Viewer& viewer)
{
    const glm::vec3 position = body.position();
    if (!viewer.body || !viewer.sphereInView || !viewer.sphereInView(position, 1.0f))
        return -1;
    const glm::vec3 eye = glm::vec3(glm::inverse(viewer.body->viewMatrix())[3]);
    const glm::vec3 back = glm::vec3(viewer.body->modelMatrix()[2]);
    int count = 0;
    for (int i = 0; i < 8; ++i)
        count += sampleSeen(scene, eye, back, body.box.corner(i)) ? 1 : 0;
    count += sampleSeen(scene, eye, back, position) ? 1 : 0;
    return count;
}

bool spawnNear(const CollisionScene& scene, MovingObject& body, const glm::vec3& centre, float minDistance,
    float maxDistance, bool requireInView, const Viewer& viewer)
{
    const glm::vec3 start = body.position();
    for (int attempt = 0; attempt < kSpawnAttempts; ++attempt) {
        if (spawnAttempt(scene, body, centre, minDistance, maxDistance, requireInView, viewer))
            return true;
    }
    body.setPosition(start);
    return false;
}
