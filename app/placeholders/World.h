#pragma once

// PLACEHOLDER for the World's bodies (the player, Death, the cats, the
// projectiles) and the operations on them, on top of the real World with its
// chunk streaming. When the bodies land in World, these members move there
// and the game holds a World again.

#include "app/placeholders/Player.h"
#include "gameplay/Death.h"
#include "gameplay/projectiles/Projectile.h"
#include "world/World.h"

#include <glm/vec3.hpp>
#include <memory>
#include <vector>

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

    // Streams the chunks around the player (his position is the square's centre).
    void update(float s);
    void queueCacheForDestruction(int n);
    void removeCats(int n);
    // The world owns the player from here on.
    void addPlayer(Player* p);
    bool placeOnSurface(Player& body, float yFrom, float yTo);
    void activateNearby() { ++activations; }

private:
    std::unique_ptr<Player> ownedPlayer;
};
