#pragma once

#include "gameplay/projectiles/Projectile.h"

#include <vector>

// A thrown fish. Cats run to the last untaken fish of the list of thrown
// fish; the first to reach it eats it, and it vanishes a few seconds later.
class FlyingFish : public Projectile {
public:
    bool taken = false;

    FlyingFish(const glm::vec3& position, const glm::vec3& velocity, float lifetime);
    // Leaves the list of thrown fish, so nothing there ever names a deleted fish.
    ~FlyingFish() override;

    void update(float dt) override { commonFlight(dt); }
    std::unique_ptr<Sphere> explosionShape() const override { return nullptr; }
    // A cat at point reaches the fish when it lies still within one unit
    // horizontally; the fish then has four seconds left.
    bool reachedFrom(const glm::vec3& point);

protected:
    void expire() override;
};

// The fish thrown and not yet gone, in throwing order; cats watch it.
extern std::vector<FlyingFish*> thrownFish;

// Takes the fish out of the list, if it is there.
void forgetThrownFish(const FlyingFish* fish);
