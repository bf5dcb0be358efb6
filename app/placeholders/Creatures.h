#pragma once

// PLACEHOLDERS for the cats and Death of the creatures work: bodies that stand
// still, with only the constructors and operations the World and the game call.
// Replace the include with gameplay/Cat.h and gameplay/Death.h when they land.

#include "gameplay/Character.h"
#include "gameplay/Human.h"

#include <glm/vec3.hpp>

// PLACEHOLDER for Cat: a free cat's body (0.5 x 0.4 x 0.5) that does nothing.
class Cat : public Character {
public:
    Cat(const glm::vec3& position, bool golden);

    bool golden = false;
    bool found = false;

    void update(float dt) override { (void)dt; }
    void draw() override { }
    // The real cat raises the player's count, plays its sound and tells Death.
    void onFound() { found = true; }
};

// PLACEHOLDER for Death: a human-sized body that does nothing.
class Death : public Character {
public:
    explicit Death(const glm::vec3& position);

    void update(float dt) override { (void)dt; }
    void draw() override { }
};
