// What the player sees of the world: textured terrain in the flashlight's
// cone at night, the lamp in the hand and lit by itself, the moon and stars
// above, the light switched off with F, and the grey picture of the pause menu.
#include "GameTest.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <thread>

namespace {

class Render : public GameTest {
protected:
    // The middle of the window, where the cone falls, and a corner outside it.
    Area centre() const { return { area.width * 3 / 8, area.height * 3 / 8, area.width / 4, area.height / 4 }; }
    Area corner() const { return { 0, 0, area.width / 6, area.height / 6 }; }
    // Right of the middle at the bottom, where the lamp is held: its lit head and cap
    // lie between 9/16 and 13/16 of the width.
    Area hand() const { return { area.width * 9 / 16, area.height * 5 / 8, area.width / 4, area.height * 3 / 8 }; }
    Area top() const { return { 0, 0, area.width, area.height / 3 }; }

    // Waits (bounded) for a picture that `holds`; the last one taken is kept.
    bool waitForPicture(const std::string& name, const std::function<bool(const Picture&)>& holds,
        std::chrono::milliseconds timeout = 40s)
    {
        return waitUntil(
            [&] {
                last = shot(name);
                return !last.rgb.empty() && holds(last);
            },
            timeout, 500ms);
    }
    Picture last;

    // How many pixels of the area are brighter than `level` (channel mean).
    static int brighter(const Picture& p, const Area& a, float level)
    {
        int n = 0;
        for (int y = a.y; y < a.y + a.height && y < p.height; ++y)
            for (int x = a.x; x < a.x + a.width && x < p.width; ++x)
                n += (p.at(x, y, 0) + p.at(x, y, 1) + p.at(x, y, 2)) / 3.0f > level;
        return n;
    }

    // The numbers after `key` on the game's last --log-player line; empty before the first.
    std::vector<float> lastPlayerValues(const std::string& key) const
    {
        const std::string text = out();
        const size_t line = text.rfind("Player: ");
        const size_t at = line == std::string::npos ? line : text.find(" " + key + " ", line);
        const size_t end = line == std::string::npos ? line : text.find('\n', line);
        std::vector<float> values;
        if (at == std::string::npos || at > end)
            return values;
        std::istringstream fields(text.substr(at + key.size() + 2, end - at - key.size() - 2));
        for (float v; fields >> v;)
            values.push_back(v);
        return values;
    }
};

TEST_F(Render, TheFlashlightLightsTexturedTerrainAndFSwitchesItOff)
{
    writeConfig(smallConfig({ { "Chunk_View_Distance", "1" } }));
    launch();
    ASSERT_TRUE(waitForMenu());
    ASSERT_TRUE(startPlaying());
    // Looking ahead, the lamp shows in the hand, lit by itself: bright pixels where it is
    // held, far above the night in the corner (black sky, or the fog's blue where terrain
    // stands there, depending on where the player looks).
    EXPECT_TRUE(waitForPicture(
        "ahead",
        [&](const Picture& p) {
            return brighter(p, hand(), 0.5f) > 200 && pixels::mean(p, hand()) > 5.0 * pixels::mean(p, corner());
        }))
        << "hand " << brighter(last, hand(), 0.5f) << " bright pixels, mean " << pixels::mean(last, hand())
        << " against the corner's " << pixels::mean(last, corner());
    // Look down at the ground in front.
    screen.moveMouseBy(0, 120);

    // Lit, textured ground in the middle; the night around it.
    ASSERT_TRUE(waitForPicture("lit", [&](const Picture& p) {
        return pixels::mean(p, centre()) > 0.08 && pixels::mean(p, centre()) > 3.0 * pixels::mean(p, corner());
    })) << "centre " << pixels::mean(last, centre()) << " corner " << pixels::mean(last, corner());
    const Picture lit = last;
    EXPECT_GT(pixels::contrast(lit, centre()), 0.01) << "the terrain is textured, not flat";
    EXPECT_GT(pixels::saturation(lit, centre()), 0.03) << "the ground has colour";

    press("f");
    ASSERT_TRUE(waitForPicture(
        "off", [&](const Picture& p) { return pixels::mean(p, centre()) < 0.4 * pixels::mean(lit, centre()); }))
        << "switched off, the centre stays at " << pixels::mean(last, centre());
    press("f");
    ASSERT_TRUE(waitForPicture(
        "on", [&](const Picture& p) { return pixels::mean(p, centre()) > 0.7 * pixels::mean(lit, centre()); }));

    // Paused, the world behind the menu turns grey.
    press("Escape");
    ASSERT_TRUE(waitForPicture("paused", [&](const Picture& p) {
        return pixels::saturation(p, centre()) < 0.3 * pixels::saturation(lit, centre());
    })) << "saturation " << pixels::saturation(last, centre()) << " against " << pixels::saturation(lit, centre());
    press("Up"); // "Quit", the last entry
    press("Return");
    EXPECT_EQ(finish(), 0) << err();
}

TEST_F(Render, TheNightSkyShowsTheMoonAndStars)
{
    writeConfig(smallConfig({ { "Chunk_View_Distance", "1" } }));
    // In the open desert, where nothing stands between him and the sky.
    launch({ "--log-player", "--start-at", "-32", "416" });
    ASSERT_TRUE(waitForMenu());
    ASSERT_TRUE(startPlaying());
    // The moon stands 150 units east of him and 230 up: turn to face it, reading where he
    // looks from his log lines (the mouse turns him 0.2 degrees a pixel; the first motion
    // after a menu also carries where the pointer went meanwhile, so it is only a start).
    const float moonYaw = -90.0f, moonPitch = float(std::atan2(230.0, 150.0) * 180.0 / 3.14159265);
    ASSERT_TRUE(screen.moveMouseBy(1, 0));
    const bool facing = waitUntil(
        [&] {
            const std::vector<float> yaw = lastPlayerValues("yaw"), pitch = lastPlayerValues("pitch");
            if (yaw.empty() || pitch.empty())
                return false;
            const float turn = std::remainder(moonYaw - yaw[0], 360.0f), rise = moonPitch - pitch[0];
            if (std::fabs(turn) < 3.0f && std::fabs(rise) < 3.0f)
                return true;
            // At most 30 degrees a move: a larger one may turn him over, and is refused.
            screen.moveMouseBy(int(-std::clamp(turn, -30.0f, 30.0f) / 0.2f), int(-std::clamp(rise, -30.0f, 30.0f) / 0.2f));
            return false;
        },
        60s, 1s);
    ASSERT_TRUE(facing) << "yaw " << lastPlayerValues("yaw")[0] << " pitch " << lastPlayerValues("pitch")[0];

    // The moon in the middle of the picture, a disk of bright pixels, and stars as points
    // of light in the dark above it, once the reveal has opened over them.
    const Area middle { area.width / 2 - 40, area.height / 2 - 40, 80, 80 };
    EXPECT_TRUE(waitForPicture("sky", [&](const Picture& p) {
        return brighter(p, middle, 0.35f) > 50 && brighter(p, top(), 0.15f) > 3 && pixels::mean(p, top()) < 0.05;
    })) << "moon " << brighter(last, middle, 0.35f) << ", stars " << brighter(last, top(), 0.15f) << " bright pixels";
    press("Escape");
    press("Up"); // "Quit", the last entry
    press("Return");
    EXPECT_EQ(finish(), 0) << err();
}

} // namespace
