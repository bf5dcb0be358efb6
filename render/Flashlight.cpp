#include "render/Flashlight.h"

#include "render/MeshTable.h"
#include "render/RandomUnit.h"
#include "render/ShaderTable.h"
#include "render/TextureTable.h"

#include <algorithm>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

const glm::vec3 FLASHLIGHT_OFF_POSITION { 1337.0f, 100014.0f, 10240.0f };

Flashlight::Flashlight()
    : model(MESH_FLASHLIGHT, TEXTURE_FLASHLIGHT, SHADER_MODEL, false)
{
    model.addPart(MESH_FLASHLIGHT_HAND, TEXTURE_GLOVES);
    model.inHand = true;
    shadow.initFlashlightCam();
    setFov(fov);
}

void Flashlight::setFov(float degrees)
{
    fov = std::clamp(degrees, MIN_FOV, MAX_FOV);
    if (shadow.camera)
        shadow.camera->setPerspective(fov, 1.0f, 1.0f, 1000.0f);
    intensity = intensityFor(fov);
}

void Flashlight::scroll(float yOffset)
{
    setFov(fov + 3.0f * yOffset);
}

void Flashlight::startFlicker()
{
    toggleTimer = 99.0f; // the first toggle comes at once
    flickerElapsed = 0.0f;
    flickering = true;
    toggleInterval = 0.05f;
    flickerDuration = 0.15f + randUnit() * 0.05f;
}

void Flashlight::update(float dt, const glm::mat4& playerModel, const glm::vec3& playerPosition)
{
    if (flickering) {
        flickerElapsed += dt;
        toggleTimer += dt;
        if (toggleTimer > toggleInterval) {
            on = !on;
            toggleTimer = 0.0f;
            toggleInterval = randomUniform(0.5f * toggleInterval, 1.5f * toggleInterval);
        }
        if (flickerElapsed > flickerDuration) {
            flickering = false;
            on = true;
        }
    }
    if (on) {
        const glm::vec3 back(playerModel[2]);
        // Looking straight up or down leaves no sideways direction and makes
        // the world's up useless for aiming: no side offset, and the player's
        // own up axis aims the light instead.
        const glm::vec3 flatSide(back.z, 0.0f, -back.x);
        const float sideLength = glm::length(flatSide);
        const bool vertical = sideLength <= 1e-6f;
        const glm::vec3 side = vertical ? glm::vec3(0.0f) : flatSide / sideLength;
        const glm::vec3 up = vertical ? glm::vec3(playerModel[1]) : glm::vec3(0.0f, 1.0f, 0.0f);
        const glm::vec3 eye = playerPosition + back + 0.2f * side;
        shadow.setLightView(glm::lookAt(eye, eye - back, up));
    } else {
        shadow.setLightView(glm::translate(glm::mat4(1.0f), FLASHLIGHT_OFF_POSITION));
    }
}

void Flashlight::placeModel(const glm::mat4& hand)
{
    glm::mat4 m = hand;
    const float a = hand[2][1]; // how far the hand's back axis tilts up
    m[0] *= 0.15f;
    m[1] *= 0.15f;
    m[2] *= 0.15f;
    const float up = a > 0.0f ? -5.0f * a : 2.0f * a;
    const float back = (a > 0.0f ? 0.0f : 2.0f * a) - 5.0f;
    m[3] += 2.0f * m[0] + up * m[1] + back * m[2];
    model.setModelMatrix(m);
}
