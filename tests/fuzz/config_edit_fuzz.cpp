// Feeds arbitrary bytes to the settings writer as config.txt. Each change must be the
// smallest edit: every byte outside the one word it rewrites stays as it was (or the line
// is appended, after a line feed only where one was missing). The game's own reader, on
// the written file, must then find every value just written and read every other key as
// before; a second write of the same values changes nothing.
#include "app/Config.h"
#include "app/ConfigEdit.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

const char* const kWhiteSpace = " \t\n\v\f\r";

void check(bool holds)
{
    if (!holds)
        std::abort();
}

// What the game's reader takes for key when text is its config.txt.
std::string readBack(const std::string& path, const std::string& text, const std::string& key)
{
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(text.data(), std::streamsize(text.size()));
        check(bool(file));
    }
    std::ostringstream out, err;
    Config config(out, err);
    check(config.open(path) == 0);
    return config.getValue(key, "(missing)", "");
}

// before -> after changed one word in place, or appended the key's line.
void checkSmallestEdit(const std::string& before, const std::string& after, const std::string& key,
    const std::string& value)
{
    size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix
        && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const std::string removed = before.substr(prefix, before.size() - prefix - suffix);
    const std::string added = after.substr(prefix, after.size() - prefix - suffix);
    if (removed.find_first_of(kWhiteSpace) == std::string::npos
        && added.find_first_of(kWhiteSpace) == std::string::npos)
        return; // inside one word
    // Otherwise the key's line went onto the end, the old text kept whole.
    check(after.compare(0, before.size(), before) == 0);
    std::string line = after.substr(before.size());
    const bool needsLineFeed = !before.empty() && before.back() != '\n';
    check(needsLineFeed == (!line.empty() && line.front() == '\n'));
    if (needsLineFeed)
        line.erase(0, 1);
    check(line.compare(0, key.size() + 1 + value.size(), key + "=" + value) == 0);
    check(!line.empty() && line.back() == '\n' && line.find('\n') == line.size() - 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/mossgrave_config_edit_fuzz." + std::to_string(::getpid()) + ".txt";
    const std::string original(reinterpret_cast<const char*>(data), size);
    std::string text = original;
    const std::vector<ConfigChange> changes { { "Volume", "3" }, { "Vsync", "0" }, { "Mouse_Sensitivity_X", "-120" },
        { "Mouse_Sensitivity_Y", "120" }, { "Chunk_View_Distance", "4" } };
    const char* const untouched[] = { "Fullscreen", "Width", "Threads", "Max_Memory(MB)", "World_Random_Seed" };
    std::vector<std::string> readBefore;
    for (const char* key : untouched)
        readBefore.push_back(readBack(path, original, key));

    for (const auto& [key, value] : changes) {
        const std::string before = text;
        setConfigValue(text, key, value);
        checkSmallestEdit(before, text, key, value);
    }
    for (const auto& [key, value] : changes)
        check(readBack(path, text, key) == value);
    for (size_t i = 0; i < std::size(untouched); ++i)
        check(readBack(path, text, untouched[i]) == readBefore[i]);

    const std::string once = text;
    for (const auto& [key, value] : changes)
        setConfigValue(text, key, value);
    check(text == once);
    ::unlink(path.c_str());
    return 0;
}
