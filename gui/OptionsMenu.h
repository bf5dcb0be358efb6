#pragma once

#include "gui/Menu.h"
#include "gui/MenuKey.h"
#include "gui/OptionRows.h"

#include <functional>
#include <set>

// The first row shown of a list of `count` rows of which `shown` fit, after the
// selection moved: the list scrolls only as far as it must to keep the
// selected row in view (a jump to the other end shows that end).
int scrolledFirstRow(int first, int selected, int count, int shown);

// What the Options screen asks of the game.
struct OptionsHooks {
    std::function<OptionContext()> context; // hardware limits and the running world
    // A row's new value, to take effect at once; false when it could not (the row
    // then goes back to its old value).
    std::function<bool(OptionRow)> apply;
    // Writes the changed rows to config.txt; false when that failed.
    std::function<bool(const std::vector<OptionRow>&)> save;
    std::function<void()> openControls; // Enter or Space on "Controls"
};

// The settings screen of the main and the pause menu: one row per setting
// ("Label: value") and "Back", in the menu's font, colours and click. Up and
// down move and wrap, left and right step the selected value; Enter or Space
// on "Back", or Escape, leave, and leaving saves what was changed.
class OptionsMenu : public Menu {
public:
    explicit OptionsMenu(OptionsHooks hooks = {});

    // Shows the current values with the first row selected.
    void open();
    // A key while the screen is up; true when it left the screen.
    bool keyHandler(MenuKey key);
    // Saves the rows changed and not yet saved, also those of an earlier visit whose
    // save failed; they stay pending until a save succeeds, and the failure line
    // shows until then.
    void leave();
    // The row's setting changed elsewhere: its text follows, and it is saved with the next leave().
    void markChanged(OptionRow row);
    // Every row's text from the settings as they are now.
    void refresh();
    // Rows changed and not yet written to the settings file.
    bool hasPending() const { return !changed.empty(); }

    // The background (without the world behind), the rows, and the line that
    // says the last save failed.
    void draw(bool worldVisible) override;
    // Only that line, for the menu the screen returns to.
    void drawSaveError();

    OptionRow selectedRow() const { return OptionRow(selected); }
    // The rows that fit on the screen at once, and the first of them now.
    static constexpr int kRowsShown = 10;
    int firstShownRow() const { return firstShown; }
    bool saveFailed() const { return failed; }
    // The last step could not take effect; shown until a step does, or the screen is left.
    bool applyFailed() const { return notApplied; }

private:
    void step(int direction);
    OptionContext context() const;

    OptionsHooks hooks;
    std::set<OptionRow> changed;
    double mouseYPerX = -1.0; // see OptionContext, taken when the screen opens
    int firstShown = 0;
    bool failed = false;
    bool notApplied = false;
    std::unique_ptr<GuiObject> saveError;
    std::unique_ptr<GuiObject> applyError;
    std::unique_ptr<GuiObject> moreAbove; // "▲" while rows above are scrolled out of view
    std::unique_ptr<GuiObject> moreBelow; // "▼" while rows below are
};
