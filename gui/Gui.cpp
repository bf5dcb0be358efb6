#include "gui/Gui.h"

#include "base/Settings.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

namespace {

// The GUI is drawn last and orders overlapping quads by their z (a caption
// over its background, the item text over its panel), so it draws into a
// cleared depth buffer with depth testing on and puts the caller's depth
// and blend state back afterwards.
class GuiDrawState {
public:
    GuiDrawState()
    {
        depthTest = glIsEnabled(GL_DEPTH_TEST);
        glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDepthMask(GL_TRUE);
        glClear(GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
    }
    ~GuiDrawState()
    {
        glDepthFunc(GLenum(depthFunc));
        glDepthMask(depthMask);
        if (!depthTest)
            glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
    }

private:
    GLboolean depthTest = GL_FALSE;
    GLint depthFunc = GL_LESS;
    GLboolean depthMask = GL_TRUE;
};

} // namespace

Gui::Gui(GuiActions guiActions)
    : actions(std::move(guiActions))
{
    if (gSettings.showFps != 0) {
        auto counter = std::make_unique<FpsCounter>(actions.clock ? actions.clock : steadyMilliseconds);
        fpsCounter = counter.get();
        hud.push_back(std::move(counter));
    }
    auto overlay = std::make_unique<AmmoOverlay>();
    ammoOverlay = overlay.get();
    hud.push_back(std::move(overlay));
    auto helper = std::make_unique<ButtonHelper>();
    buttonHelper = helper.get();
    hud.push_back(std::move(helper));
    auto captionLines = std::make_unique<CaptionsOverlay>();
    captions = captionLines.get();
    hud.push_back(std::move(captionLines));

    loadingBar = std::make_unique<LoadingBar>();
    loadingBackground = std::make_unique<BackgroundImage>("textures/loading.png");

    // The actions are looked up when they run, so the game may change them later.
    auto forward = [this](MenuAction GuiActions::*member) {
        return [this, member](GLFWwindow* window) {
            MenuAction action = actions.*member;
            if (action)
                action(window);
        };
    };
    gameOverMenu = std::make_unique<GameOverMenu>(
        forward(&GuiActions::respawn), forward(&GuiActions::startGame), forward(&GuiActions::quit));

    controls = std::make_unique<ControlsMenu>(actions.controls);
    OptionsHooks optionsHooks = actions.options;
    optionsHooks.openControls = [this] {
        controls->open();
        controlsOpen = true;
    };
    options = std::make_unique<OptionsMenu>(optionsHooks);
    auto openOptions = [this](GLFWwindow*) {
        options->open();
        optionsOpen = true;
        controlsOpen = false;
    };
    menu = std::make_unique<Menu>(SCREEN_MENU);
    menu->addItem("Start Game", 0, forward(&GuiActions::startGame));
    menu->addItem("Options", 1, openOptions);
    menu->addItem("Quit", 2, forward(&GuiActions::quit));
    menu->addDecoration(std::make_unique<BackgroundImage>("textures/menu.png"));
    menu->addDecoration(std::make_unique<GameName>());

    pauseMenu = std::make_unique<Menu>(SCREEN_MENU);
    pauseMenu->addItem("Resume", 0, [this](GLFWwindow*) { screenFlags &= ~SCREEN_MENU; });
    pauseMenu->addItem("Start Game", 1, forward(&GuiActions::startGame));
    pauseMenu->addItem("Options", 2, openOptions);
    pauseMenu->addItem("Quit", 3, forward(&GuiActions::quit));
}

Gui::~Gui() = default;

void Gui::draw()
{
    GuiDrawState state;
    const bool worldVisible = (screenFlags & SCREEN_WORLD) != 0;
    captions->enabled = gSettings.captions != 0;
    if (worldVisible) {
        for (auto& object : hud)
            object->draw();
        if (debugVisible && screenFlags == SCREEN_WORLD)
            for (auto& item : debugItems)
                item->draw();
    }
    if ((screenFlags & SCREEN_MENU) && optionsOpen && controlsOpen) {
        controls->draw(worldVisible);
    } else if ((screenFlags & SCREEN_MENU) && optionsOpen) {
        options->draw(worldVisible);
    } else if (screenFlags & SCREEN_MENU) {
        (worldVisible ? pauseMenu : menu)->draw(worldVisible);
        options->drawSaveError();
    }
    if (screenFlags & SCREEN_GAME_OVER)
        gameOverMenu->draw(worldVisible);
}

void Gui::drawLoading()
{
    GuiDrawState state;
    loadingBackground->draw();
    loadingBar->draw();
}

void Gui::update(float dt)
{
    for (auto& object : hud)
        object->update(dt);
    if (debugVisible)
        for (auto& item : debugItems)
            item->update(dt);
}

void Gui::savePendingOptions()
{
    if (options->hasPending())
        options->leave();
    controls->leave();
}

bool Gui::waitingForBinding() const
{
    return (screenFlags & SCREEN_MENU) && optionsOpen && controlsOpen && controls->waiting();
}

void Gui::takeBinding(bool mouse, int code)
{
    controls->take(mouse, code);
}

void Gui::cancelBinding()
{
    controls->cancelWait();
}

void Gui::pause(GLFWwindow* window)
{
    if (screenFlags != SCREEN_WORLD)
        return;
    screenFlags |= SCREEN_MENU;
    pauseMenu->resetSelection();
    if (actions.releaseAllKeys)
        actions.releaseAllKeys(window);
}

void Gui::settingChanged(OptionRow row)
{
    options->markChanged(row);
    if (!optionsOpen)
        options->leave();
}

void Gui::hearSound(const SoundCue& cue)
{
    const std::string text = captionText(cue.sound);
    if (text.empty())
        return;
    // A loop heard again stays until a little after its last step.
    if (cue.stillPlaying)
        captions->queue.keep(text, 0.25f);
    else
        captions->queue.add(text, cue.seconds, cue.positioned, cue.position);
}

Menu* Gui::activeMenu() const
{
    if (screenFlags & SCREEN_MENU)
        return (screenFlags & SCREEN_WORLD) ? pauseMenu.get() : menu.get();
    if (screenFlags & SCREEN_GAME_OVER)
        return gameOverMenu.get();
    return nullptr;
}

void Gui::closeWindow(GLFWwindow* window)
{
    if (actions.closeWindow)
        actions.closeWindow(window);
    else if (window)
        glfwSetWindowShouldClose(window, GLFW_TRUE);
}

void Gui::keyHandler(MenuKey key, GLFWwindow* window)
{
    // The loading screen hides whatever menu the flags still name (the
    // game-over menu during a respawn): only Escape and F12 act there.
    if (actions.isLoading && actions.isLoading()) {
        if (key == MenuKey::Back)
            closeWindow(window);
        else if (key == MenuKey::DebugOverlay)
            debugVisible = !debugVisible;
        return;
    }
    if (key == MenuKey::DebugOverlay)
        debugVisible = !debugVisible;

    // The Options screen takes every key while it is up; Escape there goes
    // back to the menu it came from, not further.
    if ((screenFlags & SCREEN_MENU) && optionsOpen && controlsOpen) {
        if (controls->keyHandler(key))
            controlsOpen = false; // back on the Options screen
        return;
    }
    if ((screenFlags & SCREEN_MENU) && optionsOpen) {
        if (options->keyHandler(key))
            optionsOpen = false;
        return;
    }

    bool menuClosed = false;
    if (Menu* active = activeMenu()) {
        switch (key) {
        case MenuKey::Choose:
            active->runSelected(window);
            break;
        case MenuKey::Down:
            active->selectNext();
            break;
        case MenuKey::Up:
            active->selectPrevious();
            break;
        case MenuKey::Back:
            if (screenFlags & SCREEN_WORLD) {
                screenFlags &= ~SCREEN_MENU;
                menuClosed = true;
            } else {
                closeWindow(window);
            }
            break;
        default:
            break;
        }
    }

    if ((screenFlags & SCREEN_WORLD) && key == MenuKey::Back && !menuClosed) {
        screenFlags |= SCREEN_MENU;
        pauseMenu->resetSelection();
        if (actions.releaseAllKeys)
            actions.releaseAllKeys(window);
    }
}
