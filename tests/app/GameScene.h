#pragma once

// The real game's frame, drawn on demand: the run folder's shaders, meshes and textures, the
// game's own framebuffers and passes, and a world streamed from real terrain, with the player
// standing where the caller puts him. Used by the picture tests and the frame benchmark.
// Needs a current GL context (GlContext::get()) and the run folder; every call runs on the
// thread that owns the context.

#include "app/DevOptions.h"
#include "app/Frame.h"
#include "app/Game.h"
#include "app/Input.h"
#include "app/ScenePasses.h"
#include "base/Settings.h"
#include "gameplay/Player.h"
#include "gui/Gui.h"
#include "gui/GuiText.h"
#include "render/Camera.h"
#include "render/Flashlight.h"
#include "render/Framebuffers.h"
#include "render/Lightning.h"
#include "render/MeshTable.h"
#include "render/ParticleSystem.h"
#include "render/ShaderTable.h"
#include "render/Sky.h"
#include "render/VertexArray.h"
#include "render/TextureTable.h"
#include "world/World.h"

#include "../render/TestFiles.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <chrono>
#include <cmath>
#include <glm/trigonometric.hpp>
#include <iostream>
#include <sstream>
#include <thread>
#include <vector>

class GameScene {
public:
    struct Setup {
        int viewDistance = 1;
        int seed = 7;
        int width = 640;
        int height = 360;
        int startX = 0, startZ = 0; // the world is built around here
    };

    // Builds the game and its world; false when the run folder's data is missing.
    bool open(GLFWwindow* window, const Setup& s)
    {
        setup = s;
        saved = gSettings;
        gSettings.chunkViewDistance = s.viewDistance;
        gSettings.threads = 2;
        gSettings.worldRandomSeed = s.seed;
        gSettings.antiAliasingFactor = 1;
        gSettings.shadowmapFactor = 1;
        gSettings.anisotropicFiltering = 1;
        game.platform.screenWidth = s.width;
        game.platform.screenHeight = s.height;
        game.dev.startX = float(s.startX);
        game.dev.startZ = float(s.startZ);
        ScopedWorkingDirectory run(MOSSGRAVE_RUN_DIR);
        // The loaders talk; the picture is what counts here.
        std::ostringstream quiet;
        std::streambuf* out = std::cout.rdbuf(quiet.rdbuf());
        loadShaders();
        loadMeshes();
        const bool textures = loadModelTextures();
        // The renderer of these machines draws on the processor, as a player's may.
        game.scene.softwareRenderer = true;
        createGui(game);
        game.scene.particles = std::make_unique<ParticleSystem>();
        game.scene.particles->createBuffer();
        createFramebuffers(game.scene.framebuffers, s.width, s.height, 1, 1);
        game.scene.fullscreenQuad = makeFullscreenQuad();
        game.platform.window = window;
        createGame(game);
        onFramebufferSize(game, s.width, s.height); // the cameras' projections
        game.scene.lightning->sinceStrike = 5.0f; // a new game's first second is a flash: long over
        game.platform.window = nullptr;
        std::cout.rdbuf(out);
        opened = true;
        return textures && game.session.world != nullptr;
    }

    void close()
    {
        if (!opened)
            return;
        destroyGame(game);
        game.scene.particles.reset();
        game.scene.fullscreenQuad.reset();
        game.gui.reset();
        releaseTextResources();
        freeFramebuffers(game.scene.framebuffers);
        freeShaders();
        freeMeshes();
        freeTextures();
        gSettings = saved;
        opened = false;
    }
    ~GameScene() { close(); }

    // Streams until every chunk of the square is ready, meshed and uploaded, and no worker
    // is busy (bounded by `seconds`).
    bool load(double seconds = 120.0)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        int quietPolls = 0;
        while (std::chrono::steady_clock::now() < until) {
            game.session.world->update(0.0f);
            World& w = *game.session.world;
            const bool idle = w.isLoaded() && w.pendingJobs() == 0 && w.activeWorkerCount() == 0 && w.pendingUploads() == 0;
            quietPolls = idle ? quietPolls + 1 : 0;
            if (quietPolls >= 5)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    // Puts the player's eye at `eye` looking towards `target`, with the flashlight in his
    // hand and the sky over him, as one update step leaves them.
    void look(const glm::vec3& eye, const glm::vec3& target)
    {
        Player& p = *game.session.player;
        const glm::vec3 d = glm::normalize(target - eye);
        p.model = glm::mat4(1.0f);
        p.setPosition(eye);
        // The eye sits above the feet: move the feet so that the eye lands on `eye`.
        const glm::vec3 seen = glm::vec3(glm::inverse(p.viewMatrix())[3]);
        p.setPosition(eye - (seen - eye));
        p.turn(yawToward(d.x, d.z), glm::degrees(std::asin(glm::clamp(d.y, -1.0f, 1.0f))));
        game.scene.flashlight->update(0.0f, p.modelMatrix(), p.position());
        game.scene.skybox->update(p.position());
    }

    // One frame as the main loop draws it, up to the swap (with `whole`: the post-processing
    // and the GUI onto the window too); returns the scene buffer, RGBA rows bottom up.
    std::vector<unsigned char> draw(GLFWwindow* window, bool whole = false)
    {
        game.platform.window = window;
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        drawScene(game);
        if (whole) {
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            postProcess(game);
            beginFramePass(game, PASS_GUI);
            drawGui(game);
        }
        for (GLenum state : { GL_CULL_FACE, GL_DEPTH_TEST, GL_POINT_SPRITE, GL_PROGRAM_POINT_SIZE })
            glDisable(state);
        game.platform.window = nullptr;
        std::vector<unsigned char> pixels(size_t(setup.width) * size_t(setup.height) * 4);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, game.scene.framebuffers.sceneFramebuffer);
        glReadPixels(0, 0, setup.width, setup.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return pixels;
    }

    Game game;
    Setup setup;

private:
    Settings saved;
    bool opened = false;
};
