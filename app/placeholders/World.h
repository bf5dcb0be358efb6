#pragma once

// PLACEHOLDER for the World's bodies (the player, Death, the cats, the
// projectiles) and the operations on them, on top of the real World with its
// chunk streaming. When the bodies land in World, these members move there
// and the game holds a World again.

#include "gameplay/Player.h"
#include "gameplay/projectiles/Projectile.h"
#include "physics/MovingObject.h"
#include "world/World.h"

#include <glm/vec3.hpp>
#include <memory>
#include <vector>

// PLACEHOLDER for Death: only what the death sequence does to its body.
class Death {
public:
    glm::mat4 model { 1.0f };
    void setPosition(const glm::vec3& p) { model[3] = glm::vec4(p, 1.0f); }
    void faceDirection(const glm::vec3& d);
    void scaleModel(float sx, float sy, float sz);
};

class PlaceholderWorld : public World {
public:
    PlaceholderWorld(int viewDistance, const glm::vec3& chunkSize);
    ~PlaceholderWorld();

    Player* player = nullptr;
    std::unique_ptr<Death> death;
    std::vector<std::unique_ptr<Projectile>> projectiles;
    int updates = 0;
    int cacheQueued = 0; // the last count passed to queueCacheForDestruction
    int activations = 0;

    // Steps the player and moves him against the voxels, then streams the
    // chunks around him (his position is the square's centre).
    void update(float s);
    void queueCacheForDestruction(int n);
    void removeCats(int n);
    // The world owns the player from here on.
    void addPlayer(Player* p);
    bool placeOnSurface(Player& body, float yFrom, float yTo);
    void activateNearby() { ++activations; }

private:
    BodyList bodies; // the player
};
