#include "gameplay/projectiles/Projectile.h"

#include "base/Rand.h"
#include "gameplay/GameServices.h"
#include "render/ParticleSystem.h"
#include "render/ShaderTable.h"

#include <cmath>
#include <glm/geometric.hpp>

namespace {

constexpr float kTwoPi = 6.2831855f;

} // namespace

Projectile::Projectile(float boxSize, const glm::vec3& position, const glm::vec3& v)
    : MovingObject(100.0f, 10.0f, 0.0f)
    , launchVelocity(v)
    , spinAxis(randomSpinAxis())
{
    box = aabb(glm::vec3(0.0f), glm::vec3(boxSize));
    setPosition(position);
    velocity = v;
    speed = glm::length(v);
    gravity = 1.0f;
    currentSpeed = speed;
}

glm::vec3 Projectile::randomSpinAxis()
{
    const float u = 2.0f * randUnit() - 1.0f;
    const float angle = kTwoPi * randUnit();
    const float r = std::sqrt(std::max(0.0f, 1.0f - u * u));
    return { std::cos(angle) * r, std::sin(angle) * r, u };
}

void Projectile::setModel(int mesh, int texture, float scale)
{
    renderModel = std::make_unique<Model>(mesh, texture, SHADER_MODEL, false);
    scaleModel(scale, scale, scale);
}

void Projectile::onBlocked(int axis)
{
    ++bounceCount;
    velocity[axis] = -velocity[axis];
    velocity *= 0.5f;

    const float along = velocity[axis];
    glm::vec3 t = velocity;
    t[axis] = 0.0f;
    glm::vec3 n(0.0f);
    n[axis] = along >= 0.0f ? -1.0f : 1.0f;
    const glm::vec3 c = glm::cross(t, n);
    const float length = glm::length(c);
    spinAxis = length > 0.0f ? c / length : glm::vec3(1.0f, 0.0f, 0.0f);

    if (ParticleSystem* particles = services ? services->particles() : nullptr)
        particles->spawnSplash(position(), -n, int(50.0f * currentSpeed));
}

void Projectile::commonFlight(float dt)
{
    if (currentSpeed > 0.02f)
        rotateAboutWorldAxis(spinAxis, dt * 1000.0f * currentSpeed);
    refreshModel();
    velocity.y -= gravity * dt;
    age += dt;
    if (lifetime <= age && alive)
        expire();
    currentSpeed = glm::length(velocity);
}

void Projectile::refreshModel()
{
    if (!renderModel)
        return;
    renderModel->setModelMatrix(model);
    renderModel->updateNormalMatrix(services ? services->viewMatrix() : glm::mat4(1.0f));
}

void Projectile::draw(const FrameState& frame)
{
    if (!alive || !renderModel)
        return;
    renderModel->setModelMatrix(model);
    renderModel->draw(frame);
}

std::unique_ptr<Sphere> Projectile::explosionShape() const
{
    constexpr float kBlastRadius = 3.0f;
    return std::make_unique<Sphere>(position(), kBlastRadius);
}
