#pragma once

#include "base/Log.h"
#include "base/Settings.h"

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

// Upper limits of the settings whose larger values cannot work.
inline constexpr int kMaxThreads = 64;
inline constexpr int kMaxWindowSide = 16384;
inline constexpr int kMaxChunkViewDistance = 16;

// One video mode of the primary monitor, as the window library lists it.
struct VideoMode {
    int width = 0;
    int height = 0;
};

// How reading config.txt ended; anything but Ok ends the program with exit code 1.
enum class ConfigResult {
    Ok,
    FileError, // config.txt could not be opened, created or written
    InvalidAntiAliasing,
};

// Reads config.txt once at start-up. The file is a sequence of white-space separated
// words; a word that begins with a key carries its value after the first '='. Every
// key that is missing gets appended with its default and a comment, so a first run
// writes a complete, commented file.
class Config {
public:
    // Where progress lines and warnings go; tests hand in string streams.
    explicit Config(std::ostream& out = logStream(), std::ostream& err = errorStream());

    int isOpen = 0;
    std::string fileName;
    std::fstream file;

    // Opens (and creates when missing) the file for reading and appending.
    // Returns 0 on success, 1 on failure after printing why.
    int open(const std::string& path);

    // The value of the first word in the file that begins with key; when there is
    // none, appends "key=default" with the comment and returns the default.
    std::string getValue(const std::string& key, const std::string& defaultValue, const std::string& comment);
    int getInt(const std::string& key, int defaultValue, const std::string& comment);
    // The value of a key that is read when present and never appended; false without one.
    bool findValue(const std::string& key, std::string& value);

    // Reads every setting in order into settings. modes is the primary monitor's
    // video-mode list, smallest first; its last entry gives the default window
    // size (1280 x 720 when the list is empty, as it is without a display).
    ConfigResult loadSettings(const std::vector<VideoMode>& modes, Settings& settings = gSettings,
        const std::string& path = "config.txt");

private:
    void appendLine(const std::string& key, const std::string& defaultValue, const std::string& comment);
    bool endsWithoutLineFeed();
    void rewindAndRead();
    void readWindowSettings(const std::vector<VideoMode>& modes, Settings& settings);
    void readOtherSettings(Settings& settings);
    void readOptionalSettings(Settings& settings);
    // A key read only when present; a value outside minimum..maximum keeps the default with a warning.
    void readOptionalRange(const char* key, int minimum, int maximum, int& setting);
    void warnIfBelow(int& value, int minimum, const char* warning);
    void warnIfAbove(int& value, int maximum, const char* warning);

    std::ostream& out;
    std::ostream& err;
    std::string contents; // the whole file as last read, reused from key to key
};

// Where the first word of text that begins with key starts, or npos. Words are
// separated by white space; key must not be empty.
size_t findWordStart(const std::string& text, const std::string& key);

// The leading integer of text: optional white space and sign, then digits; 0 when
// there are none. Values beyond the range of int are clamped to it.
int parseLeadingInt(const std::string& text);

// The comment written after a key when it is appended; empty for the keys
// that get none (Fullscreen, Width, Height, Window_Border) and unknown keys.
const std::string& settingComment(const std::string& key);

// One appended line: "key=value", the comment (if any) at a common column
// after " # ", and a line feed.
std::string configLine(const std::string& key, const std::string& value, const std::string& comment);
