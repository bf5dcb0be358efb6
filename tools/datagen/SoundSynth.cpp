#include "tools/datagen/SoundSynth.h"

#include <algorithm>
#include <cmath>

namespace datagen::synth {

uint64_t Rng::next()
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform()
{
    return double(next() >> 11) * (1.0 / 9007199254740992.0);
}

size_t samplesFor(double seconds, int rate)
{
    return size_t(std::lround(std::max(0.0, seconds) * rate));
}

Signal silence(double seconds, int rate)
{
    return Signal(samplesFor(seconds, rate), 0.0f);
}

Signal whiteNoise(size_t count, Rng& rng)
{
    Signal s(count);
    for (float& x : s)
        x = float(rng.bipolar());
    return s;
}

namespace {

struct CookbookTerms {
    double cosW, alpha;
};

CookbookTerms cookbook(double hz, double q, int rate)
{
    const double w = kTwoPi * std::clamp(hz, 1.0, 0.45 * rate) / rate;
    return { std::cos(w), std::sin(w) / (2.0 * q) };
}

} // namespace

void Biquad::lowpass(double hz, double q, int rate)
{
    const auto [c, alpha] = cookbook(hz, q, rate);
    const double a0 = 1.0 + alpha;
    b0 = (1.0 - c) / 2.0 / a0;
    b1 = (1.0 - c) / a0;
    b2 = b0;
    a1 = -2.0 * c / a0;
    a2 = (1.0 - alpha) / a0;
}

void Biquad::highpass(double hz, double q, int rate)
{
    const auto [c, alpha] = cookbook(hz, q, rate);
    const double a0 = 1.0 + alpha;
    b0 = (1.0 + c) / 2.0 / a0;
    b1 = -(1.0 + c) / a0;
    b2 = b0;
    a1 = -2.0 * c / a0;
    a2 = (1.0 - alpha) / a0;
}

void Biquad::bandpass(double hz, double q, int rate)
{
    const auto [c, alpha] = cookbook(hz, q, rate);
    const double a0 = 1.0 + alpha;
    b0 = alpha / a0;
    b1 = 0.0;
    b2 = -alpha / a0;
    a1 = -2.0 * c / a0;
    a2 = (1.0 - alpha) / a0;
}

void OnePole::cutoff(double hz, int rate)
{
    a = 1.0 - std::exp(-kTwoPi * hz / rate);
}

float PinkFilter::operator()(float white)
{
    b0 = 0.99765 * b0 + white * 0.0990460;
    b1 = 0.96300 * b1 + white * 0.2965164;
    b2 = 0.57000 * b2 + white * 1.0526913;
    return float((b0 + b1 + b2 + white * 0.1848) * 0.25);
}

namespace {

template <class Setup> void applyBiquad(Signal& s, bool looped, Setup&& setup)
{
    Biquad filter;
    setup(filter);
    auto step = [&](size_t, float x) { return filter(x); };
    if (looped)
        processLooped(s, step);
    else
        process(s, step);
}

long wrapIndex(long i, long size)
{
    return ((i % size) + size) % size;
}

} // namespace

void applyLowpass(Signal& s, double hz, double q, int rate, bool looped)
{
    applyBiquad(s, looped, [&](Biquad& f) { f.lowpass(hz, q, rate); });
}

void applyHighpass(Signal& s, double hz, double q, int rate, bool looped)
{
    applyBiquad(s, looped, [&](Biquad& f) { f.highpass(hz, q, rate); });
}

void applyBandpass(Signal& s, double hz, double q, int rate, bool looped)
{
    applyBiquad(s, looped, [&](Biquad& f) { f.bandpass(hz, q, rate); });
}

void addNoiseBurst(
    Signal& dst, int rate, double start, double attack, double tau, double amp, Rng& rng, bool wrap)
{
    const long size = long(dst.size());
    const long first = std::lround(start * rate);
    const long count = long((attack + 6.0 * tau) * rate) + 1;
    for (long n = 0; n < count && size > 0; ++n) {
        long i = first + n;
        if (wrap)
            i = wrapIndex(i, size);
        else if (i >= size)
            break;
        const double value = amp * attackDecay(double(n) / rate, attack, tau) * rng.bipolar();
        if (i >= 0)
            dst[size_t(i)] += float(value);
    }
}

void addBubble(Signal& dst, int rate, double start, double hz, double rise, double tau, double amp, bool wrap)
{
    const long size = long(dst.size());
    const long first = std::lround(start * rate);
    const long count = long(6.0 * tau * rate) + 1;
    double phase = 0.0;
    for (long n = 0; n < count && size > 0; ++n) {
        long i = first + n;
        if (wrap)
            i = wrapIndex(i, size);
        else if (i >= size)
            break;
        const double t = double(n) / rate;
        phase += hz * (1.0 + rise * t / tau) / rate;
        const double env = std::min(1.0, t / 0.0015) * std::exp(-t / tau);
        if (i >= 0)
            dst[size_t(i)] += float(amp * env * std::sin(kTwoPi * phase));
    }
}

void addDampedSine(
    Signal& dst, int rate, double start, double hz, double amp, double tau, double phase, bool wrap)
{
    if (dst.empty() || hz <= 0.0 || hz >= 0.5 * rate || std::fabs(amp) <= 1e-4)
        return;
    const double w = kTwoPi * hz / rate;
    const double r = std::exp(-1.0 / (tau * rate));
    const double c1 = 2.0 * r * std::cos(w);
    const double c2 = r * r;
    const long size = long(dst.size());
    long i = std::lround(start * rate);
    // Stop some 80 dB below full scale: inaudible, and it keeps long notes cheap.
    long remaining = long(tau * rate * std::log(std::fabs(amp) / 1e-4)) + 2;
    // Seed the recursion with sample 0 and the sample "before" it.
    double y1 = amp * std::sin(phase);
    double y2 = amp / r * std::sin(phase - w);
    if (wrap)
        i = wrapIndex(i, size);
    float* out = dst.data();
    while (remaining > 0) {
        if (i >= size) {
            if (!wrap)
                break;
            i = 0;
        }
        // Run up to the end of the buffer (or of the sound) without checks.
        const long stop = std::min(size, i + remaining);
        remaining -= stop - i;
        for (; i < stop; ++i) {
            if (i >= 0)
                out[i] += float(y1);
            const double y0 = c1 * y1 - c2 * y2;
            y2 = y1;
            y1 = y0;
        }
    }
}

Signal chirp(int rate, double seconds, double from, double to, double curve)
{
    Signal s = silence(seconds, rate);
    double phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double u = double(i) / double(s.size());
        const double hz = from + (to - from) * std::pow(u, curve);
        phase += hz / rate;
        phase -= std::floor(phase);
        const double env = smoothstep(u / 0.15) * smoothstep((1.0 - u) / 0.45);
        s[i] = float(env * std::sin(kTwoPi * phase));
    }
    return s;
}

float Saw::operator()(double hz, int rate)
{
    const double dt = std::min(hz / rate, 0.5);
    phase += dt;
    phase -= std::floor(phase);
    double v = 2.0 * phase - 1.0;
    if (phase < dt) {
        const double t = phase / dt;
        v -= t + t - t * t - 1.0;
    } else if (phase > 1.0 - dt) {
        const double t = (phase - 1.0) / dt;
        v -= t * t + t + t + 1.0;
    }
    return float(v);
}

double smoothstep(double x)
{
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

double attackDecay(double t, double attack, double tau)
{
    if (t < 0.0)
        return 0.0;
    if (t < attack)
        return t / attack;
    return std::exp(-(t - attack) / tau);
}

double bell(double t, double start, double rise, double fall)
{
    if (t < start || t > start + rise + fall)
        return 0.0;
    if (t < start + rise)
        return smoothstep((t - start) / rise);
    return 1.0 - smoothstep((t - start - rise) / fall);
}

double keyframes(double x, const std::vector<std::pair<double, double>>& keys)
{
    if (x <= keys.front().first)
        return keys.front().second;
    for (size_t k = 1; k < keys.size(); ++k) {
        if (x <= keys[k].first) {
            const auto& [x0, y0] = keys[k - 1];
            const auto& [x1, y1] = keys[k];
            return y0 + (y1 - y0) * (x - x0) / (x1 - x0);
        }
    }
    return keys.back().second;
}

Signal wanderLoop(size_t count, int cycles, Rng& rng)
{
    std::vector<double> phases, weights;
    for (int k = 1; k <= cycles; ++k) {
        phases.push_back(rng.range(0.0, kTwoPi));
        weights.push_back(rng.range(0.5, 1.0) / std::pow(double(k), 0.7));
    }
    auto at = [&](size_t i) {
        double sum = 0.0;
        for (int k = 1; k <= cycles; ++k)
            sum += weights[k - 1] * std::sin(kTwoPi * k * double(i) / double(count) + phases[k - 1]);
        return sum;
    };
    // The value changes slowly: evaluate every 64 samples and interpolate.
    constexpr size_t kStep = 64;
    Signal s(count, 0.0f);
    for (size_t block = 0; block < count; block += kStep) {
        const size_t end = std::min(count, block + kStep);
        const double a = at(block), b = at(end); // at(count) equals at(0): the loop closes
        for (size_t i = block; i < end; ++i)
            s[i] = float(a + (b - a) * double(i - block) / double(end - block));
    }
    const auto [lo, hi] = std::minmax_element(s.begin(), s.end());
    const float low = *lo, span = std::max(*hi - *lo, 1e-6f);
    for (float& x : s)
        x = (x - low) / span;
    return s;
}

Reverb::Reverb(int rate, double roomSize, double damping, int spread)
    : feedback(float(roomSize * 0.28 + 0.7))
    , damp(float(damping * 0.4))
{
    static const int tuning[kCombs + kAllpasses] = { 1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617, // combs
        556, 441, 341, 225 }; // all-passes
    size_t total = 0;
    for (int k = 0; k < kCombs + kAllpasses; ++k) {
        start[k] = total;
        length[k] = size_t(std::max(1.0, (tuning[k] + spread) * rate / 44100.0));
        total += length[k];
    }
    memory.assign(total, 0.0f);
}

float Reverb::operator()(float x)
{
    float* mem = memory.data();
    const float in = x * 0.015f;
    float out = 0.0f;
    for (int k = 0; k < kCombs; ++k) {
        float* cell = mem + start[k] + pos[k];
        const float y = *cell;
        store[k] = y * (1.0f - damp) + store[k] * damp;
        *cell = in + store[k] * feedback;
        if (++pos[k] == length[k])
            pos[k] = 0;
        out += y;
    }
    for (int k = kCombs; k < kCombs + kAllpasses; ++k) {
        float* cell = mem + start[k] + pos[k];
        const float held = *cell;
        *cell = out + held * 0.5f;
        if (++pos[k] == length[k])
            pos[k] = 0;
        out = held - out;
    }
    return out * 3.0f;
}

void addReverb(Signal& s, Reverb& reverb, float wet, bool looped)
{
    auto step = [&](size_t, float x) { return x + wet * reverb(x); };
    if (looped)
        processLooped(s, step);
    else
        process(s, step);
}

void mixInto(Signal& dst, const Signal& src, long offset, float gain, bool wrap)
{
    const long size = long(dst.size());
    if (size == 0)
        return;
    float* out = dst.data();
    const float* in = src.data();
    const long count = long(src.size());
    if (!wrap) {
        for (long k = std::max(0L, -offset); k < count && offset + k < size; ++k)
            out[offset + k] += gain * in[k];
        return;
    }
    long i = wrapIndex(offset, size);
    for (long k = 0; k < count; ++k) {
        out[i] += gain * in[k];
        if (++i == size)
            i = 0;
    }
}

void mixPanned(Signal& left, Signal& right, const Signal& src, long offset, float gain, double pan, bool wrap)
{
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * kPi / 4.0;
    mixInto(left, src, offset, float(gain * std::cos(angle)), wrap);
    mixInto(right, src, offset, float(gain * std::sin(angle)), wrap);
}

float softClip(float x, float drive)
{
    return float(std::tanh(double(x) * drive) / std::tanh(double(drive)));
}

double peakOf(const Signal& s)
{
    double peak = 0.0;
    for (float x : s)
        peak = std::max(peak, double(std::fabs(x)));
    return peak;
}

void scaleToPeak(Signal& s, double peak)
{
    const double current = peakOf(s);
    if (current > 0.0)
        scale(s, peak / current);
}

void scale(Signal& s, double factor)
{
    for (float& x : s)
        x = float(x * factor);
}

void fadeIn(Signal& s, double seconds, int rate)
{
    const size_t n = std::min(s.size(), samplesFor(seconds, rate));
    for (size_t i = 0; i < n; ++i)
        s[i] *= float(smoothstep(double(i) / double(n)));
}

void fadeOut(Signal& s, double seconds, int rate)
{
    const size_t n = std::min(s.size(), samplesFor(seconds, rate));
    for (size_t i = 0; i < n; ++i)
        s[s.size() - 1 - i] *= float(smoothstep(double(i) / double(n)));
}

} // namespace datagen::synth
