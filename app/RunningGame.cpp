#include "app/RunningGame.h"

#include "app/Game.h"
#include "audio/SoundSystem.h"
#include "gameplay/Cat.h"
#include "gameplay/Death.h"
#include "gameplay/Player.h"
#include "gameplay/projectiles/Ball.h"
#include "gameplay/projectiles/FlyingFish.h"
#include "gameplay/projectiles/Projectile.h"
#include "render/Fire.h"
#include "render/ParticleSystem.h"
#include "world/World.h"

#include <algorithm>

bool RunningGame::hasPlayer() const
{
    return game.session.player != nullptr;
}

glm::vec3 RunningGame::playerPosition() const
{
    return game.session.player ? game.session.player->position() : glm::vec3(0.0f);
}

int RunningGame::catCount() const
{
    return game.session.player ? game.session.player->catCount : 0;
}

int RunningGame::countFoundCat()
{
    return game.session.player ? ++game.session.player->catCount : 0;
}

void RunningGame::giveItem(int type, int count)
{
    if (game.session.player)
        game.session.player->addItem(type, count);
}

void RunningGame::setThreat(float level)
{
    if (game.session.player)
        game.session.player->setThreat(level);
}

void RunningGame::startDeathSequence()
{
    ::startDeathSequence(game);
}

float RunningGame::deathTimer() const
{
    return game.deathSequence.timer;
}

float RunningGame::potionTimer() const
{
    return game.potion.timer;
}

void RunningGame::startPotion(float seconds)
{
    game.potion.timer = seconds;
}

void RunningGame::raisePotionGlow(float factor)
{
    game.potion.factor = std::max(game.potion.factor, factor);
}

float RunningGame::coverLevel() const
{
    return gSoundSystem.coverLevel();
}

glm::mat4 RunningGame::viewMatrix() const
{
    return game.scene.frame.viewMatrix;
}

std::optional<glm::vec3> RunningGame::ballPosition() const
{
    if (!currentBall)
        return std::nullopt;
    return currentBall->position();
}

FlyingFish* RunningGame::lastUntakenFish()
{
    FlyingFish* last = nullptr;
    for (FlyingFish* fish : thrownFish) {
        if (!fish->taken)
            last = fish;
    }
    return last;
}

glm::vec3 RunningGame::fishPosition(const FlyingFish& fish) const
{
    return fish.position();
}

bool RunningGame::takeFish(FlyingFish& fish, const glm::vec3& from)
{
    // Asking a fish whether it is reached gives it its last four seconds: ask only untaken ones.
    if (fish.taken || !fish.reachedFrom(from))
        return false;
    fish.taken = true;
    return true;
}

int RunningGame::visibleSampleCount(const MovingObject& body)
{
    return game.session.world ? game.session.world->visibleSampleCount(body) : -1;
}

bool RunningGame::spawnNear(
    MovingObject& body, const glm::vec3& centre, float minDistance, float maxDistance, bool requireInView)
{
    return game.session.world && game.session.world->spawnNear(body, centre, minDistance, maxDistance, requireInView);
}

void RunningGame::addCat(const glm::vec3& position, bool golden)
{
    if (game.session.world)
        game.session.world->addCat(position, golden);
}

Death* RunningGame::death()
{
    return game.session.world ? game.session.world->death : nullptr;
}

Cat* RunningGame::nearestCat()
{
    return game.session.world ? game.session.world->nearestCat() : nullptr;
}

void RunningGame::catBurst(const glm::vec3& center, int count, float size)
{
    if (game.scene.particles)
        game.scene.particles->spawnBurst(center, catBurstParticles(count, size));
}

void RunningGame::addProjectile(std::unique_ptr<Projectile> projectile)
{
    ::addProjectile(game, std::move(projectile));
}

void RunningGame::explode(const Explosion& blast)
{
    ::explode(game, blast);
}

void RunningGame::moveFire(const glm::vec3& position)
{
    ::moveFire(game, position);
}

void RunningGame::playSound(int sound, const glm::vec3& position)
{
    gSoundSystem.playAt(sound, position);
}

ParticleSystem* RunningGame::particles()
{
    return game.scene.particles.get();
}
