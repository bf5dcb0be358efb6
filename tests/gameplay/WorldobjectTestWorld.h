#pragma once

// A world test double for world objects: a real World (no streaming) with
// hand-made ready chunks, and the objects' events recorded instead of reaching
// a running game. Blasts carve through the real World::carve.

#include "../world/WorldTestHelpers.h"
#include "gameplay/Bonfire.h"
#include "gameplay/Player.h"
#include "gameplay/GameServices.h"
#include "world/World.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

class WorldobjectWorld : public testing::Test, public GameServices {
protected:
    World world { 1, glm::vec3(CHUNK_SIZE), 1 };
    glm::vec3 player { 0.0f };
    std::vector<std::pair<glm::vec3, bool>> cats; // freed: position, golden
    std::vector<std::pair<int, int>> items; // given: type, count
    std::vector<Sphere> blasts;
    std::vector<glm::vec3> firePositions;
    std::vector<int> sounds;

    // What the objects do to the game, recorded.
    glm::vec3 playerPosition() const override { return player; }
    void addCat(const glm::vec3& p, bool golden) override { cats.emplace_back(p, golden); }
    void giveItem(int type, int count) override { items.emplace_back(type, count); }
    void explode(const Explosion& blast) override
    {
        blasts.push_back(blast.sphere());
        world.carve(blast.sphere());
    }
    void moveFire(const glm::vec3& p) override { firePositions.push_back(p); }
    void playSound(int sound, const glm::vec3&) override { sounds.push_back(sound); }

    void SetUp() override
    {
        resetNearestBonfire();
        world.setServices(this);
        world.chunks.push_back(makeGroundChunk(0, 0, 10.0f));
    }

    void TearDown() override { resetNearestBonfire(); }

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
    void step(float dt = 1.0f / 60.0f) { world.chunks[0]->updateObjects(dt, *this); }
    size_t objectCount() const { return world.chunks[0]->objects.size(); }
};
