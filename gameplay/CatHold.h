#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <string>

class Cat;

// The cat in the player's hand. The hold and the cat know each other, so
// whichever goes first (the cat removed from the world, the hand deleted with
// the player, a new game deleting both) leaves the other with nothing to
// read: the hold becomes empty when its cat is deleted.
class CatHold {
public:
    CatHold() = default;
    CatHold(const CatHold&) = delete;
    CatHold& operator=(const CatHold&) = delete;
    ~CatHold() { clear(); }

    Cat* cat() const { return held; }
    explicit operator bool() const { return held != nullptr; }

    // Picks the cat up: carried state, its box turned inside out (twice the
    // size, so it collides with nothing), a meow, no gravity. Returns the
    // name the hand now shows.
    std::string pickUp(Cat& cat);
    // Puts the held cat down where it is: gravity back, its box restored, following again.
    void drop();
    // Keeps the held cat in front of the eyes, farther away for bigger cats.
    void carry(const glm::vec3& playerPosition, const glm::mat4& playerModel);
    // Forgets the cat without touching it.
    void clear();

private:
    friend class Cat;
    Cat* held = nullptr;
};

// "Cat" with its size word: "Gigantic", "Huge", "Fat", none, "Small", "Tiny".
std::string carriedCatName(float size);
