#include "base/Ray.h"

#include <algorithm>

Ray::Ray(const glm::vec3& o, const glm::vec3& d) : direction(d), origin(o), inverseDirection(1.0f / d) { }

bool Ray::hitBox(const aabb& box, float& t) const
{
    float tNear = -INFINITY;
    float tFar = INFINITY;
    for (int k = 0; k < 3; ++k) {
        const float t1 = (box.min[k] - origin[k]) * inverseDirection[k];
        const float t2 = (box.max[k] - origin[k]) * inverseDirection[k];
        tNear = std::max(tNear, std::min(t1, t2));
        tFar = std::min(tFar, std::max(t1, t2));
    }
    if (tFar < 0.0f || tNear > tFar) {
        t = tFar;
        return false;
    }
    t = tNear;
    return true;
}
