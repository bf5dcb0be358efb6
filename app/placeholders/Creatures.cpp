#include "app/placeholders/Creatures.h"

Cat::Cat(const glm::vec3& position, bool golden)
    : Character(aabb(glm::vec3(0.0f), glm::vec3(0.5f, 0.4f, 0.5f)))
    , golden(golden)
{
    placeAt(position);
}

Death::Death(const glm::vec3& position)
    : Character(aabb(glm::vec3(0.0f), glm::vec3(0.9f, 1.7f, 0.9f)))
{
    placeAt(position);
}
