#pragma once

// A whole game without a window: the real rules, the Gui and the placeholder
// world, with loading finishing at once. No GL call is made without a window.

#include "app/Game.h"
#include "app/Input.h"
#include "app/placeholders/Player.h"
#include "app/placeholders/Render.h"
#include "app/placeholders/World.h"
#include "gui/Gui.h"
#include "gui/GuiText.h"
#include "render/Camera.h"
#include "render/Flashlight.h"
#include "render/Lightning.h"
#include "render/ParticleSystem.h"
#include "render/ShadowCamera.h"
#include "render/Sky.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

class HeadlessGame : public ::testing::Test {
protected:
    void SetUp() override
    {
        PlaceholderWorld::loadMs = 0.0;
        game.screenWidth = 640;
        game.screenHeight = 360;
        game.mouseCaptured = true;
        createGui(game);
        game.particles = std::make_unique<ParticleSystem>();
        testing::internal::CaptureStdout();
        createGame(game);
        created = testing::internal::GetCapturedStdout();
    }
    void TearDown() override
    {
        PlaceholderWorld::loadMs = 3000.0;
        destroyGame(game);
        game.gui.reset();
        releaseTextResources();
    }

    // What the main loop does at the top of every pass.
    void beginPass() { game.playing = game.gui->screenFlags == SCREEN_WORLD; }
    // A key pressed and released, then the menu action it chose.
    void tap(int key)
    {
        onKey(game, key, GLFW_PRESS);
        onKey(game, key, GLFW_RELEASE);
        runPendingAction(game);
        beginPass();
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
    std::string created;
};
