#pragma once

#include "gameplay/CreatureWorld.h"

struct Game;

// The cats' and Death's view of one game: its player, its world, its timers.
// The game sets it as gCreatureWorld while it exists.
class GameCreatures : public CreatureWorld {
public:
    explicit GameCreatures(Game& game)
        : game(game)
    {
    }

    bool hasPlayer() const override;
    glm::vec3 playerPosition() const override;
    int catCount() const override;
    int countFoundCat() override;
    void setThreat(float level) override;
    void startDeathSequence() override;
    float deathTimer() const override;
    float potionTimer() const override;
    float coverLevel() const override;
    std::optional<glm::vec3> ballPosition() const override;
    FlyingFish* lastUntakenFish() override;
    glm::vec3 fishPosition(const FlyingFish& fish) const override;
    bool takeFish(FlyingFish& fish, const glm::vec3& from) override;
    int visibleSampleCount(const MovingObject& body) override;
    bool spawnNear(MovingObject& body, const glm::vec3& centre, float minDistance, float maxDistance,
        bool requireInView) override;
    void addCat(const glm::vec3& position, bool golden) override;
    Death* death() override;
    Cat* nearestCat() override;
    void catBurst(const glm::vec3& center, int count, float size) override;

private:
    Game& game;
};
