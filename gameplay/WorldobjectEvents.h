#pragma once

#include "base/Shapes.h"

#include <functional>
#include <glm/vec3.hpp>

// What world objects do to the rest of the game: free a cat, hand the player an
// item, blow something up, move the flames, play a sound. The game points these
// at its world, player, fire and sound system (app/WorldobjectEvents.cpp); tests
// replace them with recorders. An empty entry does nothing, so world objects
// also work where no game runs (structure generation on workers, tools).
struct WorldobjectEvents {
    std::function<glm::vec3()> playerPosition;
    // A freed cat appears at the position and is counted.
    std::function<void(const glm::vec3& position, bool golden)> addCat;
    // The player receives `count` items of `type`.
    std::function<void(int type, int count)> giveItem;
    // Sparks, the explosion sound and the camera shake.
    std::function<void(const glm::vec3& center, float radius, float factor)> explode;
    // Air into the sphere; every world object of the loaded chunks is told.
    std::function<void(const Sphere& sphere)> carve;
    // Moves the one fire effect.
    std::function<void(const glm::vec3& position)> moveFire;
    // One-shot sound at a position, zero velocity.
    std::function<void(int sound, const glm::vec3& position)> playSound;

    glm::vec3 player() const { return playerPosition ? playerPosition() : glm::vec3(0.0f); }
    void freeCat(const glm::vec3& p, bool golden) const
    {
        if (addCat)
            addCat(p, golden);
    }
    void give(int type, int count) const
    {
        if (giveItem)
            giveItem(type, count);
    }
    void blast(const glm::vec3& c, float r, float factor) const
    {
        if (explode)
            explode(c, r, factor);
    }
    void carveSphere(const Sphere& s) const
    {
        if (carve)
            carve(s);
    }
    void fireTo(const glm::vec3& p) const
    {
        if (moveFire)
            moveFire(p);
    }
    void sound(int index, const glm::vec3& p) const
    {
        if (playSound)
            playSound(index, p);
    }
};

// Defined with the game's wiring in app/.
extern WorldobjectEvents gWorldobjectEvents;
