#include "gameplay/GameServices.h"

#include "gameplay/projectiles/Projectile.h"

glm::vec3 CreatureView::fishPosition(const FlyingFish& fish) const
{
    (void)fish;
    return glm::vec3(0.0f);
}

void GameEffects::addProjectile(std::unique_ptr<Projectile> projectile)
{
    // Without a world nothing would ever step it: it goes at once.
    projectile.reset();
}

GameServices& noGame()
{
    static GameServices none;
    return none;
}
