#include "app/placeholders/Gui.h"

#include "app/Game.h"
#include "app/Settings.h"
#include "app/placeholders/Sound.h"

void Menu::add(const std::string& text, MenuAction action)
{
    items.push_back(std::make_unique<MenuItem>(text, int(items.size()), action, menuId));
}

void Menu::select(int index)
{
    items[size_t(index)]->highlighted = true;
    if (gSettings.soundEffects)
        soundSystem.play(soundSystem.createSource(), 10);
}

void Menu::deselect(int index) { items[size_t(index)]->highlighted = false; }

Gui::Gui()
{
    menu.add("Start Game", startGame);
    menu.add("Quit", quit);
    menu.select(0);
    gameOverMenu.add("Respawn (lose x  cats)", respawn);
    gameOverMenu.add("Restart", startGame);
    gameOverMenu.add("Quit", quit);
    gameOverMenu.select(0);
}
