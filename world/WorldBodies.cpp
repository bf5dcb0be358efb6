// The World's bodies: the player, the cats, Death and the projectiles, and the
// operations other parts of the game call on them.
#include "world/World.h"

#include "base/Log.h"
#include "gameplay/Cat.h"
#include "gameplay/Death.h"
#include "gameplay/GameServices.h"
#include "gameplay/Player.h"
#include "gameplay/projectiles/Projectile.h"
#include "gui/ButtonHelper.h"
#include "render/Camera.h"
#include "world/BodyPasses.h"
#include "world/BodyPlacement.h"
#include "world/WorldobjectPasses.h"

#include <glm/geometric.hpp>

namespace {
constexpr float kReach = ACTIVATION_DISTANCE; // how near the player must be to a cat or an object
}

void World::setServices(GameServices* game)
{
    services = game;
    for (auto& body : entities)
        if (auto* character = dynamic_cast<Character*>(body.get()))
            character->services = game;
    for (auto& body : newEntities_)
        if (auto* character = dynamic_cast<Character*>(body.get()))
            character->services = game;
    for (auto& projectile : projectiles)
        projectile->services = game;
    for (auto& projectile : newProjectiles_)
        projectile->services = game;
}

GameServices& World::game() const
{
    return services ? *services : noGame();
}

void World::addPlayer(std::unique_ptr<Player> body)
{
    body->services = services;
    player = body.get();
    playerBody_ = body.get();
    if (steppingBodies_)
        newEntities_.push_back(std::move(body));
    else
        entities.push_back(std::move(body));
}

Cat* World::addCat(const glm::vec3& position, bool golden)
{
    auto cat = std::make_unique<Cat>(position, golden);
    Cat* added = cat.get();
    cat->services = services;
    cat->onFound();
    // A cat that splits adds its twin from inside its own update, while the list is walked.
    if (steppingBodies_)
        newEntities_.push_back(std::move(cat));
    else
        entities.push_back(std::move(cat));
    return added;
}

void World::addProjectile(std::unique_ptr<Projectile> projectile)
{
    if (!projectile)
        return;
    projectile->services = services;
    if (steppingBodies_)
        newProjectiles_.push_back(std::move(projectile));
    else
        projectiles.push_back(std::move(projectile));
}

void World::joinNewBodies()
{
    for (auto& body : newEntities_)
        entities.push_back(std::move(body));
    newEntities_.clear();
    for (auto& projectile : newProjectiles_)
        projectiles.push_back(std::move(projectile));
    newProjectiles_.clear();
}

void World::removeCats(int n)
{
    int removed = 0;
    for (size_t i = entities.size(); i-- > 0 && removed < n;) {
        if (!dynamic_cast<Cat*>(entities[i].get()))
            continue;
        entities[i] = std::move(entities.back());
        entities.pop_back();
        ++removed;
        if (player)
            --player->catCount;
    }
    if (removed < n)
        logError(joinText("ERROR:  cannot delete ", n, " cats because there are not cats anymore :("));
}

Cat* World::nearestCat() const
{
    if (!playerBody_)
        return nullptr;
    const glm::vec3 from = playerBody_->position();
    Cat* nearest = nullptr;
    float best = 9999.0f;
    for (const auto& body : entities) {
        auto* cat = dynamic_cast<Cat*>(body.get());
        if (!cat)
            continue;
        const float distance = glm::distance(cat->position(), from);
        if (distance < kReach && distance < best) {
            best = distance;
            nearest = cat;
        }
    }
    return nearest;
}

void World::activateNearby()
{
    if (!playerBody_)
        return;
    const glm::vec3 from = playerBody_->position();
    // Indices: activating a cage adds a cat, and an object may change its own chunk's list.
    for (size_t c = 0; c < chunks.size(); ++c) {
        Chunk& chunk = *chunks[c];
        if (!chunk.ready)
            continue;
        for (size_t i = 0; i < chunk.objects.size(); ++i) {
            if (glm::distance(chunk.objects[i]->position(), from) < kReach)
                chunk.objects[i]->activate(game());
        }
    }
}

void World::updateInteractionHint()
{
    interactionHint = playerBody_ && interactiveObjectNear(chunks, playerBody_->position());
    if (!hintDisplay)
        return;
    hintDisplay->clearUnlimitedHint();
    if (interactionHint)
        hintDisplay->setHint(ACTIVATION_BUTTON, -1.0f);
}

void World::updateBodies(float dt)
{
    steppingBodies_ = true;
    for (auto& body : entities)
        body->update(dt);
    joinNewBodies();
    CollisionScene scene = collisionScene();
    characterPass(scene, playerBody_, dt);
    steppingBodies_ = false;
    joinNewBodies();
}

void World::stepProjectiles(float dt)
{
    steppingBodies_ = true;
    CollisionScene scene = collisionScene();
    projectilePass(scene, projectiles, dt);
    steppingBodies_ = false;
    joinNewBodies();
}

void World::placeOnSurface(MovingObject& body, float yFrom, float yTo)
{
    ::placeOnSurface(collisionScene(), body, yFrom, yTo);
}

namespace {
Viewer viewerOf(const MovingObject* body, const Camera* camera)
{
    Viewer viewer;
    viewer.body = body;
    if (camera) {
        viewer.sphereInView = [camera](const glm::vec3& centre, float radius) {
            return camera->classifySphere(centre, radius) != 0;
        };
    }
    return viewer;
}
}

bool World::spawnNear(
    MovingObject& body, const glm::vec3& center, float minDistance, float maxDistance, bool requireInView)
{
    return ::spawnNear(collisionScene(), body, center, minDistance, maxDistance, requireInView,
        viewerOf(playerBody_, camera));
}

int World::visibleSampleCount(const MovingObject& body)
{
    return ::visibleSampleCount(collisionScene(), body, viewerOf(playerBody_, camera));
}

bool World::collidesWithCharacters(const CollisionObject& body)
{
    return collisionScene().collidesWithCharacters(body);
}
