#pragma once

#include "gameplay/Worldobject.h"
#include "render/Model.h"

#include <memory>

class Bonfire;

// The stored distance while no bonfire holds the flames.
constexpr float NO_BONFIRE_DISTANCE = 123456.0f;
// Where the flames wait while no bonfire holds them: far below the world.
constexpr glm::vec3 FIRE_PARKING_POSITION { 0.0f, -15346.0f, 0.0f };

// The bonfire the one fire effect burns on, and the player's distance to it.
// Main thread only: bonfires are stepped there, and the main thread takes a
// chunk's objects out (and deletes them) before a worker frees the chunk.
// Nothing ever reads through the pointer, it is only compared.
extern Bonfire* gNearestBonfire;
extern float gNearestBonfireDistance;

// Logs that keep the flames while they are the nearest active bonfire.
class Bonfire : public Worldobject {
public:
    std::unique_ptr<Model> model;

    explicit Bonfire(const glm::vec3& p);
    // Gives up the flames' claim so that the next bonfire takes them.
    ~Bonfire() override;

    void draw(const FrameState& frame) override;
    void update(float dt, GameServices& game) override;
    void onExplosion(const Geometric_Object& shape, GameServices& game) override;

private:
    // Only a bonfire that was stepped can hold the flames. Structures seen
    // from a neighbouring chunk drop their objects unstepped on a worker,
    // where the globals must not be touched.
    bool stepped = false;
};

// Back to no nearest bonfire (a new game).
void resetNearestBonfire();
