// One fixed simulation step of the whole game.
#include "app/DevOptions.h"
#include "app/FrameStats.h"
#include "app/Game.h"
#include "base/Log.h"
#include "gui/Gui.h"

#include "app/ScenePasses.h"
#include "app/Timers.h"
#include "audio/SoundSystem.h"
#include "audio/SoundTable.h"
#include "base/Rand.h"
#include "base/Ray.h"
#include "gameplay/Cat.h"
#include "gameplay/Death.h"
#include "gameplay/Player.h"
#include "render/Camera.h"
#include "render/Fire.h"
#include "render/Flashlight.h"
#include "render/Lightning.h"
#include "render/ParticleSystem.h"
#include "render/Sky.h"
#include "world/VoxelQueries.h"
#include "world/World.h"

#include <chrono>
#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <glm/trigonometric.hpp>
#include <iomanip>

namespace {

// Raindrops fall around the player; splashes land on the ground, spread
// normally around him.
void rainStep(Game& game, const glm::vec3& playerPosition)
{
    const World& world = *game.session.world;
    game.scene.particles->spawnRain(
        playerPosition, 50, [&world](float x, float z) { return world.heightAt(glm::vec3(x, 0.0f, z)); });
    for (int i = 0; i < 70; ++i) {
        const NormalPair offset = normalPair(25.0f, randUnit);
        const float x = playerPosition.x + offset.first;
        const float z = playerPosition.z + offset.second;
        const float y = game.session.world->heightAt(glm::vec3(x, 0.0f, z));
        game.scene.particles->spawnSplash(glm::vec3(x, y, z), glm::vec3(0.0f, 1.0f, 0.0f), 10);
    }
}

// A clap on the thunder source, restarted if it still plays, at rest, placed
// in the world.
void playThunder(SoundSource& sound, const ThunderCue& cue)
{
    if (!sound.valid())
        sound = gSoundSystem.createSource();
    if (gSoundSystem.isPlaying(sound))
        gSoundSystem.stop(sound);
    // Placed before it starts, so the first sample (and its caption) comes from the strike.
    gSoundSystem.setVelocity(sound, glm::vec3(0.0f));
    gSoundSystem.setReferenceDistance(sound, cue.referenceDistance);
    gSoundSystem.setPosition(sound, cue.position);
    gSoundSystem.play(sound, cue.soundId);
}

LightningScene lightningScene(Game& game)
{
    LightningScene scene;
    scene.playerPosition = game.session.player->position();
    scene.playerBack = glm::vec3(game.session.player->modelMatrix()[2]);
    scene.outdoorLevel = gSoundSystem.coverLevel();
    scene.playerCamera = game.scene.playerCamera.get();
    scene.flashlight = game.scene.flashlight.get();
    scene.thunder = [&game](const ThunderCue& cue) { playThunder(game.scene.thunderSound, cue); };
    return scene;
}

// Solid voxels within 40 units straight above the player mean he is indoors.
float insideTest(const Game& game, const glm::vec3& playerPosition)
{
    const float distance = game.session.world->rayCast(Ray(playerPosition, glm::vec3(0.0f, 1.0f, 0.0f)));
    return distance > 40.0f ? 0.0f : 1.0f;
}

float nearestCatDistance(const World& world, const glm::vec3& from)
{
    float nearest = -1.0f;
    for (const auto& body : world.entities) {
        if (dynamic_cast<const Cat*>(body.get())) {
            const float d = glm::distance(body->position(), from);
            if (nearest < 0.0f || d < nearest)
                nearest = d;
        }
    }
    return nearest;
}

void logPlayer(Game& game, float s)
{
    game.playerLog.time += s;
    if (game.playerLog.time < 0.25f)
        return;
    const glm::vec3 p = game.session.player->position();
    const glm::vec2 moved(p.x - game.playerLog.from.x, p.z - game.playerLog.from.z);
    const float speed = glm::length(moved) / game.playerLog.time;
    std::ostringstream line;
    line << std::fixed << std::setprecision(2) << "Player: " << p.x << " " << p.y << " " << p.z << " speed "
         << speed << " stamina " << game.session.player->stamina << " cats " << game.session.player->catCount << " cat "
         << nearestCatDistance(*game.session.world, p) << " rage "
         << (game.session.world->death ? game.session.world->death->rage : 0.0f);
    const glm::vec3 forward = -glm::vec3(game.session.player->modelMatrix()[2]);
    const glm::vec3 death = game.session.world->death ? game.session.world->death->position() : glm::vec3(0.0f, -100.0f, 0.0f);
    line << " yaw " << glm::degrees(std::atan2(-forward.x, -forward.z)) << " death " << death.x << " "
         << death.y << " " << death.z << " square " << int(game.session.world->centerChunk.x) << " "
         << int(game.session.world->centerChunk.y) << " pitch " << glm::degrees(std::asin(std::clamp(forward.y, -1.0f, 1.0f)));
    if (game.playerLog.exploded)
        line << " ground at explosion " << heightAt(game.session.world->chunks, game.playerLog.lastExplosion);
    logLine(line.str());
    game.playerLog.time = 0.0f;
    game.playerLog.from = p;
}

} // namespace

void updateStep(Game& game, float dtMs)
{
    const float s = dtMs / 1000.0f;
    game.session.gameTime += s;
    gSoundSystem.update(s);
    game.scene.lightning->update(s, game.session.weather.lightning, lightningScene(game));
    game.scene.particles->update(s);
    stepPotion(game.potion.timer, game.potion.factor, s);

    if (game.session.weather.step(s, randUnit))
        gSoundSystem.setRaining(game.session.weather.rain);
    const glm::vec3 playerPosition = game.session.player->position();
    if (game.session.weather.rain && !game.session.inDesert)
        rainStep(game, playerPosition);
    game.session.insideBuilding = insideTest(game, playerPosition);
    gSoundSystem.setCover(game.session.insideBuilding != 0.0f);

    if (game.platform.frameStats) {
        const auto before = std::chrono::steady_clock::now();
        game.session.world->update(s);
        game.platform.frameStats->addWorldUpdate(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before).count());
    } else {
        game.session.world->update(s);
    }
    game.session.inDesert = game.session.world->inDesert;

    game.scene.flashlight->update(s, game.session.player->modelMatrix(), game.session.player->position());
    game.scene.skybox->update(game.session.player->position());
    game.gui->update(s);
    if (game.gui->captions) {
        game.gui->captions->listener = game.session.player->position();
        game.gui->captions->forward = -glm::vec3(game.session.player->modelMatrix()[2]);
    }
    updateFire(*game.scene.fire, game.scene.fireSound, game.session.world.get(), s);

    if (game.dev.logPlayer)
        logPlayer(game, s);

    if (stepDeathSequence(game.deathSequence.timer, game.reveal.circleLoad, game.reveal.opening, s))
        showGameOverMenu(game);
}

void updateFire(Fire& fire, SoundSource& crackle, const World* world, float dt)
{
    const int cx = int(std::floor(fire.position.x / CHUNK_SIZE));
    const int cz = int(std::floor(fire.position.z / CHUNK_SIZE));
    fire.update(dt, world && world->findChunk(cx, cz) != nullptr);
    if (!gSoundSystem.isPlaying(crackle)) {
        gSoundSystem.play(crackle, SOUND_BONFIRE);
        gSoundSystem.setLooping(crackle, true);
    }
    gSoundSystem.setPosition(crackle, fire.position);
}

void moveFire(Game& game, const glm::vec3& position)
{
    if (!game.scene.fire)
        return;
    game.scene.fire->setPosition(position);
    gSoundSystem.setPosition(game.scene.fireSound, position);
}
