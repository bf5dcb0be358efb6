#include "gameplay/projectiles/Ball.h"

#include "render/MeshTable.h"
#include "render/TextureTable.h"

#include <cmath>
#include <glm/geometric.hpp>

Ball* currentBall = nullptr;

Ball::Ball(const glm::vec3& position, const glm::vec3& v)
    : Projectile(0.6f, position, v)
{
    gravity = 0.7f;
    setModel(MESH_BALL, TEXTURE_WOOL, 0.3f);
}

Ball::~Ball()
{
    if (currentBall == this)
        currentBall = nullptr;
}

void Ball::launch(const glm::vec3& position, const glm::vec3& v)
{
    setPosition(position);
    speed = glm::length(v);
    velocity = v;
    spinAxis = randomSpinAxis();
    bounceCount = 0;
}

float Ball::spinAngle(float dt) const
{
    const float angle = dt * 1000.0f * currentSpeed;
    const bool rolling = velocity.y < 0.01f && bounceCount >= 1;
    return rolling ? angle * 3.0f : angle;
}

void Ball::update(float dt)
{
    if (currentSpeed > 0.008f)
        rotateAboutWorldAxis(spinAxis, spinAngle(dt));
    refreshModel();
    velocity.y -= gravity * dt;
    age += dt;
    currentSpeed = glm::length(velocity);
}

void Ball::hitCharacter(const glm::vec3& p)
{
    if (currentSpeed >= 0.2f)
        return;
    const glm::vec3 offset = position() - p;
    const float distance = glm::length(offset);
    // A body exactly at the ball's centre gives no direction to kick it in.
    if (distance <= 0.0f)
        return;
    const glm::vec3 d = offset / distance;
    velocity.x += 0.2f * d.x;
    velocity.z += 0.2f * d.z;
    velocity.y += 0.2f * std::abs(d.y);
}
