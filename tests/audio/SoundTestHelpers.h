#pragma once

// A sound system on the fake device with a folder of tiny stand-in sounds.
#include "audio/FakeAudioBackend.h"
#include "audio/SoundSystem.h"
#include "audio/WavBytes.h"
#include "base/Settings.h"

#include <gtest/gtest.h>

#include <unistd.h>

class SoundSystemTest : public ::testing::Test {
protected:
    std::filesystem::path root
        = std::filesystem::temp_directory_path() / ("mossgrave_sounds_" + std::to_string(getpid()));
    Settings settings;
    FakeAudioBackend* fake = nullptr;
    std::unique_ptr<SoundSystem> sound;

    void SetUp() override { writeSoundFolder(); }
    void TearDown() override
    {
        sound.reset();
        std::filesystem::remove_all(root);
    }

    void writeSoundFolder()
    {
        WavRecipe recipe;
        recipe.samples = toneSamples(64, 0.5);
        for (const SoundEntry& entry : kSoundTable)
            writeBytes(root / entry.file, wavBytes(recipe));
    }

    // Creates the system on a fresh fake device; `open` picks what opening the device yields.
    void start(AudioOpenResult open = AudioOpenResult::Ok)
    {
        auto backend = std::make_unique<FakeAudioBackend>();
        backend->openResult = open;
        fake = backend.get();
        sound = std::make_unique<SoundSystem>(settings, std::move(backend));
        sound->init(root);
    }

    FakeSource& ambienceSource(int slot) { return fake->at(sound->ambienceState().source(slot)); }
    FakeSource& audible() { return ambienceSource(sound->ambienceState().currentSlot()); }

    void steps(int count, float dt = 1.0f / 60.0f)
    {
        for (int i = 0; i < count; ++i)
            sound->update(dt);
    }
};
