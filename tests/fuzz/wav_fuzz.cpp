// Feeds arbitrary bytes to the sound file reader, from memory and through a
// seekable stream (the two ways it checks a claimed data size).
#include "audio/WavReader.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const WavResult fromMemory = readWav(std::span<const uint8_t>(data, size));
    std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    const WavResult fromStream = readWav(stream);
    // Both ways must agree, and an accepted sound holds whole frames of a playable layout.
    if (fromMemory.error != fromStream.error || fromMemory.wav.samples != fromStream.wav.samples)
        std::abort();
    if (fromMemory.ok()) {
        const size_t frame = size_t(fromMemory.wav.channels) * (fromMemory.wav.bitsPerSample / 8);
        if (fromMemory.wav.layout == WavLayout::None || frame == 0
            || fromMemory.wav.samples.size() % frame != 0 || fromMemory.wav.samples.size() > size)
            std::abort();
    }
    return 0;
}
