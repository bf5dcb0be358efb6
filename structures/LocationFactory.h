#pragma once

#include "structures/Location.h"

#include <glm/vec3.hpp>
#include <memory>

// The structure that a feature code stands for, created at `position` (world
// coordinates). Null for codes that are no structure (trees, cacti, plain
// ground).
std::unique_ptr<Location> makeLocation(int featureCode, const glm::vec3& position);
