#include "gameplay/Human.h"

namespace {
aabb partBox(const glm::vec3& size, const glm::vec3& centre)
{
    aabb part(glm::vec3(0.0f), size);
    part.moveCenterTo(centre);
    return part;
}
}

Human::Human()
    : Character(aabb(glm::vec3(0.0f), glm::vec3(0.9f, 1.7f, 0.9f)))
{
    partBoxes.push_back(partBox(glm::vec3(0.4f), glm::vec3(0.0f, 0.65f, 0.0f))); // head
    partBoxes.push_back(partBox(glm::vec3(0.8f, 0.7f, 0.8f), glm::vec3(0.0f, 0.1f, 0.0f))); // torso
    partBoxes.push_back(partBox(glm::vec3(0.5f, 0.7f, 0.5f), glm::vec3(0.0f, -0.6f, 0.0f))); // legs
    canStep = true;
}
