#include "structures/LocationFactory.h"

#include "world/TerrainCodes.h"

std::unique_ptr<Location> makeLocation(int featureCode, const glm::vec3& position)
{
    (void)position;
    switch (featureCode) {
    case terrain::CODE_PYRAMID:
        return nullptr; // PLACEHOLDER: Pyramid
    case terrain::CODE_VILLAGE_HOUSE:
        return nullptr; // PLACEHOLDER: VillageHouse
    case terrain::CODE_BIG_HOUSE:
        return nullptr; // PLACEHOLDER: BigHouse
    case terrain::CODE_DESERT_CRYPT:
        return nullptr; // PLACEHOLDER: DesertCrypt
    case terrain::CODE_MINESHAFT:
        return nullptr; // PLACEHOLDER: Mineshaft
    case terrain::CODE_CAMP:
        return nullptr; // PLACEHOLDER: Camp
    case terrain::CODE_BALLOON:
        return nullptr; // PLACEHOLDER: Balloon
    case terrain::CODE_TOWER:
        return nullptr; // PLACEHOLDER: Tower
    default:
        return nullptr;
    }
}
