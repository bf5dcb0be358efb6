#include "structures/Balloon.h"

#include "base/BlockType.h"
#include "gameplay/CagelessCage.h"
#include "structures/Placement.h"

#include <array>

Balloon::Balloon(const glm::vec3& p)
    : Location(p)
    , center(p.x, height, p.z)
{
}

void Balloon::generate(VoxelOrders& orders)
{
    const glm::vec3 b = basketCenter();
    appendBox(orders, BLOCK_BASKET, b - glm::vec3(3, 2, 3), b + glm::vec3(3, 2, 3));
    appendBox(orders, BLOCK_AIR, b + glm::vec3(-2.5f, -0.5f, -2.5f), b + glm::vec3(2.5f, 2, 2.5f));
    objects.push_back(std::make_unique<CagelessCage>(b));

    // One rope from each corner of the basket up to the envelope's middle height.
    const glm::vec3 ropeMin(b.x + 2.5f, b.y + 2, b.z + 2.5f);
    const glm::vec3 ropeMax(b.x + 3, center.y, b.z + 3);
    const std::array<glm::vec3, 4> corners = {
        glm::vec3(0, 0, 0),
        glm::vec3(5.5f, 0, 0),
        glm::vec3(0, 0, 5.5f),
        glm::vec3(5.5f, 0, 5.5f),
    };
    for (const glm::vec3& c : corners)
        appendBox(orders, BLOCK_TENT, ropeMin - c, ropeMax - c);

    appendSphere(orders, BLOCK_BALLON, center.x, center.y, center.z, radius);
}
