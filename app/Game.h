#pragma once

#include "app/Controls.h"
#include "app/DevOptions.h"
#include "app/FrameCounter.h"
#include "app/InputEvent.h"
#include "app/InputRules.h"
#include "app/ScenePasses.h"
#include "app/Weather.h"
#include "audio/SoundSource.h"
#include "render/DepthTiles.h"
#include "render/Framebuffers.h"
#include "render/FrameState.h"

#include <functional>
#include <glm/vec3.hpp>
#include <memory>
#include <set>

struct GLFWwindow;
class BlockTextureArray;
struct Explosion;
class Fire;
class FrameStats;
class Gamepads;
class PassTimer;
class Flashlight;
class Gui;
class Lightning;
class ParticleSystem;
class PerspectiveCamera;
class Player;
class Projectile;
class RunningGame;
class ShadowCamera;
class Skybox;
class VertexArray;
class World;

// The window and what comes in through it: its size and place, the input
// waiting for the frame, the gamepads, and the frames' timing.
struct Platform {
    GLFWwindow* window = nullptr;
    int screenWidth = 0;
    int screenHeight = 0;
    float aspect = 1.0f;
    // Where the window stood before it went full screen, to return to.
    int windowedX = 0;
    int windowedY = 0;
    bool windowedPlaceKnown = false; // false: the game started full screen
    // Passes left that fit the view to the window after a graphics change.
    int windowFitPasses = 0;
    // The window size whose framebuffers could not be made (0: none), not tried again.
    int unfitWidth = 0;
    int unfitHeight = 0;
    double lastCursorX = 0.0;
    double lastCursorY = 0.0;
    // Window events waiting for the frame to apply them (see drainInput).
    InputQueue inputEvents;
    std::unique_ptr<Gamepads> gamepads; // read every frame; made with the window
    // Without a window, what an event poll of the loading screen delivers
    // (tests queue key events there).
    std::function<void()> pollWithoutWindow;
    FrameCounter frames; // frameCount, lastFpsTime, fps
    FrameStats* frameStats = nullptr; // frame pacing, recorded only when asked for
    PassTimer* passTimer = nullptr; // splits some frames into passes, with the frame pacing
};

// The world being played: the world with its player, what its bodies reach
// of the game, and the time, weather and surroundings he is in.
struct Session {
    // What the world's bodies and objects reach of this game; made before the
    // world and gone after it.
    std::unique_ptr<RunningGame> services;
    std::unique_ptr<World> world;
    Player* player = nullptr; // owned by the world
    float gameTime = 0.0f;
    Weather weather; // weatherTimer, rain, lightning
    float fogFactor = 0.0f;
    bool inDesert = false;
    bool night = true;
    float insideBuilding = 0.0f;
};

// What the world is shown with: the cameras, the lights and effects, the
// buffers and textures drawn into, and the frame state every draw is handed.
struct Scene {
    std::unique_ptr<PerspectiveCamera> playerCamera;
    std::unique_ptr<PerspectiveCamera> overviewCamera;
    std::unique_ptr<ShadowCamera> sunCamera;
    std::unique_ptr<Flashlight> flashlight;
    std::unique_ptr<Lightning> lightning;
    SoundSource thunderSound; // made at the first strike
    std::unique_ptr<Skybox> skybox;
    std::unique_ptr<Fire> fire;
    SoundSource fireSound; // the flames' crackle, looped where they burn
    std::unique_ptr<ParticleSystem> particles;
    std::unique_ptr<VertexArray> fullscreenQuad;
    std::unique_ptr<BlockTextureArray> blockTextures;
    Framebuffers framebuffers; // the shadow map and the scene buffer, made at start-up
    bool softwareRenderer = false; // the GL renderer draws on the processor (see SceneOptions)
    // The depth of the nearest terrain, read back in each pass to leave out what lies behind it
    // (only on a software renderer: a graphics card's depth test is cheaper than the wait).
    DepthTiles occluders;
    TerrainDepthKey shadowMapHolds; // what the shadow map was last drawn from
    // A player standing still sees the same terrain from the same eye frame after frame: the
    // depth of all of it, read once, then tests every node, and no frame waits on a read.
    DepthTiles terrainDepth;
    TerrainDepthKey terrainDepthHolds; // what terrainDepth was read from
    TerrainDepthKey lastWorldView; // the scene pass's terrain and view in the frame before
    WorldUniforms worldUniforms; // the world shader's per-frame uniform locations
    FrameState frame; // the pass being drawn and the scene's lights, handed to every draw
    // Tests: draw every meshed terrain node whole in both passes, the picture culling keeps.
    bool drawAllTerrain = false;
};

// The potion's protection: seconds left, and its glow on the screen.
struct PotionEffect {
    float timer = 0.0f;
    float factor = 0.0f;
};

// Death's catch: the seconds the sequence has run.
struct DeathSequence {
    float timer = -1.0f; // -1: no death sequence runs
};

// The circle that opens the view on a world and closes it at the end.
struct Reveal {
    float circleLoad = 0.0f;
    bool opening = true;
    double movedAt = -1.0; // now() when the reveal last moved; -1: it starts afresh
};

// The player line of --log-player: play time since the last line, and where he was then.
struct PlayerLog {
    float time = 0.0f;
    glm::vec3 from { 0.0f };
    bool exploded = false; // an explosion happened: its ground is logged with the player
    glm::vec3 lastExplosion { 0.0f };
};

// Everything that lives from start-up to exit: the window, the GUI, the world
// and its cameras and lights, and the flags and timers between them. The game
// makes one at start-up and hands it down; tests build their own, without a
// window, to run the rules headless (no GL calls are made then).
struct Game {
    Game();
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;
    // Not movable either: the game's services, and through them every body of
    // its world, point at this very object.
    Game& operator=(Game&&) = delete;

    DevOptions dev; // the developer options this run started with
    Platform platform;

    std::unique_ptr<Gui> gui;
    Session session;
    Scene scene;
    // How the scene buffer is planned from the settings and the renderer.
    SceneOptions sceneOptions() const;

    bool playing = false; // screenFlags was exactly SCREEN_WORLD at the top of the pass
    bool loading = false;
    bool gameStarted = false;
    bool mouseCaptured = false;
    PotionEffect potion;
    DeathSequence deathSequence;
    Reveal reveal;
    PlayerLog playerLog;

    // Which key, button or pad control does what; the Controls screen edits it.
    ControlTable controls;
    // Actions the Controls screen changed that are not yet in config.txt.
    std::set<Action> unsavedControls;

    // F2 was pressed: the next frame is saved before it is swapped.
    bool screenshotRequested = false;
    // Runs on every new world before it first streams (tests fill its chunks
    // with flat ground there, which generates far faster than terrain).
    std::function<void(World&)> prepareWorld;

    bool hasWindow() const { return platform.window != nullptr; }
    int screenFlags() const;
    InputState inputState() const;

    // The window operations the rules use; without a window they only record.
    void setCursorMode(int mode);
    void requestClose();
    bool shouldClose() const;
    int cursorMode = 0; // the last mode set

private:
    bool closeRequested = false;
};

// Creates the Gui with the game's menu actions; screenFlags start as SCREEN_MENU.
void createGui(Game& game);

// Builds the lightning, player, cameras, sky, fire, flashlight and world, and
// starts chunk generation. Needs the Gui.
void createGame(Game& game);
// Deletes what createGame made, the world with its bodies among them.
void destroyGame(Game& game);

void startGame(Game& game);
void respawn(Game& game);
void quit(Game& game);
void showGameOverMenu(Game& game);
void startDeathSequence(Game& game);
// Plays one blast: sparks, sound, the log line, the camera shake, then the carve.
void explode(Game& game, const Explosion& blast);
void addProjectile(Game& game, std::unique_ptr<Projectile> projectile);
void releaseAllKeys(Game& game);

// The fire's step: shown while the world has the chunk under it loaded, and
// its crackle kept playing where it burns.
void updateFire(Fire& fire, SoundSource& crackle, const World* world, float dt);
// Puts the flames and their crackle at the position.
void moveFire(Game& game, const glm::vec3& position);

// One simulation step of dtMs milliseconds.
void updateStep(Game& game, float dtMs);
// The reveal's move in a drawn world frame, by the real time since its last one
// (a 60th of a second for the first after it starts afresh).
void advanceReveal(Game& game);
// The reveal opens from nothing.
void restartReveal(Game& game);
