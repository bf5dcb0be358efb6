#include "structures/LocationFactory.h"

#include "structures/Balloon.h"
#include "structures/BigHouse.h"
#include "structures/Camp.h"
#include "structures/Mineshaft.h"
#include "world/TerrainCodes.h"

std::unique_ptr<Location> makeLocation(int featureCode, const glm::vec3& position)
{
    switch (featureCode) {
    case terrain::CODE_PYRAMID:
        return nullptr; // PLACEHOLDER: Pyramid
    case terrain::CODE_VILLAGE_HOUSE:
        return nullptr; // PLACEHOLDER: VillageHouse
    case terrain::CODE_BIG_HOUSE:
        return std::make_unique<BigHouse>(position);
    case terrain::CODE_DESERT_CRYPT:
        return nullptr; // PLACEHOLDER: DesertCrypt
    case terrain::CODE_MINESHAFT:
        return std::make_unique<Mineshaft>(position);
    case terrain::CODE_CAMP:
        return std::make_unique<Camp>(position);
    case terrain::CODE_BALLOON:
        return std::make_unique<Balloon>(position);
    case terrain::CODE_TOWER:
        return nullptr; // PLACEHOLDER: Tower
    default:
        return nullptr;
    }
}
