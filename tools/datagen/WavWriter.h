#pragma once

// The generated sounds as the game reads them: 16-bit PCM RIFF/WAVE files
// with exactly a 16-byte "fmt " chunk followed by the "data" chunk.
#include <cstdint>
#include <filesystem>
#include <vector>

namespace datagen {

// Samples in -1..1, interleaved when there are two channels.
struct SoundClip {
    int rate = 22050;
    int channels = 1;
    std::vector<float> samples;

    size_t frames() const { return channels > 0 ? samples.size() / size_t(channels) : 0; }
};

SoundClip monoClip(int rate, std::vector<float> samples);
SoundClip stereoClip(int rate, const std::vector<float>& left, const std::vector<float>& right);

// Scales the clip so its largest sample sits at `peakDb` dB below full scale.
void normalizePeak(SoundClip& clip, double peakDb);

// Samples are rounded to 16 bits and values outside -1..1 are held at full scale.
std::vector<uint8_t> encodeWav(const SoundClip& clip);

// Writes the file, creating its folder; false with a message on failure.
bool writeWav(const std::filesystem::path& path, const SoundClip& clip);

struct SoundLevels {
    double seconds = 0;
    double peakDb = 0; // dB relative to full scale; -inf for silence
    double rmsDb = 0;
};

SoundLevels measureLevels(const SoundClip& clip);

} // namespace datagen
