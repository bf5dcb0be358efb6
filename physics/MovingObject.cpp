#include "physics/MovingObject.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/mat3x3.hpp>
#include <glm/matrix.hpp>

MovingObject::MovingObject()
    : CollisionObject(aabb(glm::vec3(-1.0f), glm::vec3(1.0f)))
{
}

MovingObject::MovingObject(float s, float g, float air)
    : MovingObject()
{
    speed = s;
    gravity = g;
    airTime = air;
}

MovingObject::MovingObject(const aabb& b)
    : CollisionObject(b)
{
}

glm::vec3 MovingObject::displacement(float scale, int axis) const
{
    glm::vec3 d = velocity * scale;
    if (axis != -1) {
        for (int a = 0; a < 3; ++a) {
            if (a != axis)
                d[a] = 0.0f;
        }
    }
    return d;
}

void MovingObject::move(float scale, int axis)
{
    const glm::vec3 d = displacement(scale, axis);
    box.translate(d);
    model[3] += glm::vec4(d, 0.0f);
}

void MovingObject::setPosition(const glm::vec3& p)
{
    box.moveCenterTo(p);
    model[3] = glm::vec4(p, 1.0f);
}

void MovingObject::rotateAboutWorldAxis(const glm::vec3& axis, float degrees)
{
    const glm::vec3 local = glm::vec3(glm::inverse(model) * glm::vec4(axis, 0.0f));
    model = glm::rotate(model, glm::radians(degrees), local);
}

void MovingObject::turn(float yawDegrees, float pitchDegrees)
{
    rotateAboutWorldAxis(glm::vec3(0.0f, 1.0f, 0.0f), yawDegrees);
    const glm::mat4 yawOnly = model;
    model = glm::rotate(model, glm::radians(pitchDegrees), glm::vec3(1.0f, 0.0f, 0.0f));
    if (model[1].y < 0.0f)
        model = yawOnly;
}

glm::mat4 MovingObject::viewMatrix() const
{
    return glm::inverse(model);
}

glm::mat4 MovingObject::normalMatrix() const
{
    const glm::mat3 upper(viewMatrix() * model);
    return glm::mat4(glm::transpose(glm::inverse(upper)));
}

void MovingObject::scaleModel(float sx, float sy, float sz)
{
    model = glm::scale(model, glm::vec3(sx, sy, sz));
}
