// The game's screen transitions and the events other parts of the game raise.
#include "app/DevOptions.h"
#include "app/Game.h"
#include "base/Log.h"

#include "app/GameLoading.h"
#include "app/ScenePasses.h"
#include "app/Timers.h"
#include "audio/SoundSystem.h"
#include "base/Clock.h"
#include "base/Rand.h"
#include "base/Settings.h"
#include "gameplay/Cage.h"
#include "gameplay/Cat.h"
#include "gameplay/Death.h"
#include "gameplay/Explosion.h"
#include "gameplay/Player.h"
#include "gameplay/projectiles/Projectile.h"
#include "gui/Gui.h"
#include "render/Camera.h"
#include "render/Flashlight.h"
#include "render/ParticleSystem.h"
#include "world/Chunk.h"
#include "world/VoxelQueries.h"
#include "world/World.h"

#include <cmath>
#include <glm/geometric.hpp>
#include <iomanip>

namespace {

// The cage of --cage: on the ground a step and a half ahead, within reach.
void placeCageInFront(Game& game)
{
    glm::vec3 ahead = -glm::vec3(game.session.player->modelMatrix()[2]);
    ahead.y = 0.0f;
    ahead = glm::length(ahead) > 0.0f ? glm::normalize(ahead) : glm::vec3(0.0f, 0.0f, -1.0f);
    const glm::vec3 at = game.session.player->position() + 1.5f * ahead;
    const float ground = heightAt(game.session.world->chunks, at);
    Chunk* chunk = findChunk(game.session.world->chunks, int32_t(std::floor(at.x / 64.0f)), int32_t(std::floor(at.z / 64.0f)));
    if (ground < 0.0f || !chunk) {
        logError("No ground in front of the player for the cage; none placed.");
        return;
    }
    auto cage = std::make_unique<Cage>(glm::vec3(at.x, ground, at.z), false);
    cage->makeCat();
    chunk->objects.push_back(std::move(cage));
}

} // namespace

void startGame(Game& game)
{
    if (game.playing)
        return;
    // The world built at start-up is kept unless its view distance was
    // changed in Options before it was entered.
    const bool distanceChanged = game.session.world && game.session.world->viewDistance != gSettings.chunkViewDistance;
    if (game.gameStarted || distanceChanged) {
        destroyGame(game);
        createGame(game);
    }
    game.loading = true;
    game.gui->screenFlags = SCREEN_WORLD;
    if (runGameLoadingScreen(game) == LoadingResult::Closed)
        return;
    // Keys pressed on the loading screen reached the new player, whose
    // releases may never come: he starts standing still.
    releaseAllKeys(game);
    game.session.world->placeOnSurface(*game.session.player, 10.0f, 70.0f);
    if (game.dev.cageInFront)
        placeCageInFront(game);
}

void respawn(Game& game)
{
    game.loading = true;
    if (runGameLoadingScreen(game) == LoadingResult::Closed)
        return;
    game.session.world->placeOnSurface(*game.session.player, 10.0f, 70.0f);
    game.session.player->turn(randUnit() * 360.0f, 0.0f);
    game.gui->screenFlags = SCREEN_WORLD;
    releaseAllKeys(game);
    restartReveal(game);
    game.session.world->removeCats(catsLostOnRespawn(game.session.player->catCount));
    game.session.world->queueCacheForDestruction(-1);
}

void advanceReveal(Game& game)
{
    const double t = now();
    const float seconds = game.reveal.movedAt < 0.0 ? kFrameSeconds : float((t - game.reveal.movedAt) / 1000.0);
    game.reveal.movedAt = t;
    advanceCircleLoad(game.reveal.circleLoad, game.reveal.opening, seconds);
}

void restartReveal(Game& game)
{
    game.reveal.circleLoad = 0.0f;
    game.reveal.opening = true;
    game.reveal.movedAt = -1.0;
}

void quit(Game& game)
{
    game.requestClose();
}

void showGameOverMenu(Game& game)
{
    game.gui->screenFlags = SCREEN_GAME_OVER;
    const int cats = game.session.player->catCount;
    game.gui->gameOverMenu->setCaption(cats);
    game.gui->gameOverMenu->setRespawnCost(catsLostOnRespawn(cats));
    const float x = randUnit() * 1000.0f;
    const float z = randUnit() * 1000.0f;
    game.session.player->setPosition(glm::vec3(x, 66.0f, z));
    game.session.world->resetLoadedCounter();
    game.session.world->update(0.0f);
}

void startDeathSequence(Game& game)
{
    Player& player = *game.session.player;
    player.stopSounds();
    // Face Death head-on: the heading is kept, the pitch removed, and Death
    // stands one unit in front, looking back at the player.
    const glm::mat4 model = player.modelMatrix();
    const glm::vec3 back(model[2].x, 0.0f, model[2].z);
    if (glm::length(back) > 1e-6f) {
        const glm::vec3 d = glm::normalize(back);
        player.faceDirection(-d);
        Death& death = *game.session.world->death;
        death.placeAt(player.position() - back);
        death.faceDirection(d);
        death.scaleModel(0.24f, 0.24f, 0.24f);
    }
    game.scene.playerCamera->shake(0.3f);
    game.scene.flashlight->setFov(59.0f);
    gSoundSystem.playRelative(SOUND_END);
    releaseAllKeys(game);
    game.deathSequence.timer = 0.0f;
}

void explode(Game& game, const Explosion& blast)
{
    const glm::vec3& position = blast.centre;
    if (game.scene.particles) {
        const int sparks = explosionSparkCount(blast.radius, blast.factor);
        game.scene.particles->spawnExplosion(position, blast.radius, sparks, 1.0f);
    }
    gSoundSystem.playAt(SOUND_EXPLOSION, position, glm::vec3(0.0f));
    if (game.dev.logPlayer && game.session.world) {
        logLine(joinText(std::fixed, std::setprecision(2), "Explosion: ", position.x, " ", position.y, " ",
            position.z, " ground ", heightAt(game.session.world->chunks, position)));
        game.playerLog.exploded = true;
        game.playerLog.lastExplosion = position;
    }
    if (game.session.player && game.scene.playerCamera)
        game.scene.playerCamera->shake(explosionShake(glm::distance(position, game.session.player->position())));
    // Last: the carve tells the world objects, and a charge it reaches explodes in its turn.
    if (game.session.world)
        game.session.world->carve(blast.sphere());
}

void addProjectile(Game& game, std::unique_ptr<Projectile> projectile)
{
    // Without a world nothing would ever step it: it goes at once.
    if (game.session.world)
        game.session.world->addProjectile(std::move(projectile));
}

void releaseAllKeys(Game& game)
{
    // Keys reach the player once a game exists, mouse buttons while playing.
    if (!game.session.player || game.deathSequence.timer != -1.0f || !(game.gameStarted || game.playing))
        return;
    for (int action = 0; action < kActionCount; ++action)
        if (const std::optional<InputBit> bit = heldControlOf(Action(action)))
            game.session.player->releaseInput(*bit);
}
