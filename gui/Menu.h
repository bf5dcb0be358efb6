#pragma once

#include "gui/MenuItem.h"
#include "gui/ScreenFlags.h"

#include <memory>
#include <vector>

// A list of entries with one selected, and the pictures drawn behind them
// when the world is not visible. Up and down wrap around; a menu with one
// entry does not move.
class Menu {
public:
    explicit Menu(int id = SCREEN_MENU);
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;
    virtual ~Menu();

    // Draws the decorations (only without the world behind) and the entries.
    virtual void draw(bool worldVisible);

    // Appends an entry; the first one becomes selected.
    MenuItem& addItem(const std::string& text, int row, MenuAction action);
    void addDecoration(std::unique_ptr<GuiObject> decoration);

    void selectNext();
    void selectPrevious();
    void runSelected(GLFWwindow* window);
    // Back on the first entry, highlighted without the click (the menu is only
    // being shown, nobody moved through it).
    void resetSelection();

    MenuItem* selectedItem() const;

    std::vector<std::unique_ptr<MenuItem>> items;
    std::vector<std::unique_ptr<GuiObject>> decorations;
    int selected = 0;
    int menuId;

private:
    void moveSelection(int index);
};

// The menu after Death: respawn at a price in cats, restart, or quit, under
// the count of cats found.
class GameOverMenu : public Menu {
public:
    GameOverMenu(MenuAction respawn, MenuAction restart, MenuAction quit);

    // "You found N Cats!".
    void setCaption(int catsFound);
    // The respawn entry's "Respawn (lose N cats)".
    void setRespawnCost(int catsLost);

    GuiObject* caption = nullptr;
};
