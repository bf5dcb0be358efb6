#pragma once

// What the cats and Death see of the game around them: the player, the
// game-wide values they read (the ball in flight, the thrown fish, the death
// and potion timers, the outdoor level) and the world's placement and
// line-of-sight queries. The game provides one over its World; tests provide
// their own over a few hand-built chunks.

#include <glm/vec3.hpp>
#include <optional>

class Cat;
class Death;
class FlyingFish;
class MovingObject;

class CreatureWorld {
public:
    virtual ~CreatureWorld() = default;

    // The player. Without one the position is the origin and the count 0.
    virtual bool hasPlayer() const = 0;
    virtual glm::vec3 playerPosition() const = 0;
    virtual int catCount() const = 0;
    // One more cat found; returns the player's new count.
    virtual int countFoundCat() = 0;
    // Death's threat level for this step (drives heartbeat and noise).
    virtual void setThreat(float level) = 0;
    virtual void startDeathSequence() = 0;

    // -1 when no death sequence runs, else its seconds so far.
    virtual float deathTimer() const = 0;
    // Seconds of potion protection left.
    virtual float potionTimer() const = 0;
    // The smoothed outdoor level: above 0.3 counts as outdoors.
    virtual float coverLevel() const = 0;

    // The ball in flight, if any.
    virtual std::optional<glm::vec3> ballPosition() const = 0;
    // The last thrown fish whose taken flag is clear, or null.
    virtual FlyingFish* lastUntakenFish() = 0;
    virtual glm::vec3 fishPosition(const FlyingFish& fish) const = 0;
    // Takes the fish when it lies at rest within reach of `from` and nobody
    // took it yet; whether it was taken now.
    virtual bool takeFish(FlyingFish& fish, const glm::vec3& from) = 0;

    // Line of sight from the player to the body: -1 out of his view, else the
    // number of its samples he sees (0 to 9).
    virtual int visibleSampleCount(const MovingObject& body) = 0;
    virtual bool spawnNear(
        MovingObject& body, const glm::vec3& centre, float minDistance, float maxDistance, bool requireInView)
        = 0;
    // A free cat found at the position (counted, announced, added to the world).
    virtual void addCat(const glm::vec3& position, bool golden) = 0;
    virtual Death* death() = 0;
    // The free cat nearest to the player within 2 units, or null.
    virtual Cat* nearestCat() = 0;
    virtual void catBurst(const glm::vec3& center, int count, float size) = 0;
};

// The surroundings of every cat and of Death; null while no game exists (the
// creatures then stand still).
extern CreatureWorld* gCreatureWorld;
