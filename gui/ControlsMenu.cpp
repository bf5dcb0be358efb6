#include "gui/ControlsMenu.h"

#include "gui/GuiImages.h"
#include "gui/GuiLayout.h"

#include <algorithm>
#include <glm/gtc/matrix_transform.hpp>

namespace {

// The Options screen's column, so the two screens look alike.
constexpr float kControlsFirstY = 0.42f;
constexpr float kControlsStep = 0.08f;
constexpr float kControlsHeight = 0.075f;
constexpr float kControlsErrorY = -0.46f;

glm::mat4 controlsRowMatrix(float y)
{
    const glm::mat4 scale = glm::scale(glm::mat4(1.0f), glm::vec3(guiLayout::menuEntryScale.x, kControlsHeight, 0.0f));
    return glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, y, 0.0f)) * scale;
}

} // namespace

ControlsMenu::ControlsMenu(ControlsHooks controlsHooks)
    : Menu(SCREEN_MENU)
    , hooks(std::move(controlsHooks))
{
    const auto rows = hooks.rows ? hooks.rows() : std::vector<std::pair<std::string, std::string>> {};
    actionCount = int(rows.size());
    for (int row = 0; row < actionCount + 2; ++row)
        items.push_back(std::make_unique<MenuItem>("", row, nullptr, menuId));
    refresh();
    items.front()->highlighted = true;
    items.front()->setText(items.front()->text);
    addDecoration(std::make_unique<BackgroundImage>("textures/menu.png"));
    saveError = std::make_unique<GuiObject>();
    saveError->setImage(renderText("Settings could not be saved!", textStyle::menuEntry));
    saveError->modelMatrix = controlsRowMatrix(kControlsErrorY);
}

void ControlsMenu::refresh()
{
    const auto rows = hooks.rows ? hooks.rows() : std::vector<std::pair<std::string, std::string>> {};
    for (auto& item : items) {
        std::string text;
        if (item->row < actionCount && size_t(item->row) < rows.size())
            text = rows[size_t(item->row)].first + ": "
                + (item->row == waitingRow ? std::string("press a key") : rows[size_t(item->row)].second);
        else
            text = item->row == actionCount ? "Reset to Defaults" : "Back";
        if (text != item->text)
            item->setText(text);
    }
    // The selection stays in view.
    top = std::clamp(top, std::max(0, selected - kShownRows + 1), selected);
}

void ControlsMenu::open()
{
    waitingRow = -1;
    items[size_t(selected)]->deselect();
    selected = 0;
    top = 0;
    items.front()->select();
    refresh();
}

bool ControlsMenu::keyHandler(MenuKey key)
{
    switch (key) {
    case MenuKey::Up:
        selectPrevious();
        refresh();
        break;
    case MenuKey::Down:
        selectNext();
        refresh();
        break;
    case MenuKey::Choose:
        if (selected < actionCount) {
            waitingRow = selected;
        } else if (selected == actionCount) {
            if (hooks.reset)
                hooks.reset();
        } else {
            leave();
            return true;
        }
        refresh();
        break;
    case MenuKey::Back:
        leave();
        return true;
    default:
        break;
    }
    return false;
}

void ControlsMenu::take(bool mouse, int code)
{
    const int row = waitingRow;
    waitingRow = -1;
    if (row >= 0 && hooks.bind)
        hooks.bind(row, mouse, code);
    refresh();
    items[size_t(selected)]->sound.play();
}

void ControlsMenu::cancelWait()
{
    waitingRow = -1;
    refresh();
    items[size_t(selected)]->sound.play();
}

void ControlsMenu::leave()
{
    waitingRow = -1;
    if (hooks.hasPending && !hooks.hasPending())
        return;
    failed = hooks.save && !hooks.save();
}

void ControlsMenu::draw(bool worldVisible)
{
    if (!worldVisible)
        for (auto& decoration : decorations)
            decoration->draw();
    for (auto& item : items) {
        const int shown = item->row - top;
        if (shown < 0 || shown >= kShownRows)
            continue;
        item->modelMatrix = controlsRowMatrix(kControlsFirstY - kControlsStep * float(shown));
        item->draw();
    }
    if (failed)
        saveError->draw();
}
