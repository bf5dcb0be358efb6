#include "gameplay/projectiles/Cork.h"

#include "render/ShaderTable.h"

Cork::Cork(int mesh, int texture, const glm::mat4& worldMatrix, const glm::vec3& direction, float speedFactor,
    float life)
    : Projectile(0.2f, glm::vec3(worldMatrix[3]), direction * speedFactor)
{
    gravity = 0.5f;
    lifetime = life;
    model = worldMatrix;
    renderModel = std::make_unique<Model>(mesh, texture, SHADER_MODEL, false);
}
