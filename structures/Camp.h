#pragma once

#include "structures/Location.h"

#include <glm/vec3.hpp>

// A grass clearing with up to four tents about a bonfire; one tent holds an
// item container. The position is the surface point at the clearing's middle.
class Camp : public Location {
public:
    using Location::Location;

    void generate(VoxelOrders& orders) override;

    static constexpr float tentDistance = 10.0f;
    static constexpr float tentLength = 8.0f;
    static constexpr float tentHeight = 4.0f;
};

// A ridge tent standing on O: two sloping sides of 2H + 1 strips meeting at
// height H, closed at the +S end, open at the other with a pole. F is the
// direction one slope falls toward; the ridge runs along S = (F.z, 0, -F.x).
void buildTent(
    VoxelOrders& orders, const glm::vec3& center, const glm::vec3& facing, float length, float height);
