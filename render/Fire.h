#pragma once

#include "render/ProceduralTexture.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <memory>

struct FrameState;
class VertexArray;

// The one flame effect: a single point that the fire shader expands into
// flames, on the bonfire nearest to the player. Its crackle is the game's.
// Construction and update make no GL call; the textures and the point mesh
// reach the GPU on the first draw.
class Fire {
public:
    bool visible = false; // the chunk under the fire is loaded
    float time = 0.0f; // scrolls the noise upwards
    float scale = 1.0f; // noise scale and "resolution"
    std::unique_ptr<procedural_texture> noise; // W = H = 100 × scale
    std::unique_ptr<VertexArray> point;
    glm::mat4 modelMatrix { 1.0f };
    glm::vec3 position { 0.0f };

    Fire(float x, float y, float z, float scale);
    Fire(const glm::vec3& p, float scale)
        : Fire(p.x, p.y, p.z, scale)
    {
    }
    ~Fire();
    Fire(const Fire&) = delete;
    Fire& operator=(const Fire&) = delete;

    void setPosition(const glm::vec3& p);
    // Visible while the chunk under the fire is loaded; the flames move on.
    void update(float dt, bool chunkUnderLoaded);
    void draw(const FrameState& frame);

    // The noise texel (j, i) of a size × size texture: octave noise blended
    // from four shifted samples so that opposite edges meet seamlessly.
    static float tiledNoise(int j, int i, int size, float scale);

private:
    void buildNoiseTexture();
    void uploadOnce();
    bool uploaded = false;
};
