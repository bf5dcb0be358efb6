#pragma once

#include "render/Camera.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>
#include <memory>

class Shader;

// A light seen as a camera: its view renders the shadow map, and depthBias
// maps world positions into that map's [0, 1] texture and depth range.
class ShadowCamera {
public:
    std::unique_ptr<Camera> camera;
    glm::mat4 lightView { 1.0f };
    glm::mat4 depthBias { 1.0f };
    glm::vec3 direction { 0.0f }; // the light's back axis
    glm::vec4 color { 1.0f };
    bool isSun = false;

    // A perspective light "Flashlightcam" (50 degrees, square, 1..1000) looking
    // from (90, 80, 30) at the origin.
    void initFlashlightCam();
    // An orthographic light "Suncam" (100 x 100, 2..200) from the same place.
    void initSunCam();

    // Stores the view and updates direction, the camera and depthBias.
    // Without a camera it writes "cam not set!" to the error stream and ends
    // the program with exit code 1: a light that lights nothing is a bug.
    bool setLightView(const glm::mat4& view);

    // Sets the bound depth shader's "projview" to the camera's projView.
    void setProjViewUniform(const Shader& shader) const;

    // bias × projView with bias = scale 0.5 then translate 0.5 on x, y, z.
    static glm::mat4 biasMatrix();

private:
    void initAt(std::unique_ptr<Camera> lightCamera, bool sun);
};
