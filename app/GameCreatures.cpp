#include "app/GameCreatures.h"

#include "app/Game.h"
#include "gameplay/Player.h"
#include "world/World.h"
#include "audio/SoundSystem.h"
#include "gameplay/Death.h"
#include "gameplay/projectiles/Ball.h"
#include "gameplay/projectiles/FlyingFish.h"
#include "render/ParticleSystem.h"

bool GameCreatures::hasPlayer() const
{
    return game.player != nullptr;
}

glm::vec3 GameCreatures::playerPosition() const
{
    return game.player ? game.player->position() : glm::vec3(0.0f);
}

int GameCreatures::catCount() const
{
    return game.player ? game.player->catCount : 0;
}

int GameCreatures::countFoundCat()
{
    return game.player ? ++game.player->catCount : 0;
}

void GameCreatures::setThreat(float level)
{
    if (game.player)
        game.player->setThreat(level);
}

void GameCreatures::startDeathSequence()
{
    ::startDeathSequence(game);
}

float GameCreatures::deathTimer() const
{
    return game.deathTimer;
}

float GameCreatures::potionTimer() const
{
    return game.potionTimer;
}

float GameCreatures::coverLevel() const
{
    return gSoundSystem.coverLevel();
}

std::optional<glm::vec3> GameCreatures::ballPosition() const
{
    if (!currentBall)
        return std::nullopt;
    return currentBall->position();
}

FlyingFish* GameCreatures::lastUntakenFish()
{
    FlyingFish* last = nullptr;
    for (FlyingFish* fish : thrownFish) {
        if (!fish->taken)
            last = fish;
    }
    return last;
}

glm::vec3 GameCreatures::fishPosition(const FlyingFish& fish) const
{
    return fish.position();
}

bool GameCreatures::takeFish(FlyingFish& fish, const glm::vec3& from)
{
    // Asking a fish whether it is reached gives it its last four seconds: ask only untaken ones.
    if (fish.taken || !fish.reachedFrom(from))
        return false;
    fish.taken = true;
    return true;
}

int GameCreatures::visibleSampleCount(const MovingObject& body)
{
    return game.world ? game.world->visibleSampleCount(body) : -1;
}

bool GameCreatures::spawnNear(
    MovingObject& body, const glm::vec3& centre, float minDistance, float maxDistance, bool requireInView)
{
    return game.world && game.world->spawnNear(body, centre, minDistance, maxDistance, requireInView);
}

void GameCreatures::addCat(const glm::vec3& position, bool golden)
{
    if (game.world)
        game.world->addCat(position, golden);
}

Death* GameCreatures::death()
{
    return game.world ? game.world->death : nullptr;
}

Cat* GameCreatures::nearestCat()
{
    return game.world ? game.world->nearestCat() : nullptr;
}

void GameCreatures::catBurst(const glm::vec3& center, int count, float size)
{
    if (game.particles)
        game.particles->spawnCatBurst(center, count, size);
}
