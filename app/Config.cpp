#include "app/Config.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>

namespace {

// Comments of appended lines start at the same column, so the written file reads as a table.
constexpr int COMMENT_COLUMN_WIDTH = 25;

// The size used for Width and Height when the monitor's modes are unknown (no display).
constexpr VideoMode FALLBACK_MODE { 1280, 720 };

// What separates words: the white space of the C locale.
constexpr const char* WHITE_SPACE = " \t\n\v\f\r";

bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool validAntiAliasingFactor(int factor)
{
    return factor == 1 || factor == 2 || factor == 4 || factor == 8 || factor == 16;
}

} // namespace

size_t findWordStart(const std::string& text, const std::string& key)
{
    for (size_t pos = text.find(key); pos != std::string::npos; pos = text.find(key, pos + 1)) {
        if (pos == 0 || isWhiteSpace(text[pos - 1]))
            return pos;
    }
    return std::string::npos;
}

const std::string& settingComment(const std::string& key)
{
    static const std::map<std::string, std::string> comments {
        { "Anti-Aliasing_Factor", "Valid values: 1,2,4,8,16" },
        { "Anisotropic_Filtering", "Range: 1-16" },
        { "Vsync", "Limit FPS to 60" },
        { "Shadowmap_Factor", "Shadow Quality: Range 1-10, a value higher than 1 is not really needed" },
        { "Show_FPS", "Show FPS counter in the corner" },
        { "Ambient_Sounds", "Enable background ambient sounds" },
        { "Sound_Effects", "Enable sound effects" },
        { "Volume", "Range: 1-10" },
        { "Mouse_Sensitivity_X", "Mouse Sensitivity in X Direction, negate to invert" },
        { "Mouse_Sensitivity_Y", "Mouse Sensitivity in Y Direction, negate to invert" },
        { "Threads", "Should be the same as number of cores of the CPU" },
        { "Chunk_View_Distance", "Set to 1 to improve performance" },
        { "Max_Memory(MB)", "Maximum approximated memory the game will consume before chunks are unloaded" },
        { "World_Random_Seed", "Random seed used by the world generator, set to -1 for a random seed" },
        { "Render_Scale", "Percent of the window the world is drawn at (50-100), 0 = automatic" },
        { "Brightness", "Percent (50-200): 100 shows the picture as it is, more lifts the dark" },
        { "Field_Of_View", "Vertical field of view in degrees (50-100)" },
        { "Pause_On_Focus_Loss", "Pause the game when the window loses focus" },
        { "Captions", "Show captions for the sounds that carry meaning" },
    };
    static const std::string none;
    const auto found = comments.find(key);
    return found == comments.end() ? none : found->second;
}

std::string configLine(const std::string& key, const std::string& value, const std::string& comment)
{
    std::string line = key + "=" + value;
    if (!comment.empty()) {
        const int padding = COMMENT_COLUMN_WIDTH - static_cast<int>(key.size() + value.size());
        line += std::string(std::max(padding, 0), ' ') + " # " + comment;
    }
    return line + '\n';
}

int parseLeadingInt(const std::string& text)
{
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

Config::Config(std::ostream& out, std::ostream& err)
    : out(out)
    , err(err)
{
}

int Config::open(const std::string& path)
{
    fileName = path;
    file.exceptions(std::ios::failbit | std::ios::badbit);
    try {
        file.open(path, std::ios::in | std::ios::out | std::ios::app);
    } catch (const std::ios_base::failure& e) {
        out << e.what() << std::endl;
        out << "Exception opening/reading file\n";
        isOpen = 0;
        return 1;
    }
    isOpen = 1;
    return 0;
}

std::string Config::getValue(
    const std::string& key, const std::string& defaultValue, const std::string& comment)
{
    try {
        std::string value;
        if (findValue(key, value))
            return value;
        // The whole file was read without a match: the end of the file is the
        // stream's failure, just as for reading word by word.
        file.setstate(std::ios::eofbit | std::ios::failbit);
    } catch (const std::ios_base::failure& e) {
        out << e.what() << std::endl;
        out << "Key '" << key << "' not found. Adding default value '" << defaultValue << "'.\n";
    }
    file.clear();
    appendLine(key, defaultValue, comment);
    return defaultValue;
}

bool Config::findValue(const std::string& key, std::string& value)
{
    rewindAndRead();
    const size_t start = findWordStart(contents, key);
    if (start == std::string::npos)
        return false;
    const std::string word = contents.substr(start, contents.find_first_of(WHITE_SPACE, start) - start);
    const size_t equals = word.find('=');
    value = equals == std::string::npos ? word : word.substr(equals + 1);
    out << "Key " << key << " found. Value=" << value << '\n';
    return true;
}

void Config::rewindAndRead()
{
    // One bulk read per key keeps a rescan of a file of several megabytes in the
    // milliseconds; word-by-word stream extraction is many times slower.
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    file.seekg(0);
    contents.resize(static_cast<size_t>(size));
    file.read(contents.data(), size);
}

int Config::getInt(const std::string& key, int defaultValue, const std::string& comment)
{
    return parseLeadingInt(getValue(key, std::to_string(defaultValue), comment));
}

void Config::appendLine(const std::string& key, const std::string& defaultValue, const std::string& comment)
{
    std::string line;
    // A last line without its line feed would otherwise swallow the first appended setting.
    if (endsWithoutLineFeed())
        line += '\n';
    line += configLine(key, defaultValue, comment);
    file.seekp(0, std::ios::end);
    file << line;
    file.flush();
}

bool Config::endsWithoutLineFeed()
{
    file.seekg(0, std::ios::end);
    if (file.tellg() <= 0)
        return false;
    file.seekg(-1, std::ios::end);
    return file.get() != '\n';
}

void Config::warnIfBelow(int& value, int minimum, const char* warning)
{
    if (value < minimum) {
        err << warning << std::endl;
        value = minimum;
    }
}

void Config::warnIfAbove(int& value, int maximum, const char* warning)
{
    if (value > maximum) {
        err << warning << std::endl;
        value = maximum;
    }
}

ConfigResult Config::loadSettings(
    const std::vector<VideoMode>& modes, Settings& settings, const std::string& path)
{
    if (open(path) != 0)
        return ConfigResult::FileError;
    try {
        readWindowSettings(modes, settings);
        if (!validAntiAliasingFactor(settings.antiAliasingFactor)) {
            err << "Anti-Aliasing_Factor not valid!" << std::endl;
            file.close();
            isOpen = 0;
            return ConfigResult::InvalidAntiAliasing;
        }
        readOtherSettings(settings);
        readOptionalSettings(settings);
        file.close();
        isOpen = 0;
    } catch (const std::ios_base::failure& e) {
        // Appending a missing key failed (disk full, file gone read-only ...).
        out << e.what() << std::endl;
        out << "Exception opening/reading file\n";
        return ConfigResult::FileError;
    }
    return ConfigResult::Ok;
}

void Config::readWindowSettings(const std::vector<VideoMode>& modes, Settings& settings)
{
    settings.fullscreen = getInt("Fullscreen", 1, "");
    out << "Video modes:" << std::endl;
    for (size_t i = 0; i < modes.size(); ++i)
        out << "Mode " << i << ": " << modes[i].width << " x " << modes[i].height << std::endl;
    const VideoMode largest = modes.empty() ? FALLBACK_MODE : modes.back();
    settings.width = getInt("Width", largest.width, "");
    settings.height = getInt("Height", largest.height, "");
    // The window library asserts (aborts) on a negative size, and the GL
    // driver overflows on sizes beyond any texture limit; a size of zero only
    // fails to open the window. A size out of range means the screen's own.
    auto outOfRange = [](int side) { return side < 0 || side > kMaxWindowSide; };
    if (outOfRange(settings.width) || outOfRange(settings.height)) {
        err << "Warning, window size out of range! Using " << largest.width << " x " << largest.height
            << std::endl;
        settings.width = largest.width;
        settings.height = largest.height;
    }
    settings.windowBorder = getInt("Window_Border", 1, "");
    settings.antiAliasingFactor = getInt("Anti-Aliasing_Factor", 8, settingComment("Anti-Aliasing_Factor"));
}

void Config::readOtherSettings(Settings& settings)
{
    settings.anisotropicFiltering = getInt("Anisotropic_Filtering", 8, settingComment("Anisotropic_Filtering"));
    if (settings.anisotropicFiltering < 0)
        err << "Warning, Anisotropic Filtering Factor shouldn't be negative!" << std::endl;
    settings.vsync = getInt("Vsync", 1, settingComment("Vsync"));
    settings.shadowmapFactor = getInt("Shadowmap_Factor", 1, settingComment("Shadowmap_Factor"));
    settings.showFps = getInt("Show_FPS", 0, settingComment("Show_FPS"));
    settings.ambientSounds = getInt("Ambient_Sounds", 1, settingComment("Ambient_Sounds"));
    settings.soundEffects = getInt("Sound_Effects", 1, settingComment("Sound_Effects"));
    settings.volume = getInt("Volume", 10, settingComment("Volume"));
    settings.mouseSensitivityX
        = getInt("Mouse_Sensitivity_X", 100, settingComment("Mouse_Sensitivity_X"));
    settings.mouseSensitivityY
        = getInt("Mouse_Sensitivity_Y", 100, settingComment("Mouse_Sensitivity_Y"));
    if (settings.mouseSensitivityX == 0 || settings.mouseSensitivityY == 0)
        err << "Warning, mouse sensitivity is zero!" << std::endl;
    settings.threads = getInt("Threads", 8, settingComment("Threads"));
    // Without a single worker no chunk would ever be generated.
    warnIfBelow(settings.threads, 1, "Warning, Threads should be at least 1!");
    // Each worker is a thread of its own; thousands would only exhaust the system.
    warnIfAbove(settings.threads, kMaxThreads, "Warning, Threads should be at most 64!");
    settings.chunkViewDistance = getInt("Chunk_View_Distance", 2, settingComment("Chunk_View_Distance"));
    // A negative radius would keep no chunk around the player, not even his own.
    warnIfBelow(settings.chunkViewDistance, 0, "Warning, Chunk View Distance shouldn't be negative!");
    // The square of chunks grows with the radius squared at some 15 MB each:
    // beyond this no machine holds it, and the world's extent would overflow.
    warnIfAbove(settings.chunkViewDistance, kMaxChunkViewDistance,
        "Warning, Chunk View Distance should be at most 16!");
    settings.maxMemoryMB = getInt("Max_Memory(MB)", 2048, settingComment("Max_Memory(MB)"));
    settings.worldRandomSeed = getInt("World_Random_Seed", -1, settingComment("World_Random_Seed"));
}

void Config::readOptionalSettings(Settings& settings)
{
    std::string value;
    if (findValue("Render_Scale", value)) {
        const int percent = parseLeadingInt(value);
        if (percent == 0 || (percent >= 50 && percent <= 100)) {
            settings.renderScale = percent;
        } else {
            err << "Warning, Render_Scale must be 0 (automatic) or 50 to 100! Using automatic." << std::endl;
            settings.renderScale = 0;
        }
    }
    readOptionalRange("Brightness", 50, 200, settings.brightness);
    readOptionalRange("Field_Of_View", 50, 100, settings.fieldOfView);
    if (findValue("Pause_On_Focus_Loss", value))
        settings.pauseOnFocusLoss = parseLeadingInt(value) != 0 ? 1 : 0;
    if (findValue("Captions", value))
        settings.captions = parseLeadingInt(value) != 0 ? 1 : 0;
}

void Config::readOptionalRange(const char* key, int minimum, int maximum, int& setting)
{
    std::string value;
    if (!findValue(key, value))
        return;
    const int read = parseLeadingInt(value);
    if (read >= minimum && read <= maximum) {
        setting = read;
        return;
    }
    err << "Warning, " << key << " must be " << minimum << " to " << maximum << "! Using " << setting << "."
        << std::endl;
}
