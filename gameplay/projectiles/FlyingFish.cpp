#include "gameplay/projectiles/FlyingFish.h"

#include "render/MeshTable.h"
#include "render/TextureTable.h"

#include <algorithm>
#include <glm/geometric.hpp>
#include <glm/vec2.hpp>

std::vector<FlyingFish*> thrownFish;

void forgetThrownFish(const FlyingFish* fish)
{
    thrownFish.erase(std::remove(thrownFish.begin(), thrownFish.end(), fish), thrownFish.end());
}

FlyingFish::FlyingFish(const glm::vec3& position, const glm::vec3& v, float life)
    : Projectile(0.2f, position, v)
{
    lifetime = life;
    setModel(MESH_FISH, TEXTURE_FISH, 0.2f);
}

FlyingFish::~FlyingFish()
{
    forgetThrownFish(this);
}

void FlyingFish::expire()
{
    forgetThrownFish(this);
    Projectile::expire();
}

bool FlyingFish::reachedFrom(const glm::vec3& point)
{
    const glm::vec3 p = position();
    const float horizontal = glm::length(glm::vec2(p.x - point.x, p.z - point.z));
    if (currentSpeed >= 0.05f || horizontal >= 1.0f)
        return false;
    age = 0.0f;
    lifetime = 4.0f;
    return true;
}
