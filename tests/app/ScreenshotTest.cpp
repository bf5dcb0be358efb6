// F2's picture: its name, its file and a folder it cannot be written to.
#include "app/Screenshot.h"

#include "../render/TestFiles.h"
#include "render/PngImage.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(Screenshot, IsNamedByTheLocalDateAndTimeAndKeepsTheTopRowOnTop)
{
    const std::string zone = std::getenv("TZ") ? std::getenv("TZ") : "";
    setenv("TZ", "UTC", 1);
    tzset();
    // 2026-03-04 05:06:07 UTC: every field zero-padded.
    EXPECT_EQ(screenshotFileName(1772600767), "mossgrave-20260304-050607.png");
    EXPECT_EQ(screenshotFileName(1798761599), "mossgrave-20261231-235959.png");

    TempDir dir;
    // Two rows of three pixels as OpenGL reads them: bottom row first.
    const std::vector<unsigned char> rgb = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 200, 201, 202, 203, 204, 205, 206, 207, 208 };
    std::ostringstream out, err;
    ASSERT_TRUE(saveScreenshot(dir.path() / "screenshots", 3, 2, rgb, 1772600767, out, err));
    const std::string path = (dir.path() / "screenshots" / "mossgrave-20260304-050607.png").string();
    EXPECT_EQ(out.str(), "Screenshot saved: " + path + "\n");
    EXPECT_EQ(err.str(), "");
    PngImage image;
    ASSERT_TRUE(decodePng(path, false, image));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.channels, 3);
    EXPECT_EQ(image.pixels[0], 200); // the top row first in the file
    EXPECT_EQ(image.pixels[9], 1);

    if (zone.empty())
        unsetenv("TZ");
    else
        setenv("TZ", zone.c_str(), 1);
    tzset();
}

TEST(Screenshot, AFolderThatCannotBeWrittenGetsOneLineAndNoFile)
{
    TempDir dir;
    dir.write("screenshots", "a file where the folder should be");
    const std::vector<unsigned char> rgb(3 * 2 * 2, 50);
    std::ostringstream out, err;
    EXPECT_FALSE(saveScreenshot(dir.path() / "screenshots", 2, 2, rgb, 0, out, err));
    EXPECT_EQ(out.str(), "");
    const std::string line = err.str();
    EXPECT_EQ(line.find("Screenshot could not be saved to "), 0u) << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
}

} // namespace
