#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

// What every draw call of one frame shares: the matrices of the pass being
// drawn and the lights of the scene. The game owns one; its passes fill it
// before anything draws and hand it down to every draw, which only reads it.
struct FrameState {
    glm::mat4 viewMatrix { 1.0f };
    glm::mat4 projMatrix { 1.0f };
    glm::mat4 projViewMatrix { 1.0f };
    glm::mat4 normalMatrix { 1.0f }; // the player's

    // Lights, in world space.
    glm::vec3 flashlightEye { 0.0f }; // the flashlight camera's eye position
    glm::vec3 flashlightDir { 0.0f, 0.0f, 1.0f }; // its back axis: the lamp shines the other way
    float flashlightFov = 50.0f; // the cone's full angle in degrees
    glm::vec4 sunColor { 1.0f }; // the sun camera's colour
    bool lightIsSun = false; // the current light is the orthographic sun
    glm::mat4 lightDepthBias { 1.0f }; // the current light's depthBias
    glm::mat4 flashlightDepthBias { 1.0f };
    glm::vec3 firePosition { 0.0f };
    float fireNoise = 1.0f;
    float night = 1.0f;
    bool lightningActive = false;
    float flashLightIntensity = 0.75f;
    int screenWidth = 1280;
    int screenHeight = 720;
};
