#pragma once

#include "gameplay/GameServices.h"

struct Game;

// What the things in the world reach of one running game: its player, its
// world, its timers, particles, fire and sound. The game hands it to its World,
// which passes it on to the bodies and world objects it owns.
class RunningGame : public GameServices {
public:
    explicit RunningGame(Game& game)
        : game(game)
    {
    }

    bool hasPlayer() const override;
    glm::vec3 playerPosition() const override;
    int catCount() const override;
    int countFoundCat() override;
    void giveItem(int type, int count) override;
    void setThreat(float level) override;
    void startDeathSequence() override;
    float deathTimer() const override;
    float potionTimer() const override;
    void startPotion(float seconds) override;
    void raisePotionGlow(float factor) override;
    float coverLevel() const override;
    glm::mat4 viewMatrix() const override;
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
    void addProjectile(std::unique_ptr<Projectile> projectile) override;
    void explode(const Explosion& blast) override;
    void moveFire(const glm::vec3& position) override;
    void playSound(int sound, const glm::vec3& position) override;
    ParticleSystem* particles() override;
    void catBurst(const glm::vec3& center, int count, float size) override;

private:
    Game& game;
};
