// The player is steered through the real window: W walks (the view changes
// and he moves), Space jumps, Left Shift runs until his stamina is spent.
// --log-player makes the game print where he is four times a second of play.
#include "GameTest.h"

#include <cmath>
#include <sstream>
#include <thread>
#include <vector>

namespace {

struct PlayerLine {
    float x = 0, y = 0, z = 0, speed = 0, stamina = 0;
    int squareX = 0, squareZ = 0; // the chunk the loaded square is centred on
};

std::vector<PlayerLine> playerLines(const std::string& out)
{
    std::vector<PlayerLine> lines;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("Player: ", 0) != 0)
            continue;
        PlayerLine p;
        std::string speedWord, staminaWord;
        std::istringstream fields(line.substr(8));
        if (!(fields >> p.x >> p.y >> p.z >> speedWord >> p.speed >> staminaWord >> p.stamina))
            continue;
        if (const size_t at = line.find(" square "); at != std::string::npos)
            std::istringstream(line.substr(at + 8)) >> p.squareX >> p.squareZ;
        lines.push_back(p);
    }
    return lines;
}

float horizontal(const PlayerLine& a, const PlayerLine& b) { return std::hypot(a.x - b.x, a.z - b.z); }

class MovementTest : public GameTest {
protected:
    // Lines printed so far; waits until at least `count` have been.
    std::vector<PlayerLine> linesAtLeast(size_t count)
    {
        waitUntil([&] { return playerLines(out()).size() >= count; }, 30s);
        return playerLines(out());
    }
    // Waits for the game to report a few more lines, so what was pressed has been read.
    std::vector<PlayerLine> settle(size_t more = 6)
    {
        return linesAtLeast(playerLines(out()).size() + more);
    }
};

} // namespace

TEST_F(MovementTest, WalkingJumpingAndRunningMoveThePlayer)
{
    writeConfig(smallConfig({ { "Ambient_Sounds", "0" } }));
    // The middle of the one chunk the small settings load: room to walk every way.
    launch({ "--log-player", "--start-at", "32", "32" });
    ASSERT_TRUE(waitForMenu());
    ASSERT_TRUE(startPlaying());
    std::this_thread::sleep_for(2s);
    std::vector<PlayerLine> lines = settle(8); // landed and standing
    ASSERT_FALSE(lines.empty()) << "no Player lines on standard output";
    const PlayerLine standing = lines.back();
    EXPECT_NEAR(standing.x, 32.0f, 1.0f);
    EXPECT_NEAR(standing.z, 32.0f, 1.0f);
    EXPECT_LT(standing.speed, 0.05f) << "standing still";
    const Picture before = shot("before-walk");

    // Walking: the view changes and he covers ground at walking pace.
    ASSERT_TRUE(screen.keyDown("w"));
    std::this_thread::sleep_for(3s);
    lines = settle(8);
    ASSERT_TRUE(screen.keyUp("w"));
    const Picture walked = shot("after-walk");
    const PlayerLine walking = lines.back();
    EXPECT_GT(horizontal(walking, standing), 2.0f) << "W moved him";
    EXPECT_GT(walking.speed, 1.0f);
    EXPECT_GT(pixels::difference(before, walked), 0.01) << "the view changed";
    lines = settle(8);
    const PlayerLine stopped = lines.back();
    EXPECT_LT(stopped.speed, 0.2f) << "he stops when W is let go";

    // Jumping: with Space held he rises above the ground he stands on.
    const size_t jumpFrom = lines.size();
    ASSERT_TRUE(screen.keyDown("space"));
    std::this_thread::sleep_for(1s);
    lines = settle(8);
    ASSERT_TRUE(screen.keyUp("space"));
    float highest = -1e9f;
    for (size_t i = jumpFrom; i < lines.size(); ++i)
        highest = std::max(highest, lines[i].y);
    EXPECT_GT(highest, stopped.y + 0.3f) << "Space jumped";
    lines = settle(12); // lands again

    // Running: faster than walking while stamina lasts, which falls to nothing
    // within about six seconds; then he is back to walking pace for a while.
    const size_t runFrom = lines.size();
    ASSERT_TRUE(screen.keyDown("Shift_L"));
    ASSERT_TRUE(screen.keyDown("w"));
    std::this_thread::sleep_for(4s);
    lines = linesAtLeast(runFrom + 30); // 7.5 s of play
    ASSERT_TRUE(screen.keyUp("w"));
    ASSERT_TRUE(screen.keyUp("Shift_L"));
    float fastest = 0, lowestStamina = 1;
    size_t exhaustedAt = 0;
    for (size_t i = runFrom; i < lines.size(); ++i) {
        fastest = std::max(fastest, lines[i].speed);
        if (lines[i].stamina < lowestStamina) {
            lowestStamina = lines[i].stamina;
            exhaustedAt = i;
        }
    }
    EXPECT_GT(fastest, walking.speed * 1.2f) << "Shift ran faster than walking (" << walking.speed << ")";
    EXPECT_LT(lowestStamina, 0.05f) << "running spent the stamina";
    // A second after the stamina ran out he walks, though Shift is still held.
    if (exhaustedAt + 5 < lines.size()) {
        EXPECT_LT(lines[exhaustedAt + 5].speed, fastest * 0.9f) << "slowed once exhausted";
    }

    press("Escape");
    press("Up"); // "Quit", the last entry
    press("Return");
    EXPECT_EQ(finish(), 0);
}

// From 262144 units out a float corner pulled in by a hundredth of a unit rounds back
// onto the next chunk. Chunk 4101 begins at x = 262464: walking east over that border,
// the loaded square must follow, and he walks on on the ground it brings.
TEST_F(MovementTest, FarOutTheLoadedSquareFollowsThePlayerOverAChunkBorder)
{
    writeConfig(smallConfig({ { "Ambient_Sounds", "0" }, { "Chunk_View_Distance", "1" } }));
    launch({ "--log-player", "--start-at", "262458", "32", "--look-at", "263000", "32" });
    ASSERT_TRUE(waitForMenu());
    ASSERT_TRUE(startPlaying());
    std::vector<PlayerLine> lines = linesAtLeast(4);
    ASSERT_FALSE(lines.empty()) << "no Player lines on standard output";
    EXPECT_EQ(lines.back().squareX, 4100);
    EXPECT_EQ(lines.back().squareZ, 0);

    ASSERT_TRUE(screen.keyDown("w"));
    const bool followed = waitUntil(
        [&] {
            lines = playerLines(out());
            return !lines.empty() && lines.back().squareX == 4101;
        },
        60s);
    ASSERT_TRUE(screen.keyUp("w"));
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(followed) << "at x " << lines.back().x << " the square stayed on chunk " << lines.back().squareX;
    EXPECT_GE(lines.back().x, 262464.0f) << "the border is where chunk 4101 begins";
    lines = settle(8);
    EXPECT_GT(lines.back().y, 1.0f) << "he stands on the ground, not on the world floor or below it";
    EXPECT_EQ(lines.back().squareX, 4101);

    press("Escape");
    press("Up"); // "Quit", the last entry
    press("Return");
    EXPECT_EQ(finish(), 0) << err();
}
