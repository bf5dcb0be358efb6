#pragma once

// Builds RIFF/WAVE files byte by byte, including the odd and broken variants
// the sound reader must cope with.
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

struct WavRecipe {
    uint16_t formatTag = 1;
    uint16_t channels = 1;
    uint32_t sampleRate = 22050;
    uint16_t bitsPerSample = 16;
    uint32_t fmtSize = 16; // 18 adds the two-byte extension
    std::string chunkBeforeData; // e.g. "LIST": an extra chunk between format and data
    std::vector<uint8_t> samples;
    int64_t claimedDataSize = -1; // the data size written into the header; -1 for the real size
};

inline void putLe(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

inline void putTag(std::vector<uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

inline std::vector<uint8_t> wavBytes(const WavRecipe& recipe)
{
    std::vector<uint8_t> out;
    putTag(out, "RIFF");
    putLe(out, 0, 4); // patched below
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putLe(out, recipe.fmtSize, 4);
    const uint16_t blockAlign = uint16_t(recipe.channels * recipe.bitsPerSample / 8);
    putLe(out, recipe.formatTag, 2);
    putLe(out, recipe.channels, 2);
    putLe(out, recipe.sampleRate, 4);
    putLe(out, recipe.sampleRate * blockAlign, 4);
    putLe(out, blockAlign, 2);
    putLe(out, recipe.bitsPerSample, 2);
    for (uint32_t i = 16; i < recipe.fmtSize; ++i)
        out.push_back(0);
    if (!recipe.chunkBeforeData.empty()) {
        putTag(out, recipe.chunkBeforeData.c_str());
        putLe(out, 4, 4);
        putTag(out, "INFO");
    }
    putTag(out, "data");
    putLe(out,
        recipe.claimedDataSize >= 0 ? uint32_t(recipe.claimedDataSize) : uint32_t(recipe.samples.size()), 4);
    out.insert(out.end(), recipe.samples.begin(), recipe.samples.end());
    const uint32_t riffSize = uint32_t(out.size() - 8);
    for (int i = 0; i < 4; ++i)
        out[size_t(4 + i)] = uint8_t(riffSize >> (8 * i));
    return out;
}

// A 16-bit mono tone of `frames` samples at the given amplitude (0..1).
inline std::vector<uint8_t> toneSamples(int frames, double amplitude, double cyclesPerFrame = 0.02)
{
    std::vector<uint8_t> out;
    for (int i = 0; i < frames; ++i) {
        const auto value
            = int16_t(std::lround(amplitude * 32767.0 * std::sin(6.283185307 * cyclesPerFrame * i)));
        putLe(out, uint16_t(value), 2);
    }
    return out;
}

inline void writeBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
