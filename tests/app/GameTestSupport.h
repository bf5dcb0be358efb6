#pragma once

// A whole game without its window: the real rules, the Gui and the world
// streaming a small square of chunks. The game makes no window calls without
// a window; the world uploads its meshes into the test context.

#include "app/Game.h"
#include "app/Input.h"
#include "app/ScenePasses.h"
#include "base/Settings.h"
#include "gameplay/Cat.h"
#include "gameplay/Death.h"
#include "gameplay/Player.h"
#include "gameplay/projectiles/Projectile.h"
#include "gui/Gui.h"
#include "gui/GuiText.h"
#include "render/Camera.h"
#include "render/Fire.h"
#include "render/Flashlight.h"
#include "render/Lightning.h"
#include "render/ParticleSystem.h"
#include "render/ShadowCamera.h"
#include "render/Sky.h"
#include "world/World.h"

#include "../render/GlContextFixture.h"
#include "world/WorldTestHelpers.h"

#include <GLFW/glfw3.h>
#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>
#include <gtest/gtest.h>

class HeadlessGame : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        saved = gSettings;
        gSettings.chunkViewDistance = 0; // a single chunk
        gSettings.threads = 2;
        gSettings.worldRandomSeed = 1234;
        game.platform.screenWidth = 640;
        game.platform.screenHeight = 360;
        game.mouseCaptured = true;
        // Chunks of air (or of stone up to groundHeight, for chunks made once it
        // is set): streaming runs for real but has little to mesh.
        // A fixture may hold generation back to see the loading screen while
        // the world is still unloaded; the workers wait in bounded polls.
        game.prepareWorld = [this](World& world) {
            ++worldsBuilt;
            world.fillChunk = [this](Chunk& chunk) {
                for (int i = 0; i < 20000 && holdGeneration.load(); ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                const aabb box = chunk.bounds();
                chunk.root->fill(BLOCK_AIR, box);
                if (const float ground = groundHeight.load(); ground > 0.0f)
                    chunk.root->fill(BLOCK_STONE, aabb(box.min, glm::vec3(box.max.x, ground, box.max.z)));
            };
        };
        createGui(game);
        game.scene.particles = std::make_unique<ParticleSystem>();
        testing::internal::CaptureStdout();
        createGame(game);
        created = testing::internal::GetCapturedStdout();
    }
    void TearDown() override
    {
        holdGeneration = false;
        destroyGame(game);
        game.gui.reset();
        releaseTextResources();
        gSettings = saved;
        GlTest::TearDown();
    }

    // What the main loop does at the top of every pass.
    void beginPass() { game.playing = game.gui->screenFlags == SCREEN_WORLD; }
    // A key pressed and released within one poll, as the frame applies them
    // (the menu action it chose included), then the next pass begins.
    void tap(int key)
    {
        game.platform.inputEvents.push_back(InputEvent::key(key, GLFW_PRESS));
        game.platform.inputEvents.push_back(InputEvent::key(key, GLFW_RELEASE));
        drainInput(game);
        beginPass();
    }
    // Holds the next world's generation back until the loading screen's first
    // poll, which queues presses of `keys` (and their releases when `release`)
    // for the loading screen to apply.
    void pressOnTheLoadingScreen(std::vector<int> keys, bool release)
    {
        holdGeneration = true;
        game.platform.pollWithoutWindow = [this, keys, release, done = false]() mutable {
            if (std::exchange(done, true))
                return;
            for (int key : keys) {
                game.platform.inputEvents.push_back(InputEvent::key(key, GLFW_PRESS));
                if (release)
                    game.platform.inputEvents.push_back(InputEvent::key(key, GLFW_RELEASE));
            }
            holdGeneration = false;
        };
    }
    void play()
    {
        beginPass();
        tap(GLFW_KEY_ENTER);
        ASSERT_EQ(game.gui->screenFlags, SCREEN_WORLD);
        ASSERT_TRUE(game.playing);
    }
    void steps(int n)
    {
        for (int i = 0; i < n; ++i)
            updateStep(game, 16.666666f);
    }

    Game game;
    std::atomic<bool> holdGeneration { false };
    std::atomic<float> groundHeight { 0.0f };
    int worldsBuilt = 0; // createGame calls so far
    std::string created;
    Settings saved;
};
