// The game played through its window: start-up, the menus, the loading
// screen, pausing, the window title, and the fatal and non-fatal failures of
// start-up.
#include "GameTest.h"

#include <fstream>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> linesOf(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(GameTest, FirstRunWritesTheSettingsAndShowsTheMainMenu)
{
    launch();
    ASSERT_TRUE(waitForMenu());

    const auto lines = linesOf(folder() / "config.txt");
    ASSERT_EQ(lines.size(), 18u);
    const char* keys[]
        = { "Fullscreen=1", "Width=1280", "Height=720", "Window_Border=1", "Anti-Aliasing_Factor=8",
              "Anisotropic_Filtering=8", "Vsync=1", "Shadowmap_Factor=1", "Show_FPS=0", "Ambient_Sounds=1",
              "Sound_Effects=1", "Volume=10", "Mouse_Sensitivity_X=100", "Mouse_Sensitivity_Y=100",
              "Threads=8", "Chunk_View_Distance=2", "Max_Memory(MB)=2048", "World_Random_Seed=-1" };
    for (size_t i = 0; i < 18; ++i)
        EXPECT_EQ(lines[i].rfind(keys[i], 0), 0u) << lines[i];

    // Full screen on the only video mode, with the sample count the hardware allows.
    EXPECT_EQ(area.width, 1280);
    EXPECT_EQ(area.height, 720);
    EXPECT_NE(err().find("Set Anti-Aliasing Factor to max supported Level: 4 instead of config setting: 8\n"),
        std::string::npos);
    EXPECT_EQ(err().find("Framebuffer error!"), std::string::npos);

    // The picture, "Start Game" selected in green and "Options" and "Quit" in red.
    const auto menu = shot("first-menu");
    EXPECT_EQ(backdropOf(menu), Backdrop::Menu);
    EXPECT_GT(pixels::greenShare(menu, mainMenuRow(0)), 0.01);
    EXPECT_GT(pixels::redShare(menu, mainMenuRow(1)), 0.01);
    EXPECT_GT(pixels::redShare(menu, mainMenuRow(2)), 0.01);
    EXPECT_LT(pixels::redShare(menu, mainMenuRow(0)), 0.002);
    // The game's name, a mirrored quad, over the sky.
    const Area name = guiArea(0.0f, 0.3f, 0.72f, 0.54f);
    EXPECT_GT(pixels::mean(menu, name), backdropMean(Backdrop::Menu, name) + 0.03);

    press("Escape");
    EXPECT_EQ(finish(), 0);
    EXPECT_EQ(lastOutputLine(), "Terminated!");
}

TEST_F(GameTest, DownWrapsAroundAndQuitEndsTheGame)
{
    writeConfig(smallConfig());
    launch();
    ASSERT_TRUE(waitForMenu());
    EXPECT_EQ(area.width, 640);
    EXPECT_EQ(area.height, 360);

    auto selected = [&](int row) {
        return waitUntil([&] { return pixels::greenShare(shot("menu"), mainMenuRow(row)) > 0.01; }, 15s);
    };
    press("Down");
    EXPECT_TRUE(selected(1));
    EXPECT_LT(pixels::greenShare(shot("menu"), mainMenuRow(0)), 0.002);
    press("Down");
    EXPECT_TRUE(selected(2));
    press("Down");
    EXPECT_TRUE(selected(0)); // wrapped from the last entry to the first
    press("Up");
    EXPECT_TRUE(selected(2)); // and back from the first to the last
    press("Return");
    EXPECT_EQ(finish(), 0);
    EXPECT_EQ(lastOutputLine(), "Terminated!");
}

TEST_F(GameTest, InvalidAntiAliasingEndsBeforeAnyWindow)
{
    writeConfig("Fullscreen=0\nWidth=640\nHeight=360\nWindow_Border=1\nAnti-Aliasing_Factor=3\n");
    launch();
    EXPECT_EQ(finish(), 1);
    EXPECT_NE(err().find("Anti-Aliasing_Factor not valid!\n"), std::string::npos);
    EXPECT_EQ(out().find("Shader-Loader"), std::string::npos);
    EXPECT_TRUE(screen.findWindow("Mossgrave").empty());
    // Nothing after the invalid key was read or appended.
    EXPECT_EQ(linesOf(folder() / "config.txt").size(), 5u);
}

TEST_F(GameTest, SettingsFileThatCannotBeOpenedEndsTheGame)
{
    std::filesystem::create_directory(folder() / "config.txt");
    launch();
    EXPECT_EQ(finish(), 1);
    EXPECT_NE(out().find("Exception opening/reading file\n"), std::string::npos);
    EXPECT_TRUE(screen.findWindow("Mossgrave").empty());
}

TEST_F(GameTest, WindowedTitleShowsTheFrameRateOnceTheWorldIsShown)
{
    writeConfig(smallConfig());
    launch();
    ASSERT_TRUE(waitForMenu());
    // A second and more in the menu draws no world frame: the title stays.
    std::this_thread::sleep_for(1200ms);
    EXPECT_EQ(screen.windowName(window), "Mossgrave");

    ASSERT_TRUE(startPlaying());
    const std::regex rate(R"(\d+\.\d\d fps)");
    std::string title;
    EXPECT_TRUE(waitUntil(
        [&] {
            title = screen.windowName(window);
            return std::regex_match(title, rate);
        },
        15s))
        << title;
    Area now;
    ASSERT_TRUE(screen.geometry(window, now));
    EXPECT_EQ(now.width, 640);
    EXPECT_EQ(now.height, 360);
    press("Escape");
    press("Up"); // "Quit", the last entry
    press("Return");
    EXPECT_EQ(finish(), 0);
}

TEST_F(GameTest, FullScreenKeepsItsTitleAndTakesTheModeItIsGiven)
{
    // 640 x 360 is not a video mode of this screen: the game gets the only
    // mode there is and fits its view to that.
    writeConfig(smallConfig({ { "Fullscreen", "1" } }));
    launch();
    ASSERT_TRUE(waitForMenu());
    EXPECT_EQ(area.width, 1280);
    EXPECT_EQ(area.height, 720);
    ASSERT_TRUE(startPlaying());
    EXPECT_NE(out().find("Width: 1280 Height: 720\n"), std::string::npos);
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(screen.windowName(window), "Mossgrave");

    // Back to a window from Options: it never stood anywhere, so it opens in the
    // middle of the screen, at its own size.
    press("Escape");
    press("Down");
    press("Down");
    press("Return"); // "Options", after "Resume" and "Start Game"
    for (int row = 0; row < 5; ++row)
        press("Down"); // "Fullscreen"
    press("Left");
    press("Escape");
    EXPECT_TRUE(waitUntil([&] { return screen.geometry(window, area) && area.width == 640; }, 15s));
    EXPECT_EQ(area.height, 360);
    EXPECT_EQ(area.x, 320);
    EXPECT_EQ(area.y, 180);
    press("Down"); // "Quit", after "Options"
    press("Return");
    EXPECT_EQ(finish(), 0) << err();
}

TEST_F(GameTest, WindowThatCannotBeOpenedEndsWithMinusOne)
{
    writeConfig(smallConfig({ { "Width", "0" } }));
    launch();
    EXPECT_EQ(finish(), 255);
    EXPECT_NE(err().find("Failed to open Window!\n"), std::string::npos);
    EXPECT_EQ(out().find("Shader-Loader"), std::string::npos);
}

TEST_F(GameTest, StartGameShowsTheLoadingScreenWhereEscapeQuits)
{
    // Twenty-five chunks on one worker load for long enough to watch the loading screen
    // and quit it, even in the optimised build.
    writeConfig(smallConfig({ { "Chunk_View_Distance", "2" }, { "Threads", "1" } }));
    launch();
    ASSERT_TRUE(waitForMenu());
    press("Return");
    // The loading picture with one of the messages on the loading bar.
    std::string message;
    EXPECT_TRUE(waitUntil(
        [&] {
            const Picture picture = shot("loading");
            message = loadingMessageOn(picture);
            return backdropOf(picture) == Backdrop::Loading && !message.empty();
        },
        20s, 50ms));
    press("Escape");
    EXPECT_EQ(finish(60s), 0);
    EXPECT_EQ(lastOutputLine(), "Terminated!");
    EXPECT_EQ(out().find("Width: 640 Height: 360"), std::string::npos); // it never finished loading
}

TEST_F(GameTest, EscapePausesAndResumes)
{
    writeConfig(smallConfig());
    launch();
    ASSERT_TRUE(waitForMenu());
    ASSERT_TRUE(startPlaying());

    auto pauseMenuShown = [&] { return pixels::greenShare(shot("pause"), pauseMenuRow(0)) > 0.01; };
    press("Escape");
    EXPECT_TRUE(waitUntil(pauseMenuShown, 15s));
    EXPECT_GT(pixels::redShare(shot("pause"), pauseMenuRow(3)), 0.01); // "Quit" below "Options"
    press("Escape");
    EXPECT_TRUE(waitUntil([&] { return !pauseMenuShown(); }, 15s));
    press("Escape");
    EXPECT_TRUE(waitUntil(pauseMenuShown, 15s));
    press("Up"); // "Quit", the last entry
    press("Return");
    EXPECT_EQ(finish(), 0);
    EXPECT_EQ(lastOutputLine(), "Terminated!");
}

TEST_F(GameTest, MissingModelTextureEndsTheGame)
{
    writeConfig(smallConfig());
    removeData("textures/cage.png");
    launch();
    EXPECT_EQ(finish(), 1);
    EXPECT_NE(out().find("Texture Loader: Loading Texture 7 textures/player.png\n"), std::string::npos);
    EXPECT_NE(
        out().find("Texture Loader: Loading Texture Failed 8 textures/cage.png !\n"), std::string::npos);
    EXPECT_EQ(out().find("Texture Loader: Loading Texture 9"), std::string::npos);
    EXPECT_EQ(out().find("Terminated!"), std::string::npos);
}

TEST_F(GameTest, ShaderFileWithMarkersOutOfOrderIsReportedAndTheGameGoesOn)
{
    writeConfig(smallConfig());
    replaceData("shader/color.glsl", "##vertex\n##start\nvoid main() {}\n##end\n");
    launch();
    ASSERT_TRUE(waitForMenu());
    EXPECT_NE(err().find("Shader-Loader: Error  in line 1\n"), std::string::npos);
    press("Escape");
    EXPECT_EQ(finish(), 0);
}

} // namespace
