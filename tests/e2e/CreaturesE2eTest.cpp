// The cats and Death in a scripted game: the player frees a cat from a cage
// put in front of him, the cat follows him, Death comes for him (sooner than
// in a real game, with --death-after) and catches him, and the game-over menu
// appears. --log-player tells what the picture cannot: the cat count, the
// distance to the nearest cat and Death's rage. Respawning from the game-over
// menu puts him back into play without the cat.
#include "GameTest.h"

#include "app/DevOptions.h"

#include <algorithm>
#include <glm/vec3.hpp>
#include <cmath>
#include <sstream>
#include <thread>

namespace {

struct CreatureLine {
    float x = 0, z = 0;
    int cats = 0;
    float catDistance = -1, rage = 0;
    float yaw = 0;
    glm::vec3 death { 0.0f, -100.0f, 0.0f };
    bool deathAround() const { return death.y > -50.0f; }
};

std::vector<CreatureLine> creatureLines(const std::string& out)
{
    std::vector<CreatureLine> lines;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("Player: ", 0) != 0)
            continue;
        std::istringstream fields(line.substr(8));
        CreatureLine c;
        float y, speed, stamina;
        std::string w1, w2, w3, w4, w5, w6, w7;
        if (fields >> c.x >> y >> c.z >> w1 >> speed >> w2 >> stamina >> w3 >> c.cats >> w4 >> c.catDistance >> w5
                >> c.rage >> w6 >> c.yaw >> w7 >> c.death.x >> c.death.y >> c.death.z)
            lines.push_back(c);
    }
    return lines;
}

} // namespace

TEST_F(GameTest, AFreedCatFollowsAndDeathCatchesThePlayer)
{
    // Nine chunks: Death appears 60 units away, beyond the one chunk of the small settings.
    writeConfig(smallConfig({ { "Ambient_Sounds", "0" }, { "Chunk_View_Distance", "1" } }));
    launch({ "--log-player", "--start-at", "32", "32", "--cage", "--death-after", "5" });
    ASSERT_TRUE(waitForMenu());
    ASSERT_TRUE(startPlaying());
    // A second of play: he has landed.
    ASSERT_TRUE(waitUntil([&] { return creatureLines(out()).size() >= 4; }, 60s)) << out();
    std::vector<CreatureLine> lines = creatureLines(out());
    EXPECT_EQ(lines.back().cats, 0);
    EXPECT_LT(lines.back().catDistance, 0.0f) << "no free cat before the cage is opened";

    // The right button opens the cage within reach: one cat more, free beside him.
    ASSERT_TRUE(screen.mouseDown(3));
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(screen.mouseUp(3));
    ASSERT_TRUE(waitUntil([&] { return !creatureLines(out()).empty() && creatureLines(out()).back().cats == 1; }, 30s))
        << out();
    EXPECT_GE(creatureLines(out()).back().catDistance, 0.0f) << "the freed cat is in the world";

    // He walks away backwards; the cat keeps up with him.
    const CreatureLine before = creatureLines(out()).back();
    ASSERT_TRUE(screen.keyDown("s"));
    std::this_thread::sleep_for(2s);
    ASSERT_TRUE(screen.keyUp("s"));
    CreatureLine after;
    const bool caughtUp = waitUntil(
        [&] {
            after = creatureLines(out()).back();
            return after.catDistance >= 0.0f && after.catDistance < 4.0f;
        },
        30s);
    EXPECT_GT(std::hypot(after.x - before.x, after.z - before.z), 1.5f) << "he moved";
    EXPECT_TRUE(caughtUp) << "the cat followed him: " << after.catDistance << " away";

    // Death comes within seconds. Its rage grows while he looks at it, so he
    // keeps turning to face it and walks toward it (the mouse turns him 0.2 degrees a pixel, to the
    // left when it moves left) until it has caught him; the death sequence then
    // ends in the game-over menu.
    bool deathCame = false;
    const bool gameOver = waitUntil(
        [&] {
            if (backdropOf(shot("hunted")) == Backdrop::GameOver)
                return true;
            const auto now = creatureLines(out());
            if (now.empty() || !now.back().deathAround())
                return false;
            deathCame = true;
            const CreatureLine& c = now.back();
            const float want = yawToward(c.death.x - c.x, c.death.z - c.z);
            const float turn = std::remainder(want - c.yaw, 360.0f);
            // At most 30 degrees a move, so the pointer stays on the screen.
            if (std::fabs(turn) > 5.0f)
                screen.moveMouseBy(int(-std::clamp(turn, -30.0f, 30.0f) / 0.2f), 0);
            // Walking toward it brings the catch sooner: near it, rage grows even unseen.
            if (std::fabs(turn) < 20.0f && std::hypot(c.death.x - c.x, c.death.z - c.z) > 12.0f) {
                screen.keyDown("w");
                std::this_thread::sleep_for(700ms);
                screen.keyUp("w");
            }
            return false;
        },
        240s, 2s);
    EXPECT_TRUE(deathCame) << "Death never came";
    EXPECT_TRUE(gameOver) << "no game-over menu";
    float highest = 0;
    for (const auto& line : creatureLines(out()))
        highest = std::max(highest, line.rage);
    // Rage grows by at most 0.8 a second, 0.2 between two log lines, and is reset the
    // moment it reaches 1 and the catch begins: the last line before shows at least 0.8.
    EXPECT_GE(highest, 0.75f) << "he was caught at rage 1";

    // The first entry respawns him without his cat; play goes on.
    const size_t linesBefore = creatureLines(out()).size();
    ASSERT_TRUE(startPlaying()) << "respawned into the world";
    EXPECT_TRUE(waitUntil(
        [&] {
            const auto now = creatureLines(out());
            return now.size() > linesBefore + 4 && now.back().cats == 0;
        },
        60s))
        << "playing again, the cat lost";

    // Quit from the pause menu.
    press("Escape");
    press("Up"); // "Quit", the last entry
    press("Return");
    EXPECT_EQ(finish(), 0);
}
