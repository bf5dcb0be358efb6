#include "gameplay/items/ThrownItems.h"

#include "base/Log.h"
#include "gameplay/GameServices.h"
#include "gameplay/Player.h"
#include "gameplay/projectiles/Ball.h"
#include "gameplay/projectiles/FlyingFish.h"
#include "gameplay/projectiles/Grenade.h"

namespace {

// One unit in front of the body centre, along the view.
glm::vec3 throwPoint(const Player& p)
{
    return p.position() - glm::vec3(p.model[2]);
}
glm::vec3 viewDirection(const Player& p)
{
    return -glm::vec3(p.model[2]);
}

} // namespace

Dynamite::Dynamite(bool held)
    : Item(ItemType::Dynamite, held)
{
}

void Dynamite::use()
{
    game().addProjectile(std::make_unique<Grenade>(throwPoint(*owner), 0.7f * viewDirection(*owner), 3.0f));
}

Fish::Fish(bool held)
    : Item(ItemType::Fish, held)
{
}

void Fish::use()
{
    auto fish = std::make_unique<FlyingFish>(throwPoint(*owner), 0.5f * viewDirection(*owner), 20.0f);
    thrownFish.push_back(fish.get());
    game().addProjectile(std::move(fish));
}

BallItem::BallItem(bool held)
    : Item(ItemType::BallItem, held)
{
}

void BallItem::use()
{
    // One ball at a time: the unit the try took goes back.
    if (currentBall) {
        addCount(1);
        return;
    }
    auto ball = std::make_unique<Ball>(glm::vec3(0.0f), glm::vec3(0.0f));
    logLine("Ball: Throw");
    ball->launch(throwPoint(*owner), 0.5f * viewDirection(*owner));
    owner->thrownBall = ball.get();
    currentBall = ball.get();
    game().addProjectile(std::move(ball));
}
