#include "gameplay/Worldobject.h"

#include <glm/gtc/matrix_transform.hpp>

Worldobject::Worldobject(const glm::vec3& p)
    : CollisionObject(aabb(p - glm::vec3(0.5f), p + glm::vec3(0.5f)))
    , modelMatrix(glm::translate(glm::mat4(1.0f), p))
{
}

void Worldobject::onExplosion(const Geometric_Object& shape)
{
    if (shape.intersects(box))
        active = false;
}

bool Worldobject::cullTest(const Camera& frustum)
{
    // PLACEHOLDER until the camera's frustum test exists: everything is visible.
    (void)frustum;
    culled = false;
    return culled;
}
