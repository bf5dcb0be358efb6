// A long scripted play session in a fixed world: walking, running, jumping,
// looking around, switching and using items, activating what is near, the
// flashlight and its beam, pausing and resuming, and starting new games. A
// watchdog fails the run when the game's main thread stops working for 10 s;
// resident memory is sampled every 10 s and must stay within the memory
// setting and, over a long session, stop growing.
//
// The suite plays two minutes; MOSSGRAVE_SESSION_MINUTES=20 plays a soak
// (scripts/play_session.sh).
#include "GameTest.h"

#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <random>
#include <sstream>
#include <thread>

namespace {

double sessionMinutes()
{
    const char* text = std::getenv("MOSSGRAVE_SESSION_MINUTES");
    const double asked = text ? std::atof(text) : 0.0;
    return asked > 0.0 ? asked : 2.0;
}

// CPU seconds the process's main thread has used; negative once it is gone.
double mainThreadSeconds(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(in, text))
        return -1.0;
    // Fields after the command name, which is in parentheses and may hold spaces.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::vector<std::string> f;
    for (std::string word; fields >> word;)
        f.push_back(word);
    if (f.size() < 13)
        return -1.0;
    // utime and stime are fields 14 and 15 of the line, 12 and 13 after the name.
    return double(std::stoll(f[11]) + std::stoll(f[12])) / double(sysconf(_SC_CLK_TCK));
}

double residentMegabytes(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    }
    return -1.0;
}

class PlaySession : public GameTest {
protected:
    // One scripted action, drawn from a fixed sequence.
    void act(std::mt19937& random)
    {
        auto hold = [&](std::vector<std::string> keys, int ms) {
            for (const auto& key : keys)
                EXPECT_TRUE(screen.keyDown(key));
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            for (const auto& key : keys)
                EXPECT_TRUE(screen.keyUp(key));
        };
        switch (random() % 12) {
        case 0:
            hold({ "w" }, 1500);
            break;
        case 1:
            hold({ "Shift_L", "w" }, 2500);
            break;
        case 2:
            hold({ "w", "space" }, 800);
            break;
        case 3:
            for (int i = 0; i < 10; ++i) {
                screen.moveMouseBy(int(random() % 81) - 40, int(random() % 41) - 20);
                std::this_thread::sleep_for(50ms);
            }
            break;
        case 4:
            press(std::to_string(1 + random() % 5)); // switch items
            break;
        case 5:
            // Use the held item (throws what can be thrown); held as long as a
            // person's click, so a slow frame cannot miss it.
            screen.mouseDown(1);
            std::this_thread::sleep_for(250ms);
            screen.mouseUp(1);
            std::this_thread::sleep_for(300ms);
            break;
        case 6:
            screen.mouseDown(3); // activate what is near
            std::this_thread::sleep_for(250ms);
            screen.mouseUp(3);
            break;
        case 7:
            press("f");
            break;
        case 8:
            screen.click(random() % 2 ? 4 : 5); // the beam wider or narrower
            break;
        case 9:
            hold({ random() % 2 ? "a" : "d", "s" }, 700);
            break;
        case 10:
            press("Escape"); // pause ...
            std::this_thread::sleep_for(700ms);
            press("Escape"); // ... and resume
            break;
        default:
            std::this_thread::sleep_for(500ms);
            break;
        }
    }
};

TEST_F(PlaySession, PlaysWithoutCrashHangOrGrowingMemory)
{
    const int maxMemory = 2048;
    writeConfig(smallConfig({ { "Threads", "2" }, { "Chunk_View_Distance", "1" },
        { "Max_Memory(MB)", std::to_string(maxMemory) } }));
    // Items to use, a cage to open in front of him, and a Death that comes every
    // half minute once he has a cat, so the session sees him caught and respawning.
    const std::filesystem::path frameStats = folder() / "frames.txt";
    launch({ "--give", "ball", "1", "--give", "fish", "5", "--give", "potion", "2", "--give", "dynamite", "30",
        "--cage", "--death-after", "30", "--frame-stats", frameStats.string() });
    ASSERT_TRUE(waitForMenu());
    ASSERT_TRUE(startPlaying());
    screen.mouseDown(3); // open the cage
    std::this_thread::sleep_for(250ms);
    screen.mouseUp(3);
    const pid_t pid = game.processId();
    ASSERT_GT(pid, 0);

    const auto start = std::chrono::steady_clock::now();
    const auto length = std::chrono::duration<double>(sessionMinutes() * 60.0);
    std::mt19937 random(20261208);
    std::vector<std::pair<double, double>> memory; // (minutes, MB)
    double lastWork = mainThreadSeconds(pid);
    auto lastProgress = std::chrono::steady_clock::now();
    auto lastSample = start - 10s;
    auto lastLook = start;
    int newGames = 0;
    int respawns = 0;

    while (std::chrono::steady_clock::now() - start < length) {
        ASSERT_FALSE(game.exited()) << "the game ended during play\n" << err();
        // Caught by Death: the game-over menu's first entry respawns him.
        if (std::chrono::steady_clock::now() - lastLook > 5s) {
            lastLook = std::chrono::steady_clock::now();
            if (backdropOf(shot("session")) == Backdrop::GameOver) {
                ++respawns;
                const int fits = viewFits();
                press("Return");
                ASSERT_TRUE(waitForPlaying(fits)) << "respawn " << respawns;
                lastWork = mainThreadSeconds(pid);
                lastProgress = std::chrono::steady_clock::now();
                continue;
            }
        }
        act(random);

        const auto now = std::chrono::steady_clock::now();
        // Watchdog: the main thread draws and steps every frame, so its CPU
        // time grows unless it is stuck in a wait.
        const double work = mainThreadSeconds(pid);
        if (work > lastWork + 0.05) {
            lastWork = work;
            lastProgress = now;
        }
        ASSERT_LT(now - lastProgress, 10s) << "the main thread stopped working";
        ASSERT_FALSE(screen.windowName(window).empty()) << "the window stopped answering";

        if (now - lastSample >= 10s) {
            lastSample = now;
            const double minutes = std::chrono::duration<double>(now - start).count() / 60.0;
            memory.emplace_back(minutes, residentMegabytes(pid));
        }
        // Every few minutes a new game: a fresh world is loaded from the pause menu.
        const double elapsed = std::chrono::duration<double>(now - start).count();
        if (elapsed > 50.0 * (newGames + 1) && elapsed + 40.0 < length.count()) {
            ++newGames;
            press("Escape");
            std::this_thread::sleep_for(500ms);
            press("Down"); // "Start Game", after "Resume"
            ASSERT_TRUE(startPlaying()) << "new game " << newGames;
            lastProgress = std::chrono::steady_clock::now();
        }
    }

    std::ostringstream curve;
    for (const auto& [minutes, mb] : memory)
        curve << std::fixed << std::setprecision(1) << minutes << " min " << mb << " MB\n";
    std::cout << "Resident memory:\n" << curve.str() << "New games: " << newGames << ", respawns: " << respawns
              << "\n"
              << std::flush;
    RecordProperty("memory_curve", curve.str());

    for (const auto& [minutes, mb] : memory)
        EXPECT_LE(mb, double(maxMemory)) << "at " << minutes << " min";
    // Over a long session the last ten minutes grow less than 5 %.
    if (sessionMinutes() >= 15.0 && !memory.empty()) {
        const double end = memory.back().first;
        auto at = [&](double minutes) {
            for (const auto& sample : memory)
                if (sample.first >= minutes)
                    return sample.second;
            return memory.back().second;
        };
        EXPECT_LT(memory.back().second, at(end - 10.0) * 1.05) << curve.str();
    }

    press("Escape");
    std::this_thread::sleep_for(500ms);
    press("Up"); // "Quit", the last entry
    press("Return");
    EXPECT_EQ(finish(), 0) << err();
    EXPECT_EQ(lastOutputLine(), "Terminated!");
    std::ifstream figures(frameStats);
    const std::string report((std::istreambuf_iterator<char>(figures)), std::istreambuf_iterator<char>());
    EXPECT_NE(report.find("frame ms median"), std::string::npos) << "no frame statistics";
    std::cout << "Frame statistics:\n" << report << std::flush;
    RecordProperty("frame_statistics", report);
    EXPECT_EQ(err().find("Sanitizer"), std::string::npos) << err();
    EXPECT_EQ(err().find("runtime error"), std::string::npos) << err();
}

} // namespace
