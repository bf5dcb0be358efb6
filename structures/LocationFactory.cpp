#include "structures/LocationFactory.h"

#include "base/TerrainCodes.h"
#include "structures/Balloon.h"
#include "structures/BigHouse.h"
#include "structures/Camp.h"
#include "structures/DesertCrypt.h"
#include "structures/Mineshaft.h"
#include "structures/Pyramid.h"
#include "structures/Tower.h"
#include "structures/VillageHouse.h"

std::unique_ptr<Location> makeLocation(int featureCode, const glm::vec3& position)
{
    switch (featureCode) {
    case terrain::CODE_PYRAMID:
        return std::make_unique<Pyramid>(position);
    case terrain::CODE_VILLAGE_HOUSE:
        return std::make_unique<VillageHouse>(position);
    case terrain::CODE_BIG_HOUSE:
        return std::make_unique<BigHouse>(position);
    case terrain::CODE_DESERT_CRYPT:
        return std::make_unique<DesertCrypt>(position);
    case terrain::CODE_MINESHAFT:
        return std::make_unique<Mineshaft>(position);
    case terrain::CODE_CAMP:
        return std::make_unique<Camp>(position);
    case terrain::CODE_BALLOON:
        return std::make_unique<Balloon>(position);
    case terrain::CODE_TOWER:
        return std::make_unique<Tower>(position);
    default:
        return nullptr;
    }
}
