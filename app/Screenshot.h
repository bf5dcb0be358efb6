#pragma once

#include <ctime>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

struct Game;

// F2's picture of the window, kept in a folder beside config.txt.

// "mossgrave-YYYYMMDD-HHMMSS.png" for the local time `when`.
std::string screenshotFileName(std::time_t when);

// Writes the window's pixels (RGB rows, bottom row first, as OpenGL reads them)
// into `folder`, made when missing, and says "Screenshot saved: <path>" on out.
// A folder or file that cannot be written gets one line on err; false then.
bool saveScreenshot(const std::filesystem::path& folder, int width, int height, const std::vector<unsigned char>& rgb,
    std::time_t when, std::ostream& out, std::ostream& err);

// Reads the finished frame from the back buffer, before it is swapped, and
// saves it into "screenshots/".
void takeScreenshot(Game& game);
