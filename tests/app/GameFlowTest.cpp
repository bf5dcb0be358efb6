// Screen states and their transitions, played headless on the real rules.
#include "GameTestSupport.h"
#include "../render/TestFiles.h"

#include "app/Startup.h"
#include "app/Timers.h"
#include "gameplay/Explosion.h"
#include "render/Framebuffers.h"
#include "render/MeshTable.h"
#include "render/ShaderTable.h"
#include "render/TextureTable.h"
#include "world/VoxelEdit.h"
#include "world/World.h"

#include <fstream>
#include <glm/geometric.hpp>

namespace {

using GameFlow = HeadlessGame;

std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(GameFlow, CreateGameBuildsTheWorldAroundThePlayer)
{
    EXPECT_NE(created.find("Waiting for world to be loaded!\n"), std::string::npos);
    ASSERT_NE(game.session.player, nullptr);
    EXPECT_EQ(game.session.world->player, game.session.player);
    EXPECT_EQ(game.session.player->position(), glm::vec3(0.0f, 66.0f, 0.0f));
    EXPECT_EQ(game.scene.playerCamera->name, "Playercam");
    EXPECT_EQ(game.scene.overviewCamera->name, "Overviewcam");
    EXPECT_EQ(game.session.world->camera, game.scene.playerCamera.get());
    EXPECT_EQ(game.session.world->maxChunkCount, 136); // 2048 MB / 15
    // Chunk generation starts behind the menu.
    EXPECT_EQ(game.session.world->centerChunk, glm::vec2(0.0f));
    EXPECT_EQ(game.session.world->chunks.size(), 1u);
    EXPECT_EQ(game.session.world->hintDisplay, game.gui->buttonHelper);
    EXPECT_EQ(game.scene.fire->position, glm::vec3(40.0f, -5128.0f, 20.0f));
    EXPECT_TRUE(game.scene.sunCamera->isSun);
    EXPECT_EQ(game.gui->screenFlags, SCREEN_MENU);
    EXPECT_FALSE(game.gameStarted);
}

TEST_F(GameFlow, StartGameFromTheFirstMenuUsesTheGameBuiltAtStartUp)
{
    World* world = game.session.world.get();
    play();
    EXPECT_EQ(game.session.world.get(), world);
    EXPECT_TRUE(game.gameStarted);
    EXPECT_FALSE(game.loading);
    EXPECT_EQ(game.reveal.circleLoad, 0.0f);
    EXPECT_TRUE(game.reveal.opening);
    EXPECT_EQ(game.session.player->position().y, 10.0f); // placed on the surface from y 10
    EXPECT_FLOAT_EQ(game.scene.playerCamera->aspect, 640.0f / 360.0f);
    EXPECT_EQ(game.gui->loadingBar->text, "Generating Objects");
}

TEST_F(GameFlow, StartGameFromThePauseMenuBuildsAFreshGame)
{
    play();
    // Counted, not compared by address: a new World may reuse the old one's memory.
    const int built = worldsBuilt;
    game.session.player->catCount = 4;
    tap(GLFW_KEY_ESCAPE);
    ASSERT_EQ(game.gui->screenFlags, SCREEN_WORLD | SCREEN_MENU);
    EXPECT_FALSE(game.playing);
    // W and D go down on the loading screen and stay held.
    pressOnTheLoadingScreen({ GLFW_KEY_W, GLFW_KEY_D }, false);
    tap(GLFW_KEY_DOWN);
    tap(GLFW_KEY_ENTER); // "Start Game", after "Resume"
    EXPECT_EQ(worldsBuilt, built + 1);
    EXPECT_EQ(game.session.player->catCount, 0);
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD);
    EXPECT_EQ(game.session.player->inputFlags, 0u); // the new player does not walk off on his own
}

TEST_F(GameFlow, ViewDistanceFromOptionsBuildsTheNextWorldAndIsSaved)
{
    TempDir dir;
    dir.write("config.txt", "Chunk_View_Distance=0 # small\r\n");
    ScopedWorkingDirectory inDir(dir.path());
    const int built = worldsBuilt;
    tap(GLFW_KEY_DOWN);
    tap(GLFW_KEY_ENTER); // "Options"
    ASSERT_TRUE(game.gui->optionsOpen);
    tap(GLFW_KEY_RIGHT);
    EXPECT_EQ(game.gui->options->items[0]->text, "View Distance: 1"); // no game runs yet
    tap(GLFW_KEY_ESCAPE);
    EXPECT_EQ(readText(dir.path() / "config.txt"), "Chunk_View_Distance=1 # small\r\n");
    EXPECT_EQ(game.gui->screenFlags, SCREEN_MENU);

    // The world made at start-up was never entered: it is built anew.
    tap(GLFW_KEY_UP);
    tap(GLFW_KEY_ENTER); // "Start Game"
    EXPECT_EQ(worldsBuilt, built + 1);
    EXPECT_EQ(game.session.world->viewDistance, 1);

    // While playing, a new distance waits for the next game and says so.
    beginPass();
    tap(GLFW_KEY_ESCAPE);
    tap(GLFW_KEY_DOWN);
    tap(GLFW_KEY_DOWN);
    tap(GLFW_KEY_ENTER); // "Options"
    tap(GLFW_KEY_D);
    EXPECT_EQ(game.gui->options->items[0]->text, "View Distance: 2 (next game)");
    tap(GLFW_KEY_ESCAPE);
    EXPECT_EQ(game.session.world->viewDistance, 1);
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD | SCREEN_MENU); // still paused
}

TEST_F(GameFlow, F11AndF2WorkInEveryStateAndF11IsSavedAsOptionsSavesIt)
{
    TempDir dir;
    dir.write("config.txt", "Fullscreen=0\nVolume=10\n");
    ScopedWorkingDirectory inDir(dir.path());
    const int fullscreen = gSettings.fullscreen;
    gSettings.fullscreen = 0;
    tap(GLFW_KEY_F11); // in the main menu: written at once
    EXPECT_EQ(gSettings.fullscreen, 1);
    EXPECT_EQ(readText(dir.path() / "config.txt"), "Fullscreen=1\nVolume=10\n");

    // With Options up, the row follows and the file waits for the screen to be left.
    tap(GLFW_KEY_DOWN);
    tap(GLFW_KEY_ENTER);
    ASSERT_TRUE(game.gui->optionsOpen);
    tap(GLFW_KEY_F11);
    EXPECT_TRUE(game.gui->optionsOpen); // the key reached nothing else
    EXPECT_EQ(game.gui->options->selectedRow(), OptionRow::ViewDistance);
    EXPECT_EQ(game.gui->options->items[size_t(OptionRow::Fullscreen)]->text, "Fullscreen: Off");
    EXPECT_EQ(readText(dir.path() / "config.txt"), "Fullscreen=1\nVolume=10\n");
    tap(GLFW_KEY_ESCAPE);
    EXPECT_EQ(readText(dir.path() / "config.txt"), "Fullscreen=0\nVolume=10\n");

    // F2 asks the next frame for its picture, even in Death's sequence, and moves nobody.
    tap(GLFW_KEY_UP); // "Start Game"
    play();
    game.deathSequence.timer = 1.0f;
    tap(GLFW_KEY_F2);
    EXPECT_TRUE(game.screenshotRequested);
    EXPECT_EQ(game.session.player->inputFlags, 0u);
    game.deathSequence.timer = -1.0f;
    game.screenshotRequested = false;
    gSettings.fullscreen = fullscreen;
}

TEST_F(GameFlow, StartGameWhilePlayingDoesNothing)
{
    play();
    World* world = game.session.world.get();
    startGame(game);
    EXPECT_EQ(game.session.world.get(), world);
    EXPECT_FALSE(game.loading);
}

TEST_F(GameFlow, EscapeInTheMainMenuQuits)
{
    tap(GLFW_KEY_ESCAPE);
    EXPECT_TRUE(game.shouldClose());
    EXPECT_EQ(game.gui->screenFlags, SCREEN_MENU);
}

TEST_F(GameFlow, EscapePausesResumesAndReleasesHeldKeys)
{
    play();
    onKey(game, GLFW_KEY_W, GLFW_PRESS);
    EXPECT_EQ(game.session.player->inputFlags, 1u);
    onKey(game, GLFW_KEY_ESCAPE, GLFW_PRESS);
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD | SCREEN_MENU);
    EXPECT_EQ(game.session.player->inputFlags, 0u); // the player does not walk on behind the menu
    onKey(game, GLFW_KEY_ESCAPE, GLFW_RELEASE);
    beginPass();
    tap(GLFW_KEY_ESCAPE);
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD);
    EXPECT_FALSE(game.shouldClose());
    // Quit from the pause menu: its last entry, Up from the first.
    tap(GLFW_KEY_ESCAPE);
    tap(GLFW_KEY_UP);
    tap(GLFW_KEY_ENTER);
    EXPECT_TRUE(game.shouldClose());
}

TEST_F(GameFlow, EscapeWhileLoadingClosesTheGame)
{
    game.loading = true;
    game.gui->screenFlags = SCREEN_WORLD;
    onKey(game, GLFW_KEY_ESCAPE, GLFW_PRESS);
    EXPECT_TRUE(game.shouldClose());
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD); // not paused
}

// The first chunk waits until the test has seen the loading screen end, so
// the world is surely still loading when the window is closed.
class GameFlowWhileLoading : public HeadlessGame {
protected:
    GameFlowWhileLoading() { holdGeneration = true; }
};

TEST_F(GameFlowWhileLoading, ClosingDuringTheLoadingScreenEndsItAtOnce)
{
    ASSERT_FALSE(game.session.world->isLoaded());
    game.requestClose();
    startGame(game);
    EXPECT_EQ(game.gui->loadingBar->text, "Closing Game... :(");
    EXPECT_FALSE(game.gameStarted);
    EXPECT_EQ(game.session.player->position().y, 66.0f); // not placed
}

TEST_F(GameFlowWhileLoading, KeysAfterStartGameInTheSamePollMeetTheLoadingScreen)
{
    game.platform.pollWithoutWindow = [this] { holdGeneration = false; };
    beginPass();
    // "Start Game" runs at its Enter, so the keys queued behind it reach the
    // loading screen: Down moves no hidden menu, F12 still shows the overlay.
    for (int key : { GLFW_KEY_ENTER, GLFW_KEY_DOWN, GLFW_KEY_F12 })
        game.platform.inputEvents.push_back(InputEvent::key(key, GLFW_PRESS));
    drainInput(game);
    EXPECT_TRUE(game.platform.inputEvents.empty());
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD);
    EXPECT_EQ(game.gui->menu->selected, 0);
    EXPECT_TRUE(game.gui->debugVisible);
    EXPECT_EQ(game.session.player->inputFlags, 0u);
}

TEST_F(GameFlow, DeathSequenceEndsInTheGameOverMenu)
{
    play();
    game.session.player->catCount = 1;
    onKey(game, GLFW_KEY_D, GLFW_PRESS);
    game.session.player->noiseLevel = 0.5f;
    startDeathSequence(game);
    EXPECT_EQ(game.deathSequence.timer, 0.0f);
    EXPECT_EQ(game.session.player->inputFlags, 0u);
    EXPECT_EQ(game.session.player->noiseLevel, 0.0f); // his sounds stopped
    EXPECT_FLOAT_EQ(game.scene.playerCamera->shakeAmount, 0.3f);
    EXPECT_EQ(game.scene.flashlight->fov, 59.0f);
    // Death stands one unit in front of the player, scaled down.
    const glm::vec3 deathPosition(game.session.world->death->model[3]);
    EXPECT_NEAR(glm::distance(deathPosition, game.session.player->position()), 1.0f, 1e-4f);

    // Keys, Escape included, are ignored during the sequence.
    tap(GLFW_KEY_ESCAPE);
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD);
    onKey(game, GLFW_KEY_W, GLFW_PRESS);
    EXPECT_EQ(game.session.player->inputFlags, 0u);

    // Past two seconds the reveal starts to close; the frames close it.
    steps(121);
    EXPECT_FALSE(game.reveal.opening);
    EXPECT_EQ(game.reveal.circleLoad, 1.5f);
    for (int frame = 0; frame < 200; ++frame)
        advanceCircleLoad(game.reveal.circleLoad, game.reveal.opening, kFrameSeconds);
    steps(120);
    EXPECT_EQ(game.gui->screenFlags, SCREEN_GAME_OVER);
    EXPECT_EQ(game.deathSequence.timer, -1.0f);
    EXPECT_EQ(game.gui->gameOverMenu->items.front()->text, "Respawn (lose 1 cat)");
    const glm::vec3 backdrop = game.session.player->position();
    EXPECT_EQ(backdrop.y, 66.0f);
    EXPECT_GE(backdrop.x, 0.0f);
    EXPECT_LE(backdrop.x, 1000.0f);

    // Escape in the game-over menu quits; it never pauses.
    tap(GLFW_KEY_ESCAPE);
    EXPECT_TRUE(game.shouldClose());
    EXPECT_EQ(game.gui->screenFlags, SCREEN_GAME_OVER);
}

TEST_F(GameFlow, NoCatsFoundCostsZeroCatsWithThePlural)
{
    play();
    showGameOverMenu(game);
    EXPECT_EQ(game.gui->gameOverMenu->items.front()->text, "Respawn (lose 0 cats)");
}

TEST_F(GameFlow, RespawnReturnsToPlayingForCatsAndRebuildsTheChunks)
{
    play();
    for (int i = 0; i < 5; ++i)
        game.session.world->addCat(glm::vec3(5.0f * i, 20.0f, 5.0f), false);
    game.session.player->catCount = 5;
    // The backdrop's ground is stone up to y 20: the respawn must stand him on it.
    groundHeight = 20.0f;
    // A player walking forward (W) and jumping (Space) while the world loads
    // must not reach the hidden game-over menu ("Quit" is one entry up), nor
    // choose "Respawn" a second time with Enter; F12 still works there.
    pressOnTheLoadingScreen({ GLFW_KEY_W, GLFW_KEY_UP, GLFW_KEY_SPACE, GLFW_KEY_ENTER, GLFW_KEY_F12 }, true);
    // A job still holds a chunk of the square when Death catches him, so the game-over
    // menu cannot move the square to the backdrop; the job ends a few loading passes on.
    Chunk& old = *game.session.world->chunks.front();
    old.busy = true;
    int polls = 0;
    game.platform.pollWithoutWindow = [&, keys = game.platform.pollWithoutWindow]() mutable {
        keys();
        if (++polls == 5)
            old.busy = false;
    };
    showGameOverMenu(game);
    glm::vec3 backdrop = game.session.player->position();
    if (game.session.world->squareCentredOn(backdrop.x, backdrop.z)) {
        // The draw put him into his own chunk: take him one further.
        backdrop.x += 64.0f;
        game.session.player->setPosition(backdrop);
    }
    ASSERT_FALSE(game.session.world->squareCentredOn(backdrop.x, backdrop.z));
    tap(GLFW_KEY_ENTER); // "Respawn (lose 2 cats)"
    EXPECT_FALSE(game.shouldClose());
    EXPECT_GE(polls, 5) << "the loading screen ended before the square could move";
    EXPECT_TRUE(game.platform.inputEvents.empty()); // the loading screen applied them all
    EXPECT_EQ(game.gui->gameOverMenu->selected, 0);
    EXPECT_TRUE(game.gui->debugVisible);
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD);
    // The square stands around him, loaded, and he stands on its ground.
    const ChunkCoord at = chunkCoordOf(backdrop.x, backdrop.z);
    EXPECT_EQ(game.session.world->centerChunk, glm::vec2(float(at.cx), float(at.cz)));
    ASSERT_EQ(game.session.world->chunks.size(), 1u);
    EXPECT_TRUE(game.session.world->chunks.front()->ready);
    EXPECT_EQ(game.session.world->heightAt(game.session.player->position() + glm::vec3(0.0f, 5.0f, 0.0f)), 20.0f);
    EXPECT_GE(game.session.player->position().y, 20.0f);
    EXPECT_LT(game.session.player->position().y, 22.0f);
    EXPECT_FALSE(game.session.world->collidesWithVoxels(*game.session.player));
    EXPECT_EQ(game.session.player->catCount, 3);
    int cats = 0;
    for (const auto& body : game.session.world->entities)
        cats += dynamic_cast<Cat*>(body.get()) != nullptr;
    EXPECT_EQ(cats, 3);
    EXPECT_TRUE(game.session.world->chunkCache.empty()); // all of it queued for destruction
    EXPECT_EQ(game.reveal.circleLoad, 0.0f);
    EXPECT_TRUE(game.reveal.opening);
}

TEST_F(GameFlow, RestartFromTheGameOverMenuBuildsAFreshGame)
{
    play();
    const int built = worldsBuilt;
    showGameOverMenu(game);
    beginPass();
    tap(GLFW_KEY_DOWN);
    tap(GLFW_KEY_ENTER); // "Restart"
    EXPECT_EQ(worldsBuilt, built + 1);
    EXPECT_EQ(game.gui->screenFlags, SCREEN_WORLD);
}

TEST_F(GameFlow, ExplosionsSparkShakeByDistanceAndCarve)
{
    play();
    const glm::vec3 at = game.session.player->position() + glm::vec3(50.0f, 0.0f, 0.0f);
    const size_t editsBefore = game.session.world->editQueue.size();
    explode(game, { at, 2.0f, 1.0f });
    EXPECT_EQ(game.scene.particles->writeIndex, 800); // sparks
    EXPECT_FLOAT_EQ(game.scene.playerCamera->shakeAmount, 0.25f);
    // The same call queues the crater: air into the sphere.
    ASSERT_EQ(game.session.world->editQueue.size(), editsBefore + 1);
    const VoxelEdit& crater = *game.session.world->editQueue.back();
    EXPECT_EQ(crater.type, BLOCK_AIR);
    const auto* sphere = dynamic_cast<const Sphere*>(crater.shape.get());
    ASSERT_NE(sphere, nullptr);
    EXPECT_EQ(sphere->center, at);
    EXPECT_EQ(sphere->radius, 2.0f);
    addProjectile(game, std::make_unique<Projectile>(0.2f, at, glm::vec3(0.0f)));
    EXPECT_EQ(game.session.world->projectiles.size(), 1u);
}

} // namespace

namespace {

// Options changed in play, with the test's window standing in for the game's.
class OptionsWithAWindow : public HeadlessGame {
protected:
    void SetUp() override
    {
        HeadlessGame::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        gSettings.shadowmapFactor = 1;
        gSettings.antiAliasingFactor = 1;
        testing::internal::CaptureStdout();
        createFramebuffers(game.scene.framebuffers, 160, 90, 1, 1);
        testing::internal::GetCapturedStdout();
        game.platform.window = window();
    }
    void TearDown() override
    {
        game.platform.window = nullptr;
        freeFramebuffers(game.scene.framebuffers);
        HeadlessGame::TearDown();
    }
    static bool complete(GLuint framebuffer)
    {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        const bool done = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return done;
    }
    // Right on the selected row; what the error stream got.
    std::string stepUp()
    {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        tap(GLFW_KEY_RIGHT);
        testing::internal::GetCapturedStdout();
        return testing::internal::GetCapturedStderr();
    }
};

TEST_F(OptionsWithAWindow, FramebuffersTheDriverRefusesLeaveTheOldOnesAndPutTheRowBack)
{
    TempDir dir;
    ScopedWorkingDirectory inDir(dir.path());
    const Framebuffers before = game.scene.framebuffers;
    // A window wider than the largest texture: no scene buffer can be made for it.
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    game.platform.screenWidth = maxSize + 64;
    game.platform.screenHeight = 90;
    tap(GLFW_KEY_DOWN);
    tap(GLFW_KEY_ENTER); // "Options"
    ASSERT_TRUE(game.gui->optionsOpen);
    for (int row = 0; row < 8; ++row)
        tap(GLFW_KEY_DOWN); // "Shadow Quality"
    std::string err = stepUp();
    EXPECT_FALSE(game.shouldClose());
    EXPECT_EQ(gSettings.shadowmapFactor, 1);
    EXPECT_EQ(game.gui->options->items[8]->text, "Shadow Quality: 1");
    EXPECT_TRUE(game.gui->options->applyFailed());
    EXPECT_NE(err.find("Settings could not be applied: "), std::string::npos) << err;
    EXPECT_NE(err.find("GL_FRAMEBUFFER_INCOMPLETE"), std::string::npos) << err;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << "the driver's refusal was reported, not left behind";
    // The frame goes on with the very framebuffers it had.
    EXPECT_EQ(game.scene.framebuffers.shadowFramebuffer, before.shadowFramebuffer);
    EXPECT_EQ(game.scene.framebuffers.sceneFramebuffer, before.sceneFramebuffer);
    EXPECT_EQ(game.scene.framebuffers.width, 160);
    EXPECT_TRUE(complete(game.scene.framebuffers.shadowFramebuffer));
    EXPECT_TRUE(complete(game.scene.framebuffers.sceneFramebuffer));

    // At a size that fits, a step takes effect and the line goes.
    game.platform.screenWidth = 160;
    tap(GLFW_KEY_UP); // "Anti-Aliasing"
    err = stepUp();
    EXPECT_EQ(gSettings.antiAliasingFactor, 2);
    EXPECT_FALSE(game.gui->options->applyFailed());
    EXPECT_EQ(game.scene.framebuffers.samples, 2);
    EXPECT_TRUE(complete(game.scene.framebuffers.sceneFramebuffer));
    EXPECT_EQ(err, "");
    // Only what took effect is saved.
    tap(GLFW_KEY_ESCAPE);
    const std::string saved = readText(dir.path() / "config.txt");
    EXPECT_NE(saved.find("Anti-Aliasing_Factor=2"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("Shadowmap_Factor"), std::string::npos) << saved;
}

using FramePasses = HeadlessGame;

TEST_F(FramePasses, TheLightningsFlashTakesTheShadowWhileItIsLit)
{
    game.scene.lightning->sinceStrike = 5.0f;
    EXPECT_EQ(&frameLight(game), &game.scene.flashlight->shadow);
    game.scene.lightning->sinceStrike = 0.5f;
    EXPECT_EQ(&frameLight(game), &game.scene.lightning->light);
    game.scene.lightning->sinceStrike = 1.0f; // the flash is over at one second
    EXPECT_EQ(&frameLight(game), &game.scene.flashlight->shadow);
}

TEST_F(FramePasses, WithoutAWindowOnlyTheRevealMoves)
{
    game.reveal.circleLoad = 0.0f;
    game.reveal.opening = true;
    drawScene(game); // no window: draws nothing and must not touch GL
    postProcess(game);
    EXPECT_GT(game.reveal.circleLoad, 0.0f);
}

// With no effect showing, the scene is copied onto the window. A window made the
// way the game makes it, whatever the anti-aliasing, takes that copy: it has no
// samples of its own (a copy into a multisampled window is an error).
TEST_F(FramePasses, TheSceneIsCopiedOntoTheGamesWindowWithoutAGlError)
{
    gSettings.antiAliasingFactor = 4;
    gSettings.windowBorder = 1;
    setWindowHints();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* gameWindow = glfwCreateWindow(160, 90, "Mossgrave", nullptr, window());
    glfwDefaultWindowHints();
    ASSERT_NE(gameWindow, nullptr);
    glfwMakeContextCurrent(gameWindow);
    GLint windowSamples = -1;
    glGetIntegerv(GL_SAMPLES, &windowSamples);
    EXPECT_EQ(windowSamples, 0);

    // Anti-aliasing lowered to 1 in Options: a plain scene buffer, copied as it is.
    testing::internal::CaptureStdout();
    createFramebuffers(game.scene.framebuffers, 160, 90, 1, 1);
    testing::internal::GetCapturedStdout();
    glBindFramebuffer(GL_FRAMEBUFFER, game.scene.framebuffers.sceneFramebuffer);
    glClearColor(0.2f, 0.6f, 0.4f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    game.platform.window = gameWindow;
    game.gui->screenFlags = SCREEN_WORLD;
    game.reveal.circleLoad = 1.5f; // fully open: nothing left to draw over the scene
    ASSERT_FALSE(postEffectsShow({ 1.5f }, 160, 90));
    postProcess(game);
    game.platform.window = nullptr;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    unsigned char pixel[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(80, 45, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_NEAR(pixel[1], 153, 2) << "the scene reached the window";
    freeFramebuffers(game.scene.framebuffers);
    glfwMakeContextCurrent(window());
    glfwDestroyWindow(gameWindow);
}

// The real frame drawn into the test's context with the run folder's shaders, meshes and
// model textures, into a small single-sample scene buffer. The game borrows the test window
// only while it draws. Its world is air, so the scene shows the player's own models.
class FramePassesDrawn : public HeadlessGame {
protected:
    static constexpr int WIDTH = 160, HEIGHT = 90;

    void SetUp() override
    {
        HeadlessGame::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ScopedWorkingDirectory run(MOSSGRAVE_RUN_DIR);
        testing::internal::CaptureStdout();
        loadShaders();
        loadMeshes();
        const bool textures = loadModelTextures();
        createFramebuffers(game.scene.framebuffers, WIDTH, HEIGHT, 1, 1);
        onFramebufferSize(game, WIDTH, HEIGHT);
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE(textures);
        lookUpWorldUniforms(game.scene.worldUniforms);
    }
    void TearDown() override
    {
        freeFramebuffers(game.scene.framebuffers);
        freeShaders();
        freeMeshes();
        freeTextures();
        HeadlessGame::TearDown();
    }

    // One scene as the main loop draws it (start-up culls back faces); returns the sum of
    // red, green and blue over the scene buffer.
    long drawnBrightness()
    {
        game.platform.window = window();
        glEnable(GL_CULL_FACE);
        drawScene(game);
        for (GLenum state : { GL_CULL_FACE, GL_DEPTH_TEST, GL_POINT_SPRITE, GL_PROGRAM_POINT_SIZE })
            glDisable(state);
        game.platform.window = nullptr;
        std::vector<unsigned char> pixels(WIDTH * HEIGHT * 4);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, game.scene.framebuffers.sceneFramebuffer);
        glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        long sum = 0;
        for (size_t i = 0; i < pixels.size(); i += 4)
            sum += pixels[i] + pixels[i + 1] + pixels[i + 2];
        return sum;
    }
};

// The lamp and the hand holding it take the lamp's light only where its shadow map sees
// them, so the map has to stay bound until they are drawn, after the world.
TEST_F(FramePassesDrawn, HeldItemIsLitByTheLampThroughItsShadowMap)
{
    game.scene.lightning->sinceStrike = 5.0f; // no flash: the flashlight's map is the frame's shadow
    game.scene.flashlight->update(0.0f, game.session.player->modelMatrix(), game.session.player->position());
    const long lit = drawnBrightness();
    // Only meaningful while the lamp lies inside the map, in front of the empty world it saw.
    const glm::vec4 lamp = game.scene.flashlight->shadow.depthBias * game.scene.flashlight->model.getModelMatrix()[3];
    const glm::vec3 inMap = glm::vec3(lamp) / lamp.w;
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_GT(inMap[axis], 0.0f) << axis;
        EXPECT_LT(inMap[axis], 1.0f) << axis;
    }

    game.scene.flashlight->intensity = 0.0f; // the lamp gives no light: the night's floor value
    const long moonOnly = drawnBrightness();
    EXPECT_GT(moonOnly, 0) << "the lamp and the hand are in view";
    EXPECT_GT(lit, 2 * moonOnly) << "the lamp's light on them reads its shadow map";
}

} // namespace

TEST(FramePassRules, ShadowOffsetGrowsFarFromTheOriginAndTheFireFlickersInItsRange)
{
    EXPECT_EQ(shadowPolygonOffset(glm::vec3(10.0f, 60.0f, -20.0f)), 1.0f);
    // The length counts the homogeneous 1: sqrt(999² + 1) is just over 999.
    EXPECT_EQ(shadowPolygonOffset(glm::vec3(999.0f, 0.0f, 0.0f)), 1.0f);
    EXPECT_EQ(shadowPolygonOffset(glm::vec3(800.0f, 70.0f, 700.0f)), 3.0f);
    float lowest = 1.0f, highest = 0.5f;
    for (int i = 0; i < 2000; ++i) {
        const float f = fireNoiseAt(float(i) * 0.05f);
        lowest = std::min(lowest, f);
        highest = std::max(highest, f);
    }
    EXPECT_GE(lowest, 0.5f);
    EXPECT_LE(highest, 1.0f);
    EXPECT_GT(highest - lowest, 0.25f) << "the fire flickers over most of its range";

    // The world program without the flash and the fire: only with neither a flash nor a fire
    // whose 40 units of light come nearer than its fog horizon.
    EXPECT_TRUE(flashOrFireShows(true, 1.0e6f, 100.0f));
    EXPECT_TRUE(flashOrFireShows(false, 139.0f, 100.0f));
    EXPECT_FALSE(flashOrFireShows(false, 140.0f, 100.0f));

    // The scene is copied untouched only when no effect shows and the reveal clears the corners
    // (0.7 x the corner's distance in half-heights: 1.428 at 16:9, 1.77 at 21:9).
    PostEffects open;
    open.circleLoad = 1.5f;
    EXPECT_FALSE(postEffectsShow(open, 640, 360));
    EXPECT_TRUE(postEffectsShow(open, 840, 360)) << "a wide screen's corners stay dark";
    open.circleLoad = 1.45f;
    EXPECT_TRUE(postEffectsShow(open, 640, 360)) << "the reveal's soft edge still reaches the corners";
    for (auto effect : { &PostEffects::potionFactor, &PostEffects::noiseFactor }) {
        PostEffects e;
        e.circleLoad = 1.5f;
        e.*effect = 0.01f;
        EXPECT_TRUE(postEffectsShow(e, 640, 360));
    }
    PostEffects paused = open, ending = open;
    paused.circleLoad = ending.circleLoad = 1.5f;
    paused.grey = true;
    ending.ending = true;
    EXPECT_TRUE(postEffectsShow(paused, 640, 360));
    EXPECT_TRUE(postEffectsShow(ending, 640, 360));
}
