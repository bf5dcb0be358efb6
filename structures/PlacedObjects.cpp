#include "structures/PlacedObjects.h"

// PLACEHOLDER bodies: record the request; replaced by the real constructors.

std::unique_ptr<Worldobject> makeCage(const glm::vec3& p, bool golden)
{
    auto o = std::make_unique<PlacedObject>(PlacedKind::Cage, p);
    o->golden = golden;
    return o;
}

std::unique_ptr<Worldobject> makeSign(const glm::vec3& p, const glm::vec3& facing)
{
    auto o = std::make_unique<PlacedObject>(PlacedKind::Sign, p);
    o->facing = facing;
    return o;
}

std::unique_ptr<Worldobject> makeBonfire(const glm::vec3& p)
{
    return std::make_unique<PlacedObject>(PlacedKind::Bonfire, p);
}

std::unique_ptr<Worldobject> makeItemContainer(const glm::vec3& p, int itemType)
{
    auto o = std::make_unique<PlacedObject>(PlacedKind::ItemContainer, p);
    o->itemType = itemType;
    return o;
}

std::unique_ptr<Worldobject> makeStaticDynamite(const glm::vec3& p, const glm::vec3& chargeCenter,
    float chargeRadius, const glm::vec3& packA, const glm::vec3& packB, const glm::vec3& facing)
{
    auto o = std::make_unique<PlacedObject>(PlacedKind::StaticDynamite, p);
    o->chargeCenter = chargeCenter;
    o->chargeRadius = chargeRadius;
    o->packA = packA;
    o->packB = packB;
    o->facing = facing;
    return o;
}
