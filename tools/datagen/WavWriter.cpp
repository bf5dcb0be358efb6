#include "tools/datagen/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace datagen {

SoundClip monoClip(int rate, std::vector<float> samples)
{
    return SoundClip { rate, 1, std::move(samples) };
}

SoundClip stereoClip(int rate, const std::vector<float>& left, const std::vector<float>& right)
{
    SoundClip clip { rate, 2, {} };
    const size_t frames = std::min(left.size(), right.size());
    clip.samples.resize(frames * 2);
    for (size_t i = 0; i < frames; ++i) {
        clip.samples[2 * i] = left[i];
        clip.samples[2 * i + 1] = right[i];
    }
    return clip;
}

void normalizePeak(SoundClip& clip, double peakDb)
{
    float peak = 0.0f;
    for (float x : clip.samples)
        peak = std::max(peak, std::fabs(x));
    if (peak <= 0.0f)
        return;
    const double factor = std::pow(10.0, peakDb / 20.0) / peak;
    for (float& x : clip.samples)
        x = float(x * factor);
}

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v & 0xff));
    out.push_back(uint8_t((v >> 8) & 0xff));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

void putTag(std::vector<uint8_t>& out, const char* tag)
{
    for (int k = 0; k < 4; ++k)
        out.push_back(uint8_t(tag[k]));
}

int16_t toPcm16(float x)
{
    const double v = std::clamp(double(x), -1.0, 1.0) * 32767.0;
    return int16_t(std::lround(v));
}

} // namespace

std::vector<uint8_t> encodeWav(const SoundClip& clip)
{
    const uint32_t blockAlign = uint32_t(clip.channels) * 2;
    const uint32_t dataBytes = uint32_t(clip.frames()) * blockAlign;
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1); // integer PCM
    put16(out, uint32_t(clip.channels));
    put32(out, uint32_t(clip.rate));
    put32(out, uint32_t(clip.rate) * blockAlign);
    put16(out, blockAlign);
    put16(out, 16);
    putTag(out, "data");
    put32(out, dataBytes);
    const size_t count = clip.frames() * size_t(clip.channels);
    out.resize(out.size() + 2 * count);
    uint8_t* data = out.data() + 44;
    for (size_t i = 0; i < count; ++i) {
        const uint16_t v = uint16_t(toPcm16(clip.samples[i]));
        data[2 * i] = uint8_t(v & 0xff);
        data[2 * i + 1] = uint8_t(v >> 8);
    }
    return out;
}

bool writeWav(const std::filesystem::path& path, const SoundClip& clip)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    const std::vector<uint8_t> bytes = encodeWav(clip);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::perror(path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        std::fprintf(stderr, "datagen: %s: could not write the sound\n", path.c_str());
    return written && closed;
}

SoundLevels measureLevels(const SoundClip& clip)
{
    double peak = 0.0, sum = 0.0;
    for (float x : clip.samples) {
        const double v = std::clamp(double(x), -1.0, 1.0);
        peak = std::max(peak, std::fabs(v));
        sum += v * v;
    }
    const double count = double(std::max<size_t>(clip.samples.size(), 1));
    auto toDb
        = [](double v) { return v > 0.0 ? 20.0 * std::log10(v) : -std::numeric_limits<double>::infinity(); };
    return { double(clip.frames()) / clip.rate, toDb(peak), toDb(std::sqrt(sum / count)) };
}

} // namespace datagen
