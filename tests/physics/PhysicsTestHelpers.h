#pragma once

#include "gameplay/Human.h"
#include "world/CollisionScene.h"
#include "world/WorldTestHelpers.h"

#include <cmath>
#include <vector>

// A world test double: hand-built ready chunks, a floor box and the characters,
// without workers or streaming.
struct TestWorld {
    ChunkList chunks;
    aabb floorBox { glm::vec3(INFINITY), glm::vec3(-INFINITY) }; // nothing overlaps it
    BodyList characters;

    CollisionScene scene() { return CollisionScene { chunks, floorBox, characters }; }

    // Chunk (0, 0) with stone from y = 0 to groundHeight.
    explicit TestWorld(float groundHeight = 8.0f) { chunks.push_back(makeGroundChunk(0, 0, groundHeight)); }

    void addStone(const aabb& box) { chunks[0]->root->fill(BLOCK_STONE, box); }

    template <class Body> Body& add(std::unique_ptr<Body> body)
    {
        Body& ref = *body;
        characters.push_back(std::move(body));
        return ref;
    }
};

// A human that does nothing of its own and records the axes it was blocked on.
class TestHuman : public Human {
public:
    std::vector<int> blocked;

    explicit TestHuman(const glm::vec3& at) { placeAt(at); }
    void update(float) override { }
    void draw(const FrameState&) override { }
    void onBlocked(int axis) override { blocked.push_back(axis); }

    float feet() const { return box.min.y; }
};

// Centre of a human standing with its feet at y.
inline glm::vec3 standingAt(float x, float y, float z)
{
    return { x, y + 0.85f, z };
}
