#pragma once

// PLACEHOLDER for the chunk streaming of the World (workers, entities, the
// loaded square): the operations the application calls, on top of the real
// voxel World. Loading is simulated by a timer so the loading screen runs.
// When streaming lands, these members move into World and the game holds a
// World again.

#include "app/placeholders/Player.h"
#include "world/World.h"

#include <glm/vec3.hpp>
#include <memory>
#include <vector>

class PerspectiveCamera;

// PLACEHOLDER for Death: only what the death sequence does to its body.
class Death {
public:
    glm::mat4 model { 1.0f };
    void setPosition(const glm::vec3& p) { model[3] = glm::vec4(p, 1.0f); }
    void faceDirection(const glm::vec3& d);
    void scaleModel(float sx, float sy, float sz);
};

// PLACEHOLDER for a projectile body.
class Projectile {
public:
    virtual ~Projectile() = default;
};

class PlaceholderWorld : public World {
public:
    // How long the simulated load of the square around the player takes,
    // counted from the first time anyone asks whether it is done (the
    // loading screen), so that screen is always seen.
    static inline double loadMs = 3000.0;

    PlaceholderWorld(int viewDistance, const glm::vec3& chunkSize);
    ~PlaceholderWorld();

    PerspectiveCamera* camera = nullptr;
    int viewDistance;
    glm::vec3 chunkSize;
    int maxChunkCount = 0;
    Player* player = nullptr;
    std::unique_ptr<Death> death;
    std::vector<std::unique_ptr<Projectile>> projectiles;
    int updates = 0;
    int cacheQueued = 0; // the last count passed to queueCacheForDestruction
    int catsRemoved = 0;

    void update(float s);
    bool isLoaded() const;
    float loadingProgress() const;
    void resetLoadedCounter();
    void queueCacheForDestruction(int n);
    void removeCats(int n);
    // The world owns the player from here on.
    void addPlayer(Player* p);
    bool placeOnSurface(Player& body, float yFrom, float yTo);
    void activateNearby() { ++activations; }
    int activations = 0;

private:
    double loadStarted() const;
    std::unique_ptr<Player> ownedPlayer;
    mutable double loadStart = -1.0;
};
