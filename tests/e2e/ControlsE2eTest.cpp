// The Controls screen played for real: forward is bound to the Up arrow with
// real key presses, the player walks with it, and the binding is kept in
// config.txt for the next start.
#include "GameTest.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The x and z of the last "Player: x y z ..." line of --log-player, and how many there were.
struct Where {
    float x = 0, z = 0;
    size_t lines = 0;
};

Where lastPlayerLine(const std::string& out)
{
    Where where;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("Player: ", 0) != 0)
            continue;
        float y = 0;
        std::istringstream(line.substr(8)) >> where.x >> y >> where.z;
        ++where.lines;
    }
    return where;
}

class ControlsTest : public GameTest {
protected:
    // Where the player stands once a few more lines have come (what was pressed has been read).
    Where settle()
    {
        const size_t before = lastPlayerLine(out()).lines;
        waitUntil([&] { return lastPlayerLine(out()).lines >= before + 6; }, 30s);
        return lastPlayerLine(out());
    }
    // How far holding the key for two seconds took him.
    float walkWith(const std::string& key)
    {
        const Where from = settle();
        EXPECT_TRUE(screen.keyDown(key)) << key;
        std::this_thread::sleep_for(2s);
        const Where to = settle();
        EXPECT_TRUE(screen.keyUp(key)) << key;
        settle(); // stopped again
        return std::hypot(to.x - from.x, to.z - from.z);
    }
};

} // namespace

TEST_F(ControlsTest, ForwardBoundToUpOnTheControlsScreenWalksAndIsKeptAfterARestart)
{
    const std::string config = smallConfig({ { "Ambient_Sounds", "0" } });
    writeConfig(config);
    launch({ "--log-player", "--start-at", "32", "32" });
    ASSERT_TRUE(waitForMenu());

    auto row = [&](int shown) { return guiArea(0.0f, 0.42f - 0.08f * float(shown), 0.6f, 0.075f); };
    auto selectedOn = [&](int shown) {
        return waitUntil([&] { return pixels::greenShare(shot("controls"), row(shown)) > 0.01; }, 15s);
    };
    press("Down");
    press("Return"); // "Options"
    ASSERT_TRUE(selectedOn(0));
    press("Up"); // wraps to "Back"
    press("Up"); // "Controls", the last but one of the ten rows the list shows
    ASSERT_TRUE(selectedOn(8));
    press("Return");
    ASSERT_TRUE(selectedOn(0)) << "the Controls screen opens on its first row, forward";
    const double onW = pixels::greenShare(shot("forward-on-w"), row(0));
    press("Return"); // waits for a key
    press("Up");
    // The row now names the Up arrow (other text, as many green pixels as it has), and
    // the selection did not move.
    double onUp = 0.0;
    EXPECT_TRUE(waitUntil(
        [&] {
            onUp = pixels::greenShare(shot("forward-on-up"), row(0));
            return onUp > 0.01 && std::abs(onUp - onW) > 0.0005;
        },
        15s))
        << onW << " " << onUp;
    press("Escape"); // back to Options, saved
    EXPECT_TRUE(waitUntil([&] { return fileText(folder() / "config.txt") == config + "Key_Forward=265\n"; }, 15s))
        << fileText(folder() / "config.txt");
    press("Escape"); // the main menu, on "Options"
    press("Up");
    ASSERT_TRUE(startPlaying());
    std::this_thread::sleep_for(2s); // landed
    EXPECT_GT(walkWith("Up"), 2.0f) << "Up walks forward";
    EXPECT_LT(walkWith("w"), 0.5f) << "W is nobody's now";
    ASSERT_TRUE(screen.closeWindow(window));
    ASSERT_EQ(finish(), 0) << err();

    // The next start reads the binding back.
    launch({ "--log-player", "--start-at", "32", "32" });
    ASSERT_TRUE(waitForMenu());
    ASSERT_TRUE(startPlaying());
    std::this_thread::sleep_for(2s);
    EXPECT_GT(walkWith("Up"), 2.0f) << "the binding was kept";
    ASSERT_TRUE(screen.closeWindow(window));
    EXPECT_EQ(finish(), 0) << err();
    EXPECT_EQ(err().find("Key_"), std::string::npos) << err();
    EXPECT_EQ(fileText(folder() / "config.txt"), config + "Key_Forward=265\n");
}
