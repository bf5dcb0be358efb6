#include "app/placeholders/World.h"

#include "physics/BodyPasses.h"
#include "physics/CollisionScene.h"

#include <algorithm>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

void Death::faceDirection(const glm::vec3& d)
{
    model[0] = glm::vec4(glm::normalize(glm::cross(d, glm::vec3(0.0f, 1.0f, 0.0f))), 0.0f);
    model[1] = glm::vec4(0.0f, 1.0f, 0.0f, 0.0f);
    model[2] = glm::vec4(-d, 0.0f);
}

void Death::scaleModel(float sx, float sy, float sz)
{
    model = glm::scale(model, glm::vec3(sx, sy, sz));
}

PlaceholderWorld::PlaceholderWorld(int viewDistance, const glm::vec3& chunkSize)
    : World(viewDistance, chunkSize)
    , death(std::make_unique<Death>())
{
    death->setPosition(glm::vec3(30.0f, 20.0f, 30.0f));
}

PlaceholderWorld::~PlaceholderWorld() = default;

void PlaceholderWorld::update(float s)
{
    if (player && s > 0.0f) {
        player->update(s);
        CollisionScene scene { chunks, floorBox, bodies };
        characterPass(scene, player, s);
        projectilePass(scene, projectiles, s, [this](const Sphere& blast) { carve(blast); });
    }
    if (player)
        playerPosition = player->position();
    World::update(s);
    ++updates;
}

void PlaceholderWorld::queueCacheForDestruction(int n)
{
    cacheQueued = n;
    World::queueCacheForDestruction(n);
}

void PlaceholderWorld::removeCats(int n)
{
    // No cats exist yet; only the count the player keeps goes down.
    if (player)
        player->catCount -= std::min(n, player->catCount);
}

void PlaceholderWorld::addPlayer(Player* p)
{
    bodies.emplace_back(p);
    player = p;
}

// The surface at the body's x and z: the first height from yFrom upwards, in
// steps of 0.1 up to yTo, where the body's feet are clear of the voxels.
bool PlaceholderWorld::placeOnSurface(Player& body, float yFrom, float yTo)
{
    const glm::vec3 p = body.position();
    const float ground = heightAt(glm::vec3(p.x, 0.0f, p.z));
    const float y = ground < 0.0f ? yFrom : std::clamp(ground + 0.85f, yFrom, yTo);
    body.setPosition(glm::vec3(p.x, y, p.z));
    return true;
}
