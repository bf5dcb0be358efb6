#include "physics/WorldFloor.h"

#include "base/BlockType.h"
#include "render/Camera.h"
#include "render/Shader.h"

#include <algorithm>

namespace {
// Before the player's chunk is first known the slab waits out of the way, high above.
const glm::vec3 kStartCentre(10.0f, 80.0f, 30.0f);
constexpr float kHeight = 20.0f;
}

WorldFloor::WorldFloor(int viewDistance, const glm::vec3& size)
    : MovingObject(aabb(glm::vec3(0.0f),
        glm::vec3(float(2 * viewDistance + 1) * size.x, kHeight, float(2 * viewDistance + 1) * size.z)))
    , chunkSize(size)
{
    // The mesh is drawn through the model matrix, so it is built around the origin. Each patch
    // is tested every frame: about 64 to a side at most, fewer per chunk for a wide square. A
    // corner counts its steps in a byte: never more than 255.
    aabb local = box;
    local.moveCenterTo(glm::vec3(0.0f));
    const int chunksAcross = 2 * viewDistance + 1;
    const int perChunk = std::clamp(64 / std::max(1, chunksAcross), 1, 4);
    const int patches = chunksAcross * perChunk <= 255 ? chunksAcross * perChunk : 1;
    meshData.placement.origin = local.min;
    meshData.placement.step = (local.max - local.min) / glm::vec3(float(patches), 1.0f, float(patches));
    for (int u = 0; u < patches; ++u) {
        for (int v = 0; v < patches; ++v) {
            TerrainQuad top;
            top.plane = 1;
            top.u0 = uint8_t(u);
            top.u1 = uint8_t(u + 1);
            top.v0 = uint8_t(v);
            top.v1 = uint8_t(v + 1);
            top.type = BLOCK_BEDROCK;
            appendTerrainQuad(meshData, 4, top); // the +Y face
        }
    }
    finishTerrainIndices(meshData, { 0, 0, 0, 0, uint32_t(patches * patches), 0 });
    setPosition(kStartCentre);
}

void WorldFloor::placeUnderChunk(int32_t cx, int32_t cz)
{
    setPosition(
        glm::vec3((float(cx) + 0.5f) * chunkSize.x, -kHeight * 0.5f, (float(cz) + 0.5f) * chunkSize.z));
}

WorldFloor::~WorldFloor() = default;

void WorldFloor::draw(const Camera& camera, const Shader& worldShader, const Hidden& hidden)
{
    if (!mesh)
        mesh = std::make_unique<TerrainMesh>(meshData);
    worldShader.setMat4("modelMatrix", model);
    worldShader.setMat4("modelViewMatrix", camera.view * model);
    worldShader.setMat4("modelViewProjMatrix", camera.projection * camera.view * model);
    if (!hidden) {
        mesh->draw();
        return;
    }
    mesh->quadsNotHidden(mesh->faceRanges().all(), [&](const glm::vec3& lo, const glm::vec3& hi) {
        const glm::vec3 a = glm::vec3(model * glm::vec4(lo, 1.0f)), b = glm::vec3(model * glm::vec4(hi, 1.0f));
        return hidden(glm::min(a, b), glm::max(a, b));
    }, patchRuns);
    mesh->draw(patchRuns);
}
