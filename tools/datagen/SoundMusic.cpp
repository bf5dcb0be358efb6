// Jingles and stings: the happy chime of a freed cat, the piano stabs when
// Death is seen, the end of the game and the dark ambient stings.
#include "tools/datagen/SoundRecipes.h"
#include "tools/datagen/SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace datagen::recipes {

using namespace synth;

namespace {

// Frequency of a note counted in semitones from A4 (440 Hz).
double note(double semitonesFromA4)
{
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

// A struck piano string: stretched (inharmonic) partials shaped by where the
// hammer hits, two detuned strings per partial whose beating gives the
// piano's two-stage decay, and a felt thump at the onset. A key let go after
// `held` seconds is damped.
void addPianoNote(
    Signal& dst, int rate, double start, double hz, double velocity, Rng& rng, double held = 10.0)
{
    const double stretch = 0.0004;
    const double sustain = std::min(std::clamp(4.0 * std::sqrt(110.0 / hz), 0.8, 7.0), held);
    const double brightness = 1.3 - 0.6 * velocity;
    for (int k = 1; k <= 30; ++k) {
        const double partial = k * hz * std::sqrt(1.0 + stretch * k * k);
        if (partial > std::min(0.45 * rate, 6000.0))
            break;
        const double hammer = std::fabs(std::sin(kPi * k / 7.3)) + 0.05;
        const double amp = velocity * hammer / std::pow(double(k), brightness);
        const double tau = sustain / (1.0 + 0.12 * std::pow(double(k), 1.3));
        // The beating of the string pair is heard on the strong low partials only.
        if (k <= 6) {
            addDampedSine(dst, rate, start, partial * 0.9995, amp / 2, tau, 0.0);
            addDampedSine(dst, rate, start, partial * 1.0005, amp / 2, tau, 0.0);
        } else {
            addDampedSine(dst, rate, start, partial, amp, tau, 0.0);
        }
    }
    Signal thump = silence(0.08, rate);
    addNoiseBurst(thump, rate, 0.0, 0.001, 0.01, 0.25 * velocity, rng);
    applyLowpass(thump, 600 + 2 * hz, 0.7, rate);
    mixInto(dst, thump, long(start * rate), 1.0f);
}

// A small bell or celesta tone: a pure fundamental with a bright octave and
// an inharmonic shimmer. Each partial takes a millisecond or two to speak (a
// quickly fading copy in opposite phase), which softens the strike's click.
void addBell(Signal& dst, int rate, double start, double hz, double amp, double tau)
{
    for (auto [ratio, level, decay] :
        { std::tuple { 1.0, 1.0, 1.0 }, { 2.0, 0.35, 0.5 }, { 4.07, 0.15, 0.25 } }) {
        addDampedSine(dst, rate, start, hz * ratio, level * amp, tau * decay);
        addDampedSine(dst, rate, start, hz * ratio, -level * amp, 0.0015);
    }
}

// Detuned sawtooth voices through a low-pass: a dark pad for drones.
Signal pad(int rate, double seconds, const std::vector<double>& notes, double cutoff, Rng& rng)
{
    Signal s = silence(seconds, rate);
    for (double hz : notes) {
        for (double detune : { -0.004, 0.0, 0.0037 }) {
            Saw saw;
            saw.phase = rng.uniform();
            process(s, [&](size_t, float x) { return x + saw(hz * (1.0 + detune), rate); });
        }
    }
    applyLowpass(s, cutoff, 0.8, rate);
    applyLowpass(s, cutoff, 0.8, rate);
    return s;
}

// A low sine thump sliding down in pitch: the boom under a hit.
void addBoom(Signal& dst, int rate, double start, double from, double to, double tau, double amp)
{
    double phase = 0.0;
    for (size_t i = samplesFor(start, rate); i < dst.size(); ++i) {
        const double t = double(i) / rate - start;
        if (t > 8.0 * tau)
            break;
        phase += (to + (from - to) * std::exp(-t / 0.08)) / rate;
        dst[i] += float(amp * attackDecay(t, 0.005, tau) * std::sin(kTwoPi * phase));
    }
}

void shape(Signal& s, int rate, double attack, double release)
{
    fadeIn(s, attack, rate);
    fadeOut(s, release, rate);
}

SoundClip finish(Signal s, int rate, double peakDb)
{
    SoundClip clip = monoClip(rate, std::move(s));
    normalizePeak(clip, peakDb);
    return clip;
}

} // namespace

// A bright rising major arpeggio with a warm chord and a sparkle on top.
SoundClip success()
{
    const int rate = kFineRate;
    Rng rng(0x5cce55);
    Signal s = silence(1.8, rate);
    const double arpeggio[] = { 15, 19, 22, 27 }; // C6 E6 G6 C7
    for (int n = 0; n < 4; ++n)
        addBell(s, rate, 0.02 + 0.1 * n + (n == 3 ? 0.02 : 0.0), note(arpeggio[n]), 1.0, n == 3 ? 0.8 : 0.35);
    Signal chord = silence(1.8, rate);
    for (double semitone : { 3.0, 7.0, 10.0 }) { // C5 E5 G5
        const double hz = note(semitone);
        for (size_t i = samplesFor(0.34, rate); i < chord.size(); ++i) {
            const double t = double(i) / rate - 0.34;
            const double env = attackDecay(t, 0.03, 0.9);
            chord[i] += float(env * (std::sin(kTwoPi * hz * t) + 0.3 * std::sin(kTwoPi * 2 * hz * t)));
        }
    }
    mixInto(s, chord, 0, 0.3f);
    const double sparkle[] = { 15, 17, 19, 22, 24, 27 }; // C major pentatonic, C6 to C7
    for (int n = 0; n < 5; ++n)
        addBell(s, rate, rng.range(0.38, 0.9), note(sparkle[rng.below(6)]), 0.15, 0.2);
    Reverb hall(rate, 0.7, 0.3);
    addReverb(s, hall, 0.25f, false);
    fadeOut(s, 0.15, rate);
    return finish(std::move(s), rate, -2.0);
}

// Slammed low keys against a clashing high minor second.
SoundClip piano1()
{
    const int rate = kFineRate;
    Rng rng(0x91a01);
    Signal s = silence(4.5, rate);
    for (double semitone : { -36.0, -35.0, -29.0, -24.0 }) // A1 Bb1 E2 A2
        addPianoNote(s, rate, 0.005, note(semitone), 1.0, rng);
    for (double semitone : { 13.0, 14.0 }) // Bb5 B5
        addPianoNote(s, rate, 0.012, note(semitone), 0.6, rng);
    Reverb room(rate, 0.85, 0.4);
    addReverb(s, room, 0.35f, false);
    fadeOut(s, 0.6, rate);
    return finish(std::move(s), rate, -1.0);
}

// "Da-DUM": a thin high cluster answered by a crushing low one.
SoundClip piano2()
{
    const int rate = kFineRate;
    Rng rng(0x91a02);
    Signal s = silence(4.5, rate);
    for (double semitone : { 2.0, 3.0, 8.0 }) // B4 C5 F5
        addPianoNote(s, rate, 0.005, note(semitone + 12), 0.55, rng);
    for (double semitone : { -40.0, -39.0, -34.0 }) // F1 F#1 C2
        addPianoNote(s, rate, 0.45, note(semitone), 1.0, rng);
    Reverb room(rate, 0.85, 0.4);
    addReverb(s, room, 0.35f, false);
    fadeOut(s, 0.6, rate);
    return finish(std::move(s), rate, -1.0);
}

// Caught: a massive low hit with a falling shriek, sinking into a dark drone.
SoundClip endSting()
{
    const int rate = kLoopRate;
    Rng rng(0xe9d);
    const double length = 7.0;
    Signal s = silence(length, rate);
    for (double semitone : { -43.0, -42.0, -36.0, -31.0 }) // D1 Eb1 A1 D2
        addPianoNote(s, rate, 0.01, note(semitone), 1.0, rng);
    addBoom(s, rate, 0.01, 70, 30, 0.7, 1.2);
    Signal burst = silence(length, rate);
    addNoiseBurst(burst, rate, 0.005, 0.002, 0.08, 0.8, rng);
    applyLowpass(burst, 1000, 0.7, rate);
    mixInto(s, burst, 0, 1.0f);

    Signal shriek = silence(length, rate);
    for (double start : { 1250.0, 1318.0, 1190.0 }) {
        Saw saw;
        process(shriek, [&](size_t i, float x) {
            const double t = double(i) / rate;
            const double hz
                = start * (0.55 + 0.45 * std::exp(-t / 1.5)) * (1.0 + 0.01 * std::sin(kTwoPi * 6.0 * t));
            return float(x + saw(hz, rate) * attackDecay(t - 0.02, 0.03, 1.5));
        });
    }
    applyLowpass(shriek, 5000, 0.7, rate);
    mixInto(s, shriek, 0, 0.12f);

    Signal drone = pad(rate, length, { note(-31), note(-30) }, 600, rng);
    shape(drone, rate, 0.5, 2.5);
    mixInto(s, drone, 0, 0.12f);
    Reverb hall(rate, 0.88, 0.35);
    addReverb(s, hall, 0.4f, false);
    fadeOut(s, 1.0, rate);
    return finish(std::move(s), rate, -1.0);
}

// A beating low drone whose filter slowly opens and closes, an eerie
// whistle wavering a quarter-tone apart and distant metallic tings.
SoundClip creepyAmbience()
{
    const int rate = kLoopRate;
    const double length = 12.0;
    Rng rng(0xc4ee9);
    Signal s = silence(length, rate);
    Signal drone = pad(rate, length, { note(-36), note(-35) }, 500, rng);
    process(drone, [&](size_t i, float x) {
        const double t = double(i) / rate;
        return float(x * (0.6 + 0.4 * std::sin(kPi * t / length)));
    });
    shape(drone, rate, 3.0, 4.0);
    mixInto(s, drone, 0, 1.0f);

    Signal whistle = silence(length, rate);
    double pa = 0.0, pb = 0.0;
    process(whistle, [&](size_t i, float) {
        const double t = double(i) / rate;
        const double glide = 1320.0 * std::pow(2.0, -std::sin(kPi * t / length) / 12.0);
        const double vibrato = 1.0 + 0.006 * std::sin(kTwoPi * 5.0 * t);
        pa += glide * vibrato / rate;
        pb += glide * 1.03 / rate;
        return float(bell(t, 3.0, 3.0, 5.5) * (std::sin(kTwoPi * pa) + 0.6 * std::sin(kTwoPi * pb)));
    });
    mixInto(s, whistle, 0, 0.12f);
    for (int n = 0; n < 3; ++n) {
        const double t = rng.range(1.5, 8.5), hz = rng.range(700, 1100);
        for (double ratio : { 1.0, 2.76, 5.4 })
            addDampedSine(s, rate, t, hz * ratio, 0.06 / ratio, 1.2 / ratio);
    }
    Reverb cave(rate, 0.92, 0.3);
    addReverb(s, cave, 0.5f, false);
    fadeOut(s, 1.0, rate);
    return finish(std::move(s), rate, -3.0);
}

// Bowed metal: noise through narrow inharmonic resonances that swell and
// fade, over slow deep thuds and a rising breath.
SoundClip frighteningPlace()
{
    const int rate = kLoopRate;
    const double length = 12.0;
    Rng rng(0xf417);
    Signal s = silence(length, rate);
    const double bands[] = { 311, 467, 733, 1021, 1490, 2210 };
    for (double hz : bands) {
        Signal band = whiteNoise(s.size(), rng);
        applyBandpass(band, hz, rng.range(60, 120), rate);
        applyBandpass(band, hz, 30, rate);
        const double start = rng.range(0.0, 5.0), rise = rng.range(1.5, 3.0), fall = rng.range(2.5, 5.0);
        process(
            band, [&](size_t i, float x) { return float(x * bell(double(i) / rate, start, rise, fall)); });
        scaleToPeak(band, 1.0 / std::sqrt(hz / 311.0));
        mixInto(s, band, 0, 0.3f);
    }
    Signal thuds = silence(length, rate);
    for (double t = 0.8; t < length - 2.0; t += 1.5)
        addBoom(thuds, rate, t, 70, 45, 0.25, 1.0);
    process(thuds, [](size_t, float x) { return softClip(x, 2.0f); });
    mixInto(s, thuds, 0, 0.35f);
    Signal breath = whiteNoise(s.size(), rng);
    Biquad sweep;
    process(breath, [&](size_t i, float x) {
        const double t = double(i) / rate;
        if (i % 32 == 0)
            sweep.bandpass(300 + 900 * t / length, 2.0, rate);
        return float(sweep(x) * smoothstep(t / length) * 0.5);
    });
    mixInto(s, breath, 0, 0.3f);
    Reverb hall(rate, 0.9, 0.4);
    addReverb(s, hall, 0.45f, false);
    shape(s, rate, 0.5, 3.0);
    return finish(std::move(s), rate, -3.0);
}

// A deep boom, then a sub-bass drone with a groan sinking beneath it.
SoundClip lowDrone()
{
    const int rate = kLoopRate;
    const double length = 10.0;
    Rng rng(0x10a);
    Signal s = silence(length, rate);
    addBoom(s, rate, 0.2, 60, 38, 1.5, 1.0);
    Signal rumble = whiteNoise(s.size(), rng);
    applyLowpass(rumble, 150, 0.7, rate);
    process(
        rumble, [&](size_t i, float x) { return float(x * attackDecay(double(i) / rate - 0.2, 0.02, 0.6)); });
    scaleToPeak(rumble, 0.6);
    mixInto(s, rumble, 0, 1.0f);

    Signal drone = silence(length, rate);
    process(drone, [&](size_t i, float) {
        const double t = double(i) / rate;
        return float(std::sin(kTwoPi * 41.2 * t) + std::sin(kTwoPi * 43.65 * t));
    });
    process(drone, [](size_t, float x) { return softClip(x, 2.5f); });
    shape(drone, rate, 2.0, 4.0);
    mixInto(s, drone, 0, 0.35f);

    Signal groan = silence(length, rate);
    Saw saw;
    process(groan, [&](size_t i, float) {
        const double t = double(i) / rate;
        return saw(82.4 * std::pow(2.0, -2.0 * t / length / 12.0), rate);
    });
    applyLowpass(groan, 300, 0.8, rate);
    shape(groan, rate, 3.0, 4.0);
    mixInto(s, groan, 0, 0.25f);
    fadeOut(s, 0.5, rate);
    return finish(std::move(s), rate, -2.0);
}

// Tremolo strings creeping upward in a crescendo over a ticking low pulse,
// cut off by a hit that rings away.
SoundClip suspense()
{
    const int rate = kLoopRate;
    const double length = 10.0, cut = 8.6;
    Rng rng(0x5a5);
    Signal s = silence(length, rate);
    Signal strings = silence(length, rate);
    std::vector<double> rise(strings.size());
    for (size_t i = 0; i < rise.size(); ++i)
        rise[i] = std::pow(2.0, 2.0 * smoothstep(double(i) / rate / cut) / 12.0);
    for (double semitone : { -9.0, -8.0, -2.0 }) { // C4 Db4 G4
        for (double detune : { -0.003, 0.0, 0.0031 }) {
            Saw saw;
            saw.phase = rng.uniform();
            const double hz = note(semitone) * (1.0 + detune);
            process(strings, [&](size_t i, float x) { return x + saw(hz * rise[i], rate); });
        }
    }
    applyLowpass(strings, 2500, 0.7, rate);
    process(strings, [&](size_t i, float x) {
        const double t = double(i) / rate;
        const double tremolo = 0.65 + 0.35 * std::sin(kTwoPi * 12.0 * t);
        const double swell = t < cut ? std::pow(t / cut, 2.0) : std::exp(-(t - cut) / 0.05);
        return float(x * tremolo * swell);
    });
    mixInto(s, strings, 0, 0.5f);
    for (double t = 0.0; t < cut; t += 0.5)
        addPianoNote(s, rate, t, note(-33), 0.35 + 0.5 * t / cut, rng, 0.3); // C2, staccato
    for (double semitone : { -36.0, -35.0 })
        addPianoNote(s, rate, cut, note(semitone), 1.0, rng);
    addBoom(s, rate, cut, 70, 35, 0.6, 1.2);
    Reverb hall(rate, 0.85, 0.4);
    addReverb(s, hall, 0.35f, false);
    fadeOut(s, 0.4, rate);
    return finish(std::move(s), rate, -2.0);
}

} // namespace datagen::recipes
