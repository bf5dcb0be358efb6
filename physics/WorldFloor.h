#pragma once

#include "physics/MovingObject.h"
#include "render/TerrainMesh.h"

#include <cstdint>
#include <functional>
#include <glm/vec3.hpp>
#include <memory>

class Camera;
class Shader;

// The slab under the loaded area that stops bodies from falling out of the
// world. Only its top face (bedrock) is drawn, at y = 0 once it is placed, in square patches
// (up to four to a chunk's side): the terrain hides nearly all of
// it, and a software renderer pays for every pixel a drawn face covers, hidden or not.
class WorldFloor : public MovingObject {
public:
    // (2 viewDistance + 1) chunks wide on x and z, 20 high: the whole loaded
    // square, so nothing dug through at its edge falls out of the world.
    WorldFloor(int viewDistance, const glm::vec3& chunkSize);
    ~WorldFloor() override;

    void update(float dt) override { (void)dt; }
    // Centres the slab under chunk (cx, cz) with its top face at y = 0.
    void placeUnderChunk(int32_t cx, int32_t cz);

    // The top face in the slab's own frame (centred on its position): 4 corners, 6 indices.
    TerrainMeshData meshData;

    // Draws the top face with the bound world shader, setting its three matrix uniforms from
    // the camera, less the patches for which hidden(lo, hi) holds (their boxes in the world's
    // frame); a null `hidden` draws it whole. Main thread with a GL context; the GPU mesh is
    // made at the first draw.
    using Hidden = std::function<bool(const glm::vec3& lo, const glm::vec3& hi)>;
    void draw(const Camera& camera, const Shader& worldShader, const Hidden& hidden = nullptr);

    std::unique_ptr<TerrainMesh> mesh; // null until the first draw

private:
    glm::vec3 chunkSize;
    TerrainDrawRuns patchRuns; // the patches one draw keeps, its storage kept
};
