// What the player sees of the world: textured terrain in the flashlight's
// cone at night, the lamp in the hand and lit by itself, the moon and stars
// above, the light switched off with F, and the grey picture of the pause menu.
#include "GameTest.h"

#include <thread>

namespace {

class Render : public GameTest {
protected:
    // The middle of the window, where the cone falls, and a corner outside it.
    Area centre() const { return { area.width * 3 / 8, area.height * 3 / 8, area.width / 4, area.height / 4 }; }
    Area corner() const { return { 0, 0, area.width / 6, area.height / 6 }; }
    // The lower right, where the lamp is held.
    Area hand() const { return { area.width * 3 / 4, area.height * 5 / 8, area.width / 4, area.height * 3 / 8 }; }
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
};

TEST_F(Render, TheFlashlightLightsTexturedTerrainAndFSwitchesItOff)
{
    writeConfig(smallConfig({ { "Chunk_View_Distance", "1" } }));
    launch();
    ASSERT_TRUE(waitForMenu());
    ASSERT_TRUE(startPlaying());
    // Looking ahead, the lamp shows in the hand at the lower right.
    EXPECT_TRUE(waitForPicture(
        "ahead",
        [&](const Picture& p) {
            return pixels::mean(p, hand()) > 0.005 && pixels::mean(p, hand()) > 5.0 * pixels::mean(p, corner());
        }))
        << "hand " << pixels::mean(last, hand()) << " corner " << pixels::mean(last, corner());
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
    launch();
    ASSERT_TRUE(waitForMenu());
    ASSERT_TRUE(startPlaying());
    const Picture ahead = shot("ahead");
    // Look up and turn until the moon comes into view; the stars show anywhere above.
    screen.moveMouseBy(0, -400);
    bool moon = false;
    for (int turn = 0; turn < 12 && !moon; ++turn) {
        moon = waitForPicture(
            "sky", [&](const Picture& p) { return pixels::mean(p, top()) > pixels::mean(ahead, top()) + 0.004; },
            6s);
        if (!moon)
            screen.moveMouseBy(150, 0);
    }
    EXPECT_TRUE(moon) << "nothing bright above: " << pixels::mean(last, top());
    // Bright points in the dark sky: the brightest pixels stand far above the mean.
    int bright = 0;
    for (int y = 0; y < last.height / 3; ++y)
        for (int x = 0; x < last.width; ++x)
            bright += (last.at(x, y, 0) + last.at(x, y, 1) + last.at(x, y, 2)) / 3.0f > 0.35f;
    EXPECT_GT(bright, 3) << "no moon or star shows";
    press("Escape");
    press("Up"); // "Quit", the last entry
    press("Return");
    EXPECT_EQ(finish(), 0) << err();
}

} // namespace
