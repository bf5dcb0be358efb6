// Checks of the generated sounds, read the way the game's WAV reader reads
// them, and of the synthesis kit's loop handling.
#include "audio/SoundTable.h"
#include "tools/datagen/DataGen.h"
#include "tools/datagen/SoundSynth.h"
#include "tools/datagen/WavWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace datagen;

// How the game plays each sound of its table; the files are the table's own.
struct TableSound {
    SoundId id;
    bool loops;
    bool positional; // played at a place in the world: OpenAL pans mono sources only

    const char* file() const { return kSoundTable[size_t(id)].file; }
};

const TableSound kTable[] = {
    { SOUND_MEOW, false, true },
    { SOUND_FOREST_BIRDS, true, false },
    { SOUND_FOREST_RAIN, true, false },
    { SOUND_BONFIRE, true, true },
    { SOUND_FOOTSTEP_GRASS, false, false },
    { SOUND_FOOTSTEP_GRASS2, false, false },
    { SOUND_DESERT_NIGHT, true, false },
    { SOUND_FUSE, true, true },
    { SOUND_EXPLOSION, false, true },
    { SOUND_SUCCESS, false, true },
    { SOUND_BUTTON, false, false },
    { SOUND_PIANO1, false, false },
    { SOUND_PIANO2, false, false },
    { SOUND_BREATHING, false, false },
    { SOUND_HEARTBEAT, true, false },
    { SOUND_JETPACK, true, false },
    { SOUND_THUNDER1, false, true },
    { SOUND_NOISE, true, false },
    { SOUND_END, false, false },
    { SOUND_POP_CORK, false, true },
    { SOUND_METAL_IMPACT, false, true },
    { SOUND_DRINKING, false, false },
    { SOUND_CREEPY_AMB, false, false },
    { SOUND_FRIGHTENING_PLACE, false, false },
    { SOUND_LOW, false, false },
    { SOUND_SUSPENSE, false, false },
};
static_assert(std::size(kTable) == size_t(kSoundCount), "every sound of the table is described");

const fs::path kRunDir = MOSSGRAVE_RUN_DIR;

std::vector<uint8_t> readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return {};
    std::vector<uint8_t> bytes(size_t(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    return bytes;
}

uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int k = bytes - 1; k >= 0; --k)
        v = (v << 8) | b[at + size_t(k)];
    return v;
}

bool tagAt(const std::vector<uint8_t>& b, size_t at, const char* tag)
{
    return std::memcmp(b.data() + at, tag, 4) == 0;
}

// The fields of the three fixed reads the game makes: RIFF header, format
// block, data header.
struct Wav {
    uint32_t riffSize = 0, fmtSize = 0, format = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0,
             bits = 0, dataSize = 0;
    size_t fileSize = 0;
    bool tagsRight = false;
    std::vector<int16_t> samples;
};

Wav readWav(const fs::path& path)
{
    const std::vector<uint8_t> b = readBytes(path);
    Wav w;
    w.fileSize = b.size();
    if (b.size() < 44)
        return w;
    w.tagsRight = tagAt(b, 0, "RIFF") && tagAt(b, 8, "WAVE") && tagAt(b, 12, "fmt ") && tagAt(b, 36, "data");
    w.riffSize = le(b, 4, 4);
    w.fmtSize = le(b, 16, 4);
    w.format = le(b, 20, 2);
    w.channels = le(b, 22, 2);
    w.rate = le(b, 24, 4);
    w.byteRate = le(b, 28, 4);
    w.blockAlign = le(b, 32, 2);
    w.bits = le(b, 34, 2);
    w.dataSize = le(b, 40, 4);
    w.samples.resize((b.size() - 44) / 2);
    const uint8_t* data = b.data() + 44;
    for (size_t k = 0; k < w.samples.size(); ++k)
        w.samples[k] = int16_t(uint16_t(data[2 * k] | (data[2 * k + 1] << 8)));
    return w;
}

double dbfs(double linear)
{
    return 20.0 * std::log10(std::max(linear, 1e-12));
}

// How far the step from the last sample back to the first exceeds the
// steepest step found near either end (1 or less: no audible jump).
double seamJumpRatio(const std::vector<int16_t>& samples, int channels, int channel)
{
    std::vector<double> x;
    for (size_t i = size_t(channel); i < samples.size(); i += size_t(channels))
        x.push_back(samples[i]);
    const size_t n = x.size(), span = std::min<size_t>(32, n / 4);
    double local = 0.0;
    for (size_t i = 0; i < span; ++i) {
        local = std::max(local, std::fabs(x[i + 1] - x[i]));
        local = std::max(local, std::fabs(x[n - 1 - i] - x[n - 2 - i]));
    }
    return std::fabs(x[0] - x[n - 1]) / (local + 4.0);
}

double seconds(const Wav& w)
{
    return double(w.samples.size()) / w.channels / w.rate;
}

// Loudness of the first channel over [from, to) seconds, linear RMS of full scale.
double rmsBetween(const Wav& w, double from, double to)
{
    const size_t frames = w.samples.size() / w.channels;
    const size_t a = std::min(frames, size_t(from * w.rate)), b = std::min(frames, size_t(to * w.rate));
    double energy = 0.0;
    for (size_t i = a; i < b; ++i)
        energy += std::pow(w.samples[i * w.channels] / 32768.0, 2.0);
    return b > a ? std::sqrt(energy / double(b - a)) : 0.0;
}

// Fundamental of a voiced stretch by autocorrelation, searched from 250 to 1200 Hz.
double pitchAt(const Wav& w, double at)
{
    const size_t start = size_t(at * w.rate), window = 2048;
    double best = -1.0;
    size_t bestLag = 1;
    for (size_t lag = w.rate / 1200; lag <= w.rate / 250; ++lag) {
        double sum = 0.0, norm = 1e-9;
        for (size_t i = start; i < start + window; ++i) {
            sum += double(w.samples[i]) * w.samples[i + lag];
            norm += double(w.samples[i + lag]) * w.samples[i + lag];
        }
        if (sum / std::sqrt(norm) > best) {
            best = sum / std::sqrt(norm);
            bestLag = lag;
        }
    }
    return double(w.rate) / double(bestLag);
}

TEST(DataSounds, EveryTableFileHasTheHeaderTheGameReads)
{
    for (const TableSound& sound : kTable) {
        SCOPED_TRACE(sound.file());
        const Wav w = readWav(kRunDir / sound.file());
        ASSERT_GE(w.fileSize, 44u) << "missing or truncated";
        EXPECT_TRUE(w.tagsRight) << "RIFF, WAVE, \"fmt \" and \"data\" at their fixed places";
        EXPECT_EQ(w.riffSize, w.fileSize - 8);
        EXPECT_EQ(w.fmtSize, 16u);
        EXPECT_EQ(w.format, 1u);
        EXPECT_TRUE(w.channels == 1 || w.channels == 2);
        EXPECT_TRUE(w.rate == 22050 || w.rate == 44100);
        EXPECT_EQ(w.bits, 16u);
        EXPECT_EQ(w.blockAlign, w.channels * 2);
        EXPECT_EQ(w.byteRate, w.rate * w.blockAlign);
        EXPECT_EQ(w.dataSize, w.fileSize - 44);
        EXPECT_EQ(w.dataSize % std::max(w.blockAlign, 1u), 0u);
    }
}

TEST(DataSounds, NoSoundIsSilentOrClipped)
{
    for (const TableSound& sound : kTable) {
        SCOPED_TRACE(sound.file());
        const Wav w = readWav(kRunDir / sound.file());
        ASSERT_FALSE(w.samples.empty());
        double peak = 0.0, energy = 0.0;
        for (int16_t s : w.samples) {
            peak = std::max(peak, std::fabs(double(s)));
            energy += double(s) * s;
        }
        const double rms = std::sqrt(energy / double(w.samples.size()));
        EXPECT_GT(dbfs(peak / 32768.0), -30.0);
        EXPECT_LT(dbfs(peak / 32768.0), -0.1);
        EXPECT_GT(dbfs(rms / 32768.0), -40.0) << "too quiet over its length";
        EXPECT_GT(seconds(w), 0.05);
    }
}

TEST(DataSounds, SeamCheckTellsAWholeCycleFromACutOne)
{
    // 441 Hz at 22050 Hz: exactly 50 samples a cycle.
    auto sine = [](size_t count) {
        std::vector<int16_t> s(count);
        for (size_t i = 0; i < count; ++i)
            s[i] = int16_t(std::lround(20000.0 * std::sin(synth::kTwoPi * double(i) / 50.0)));
        return s;
    };
    EXPECT_LE(seamJumpRatio(sine(5000), 1, 0), 1.0);
    EXPECT_GT(seamJumpRatio(sine(5012), 1, 0), 3.0); // stops a quarter cycle early: a click
}

TEST(DataSounds, LoopingSoundsRunOnFromTheirLastSampleToTheirFirst)
{
    for (const TableSound& sound : kTable) {
        if (!sound.loops)
            continue;
        SCOPED_TRACE(sound.file());
        const Wav w = readWav(kRunDir / sound.file());
        ASSERT_GT(w.samples.size(), 1000u);
        for (int c = 0; c < int(w.channels); ++c)
            EXPECT_LE(seamJumpRatio(w.samples, int(w.channels), c), 1.0) << "channel " << c;
    }
}

TEST(DataSounds, SoundsFitWhereTheGamePlaysThem)
{
    for (const TableSound& sound : kTable) {
        SCOPED_TRACE(sound.file());
        const Wav w = readWav(kRunDir / sound.file());
        ASSERT_GT(w.channels, 0u);
        if (sound.positional) {
            EXPECT_EQ(w.channels, 1u) << "a stereo buffer would not be placed in the world";
        }
        if (sound.loops) {
            EXPECT_GE(seconds(w), 2.0) << "a shorter loop repeats audibly";
        }
    }
    // Running, a step falls every 0.35 s and the two footstep sources take
    // turns, so each sound must be over before its source is asked again.
    for (const char* step :
        { kSoundTable[SOUND_FOOTSTEP_GRASS].file, kSoundTable[SOUND_FOOTSTEP_GRASS2].file })
        EXPECT_LT(seconds(readWav(kRunDir / step)), 0.7) << step;
    // The ambiences cross-fade over 5 s; a loop should outlast a fade.
    for (const char* ambience : { kSoundTable[SOUND_FOREST_BIRDS].file, kSoundTable[SOUND_FOREST_RAIN].file,
             kSoundTable[SOUND_DESERT_NIGHT].file })
        EXPECT_GE(seconds(readWav(kRunDir / ambience)), 10.0) << ambience;
}

TEST(DataSounds, OneShotsDieAwayInsteadOfStoppingShort)
{
    // A sound cut off while still loud ends in a click.
    for (const TableSound& sound : kTable) {
        if (sound.loops)
            continue;
        SCOPED_TRACE(sound.file());
        const Wav w = readWav(kRunDir / sound.file());
        const double length = seconds(w);
        EXPECT_LT(rmsBetween(w, length - 0.005, length), 0.02 * rmsBetween(w, 0.0, length) + 1e-4);
    }
}

TEST(DataSounds, CharacterOfTheSoundsTheirNamesPromise)
{
    // The meow's pitch climbs, then glides down below where it began.
    const Wav meow = readWav(kRunDir / kSoundTable[SOUND_MEOW].file);
    const double start = pitchAt(meow, 0.08), top = pitchAt(meow, 0.3), end = pitchAt(meow, 0.75);
    EXPECT_GT(top, 1.25 * start);
    EXPECT_GT(top, 1.25 * end);
    EXPECT_GT(start, 350.0);
    EXPECT_LT(top, 1000.0);

    // Heartbeat: "lub" at the beat, "dub" a quarter second later, quiet between beats.
    const Wav heart = readWav(kRunDir / kSoundTable[SOUND_HEARTBEAT].file);
    for (double beat = 0.0; beat < 2.4; beat += 0.6) {
        const double lub = rmsBetween(heart, beat, beat + 0.08);
        const double dub = rmsBetween(heart, beat + 0.24, beat + 0.32);
        const double rest = rmsBetween(heart, beat + 0.45, beat + 0.58);
        EXPECT_GT(lub, dub) << beat;
        EXPECT_GT(dub, 3.0 * rest) << beat;
    }

    // Blasts hit hard at once and die away.
    for (const char* blast : { kSoundTable[SOUND_EXPLOSION].file, kSoundTable[SOUND_THUNDER1].file,
             kSoundTable[SOUND_METAL_IMPACT].file }) {
        const Wav w = readWav(kRunDir / blast);
        EXPECT_GT(rmsBetween(w, 0.0, 0.5), 4.0 * rmsBetween(w, seconds(w) - 1.0, seconds(w))) << blast;
    }

    // Two different footsteps, not one file twice.
    EXPECT_FALSE(readBytes(kRunDir / kSoundTable[SOUND_FOOTSTEP_GRASS].file)
        == readBytes(kRunDir / kSoundTable[SOUND_FOOTSTEP_GRASS2].file));
}

TEST(DataSounds, GeneratorWritesTheSameBytesEveryRun)
{
    // The build ran the generator once into the run folder; run it again here.
    const fs::path dir = fs::temp_directory_path() / ("mossgrave_sounds_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    ASSERT_TRUE(writeSounds(dir));
    for (const TableSound& sound : kTable) {
        SCOPED_TRACE(sound.file());
        const std::vector<uint8_t> fresh = readBytes(dir / sound.file());
        EXPECT_FALSE(fresh.empty());
        EXPECT_TRUE(fresh == readBytes(kRunDir / sound.file()));
    }
    fs::remove_all(dir);
}

TEST(DataSounds, SoundsStayWithinTheirShareOfTheDataBudget)
{
    uintmax_t total = 0;
    for (const TableSound& sound : kTable)
        total += fs::file_size(kRunDir / sound.file());
    EXPECT_LT(total, 12'000'000u);
}

TEST(SoundSynth, LoopedFilteringLeavesTheHeadAsTheTailLeftIt)
{
    // A looped pass equals the middle turn of filtering the loop played three times.
    synth::Rng rng(7);
    const synth::Signal turn = synth::whiteNoise(2000, rng);
    synth::Signal looped = turn;
    synth::applyLowpass(looped, 300, 0.7, 22050, true);
    synth::Signal thrice;
    for (int k = 0; k < 3; ++k)
        thrice.insert(thrice.end(), turn.begin(), turn.end());
    synth::applyLowpass(thrice, 300, 0.7, 22050, false);
    for (size_t i = 0; i < turn.size(); ++i)
        ASSERT_NEAR(looped[i], thrice[turn.size() + i], 1e-4) << i;
    // Played straight, the head starts from rest instead.
    synth::Signal straight = turn;
    synth::applyLowpass(straight, 300, 0.7, 22050, false);
    EXPECT_GT(std::fabs(straight[0] - looped[0]), 1e-3);
}

TEST(SoundSynth, WrappedEventsCarryTheirTailToTheHead)
{
    synth::Signal loop(100, 0.0f);
    synth::mixInto(loop, synth::Signal(30, 1.0f), 90, 0.5f, true);
    EXPECT_FLOAT_EQ(loop[95], 0.5f);
    EXPECT_FLOAT_EQ(loop[5], 0.5f);
    EXPECT_FLOAT_EQ(loop[19], 0.5f);
    EXPECT_FLOAT_EQ(loop[20], 0.0f);

    synth::Signal cut(100, 0.0f);
    synth::mixInto(cut, synth::Signal(30, 1.0f), 90, 0.5f, false);
    EXPECT_FLOAT_EQ(cut[5], 0.0f);
    EXPECT_FLOAT_EQ(cut[99], 0.5f);

    // A ringing tone started near the end of a loop keeps ringing at its head.
    synth::Signal ring(1000, 0.0f);
    synth::addDampedSine(ring, 22050, 990.0 / 22050, 1000.0, 1.0, 0.01, 0.0, true);
    EXPECT_GT(synth::peakOf(synth::Signal(ring.begin(), ring.begin() + 50)), 0.3);
}

TEST(SoundSynth, WavEncodingRoundsAndHoldsFullScale)
{
    SoundClip clip = stereoClip(22050, { 0.5f, 1.5f, -2.0f }, { -0.5f, 0.0f, 1.0f });
    const std::vector<uint8_t> b = encodeWav(clip);
    ASSERT_EQ(b.size(), 44u + 12u);
    EXPECT_TRUE(tagAt(b, 0, "RIFF") && tagAt(b, 8, "WAVE") && tagAt(b, 12, "fmt ") && tagAt(b, 36, "data"));
    EXPECT_EQ(le(b, 4, 4), 48u);
    EXPECT_EQ(le(b, 22, 2), 2u);
    EXPECT_EQ(le(b, 28, 4), 22050u * 4);
    EXPECT_EQ(le(b, 40, 4), 12u);
    const int16_t expected[] = { 16384, -16384, 32767, 0, -32767, 32767 };
    for (size_t k = 0; k < 6; ++k)
        EXPECT_EQ(int16_t(le(b, 44 + 2 * k, 2)), expected[k]) << k;

    normalizePeak(clip, -6.0);
    EXPECT_NEAR(measureLevels(clip).peakDb, -6.0, 1e-4);
}

} // namespace

namespace {

double steadyRms(const synth::Signal& s)
{
    double energy = 0.0;
    for (size_t i = s.size() / 2; i < s.size(); ++i)
        energy += double(s[i]) * s[i];
    return std::sqrt(energy / double(s.size() - s.size() / 2));
}

synth::Signal tone(double hz, int rate, size_t count)
{
    synth::Signal s(count);
    for (size_t i = 0; i < count; ++i)
        s[i] = float(std::sin(synth::kTwoPi * hz * double(i) / rate));
    return s;
}

TEST(SoundSynth, FiltersPassAndStopWhereTheySay)
{
    const int rate = 22050;
    const double sineRms = std::sqrt(0.5);
    auto through = [&](double hz, auto&& filter) {
        synth::Signal s = tone(hz, rate, 8192);
        filter(s);
        return steadyRms(s) / sineRms;
    };
    auto low = [&](synth::Signal& s) { synth::applyLowpass(s, 1000, 0.707, rate); };
    auto high = [&](synth::Signal& s) { synth::applyHighpass(s, 1000, 0.707, rate); };
    auto band = [&](synth::Signal& s) { synth::applyBandpass(s, 1000, 4.0, rate); };
    EXPECT_NEAR(through(100, low), 1.0, 0.02);
    EXPECT_LT(through(8000, low), 0.03);
    EXPECT_NEAR(through(1000, low), 0.707, 0.02); // -3 dB at the corner
    EXPECT_LT(through(100, high), 0.02);
    EXPECT_NEAR(through(8000, high), 1.0, 0.03);
    EXPECT_NEAR(through(1000, band), 1.0, 0.02);
    EXPECT_LT(through(250, band), 0.1);
    EXPECT_LT(through(4000, band), 0.1);
}

TEST(SoundSynth, DampedSineRingsAtItsPitchAndFadesByItsTimeConstant)
{
    const int rate = 44100;
    synth::Signal s(rate, 0.0f);
    synth::addDampedSine(s, rate, 0.0, 440.0, 0.8, 0.1, synth::kPi / 2); // starts at its crest
    EXPECT_NEAR(s[0], 0.8f, 1e-6);
    int crossings = 0;
    for (size_t i = 1; i < size_t(rate / 10); ++i)
        crossings += (s[i - 1] < 0) != (s[i] < 0);
    EXPECT_NEAR(crossings, 88, 1); // two a cycle over 0.1 s
    const size_t at = size_t(0.1 * rate);
    double crest = 0.0;
    for (size_t i = at; i < at + 100; ++i)
        crest = std::max(crest, double(std::fabs(s[i])));
    EXPECT_NEAR(crest, 0.8 / std::exp(1.0), 0.01);
    EXPECT_EQ(s.back(), 0.0f) << "stops once it is far below hearing";
}

TEST(SoundSynth, ReverbTailRingsOnThenDiesAway)
{
    const int rate = 22050;
    auto tail = [&](double room) {
        synth::Reverb reverb(rate, room, 0.4);
        synth::Signal out(4 * rate);
        for (size_t i = 0; i < out.size(); ++i)
            out[i] = reverb(i == 0 ? 1.0f : 0.0f);
        return out;
    };
    auto energy = [](const synth::Signal& s, size_t from, size_t to) {
        double e = 0.0;
        for (size_t i = from; i < to; ++i)
            e += double(s[i]) * s[i];
        return e;
    };
    const synth::Signal small = tail(0.5), large = tail(0.9);
    for (const synth::Signal* s : { &small, &large }) {
        EXPECT_TRUE(std::all_of(s->begin(), s->end(), [](float x) { return std::isfinite(x); }));
        EXPECT_GT(energy(*s, rate / 20, rate / 2), 1e-4);
        EXPECT_LT(energy(*s, 3 * rate, 4 * rate), 1e-3 * energy(*s, 0, rate));
    }
    EXPECT_GT(energy(large, rate, 2 * rate), 10.0 * energy(small, rate, 2 * rate));
}

TEST(SoundSynth, WanderingControlSpansItsRangeAndClosesItsLoop)
{
    synth::Rng rng(3);
    const synth::Signal g = synth::wanderLoop(22050 * 4 + 17, 5, rng);
    EXPECT_FLOAT_EQ(*std::min_element(g.begin(), g.end()), 0.0f);
    EXPECT_FLOAT_EQ(*std::max_element(g.begin(), g.end()), 1.0f);
    double steepest = 0.0;
    for (size_t i = 1; i < g.size(); ++i)
        steepest = std::max(steepest, double(std::fabs(g[i] - g[i - 1])));
    EXPECT_LE(std::fabs(g.front() - g.back()), 1.5 * steepest);

    synth::Rng a(11), b(11);
    for (int k = 0; k < 100; ++k) {
        const double u = a.uniform();
        EXPECT_EQ(u, b.uniform());
        EXPECT_TRUE(u >= 0.0 && u < 1.0);
    }
}

} // namespace
