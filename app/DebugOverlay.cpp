#include "app/DebugOverlay.h"

#include "app/Game.h"
#include "world/World.h"
#include "audio/SoundSystem.h"
#include "gameplay/Death.h"
#include "gameplay/Player.h"
#include "gui/DebugItem.h"
#include "gui/Gui.h"
#include "render/Flashlight.h"

#include <memory>

namespace {

template <class T, class Read> void addRow(Gui& gui, const char* label, Read read)
{
    const int row = int(gui.debugItems.size());
    gui.debugItems.push_back(std::make_unique<DebugItem<T>>(label, row, typename DebugItem<T>::Source(read)));
}

// Rows read through the game at every update: the world, player and flashlight
// they show may be replaced, and an empty one reads as zero.
void addGameRows(Gui& gui, Game& g)
{
    addRow<float>(gui, "Fps", [&g] { return g.platform.frames.fps; });
    addRow<bool>(gui, "In Desert", [&g] { return g.session.inDesert; });
    addRow<bool>(gui, "Rain", [&g] { return g.session.weather.rain; });
    addRow<bool>(gui, "Lightning", [&g] { return g.session.weather.lightning; });
    addRow<float>(gui, "Time until Weather changes", [&g] { return g.session.weather.weatherTimer; });
    addRow<float>(gui, "Fog Factor", [&g] { return g.session.fogFactor; });
    addRow<float>(
        gui, "Flashlight Intensity", [&g] { return g.scene.flashlight ? g.scene.flashlight->intensity : 0.0f; });
    addRow<float>(gui, "Inside Building", [&g] { return g.session.insideBuilding; });
    addRow<float>(gui, "Outside Building(Smoothed)", [] { return gSoundSystem.coverLevel(); });
}

void addWorldRows(Gui& gui, Game& g)
{
    addRow<const int>(gui, "Cache Size", [&g] { return g.session.world ? int(g.session.world->cacheSize) : 0; });
    addRow<const int>(gui, "Loaded Chunks", [&g] { return g.session.world ? int(g.session.world->readyCount) : 0; });
    addRow<const int>(gui, "Max Chunk Count", [&g] { return g.session.world ? int(g.session.world->maxChunkCount) : 0; });
    addRow<int>(gui, "Active Working Threads", [&g] { return g.session.world ? g.session.world->activeWorkerCount() : 0; });
    addRow<glm::vec3>(
        gui, "Player Position", [&g] { return g.session.player ? g.session.player->position() : glm::vec3(0.0f); });
    addRow<glm::vec2>(
        gui, "Player Chunkcoords", [&g] { return g.session.world ? g.session.world->centerChunk : glm::vec2(0.0f); });
    addRow<const int>(gui, "Player #Cats", [&g] { return g.session.player ? g.session.player->catCount : 0; });
}

template <class T, class Read> void addDeathRow(Gui& gui, Game& g, const char* label, Read read)
{
    addRow<T>(gui, label, [&g, read] {
        const Death* death = g.session.world ? g.session.world->death : nullptr;
        return death ? read(*death) : T {};
    });
}

void addDeathRows(Gui& gui, Game& g)
{
    addDeathRow<float>(
        gui, g, "Death | Time since Last Teleport", [](const Death& d) { return d.timeSinceTeleport; });
    addDeathRow<bool>(gui, g, "Death | Seen since Last Teleport", [](const Death& d) { return d.seen; });
    addDeathRow<bool>(gui, g, "Death | Attacking", [](const Death& d) { return d.attacking; });
    addDeathRow<float>(
        gui, g, "Death | Time since Last Attack", [](const Death& d) { return d.timeSinceAttack; });
    addDeathRow<bool>(gui, g, "Death | Player aware of Presence", [](const Death& d) { return d.aware; });
    addDeathRow<float>(gui, g, "Death | Rage Factor", [](const Death& d) { return d.rage; });
    addDeathRow<float>(gui, g, "Death | Time attacking", [](const Death& d) { return d.timeAttacking; });
}

}

void buildDebugOverlay(Gui& gui, Game& game)
{
    gui.debugItems.clear();
    addGameRows(gui, game);
    addWorldRows(gui, game);
    addDeathRows(gui, game);
}
