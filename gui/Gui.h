#pragma once

#include "gui/AmmoOverlay.h"
#include "gui/ButtonHelper.h"
#include "gui/ControlsMenu.h"
#include "gui/Captions.h"
#include "gui/FpsCounter.h"
#include "gui/GuiImages.h"
#include "gui/LoadingBar.h"
#include "gui/Menu.h"
#include "gui/MenuKey.h"
#include "gui/OptionsMenu.h"
#include "gui/ScreenFlags.h"
#include "audio/SoundSystem.h"

#include <functional>
#include <memory>
#include <vector>

struct GLFWwindow;

// What the GUI asks of the game. Empty functions do nothing, except
// closeWindow, which then asks GLFW to close the given window.
struct GuiActions {
    MenuAction startGame; // "Start Game" and "Restart"
    MenuAction respawn; // the game-over menu's first entry
    MenuAction quit; // both "Quit" entries
    MenuAction releaseAllKeys; // when Escape pauses the game
    MenuAction closeWindow; // Escape on the loading screen and in menus without the world
    std::function<bool()> isLoading; // the loading screen is up
    GuiClock clock = steadyMilliseconds; // for the frame-rate counter
    OptionsHooks options; // the Options screen's
    ControlsHooks controls; // the Controls screen's
};

// Everything drawn over the scene: the heads-up objects while the world is
// shown, the debug rows, the loading screen, the main / pause menu and the
// game-over menu. screenFlags (ScreenFlags.h) says which of them are up.
class Gui {
public:
    explicit Gui(GuiActions actions = {});
    Gui(const Gui&) = delete;
    Gui& operator=(const Gui&) = delete;
    ~Gui();

    // Every loop pass, after the scene: the objects the flags ask for, with
    // blending on.
    void draw();
    // The loading screen: its background and the loading bar.
    void drawLoading();
    // Every simulation step.
    void update(float dt);
    // Every key press (repeats never reach it), button or pad control, as the
    // input layer translated it: menus, pause, the debug rows.
    void keyHandler(MenuKey key, GLFWwindow* window);
    // The Controls screen waits for a key or mouse button to bind, which the
    // input layer then hands to takeBinding instead of anywhere else, or
    // ends the wait with cancelBinding (Escape, B, Start).
    bool waitingForBinding() const;
    void takeBinding(bool mouse, int code);
    void cancelBinding();
    // Pauses the playing game as Escape does: the pause menu comes up on
    // "Resume" and the held keys are let go. Nothing happens unless the world
    // is shown without a menu.
    void pause(GLFWwindow* window);
    // When the game ends: what Options changed and could not yet write (the screen
    // still open, or an earlier save failed) is written now.
    void savePendingOptions();
    // A row's setting was changed outside the Options screen (F11): the screen
    // shows it, and it is saved now, or when the screen is left if it is up.
    void settingChanged(OptionRow row);
    // A sound started or plays on: its caption, if it has one, joins the queue.
    void hearSound(const SoundCue& cue);

    std::vector<std::unique_ptr<GuiObject>> hud;
    std::vector<std::unique_ptr<GuiObject>> debugItems;
    std::unique_ptr<LoadingBar> loadingBar;
    std::unique_ptr<BackgroundImage> loadingBackground;
    int screenFlags = SCREEN_MENU;
    bool debugVisible = false;
    std::unique_ptr<GameOverMenu> gameOverMenu;
    std::unique_ptr<Menu> menu;
    // Over the world: "Resume" first, then the main menu's entries. It opens on
    // "Resume", so Escape and then Space by habit never throws the world away.
    std::unique_ptr<Menu> pauseMenu;
    // "Options" of the main / pause menu: shown in the menu's place while
    // optionsOpen, with SCREEN_MENU still set (the game stays paused).
    std::unique_ptr<OptionsMenu> options;
    bool optionsOpen = false;
    // "Controls" of the Options screen, shown in its place while controlsOpen.
    std::unique_ptr<ControlsMenu> controls;
    bool controlsOpen = false;

    // Members of hud, for the game to talk to: the frame-rate counter
    // (nullptr unless "Show_FPS" is on), the item overlay the player shows
    // his item on, and the mouse-button hint the world sets.
    FpsCounter* fpsCounter = nullptr;
    AmmoOverlay* ammoOverlay = nullptr;
    ButtonHelper* buttonHelper = nullptr;
    CaptionsOverlay* captions = nullptr; // drawn while "Captions" is on

private:
    // The menu that takes keys: the pause or main menu before the game-over one.
    Menu* activeMenu() const;
    void closeWindow(GLFWwindow* window);

    GuiActions actions;
};
