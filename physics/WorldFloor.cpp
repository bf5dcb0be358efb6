#include "physics/WorldFloor.h"

#include "base/BlockType.h"
#include "render/Camera.h"
#include "render/Shader.h"

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
    // The mesh is drawn through the model matrix, so it is built around the origin: one quad
    // whose corners are the box's, scaled from a unit square.
    aabb local = box;
    local.moveCenterTo(glm::vec3(0.0f));
    meshData.placement.origin = local.min;
    meshData.placement.step = local.max - local.min;
    TerrainQuad top;
    top.plane = 1;
    top.u1 = 1;
    top.v1 = 1;
    top.type = BLOCK_BEDROCK;
    appendTerrainQuad(meshData, 4, top); // the +Y face
    finishTerrainIndices(meshData, { 0, 0, 0, 0, 1, 0 });
    setPosition(kStartCentre);
}

void WorldFloor::placeUnderChunk(int32_t cx, int32_t cz)
{
    setPosition(
        glm::vec3((float(cx) + 0.5f) * chunkSize.x, -kHeight * 0.5f, (float(cz) + 0.5f) * chunkSize.z));
}

WorldFloor::~WorldFloor() = default;

void WorldFloor::draw(const Camera& camera, const Shader& worldShader)
{
    if (!mesh)
        mesh = std::make_unique<TerrainMesh>(meshData);
    worldShader.setMat4("modelMatrix", model);
    worldShader.setMat4("modelViewMatrix", camera.view * model);
    worldShader.setMat4("modelViewProjMatrix", camera.projection * camera.view * model);
    mesh->draw();
}
