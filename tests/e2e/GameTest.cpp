#include "GameTest.h"

#include "gui/GuiText.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

const char* const configKeys[][2] = {
    { "Fullscreen", "0" },
    { "Width", "640" },
    { "Height", "360" },
    { "Window_Border", "1" },
    { "Anti-Aliasing_Factor", "4" },
    // The software renderer filters anisotropically at a fifteenth of the
    // frame rate; the tests look at the picture, not at its sharpness.
    { "Anisotropic_Filtering", "1" },
    { "Vsync", "1" },
    { "Shadowmap_Factor", "1" },
    { "Show_FPS", "0" },
    { "Ambient_Sounds", "1" },
    { "Sound_Effects", "1" },
    { "Volume", "10" },
    { "Mouse_Sensitivity_X", "100" },
    { "Mouse_Sensitivity_Y", "100" },
    { "Threads", "2" },
    // A single chunk: the test build (debug, sanitizers) takes seconds per
    // chunk of terrain, and most tests only need to get into the world.
    { "Chunk_View_Distance", "0" },
    { "Max_Memory(MB)", "2048" },
    { "World_Random_Seed", "1234" },
};

const char* const loadingMessages[] = {
    "Planting Trees",
    "Fixing Bugs",
    "Compiling Code",
    "Making Coffee",
    "Installing Windows Vista",
    "Adding Cats",
    "Painting Walls",
    "Watering Plants",
    "Downloading Music",
    "Reporting to NSA",
    "Indexing Harddrive",
    "Taking a Nap",
    "Ordering Pizza",
    "Loading Level",
    "Hiding Easteregg",
};

// How well the red text inside `bar` matches the text of `message` drawn the
// way the loading bar draws it, over the width of the message (the percentage
// after it is left out): the correlation, from -1 to 1, between the redness
// of each screen pixel and the text's coverage of the texels that pixel shows.
double textMatch(const Picture& picture, const Area& bar, const std::string& message)
{
    const TextImage text = renderText(message, textStyle::loadingBar);
    if (text.empty() || bar.width <= 0 || bar.height <= 0)
        return -1.0;
    int right = 0;
    for (int x = 0; x < text.width; ++x)
        for (int y = 0; y < text.height; ++y)
            if (text.at(x, y, 3) > 0)
                right = x;
    std::vector<double> seen, drawn;
    for (int y = 0; y < bar.height; ++y)
        for (int x = 0; x < bar.width; ++x) {
            const int x0 = x * text.width / bar.width,
                      x1 = std::max(x0 + 1, (x + 1) * text.width / bar.width);
            const int y0 = y * text.height / bar.height,
                      y1 = std::max(y0 + 1, (y + 1) * text.height / bar.height);
            const int sx = bar.x + x, sy = bar.y + y;
            if (x0 > right + 2 || sx < 0 || sy < 0 || sx >= picture.width || sy >= picture.height)
                continue;
            double coverage = 0.0;
            for (int ty = y0; ty < y1; ++ty)
                for (int tx = x0; tx < x1; ++tx)
                    coverage += text.at(tx, ty, 3) / 255.0;
            drawn.push_back(coverage / double((x1 - x0) * (y1 - y0)));
            const float r = picture.at(sx, sy, 0), g = picture.at(sx, sy, 1), b = picture.at(sx, sy, 2);
            seen.push_back(std::clamp(double(r - std::max(g, b)), 0.0, 1.0));
        }
    const double n = double(seen.size());
    if (n == 0.0)
        return -1.0;
    double meanSeen = 0.0, meanDrawn = 0.0;
    for (size_t i = 0; i < seen.size(); ++i) {
        meanSeen += seen[i] / n;
        meanDrawn += drawn[i] / n;
    }
    double both = 0.0, seenOnly = 0.0, drawnOnly = 0.0;
    for (size_t i = 0; i < seen.size(); ++i) {
        both += (seen[i] - meanSeen) * (drawn[i] - meanDrawn);
        seenOnly += (seen[i] - meanSeen) * (seen[i] - meanSeen);
        drawnOnly += (drawn[i] - meanDrawn) * (drawn[i] - meanDrawn);
    }
    return seenOnly > 0.0 && drawnOnly > 0.0 ? both / std::sqrt(seenOnly * drawnOnly) : -1.0;
}

bool toolsInstalled()
{
    for (const char* tool : { "xdotool", "import", "convert" })
        if (runTool({ "which", tool }).status != 0)
            return false;
    return XvfbServer::installed();
}

std::string tail(const std::string& text, size_t lines)
{
    size_t at = text.size();
    for (size_t n = 0; n <= lines; ++n) {
        if (at == 0)
            return text;
        at = text.rfind('\n', at - 1);
        if (at == std::string::npos)
            return text;
    }
    return text.substr(at + 1);
}

} // namespace

void GameTest::SetUp()
{
    if (!toolsInstalled())
        GTEST_SKIP() << "Xvfb, xdotool or ImageMagick is not installed";
    // A server that reported ready is asked once more before the game relies
    // on it; on a busy machine another test's server start can cost it its
    // display, and a fresh one is started then.
    bool reachable = false;
    for (int attempt = 0; attempt < 3 && !reachable; ++attempt) {
        ASSERT_TRUE(xvfb.start(90, 140, "1280x720x24")) << xvfb.error();
        screen.setDisplay(xvfb.display());
        reachable = runTool({ "xdotool", "getdisplaygeometry" }, { "DISPLAY=" + xvfb.display() }).status == 0;
    }
    ASSERT_TRUE(reachable) << "no X server could be reached";
    for (const char* data : { "shader", "textures", "models", "sounds" })
        linkData(data);
}

void GameTest::TearDown()
{
    if (HasFailure()) {
        std::cerr << "---- game folder: " << folder() << "\n---- standard output (end):\n"
                  << tail(out(), 25) << "\n---- error stream (end):\n"
                  << tail(err(), 25) << "\n";
    }
    game.stop();
    xvfb.stop();
    releaseTextResources(); // the loading messages were drawn here to compare
}

std::string GameTest::smallConfig(const std::map<std::string, std::string>& changes)
{
    std::map<std::string, std::string> rest = changes;
    std::ostringstream text;
    for (const auto& key : configKeys) {
        auto changed = rest.find(key[0]);
        text << key[0] << "=" << (changed != rest.end() ? changed->second : key[1]) << "\n";
        if (changed != rest.end())
            rest.erase(changed);
    }
    for (const auto& [key, value] : rest)
        text << key << "=" << value << "\n";
    return text.str();
}

void GameTest::writeConfig(const std::string& text)
{
    dir.write("config.txt", text);
}

// Each data folder becomes a folder of links to the run folder's files, so a
// test can replace or remove single files without touching the run folder.
void GameTest::linkData(const std::string& name)
{
    const fs::path source = fs::path(MOSSGRAVE_RUN_DIR) / name;
    const fs::path target = folder() / name;
    fs::create_directories(target);
    std::error_code ec;
    if (!fs::is_directory(source, ec))
        return;
    for (const auto& entry : fs::directory_iterator(source))
        fs::create_symlink(entry.path(), target / entry.path().filename(), ec);
}

void GameTest::replaceData(const std::string& relative, const std::string& contents)
{
    fs::remove(folder() / relative);
    dir.write(relative, contents);
}

void GameTest::removeData(const std::string& relative)
{
    fs::remove(folder() / relative);
}

void GameTest::launch(const std::vector<std::string>& arguments)
{
    // The GL driver is unloaded before the leak check runs, which leaves its
    // allocations without a module to blame or suppress; the unit tests under
    // the sanitizers look after the game's own leaks.
    ASSERT_TRUE(game.start(MOSSGRAVE_RUN_DIR "/mossgrave", folder(),
        { "DISPLAY=" + xvfb.display(), "ALSOFT_DRIVERS=null", "ASAN_OPTIONS=detect_leaks=0",
            "MESA_SHADER_CACHE_DISABLE=true" },
        arguments));
}

void GameTest::launchRecording(const std::filesystem::path& wav, const std::vector<std::string>& arguments)
{
    const fs::path conf = folder() / "alsoft.conf";
    std::ofstream(conf) << "[general]\ndrivers=wave\nchannels=stereo\nsample-type=float32\nfrequency=44100\n"
                           "hrtf=false\noutput-limiter=false\n[wave]\nfile="
                        << wav.string() << "\n";
    ASSERT_TRUE(game.start(MOSSGRAVE_RUN_DIR "/mossgrave", folder(),
        { "DISPLAY=" + xvfb.display(), "ALSOFT_CONF=" + conf.string(), "ASAN_OPTIONS=detect_leaks=0",
            "MESA_SHADER_CACHE_DISABLE=true" },
        arguments));
}

bool GameTest::waitUntil(
    const std::function<bool()>& done, std::chrono::milliseconds timeout, std::chrono::milliseconds interval)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(interval);
    }
}

bool GameTest::waitForWindow(std::chrono::milliseconds timeout)
{
    const bool found = waitUntil(
        [&] {
            if (game.exited())
                return true;
            window = screen.findWindow("^Mossgrave$");
            return !window.empty() && screen.geometry(window, area) && area.width > 0;
        },
        timeout);
    if (!found || window.empty())
        return false;
    screen.focus(window);
    return true;
}

bool GameTest::waitForOutput(const std::string& text, std::chrono::milliseconds timeout)
{
    return waitUntil([&] { return out().find(text) != std::string::npos || game.exited(); }, timeout)
        && out().find(text) != std::string::npos;
}

bool GameTest::waitForBackdrop(Backdrop backdrop, std::chrono::milliseconds timeout)
{
    return waitUntil(
        [&] {
            // A full-screen window takes the screen's mode only after it first appears.
            screen.geometry(window, area);
            return !game.exited() && backdropOf(shot("wait")) == backdrop;
        },
        timeout, 50ms);
}

bool GameTest::waitForMenu(std::chrono::milliseconds timeout)
{
    if (!waitForWindow(timeout) || !waitForBackdrop(Backdrop::Menu, timeout))
        return false;
    return waitUntil([&] { return pixels::greenShare(shot("menu"), mainMenuRow(0)) > 0.01; }, 15s);
}

int GameTest::viewFits() const
{
    const std::string fitted
        = "Width: " + std::to_string(area.width) + " Height: " + std::to_string(area.height);
    const std::string text = out();
    int count = 0;
    for (size_t at = text.find(fitted); at != std::string::npos; at = text.find(fitted, at + 1))
        ++count;
    return count;
}

bool GameTest::waitForPlaying(int fitsBefore)
{
    // The loading screen ends once every chunk around the player is generated and meshed:
    // beside a loaded machine that can take minutes for a square of fresh terrain,
    // and the first frames of play, which upload every mesh, many seconds more.
    return waitUntil([&] { return viewFits() > fitsBefore || game.exited(); }, 240s) && viewFits() > fitsBefore
        && waitUntil([&] { return backdropOf(shot("playing")) == Backdrop::Other || game.exited(); }, 60s)
        && !game.exited();
}

bool GameTest::startPlaying()
{
    const int before = viewFits();
    press("Return");
    return waitForPlaying(before);
}

void GameTest::press(const std::string& key)
{
    const auto gap = std::chrono::steady_clock::now() - lastKeyAt;
    if (key == lastKey && gap < 50ms)
        std::this_thread::sleep_for(50ms - gap);
    EXPECT_TRUE(screen.key(key)) << key;
    lastKey = key;
    lastKeyAt = std::chrono::steady_clock::now();
}

Picture GameTest::shot(const std::string& name)
{
    const fs::path png = folder() / (name + "-" + std::to_string(shots++) + ".png");
    if (!screen.shoot(png, area))
        return {};
    return pixels::load(png);
}

const Picture& GameTest::expected(Backdrop backdrop)
{
    auto known = expectedBackdrops.find(backdrop);
    if (known != expectedBackdrops.end())
        return known->second;
    const char* file = backdrop == Backdrop::Menu ? "menu"
        : backdrop == Backdrop::Loading           ? "loading"
                                                  : "gameover";
    return expectedBackdrops[backdrop] = pixels::load(folder() / "textures" / (std::string(file) + ".png"));
}

Backdrop GameTest::backdropOf(const Picture& picture)
{
    // The nearest of the three pictures, when it is clearly nearer than the
    // others: text and images drawn over a picture change it only a little.
    Backdrop best = Backdrop::Other;
    double bestDifference = 1.0, secondDifference = 1.0;
    for (Backdrop b : { Backdrop::Menu, Backdrop::Loading, Backdrop::GameOver }) {
        const double d = pixels::difference(picture, expected(b));
        if (d < bestDifference) {
            secondDifference = bestDifference;
            bestDifference = d;
            best = b;
        } else if (d < secondDifference) {
            secondDifference = d;
        }
    }
    return bestDifference < 0.04 && secondDifference - bestDifference > 0.015 ? best : Backdrop::Other;
}

double GameTest::backdropMean(Backdrop backdrop, const Area& windowArea)
{
    const Picture& picture = expected(backdrop);
    Area scaled;
    scaled.x = windowArea.x * picture.width / area.width;
    scaled.y = windowArea.y * picture.height / area.height;
    scaled.width = std::max(1, windowArea.width * picture.width / area.width);
    scaled.height = std::max(1, windowArea.height * picture.height / area.height);
    return pixels::mean(picture, scaled);
}

std::string GameTest::loadingMessageOn(const Picture& picture) const
{
    const Area bar = guiArea(0.0f, -0.4f, 0.6f, 0.09f);
    std::string best;
    double bestMatch = -1.0, secondMatch = -1.0;
    for (const char* message : loadingMessages) {
        const double match = textMatch(picture, bar, message);
        if (match > bestMatch) {
            secondMatch = bestMatch;
            bestMatch = match;
            best = message;
        } else if (match > secondMatch) {
            secondMatch = match;
        }
    }
    return bestMatch > 0.6 && bestMatch - secondMatch > 0.15 ? best : std::string();
}

Area GameTest::guiArea(float centerX, float centerY, float width, float height) const
{
    Area a;
    a.x = int(float(area.width) * (0.5f + centerX - width / 2.0f));
    a.y = int(float(area.height) * (0.5f - centerY - height / 2.0f));
    a.width = int(float(area.width) * width);
    a.height = int(float(area.height) * height);
    return a;
}

Area GameTest::mainMenuRow(int row) const
{
    return guiArea(0.18f + (row == 1 ? 0.035f : 0.0f), -0.1f - 0.1f * float(row), 0.6f, 0.09f);
}

Area GameTest::pauseMenuRow(int row) const
{
    return guiArea(0.0f, 0.4f - 0.1f * float(row), 0.6f, 0.09f);
}

int GameTest::finish(std::chrono::milliseconds timeout)
{
    return game.waitExit(timeout) ? game.exitCode() : -1;
}

std::string GameTest::lastOutputLine() const
{
    std::istringstream lines(out());
    std::string line, last;
    while (std::getline(lines, line))
        if (!line.empty())
            last = line;
    return last;
}
