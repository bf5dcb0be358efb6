// Sound played for real: OpenAL's wave-file device records everything the
// game plays, and the recording is measured. The device is chosen through an
// OpenAL configuration file named in the environment before the library is
// first used, so every test of this file shares one recording path.
#include "../e2e/Recording.h"
#include "audio/SoundSystem.h"
#include "base/Settings.h"
#include "gameplay/Player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct Levels {
    float peak = 0.0f;
    double rms = 0.0;
    size_t frames = 0;
};

const std::filesystem::path& recordingFolder()
{
    static const std::filesystem::path folder
        = std::filesystem::temp_directory_path() / ("mossgrave_recording_" + std::to_string(getpid()));
    return folder;
}

std::filesystem::path recordingFile()
{
    return recordingFolder() / "out.wav";
}

// Points OpenAL at the wave writer; only effective before OpenAL's first use.
void useRecordingDevice()
{
    static const bool done = [] {
        std::filesystem::create_directories(recordingFolder());
        const std::filesystem::path conf = recordingFolder() / "alsoft.conf";
        std::ofstream(conf)
            << "[general]\ndrivers=wave\nchannels=stereo\nsample-type=float32\nfrequency=44100\n"
               "hrtf=false\noutput-limiter=false\ndither=false\n[wave]\nfile="
            << recordingFile().string() << "\n";
        setenv("ALSOFT_CONF", conf.c_str(), 1);
        return true;
    }();
    (void)done;
}

uint32_t le(const std::vector<uint8_t>& d, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= uint32_t(d[at + size_t(i)]) << (8 * i);
    return v;
}

// Reads the writer's output (float or 16-bit, plain or extensible format
// chunk) by walking its chunks, and measures all channels together; the first
// channel's samples go to `first` when asked for.
Levels measureRecording(const std::filesystem::path& path, std::vector<float>* first = nullptr)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Levels levels;
    int bits = 0, channels = 1;
    for (size_t at = 12; at + 8 <= d.size();) {
        const uint32_t size = le(d, at + 4, 4);
        const size_t body = at + 8;
        if (std::memcmp(&d[at], "fmt ", 4) == 0) {
            channels = int(le(d, body + 2, 2));
            bits = int(le(d, body + 14, 2));
        } else if (std::memcmp(&d[at], "data", 4) == 0) {
            const size_t end = std::min(d.size(), body + size);
            double sum = 0;
            size_t count = 0;
            for (size_t p = body; p + size_t(bits / 8) <= end; p += size_t(bits / 8), ++count) {
                float s = 0;
                if (bits == 32) {
                    const uint32_t raw = le(d, p, 4);
                    std::memcpy(&s, &raw, 4);
                } else {
                    s = float(int16_t(le(d, p, 2))) / 32768.0f;
                }
                if (first && count % size_t(channels) == 0)
                    first->push_back(s);
                levels.peak = std::max(levels.peak, std::fabs(s));
                sum += double(s) * s;
            }
            levels.rms = count ? std::sqrt(sum / double(count)) : 0.0;
            levels.frames = count / size_t(channels);
        }
        at = body + size + (size & 1);
    }
    return levels;
}

// Power of a 44 100 Hz signal between two frequencies, summed over
// Hann-windowed blocks of 4096 samples (an in-place radix-2 transform).
double bandPower(const std::vector<float>& samples, double fromHz, double toHz)
{
    constexpr size_t N = 4096;
    double power = 0.0;
    for (size_t start = 0; start + N <= samples.size(); start += N) {
        std::vector<std::complex<double>> a(N);
        for (size_t i = 0; i < N; ++i)
            a[i] = samples[start + i] * (0.5 - 0.5 * std::cos(2.0 * M_PI * double(i) / double(N)));
        for (size_t i = 1, j = 0; i < N; ++i) {
            size_t bit = N >> 1;
            for (; j & bit; bit >>= 1)
                j ^= bit;
            j ^= bit;
            if (i < j)
                std::swap(a[i], a[j]);
        }
        for (size_t len = 2; len <= N; len <<= 1) {
            const std::complex<double> w = std::polar(1.0, -2.0 * M_PI / double(len));
            for (size_t i = 0; i < N; i += len) {
                std::complex<double> wk = 1.0;
                for (size_t k = 0; k < len / 2; ++k, wk *= w) {
                    const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * wk;
                    a[i + k] = u + v;
                    a[i + k + len / 2] = u - v;
                }
            }
        }
        for (size_t k = size_t(fromHz * N / 44100.0); k <= size_t(toHz * N / 44100.0) && k < N / 2; ++k)
            power += std::norm(a[k]);
    }
    return power;
}

class RecordingTest : public ::testing::Test {
protected:
    Settings settings;
    std::unique_ptr<SoundSystem> sound;

    void SetUp() override
    {
        useRecordingDevice();
        settings.ambientSounds = 0;
    }
    // Programs started later by this process must not inherit the recording device.
    static void TearDownTestSuite()
    {
        unsetenv("ALSOFT_CONF");
        std::filesystem::remove_all(recordingFolder());
    }

    // Opens the recording device; false when OpenAL cannot open even that.
    bool open()
    {
        sound = std::make_unique<SoundSystem>(settings);
        testing::internal::CaptureStderr();
        sound->init(MOSSGRAVE_RUN_DIR);
        testing::internal::GetCapturedStderr();
        return sound->deviceReady();
    }

    // Runs steps at the game's pace until the one-shots have finished (or
    // `seconds` have passed), then closes the device so the file is complete.
    Levels finish(double seconds)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < until && sound->playingCount() > 0) {
            sound->update(1.0f / 60.0f);
            std::this_thread::sleep_for(std::chrono::milliseconds(16));
        }
        sound->shutdown();
        return measureRecording(recordingFile());
    }

    // The player stands on flat ground for `seconds` of real time, walking
    // forward when `walking`; steps at the game's pace, as the World would.
    void playerStands(double seconds, bool walking)
    {
        Player player(nullptr, *sound);
        if (walking)
            player.pressInput(InputBit::MoveForward);
        const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < until) {
            player.update(1.0f / 60.0f);
            player.velocity.y = 0.0f; // landed
            player.airTime = 0.0f;
            sound->update(1.0f / 60.0f);
            std::this_thread::sleep_for(std::chrono::microseconds(16667));
        }
    }

    // Plays the short footstep on its own and measures the recording.
    Levels recordFootstep()
    {
        if (!open())
            return {};
        sound->playRelative(SOUND_FOOTSTEP_GRASS);
        return finish(5.0);
    }
};

} // namespace

TEST_F(RecordingTest, APlayedSoundIsRecorded)
{
    if (!open())
        GTEST_SKIP() << "OpenAL cannot open its wave-file device here";
    sound->playRelative(SOUND_SUCCESS);
    const Levels levels = finish(10.0);
    EXPECT_GT(levels.frames, 44100u); // the sound is 1.8 s long
    EXPECT_GT(levels.peak, 0.05f);
}

TEST_F(RecordingTest, EffectsSwitchedOffRecordSilence)
{
    settings.soundEffects = 0;
    if (!open())
        GTEST_SKIP() << "OpenAL cannot open its wave-file device here";
    sound->playRelative(SOUND_EXPLOSION);
    SoundSource source = sound->createSource();
    sound->play(source, SOUND_SUCCESS);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const Levels levels = finish(0.0);
    EXPECT_GT(levels.frames, 0u);
    EXPECT_EQ(levels.peak, 0.0f);
}

TEST_F(RecordingTest, EffectsSwitchedOffStillRecordTheAmbience)
{
    settings.soundEffects = 0;
    settings.ambientSounds = 1;
    if (!open())
        GTEST_SKIP() << "OpenAL cannot open its wave-file device here";
    sound->setAmbienceForTerrain(0);
    for (int i = 0; i < 301; ++i)
        sound->update(1.0f / 60.0f); // the whole fade-in, at once
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    sound->shutdown();
    std::vector<float> left;
    const Levels levels = measureRecording(recordingFile(), &left);
    EXPECT_GT(levels.peak, 0.01f);
    // The forest's birds and crickets, recorded at 22 050 Hz, sit below 11 kHz:
    // resampled to the device's 44 100 Hz they must not come back as images
    // above 16 kHz (a linear resampler leaves them only 20 to 30 dB down).
    const double band = bandPower(left, 2000.0, 6000.0);
    const double images = bandPower(left, 16000.0, 20000.0);
    ASSERT_GT(band, 0.0);
    const double decibels = 10.0 * std::log10(images / band);
    std::cout << "Ambience above 16 kHz against 2 to 6 kHz: " << decibels << " dB" << std::endl;
    EXPECT_LT(decibels, -45.0);
}

TEST_F(RecordingTest, VolumeFiveHalvesTheRecordedLevel)
{
    settings.volume = 10;
    const Levels full = recordFootstep();
    if (full.frames == 0)
        GTEST_SKIP() << "OpenAL cannot open its wave-file device here";
    sound.reset();
    settings.volume = 5;
    const Levels half = recordFootstep();
    ASSERT_GT(full.peak, 0.05f);
    EXPECT_NEAR(half.peak / full.peak, 0.5f, 0.03f);
}

TEST_F(RecordingTest, ABusySourceTakesTheNewSoundAndOutlivesShutdownHarmlessly)
{
    if (!open())
        GTEST_SKIP() << "OpenAL cannot open its wave-file device here";
    SoundSource source = sound->createSource();
    sound->play(source, SOUND_PIANO1); // 4.5 s
    sound->play(source, SOUND_BUTTON); // 0.12 s, replacing it
    ASSERT_TRUE(sound->isPlaying(source));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (sound->isPlaying(source) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(sound->isPlaying(source));

    sound->play(source, SOUND_PIANO1);
    sound->shutdown(); // the source is still playing and still held here
    EXPECT_FALSE(source.valid());
    sound->play(source, SOUND_PIANO1);
    source.reset();
}

TEST_F(RecordingTest, AWalkingPlayerIsHeardStepAboutEveryHalfSecond)
{
    if (!open())
        GTEST_SKIP() << "OpenAL cannot open its wave-file device here";
    playerStands(3.0, true);
    sound->shutdown();
    const std::vector<double> steps = recording::bursts(recording::envelope(recordingFile()));
    // 25 steps of 1/60 s between footsteps; a busy machine only stretches them.
    ASSERT_GE(steps.size(), 4u);
    for (size_t i = 1; i < steps.size(); ++i) {
        EXPECT_GT(steps[i] - steps[i - 1], 0.35) << i;
        EXPECT_LT(steps[i] - steps[i - 1], 0.9) << i;
    }
}

TEST_F(RecordingTest, AStandingPlayerAddsNothingToTheAmbience)
{
    if (!open())
        GTEST_SKIP() << "OpenAL cannot open its wave-file device here";
    playerStands(1.5, false);
    sound->shutdown();
    const std::vector<float> silent = recording::envelope(recordingFile());
    ASSERT_GT(silent.size(), 50u);
    EXPECT_EQ(*std::max_element(silent.begin(), silent.end()), 0.0f);

    // With the forest ambience on, the ambience is all there is to hear.
    settings.ambientSounds = 1;
    ASSERT_TRUE(open());
    sound->setAmbienceForTerrain(0);
    for (int i = 0; i < 301; ++i)
        sound->update(1.0f / 60.0f); // the whole fade-in, at once
    playerStands(1.5, false);
    sound->shutdown();
    const Levels levels = measureRecording(recordingFile());
    EXPECT_GT(levels.peak, 0.01f);
}
