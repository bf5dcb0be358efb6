#include "app/Startup.h"

#include "app/Config.h"
#include "app/ControlsApply.h"
#include "app/DevOptions.h"
#include "app/Frame.h"
#include "app/FrameStats.h"
#include "app/Game.h"
#include "app/Gamepad.h"
#include "app/GraphicsLimits.h"
#include "app/Input.h"
#include "app/MainLoop.h"
#include "app/ScenePasses.h"
#include "app/Timers.h"
#include "audio/SoundSystem.h"
#include "base/Clock.h"
#include "base/Log.h"
#include "base/Settings.h"
#include "gui/Gui.h"
#include "gui/GuiText.h"
#include "render/BlockTextureArray.h"
#include "render/Framebuffers.h"
#include "render/Framebuffers.h"
#include "render/MeshTable.h"
#include "render/ParticleSystem.h"
#include "render/PassTimer.h"
#include "render/PassTimer.h"
#include "render/ShaderTable.h"
#include "render/TextureTable.h"
#include "render/VertexArray.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <memory>
#include <vector>

namespace {

// The primary monitor's video modes, smallest first; empty without a display.
std::vector<VideoMode> primaryVideoModes()
{
    std::vector<VideoMode> modes;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    int count = 0;
    const GLFWvidmode* list = monitor ? glfwGetVideoModes(monitor, &count) : nullptr;
    for (int i = 0; list && i < count; ++i)
        modes.push_back({ list[i].width, list[i].height });
    return modes;
}

GLFWwindow* openWindow()
{
    setWindowHints();
    GLFWmonitor* monitor = gSettings.fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    return glfwCreateWindow(gSettings.width, gSettings.height, "Mossgrave", monitor, nullptr);
}

// Depth test, culling, the extension loader, and the hardware limits.
void setUpGraphics(Game& game)
{
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glewInit();
    GLfloat maxAnisotropy = 0.0f;
    glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maxAnisotropy);
    lowerAnisotropy(gSettings.anisotropicFiltering, maxAnisotropy, errorStream());
    const GLubyte* renderer = glGetString(GL_RENDERER);
    const std::string rendererName = renderer ? reinterpret_cast<const char*>(renderer) : "";
    lowerAnisotropyForSoftware(gSettings.anisotropicFiltering, rendererName, errorStream());
    game.scene.softwareRenderer = isSoftwareRenderer(rendererName);
    // The window's sample count is a request the window library already met
    // as closely as it could; the scene buffer and its resolve need the limit.
    GLint maxSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    lowerSampleCount(gSettings.antiAliasingFactor, maxSamples, errorStream());
}

// Shaders, meshes, model textures, audio, GUI, framebuffers, quad, particles
// and the game. False when a fatal resource is missing.
bool loadResources(Game& game)
{
    loadShaders();
    loadMeshes();
    if (!loadModelTextures())
        return false;
    gSoundSystem.init(); // a sound that cannot be loaded ends the game here
    gSoundSystem.listDevices();
    createGui(game);
    // Settings already applied from Options outlive a fatal end, too.
    setLastWordsBeforeFatal([&game] { game.gui->savePendingOptions(); });
    createFramebuffers(game.scene.framebuffers, game.platform.screenWidth, game.platform.screenHeight, gSettings.shadowmapFactor,
        gSettings.antiAliasingFactor, game.sceneOptions());
    const std::string scene = describeScenePlan(
        planScene(game.platform.screenWidth, game.platform.screenHeight, gSettings.antiAliasingFactor, game.sceneOptions()),
        gSettings.antiAliasingFactor, game.sceneOptions());
    if (!scene.empty())
        logError(scene);
    game.scene.fullscreenQuad = makeFullscreenQuad();
    game.scene.particles = std::make_unique<ParticleSystem>();
    game.scene.particles->createBuffer();
    createGame(game);
    return true;
}

void runMainLoop(Game& game)
{
    glfwSetTime(0.0);
    MainLoop loop(now);
    LoopHooks hooks;
    hooks.shouldClose = [&] { return game.shouldClose(); };
    hooks.beginPass = [&] { return game.playing = game.screenFlags() == SCREEN_WORLD; };
    hooks.step = [&](float dtMs) { updateStep(game, dtMs); };
    hooks.frame = [&] { drawFrame(game); };
    if (!game.platform.frameStats) {
        loop.run(hooks);
        return;
    }
    // The time of every pass that began in play is one frame as the player sees it.
    std::unique_ptr<PassTimer> passTimer;
    if (game.hasWindow()) {
        passTimer = std::make_unique<PassTimer>(framePassNames(), now);
        game.platform.frameStats->setPassNames(framePassNames());
        game.platform.passTimer = passTimer.get();
    }
    // From the pass whose "Start Game" built the world to the first frame the reveal is fully open.
    double startedAt = -1.0;
    while (!hooks.shouldClose()) {
        const double before = now();
        const double cpuBefore = processCpuMs();
        const bool wasStarted = game.gameStarted;
        loop.runPass(hooks);
        if (!wasStarted && game.gameStarted)
            startedAt = before;
        if (startedAt >= 0.0 && game.reveal.circleLoad >= REVEAL_OPEN) {
            game.platform.frameStats->setStartToOpenPicture(now() - startedAt);
            startedAt = -1.0;
        }
        // A frame split into passes waited for each of them: not a frame a player gets.
        if (game.playing && !(passTimer && passTimer->lastFrameSplit()))
            game.platform.frameStats->addFrame(now() - before, processCpuMs() - cpuBefore);
    }
    game.platform.passTimer = nullptr;
}

void shutDown(Game& game)
{
    setLastWordsBeforeFatal(nullptr);
    game.gui->savePendingOptions();
    destroyGame(game);
    game.scene.particles.reset();
    game.gui.reset();
    releaseTextResources();
    freeShaders();
    freeMeshes();
    game.scene.blockTextures.reset();
    freeTextures();
    gSoundSystem.shutdown();
    game.scene.fullscreenQuad.reset();
    freeFramebuffers(game.scene.framebuffers);
    logLine("Terminated!");
}

} // namespace

void setWindowHints()
{
    glfwWindowHint(GLFW_SAMPLES, 0);
    glfwWindowHint(GLFW_DECORATED, gSettings.windowBorder ? GLFW_TRUE : GLFW_FALSE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
}

int runGame(const DevOptions& dev)
{
    Game game;
    game.dev = dev;
    glfwSetErrorCallback(errorCallback);
    if (!glfwInit())
        return -1;

    Config config;
    if (config.loadSettings(primaryVideoModes()) != ConfigResult::Ok) {
        glfwTerminate();
        return 1;
    }
    loadControls(game);

    game.platform.window = openWindow();
    if (!game.platform.window) {
        logError("Failed to open Window!");
        glfwTerminate();
        return -1;
    }
    game.setCursorMode(GLFW_CURSOR_DISABLED);
    game.mouseCaptured = true;
    registerCallbacks(game.platform.window, game);
    game.platform.gamepads = std::make_unique<Gamepads>();
    game.platform.gamepads->start("gamecontrollerdb.txt"); // beside config.txt
    glfwMakeContextCurrent(game.platform.window);
    glfwSwapInterval(gSettings.vsync);
    glfwGetFramebufferSize(game.platform.window, &game.platform.screenWidth, &game.platform.screenHeight);

    setUpGraphics(game);
    if (!loadResources(game)) {
        freeShaders();
        freeTextures();
        glfwTerminate();
        return 1;
    }

    // Frame figures only when asked for: recording costs a little memory per frame.
    std::unique_ptr<FrameStats> stats;
    if (!game.dev.frameStatsFile.empty()) {
        stats = std::make_unique<FrameStats>();
        game.platform.frameStats = stats.get();
    }
    runMainLoop(game);
    shutDown(game);
    if (stats) {
        stats->writeReport(game.dev.frameStatsFile);
        game.platform.frameStats = nullptr;
    }
    glfwTerminate();
    return 0;
}
