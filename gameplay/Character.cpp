#include "gameplay/Character.h"

#include <glm/geometric.hpp>

void Character::translateAll(const glm::vec3& d)
{
    for (aabb& part : partBoxes)
        part.translate(d);
    box.translate(d);
    model[3] += glm::vec4(d, 0.0f);
}

void Character::move(float scale, int axis)
{
    const glm::vec3 d = displacement(scale, axis);
    for (aabb& part : partBoxes)
        part.translate(d);
    MovingObject::move(scale, axis);
}

void Character::placeAt(const glm::vec3& point)
{
    // Moving every part centre onto the point would stack the head, torso and legs
    // in one place; they follow the body's own move instead.
    const glm::vec3 d = point - position();
    for (aabb& part : partBoxes)
        part.translate(d);
    box.moveCenterTo(point);
    model[3] = glm::vec4(point, 1.0f);
}

void Character::stepUp()
{
    if (canStep)
        translateAll(glm::vec3(0.0f, 0.5f, 0.0f));
}

void Character::stepDown()
{
    if (canStep)
        translateAll(glm::vec3(0.0f, -0.5f, 0.0f));
}

void Character::faceDirection(const glm::vec3& d)
{
    const glm::vec3 up(0.0f, 1.0f, 0.0f);
    const glm::vec3 side = glm::cross(d, up);
    const float length = glm::length(side);
    // A vertical or zero direction has no side vector; it stays zero rather than NaN.
    model[0] = glm::vec4(length > 0.0f ? side / length : glm::vec3(0.0f), 0.0f);
    model[1] = glm::vec4(up, 0.0f);
    model[2] = glm::vec4(-d, 0.0f);
}
