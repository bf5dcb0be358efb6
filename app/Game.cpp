#include "app/DevOptions.h"
#include "app/Game.h"
#include "base/Log.h"

#include "app/DebugOverlay.h"
#include "app/Gamepad.h"
#include "app/ControlsApply.h"
#include "app/OptionsApply.h"
#include "app/RunningGame.h"
#include "app/ScenePasses.h"
#include "audio/SoundSystem.h"
#include "base/BlockType.h"
#include "base/Clock.h"
#include "base/Rand.h"
#include "base/Settings.h"
#include "gameplay/Death.h"
#include "gameplay/Player.h"
#include "gui/Gui.h"
#include "render/BlockTextureArray.h"
#include "render/Camera.h"
#include "render/Fire.h"
#include "render/Flashlight.h"
#include "render/Lightning.h"
#include "render/ParticleSystem.h"
#include "render/ShadowCamera.h"
#include "render/Sky.h"
#include "render/VertexArray.h"
#include "world/World.h"

#include <GLFW/glfw3.h>

Game::Game() = default;
Game::~Game()
{
    // The sound system outlives every game; its captions went with this one's Gui.
    gSoundSystem.setCueListener({});
}

int Game::screenFlags() const
{
    return gui ? gui->screenFlags : 0;
}

InputState Game::inputState() const
{
    InputState state;
    state.playing = playing;
    state.loading = loading;
    state.gameStarted = gameStarted;
    state.mouseCaptured = mouseCaptured;
    state.deathTimer = deathSequence.timer;
    return state;
}

void Game::setCursorMode(int mode)
{
    cursorMode = mode;
    if (platform.window)
        glfwSetInputMode(platform.window, GLFW_CURSOR, mode);
}

void Game::requestClose()
{
    closeRequested = true;
    if (platform.window)
        glfwSetWindowShouldClose(platform.window, GLFW_TRUE);
}

bool Game::shouldClose() const
{
    return platform.window ? glfwWindowShouldClose(platform.window) != 0 : closeRequested;
}

void createGui(Game& game)
{
    GuiActions actions;
    actions.startGame = [&game](GLFWwindow*) { startGame(game); };
    actions.respawn = [&game](GLFWwindow*) { respawn(game); };
    actions.quit = [&game](GLFWwindow*) { quit(game); };
    actions.releaseAllKeys = [&game](GLFWwindow*) { releaseAllKeys(game); };
    actions.closeWindow = [&game](GLFWwindow*) { game.requestClose(); };
    actions.isLoading = [&game] { return game.loading; };
    actions.clock = now;
    actions.options = gameOptionsHooks(game);
    actions.controls = gameControlsHooks(game);
    game.gui = std::make_unique<Gui>(std::move(actions));
    showControlsOnHud(game);
    gSoundSystem.setCueListener([&game](const SoundCue& cue) {
        if (game.gui)
            game.gui->hearSound(cue);
    });
}

SceneOptions Game::sceneOptions() const
{
    return SceneOptions { gSettings.renderScale, scene.softwareRenderer };
}

void createGame(Game& game)
{
    game.scene.lightning = std::make_unique<Lightning>();

    auto player = std::make_unique<Player>(game.gui ? game.gui->ammoOverlay : nullptr);
    game.session.player = player.get();

    game.scene.playerCamera = std::make_unique<PerspectiveCamera>("Playercam");
    game.scene.overviewCamera = std::make_unique<PerspectiveCamera>("Overviewcam");

    player->setPosition(glm::vec3(game.dev.startX, 66.0f, game.dev.startZ));
    if (game.dev.lookAtSet)
        player->turn(yawToward(game.dev.lookAtX - game.dev.startX, game.dev.lookAtZ - game.dev.startZ), 0.0f);
    else
        player->turn(randUnit() * 360.0f, 0.0f);

    if (game.hasWindow()) {
        lookUpWorldUniforms(game.scene.worldUniforms);
        game.scene.blockTextures = std::make_unique<BlockTextureArray>();
        buildBlockTextureArray(*game.scene.blockTextures, blockTexturePaths, gSettings.anisotropicFiltering);
    }

    game.scene.skybox = std::make_unique<Skybox>("textures/sky_cubestrip.png");
    game.scene.fire = std::make_unique<Fire>(glm::vec3(40.0f, -5128.0f, 20.0f), 1.0f);
    game.scene.fireSound = gSoundSystem.createSource();
    gSoundSystem.setPosition(game.scene.fireSound, game.scene.fire->position);
    game.scene.flashlight = std::make_unique<Flashlight>();
    player->flashlight = game.scene.flashlight.get();

    // Death is made with the world and looks at the game from the start.
    game.session.services = std::make_unique<RunningGame>(game);
    game.session.world = std::make_unique<World>(gSettings.chunkViewDistance, glm::vec3(64.0f));
    game.session.world->setServices(game.session.services.get());
    game.session.world->death->intervalOverride = game.dev.deathInterval;
    if (game.prepareWorld)
        game.prepareWorld(*game.session.world);
    game.session.world->camera = game.scene.playerCamera.get();
    game.session.world->onColumnCode = [](int code) { gSoundSystem.setAmbienceForTerrain(code); };
    game.session.world->gpuMeshes = true;
    if (game.gui)
        game.session.world->hintDisplay = game.gui->buttonHelper;
    logLine("Waiting for world to be loaded!");
    Player& newPlayer = *player;
    game.session.world->addPlayer(std::move(player));
    for (const auto& [type, count] : game.dev.items)
        newPlayer.addItem(type, count);
    game.session.world->maxChunkCount = int(gSettings.maxMemoryMB / 15.0);

    if (game.gui)
        buildDebugOverlay(*game.gui, game);
    game.scene.sunCamera = std::make_unique<ShadowCamera>();
    game.scene.sunCamera->initSunCam();
    game.session.world->update(0.0f);
}

void destroyGame(Game& game)
{
    game.scene.lightning.reset();
    game.scene.thunderSound.reset();
    game.session.world.reset();
    game.session.player = nullptr;
    game.session.services.reset();
    game.scene.skybox.reset();
    game.scene.playerCamera.reset();
    game.scene.overviewCamera.reset();
    game.scene.flashlight.reset();
    game.scene.fire.reset();
    game.scene.fireSound.reset();
}
