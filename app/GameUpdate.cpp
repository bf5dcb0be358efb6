// One fixed simulation step of the whole game.
#include "app/Game.h"
#include "gui/Gui.h"

#include "app/RandomUnit.h"
#include "app/Timers.h"
#include "app/placeholders/Render.h"
#include "app/placeholders/Sound.h"
#include "app/placeholders/World.h"
#include "physics/Ray.h"

namespace {

// Raindrops fall around the player; splashes land on the ground, spread
// normally around him.
void rainStep(Game& game, const glm::vec3& playerPosition)
{
    game.particles->spawnRain(playerPosition, 50);
    for (int i = 0; i < 70; ++i) {
        const NormalPair offset = normalPair(25.0f, randomUnit);
        const float x = playerPosition.x + offset.first;
        const float z = playerPosition.z + offset.second;
        const float y = game.world->heightAt(glm::vec3(x, 0.0f, z));
        game.particles->spawnSplash(glm::vec3(x, y, z), glm::vec3(0.0f, 1.0f, 0.0f), 10);
    }
}

// Solid voxels within 40 units straight above the player mean he is indoors.
float insideTest(const Game& game, const glm::vec3& playerPosition)
{
    const float distance = game.world->rayCast(Ray(playerPosition, glm::vec3(0.0f, 1.0f, 0.0f)));
    return distance > 40.0f ? 0.0f : 1.0f;
}

} // namespace

void updateStep(Game& game, float dtMs)
{
    const float s = dtMs / 1000.0f;
    game.gameTime += s;
    soundSystem.update(s);
    game.lightning->update(s);
    game.particles->update(s);
    stepPotion(game.potionTimer, game.potionFactor, s);

    if (game.weather.step(s, randomUnit))
        soundSystem.setRaining(game.weather.rain);
    const glm::vec3 playerPosition = game.player->position();
    if (game.weather.rain && !game.inDesert)
        rainStep(game, playerPosition);
    game.insideBuilding = insideTest(game, playerPosition);
    soundSystem.setCover(int(game.insideBuilding));

    game.world->update(s);

    game.flashlight->update(s);
    game.skybox->update(game.player->position());
    game.gui->update(s);
    game.fire->update(s);

    if (stepDeathSequence(game.deathTimer, game.circleLoad, game.circleOpening, s))
        showGameOverMenu(game);
}
