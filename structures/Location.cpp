#include "structures/Location.h"

Location::Location(const glm::vec3& p)
    : position(p)
    , random(Random::fromPosition(p))
{
    // The first draws of nearby seeds are strongly correlated; skip them.
    for (int i = 0; i < discardedDraws; ++i)
        random.next();
}
