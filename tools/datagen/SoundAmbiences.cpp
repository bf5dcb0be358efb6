// The three stereo ambience loops: forest with birds, forest in rain, and the
// desert at night. They play listener-relative, so two channels add width.
#include "tools/datagen/SoundRecipes.h"
#include "tools/datagen/SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace datagen::recipes {

using namespace synth;

namespace {

constexpr double kAmbienceSeconds = 16.0;

struct Stereo {
    Signal left, right;
};

Stereo stereoSilence(size_t count)
{
    return { Signal(count, 0.0f), Signal(count, 0.0f) };
}

void mixStereo(Stereo& dst, const Stereo& src, float gain)
{
    mixInto(dst.left, src.left, 0, gain, true);
    mixInto(dst.right, src.right, 0, gain, true);
}

// Wind in the trees: pink noise whose brightness and loudness follow the
// gusts, and leaves rustling when the gusts are strong. The right channel
// hears each gust a moment later, as if it travelled past.
Stereo windInTrees(const Signal& gust, int rate, double leaves, Rng& rng)
{
    const size_t count = gust.size();
    const size_t lag = samplesFor(0.4, rate);
    Stereo out = stereoSilence(count);
    for (Signal* channel : { &out.left, &out.right }) {
        const size_t shift = channel == &out.left ? 0 : lag;
        // Never quite still: a breeze remains between the gusts.
        auto g = [&](size_t i) { return 0.2 + 0.8 * double(gust[(i + count - shift) % count]); };
        Signal wind = whiteNoise(count, rng);
        PinkFilter pink;
        Biquad tone;
        processLooped(wind, [&](size_t i, float x) {
            if (i % 32 == 0)
                tone.lowpass(300 + 1400 * g(i), 0.6, rate);
            return float(tone(pink(x)) * (0.3 + 0.7 * g(i)));
        });
        scaleToPeak(wind, 1.0);
        Signal rustle = whiteNoise(count, rng);
        applyBandpass(rustle, 3200, 0.6, rate, true);
        Signal flutter = whiteNoise(count, rng);
        applyLowpass(flutter, 7, 0.7, rate, true);
        scaleToPeak(flutter, 1.0);
        for (size_t i = 0; i < count; ++i)
            rustle[i] *= float(g(i) * g(i) * (0.5 + 0.5 * std::fabs(flutter[i])));
        scaleToPeak(rustle, leaves);
        mixInto(*channel, wind, 0, 1.0f);
        mixInto(*channel, rustle, 0, 1.0f);
    }
    return out;
}

// Bird phrases, each a short mono buffer.
Signal whistler(int rate, Rng& rng)
{
    Signal phrase = silence(1.2, rate);
    const int notes = 2 + rng.below(3);
    double t = 0.0;
    const double base = rng.range(2200, 3600);
    for (int n = 0; n < notes; ++n) {
        const double from = base * rng.range(0.85, 1.2);
        const double to = from * (rng.uniform() < 0.5 ? rng.range(0.65, 0.85) : rng.range(1.15, 1.4));
        const double length = rng.range(0.08, 0.2);
        mixInto(phrase, chirp(rate, length, from, to, rng.range(0.6, 1.6)), long(t * rate), 1.0f);
        t += length + rng.range(0.05, 0.12);
    }
    phrase.resize(std::min(phrase.size(), samplesFor(t, rate)));
    return phrase;
}

Signal trill(int rate, Rng& rng)
{
    const int elements = 8 + rng.below(9);
    const double spacing = rng.range(0.055, 0.075);
    const double top = rng.range(4800, 5800);
    Signal phrase = silence(elements * spacing + 0.05, rate);
    for (int n = 0; n < elements; ++n) {
        const double level = std::sin(kPi * (n + 0.5) / elements);
        mixInto(phrase, chirp(rate, 0.035, top, top * 0.68, 0.7), long(n * spacing * rate), float(level));
    }
    return phrase;
}

Signal chips(int rate, Rng& rng)
{
    const int count = 2 + rng.below(3);
    Signal phrase = silence(count * 0.13 + 0.05, rate);
    for (int n = 0; n < count; ++n)
        mixInto(phrase, chirp(rate, 0.025, rng.range(5600, 6400), rng.range(3900, 4500), 0.5),
            long((n * 0.12 + rng.range(0, 0.02)) * rate), 1.0f);
    return phrase;
}

// An owl far off: "hoo ... hoo-hoo", breathy and soft.
Signal owl(int rate, Rng& rng)
{
    Signal phrase = silence(1.6, rate);
    const double pitch = rng.range(360, 400);
    for (auto [start, length] : { std::pair { 0.0, 0.38 }, { 0.75, 0.2 }, { 1.05, 0.4 } })
        mixInto(phrase, chirp(rate, length, pitch, pitch * 0.93, 1.0), long(start * rate), 1.0f);
    Signal breath = whiteNoise(phrase.size(), rng);
    applyBandpass(breath, pitch * 2, 3.0, rate);
    for (size_t i = 0; i < phrase.size(); ++i)
        phrase[i] += 0.3f * breath[i] * std::fabs(phrase[i]);
    return phrase;
}

// Scatters `events` bird phrases over the loop with random pan and distance,
// then lets the forest reverberate them.
Stereo birds(size_t count, int rate, int events, bool withOwl, Rng& rng)
{
    Stereo out = stereoSilence(count);
    bool owlSung = !withOwl;
    for (int e = 0; e < events; ++e) {
        const double pick = rng.uniform();
        Signal phrase = !owlSung && pick < 0.1 ? (owlSung = true, owl(rate, rng))
            : pick < 0.5                       ? whistler(rate, rng)
            : pick < 0.75                      ? trill(rate, rng)
                                               : chips(rate, rng);
        // One phrase in each slice of the loop, so the birds neither crowd nor fall silent.
        const long at = long((e + rng.range(0.05, 0.8)) * double(count) / events);
        mixPanned(out.left, out.right, phrase, at, float(rng.range(0.3, 1.0)), rng.range(-0.8, 0.8), true);
    }
    Reverb left(rate, 0.75, 0.4), right(rate, 0.75, 0.4, 23);
    addReverb(out.left, left, 0.35f, true);
    addReverb(out.right, right, 0.35f, true);
    return out;
}

SoundClip finishAmbience(Stereo s, int rate, double peakDb)
{
    SoundClip clip = stereoClip(rate, s.left, s.right);
    normalizePeak(clip, peakDb);
    return clip;
}

} // namespace

SoundClip forestBirds()
{
    const int rate = kLoopRate;
    const size_t count = samplesFor(kAmbienceSeconds, rate);
    Rng rng(0xf0e57);
    const Signal gust = wanderLoop(count, 5, rng);
    Stereo s = windInTrees(gust, rate, 0.5, rng);
    scale(s.left, 0.45);
    scale(s.right, 0.45);
    mixStereo(s, birds(count, rate, 14, true, rng), 0.9f);
    return finishAmbience(std::move(s), rate, -4.0);
}

namespace {

// Rain on leaves: a dense wash of hiss, countless tiny drop ticks and little
// ringing blips, and now and then a bigger drip.
Signal rainChannel(size_t count, int rate, Rng& rng)
{
    Signal wash = whiteNoise(count, rng);
    applyHighpass(wash, 400, 0.7, rate, true);
    applyLowpass(wash, 5500, 0.7, rate, true);
    scaleToPeak(wash, 0.35);
    Signal roar = whiteNoise(count, rng);
    PinkFilter pink;
    processLooped(roar, [&](size_t, float x) { return pink(x); });
    applyLowpass(roar, 600, 0.7, rate, true);
    scaleToPeak(roar, 0.25);

    Signal drops(count, 0.0f);
    const double seconds = double(count) / rate;
    for (double t = 0; t < seconds; t += -std::log(1.0 - rng.uniform()) / 220.0) {
        const double amp = std::pow(rng.uniform(), 3.0);
        if (rng.uniform() < 0.7)
            addNoiseBurst(drops, rate, t, 0.0001, rng.range(0.0008, 0.002), amp, rng, true);
        else
            addDampedSine(drops, rate, t, rng.range(2500, 6000), 0.6 * amp, 0.003, 0.0, true);
    }
    for (double t = rng.range(0, 0.5); t < seconds; t += rng.range(0.2, 0.7))
        addBubble(
            drops, rate, t, rng.range(1200, 2400), 0.6, rng.range(0.008, 0.014), rng.range(0.3, 0.6), true);
    scaleToPeak(drops, 0.6);

    Signal s = wash;
    mixInto(s, roar, 0, 1.0f);
    mixInto(s, drops, 0, 1.0f);
    return s;
}

} // namespace

SoundClip forestRainMidBirds()
{
    const int rate = kLoopRate;
    const size_t count = samplesFor(kAmbienceSeconds, rate);
    Rng rng(0x4a1f);
    Stereo s { rainChannel(count, rate, rng), rainChannel(count, rate, rng) };
    const Signal gust = wanderLoop(count, 4, rng);
    mixStereo(s, windInTrees(gust, rate, 0.3, rng), 0.25f);
    mixStereo(s, birds(count, rate, 6, false, rng), 0.45f);
    return finishAmbience(std::move(s), rate, -4.0);
}

namespace {

// Desert wind: a low rumble, a hollow howl whose pitch rises with the gusts,
// and sand hissing at the strongest of them.
Signal desertWind(const Signal& gust, int rate, Rng& rng)
{
    const size_t count = gust.size();
    Signal rumble = whiteNoise(count, rng);
    PinkFilter pink;
    processLooped(rumble, [&](size_t i, float x) { return float(pink(x) * (0.3 + 0.7 * gust[i])); });
    applyLowpass(rumble, 180, 0.7, rate, true);
    scaleToPeak(rumble, 0.5);

    Signal howl(count, 0.0f);
    for (auto [ratio, q, level] : { std::tuple { 1.0, 6.0, 0.6 }, std::tuple { 1.5, 8.0, 0.3 } }) {
        Signal band = whiteNoise(count, rng);
        Biquad resonator;
        processLooped(band, [&](size_t i, float x) {
            if (i % 32 == 0) {
                const double wobble = 40.0 * std::sin(kTwoPi * 7.0 * double(i) / double(count));
                resonator.bandpass(ratio * (300 + 420 * gust[i] + wobble), q, rate);
            }
            return float(resonator(x) * std::pow(0.15 + 0.85 * gust[i], 1.5));
        });
        scaleToPeak(band, level);
        mixInto(howl, band, 0, 1.0f);
    }
    Signal sand = whiteNoise(count, rng);
    applyHighpass(sand, 2500, 0.7, rate, true);
    process(sand, [&](size_t i, float x) { return x * (0.1f + gust[i] * gust[i]); });
    scaleToPeak(sand, 0.08);

    Signal s = rumble;
    mixInto(s, howl, 0, 1.0f);
    mixInto(s, sand, 0, 1.0f);
    return s;
}

// One cricket chirp: a few pulses of a pure high tone.
Signal cricketChirp(int rate, double carrier, int pulses)
{
    Signal chirpBuffer = silence(pulses * 0.022 + 0.01, rate);
    for (size_t i = 0; i < chirpBuffer.size(); ++i) {
        const double t = double(i) / rate;
        const double inPulse = std::fmod(t, 0.022);
        if (inPulse > 0.012)
            continue;
        const double env = std::pow(std::sin(kPi * inPulse / 0.012), 2.0);
        chirpBuffer[i]
            = float(env * (std::sin(kTwoPi * carrier * t) + 0.15 * std::sin(kTwoPi * 2 * carrier * t)));
    }
    return chirpBuffer;
}

} // namespace

SoundClip desertNight()
{
    const int rate = kLoopRate;
    const size_t count = samplesFor(kAmbienceSeconds, rate);
    Rng rng(0xde5e47);
    const Signal gust = wanderLoop(count, 4, rng);
    const size_t lag = samplesFor(0.3, rate);
    Signal lagged(count);
    for (size_t i = 0; i < count; ++i)
        lagged[i] = gust[(i + count - lag) % count];
    Stereo s { desertWind(gust, rate, rng), desertWind(lagged, rate, rng) };

    // Crickets keep a steady rhythm: a whole number of chirps per loop.
    struct Cricket {
        double carrier, period, pan, level;
        int pulses;
    };
    const Cricket crickets[]
        = { { 4300, 0.55, -0.6, 0.5, 3 }, { 4750, 0.7, 0.5, 0.4, 4 }, { 5100, 0.45, 0.1, 0.15, 3 } };
    Stereo chorus = stereoSilence(count);
    for (const Cricket& c : crickets) {
        const double seconds = double(count) / rate;
        const int chirps = int(std::lround(seconds / c.period));
        const double period = seconds / chirps;
        const Signal one = cricketChirp(rate, c.carrier, c.pulses);
        const double offset = rng.range(0.0, period);
        for (int k = 0; k < chirps; ++k)
            mixPanned(chorus.left, chorus.right, one, long((offset + k * period) * rate), float(c.level),
                c.pan, true);
    }
    mixStereo(s, chorus, 1.0f);
    return finishAmbience(std::move(s), rate, -4.0);
}

} // namespace datagen::recipes
