#pragma once

#include "gui/GuiObject.h"
#include "gui/SelectionSound.h"

#include <functional>

struct GLFWwindow;

// What a menu entry does when chosen; it receives the game's window.
using MenuAction = std::function<void(GLFWwindow*)>;

// One line of a menu: red text, green while selected.
class MenuItem : public GuiObject {
public:
    MenuItem(const std::string& text, int row, MenuAction action, int menuId);

    void setText(const std::string& value);
    // Highlights the entry and clicks.
    void select();
    // Takes the highlight away again.
    void deselect();
    // Runs the action (nothing when the entry has none).
    void run(GLFWwindow* window) const;

    std::string text;
    int row = 0;
    bool highlighted = false;
    MenuAction action;
    int menuId = 0;
    SelectionSound sound;

private:
    void render();
};
