#pragma once

// PLACEHOLDER for the Player of the gameplay work: just the state and the
// operations the application calls, with their documented effects on that
// state. Replace the include with the real header when it lands.

#include <cstdint>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

class Gui;

// The bit of `inputFlags` a key code or mouse button sets, -1 for any other code.
int inputBitFor(int code);

// Cats lost on respawn: 0 for none, 1 for 1 to 3, 2 for 4 to 6, 3 for 7 or more.
int catsLostOnRespawn(int catCount);

class Player {
public:
    explicit Player(Gui* overlay)
        : overlay(overlay)
    {
    }

    uint32_t inputFlags = 0;
    int catCount = 0;
    int selectedIndex = 0;
    int soundsStopped = 0; // how often stopSounds ran

    void pressInput(int code);
    void releaseInput(int code);
    void selectSlot(int key);
    void stopSounds() { ++soundsStopped; }

    glm::vec3 position() const { return glm::vec3(model[3]); }
    void setPosition(const glm::vec3& p) { model[3] = glm::vec4(p, 1.0f); }
    glm::mat4 modelMatrix() const { return model; }
    void turn(float yawDegrees, float pitchDegrees);
    // Looks along the horizontal unit vector d without moving.
    void faceDirection(const glm::vec3& d);

private:
    Gui* overlay;
    glm::mat4 model { 1.0f };
};
