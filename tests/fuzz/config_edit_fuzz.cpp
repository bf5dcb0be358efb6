// Feeds arbitrary bytes to the settings writer as config.txt, then checks
// that the reader finds every value just written, and that a second write of
// the same values changes nothing.
#include "app/Config.h"
#include "app/ConfigEdit.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<ConfigChange> changes { { "Volume", "3" }, { "Vsync", "0" }, { "Mouse_Sensitivity_X", "-120" },
        { "Mouse_Sensitivity_Y", "120" }, { "Chunk_View_Distance", "4" } };
    for (const auto& [key, value] : changes)
        setConfigValue(text, key, value);
    const std::string once = text;
    for (const auto& [key, value] : changes) {
        const size_t start = findWordStart(text, key);
        if (start == std::string::npos)
            std::abort();
        const size_t end = text.find_first_of(" \t\n\v\f\r", start);
        const std::string word = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (word.substr(word.find('=') + 1) != value)
            std::abort();
        setConfigValue(text, key, value);
    }
    if (text != once)
        std::abort();
    return 0;
}
