#pragma once

// Surroundings for cats and Death in tests: the hand-built chunk of the
// physics test world, a player who stands still, fish and a ball the test
// places, and a record of what the creatures asked for.

#include "../physics/PhysicsTestHelpers.h"
#include "gameplay/Cat.h"
#include "gameplay/Death.h"
#include "gameplay/GameServices.h"
#include "world/BodyPasses.h"
#include "world/BodyPlacement.h"

#include <glm/geometric.hpp>
#include <optional>
#include <vector>

// A thrown fish as the cats see it.
struct TestFish {
    glm::vec3 position { 0.0f };
    bool taken = false;
};

class CreatureTestWorld : public GameServices {
public:
    TestWorld world;
    TestHuman* player = nullptr;
    Death* deathBody = nullptr;
    int cats = 0;
    float threat = -1.0f;
    int sequencesStarted = 0;
    float deathSequenceTimer = -1.0f;
    float potion = 0.0f;
    float cover = 1.0f;
    std::optional<glm::vec3> ball;
    std::vector<TestFish> fish;
    bool playerSees = false; // whether bodies are inside the player's view
    bool spawnFails = false;
    int spawnCalls = 0;
    std::vector<glm::vec3> bursts;

    explicit CreatureTestWorld(const glm::vec3& playerAt, float ground = 8.0f)
        : world(ground)
    {
        player = &world.add(std::make_unique<TestHuman>(playerAt));
    }

    // Hands this world to a creature the test made itself.
    template <class Body> Body& adopt(Body& body)
    {
        body.services = this;
        return body;
    }

    Cat& addFreeCat(const glm::vec3& at)
    {
        Cat& cat = adopt(world.add(std::make_unique<Cat>(at, false)));
        cat.onFound();
        return cat;
    }
    Death& addDeath()
    {
        deathBody = &adopt(world.add(std::make_unique<Death>(glm::vec3(30.0f, 20.0f, 30.0f))));
        return *deathBody;
    }

    // One simulation step: every body's update, then the collision pass.
    void step()
    {
        const float dt = 1.0f / 60.0f;
        for (size_t i = 0; i < world.characters.size(); ++i) {
            if (auto* creature = dynamic_cast<Character*>(world.characters[i].get()))
                creature->services = this;
            world.characters[i]->update(dt);
        }
        CollisionScene scene = world.scene();
        characterPass(scene, player, dt);
    }
    void run(float seconds)
    {
        for (int i = 0; i < int(seconds * 60.0f + 0.5f); ++i)
            step();
    }

    bool hasPlayer() const override { return true; }
    glm::vec3 playerPosition() const override { return player->position(); }
    int catCount() const override { return cats; }
    int countFoundCat() override { return ++cats; }
    void setThreat(float level) override { threat = level; }
    void startDeathSequence() override
    {
        ++sequencesStarted;
        deathSequenceTimer = 0.0f;
    }
    float deathTimer() const override { return deathSequenceTimer; }
    float potionTimer() const override { return potion; }
    float coverLevel() const override { return cover; }
    std::optional<glm::vec3> ballPosition() const override { return ball; }
    FlyingFish* lastUntakenFish() override
    {
        FlyingFish* last = nullptr;
        for (TestFish& f : fish) {
            if (!f.taken)
                last = reinterpret_cast<FlyingFish*>(&f);
        }
        return last;
    }
    glm::vec3 fishPosition(const FlyingFish& f) const override
    {
        return reinterpret_cast<const TestFish&>(f).position;
    }
    bool takeFish(FlyingFish& f, const glm::vec3& from) override
    {
        TestFish& fish = reinterpret_cast<TestFish&>(f);
        const glm::vec2 offset(fish.position.x - from.x, fish.position.z - from.z);
        if (fish.taken || glm::length(offset) > 1.0f)
            return false;
        fish.taken = true;
        return true;
    }
    int visibleSampleCount(const MovingObject& body) override
    {
        return ::visibleSampleCount(world.scene(), body, viewer());
    }
    bool spawnNear(MovingObject& body, const glm::vec3& centre, float minDistance, float maxDistance,
        bool requireInView) override
    {
        ++spawnCalls;
        if (spawnFails)
            return false;
        return ::spawnNear(world.scene(), body, centre, minDistance, maxDistance, requireInView, viewer());
    }
    void addCat(const glm::vec3& position, bool golden) override
    {
        auto cat = std::make_unique<Cat>(position, golden);
        cat->services = this;
        cat->onFound();
        world.add(std::move(cat));
    }
    Death* death() override { return deathBody; }
    Cat* nearestCat() override
    {
        Cat* nearest = nullptr;
        float best = 2.0f;
        for (const auto& body : world.characters) {
            auto* cat = dynamic_cast<Cat*>(body.get());
            const float d = cat ? glm::distance(cat->position(), player->position()) : best;
            if (d < best) {
                best = d;
                nearest = cat;
            }
        }
        return nearest;
    }
    void catBurst(const glm::vec3& center, int, float) override { bursts.push_back(center); }

    int catsInWorld() const
    {
        int n = 0;
        for (const auto& body : world.characters)
            n += dynamic_cast<const Cat*>(body.get()) ? 1 : 0;
        return n;
    }

private:
    Viewer viewer()
    {
        const bool sees = playerSees;
        return Viewer { player, [sees](const glm::vec3&, float) { return sees; } };
    }
};

inline float horizontalDistance(const glm::vec3& a, const glm::vec3& b)
{
    return glm::length(glm::vec2(a.x - b.x, a.z - b.z));
}
