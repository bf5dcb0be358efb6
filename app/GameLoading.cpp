#include "app/GameLoading.h"

#include "app/Game.h"
#include "app/Input.h"
#include "base/Clock.h"
#include "base/Rand.h"
#include "gameplay/Player.h"
#include "gui/Gui.h"
#include "world/World.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <chrono>
#include <thread>

namespace {

class GameLoadingView : public LoadingView {
public:
    explicit GameLoadingView(Game& game)
        : game(game)
    {
    }

    void pollEvents() override
    {
        if (game.hasWindow())
            glfwPollEvents();
        else if (game.platform.pollWithoutWindow)
            game.platform.pollWithoutWindow();
        drainInput(game);
    }
    bool shouldClose() override { return game.shouldClose(); }
    bool isLoaded() override
    {
        // No update runs behind the loading screen, so it streams itself: the square
        // may still stand where the player was before (a respawn, or a move the
        // game-over menu could not make), and ends only once it is centred on him.
        if (!game.session.player)
            return game.session.world->isLoaded();
        const glm::vec3 p = game.session.player->position();
        return game.session.world->loadAround(p.x, p.z);
    }
    float loadingProgress() override { return game.session.world->loadingProgress(); }
    void setText(const std::string& text) override { game.gui->loadingBar->setText(text); }
    void setShowProgress(bool show) override { game.gui->loadingBar->setShowProgress(show); }
    void setProgress(float progress) override { game.gui->loadingBar->setProgress(progress); }
    void present() override
    {
        if (!game.hasWindow()) {
            // Nothing paces the loop without a window to swap: leave the
            // workers the processor.
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return;
        }
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        game.gui->drawLoading();
        glfwSwapBuffers(game.platform.window);
    }

private:
    Game& game;
};

} // namespace

LoadingResult runGameLoadingScreen(Game& game)
{
    GameLoadingView view(game);
    if (runLoadingScreen(view, now, randUnit) == LoadingResult::Closed)
        return LoadingResult::Closed;

    if (game.hasWindow()) {
        int width = 0, height = 0;
        glfwGetFramebufferSize(game.platform.window, &width, &height);
        onFramebufferSize(game, width, height);
    } else {
        onFramebufferSize(game, game.platform.screenWidth, game.platform.screenHeight);
    }
    game.gameStarted = true;
    game.loading = false;
    restartReveal(game);
    return LoadingResult::Loaded;
}
