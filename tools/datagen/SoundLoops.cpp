// Short seamless loops: fire, fuse, heartbeat, static and the jetpack.
// Every event wraps around the loop and every filter runs looped, so the last
// sample runs straight on into the first.
#include "tools/datagen/SoundRecipes.h"
#include "tools/datagen/SoundSynth.h"

#include <cmath>
#include <tuple>

namespace datagen::recipes {

using namespace synth;

namespace {

// Smoothed random wobble in 0..1 that repeats with the loop.
Signal flutterLoop(size_t count, double hz, int rate, Rng& rng)
{
    Signal s = whiteNoise(count, rng);
    OnePole a, b;
    a.cutoff(hz, rate);
    b.cutoff(hz, rate);
    processLooped(s, [&](size_t, float x) { return b.low(a.low(x)); });
    scaleToPeak(s, 1.0);
    for (float& x : s)
        x = 0.5f + 0.5f * x;
    return s;
}

// Random crackles in a loop: a Poisson stream of tiny noise grains whose rate
// follows `density` (events per second at 1) and whose loudness is heavy-tailed.
void addCrackles(Signal& dst, int rate, double perSecond, const Signal& density, double shortest,
    double longest, double tail, Rng& rng)
{
    const double seconds = double(dst.size()) / rate;
    for (double t = 0; t < seconds; t += -std::log(1.0 - rng.uniform()) / perSecond) {
        const size_t i = std::min(dst.size() - 1, size_t(t * rate));
        if (rng.uniform() > density[i])
            continue;
        const double amp = std::pow(rng.uniform(), tail);
        addNoiseBurst(dst, rate, t, 0.0001, rng.range(shortest, longest), amp, rng, true);
    }
}

SoundClip finishLoop(Signal s, int rate, double peakDb)
{
    SoundClip clip = monoClip(rate, std::move(s));
    normalizePeak(clip, peakDb);
    return clip;
}

} // namespace

// A wood fire: the low roar of the flames, a soft hiss, and crackles and pops
// of splitting wood, sometimes in quick clusters.
SoundClip bonfire()
{
    const int rate = kLoopRate;
    const size_t count = samplesFor(8.0, rate);
    Rng rng(0xf1e);
    const Signal flicker = flutterLoop(count, 3.0, rate, rng);

    Signal roar = whiteNoise(count, rng);
    applyLowpass(roar, 180, 0.7, rate, true);
    applyLowpass(roar, 180, 0.7, rate, true);
    process(roar, [&](size_t i, float x) { return x * (0.5f + 0.5f * flicker[i]); });
    scaleToPeak(roar, 0.35);

    Signal hiss = whiteNoise(count, rng);
    applyBandpass(hiss, 1400, 0.5, rate, true);
    process(hiss, [&](size_t i, float x) { return x * flicker[i] * flicker[i]; });
    scaleToPeak(hiss, 0.06);

    const Signal activity = flutterLoop(count, 0.8, rate, rng);
    Signal crackle(count, 0.0f);
    addCrackles(crackle, rate, 40.0, activity, 0.0003, 0.003, 3.0, rng);
    for (int cluster = 0; cluster < 6; ++cluster) {
        const double start = rng.range(0.0, 8.0);
        for (int n = 0; n < 12; ++n)
            addNoiseBurst(crackle, rate, start + rng.range(0, 0.06), 0.0001, rng.range(0.0003, 0.0012),
                rng.range(0.2, 0.7), rng, true);
    }
    applyHighpass(crackle, 1500, 0.7, rate, true);

    Signal pops(count, 0.0f);
    for (int n = 0; n < 14; ++n)
        addDampedSine(
            pops, rate, rng.range(0.0, 8.0), rng.range(700, 2000), rng.range(0.3, 1.0), 0.008, 0.0, true);
    Signal s = roar;
    mixInto(s, hiss, 0, 1.0f);
    scaleToPeak(crackle, 0.9);
    mixInto(s, crackle, 0, 1.0f);
    mixInto(s, pops, 0, 0.35f);
    return finishLoop(std::move(s), rate, -2.0);
}

// A burning fuse: bright spitting hiss with fast flutter and sparks.
SoundClip fuse()
{
    const int rate = kLoopRate;
    const size_t count = samplesFor(2.0, rate);
    Rng rng(0xf05e);
    const Signal flutter = flutterLoop(count, 40.0, rate, rng);
    Signal hiss = whiteNoise(count, rng);
    applyHighpass(hiss, 1800, 0.7, rate, true);
    applyLowpass(hiss, 9000, 0.7, rate, true);
    process(hiss, [&](size_t i, float x) { return x * (0.45f + 0.55f * flutter[i]); });
    scaleToPeak(hiss, 0.6);

    const Signal always(count, 1.0f);
    Signal sparks(count, 0.0f);
    addCrackles(sparks, rate, 70.0, always, 0.0002, 0.0015, 2.5, rng);
    applyHighpass(sparks, 2500, 0.7, rate, true);
    scaleToPeak(sparks, 0.8);
    mixInto(hiss, sparks, 0, 1.0f);
    return finishLoop(std::move(hiss), rate, -3.0);
}

// A frightened heart at 100 beats a minute: "lub-dub" thumps, the first
// deeper and stronger, muffled as if heard from inside the chest.
SoundClip heartbeat()
{
    const int rate = kLoopRate;
    const double period = 0.6;
    const int beats = 4;
    Signal s = silence(period * beats, rate);
    Rng rng(0x4ea27);
    for (int b = 0; b < beats; ++b) {
        const double t = b * period;
        const double strength = 1.0 - 0.06 * (b % 2);
        for (auto [offset, level, pitch, tau] :
            { std::tuple { 0.0, 1.0, 1.0, 0.045 }, std::tuple { 0.24, 0.7, 1.3, 0.035 } }) {
            Signal thump = silence(0.35, rate);
            double phase = 0.0;
            process(thump, [&](size_t i, float) {
                const double ti = double(i) / rate;
                phase += pitch * (46.0 + 32.0 * std::exp(-ti / 0.02)) / rate;
                return float(attackDecay(ti, 0.006, tau) * std::sin(kTwoPi * phase));
            });
            addNoiseBurst(thump, rate, 0.0, 0.003, 0.02, 0.3, rng);
            mixInto(s, thump, long((t + offset) * rate), float(level * strength), true);
        }
    }
    // A little saturation lets the thumps be heard on small speakers.
    process(s, [](size_t, float x) { return softClip(x, 2.2f); });
    applyLowpass(s, 420, 0.7, rate, true);
    return finishLoop(std::move(s), rate, -3.0);
}

// Interference static: band-limited hiss that flutters and crackles over a
// faint mains buzz.
SoundClip staticNoise()
{
    const int rate = kLoopRate;
    const size_t count = samplesFor(3.0, rate);
    Rng rng(0x57a71c);
    const Signal flutter = flutterLoop(count, 25.0, rate, rng);
    Signal s = whiteNoise(count, rng);
    applyHighpass(s, 300, 0.7, rate, true);
    applyLowpass(s, 7000, 0.7, rate, true);
    process(s, [&](size_t i, float x) { return x * (0.35f + 0.65f * flutter[i]); });
    scaleToPeak(s, 0.6);

    const Signal always(count, 1.0f);
    Signal crackle(count, 0.0f);
    addCrackles(crackle, rate, 30.0, always, 0.0002, 0.002, 2.0, rng);
    scaleToPeak(crackle, 0.7);
    mixInto(s, crackle, 0, 1.0f);

    // 50 Hz and its odd harmonics fit the 3 s loop a whole number of times.
    for (size_t i = 0; i < count; ++i) {
        const double t = double(i) / rate;
        double buzz = 0.0;
        for (int k = 1; k <= 9; k += 2)
            buzz += std::sin(kTwoPi * 50.0 * k * t) / k;
        s[i] += float(0.06 * buzz);
    }
    return finishLoop(std::move(s), rate, -3.0);
}

// A jetpack burning: a turbulent low roar with combustion rumble, burbling
// and the hiss of the nozzles.
SoundClip jetpack()
{
    const int rate = kLoopRate;
    const size_t count = samplesFor(3.0, rate);
    Rng rng(0x1e7);
    const Signal turbulence = flutterLoop(count, 30.0, rate, rng);
    Signal roar = whiteNoise(count, rng);
    applyLowpass(roar, 900, 0.7, rate, true);
    Signal rumble = whiteNoise(count, rng);
    applyBandpass(rumble, 140, 2.0, rate, true);
    scaleToPeak(roar, 0.5);
    scaleToPeak(rumble, 0.6);
    mixInto(roar, rumble, 0, 1.0f);
    process(roar, [&](size_t i, float x) { return x * (0.7f + 0.3f * turbulence[i]); });

    const Signal always(count, 1.0f);
    Signal burble(count, 0.0f);
    addCrackles(burble, rate, 60.0, always, 0.002, 0.008, 1.5, rng);
    applyLowpass(burble, 400, 0.7, rate, true);
    scaleToPeak(burble, 0.35);

    Signal hiss = whiteNoise(count, rng);
    applyHighpass(hiss, 2500, 0.7, rate, true);
    process(hiss, [&](size_t i, float x) { return x * (0.6f + 0.4f * turbulence[i]); });
    scaleToPeak(hiss, 0.12);

    Signal s = roar;
    mixInto(s, burble, 0, 1.0f);
    mixInto(s, hiss, 0, 1.0f);
    process(s, [](size_t, float x) { return softClip(x, 1.5f); });
    return finishLoop(std::move(s), rate, -2.0);
}

} // namespace datagen::recipes
