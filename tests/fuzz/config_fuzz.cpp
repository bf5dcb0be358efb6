// Feeds arbitrary bytes to the settings reader as config.txt. The reader appends
// missing keys to the file, so each input is written afresh before the run.
#include "app/Config.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

struct ScratchFile {
    std::filesystem::path dir
        = std::filesystem::temp_directory_path() / ("mossgrave_config_fuzz_" + std::to_string(getpid()));
    ScratchFile() { std::filesystem::create_directories(dir); }
    ~ScratchFile() { std::filesystem::remove_all(dir); }
    std::string path() const { return (dir / "config.txt").string(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const ScratchFile scratch;
    {
        std::ofstream file(scratch.path(), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::ostream discard(nullptr);
    Settings settings;
    Config config(discard, discard);
    config.loadSettings({ { 640, 480 }, { 1920, 1080 } }, settings, scratch.path());
    return 0;
}
