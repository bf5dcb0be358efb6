#include "Recording.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace recording {

namespace {

uint32_t le(const std::vector<uint8_t>& d, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= uint32_t(d[at + size_t(i)]) << (8 * i);
    return v;
}

} // namespace

// The recording's loudness per window, all channels together.
std::vector<float> envelope(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> result;
    int bits = 0, channels = 1, rate = 44100;
    for (size_t at = 12; at + 8 <= d.size();) {
        const uint32_t size = le(d, at + 4, 4);
        const size_t body = at + 8;
        if (std::memcmp(&d[at], "fmt ", 4) == 0) {
            channels = int(le(d, body + 2, 2));
            rate = int(le(d, body + 4, 4));
            bits = int(le(d, body + 14, 2));
        } else if (std::memcmp(&d[at], "data", 4) == 0 && bits > 0) {
            // The writer leaves the size open until it closes; take what is there.
            const size_t end = size == 0 || size == 0xffffffffu ? d.size() : std::min(d.size(), body + size);
            const size_t perWindow = size_t(kWindow * rate) * size_t(channels);
            double sum = 0;
            size_t count = 0;
            for (size_t p = body; p + size_t(bits / 8) <= end; p += size_t(bits / 8)) {
                float s = 0;
                if (bits == 32) {
                    const uint32_t raw = le(d, p, 4);
                    std::memcpy(&s, &raw, 4);
                } else {
                    s = float(int16_t(le(d, p, 2))) / 32768.0f;
                }
                sum += double(s) * s;
                if (++count == perWindow) {
                    result.push_back(float(std::sqrt(sum / double(count))));
                    sum = 0;
                    count = 0;
                }
            }
        }
        at = body + size + (size & 1);
    }
    return result;
}

// Start times of loud bursts: a window above `level` after 0.15 s below it.
std::vector<double> bursts(const std::vector<float>& env, float level)
{
    std::vector<double> starts;
    double lastLoud = -1e9;
    for (size_t i = 0; i < env.size(); ++i) {
        if (env[i] <= level)
            continue;
        const double t = double(i) * kWindow;
        if (t - lastLoud > 0.15)
            starts.push_back(t);
        lastLoud = t;
    }
    return starts;
}

size_t countIn(const std::vector<double>& times, double from, double to)
{
    return size_t(std::count_if(times.begin(), times.end(), [&](double t) { return t >= from && t < to; }));
}


} // namespace recording
