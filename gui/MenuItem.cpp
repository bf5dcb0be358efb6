#include "gui/MenuItem.h"

MenuItem::MenuItem(const std::string& entryText, int entryRow, MenuAction entryAction, int id)
    : text(entryText)
    , row(entryRow)
    , action(std::move(entryAction))
    , menuId(id)
{
    render();
}

void MenuItem::setText(const std::string& value)
{
    text = value;
    render();
}

void MenuItem::select()
{
    highlighted = true;
    render();
    sound.play();
}

void MenuItem::deselect()
{
    highlighted = false;
    render();
}

void MenuItem::run(GLFWwindow* window) const
{
    // A copy, so an action that replaces this entry's action stays valid while it runs.
    MenuAction act = action;
    if (act)
        act(window);
}

void MenuItem::render()
{
    setImage(renderText(text, highlighted ? textStyle::menuEntryHighlighted : textStyle::menuEntry));
}
