// Points the world objects' events at the running game (gGame).

#include "gameplay/WorldobjectEvents.h"

#include "app/Game.h"
#include "app/ScenePasses.h"
#include "render/Fire.h"
#include "gameplay/Player.h"
#include "world/World.h"
#include "audio/SoundSystem.h"

namespace {

WorldobjectEvents gameEvents()
{
    WorldobjectEvents events;
    events.playerPosition = [] { return gGame.player ? gGame.player->position() : glm::vec3(0.0f); };
    events.addCat = [](const glm::vec3& position, bool golden) {
        if (gGame.world)
            gGame.world->addCat(position, golden);
    };
    events.giveItem = [](int type, int count) {
        if (gGame.player)
            gGame.player->addItem(type, count);
    };
    events.explode = [](const glm::vec3& center, float radius, float factor) {
        if (gGame.particles && gGame.player && gGame.playerCamera)
            explode(gGame, center, radius, factor);
    };
    events.carve = [](const Sphere& sphere) {
        if (gGame.world)
            gGame.world->carve(sphere);
    };
    events.moveFire = [](const glm::vec3& position) {
        if (gGame.fire)
            gGame.fire->setPosition(position);
    };
    events.playSound = [](int sound, const glm::vec3& position) { gSoundSystem.playAt(sound, position); };
    return events;
}

}

WorldobjectEvents gWorldobjectEvents = gameEvents();
