#pragma once

#include <glm/vec3.hpp>

// How far the world shader's light can carry through its fog. The shader (shader/world.glsl)
// mixes every lit colour towards the fog's colour by 1 - exp(-(density d)^2) at d units from
// the eye, and no light it adds exceeds the bounds below. Beyond the distance where even the
// brightest light the frame can give differs from the fog's colour by less than half an 8-bit
// step, a surface shows as the fog's colour to within one step: it needs no shading, and a
// lamp whose light cannot reach that far needs no shadow there. Keep this in step with the
// shader: every constant here is one of its own.

// The shader's inputs that bound its light, as the scene pass sends them.
struct SceneLight {
    bool night = true;
    bool rain = false;
    float fogFactor = 0.0f;
    bool lightning = false; // a flash lights everything
    float lightningFactor = 0.0f;
    glm::vec3 sunColor { 1.0f }; // the flash's colour
    float flashLightIntensity = 0.0f;
    glm::vec3 flashLightPos { 0.0f }; // world space
    float fireNoise = 0.0f;
};

// The fog's colour and density.
inline const glm::vec3 FOG_COLOR(0.006f, 0.008f, 0.016f);
float fogDensity(const SceneLight& light);
// The share of a colour that the fog leaves at d units: exp(-(density d)^2).
float fogTransmittance(const SceneLight& light, float d);

// The largest colour channel the shader can give a surface at `viewDistance` from the eye and
// at least `lampDistance` from the flashlight, with the bonfire's light added when `byFire`.
// Every texture value counts as 1.
float brightestLight(const SceneLight& light, float lampDistance, bool byFire);

// Half an 8-bit step: a difference below it cannot change a pixel by more than one step.
inline constexpr float HALF_COLOR_STEP = 0.5f / 255.0f;

// The distance from `eye` beyond which no surface differs from the fog's colour by half a step
// or more (with the bonfire's light when `byFire`).
float fogHorizon(const SceneLight& light, const glm::vec3& eye, bool byFire);
// The distance from the flashlight beyond which its light, after the fog between the surface
// and `eye`, adds less than half a step to any surface.
float lampReach(const SceneLight& light, const glm::vec3& eye);
// The radius around the bonfire that its light reaches in the shader.
inline constexpr float FIRE_LIGHT_RADIUS = 40.0f;
