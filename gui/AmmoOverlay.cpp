#include "gui/AmmoOverlay.h"

#include "gui/GuiImages.h"

AmmoOverlay::AmmoOverlay()
    : background(makeImageObject("textures/gui_element.png", guiLayout::itemOverlayBackground))
{
    place(guiLayout::itemOverlay);
    refresh();
}

AmmoOverlay::~AmmoOverlay() = default;

void AmmoOverlay::watch(const int* count, const std::string* name)
{
    watchedCount = count;
    watchedName = name;
    refresh();
}

void AmmoOverlay::update(float)
{
    if (watchedCount || watchedName)
        refresh();
}

void AmmoOverlay::refresh()
{
    std::string count = watchedCount ? std::to_string(*watchedCount) : "-";
    std::string name = watchedName ? *watchedName : "-";
    if (count == shownCount && name == shownName)
        return;
    shownCount = std::move(count);
    shownName = std::move(name);
    setImage(renderItemOverlay(shownCount, shownName));
}

void AmmoOverlay::draw()
{
    background->draw();
    GuiObject::draw();
}
