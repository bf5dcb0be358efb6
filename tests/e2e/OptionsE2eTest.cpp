// The Options screen played for real: settings changed from the main menu
// are written into config.txt as the smallest edit and read back at the next
// start; graphics settings changed from the pause menu take effect in play.
#include "GameTest.h"

#include "app/Config.h"

#include <fstream>
#include <thread>

namespace {

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void replaceOnce(std::string& text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

size_t count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

} // namespace

TEST_F(GameTest, OptionsApplyAtOnceAndAreKeptInConfigTxtAsTheSmallestEdit)
{
    // A file edited by hand: a comment, a Windows line end, no final line feed.
    std::string config = "# mine\r\n" + smallConfig();
    config.pop_back();
    writeConfig(config);
    const std::filesystem::path file = folder() / "config.txt";
    launch();
    ASSERT_TRUE(waitForMenu());

    auto optionsRow = [&](int row) { return guiArea(0.0f, 0.42f - 0.08f * float(row), 0.6f, 0.075f); };
    auto optionsShown = [&] {
        return waitUntil([&] { return pixels::greenShare(shot("options"), optionsRow(0)) > 0.01; }, 15s);
    };
    auto menuOnOptions = [&] {
        return waitUntil([&] { return pixels::greenShare(shot("menu"), mainMenuRow(1)) > 0.01; }, 15s);
    };

    press("Down");
    press("Return");
    ASSERT_TRUE(optionsShown());
    press("Right"); // View Distance 0 -> 1
    press("Down");
    press("Down");
    press("Left"); // Volume 10 -> 9
    press("Escape");
    std::string expected = config;
    replaceOnce(expected, "Chunk_View_Distance=0", "Chunk_View_Distance=1");
    replaceOnce(expected, "Volume=10", "Volume=9");
    EXPECT_TRUE(waitUntil([&] { return readFile(file) == expected; }, 15s)) << readFile(file);
    EXPECT_FALSE(std::filesystem::exists(folder() / "config.txt.tmp"));
    ASSERT_TRUE(menuOnOptions());
    press("Down");
    press("Return"); // "Quit"
    ASSERT_EQ(finish(), 0) << err();

    // The next start reads them as if typed.
    launch();
    ASSERT_TRUE(waitForMenu());
    EXPECT_NE(out().find("Key Chunk_View_Distance found. Value=1\n"), std::string::npos);
    EXPECT_NE(out().find("Key Volume found. Value=9\n"), std::string::npos);

    // Back to one chunk before the first game: "Start Game" builds the world anew.
    press("Down");
    press("Return");
    ASSERT_TRUE(optionsShown());
    press("Left");
    press("Escape");
    ASSERT_TRUE(menuOnOptions());
    press("Up");
    ASSERT_TRUE(startPlaying());
    EXPECT_EQ(count(out(), "Waiting for world to be loaded!"), 2u);

    // From the pause menu: fewer samples and the full screen, then play on.
    const size_t rebuildsBefore = count(out(), "Shadowmap size: ");
    press("Escape");
    press("Down");
    press("Down");
    press("Return"); // "Options", after "Resume" and "Start Game"
    ASSERT_TRUE(optionsShown());
    for (int row = 0; row < 7; ++row)
        press("Down"); // "Anti-Aliasing"
    press("Left"); // 4 -> 2
    press("Up");
    press("Up"); // "Fullscreen"
    press("Right");
    press("Escape");
    press("Escape");
    EXPECT_TRUE(waitForOutput("Width: 1280 Height: 720\n"));
    // Both changes rebuild the framebuffers. The shadow map follows the scene,
    // which a software renderer draws at the automatic scale within 640 x 360.
    EXPECT_TRUE(waitUntil([&] { return count(out(), "Shadowmap size: ") >= rebuildsBefore + 2; }, 20s));
    const std::string log = out();
    EXPECT_EQ(log.substr(log.rfind("Shadowmap size: "), 26), "Shadowmap size: 640 x 360\n");
    ASSERT_TRUE(screen.geometry(window, area));
    EXPECT_EQ(area.width, 1280);
    // Frames of the whole new size, back in play: the item panel in its
    // corner of the full screen, the Options rows gone.
    const Area itemPanel = guiArea(-0.35f, -0.42f, 0.099f, 0.11f);
    EXPECT_TRUE(waitUntil(
        [&] {
            const Picture picture = shot("fullscreen");
            return pixels::mean(picture, itemPanel) > 0.05 && pixels::redShare(picture, optionsRow(9)) < 0.002;
        },
        30s));
    ASSERT_TRUE(screen.keyDown("w"));
    std::this_thread::sleep_for(1500ms);
    ASSERT_TRUE(screen.keyUp("w"));
    // The window closed while Options is up: what was changed there is kept.
    press("Escape"); // the pause menu opens on "Resume"
    press("Down");
    press("Down");
    press("Return");
    ASSERT_TRUE(optionsShown());
    press("Down");
    press("Down");
    press("Left"); // Volume 9 -> 8
    ASSERT_TRUE(screen.closeWindow(window));
    EXPECT_EQ(finish(), 0) << err();
    EXPECT_EQ(err().find("GL error"), std::string::npos) << err();
    EXPECT_EQ(err().find("Framebuffer error!"), std::string::npos);
    const std::string saved = readFile(file);
    EXPECT_NE(saved.find("Volume=8"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Anti-Aliasing_Factor=2\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Fullscreen=1\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Chunk_View_Distance=0\n"), std::string::npos) << saved;
}

namespace {

// "x y z" and "cats N" of the last "Player:" line: where he stands and what he found.
std::string lastPlayerState(const std::string& log)
{
    const size_t at = log.rfind("Player: ");
    if (at == std::string::npos)
        return "";
    const std::string line = log.substr(at, log.find('\n', at) - at);
    const size_t speed = line.find(" speed ");
    const size_t cats = line.find(" cats ");
    if (speed == std::string::npos || cats == std::string::npos)
        return "";
    return line.substr(8, speed - 8) + line.substr(cats, line.find(' ', cats + 6) - cats);
}

} // namespace

TEST_F(GameTest, PauseProtectsTheRunAndBrightnessAndScreenshotsWorkInPlay)
{
    const std::string config = smallConfig();
    writeConfig(config);
    const std::filesystem::path file = folder() / "config.txt";
    launch({ "--log-player" });
    ASSERT_TRUE(waitForMenu());
    ASSERT_TRUE(startPlaying());
    const Area pauseRow = pauseMenuRow(0);
    auto pausedOnResume = [&] { return pixels::greenShare(shot("pause"), pauseRow) > 0.01; };

    // Standing still on the ground: the same state line twice in a row.
    std::string before;
    ASSERT_TRUE(waitUntil(
        [&] {
            const std::string now = lastPlayerState(out());
            const bool settled = !now.empty() && now == before;
            before = now;
            return settled;
        },
        30s, 600ms))
        << before;
    const Picture lit = shot("lit");
    const Area world = guiArea(0.25f, -0.3f, 0.4f, 0.3f); // below the menu, clear of the item panel
    const size_t worldsBefore = count(out(), "Waiting for world to be loaded!");

    // Escape and then Space by habit: the same world goes on.
    press("Escape");
    ASSERT_TRUE(waitUntil(pausedOnResume, 15s));
    press("space");
    ASSERT_TRUE(waitUntil([&] { return !pausedOnResume(); }, 15s));
    const size_t linesBefore = count(out(), "Player: ");
    ASSERT_TRUE(waitUntil([&] { return count(out(), "Player: ") >= linesBefore + 2; }, 15s));
    EXPECT_EQ(lastPlayerState(out()), before);
    EXPECT_EQ(count(out(), "Waiting for world to be loaded!"), worldsBefore);

    // Another window takes the focus: the grey pause menu, and no step while away.
    GameProcess thief;
    const std::filesystem::path thiefFolder = folder() / "thief";
    std::filesystem::create_directories(thiefFolder);
    ASSERT_TRUE(thief.start("/usr/bin/xmessage", thiefFolder, { "DISPLAY=" + xvfb.display() },
        { "-name", "focus-thief", "-geometry", "200x80+700+500", "Somebody at the door" }));
    std::string thiefWindow;
    ASSERT_TRUE(waitUntil([&] { return !(thiefWindow = screen.findWindow("^(focus-thief|xmessage)$")).empty(); }, 15s));
    ASSERT_TRUE(screen.focus(thiefWindow));
    EXPECT_TRUE(waitUntil(
        [&] {
            const Picture picture = shot("away");
            return pixels::greenShare(picture, pauseRow) > 0.01
                && pixels::saturation(picture, world) < 0.5 * pixels::saturation(lit, world) + 0.002;
        },
        15s))
        << "saturation " << pixels::saturation(shot("away"), world) << " against " << pixels::saturation(lit, world);
    const size_t linesAway = count(out(), "Player: ");
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(count(out(), "Player: "), linesAway) << "the world was stepped while paused";
    thief.stop();
    ASSERT_TRUE(screen.focus(window));

    // Brightness 150 from the pause menu's Options lifts the same view.
    press("Down");
    press("Down");
    press("Return"); // "Options"
    for (int row = 0; row < 10; ++row)
        press("Down"); // "Brightness", scrolled into view
    for (int step = 0; step < 5; ++step)
        press("Right");
    press("Escape");
    press("Escape");
    ASSERT_TRUE(waitUntil([&] { return !pausedOnResume(); }, 15s));
    double brighter = 0.0;
    EXPECT_TRUE(waitUntil(
        [&] {
            brighter = pixels::mean(shot("bright"));
            return brighter > 1.2 * pixels::mean(lit) + 0.01;
        },
        15s))
        << brighter << " against " << pixels::mean(lit);
    EXPECT_EQ(lastPlayerState(out()), before);

    // F2: a PNG of the window's size in screenshots/, named on standard output.
    press("F2");
    ASSERT_TRUE(waitForOutput("Screenshot saved: screenshots/mossgrave-"));
    const std::string log = out();
    const size_t named = log.find("Screenshot saved: ") + 18;
    const std::string path = log.substr(named, log.find('\n', named) - named);
    EXPECT_EQ(path.size(), std::string("screenshots/mossgrave-20261209-184000.png").size()) << path;
    const Picture saved = pixels::load(folder() / path);
    EXPECT_EQ(saved.width, area.width);
    EXPECT_EQ(saved.height, area.height);
    EXPECT_GT(pixels::mean(saved), 0.01);

    // config.txt holds what changed and nothing else: the new key, appended with its comment.
    EXPECT_EQ(readFile(file), config + configLine("Brightness", "150", settingComment("Brightness")));
    press("Escape");
    press("Up"); // "Quit", the last entry
    press("Return");
    EXPECT_EQ(finish(), 0) << err();
}
