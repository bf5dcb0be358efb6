#pragma once

// PLACEHOLDERS for the render pipeline's cameras, lights and effects, the mesh
// table and the frame passes: the names and operations the application calls,
// keeping only the state it reads back. Each is replaced by the render work.

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <string>

struct Game;

class PerspectiveCamera {
public:
    explicit PerspectiveCamera(std::string name)
        : name(std::move(name))
    {
    }
    std::string name;
    glm::mat4 projection { 1.0f };
    float fov = 0.0f, aspect = 0.0f, near = 0.0f, far = 0.0f;
    float shakeAmount = 0.0f;

    void setPerspective(float fovDegrees, float aspectRatio, float nearPlane, float farPlane);
    void shake(float amount)
    {
        if (amount > 0.0f)
            shakeAmount = amount;
    }
};

class ShadowCamera {
public:
    bool isSun = false;
    void initSunCam() { isSun = true; }
};

class Flashlight {
public:
    bool on = true;
    float fov = 50.0f;
    void setFov(float degrees);
    void scroll(double yOffset) { setFov(fov + 3.0f * float(yOffset)); }
    void update(float) { }
};

class Lightning {
public:
    void update(float) { }
};

class Skybox {
public:
    explicit Skybox(std::string texturePath)
        : texturePath(std::move(texturePath))
    {
    }
    std::string texturePath;
    void update(const glm::vec3&) { }
};

class Fire {
public:
    Fire(const glm::vec3& position, float scale)
        : position(position)
        , scale(scale)
    {
    }
    glm::vec3 position;
    float scale;
    void update(float) { }
};

class ParticleSystem {
public:
    int raindrops = 0, splashes = 0, sparks = 0;
    void update(float) { }
    void spawnRain(const glm::vec3&, int count) { raindrops += count; }
    void spawnSplash(const glm::vec3&, const glm::vec3&, int count) { splashes += count; }
    void spawnExplosion(const glm::vec3&, float, int count, float) { sparks += count; }
};

// The mesh table.
int loadMeshes();
void freeMeshes();

// The shadow-map and multisample framebuffers, sized once from the settings.
void createFramebuffers(int screenWidth, int screenHeight);
void freeFramebuffers();
void lookUpWorldUniforms();

// One world frame: the shadow and scene passes into the multisample buffer,
// then the post-processing pass onto the bound default framebuffer.
void drawScene(Game& game);
void postProcess(Game& game);
