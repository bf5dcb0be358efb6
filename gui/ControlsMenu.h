#pragma once

#include "gui/Menu.h"
#include "gui/MenuKey.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// What the Controls screen asks of the game, which owns the bindings.
struct ControlsHooks {
    // One (label, key name) per action, in the screen's order.
    std::function<std::vector<std::pair<std::string, std::string>>()> rows;
    // Binds the row's action to a key code (mouse false) or a mouse button.
    std::function<void(int row, bool mouse, int code)> bind;
    std::function<void()> reset; // "Reset to Defaults"
    // Writes the changed bindings to config.txt; false when that failed.
    std::function<bool()> save;
    std::function<bool()> hasPending; // bindings changed and not yet written
};

// The Controls screen of Options: a row per action ("Label: Key"), then
// "Reset to Defaults" and "Back". Enter or Space on an action waits for the next
// key or mouse button and binds it (Escape cancels the wait). The list is
// longer than the screen: it scrolls so the selection stays in view. Leaving
// (Back or Escape) saves what changed.
class ControlsMenu : public Menu {
public:
    static constexpr int kShownRows = 11;

    explicit ControlsMenu(ControlsHooks hooks = {});

    // The current bindings with the first row selected.
    void open();
    // A key while the screen is up and not waiting; true when it left the screen.
    bool keyHandler(MenuKey key);
    bool waiting() const { return waitingRow >= 0; }
    // The key or button the screen waited for, bound to the waiting row.
    void take(bool mouse, int code);
    // The wait ends without binding anything (Escape, or the pad's B or Start).
    void cancelWait();
    void leave();
    bool saveFailed() const { return failed; }
    // The first row on the screen.
    int firstShown() const { return top; }
    int actionRows() const { return actionCount; }

    void draw(bool worldVisible) override;

private:
    void refresh();

    ControlsHooks hooks;
    int actionCount = 0;
    int waitingRow = -1;
    int top = 0;
    bool failed = false;
    std::unique_ptr<GuiObject> saveError;
};
