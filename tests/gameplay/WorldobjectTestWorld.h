#pragma once

// A world test double for world objects: a real World (no streaming) with
// hand-made ready chunks, and the objects' events recorded instead of reaching
// a running game. Blasts carve through the real World::carve.

#include "../world/WorldTestHelpers.h"
#include "gameplay/Bonfire.h"
#include "gameplay/Player.h"
#include "gameplay/WorldobjectEvents.h"
#include "world/World.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

class WorldobjectWorld : public testing::Test {
protected:
    World world { 1, glm::vec3(CHUNK_SIZE), 1 };
    glm::vec3 player { 0.0f };
    std::vector<std::pair<glm::vec3, bool>> cats; // freed: position, golden
    std::vector<std::pair<int, int>> items; // given: type, count
    std::vector<Sphere> blasts;
    std::vector<glm::vec3> firePositions;
    std::vector<int> sounds;
    WorldobjectEvents saved;

    void SetUp() override
    {
        saved = gWorldobjectEvents;
        resetNearestBonfire();
        gWorldobjectEvents = WorldobjectEvents {};
        gWorldobjectEvents.playerPosition = [this] { return player; };
        gWorldobjectEvents.addCat = [this](const glm::vec3& p, bool golden) { cats.emplace_back(p, golden); };
        gWorldobjectEvents.giveItem = [this](int type, int count) { items.emplace_back(type, count); };
        gWorldobjectEvents.explode
            = [this](const glm::vec3& c, float r, float) { blasts.emplace_back(c, r); };
        gWorldobjectEvents.carve = [this](const Sphere& s) { world.carve(s); };
        gWorldobjectEvents.moveFire = [this](const glm::vec3& p) { firePositions.push_back(p); };
        gWorldobjectEvents.playSound = [this](int sound, const glm::vec3&) { sounds.push_back(sound); };
        world.chunks.push_back(makeGroundChunk(0, 0, 10.0f));
    }

    void TearDown() override
    {
        gWorldobjectEvents = saved;
        resetNearestBonfire();
    }

    // Places a new object into chunk (0, 0), which owns it.
    template <class T, class... Args> T* place(Args&&... args)
    {
        T* object = new T(std::forward<Args>(args)...);
        world.chunks[0]->objects.emplace_back(object);
        return object;
    }

    // The player's body in the world at p, for the World's own activation.
    void playerAt(const glm::vec3& p)
    {
        auto body = std::make_unique<Player>(nullptr);
        body->setPosition(p);
        world.addPlayer(std::move(body));
        player = p;
    }

    // The chunk's step: objects no longer active are deleted.
    void step(float dt = 1.0f / 60.0f) { world.chunks[0]->updateObjects(dt); }
    size_t objectCount() const { return world.chunks[0]->objects.size(); }
};
