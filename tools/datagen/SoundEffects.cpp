// Short one-shot effects: creatures, steps, blasts and small object sounds.
#include "tools/datagen/SoundRecipes.h"
#include "tools/datagen/SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace datagen::recipes {

using namespace synth;
using Keys = std::vector<std::pair<double, double>>;

namespace {

// How strongly a vocal-tract resonance at `centre` passes `hz`.
double resonance(double hz, double centre, double width)
{
    const double d = (hz - centre) / width;
    return 1.0 / (1.0 + d * d);
}

struct Formant {
    double hz, q, gain;
};

// A parallel bank of band-passes: a crude vocal tract for breath and voice.
Signal formantFilter(const Signal& in, const std::vector<Formant>& formants, int rate)
{
    Signal out(in.size(), 0.0f);
    for (const Formant& f : formants) {
        Signal band = in;
        applyBandpass(band, f.hz, f.q, rate);
        mixInto(out, band, 0, float(f.gain));
    }
    return out;
}

} // namespace

// "Mi-aa-ow": a harmonic voice whose pitch rises and glides down while the
// mouth opens from a nasal "m" through "a" and closes to "u".
SoundClip meow()
{
    const int rate = kFineRate;
    const double length = 0.95;
    const Keys pitch = { { 0, 470 }, { 0.1, 560 }, { 0.28, 780 }, { 0.45, 740 }, { 0.8, 520 }, { 1, 420 } };
    const Keys f1 = { { 0, 350 }, { 0.12, 820 }, { 0.5, 920 }, { 0.8, 620 }, { 1, 420 } };
    const Keys f2 = { { 0, 1700 }, { 0.12, 2100 }, { 0.5, 1800 }, { 0.8, 1200 }, { 1, 850 } };
    const Keys f3 = { { 0, 3000 }, { 0.2, 3400 }, { 1, 2900 } };
    const Keys loudness = { { 0, 0 }, { 0.06, 0.7 }, { 0.2, 1 }, { 0.55, 0.9 }, { 0.82, 0.4 }, { 0.96, 0 } };
    Signal s = silence(length, rate);
    Rng rng(0x6d656f77);
    Signal breath = whiteNoise(s.size(), rng);
    applyBandpass(breath, 2600, 0.8, rate);
    constexpr int kHarmonics = 48;
    double gains[kHarmonics + 1] = {};
    double phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / rate, u = t / length;
        const double f0 = keyframes(u, pitch) * (1.0 + 0.012 * std::sin(kTwoPi * 5.5 * t));
        phase += f0 / rate;
        phase -= std::floor(phase);
        if (i % 64 == 0) {
            for (int k = 1; k <= kHarmonics; ++k) {
                const double hz = k * f0;
                gains[k] = hz > 0.45 * rate
                    ? 0.0
                    : (resonance(hz, keyframes(u, f1), 140) + 0.7 * resonance(hz, keyframes(u, f2), 220)
                          + 0.4 * resonance(hz, keyframes(u, f3), 320))
                        / std::sqrt(double(k));
            }
        }
        // sin(k x) by the Chebyshev recurrence, one cosine per sample.
        const double x = kTwoPi * phase, twoCos = 2.0 * std::cos(x);
        double prev = 0.0, cur = std::sin(x), voice = 0.0;
        for (int k = 1; k <= kHarmonics; ++k) {
            voice += gains[k] * cur;
            const double next = twoCos * cur - prev;
            prev = cur;
            cur = next;
        }
        s[i] = float(keyframes(u, loudness) * (voice + 0.12 * breath[i]));
    }
    SoundClip clip = monoClip(rate, std::move(s));
    normalizePeak(clip, -1.0);
    return clip;
}

namespace {

// A step on grass: the muffled heel, then a dense crunch of blades snapping
// under heel and toe, with a swish of leaves.
SoundClip footstep(uint64_t seed, double toeDelay, double tone)
{
    const int rate = kFineRate;
    Rng rng(seed);
    Signal crunch = silence(0.3, rate);
    // Blades give way fast at first, then fewer and softer as the foot settles.
    auto cluster = [&](double start, double span, int count, double level) {
        for (int n = 0; n < count; ++n) {
            const double u = std::pow(rng.uniform(), 1.8);
            const double amp = level * (1.0 - 0.8 * u) * (0.15 + 0.85 * std::pow(rng.uniform(), 2.0));
            addNoiseBurst(crunch, rate, start + span * u, 0.0002, rng.range(0.0006, 0.0035), amp, rng);
        }
    };
    cluster(0.004, 0.07, 90, 1.0);
    cluster(toeDelay, 0.08, 70, 0.75);
    applyHighpass(crunch, 900 * tone, 0.7, rate);
    applyLowpass(crunch, 7000 * tone, 0.7, rate);

    Signal swish = whiteNoise(crunch.size(), rng);
    applyBandpass(swish, 2400 * tone, 0.6, rate);
    process(
        swish, [&](size_t i, float x) { return float(x * 0.25 * bell(double(i) / rate, 0.0, 0.02, 0.12)); });

    Signal thump = silence(0.3, rate);
    addDampedSine(thump, rate, 0.003, 80 * tone, 0.6, 0.03);
    addNoiseBurst(thump, rate, 0.002, 0.002, 0.015, 0.8, rng);
    applyLowpass(thump, 320, 0.7, rate);

    Signal s = crunch;
    mixInto(s, swish, 0, 1.0f);
    mixInto(s, thump, 0, 1.0f);
    fadeOut(s, 0.03, rate);
    SoundClip clip = monoClip(rate, std::move(s));
    normalizePeak(clip, -3.0);
    return clip;
}

} // namespace

SoundClip footstepGrass()
{
    return footstep(0x57e901, 0.1, 1.0);
}

SoundClip footstepGrass2()
{
    return footstep(0x57e902, 0.12, 0.88);
}

// A blast: a sharp crack, a pressure thump sliding down in pitch, a roaring
// body that darkens as it dies away, falling debris and a long rumble.
SoundClip explosion()
{
    const int rate = kLoopRate;
    const double length = 5.0;
    Rng rng(0xb00b5);
    Signal crack = silence(length, rate);
    addNoiseBurst(crack, rate, 0.0, 0.0005, 0.008, 1.0, rng);
    applyHighpass(crack, 400, 0.7, rate);

    Signal boom = silence(length, rate);
    double phase = 0.0;
    process(boom, [&](size_t i, float) {
        const double t = double(i) / rate;
        phase += (36.0 + 80.0 * std::exp(-t / 0.06)) / rate;
        return float(attackDecay(t, 0.004, 0.45) * std::sin(kTwoPi * phase));
    });

    Signal body = whiteNoise(boom.size(), rng);
    Biquad darkening;
    process(body, [&](size_t i, float x) {
        const double t = double(i) / rate;
        if (i % 32 == 0)
            darkening.lowpass(140 + 2600 * std::exp(-t / 0.18), 0.8, rate);
        return float(darkening(x) * attackDecay(t, 0.003, 0.55));
    });

    Signal rumble = whiteNoise(boom.size(), rng);
    applyLowpass(rumble, 90, 0.7, rate);
    applyLowpass(rumble, 90, 0.7, rate);
    process(rumble, [&](size_t i, float x) { return float(x * attackDecay(double(i) / rate, 0.08, 1.3)); });

    Signal debris = silence(length, rate);
    for (int n = 0; n < 70; ++n) {
        const double t = 0.15 + 2.4 * std::pow(rng.uniform(), 1.8);
        const double amp = (1.0 - t / 2.8) * rng.range(0.1, 1.0);
        addNoiseBurst(debris, rate, t, 0.0005, rng.range(0.004, 0.02), amp, rng);
    }
    applyBandpass(debris, 2200, 0.7, rate);

    Signal s = silence(length, rate);
    for (auto [part, level] :
        { std::pair { &crack, 0.6 }, { &boom, 1.0 }, { &body, 0.85 }, { &rumble, 0.6 }, { &debris, 0.2 } }) {
        scaleToPeak(*part, level);
        mixInto(s, *part, 0, 1.0f);
    }
    process(s, [](size_t, float x) { return softClip(x, 1.8f); });
    Reverb outdoors(rate, 0.7, 0.5);
    addReverb(s, outdoors, 0.15f, false);
    fadeOut(s, 1.2, rate);
    SoundClip clip = monoClip(rate, std::move(s));
    normalizePeak(clip, -0.5);
    return clip;
}

// A close strike: tearing cracks, then rolls of low rumble with a crackling
// growl that come and go as the sound arrives from further along the bolt.
SoundClip thunder()
{
    const int rate = kLoopRate;
    const double length = 8.0;
    Rng rng(0x7b0de);
    Signal crack = silence(length, rate);
    for (int n = 0; n < 10; ++n) {
        const double t = 0.02 + 0.28 * std::pow(rng.uniform(), 1.5);
        addNoiseBurst(crack, rate, t, 0.001, rng.range(0.01, 0.045), 1.0 - n / 13.0, rng);
    }
    applyHighpass(crack, 250, 0.7, rate);

    const double rollTimes[] = { 0.15, 0.9, 1.6, 2.6, 3.7, 5.0 };
    const double rollLevels[] = { 1.0, 0.8, 0.9, 0.6, 0.45, 0.3 };
    auto rolls = [&](double t) {
        double sum = 0.0;
        for (int k = 0; k < 6; ++k)
            sum += rollLevels[k] * bell(t, rollTimes[k] - 0.1, 0.15 + 0.05 * k, 0.7 + 0.25 * k);
        return sum;
    };
    Signal rumble = whiteNoise(crack.size(), rng);
    applyLowpass(rumble, 130, 0.7, rate);
    applyLowpass(rumble, 130, 0.7, rate);
    process(rumble, [&](size_t i, float x) { return float(x * rolls(double(i) / rate)); });

    Signal flutter = whiteNoise(crack.size(), rng);
    applyLowpass(flutter, 14, 0.7, rate);
    scaleToPeak(flutter, 1.0);
    Signal growl = whiteNoise(crack.size(), rng);
    applyBandpass(growl, 380, 0.9, rate);
    process(growl, [&](size_t i, float x) {
        return float(x * std::fabs(flutter[i]) * rolls(double(i) / rate) * std::exp(-double(i) / rate / 2.5));
    });

    Signal s = silence(length, rate);
    for (auto [part, level] : { std::pair { &crack, 0.8 }, { &rumble, 1.0 }, { &growl, 0.45 } }) {
        scaleToPeak(*part, level);
        mixInto(s, *part, 0, 1.0f);
    }
    Reverb sky(rate, 0.85, 0.5);
    addReverb(s, sky, 0.3f, false);
    process(s, [](size_t, float x) { return softClip(x, 1.2f); });
    fadeOut(s, 1.5, rate);
    SoundClip clip = monoClip(rate, std::move(s));
    normalizePeak(clip, -1.0);
    return clip;
}

// A cork leaving a bottle: a click, the hollow "pop" of the neck with its
// falling pitch, a short ring of the bottle, then fizzing bubbles.
SoundClip popCork()
{
    const int rate = kFineRate;
    const double length = 0.6;
    Rng rng(0xc0c4);
    Signal s = silence(length, rate);
    addNoiseBurst(s, rate, 0.002, 0.0001, 0.0004, 0.5, rng);
    double phase = 0.0;
    Signal pop = silence(length, rate);
    process(pop, [&](size_t i, float) {
        const double t = double(i) / rate - 0.003;
        if (t < 0.0)
            return 0.0f;
        phase += (520.0 + 650.0 * std::exp(-t / 0.008)) / rate;
        return float(attackDecay(t, 0.0006, 0.012) * std::sin(kTwoPi * phase));
    });
    mixInto(s, pop, 0, 1.0f);
    Signal thup = silence(length, rate);
    addNoiseBurst(thup, rate, 0.003, 0.0003, 0.006, 0.7, rng);
    applyLowpass(thup, 1800, 0.7, rate);
    mixInto(s, thup, 0, 1.0f);
    addDampedSine(s, rate, 0.006, 430, 0.22, 0.045);

    Signal fizz = silence(length, rate);
    for (int n = 0; n < 260; ++n) {
        const double t = 0.02 + 0.5 * std::pow(rng.uniform(), 2.2);
        addNoiseBurst(fizz, rate, t, 0.0001, rng.range(0.0002, 0.0009), rng.range(0.2, 1.0), rng);
    }
    Signal hiss = whiteNoise(s.size(), rng);
    process(hiss, [&](size_t i, float x) {
        return float(0.25 * x * attackDecay(double(i) / rate - 0.015, 0.01, 0.15));
    });
    mixInto(fizz, hiss, 0, 1.0f);
    applyHighpass(fizz, 3000, 0.7, rate);
    scaleToPeak(fizz, 0.25);
    mixInto(s, fizz, 0, 1.0f);
    fadeOut(s, 0.05, rate);
    SoundClip clip = monoClip(rate, std::move(s));
    normalizePeak(clip, -1.0);
    return clip;
}

// A struck steel plate: inharmonic modes, each a slightly detuned pair that
// beats, higher modes dying faster; a bright strike and a dull thud on top.
SoundClip metalImpact()
{
    const int rate = kFineRate;
    const double length = 2.6;
    struct Mode {
        double ratio, amp, tau;
    };
    const Mode modes[] = { { 1.0, 1.0, 1.5 }, { 2.31, 0.6, 1.1 }, { 2.76, 0.8, 1.0 }, { 3.95, 0.4, 0.7 },
        { 5.40, 0.55, 0.55 }, { 6.62, 0.3, 0.45 }, { 8.93, 0.35, 0.35 }, { 11.3, 0.2, 0.25 },
        { 13.6, 0.15, 0.2 }, { 17.2, 0.1, 0.12 } };
    const double base = 290.0;
    Rng rng(0x3e7a1);
    Signal s = silence(length, rate);
    for (const Mode& m : modes) {
        for (double detune : { -0.0012, 0.0012 })
            addDampedSine(
                s, rate, 0.001, base * m.ratio * (1.0 + detune), m.amp / 2, m.tau, rng.range(0, 0.3));
    }
    Signal strike = silence(length, rate);
    addNoiseBurst(strike, rate, 0.0, 0.0002, 0.002, 1.2, rng);
    applyHighpass(strike, 800, 0.7, rate);
    addDampedSine(strike, rate, 0.0, 110, 0.4, 0.03);
    mixInto(s, strike, 0, 1.0f);
    Reverb yard(rate, 0.6, 0.4);
    addReverb(s, yard, 0.12f, false);
    fadeOut(s, 0.4, rate);
    SoundClip clip = monoClip(rate, std::move(s));
    normalizePeak(clip, -1.0);
    return clip;
}

// Three gulps: liquid glugs (rising bubbles) and the throat's swallow.
SoundClip drinking()
{
    const int rate = kFineRate;
    const double length = 1.7;
    Rng rng(0xd71c);
    Signal s = silence(length, rate);
    Signal slosh = whiteNoise(s.size(), rng);
    applyBandpass(slosh, 900, 0.8, rate);
    Signal sloshEnvelope = silence(length, rate);
    for (int g = 0; g < 3; ++g) {
        const double t0 = 0.08 + 0.5 * g + rng.range(-0.02, 0.02);
        for (double dt : { 0.0, 0.035, 0.08 })
            addBubble(s, rate, t0 + dt + rng.range(0, 0.01), rng.range(260, 420), 0.5,
                rng.range(0.012, 0.022), rng.range(0.5, 0.9));
        const double swallow = t0 + 0.17;
        addDampedSine(s, rate, swallow, 150, 0.7, 0.035);
        addDampedSine(s, rate, swallow + 0.004, 78, 0.5, 0.05);
        Signal click = silence(length, rate);
        addNoiseBurst(click, rate, swallow, 0.001, 0.02, 0.5, rng);
        applyBandpass(click, 600, 1.5, rate);
        mixInto(s, click, 0, 1.0f);
        for (size_t i = 0; i < s.size(); ++i)
            sloshEnvelope[i] += float(bell(double(i) / rate, t0 - 0.02, 0.03, 0.12));
    }
    for (size_t i = 0; i < s.size(); ++i)
        s[i] += 0.15f * slosh[i] * sloshEnvelope[i];
    Reverb mouth(rate, 0.4, 0.6);
    addReverb(s, mouth, 0.1f, false);
    fadeOut(s, 0.05, rate);
    SoundClip clip = monoClip(rate, std::move(s));
    normalizePeak(clip, -2.0);
    return clip;
}

// A mechanical click: the press and, a moment later, the softer release.
SoundClip button()
{
    const int rate = kFineRate;
    Rng rng(0xb077);
    Signal s = silence(0.12, rate);
    for (auto [start, level, pitch] : { std::tuple { 0.002, 1.0, 1.0 }, { 0.045, 0.45, 1.08 } }) {
        addDampedSine(s, rate, start, 1900 * pitch, level, 0.004);
        addDampedSine(s, rate, start, 4100 * pitch, 0.6 * level, 0.0025);
        addDampedSine(s, rate, start, 950 * pitch, 0.4 * level, 0.006);
        addNoiseBurst(s, rate, start, 0.0001, 0.0006, 0.5 * level, rng);
    }
    fadeOut(s, 0.01, rate);
    SoundClip clip = monoClip(rate, std::move(s));
    normalizePeak(clip, -4.0);
    return clip;
}

// Panting after a sprint: loud "haa" exhales and hissing inhales through a
// crude vocal tract, slowing and calming down.
SoundClip breathing()
{
    const int rate = kLoopRate;
    const double length = 4.6;
    Rng rng(0xb4ea7);
    const size_t count = samplesFor(length, rate);
    Signal exhaleEnvelope(count, 0.0f), inhaleEnvelope(count, 0.0f);
    for (double t = 0.05; t < length - 0.3;) {
        const double period = 0.62 + 0.22 * t / length;
        const double strength = 1.0 - 0.4 * t / length;
        const double exhale = 0.5 * period, inhale = 0.4 * period;
        for (size_t i = 0; i < count; ++i) {
            const double ti = double(i) / rate;
            exhaleEnvelope[i] += float(strength * bell(ti, t, 0.2 * exhale, 0.8 * exhale));
            inhaleEnvelope[i] += float(strength * bell(ti, t + exhale + 0.04, 0.5 * inhale, 0.5 * inhale));
        }
        t += period;
    }
    Signal exhaleNoise = whiteNoise(count, rng);
    Signal voice(count);
    Saw glottis;
    process(voice, [&](size_t, float) { return glottis(115, rate); });
    mixInto(exhaleNoise, voice, 0, 0.12f);
    Signal exhale = formantFilter(
        exhaleNoise, { { 750, 4, 1.0 }, { 1250, 5, 0.6 }, { 2600, 6, 0.35 }, { 4200, 1.2, 0.2 } }, rate);
    Signal inhale = formantFilter(whiteNoise(count, rng),
        { { 1050, 4, 0.5 }, { 2200, 5, 0.7 }, { 3500, 4, 0.5 }, { 5200, 1.5, 0.25 } }, rate);
    Signal s(count);
    for (size_t i = 0; i < count; ++i)
        s[i] = exhale[i] * exhaleEnvelope[i] + 0.55f * inhale[i] * inhaleEnvelope[i];
    fadeOut(s, 0.3, rate);
    SoundClip clip = monoClip(rate, std::move(s));
    normalizePeak(clip, -2.0);
    return clip;
}

} // namespace datagen::recipes
