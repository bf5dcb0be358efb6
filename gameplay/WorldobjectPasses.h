#pragma once

#include "world/Chunk.h"

#include <glm/vec3.hpp>

class ButtonHelper;
class Camera;

// How near the player must be to use a world object, or to be told he can.
constexpr float ACTIVATION_DISTANCE = 2.0f;

// The world's passes over the objects of its ready chunks (a chunk still being
// generated is not touched: a worker is filling its object list).

// Activates every object closer than 2 units to p, used up or not (an object
// spent this step is deleted at the next chunk update). Returns how many.
int activateObjectsNear(const ChunkList& chunks, const glm::vec3& p);
// An object that shows the hint is closer than 2 units to p.
bool interactiveObjectNear(const ChunkList& chunks, const glm::vec3& p);
// Clears the unlimited hint, then shows hint 0 without a time limit while an
// interactive object is near p.
void updateInteractionHint(ButtonHelper& helper, const ChunkList& chunks, const glm::vec3& p);
// Culls every object against the camera and draws those left (needs GL).
void drawObjects(const ChunkList& chunks, const Camera& camera);
