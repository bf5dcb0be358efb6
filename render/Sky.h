#pragma once

#include "render/ShaderTable.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <memory>
#include <string>
#include <vector>

struct FrameState;
class Texture;
class VertexArray;

// One point sprite of the sky: position and size (16 bytes).
struct SkyVertex {
    glm::vec3 position { 0.0f };
    float size = 0.0f;
};
static_assert(sizeof(SkyVertex) == 16, "the sky vertex layout is shared with the billboard shader");

// Point sprites that follow the player over the ground plane; their height
// stays fixed. The points are uploaded at the first draw, so the sky's
// logic needs no GL.
class SkyObject {
public:
    std::vector<SkyVertex> points;
    std::unique_ptr<VertexArray> mesh; // point primitives
    glm::mat4 model { 1.0f };
    glm::vec3 offset { 0.0f }; // x and z relative to the player, y absolute
    float offsetW = 0.0f;
    int shader = SHADER_BILLBOARD;
    int texture = 0; // model texture table index

    SkyObject(std::vector<SkyVertex> vertices, int textureIndex, const glm::vec3& placement);
    virtual ~SkyObject();

    // Moves the object over the player's position.
    void follow(const glm::vec3& playerPosition);
    // Draws with the frame's view and projection. Needs GL.
    void draw(const FrameState& frame);
};

class Moon : public SkyObject {
public:
    Moon();
};

class Stars : public SkyObject {
public:
    static constexpr int COUNT = 300;
    static constexpr float RADIUS = 300.0f;
    Stars();
};

// 300 points on the upper half of a sphere of radius 300, three rand() draws each.
std::vector<SkyVertex> makeStarPoints();

// The night sky: a moon and a dome of stars, both following the player.
class Skybox {
public:
    std::unique_ptr<Moon> moon; // null when the sky texture failed to load
    std::unique_ptr<Stars> stars; // null when the sky texture failed to load

    // Loads the shared sky texture on first use (GL), then makes moon and stars.
    explicit Skybox(const std::string& texturePath);
    virtual ~Skybox();

    virtual void draw(const FrameState& frame);
    virtual void update(const glm::vec3& playerPosition);

    // The texture shared by every Skybox, or null before one loaded it.
    static Texture* sharedTexture();
    // How near a star can lie to `eye` (they are drawn with depth, so terrain beyond this may
    // lie behind them); infinite without stars. The moon stays high above the horizon.
    float nearestStarDistance(const glm::vec3& eye) const;
};
