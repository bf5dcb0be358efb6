// The Gui's key handler through the game's screen states: menus, pause and
// resume, closing, F12; and what the Gui is made of.
#include "gui/Gui.h"

#include "base/Settings.h"

#include <gtest/gtest.h>

namespace {

// A Gui whose actions write what they were asked to do.
class GuiKeyTest : public ::testing::Test {
protected:
    GuiKeyTest()
    {
        GuiActions actions;
        actions.startGame = record("startGame");
        actions.respawn = record("respawn");
        actions.quit = record("quit");
        actions.releaseAllKeys = record("releaseAllKeys");
        actions.closeWindow = record("closeWindow");
        actions.isLoading = [this] { return loading; };
        actions.options.apply = [this](OptionRow row) {
            calls.push_back("apply " + std::to_string(int(row)));
            return applyWorks;
        };
        actions.options.save = [this](const std::vector<OptionRow>& rows) {
            std::string text = "save";
            for (OptionRow row : rows)
                text += " " + std::to_string(int(row));
            calls.push_back(text);
            return saveWorks;
        };
        gui = std::make_unique<Gui>(actions);
    }

    MenuAction record(const std::string& name)
    {
        return [this, name](GLFWwindow* window) {
            calls.push_back(name);
            EXPECT_EQ(window, this->window);
        };
    }

    void press(MenuKey key) { gui->keyHandler(key, window); }

    std::vector<std::string> takeCalls() { return std::exchange(calls, {}); }

    using Calls = std::vector<std::string>;
    GLFWwindow* const window = reinterpret_cast<GLFWwindow*>(0x5678);
    std::unique_ptr<Gui> gui;
    Calls calls;
    bool loading = false;
    bool saveWorks = true;
    bool applyWorks = true;
};

} // namespace

TEST_F(GuiKeyTest, MainMenuRunsItsEntriesAndEscapeCloses)
{
    EXPECT_EQ(gui->screenFlags, SCREEN_MENU);
    press(MenuKey::Choose);
    press(MenuKey::Up); // wraps to "Quit"
    press(MenuKey::Choose);
    press(MenuKey::Down); // wraps to "Start Game"
    press(MenuKey::Choose);
    press(MenuKey::Up); // "Quit"
    press(MenuKey::Up); // "Options"
    press(MenuKey::Choose);
    EXPECT_EQ(takeCalls(), (Calls { "startGame", "quit", "startGame" }));
    EXPECT_TRUE(gui->optionsOpen);
    press(MenuKey::Back); // back to the main menu, which stays
    EXPECT_FALSE(gui->optionsOpen);
    EXPECT_TRUE(takeCalls().empty());

    press(MenuKey::Back);
    EXPECT_EQ(takeCalls(), (Calls { "closeWindow" }));
    EXPECT_EQ(gui->screenFlags, SCREEN_MENU);
}

TEST_F(GuiKeyTest, EscapePausesAndResumesThePlayingGame)
{
    gui->screenFlags = SCREEN_WORLD;
    press(MenuKey::Up); // no menu: nothing to move
    press(MenuKey::Choose);
    EXPECT_TRUE(takeCalls().empty());

    press(MenuKey::Back);
    EXPECT_EQ(gui->screenFlags, SCREEN_WORLD | SCREEN_MENU);
    EXPECT_EQ(takeCalls(), (Calls { "releaseAllKeys" }));

    press(MenuKey::Down); // the pause menu takes keys
    EXPECT_EQ(gui->pauseMenu->selected, 1);
    EXPECT_EQ(gui->menu->selected, 0);

    press(MenuKey::DebugOverlay); // toggles the debug rows, nothing else
    EXPECT_TRUE(gui->debugVisible);
    press(MenuKey::Back);
    EXPECT_EQ(gui->screenFlags, SCREEN_WORLD);
    EXPECT_TRUE(takeCalls().empty());

    // Whatever was selected before, the menu opens on "Resume": Escape then
    // Space (a jump by habit) goes back to the same world.
    press(MenuKey::Back);
    EXPECT_EQ(gui->pauseMenu->selectedItem()->text, "Resume");
    EXPECT_TRUE(gui->pauseMenu->selectedItem()->highlighted);
    press(MenuKey::Choose);
    EXPECT_EQ(gui->screenFlags, SCREEN_WORLD);
    EXPECT_EQ(takeCalls(), (Calls { "releaseAllKeys" }));

    // Losing focus pauses the same way; it does nothing in a menu.
    gui->pause(window);
    EXPECT_EQ(gui->screenFlags, SCREEN_WORLD | SCREEN_MENU);
    gui->pause(window);
    EXPECT_EQ(takeCalls(), (Calls { "releaseAllKeys" }));
    gui->screenFlags = SCREEN_MENU;
    gui->pause(window);
    EXPECT_EQ(gui->screenFlags, SCREEN_MENU);
    gui->screenFlags = SCREEN_WORLD | SCREEN_MENU;

    press(MenuKey::Up); // wraps to "Quit"
    press(MenuKey::Choose);
    press(MenuKey::Down); // "Resume"
    press(MenuKey::Down); // "Start Game"
    press(MenuKey::Choose);
    EXPECT_EQ(takeCalls(), (Calls { "quit", "startGame" }));
}

TEST_F(GuiKeyTest, EscapeWhileLoadingClosesTheWindowAndNothingElse)
{
    gui->screenFlags = SCREEN_WORLD;
    loading = true;
    press(MenuKey::Back);
    EXPECT_EQ(takeCalls(), (Calls { "closeWindow" }));
    EXPECT_EQ(gui->screenFlags, SCREEN_WORLD);
}

TEST_F(GuiKeyTest, GameOverMenuTakesKeysAndEscapeCloses)
{
    gui->screenFlags = SCREEN_GAME_OVER;
    press(MenuKey::Choose);
    press(MenuKey::Down);
    press(MenuKey::Choose);
    press(MenuKey::Down);
    press(MenuKey::Choose);
    press(MenuKey::Down); // wraps to the respawn entry
    press(MenuKey::Choose);
    EXPECT_EQ(takeCalls(), (Calls { "respawn", "startGame", "quit", "respawn" }));
    EXPECT_EQ(gui->menu->selected, 0); // the main menu did not move

    press(MenuKey::Back);
    EXPECT_EQ(takeCalls(), (Calls { "closeWindow" }));
    EXPECT_EQ(gui->screenFlags, SCREEN_GAME_OVER);
}

TEST_F(GuiKeyTest, OptionsStepApplyAtOnceAndSaveOnLeavingToTheMenuTheyCameFrom)
{
    const Settings saved = gSettings;
    gSettings.volume = 10;
    gui->screenFlags = SCREEN_WORLD | SCREEN_MENU;
    press(MenuKey::Down);
    press(MenuKey::Down);
    press(MenuKey::Choose); // "Options", after "Resume" and "Start Game"
    ASSERT_TRUE(gui->optionsOpen);
    press(MenuKey::Down);
    press(MenuKey::Down); // "Volume"
    press(MenuKey::Left);
    press(MenuKey::Right);
    press(MenuKey::Right); // held at 10
    EXPECT_EQ(gui->options->items[2]->text, "Volume: 10");
    press(MenuKey::Choose); // not "Back": nothing
    press(MenuKey::Up);
    press(MenuKey::Up);
    press(MenuKey::Up); // wraps to "Back"
    EXPECT_EQ(gui->options->selectedRow(), OptionRow::Back);
    press(MenuKey::Choose);
    EXPECT_EQ(takeCalls(), (Calls { "apply 2", "apply 2", "save 2" }));
    EXPECT_FALSE(gui->optionsOpen);
    EXPECT_EQ(gui->screenFlags, SCREEN_WORLD | SCREEN_MENU); // still paused

    // Nothing changed: nothing written. A failed save is shown until one works, and
    // what it could not write is written with the next one, of whatever row.
    press(MenuKey::Choose);
    press(MenuKey::Back);
    EXPECT_TRUE(takeCalls().empty());
    saveWorks = false;
    press(MenuKey::Choose);
    press(MenuKey::Left); // View Distance
    press(MenuKey::Back);
    EXPECT_TRUE(gui->options->saveFailed());
    press(MenuKey::Choose);
    press(MenuKey::Down);
    press(MenuKey::Down);
    press(MenuKey::Left); // Volume
    press(MenuKey::Back);
    EXPECT_TRUE(gui->options->saveFailed());
    saveWorks = true;
    press(MenuKey::Choose);
    press(MenuKey::Down);
    press(MenuKey::Right); // Mouse Sensitivity
    press(MenuKey::Back);
    EXPECT_FALSE(gui->options->saveFailed());
    EXPECT_EQ(takeCalls(), (Calls { "apply 0", "save 0", "apply 2", "save 0 2", "apply 1", "save 0 1 2" }));
    press(MenuKey::Choose);
    press(MenuKey::Back);
    EXPECT_TRUE(takeCalls().empty()) << "what was saved is not written again";

    // The game ends with Options up: what was changed there is written then, once.
    press(MenuKey::Choose);
    press(MenuKey::Down);
    press(MenuKey::Down);
    press(MenuKey::Right);
    gui->savePendingOptions();
    gui->savePendingOptions();
    EXPECT_EQ(takeCalls(), (Calls { "apply 2", "save 2" }));
    gSettings = saved;
}

TEST(GuiTest, HudHoldsTheFrameCounterOnlyWhenAskedFor)
{
    const Settings saved = gSettings;
    gSettings.showFps = 0;
    {
        Gui gui;
        EXPECT_EQ(gui.fpsCounter, nullptr);
        ASSERT_EQ(gui.hud.size(), 3u);
        EXPECT_EQ(gui.hud[0].get(), gui.ammoOverlay);
        EXPECT_EQ(gui.hud[1].get(), gui.buttonHelper);
        EXPECT_EQ(gui.hud[2].get(), gui.captions);
    }
    gSettings.showFps = 1;
    {
        Gui gui;
        ASSERT_EQ(gui.hud.size(), 4u);
        EXPECT_EQ(gui.hud[0].get(), gui.fpsCounter);
        EXPECT_NE(gui.fpsCounter, nullptr);
    }
    gSettings = saved;
}

TEST(GuiTest, UpdateReachesTheHudAndTheDebugRowsOnlyWhenVisible)
{
    struct Counting : GuiObject {
        explicit Counting(int& n)
            : count(n)
        {
        }
        void update(float) override { ++count; }
        int& count;
    };
    Gui gui;
    int hud = 0, debug = 0;
    gui.hud.push_back(std::make_unique<Counting>(hud));
    gui.debugItems.push_back(std::make_unique<Counting>(debug));
    gui.update(1.0f / 60);
    EXPECT_EQ(hud, 1);
    EXPECT_EQ(debug, 0);
    gui.debugVisible = true;
    gui.update(1.0f / 60);
    EXPECT_EQ(hud, 2);
    EXPECT_EQ(debug, 1);
}
