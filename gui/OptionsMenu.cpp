#include "gui/OptionsMenu.h"

#include "gui/GuiImages.h"

#include <algorithm>
#include <cstdlib>
#include <glm/gtc/matrix_transform.hpp>

namespace {

// Ten rows and the failure line must fit where the two-entry menus use steps
// of 0.1: a centred column from near the top with a smaller step and height.
// More rows than that scroll.
constexpr float kFirstRowY = 0.42f;
constexpr float kRowStep = 0.08f;
constexpr float kRowHeight = 0.075f;
constexpr float kSaveErrorY = -0.44f;
// The marks beside the first and the last row shown while more rows lie beyond them.
const TextStyle kScrollMarkStyle { 48, 36, 30, { 1, 0, 0 }, { 8, 28 } };
constexpr float kScrollMarkX = 0.33f;
constexpr glm::vec2 kScrollMarkScale { 0.03f, 0.05f };

std::unique_ptr<GuiObject> scrollMark(const char* text, float y)
{
    auto mark = std::make_unique<GuiObject>();
    mark->setImage(renderText(text, kScrollMarkStyle));
    mark->modelMatrix = glm::translate(glm::mat4(1.0f), glm::vec3(kScrollMarkX, y, 0.0f))
        * glm::scale(glm::mat4(1.0f), glm::vec3(kScrollMarkScale, 0.0f));
    return mark;
}

glm::mat4 rowMatrix(float y)
{
    const glm::mat4 scale = glm::scale(glm::mat4(1.0f), glm::vec3(guiLayout::menuEntryScale.x, kRowHeight, 0.0f));
    return glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, y, 0.0f)) * scale;
}

} // namespace

int scrolledFirstRow(int first, int selected, int count, int shown)
{
    const int lastFirst = std::max(0, count - shown);
    if (selected < first)
        first = selected;
    else if (selected >= first + shown)
        first = selected - shown + 1;
    return std::clamp(first, 0, lastFirst);
}

OptionsMenu::OptionsMenu(OptionsHooks optionsHooks)
    : Menu(SCREEN_MENU)
    , hooks(std::move(optionsHooks))
{
    // Made directly rather than through addItem: the first row starts
    // highlighted without the selection click, which belongs to opening.
    for (int row = 0; row < kOptionRowCount; ++row)
        items.push_back(
            std::make_unique<MenuItem>(optionRowText(OptionRow(row), gSettings, context()), row, nullptr, menuId));
    items.front()->highlighted = true;
    items.front()->setText(items.front()->text);
    addDecoration(std::make_unique<BackgroundImage>("textures/menu.png"));
    saveError = std::make_unique<GuiObject>();
    saveError->setImage(renderText("Settings could not be saved!", textStyle::menuEntry));
    saveError->modelMatrix = rowMatrix(kSaveErrorY);
    applyError = std::make_unique<GuiObject>();
    applyError->setImage(renderText("Settings could not be applied!", textStyle::menuEntry));
    applyError->modelMatrix = rowMatrix(kSaveErrorY);
    moreAbove = scrollMark("▲", kFirstRowY);
    moreBelow = scrollMark("▼", kFirstRowY - kRowStep * float(kRowsShown - 1));
}

OptionContext OptionsMenu::context() const
{
    OptionContext context = hooks.context ? hooks.context() : OptionContext {};
    context.mouseYPerX = mouseYPerX;
    return context;
}

void OptionsMenu::refresh()
{
    const OptionContext now = context();
    for (auto& item : items) {
        const std::string text = optionRowText(OptionRow(item->row), gSettings, now);
        if (text != item->text)
            item->setText(text);
    }
}

void OptionsMenu::markChanged(OptionRow row)
{
    changed.insert(row);
    refresh();
}

void OptionsMenu::open()
{
    const int x = std::abs(gSettings.mouseSensitivityX);
    mouseYPerX = x > 0 ? double(std::abs(gSettings.mouseSensitivityY)) / double(x) : -1.0;
    refresh();
    items[size_t(selected)]->deselect();
    selected = 0;
    firstShown = 0;
    items.front()->select();
}

void OptionsMenu::step(int direction)
{
    const OptionRow row = selectedRow();
    const Settings before = gSettings;
    if (!stepOption(row, gSettings, direction, context()))
        return;
    notApplied = hooks.apply && !hooks.apply(row);
    if (notApplied)
        gSettings = before; // the game still runs with the old value
    else
        changed.insert(row);
    refresh();
    // The click, at the new volume when the volume changed.
    items[size_t(selected)]->sound.play();
}

bool OptionsMenu::keyHandler(MenuKey key)
{
    switch (key) {
    case MenuKey::Up:
        selectPrevious();
        break;
    case MenuKey::Down:
        selectNext();
        break;
    case MenuKey::Left:
        step(-1);
        break;
    case MenuKey::Right:
        step(1);
        break;
    case MenuKey::Choose:
        if (selectedRow() == OptionRow::Controls && hooks.openControls)
            hooks.openControls();
        if (selectedRow() != OptionRow::Back)
            break;
        leave();
        return true;
    case MenuKey::Back:
        leave();
        return true;
    default:
        break;
    }
    firstShown = scrolledFirstRow(firstShown, selected, int(items.size()), kRowsShown);
    return false;
}

void OptionsMenu::leave()
{
    notApplied = false;
    if (changed.empty())
        return;
    const std::vector<OptionRow> rows(changed.begin(), changed.end());
    failed = hooks.save && !hooks.save(rows);
    if (!failed)
        changed.clear();
}

void OptionsMenu::draw(bool worldVisible)
{
    if (!worldVisible)
        for (auto& decoration : decorations)
            decoration->draw();
    const int end = std::min(int(items.size()), firstShown + kRowsShown);
    for (int row = firstShown; row < end; ++row) {
        MenuItem& item = *items[size_t(row)];
        item.modelMatrix = rowMatrix(kFirstRowY - kRowStep * float(row - firstShown));
        item.draw();
    }
    if (firstShown > 0)
        moreAbove->draw();
    if (end < int(items.size()))
        moreBelow->draw();
    if (notApplied)
        applyError->draw();
    else
        drawSaveError();
}

void OptionsMenu::drawSaveError()
{
    if (failed)
        saveError->draw();
}
