// F12 shows the debug rows over the world while playing, never over the pause screen.
#include "GameTest.h"

namespace {

// Share of the area's pixels that are near white (the overlay's text).
double whiteShare(const Picture& picture, const Area& area)
{
    int white = 0, total = 0;
    for (int y = area.y; y < area.y + area.height && y < picture.height; ++y) {
        for (int x = area.x; x < area.x + area.width && x < picture.width; ++x) {
            ++total;
            if (picture.at(x, y, 0) > 0.8f && picture.at(x, y, 1) > 0.8f && picture.at(x, y, 2) > 0.8f)
                ++white;
        }
    }
    return total > 0 ? double(white) / double(total) : 0.0;
}

}

TEST_F(GameTest, F12ShowsTheDebugRowsWhilePlaying)
{
    writeConfig(smallConfig());
    launch();
    ASSERT_TRUE(waitForMenu());
    ASSERT_TRUE(startPlaying());

    // The left part of the column of rows, from the first row down to the last.
    const Area rows = guiArea(-0.27f, 0.18f, 0.26f, 0.46f);
    const double before = whiteShare(shot("no-overlay"), rows);
    auto overlayShown = [&] { return whiteShare(shot("overlay"), rows) > before + 0.02; };
    press("F12");
    EXPECT_TRUE(waitUntil(overlayShown, 15s));

    press("Escape"); // paused: the rows are hidden even though switched on
    EXPECT_TRUE(waitUntil([&] { return pixels::greenShare(shot("pause"), pauseMenuRow(0)) > 0.01; }, 15s));
    EXPECT_FALSE(overlayShown());
    press("Escape");
    EXPECT_TRUE(waitUntil(overlayShown, 15s));

    press("F12");
    EXPECT_TRUE(waitUntil([&] { return !overlayShown(); }, 15s));
    press("Escape");
    press("Up"); // "Quit", the last entry
    press("Return");
    EXPECT_EQ(finish(), 0);
}
