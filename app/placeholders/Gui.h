#pragma once

// PLACEHOLDER for the GUI work's Gui: the screen flags, the two menus and the
// loading bar with the names and behaviour the application relies on, drawing
// nothing. Replaced by gui/Gui.h when it lands.

#include "app/Game.h"
#include "app/InputRules.h"

#include <memory>
#include <string>
#include <vector>

class MenuItem {
public:
    MenuItem(std::string text, int row, MenuAction action, int menuId)
        : text(std::move(text)), row(row), action(action), menuId(menuId)
    {
    }
    std::string text;
    int row;
    bool highlighted = false;
    MenuAction action;
    int menuId;
    void setText(const std::string& t) { text = t; }
};

class Menu {
public:
    explicit Menu(int menuId) : menuId(menuId) { }
    virtual ~Menu() = default;
    int menuId;
    std::vector<std::unique_ptr<MenuItem>> items;
    int selected = 0;

    void add(const std::string& text, MenuAction action);
    // Highlights the entry and plays the selection sound.
    void select(int index);
    void deselect(int index);
    virtual void draw(bool) { }
};

class GameOverMenu : public Menu {
public:
    GameOverMenu() : Menu(SCREEN_GAME_OVER) { }
    int caption = -1;
    void setCaption(int catsFound) { caption = catsFound; }
};

class LoadingBar {
public:
    std::string text = "asdf";
    float progress = 0.0f;
    bool showProgress = false;
    void setText(const std::string& t) { text = t; }
    void setProgress(float p) { progress = p; }
    void setShowProgress(bool show) { showProgress = show; }
};

class Gui {
public:
    Gui();
    int screenFlags = SCREEN_MENU;
    bool debugVisible = false;
    Menu menu { SCREEN_MENU };
    GameOverMenu gameOverMenu;
    LoadingBar loadingBar;
    int debugBuilds = 0;

    void draw() { }
    void drawLoading() { }
    void update(float) { }
    void buildDebugOverlay() { ++debugBuilds; }
};
