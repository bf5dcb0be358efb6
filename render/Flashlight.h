#pragma once

#include "render/Model.h"
#include "render/ShadowCamera.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

// The lamp in the player's hand: a perspective light whose cone the player
// widens and narrows, which can flicker after a lightning strike.
class Flashlight {
public:
    static constexpr float MIN_FOV = 10.0f;
    static constexpr float MAX_FOV = 70.0f;

    Model model;
    bool on = true;
    bool flickering = false;
    float flickerElapsed = 0.0f;
    float toggleTimer = 0.0f;
    float toggleInterval = 0.05f;
    float flickerDuration = 0.2f;
    float fov = 50.0f;
    ShadowCamera shadow;
    float intensity = 0.75f;

    Flashlight();

    // Clamps the cone to 10..70 degrees; a narrow cone is brighter.
    void setFov(float degrees);
    // Three degrees per wheel notch.
    void scroll(float yOffset);
    void startFlicker();

    // One simulation step. The light sits one unit behind the player's eye
    // line, 0.2 to the side, pointing where the player looks; switched off,
    // it moves where it lights nothing.
    void update(float dt, const glm::mat4& playerModel, const glm::vec3& playerPosition);

    // Places the lamp relative to the player's hand matrix.
    void placeModel(const glm::mat4& hand);
    // The lamp in the hand, where placeModel put it (needs GL).
    void draw(const FrameState& frame) const { model.draw(frame); }

    // Intensity for a cone angle: 2 at 0 degrees, 0 at 80.
    static float intensityFor(float degrees) { return 2.0f - degrees / 80.0f * 2.0f; }
};

// Where a switched-off light goes: nothing in the world is near it.
extern const glm::vec3 FLASHLIGHT_OFF_POSITION;
