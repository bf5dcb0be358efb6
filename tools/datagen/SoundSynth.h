#pragma once

// A small synthesis kit for the generated sounds: a seeded random source,
// oscillators, filters, envelopes, a reverb and mixing helpers. Everything is
// plain arithmetic on float buffers so the same program writes the same bytes.
//
// Looping sounds are built "around the clock": events are added modulo the
// loop length and stateful filters run over the buffer twice, keeping the
// second pass, so the filter memory at the head is the tail's own memory and
// the last sample leads straight into the first.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace datagen::synth {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

using Signal = std::vector<float>;

// SplitMix64: tiny, fast and the same on every machine.
class Rng {
public:
    explicit Rng(uint64_t seed)
        : state(seed)
    {
    }
    uint64_t next();
    double uniform(); // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    double bipolar() { return range(-1.0, 1.0); }
    int below(int n) { return int(uniform() * n); }

private:
    uint64_t state;
};

size_t samplesFor(double seconds, int rate);
Signal silence(double seconds, int rate);
Signal whiteNoise(size_t count, Rng& rng);

// Runs `step(i, x)` over every sample, writing its result back.
template <class Step> void process(Signal& s, Step&& step)
{
    float* x = s.data();
    const size_t count = s.size();
    for (size_t i = 0; i < count; ++i)
        x[i] = step(i, x[i]);
}

// As `process`, for a loop: a first pass only warms the step's state up, so
// what it remembers at the head is what the tail left behind.
template <class Step> void processLooped(Signal& s, Step&& step)
{
    float* x = s.data();
    const size_t count = s.size();
    for (size_t i = 0; i < count; ++i)
        (void)step(i, x[i]);
    for (size_t i = 0; i < count; ++i)
        x[i] = step(i, x[i]);
}

// Second-order filter (the usual audio cookbook forms), transposed direct form II.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double z1 = 0, z2 = 0;

    void lowpass(double hz, double q, int rate);
    void highpass(double hz, double q, int rate);
    void bandpass(double hz, double q, int rate); // 0 dB at the centre
    float operator()(float x)
    {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return float(y);
    }
};

// First-order smoother; `high` gives the complementary high-pass.
struct OnePole {
    double a = 0, z = 0;

    void cutoff(double hz, int rate);
    float low(float x) { return float(z += a * (x - z)); }
    float high(float x) { return x - low(x); }
};

// Paul Kellet's economy pink-noise filter (-3 dB per octave), fed white noise.
struct PinkFilter {
    double b0 = 0, b1 = 0, b2 = 0;
    float operator()(float white);
};

// A sinusoid whose amplitude decays exponentially, by recursion (two multiplies
// a sample): the building block of struck strings, bars and bubbles.
// Adds amp * exp(-t / tau) * sin(2 pi f t + phase) from `start` until it has
// faded below a ten-thousandth or the buffer ends (or wraps when `wrap`).
// A negative amp gives the opposite phase.
void addDampedSine(Signal& dst, int rate, double start, double hz, double amp, double tau, double phase = 0.0,
    bool wrap = false);

// A gliding sine tone ("chirp"): the frequency follows `from` to `to` along
// t^curve, with a Hann-like envelope; the result is a short buffer.
Signal chirp(int rate, double seconds, double from, double to, double curve = 1.0);

// Naive sawtooth with a polynomial band-limit step, for pads and drones.
struct Saw {
    double phase = 0;
    float operator()(double hz, int rate);
};

// Whole-buffer filtering; `looped` treats the buffer as one turn of a loop.
void applyLowpass(Signal& s, double hz, double q, int rate, bool looped = false);
void applyHighpass(Signal& s, double hz, double q, int rate, bool looped = false);
void applyBandpass(Signal& s, double hz, double q, int rate, bool looped = false);

// Adds a burst of white noise with a linear attack and exponential decay: the
// grain of crackles, ticks, raindrops and debris.
void addNoiseBurst(
    Signal& dst, int rate, double start, double attack, double tau, double amp, Rng& rng, bool wrap = false);

// Adds a bubble: a decaying sine whose pitch rises as it closes (liquid glugs, drips).
void addBubble(
    Signal& dst, int rate, double start, double hz, double rise, double tau, double amp, bool wrap = false);

// Envelope shapes, all functions of time in seconds.
double smoothstep(double x); // 0..1 over x in 0..1, clamped
double attackDecay(double t, double attack, double tau); // linear rise, exponential fall
double bell(double t, double start, double rise, double fall); // smooth up and down, 0 outside
// Piecewise-linear interpolation through (x, y) key points sorted by x.
double keyframes(double x, const std::vector<std::pair<double, double>>& keys);

// A slowly wandering control value in 0..1 for a loop of `count` samples:
// a few sine cycles that fit the loop a whole number of times.
Signal wanderLoop(size_t count, int cycles, Rng& rng);

// Schroeder-Moorer reverb (eight damped combs into four all-passes), tuned for
// 44.1 kHz and scaled to the rate. `spread` offsets the delays for a second channel.
class Reverb {
public:
    Reverb(int rate, double roomSize, double damping, int spread = 0);
    float operator()(float x);

private:
    static constexpr int kCombs = 8;
    static constexpr int kAllpasses = 4;
    // One delay memory; line k occupies [start[k], start[k] + length[k]).
    std::vector<float> memory;
    size_t start[kCombs + kAllpasses] = {};
    size_t length[kCombs + kAllpasses] = {};
    size_t pos[kCombs + kAllpasses] = {};
    float store[kCombs] = {};
    float feedback;
    float damp;
};

// Mixes `wet` of the reverberated signal into `s` (dry kept).
void addReverb(Signal& s, Reverb& reverb, float wet, bool looped);

// Adds `src` times `gain` into `dst` starting at sample `offset`: cut at the
// end, or wrapped around to the head when `wrap` (for loops).
void mixInto(Signal& dst, const Signal& src, long offset, float gain, bool wrap = false);

// Equal-power pan of a mono source into two channels, pan in -1..1.
void mixPanned(
    Signal& left, Signal& right, const Signal& src, long offset, float gain, double pan, bool wrap);

// Gentle saturation that keeps small signals linear and rounds peaks.
float softClip(float x, float drive);

double peakOf(const Signal& s);
// Scales `s` so its peak is `peak` (linear); silent buffers stay silent.
void scaleToPeak(Signal& s, double peak);
void scale(Signal& s, double factor);
void fadeIn(Signal& s, double seconds, int rate);
void fadeOut(Signal& s, double seconds, int rate);

} // namespace datagen::synth
