#include "gameplay/items/HeldPlacement.h"

#include <cmath>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

namespace {

// Eye height above the body centre.
constexpr float kHeldEyeHeight = 0.6f;

glm::mat4 raised(glm::mat4 M, float dy)
{
    M[3].y += dy;
    return M;
}

// How far the player looks down: the y component of the backward axis.
float lookDown(const glm::mat4& M)
{
    return M[2].y;
}

} // namespace

glm::mat4 heldBallOrFish(const glm::mat4& M)
{
    const float a = lookDown(M);
    glm::mat4 m = glm::scale(M, glm::vec3(0.2f));
    m = glm::translate(m, glm::vec3(-2.0f, -3.0f * std::abs(a), 3.0f * a - 5.0f));
    m = glm::rotate(m, glm::radians(-20.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    return glm::rotate(m, glm::radians(-20.0f), glm::vec3(1.0f, 0.0f, 0.0f));
}

glm::mat4 heldDynamite(const glm::mat4& M)
{
    const float a = lookDown(M);
    const glm::mat4 m = glm::scale(M, glm::vec3(0.2f));
    return glm::translate(m, glm::vec3(-3.5f, -3.0f * std::abs(a) - 0.5f, 3.0f * a - 8.0f));
}

glm::mat4 heldJetpack(const glm::mat4& M)
{
    const glm::mat4 m = glm::translate(raised(M, kHeldEyeHeight), glm::vec3(0.3f, -0.4f, -0.1f));
    return glm::scale(m, glm::vec3(0.3f));
}

glm::mat4 heldPotion(const glm::mat4& M, int phase, float timer)
{
    glm::mat4 m = glm::translate(raised(M, kHeldEyeHeight), glm::vec3(-0.4f, -0.55f, -0.3f));
    if (phase == 2 || phase == 3) {
        const float h = phase == 2 ? timer : 1.0f;
        m = glm::translate(m, glm::vec3(0.0f, 0.0f, -0.2f * h));
        m = glm::rotate(m, glm::radians(h * 80.0f), glm::vec3(1.0f, 0.0f, -0.5f) / std::sqrt(1.25f));
    }
    m = glm::translate(m, glm::vec3(0.0f, 0.0f, -0.5f));
    return glm::scale(m, glm::vec3(0.15f));
}
