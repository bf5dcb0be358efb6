#include "gameplay/Worldobject.h"

#include "render/Camera.h"

#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

Worldobject::Worldobject(const glm::vec3& p)
    : CollisionObject(aabb(p - glm::vec3(0.5f), p + glm::vec3(0.5f)))
    , modelMatrix(glm::translate(glm::mat4(1.0f), p))
{
}

void Worldobject::onExplosion(const Geometric_Object& shape, GameServices&)
{
    if (shape.intersects(box))
        active = false;
}

bool isBoxVisible(const aabb& box, const Camera& frustum)
{
    const glm::vec3 center = box.center();
    return frustum.classifySphere(center, glm::length(box.max - center)) != SPHERE_OUTSIDE;
}

bool Worldobject::cullTest(const Camera& frustum)
{
    culled = !isBoxVisible(box, frustum);
    return culled;
}
