#pragma once

// Reading what OpenAL's wave-file device recorded of a game: the loudness
// over time and the starts of loud bursts in it.

#include <filesystem>
#include <vector>

namespace recording {

constexpr double kWindow = 0.01; // seconds per envelope value

// The recording's loudness (RMS) per window, all channels together; 16-bit
// or float samples. A file still being written is read as far as it goes.
std::vector<float> envelope(const std::filesystem::path& wav);

// Start times of loud bursts: a window above `level` after 0.15 s below it.
std::vector<double> bursts(const std::vector<float>& env, float level = 0.03f);

size_t countIn(const std::vector<double>& times, double from, double to);

} // namespace recording
