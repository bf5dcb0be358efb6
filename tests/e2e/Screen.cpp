#include "Screen.h"

#include "Process.h"
#include "render/PngImage.h"

#include <algorithm>
#include <cmath>

#include <cstdlib>
#include <sstream>

namespace {

std::string crop(const Area& area)
{
    return std::to_string(area.width) + "x" + std::to_string(area.height) + "+" + std::to_string(area.x) + "+"
        + std::to_string(area.y);
}

std::string trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

} // namespace

bool Screen::xdotool(const std::vector<std::string>& args, std::string* out) const
{
    std::vector<std::string> argv = { "xdotool" };
    argv.insert(argv.end(), args.begin(), args.end());
    ToolResult r = runTool(argv, { "DISPLAY=" + display });
    if (out)
        *out = r.out;
    return r.status == 0;
}

std::string Screen::findWindow(const std::string& pattern) const
{
    std::string out;
    xdotool({ "search", "--name", pattern }, &out);
    std::istringstream lines(out);
    std::string first;
    std::getline(lines, first);
    return trimmed(first);
}

std::string Screen::windowName(const std::string& window) const
{
    std::string out;
    if (!xdotool({ "getwindowname", window }, &out))
        return {};
    return trimmed(out);
}

bool Screen::geometry(const std::string& window, Area& area) const
{
    std::string out;
    if (!xdotool({ "getwindowgeometry", "--shell", window }, &out))
        return false;
    std::istringstream lines(out);
    std::string line;
    int found = 0;
    while (std::getline(lines, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq);
        const int value = std::atoi(line.c_str() + eq + 1);
        int* field = key == "X" ? &area.x
            : key == "Y"        ? &area.y
            : key == "WIDTH"    ? &area.width
            : key == "HEIGHT"   ? &area.height
                                : nullptr;
        if (field) {
            *field = value;
            ++found;
        }
    }
    return found == 4;
}

bool Screen::focus(const std::string& window) const
{
    return xdotool({ "windowfocus", window });
}
bool Screen::closeWindow(const std::string& window) const
{
    return sendCloseRequest(display, std::strtoul(window.c_str(), nullptr, 10));
}

bool Screen::key(const std::string& name) const
{
    return xdotool({ "key", name });
}
bool Screen::keyDown(const std::string& name) const
{
    return xdotool({ "keydown", name });
}
bool Screen::keyUp(const std::string& name) const
{
    return xdotool({ "keyup", name });
}

bool Screen::moveMouseBy(int dx, int dy) const
{
    return xdotool({ "mousemove_relative", "--", std::to_string(dx), std::to_string(dy) });
}

bool Screen::click(int button) const
{
    return xdotool({ "click", std::to_string(button) });
}

bool Screen::mouseDown(int button) const
{
    return xdotool({ "mousedown", std::to_string(button) });
}

bool Screen::mouseUp(int button) const
{
    return xdotool({ "mouseup", std::to_string(button) });
}

bool Screen::shoot(const std::filesystem::path& png, const Area& area) const
{
    ToolResult r = runTool({ "import", "-window", "root", "-crop", crop(area), "+repage", png.string() },
        { "DISPLAY=" + display });
    return r.status == 0;
}

namespace pixels {

Picture load(const std::filesystem::path& png)
{
    Picture picture;
    PngImage image;
    if (!decodePng(png.string(), false, image) || !convertToChannels(image, 3))
        return picture;
    picture.width = image.width;
    picture.height = image.height;
    picture.rgb.resize(size_t(image.width) * size_t(image.height) * 3);
    for (int y = 0; y < image.height; ++y)
        std::copy_n(&image.pixels[size_t(y) * image.rowBytes], size_t(image.width) * 3,
            &picture.rgb[size_t(y) * size_t(image.width) * 3]);
    return picture;
}

namespace {

// The area clipped to the picture; the whole picture when the area is empty.
Area clipped(const Picture& picture, const Area& area)
{
    if (area.width <= 0 || area.height <= 0)
        return { 0, 0, picture.width, picture.height };
    Area a;
    a.x = std::clamp(area.x, 0, picture.width);
    a.y = std::clamp(area.y, 0, picture.height);
    a.width = std::clamp(area.x + area.width, 0, picture.width) - a.x;
    a.height = std::clamp(area.y + area.height, 0, picture.height) - a.y;
    return a;
}

template <class Test> double share(const Picture& picture, const Area& area, Test test)
{
    const Area a = clipped(picture, area);
    if (a.width <= 0 || a.height <= 0)
        return 0.0;
    size_t hits = 0;
    for (int y = a.y; y < a.y + a.height; ++y)
        for (int x = a.x; x < a.x + a.width; ++x)
            hits += test(picture.at(x, y, 0), picture.at(x, y, 1), picture.at(x, y, 2)) ? 1 : 0;
    return double(hits) / (double(a.width) * double(a.height));
}

} // namespace

double mean(const Picture& picture, const Area& area)
{
    const Area a = clipped(picture, area);
    if (a.width <= 0 || a.height <= 0)
        return 0.0;
    double sum = 0.0;
    for (int y = a.y; y < a.y + a.height; ++y)
        for (int x = a.x; x < a.x + a.width; ++x)
            sum += (picture.at(x, y, 0) + picture.at(x, y, 1) + picture.at(x, y, 2)) / 3.0;
    return sum / (double(a.width) * double(a.height));
}

double saturation(const Picture& picture, const Area& area)
{
    const Area a = clipped(picture, area);
    if (a.width <= 0 || a.height <= 0)
        return 0.0;
    double sum = 0.0;
    for (int y = a.y; y < a.y + a.height; ++y) {
        for (int x = a.x; x < a.x + a.width; ++x) {
            const float r = picture.at(x, y, 0), g = picture.at(x, y, 1), b = picture.at(x, y, 2);
            sum += std::max({ r, g, b }) - std::min({ r, g, b });
        }
    }
    return sum / (double(a.width) * double(a.height));
}

double contrast(const Picture& picture, const Area& area)
{
    const Area a = clipped(picture, area);
    if (a.width <= 0 || a.height <= 0)
        return 0.0;
    const double average = mean(picture, a);
    double sum = 0.0;
    for (int y = a.y; y < a.y + a.height; ++y) {
        for (int x = a.x; x < a.x + a.width; ++x) {
            const double v = (picture.at(x, y, 0) + picture.at(x, y, 1) + picture.at(x, y, 2)) / 3.0 - average;
            sum += v * v;
        }
    }
    return std::sqrt(sum / (double(a.width) * double(a.height)));
}

double redShare(const Picture& picture, const Area& area)
{
    return share(picture, area, [](float r, float g, float b) { return r > 0.6f && g < 0.3f && b < 0.3f; });
}

double greenShare(const Picture& picture, const Area& area)
{
    return share(picture, area, [](float r, float g, float b) { return g > 0.6f && r < 0.3f && b < 0.3f; });
}

double difference(const Picture& a, const Picture& b)
{
    if (a.empty() || b.empty())
        return 1.0;
    const int columns = 160, rows = 90;
    double sum = 0.0;
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i) {
            const double u = (i + 0.5) / columns, v = (j + 0.5) / rows;
            const int ax = int(u * a.width), ay = int(v * a.height);
            const int bx = int(u * b.width), by = int(v * b.height);
            for (int c = 0; c < 3; ++c)
                sum += std::abs(a.at(ax, ay, c) - b.at(bx, by, c));
        }
    return sum / (columns * rows * 3);
}

} // namespace pixels
