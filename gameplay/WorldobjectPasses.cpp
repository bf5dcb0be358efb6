#include "gameplay/WorldobjectPasses.h"

#include "gui/ButtonHelper.h"

#include <glm/geometric.hpp>

int activateObjectsNear(const ChunkList& chunks, const glm::vec3& p)
{
    int count = 0;
    for (size_t c = 0; c < chunks.size(); ++c) {
        const Chunk& chunk = *chunks[c];
        if (!chunk.ready)
            continue;
        // Indices: an activation may blow up objects of this very list (they stay listed).
        for (size_t i = 0; i < chunk.objects.size(); ++i) {
            Worldobject& object = *chunk.objects[i];
            if (glm::distance(object.position(), p) < ACTIVATION_DISTANCE) {
                object.activate();
                ++count;
            }
        }
    }
    return count;
}

bool interactiveObjectNear(const ChunkList& chunks, const glm::vec3& p)
{
    for (const auto& chunk : chunks) {
        if (!chunk->ready)
            continue;
        for (const auto& object : chunk->objects)
            if (object->hint && glm::distance(object->position(), p) < ACTIVATION_DISTANCE)
                return true;
    }
    return false;
}

void updateInteractionHint(ButtonHelper& helper, const ChunkList& chunks, const glm::vec3& p)
{
    helper.clearUnlimitedHint();
    if (interactiveObjectNear(chunks, p))
        helper.setHint(0, -1.0f);
}

void drawObjects(const ChunkList& chunks, const Camera& camera)
{
    for (const auto& chunk : chunks) {
        if (!chunk->ready)
            continue;
        for (const auto& object : chunk->objects)
            if (!object->cullTest(camera))
                object->draw();
    }
}
