#include "gui/Menu.h"

#include "gui/GuiImages.h"

Menu::Menu(int id)
    : menuId(id)
{
}

Menu::~Menu() = default;

void Menu::draw(bool worldVisible)
{
    if (!worldVisible)
        for (auto& decoration : decorations)
            decoration->draw();
    for (auto& item : items) {
        item->modelMatrix = menuEntryMatrix(item->row, worldVisible, item->menuId == SCREEN_GAME_OVER);
        item->draw();
    }
}

MenuItem& Menu::addItem(const std::string& text, int row, MenuAction action)
{
    items.push_back(std::make_unique<MenuItem>(text, row, std::move(action), menuId));
    if (items.size() == 1) {
        selected = 0;
        items.front()->select();
    }
    return *items.back();
}

void Menu::addDecoration(std::unique_ptr<GuiObject> decoration)
{
    decorations.push_back(std::move(decoration));
}

MenuItem* Menu::selectedItem() const
{
    if (selected < 0 || size_t(selected) >= items.size())
        return nullptr;
    return items[size_t(selected)].get();
}

void Menu::moveSelection(int index)
{
    if (MenuItem* current = selectedItem())
        current->deselect();
    selected = index;
    if (MenuItem* next = selectedItem())
        next->select();
}

void Menu::selectNext()
{
    const int count = int(items.size());
    if (selected < count - 1)
        moveSelection(selected + 1);
    else if (count >= 2)
        moveSelection(0);
}

void Menu::selectPrevious()
{
    const int count = int(items.size());
    if (selected == 0) {
        if (count >= 2)
            moveSelection(count - 1);
    } else if (count > 0) {
        moveSelection(selected - 1);
    }
}

void Menu::resetSelection()
{
    if (items.empty())
        return;
    if (MenuItem* current = selectedItem())
        current->deselect();
    selected = 0;
    items.front()->highlighted = true;
    items.front()->setText(items.front()->text);
}

void Menu::runSelected(GLFWwindow* window)
{
    if (MenuItem* item = selectedItem())
        item->run(window);
}

GameOverMenu::GameOverMenu(MenuAction respawn, MenuAction restart, MenuAction quit)
    : Menu(SCREEN_GAME_OVER)
{
    addItem(respawnEntryText(0), 0, std::move(respawn));
    addItem("Restart", 1, std::move(restart));
    addItem("Quit", 2, std::move(quit));

    auto text = std::make_unique<GuiObject>();
    text->place(guiLayout::gameOverCaption);
    caption = text.get();
    addDecoration(std::move(text));
    setCaption(0);
    addDecoration(std::make_unique<BackgroundImage>("textures/gameover.png"));
    addDecoration(std::make_unique<Credits>());
}

void GameOverMenu::setCaption(int catsFound)
{
    caption->setImage(renderText(gameOverCaptionText(catsFound), textStyle::gameOverCaption));
}

void GameOverMenu::setRespawnCost(int catsLost)
{
    items.front()->setText(respawnEntryText(catsLost));
}
