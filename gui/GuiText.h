#pragma once

#include <cstdint>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <string>
#include <vector>

// GUI text is drawn on the CPU with cairo into a 32-bit ARGB image surface
// and later uploaded as the texture of a screen quad. Nothing here needs a
// window.

// The pixels of one rendered surface: premultiplied B, G, R, A bytes (cairo's
// ARGB32 in little-endian memory), rows top to bottom, no padding.
struct TextImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    bool empty() const { return width <= 0 || height <= 0; }
    // Channel c (0 blue, 1 green, 2 red, 3 alpha) of pixel (x, y), y from the top.
    uint8_t at(int x, int y, int c) const
    {
        return pixels[(size_t(y) * size_t(width) + size_t(x)) * 4 + size_t(c)];
    }
};

// One run of text: font size and pen position (on the baseline) in pixels.
struct TextLine {
    std::string text;
    double size = 0;
    glm::dvec2 pen { 0, 0 };
};

// Surface size, font size, colour and pen of one kind of GUI text. The font
// is always the bold upright "serif" family.
struct TextStyle {
    int width = 0;
    int height = 0;
    double size = 0;
    glm::vec3 colour { 1, 1, 1 };
    glm::dvec2 pen { 0, 0 };
};

namespace textStyle {
inline const TextStyle menuEntry { 720, 36, 30, { 1, 0, 0 }, { 20, 25 } };
inline const TextStyle menuEntryHighlighted { 720, 36, 30, { 0, 1, 0 }, { 20, 25 } };
inline const TextStyle loadingBar { 720, 36, 30, { 1, 0, 0 }, { 20, 25 } };
inline const TextStyle gameOverCaption { 720, 36, 28, { 1, 0.1f, 0.1f }, { 50, 27 } };
inline const TextStyle fpsCounter { 480, 80, 80, { 1, 0, 0 }, { 10, 60 } };
inline const TextStyle debugItem { 1000, 30, 20, { 1, 1, 1 }, { 10, 25 } };
// The item overlay holds two lines: the count large, the name below it.
inline const int itemOverlayWidth = 192;
inline const int itemOverlayHeight = 110;
inline const glm::vec3 itemOverlayColour { 1, 1, 1 };
} // namespace textStyle

// Draws the lines onto a transparent surface of the given size. Returns an
// empty image when cairo cannot make the surface.
TextImage renderTextLines(int width, int height, const glm::vec3& colour, const std::vector<TextLine>& lines);

// One line of text in a style.
TextImage renderText(const std::string& text, const TextStyle& style);

// The held item's count above its name; "-" stands for a missing value.
TextImage renderItemOverlay(const std::string& count, const std::string& name);

// "45.7%": a fraction as a percentage with three significant digits.
std::string percentText(float fraction);
// The loading bar's line: the text, then the percentage when it is shown.
std::string loadingBarText(const std::string& text, float progress, bool showProgress);
// "59.87 fps".
std::string fpsText(float fps);
// "You found 1 Cat!", "You found 3 Cats!".
std::string gameOverCaptionText(int catsFound);
// "Respawn (lose 1 cat)", "Respawn (lose 0 cats)".
std::string respawnEntryText(int catsLost);

// Frees the font caches cairo and fontconfig keep for the whole run. Call
// once at shutdown, after the last text was rendered and the Gui is gone, so
// leak checkers see a clean exit; rendering afterwards starts them afresh.
void releaseTextResources();
