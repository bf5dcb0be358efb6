#include "app/ControlsApply.h"

#include "app/ConfigEdit.h"
#include "app/Game.h"
#include "base/Log.h"
#include "gui/Gui.h"

#include <GLFW/glfw3.h>
#include <fstream>
#include <ostream>
#include <sstream>

void loadControls(Game& game, const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    game.controls.load(text.str(), errorStream());
}

bool saveControls(Game& game, std::ostream& err, const std::filesystem::path& path)
{
    if (game.unsavedControls.empty())
        return true;
    if (!saveConfigChanges(path, controlConfigChanges(game.controls, game.unsavedControls), err)) {
        err << "Settings could not be saved to " << path.string() << "; they hold until the game ends." << std::endl;
        return false;
    }
    game.unsavedControls.clear();
    return true;
}

void showControlsOnHud(Game& game)
{
    if (!game.gui || !game.gui->buttonHelper)
        return;
    const Action hinted[] = { Action::Use, Action::Activate }; // the hint's 0 and 1
    for (int hint = 0; hint < 2; ++hint) {
        const Binding& binding = game.controls.binding(hinted[hint]);
        const bool mouse = binding.device == Binding::Device::Mouse;
        game.gui->buttonHelper->showHintAs(hint, mouse ? binding.code : -1, bindingName(binding, game.hasWindow()));
    }
}

ControlsHooks gameControlsHooks(Game& game)
{
    ControlsHooks hooks;
    hooks.rows = [&game] {
        std::vector<std::pair<std::string, std::string>> rows;
        // The layout's key names need the window library, which a window implies.
        for (int action = 0; action < kActionCount; ++action)
            rows.emplace_back(actionLabel(Action(action)),
                bindingName(game.controls.binding(Action(action)), game.hasWindow()));
        return rows;
    };
    hooks.bind = [&game](int row, bool mouse, int code) {
        if (row < 0 || row >= kActionCount)
            return;
        for (Action changed : game.controls.bind(Action(row), mouse ? Binding::mouse(code) : Binding::key(code)))
            game.unsavedControls.insert(changed);
        showControlsOnHud(game);
    };
    hooks.reset = [&game] {
        for (Action changed : game.controls.resetToDefaults())
            game.unsavedControls.insert(changed);
        showControlsOnHud(game);
    };
    hooks.save = [&game] { return saveControls(game, errorStream()); };
    hooks.hasPending = [&game] { return !game.unsavedControls.empty(); };
    return hooks;
}
