#pragma once

// Reads the game's RIFF/WAVE sound files into memory. Pure byte parsing, no
// OpenAL: the sound system uploads the result separately.
//
// The layout read is fixed: a 12-byte RIFF header, a "fmt " chunk with the
// 16-byte PCM format block (two extra bytes skipped when the chunk is longer),
// then directly the "data" chunk. Anything else is refused with an error text.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <span>
#include <string>
#include <vector>

// The four sample layouts OpenAL plays without extensions.
enum class WavLayout { None, Mono8, Mono16, Stereo8, Stereo16 };

struct WavData {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t byteRate = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    WavLayout layout = WavLayout::None;
    // Whole sample frames only: a trailing partial frame is dropped.
    std::vector<uint8_t> samples;
};

// Either the sound or the reason it was refused (one of the texts below, or
// the path of a file that could not be opened).
struct WavResult {
    std::string error;
    WavData wav;

    bool ok() const { return error.empty(); }
};

namespace wav_errors {
inline constexpr const char* header = "Invalid RIFF or WAVE Header";
inline constexpr const char* format = "Invalid Wave Format";
inline constexpr const char* dataHeader = "Invalid data header";
inline constexpr const char* dataRead = "error loading WAVE data into struct!";
inline constexpr const char* unsupportedLayout = "Unsupported WAVE sample layout";
inline constexpr const char* unsupportedRate = "Unsupported WAVE sample rate";
} // namespace wav_errors

// Highest sample rate accepted; anything above is surely a damaged header.
inline constexpr uint32_t kMaxWavSampleRate = 384000;

WavResult readWav(std::istream& in);
WavResult readWav(std::span<const uint8_t> bytes);
WavResult readWavFile(const std::filesystem::path& path);

// The playable layout for a channel count and sample width, None when OpenAL has none.
WavLayout wavLayoutFor(uint16_t channels, uint16_t bitsPerSample);
