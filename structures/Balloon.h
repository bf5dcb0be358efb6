#pragma once

#include "structures/Location.h"

#include <glm/vec3.hpp>

// A hot-air balloon floating at a fixed height, whatever the ground below,
// with a free cat in its basket. Draws no random numbers.
class Balloon : public Location {
public:
    glm::vec3 center; // of the envelope: (px, 55, pz)
    float radius = 8.0f; // of the envelope
    float gap = 4.0f; // between the envelope and the basket's top

    explicit Balloon(const glm::vec3& position);

    void generate(VoxelOrders& orders) override;

    // The middle of the basket, below the envelope.
    glm::vec3 basketCenter() const { return center - glm::vec3(0, gap + radius + 2, 0); }

    static constexpr float height = 55.0f;
};
