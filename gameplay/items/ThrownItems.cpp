#include "gameplay/items/ThrownItems.h"

#include "base/Log.h"
#include "gameplay/GameServices.h"
#include "gameplay/Player.h"
#include "gameplay/items/HeldPlacement.h"
#include "gameplay/projectiles/Ball.h"
#include "gameplay/projectiles/FlyingFish.h"
#include "gameplay/projectiles/Grenade.h"
#include "render/MeshTable.h"
#include "render/Model.h"
#include "render/ShaderTable.h"
#include "render/TextureTable.h"

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

// The model, name, type, cooldown and bob factor every kind sets up alike.
void describe(Item& item, int mesh, int texture, const char* name, ItemType type, float cooldown)
{
    item.model = std::make_unique<Model>(mesh, texture, SHADER_MODEL, item.held);
    item.name = name;
    item.type = int(type);
    item.cooldown = cooldown;
    item.bobFactor = 1.0f;
}

} // namespace

Dynamite::Dynamite(bool held)
    : Item(held)
{
    describe(*this, MESH_DYNAMITE, TEXTURE_DYNAMITE, "Dynamite", ItemType::Dynamite, 1.0f);
}

void Dynamite::use()
{
    game().addProjectile(std::make_unique<Grenade>(throwPoint(*owner), 0.7f * viewDirection(*owner), 3.0f));
}

void Dynamite::setMatrix(const glm::mat4& hand)
{
    model->setModelMatrix(heldDynamite(hand));
}

Fish::Fish(bool held)
    : Item(held)
{
    describe(*this, MESH_FISH, TEXTURE_FISH, "Fish", ItemType::Fish, 1.0f);
}

void Fish::use()
{
    auto fish = std::make_unique<FlyingFish>(throwPoint(*owner), 0.5f * viewDirection(*owner), 20.0f);
    thrownFish.push_back(fish.get());
    game().addProjectile(std::move(fish));
}

void Fish::setMatrix(const glm::mat4& hand)
{
    model->setModelMatrix(heldBallOrFish(hand));
}

BallItem::BallItem(bool held)
    : Item(held)
{
    describe(*this, MESH_BALL, TEXTURE_WOOL, "Ball", ItemType::BallItem, 1.0f);
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

void BallItem::setMatrix(const glm::mat4& hand)
{
    model->setModelMatrix(heldBallOrFish(hand));
}
