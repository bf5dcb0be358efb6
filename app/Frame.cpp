#include "app/Frame.h"

#include "app/FrameStats.h"
#include "app/Game.h"
#include "app/Gamepad.h"
#include "app/Input.h"
#include "app/OptionsApply.h"
#include "base/Settings.h"
#include "app/ScenePasses.h"
#include "app/Screenshot.h"
#include "base/Clock.h"
#include "base/Settings.h"
#include "gui/Gui.h"
#include "render/PassTimer.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

namespace {

void countFrame(Game& game)
{
    // A full-screen window has no title bar to show the rate in.
    if (game.platform.frames.countFrame(now()) && gSettings.fullscreen == 0)
        glfwSetWindowTitle(game.platform.window, fpsTitle(game.platform.frames.fps).c_str());
}

} // namespace

void drawGui(Game& game)
{
    // Some GUI quads are mirrored by a negative scale (the game name, the
    // credits); with back faces culled they would never show.
    glDisable(GL_CULL_FACE);
    game.gui->draw();
    glEnable(GL_CULL_FACE);
}

void drawFrame(Game& game)
{
    if (game.platform.passTimer && game.playing)
        game.platform.passTimer->beginFrame();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (game.screenFlags() & SCREEN_WORLD) {
        countFrame(game);
        drawScene(game);
        if (game.screenFlags() & SCREEN_WORLD) {
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            postProcess(game);
        }
    }
    beginFramePass(game, PASS_GUI);
    drawGui(game);
    if (game.platform.passTimer) {
        game.platform.passTimer->endFrame([&](const PassTimer::FrameResult& r) {
            game.platform.frameStats->addSplitFrame(r.passMs, r.passPrimitives, r.passFragments);
        });
    }
    if (game.screenshotRequested) {
        game.screenshotRequested = false;
        takeScreenshot(game);
    }
    glfwSwapBuffers(game.platform.window);
    glfwPollEvents();
    drainInput(game);
    if (game.platform.gamepads)
        game.platform.gamepads->poll(game);
    fitWindowAfterChange(game);
}
