#pragma once

#include "physics/MovingObject.h"

#include <cstdint>
#include <glm/vec3.hpp>

// The slab under the loaded area that stops bodies from falling out of the
// world. Only its top face (bedrock) is drawn, at y = 0 once it is placed.
class WorldFloor : public MovingObject {
public:
    // (viewDistance + 1) chunks wide on x and z, 20 high.
    WorldFloor(int viewDistance, const glm::vec3& chunkSize);

    void update(float dt) override { (void)dt; }
    // Centres the slab under chunk (cx, cz) with its top face at y = 0.
    void placeUnderChunk(int32_t cx, int32_t cz);

    // The top face in the slab's own frame (centred on its position): 8 vertices, 6 indices.
    float meshVertices[64] = {};
    uint32_t meshIndices[6] = {};
    int meshVertexFloatCount = 0;
    int meshIndexCount = 0;

    // PLACEHOLDER: the GPU mesh is uploaded and drawn with the world shader by the render work.
    void draw() { }

private:
    glm::vec3 chunkSize;
};
