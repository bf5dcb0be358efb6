#pragma once

// Seeing and playing the game the way a person does: the window found by its
// title, keys and the mouse through xdotool, screenshots of the screen through
// ImageMagick's import, and pixel statistics of those screenshots.

#include <filesystem>
#include <string>
#include <vector>

struct Area {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class Screen {
public:
    explicit Screen(std::string display = "")
        : display(std::move(display))
    {
    }
    void setDisplay(const std::string& name) { display = name; }

    // The first window whose title matches `pattern`; empty when there is none.
    std::string findWindow(const std::string& pattern) const;
    std::string windowName(const std::string& window) const;
    // Position and size of the window on the screen; false when it is gone.
    bool geometry(const std::string& window, Area& area) const;
    bool focus(const std::string& window) const;
    // Asks the window to close as a window manager's close button does
    // (WM_DELETE_WINDOW); xdotool can only destroy it.
    bool closeWindow(const std::string& window) const;
    // xdotool key names: "Return", "Down", "Escape", "F12", "w".
    bool key(const std::string& name) const;
    bool keyDown(const std::string& name) const;
    bool keyUp(const std::string& name) const;
    bool moveMouseBy(int dx, int dy) const;
    bool click(int button) const;
    // A button held between the two: a click that lasts as long as a person's,
    // so a game reading its buttons once a frame surely sees it.
    bool mouseDown(int button) const;
    bool mouseUp(int button) const;
    // Saves the part of the screen inside `area` as a PNG file.
    bool shoot(const std::filesystem::path& png, const Area& area) const;

private:
    bool xdotool(const std::vector<std::string>& args, std::string* out = nullptr) const;
    std::string display;
};

// Sends WM_DELETE_WINDOW to the X window with that id on the display (in a file of
// its own: Xlib's names clash with this one's).
bool sendCloseRequest(const std::string& display, unsigned long window);

// A decoded screenshot or picture: 8-bit RGB, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    bool empty() const { return rgb.empty(); }
    // Channel c (0 red, 1 green, 2 blue) of pixel (x, y) as a fraction.
    float at(int x, int y, int c) const
    {
        return rgb[(size_t(y) * size_t(width) + size_t(x)) * 3 + size_t(c)] / 255.0f;
    }
};

// Pixel statistics, all as fractions from 0 to 1.
namespace pixels {

// Reads a PNG file; empty when it cannot be read.
Picture load(const std::filesystem::path& png);
// Mean brightness of the area (the whole picture when the area is empty).
double mean(const Picture& picture, const Area& area = {});
// Share of pixels in the area that are clearly red (GUI text) or green (the
// selected menu entry).
double redShare(const Picture& picture, const Area& area);
double greenShare(const Picture& picture, const Area& area);
// Mean absolute difference of two pictures sampled on a grid over both, so
// their sizes may differ (a texture against the window showing it stretched).
double difference(const Picture& a, const Picture& b);
// Mean colourfulness of the area: max minus min channel per pixel (0 for grey).
double saturation(const Picture& picture, const Area& area = {});
// Standard deviation of brightness over the area: 0 for a flat picture.
double contrast(const Picture& picture, const Area& area = {});

} // namespace pixels
