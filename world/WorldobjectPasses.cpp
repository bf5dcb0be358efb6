#include "world/WorldobjectPasses.h"

#include <glm/geometric.hpp>

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
