#pragma once

#include <glm/geometric.hpp>
#include <glm/vec3.hpp>

// A plane through point with a unit normal; d = -dot(normal, point).
class Plane {
public:
    glm::vec3 point { 0.0f };
    glm::vec3 normal { 1.0f, 0.0f, 0.0f };
    float d = 0.0f;

    Plane() = default;
    Plane(const glm::vec3& p, const glm::vec3& n) : point(p), normal(glm::normalize(n)), d(-glm::dot(normal, p)) { }

    float signedDistance(const glm::vec3& p) const { return glm::dot(normal, p) + d; }
};
