#pragma once

#include "gameplay/Worldobject.h"
#include "world/Chunk.h"

#include <memory>

// A generated chunk whose ground is solid stone from y = 0 up to groundHeight.
inline std::unique_ptr<Chunk> makeGroundChunk(int cx, int cz, float groundHeight, bool ready = true)
{
    auto chunk = std::make_unique<Chunk>(cx, cz);
    chunk->prepareGeneration();
    const aabb b = chunk->bounds();
    chunk->root->fill(BLOCK_AIR, b);
    if (groundHeight > 0.0f)
        chunk->root->fill(BLOCK_STONE, aabb(b.min, { b.max.x, groundHeight, b.max.z }));
    chunk->computeHeightmap(aabb(glm::vec3(-10000.0f), glm::vec3(10000.0f)));
    if (ready)
        chunk->finishGeneration();
    return chunk;
}

// A world object that records what happens to it.
class ProbeObject : public Worldobject {
public:
    int updates = 0;
    int explosions = 0;
    int activations = 0;
    bool dieOnUpdate = false;
    int* deaths = nullptr; // counts destructions when set

    explicit ProbeObject(const glm::vec3& p)
        : Worldobject(p)
    {
    }
    ~ProbeObject() override
    {
        if (deaths)
            ++*deaths;
    }
    void update(float, GameServices&) override
    {
        ++updates;
        if (dieOnUpdate)
            active = false;
    }
    void activate(GameServices&) override { ++activations; }
    void onExplosion(const Geometric_Object& shape, GameServices& game) override
    {
        ++explosions;
        Worldobject::onExplosion(shape, game);
    }
};
