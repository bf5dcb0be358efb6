// Quitting at the moments when the most is in flight: the main menu right
// after start-up (the first chunks generate behind it), the loading screen,
// and play while chunks stream in. Each run must end with exit code 0 and
// "Terminated!", no signal and no sanitizer report. MOSSGRAVE_SHUTDOWN_ROUNDS
// sets the number of quits in all, shared among the three in the suite's
// proportions: the suite runs ten, scripts/shutdown_soak.sh a hundred.
#include "GameTest.h"

#include <algorithm>
#include <cstdlib>
#include <thread>

namespace {

// This moment's share of the quits: `inSuite` of the suite's ten, or the same share of the
// number asked for (at least one each).
int rounds(int inSuite)
{
    const char* text = std::getenv("MOSSGRAVE_SHUTDOWN_ROUNDS");
    const int asked = text ? std::atoi(text) : 0;
    if (asked <= 0)
        return inSuite;
    return std::max(1, (asked * inSuite + 5) / 10);
}

class Shutdown : public GameTest {
protected:
    void expectCleanQuit()
    {
        EXPECT_EQ(finish(), 0) << err();
        EXPECT_EQ(lastOutputLine(), "Terminated!");
        EXPECT_EQ(err().find("Sanitizer"), std::string::npos) << err();
        EXPECT_EQ(err().find("runtime error"), std::string::npos) << err();
    }
};

TEST_F(Shutdown, QuittingTheMainMenuRightAfterStartUp)
{
    // Three workers on a view of two: the most generation runs behind the menu.
    writeConfig(smallConfig({ { "Threads", "3" }, { "Chunk_View_Distance", "2" } }));
    for (int round = 0; round < rounds(5); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        launch();
        ASSERT_TRUE(waitForMenu());
        press("Escape");
        expectCleanQuit();
        if (HasFailure())
            return;
    }
}

TEST_F(Shutdown, QuittingTheLoadingScreen)
{
    writeConfig(smallConfig({ { "Threads", "3" }, { "Chunk_View_Distance", "2" } }));
    for (int round = 0; round < rounds(4); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        launch();
        ASSERT_TRUE(waitForMenu());
        press("Return");
        // Escape at a different moment of the loading each round.
        std::this_thread::sleep_for(std::chrono::milliseconds(150 * (round % 8)));
        press("Escape");
        if (!game.waitExit(10s)) {
            // The world had loaded already: Escape paused it; quit from the menu.
            press("Up"); // "Quit", the last entry
            press("Return");
        }
        expectCleanQuit();
        if (HasFailure())
            return;
    }
}

TEST_F(Shutdown, QuittingWhileChunksStream)
{
    writeConfig(smallConfig({ { "Threads", "3" }, { "Chunk_View_Distance", "1" } }));
    for (int round = 0; round < rounds(1); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        launch();
        ASSERT_TRUE(waitForMenu());
        ASSERT_TRUE(startPlaying());
        // Running forward crosses chunk borders: new chunks are generated,
        // meshed and uploaded, old ones cached, while the game is quit.
        EXPECT_TRUE(screen.keyDown("Shift_L"));
        EXPECT_TRUE(screen.keyDown("w"));
        std::this_thread::sleep_for(std::chrono::milliseconds(1000 + 700 * (round % 5)));
        press("Escape");
        EXPECT_TRUE(screen.keyUp("w"));
        EXPECT_TRUE(screen.keyUp("Shift_L"));
        press("Up"); // "Quit", the last entry
        press("Return");
        expectCleanQuit();
        if (HasFailure())
            return;
    }
}

} // namespace
