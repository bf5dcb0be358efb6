#pragma once

#include "world/Chunk.h"

#include <glm/vec3.hpp>

// How near the player must be to use a world object, or to be told he can.
constexpr float ACTIVATION_DISTANCE = 2.0f;
// The mouse button that uses world objects (the right one); the hint shows it.
constexpr int ACTIVATION_BUTTON = 1;

// An object of a ready chunk that shows the hint is closer than 2 units to p
// (a chunk still being generated is not touched: a worker is filling its
// object list).
bool interactiveObjectNear(const ChunkList& chunks, const glm::vec3& p);
