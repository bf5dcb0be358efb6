#pragma once

// PLACEHOLDER for the Player of the gameplay work: just the state and the
// operations the application calls, with their documented effects on that
// state. Replace the include with the real header when it lands.

#include "gameplay/Human.h"

#include <cstdint>

class Gui;

// The bit of `inputFlags` a key code or mouse button sets, -1 for any other code.
int inputBitFor(int code);

// Cats lost on respawn: 0 for none, 1 for 1 to 3, 2 for 4 to 6, 3 for 7 or more.
int catsLostOnRespawn(int catCount);

// A human body that stands still; the World moves it like any character.
class Player : public Human {
public:
    explicit Player(Gui* overlay)
        : overlay(overlay)
    {
        placeAt(glm::vec3(0.0f));
    }

    uint32_t inputFlags = 0;
    int catCount = 0;
    int selectedIndex = 0;
    int soundsStopped = 0; // how often stopSounds ran

    void pressInput(int code);
    void releaseInput(int code);
    void selectSlot(int key);
    void stopSounds() { ++soundsStopped; }

    void update(float dt) override { (void)dt; }
    void draw() override { }

private:
    Gui* overlay;
};
