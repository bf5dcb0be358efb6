#pragma once

// The fixture of the end-to-end tests: a fresh folder with a chosen
// config.txt and the game's data, a private X server, the real game binary,
// and bounded waits for what a player would see.
//
//   TEST_F(GameTest, Something) {
//       writeConfig(smallConfig());
//       launch();
//       ASSERT_TRUE(waitForMenu());
//       press("Escape");
//       EXPECT_EQ(finish(), 0);
//   }

#include "../render/TestFiles.h"
#include "../render/XvfbServer.h"
#include "Process.h"
#include "Screen.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

using namespace std::chrono_literals;

// The pictures that fill the window in the states without the world.
enum class Backdrop { Menu, Loading, GameOver, Other };

class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Settings for a fast run: a 640 x 360 window, 4 samples, two worker
    // threads, a view of one chunk, a fixed seed. `changes` replaces or adds keys.
    static std::string smallConfig(const std::map<std::string, std::string>& changes = {});
    void writeConfig(const std::string& text);
    std::filesystem::path folder() const { return dir.path(); }
    // Replaces a data file of the folder (it then no longer links to the run folder).
    void replaceData(const std::string& relative, const std::string& contents);
    void removeData(const std::string& relative);

    // `arguments` are the game's developer options (--start-at X Z, --log-player, ...).
    void launch(const std::vector<std::string>& arguments = {});
    // Launches with OpenAL's wave-file device: everything the game plays is
    // recorded into `wav` (complete once the game has ended).
    void launchRecording(const std::filesystem::path& wav, const std::vector<std::string>& arguments = {});
    // Waits for the window titled Mossgrave; fills `window` and `area`.
    bool waitForWindow(std::chrono::milliseconds timeout = 60s);
    // Waits until `done` holds, checking every `interval`, at most `timeout`.
    bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout,
        std::chrono::milliseconds interval = 100ms);
    bool waitForOutput(const std::string& text, std::chrono::milliseconds timeout = 20s);
    // Waits for the window and then for the main menu over its picture.
    bool waitForMenu(std::chrono::milliseconds timeout = 60s);
    // Waits for a screenshot whose backdrop is `backdrop`.
    bool waitForBackdrop(Backdrop backdrop, std::chrono::milliseconds timeout);
    // How often the game has fitted its view to the window's size ("Width: W
    // Height: H"): its first resize may do it, the end of every loading screen does.
    int viewFits() const;
    // Waits for the end of the loading screen (one fit more than `fitsBefore`)
    // and for the world to replace the loading picture.
    bool waitForPlaying(int fitsBefore);
    // Starts a game from the main menu and waits for the playing state.
    bool startPlaying();

    // A key pressed and released. The same key again follows at least 50 ms later: the
    // window library takes a release and a press of one key less than 20 ms apart for
    // the key's auto-repeat, which the game ignores.
    void press(const std::string& key);
    // A screenshot of the window, also saved in the folder as `name`-N.png
    // for a person to look at.
    Picture shot(const std::string& name);
    Backdrop backdropOf(const Picture& picture);
    // Mean brightness of the backdrop picture alone over a window area.
    double backdropMean(Backdrop backdrop, const Area& windowArea);
    // The loading message the loading bar shows, or empty when the bar shows
    // none of the fifteen (or cannot be read).
    std::string loadingMessageOn(const Picture& picture) const;
    // Window areas in the GUI's screen space (x, y from -0.5 to 0.5, y up).
    Area guiArea(float centerX, float centerY, float width, float height) const;
    // The main menu's entry `row` over its picture, and a menu entry row
    // drawn over the world (pause menu).
    Area mainMenuRow(int row) const;
    Area pauseMenuRow(int row) const;

    // Waits for the game to end and returns its exit code (-1 when it did not).
    int finish(std::chrono::milliseconds timeout = 60s);
    std::string out() const { return game.out(); }
    std::string err() const { return game.err(); }
    std::string lastOutputLine() const;

    TempDir dir;
    XvfbServer xvfb;
    GameProcess game;
    Screen screen;
    std::string window;
    Area area;

private:
    void linkData(const std::string& name);
    const Picture& expected(Backdrop backdrop);
    std::map<Backdrop, Picture> expectedBackdrops;
    int shots = 0;
    std::string lastKey;
    std::chrono::steady_clock::time_point lastKeyAt;
};
