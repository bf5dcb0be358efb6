#include "audio/SoundTestHelpers.h"

#include <algorithm>

TEST_F(SoundSystemTest, StartUpLoadsEveryBufferAndSetsTheListenerAndAmbienceSources)
{
    settings.volume = 5;
    start();
    EXPECT_TRUE(std::all_of(fake->buffers.begin(), fake->buffers.end(), [](bool b) { return b; }));
    EXPECT_FLOAT_EQ(fake->listenerGain, 0.5f);
    EXPECT_EQ(fake->listenerPosition, glm::vec3(0.0f));
    EXPECT_EQ(fake->listenerAt, glm::vec3(0, 0, -1));
    EXPECT_EQ(fake->listenerUp, glm::vec3(0, 1, 0));
    for (int slot : { 0, 1 }) {
        const FakeSource& source = ambienceSource(slot);
        EXPECT_TRUE(source.relative);
        EXPECT_TRUE(source.looping);
        EXPECT_FALSE(source.playing);
        EXPECT_EQ(source.position, glm::vec3(0.0f));
    }
    EXPECT_FLOAT_EQ(sound->coverLevel(), 1.0f);
}

TEST_F(SoundSystemTest, VolumeOutsideItsRangeIsHeldToIt)
{
    settings.volume = 40;
    start();
    EXPECT_FLOAT_EQ(fake->listenerGain, 1.0f);
    sound.reset();
    settings.volume = -3;
    start();
    EXPECT_FLOAT_EQ(fake->listenerGain, 0.0f);
}

TEST_F(SoundSystemTest, AMissingDeviceOrContextIsReportedAndTheGameGoesOnSilently)
{
    testing::internal::CaptureStderr();
    start(AudioOpenResult::NoDevice);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "cant open audio device!\n");
    SoundSource source = sound->createSource();
    sound->play(source, SOUND_BUTTON);
    sound->playAt(SOUND_EXPLOSION, glm::vec3(1, 2, 3));
    sound->setAmbienceForTerrain(0);
    steps(2);
    EXPECT_FALSE(sound->isPlaying(source));
    EXPECT_EQ(sound->playingCount(), 0u);
    EXPECT_EQ(fake->misuse, 0);

    sound.reset();
    testing::internal::CaptureStderr();
    start(AudioOpenResult::NoContext);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "cant make audio context current!\n");
}

TEST_F(SoundSystemTest, ASoundThatFailsToLoadEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::filesystem::remove(root / kSoundTable[SOUND_PIANO2].file);
    EXPECT_EXIT(start(), testing::ExitedWithCode(1), "failed to load sound!\n");

    WavRecipe deep;
    deep.bitsPerSample = 24;
    deep.samples = std::vector<uint8_t>(6, 0);
    writeBytes(root / kSoundTable[SOUND_PIANO2].file, wavBytes(deep));
    EXPECT_EXIT(start(), testing::ExitedWithCode(1), "failed to load sound!\n");
}

TEST_F(SoundSystemTest, ListsDevicesOrSaysEnumerationIsMissing)
{
    start();
    fake->names = std::vector<std::string> { "OpenAL Soft", "Wave File Writer" };
    testing::internal::CaptureStdout();
    sound->listDevices();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
        "Audio Devices:\n----------\nOpenAL Soft\nWave File Writer\n----------\n");

    fake->names.reset();
    testing::internal::CaptureStderr();
    sound->listDevices();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "enumeration not supported!\n");
}

TEST_F(SoundSystemTest, PlayUsesTheTableGainAndObeysTheEffectsSwitch)
{
    start();
    SoundSource source = sound->createSource();
    sound->play(source, SOUND_FUSE);
    FakeSource& played = fake->at(source.handle());
    EXPECT_TRUE(played.playing);
    EXPECT_EQ(played.buffer, SOUND_FUSE);
    EXPECT_FLOAT_EQ(played.gain, 0.4f);
    EXPECT_TRUE(sound->isPlaying(source));

    sound->stop(source);
    settings.soundEffects = 0;
    sound->play(source, SOUND_MEOW);
    EXPECT_FALSE(played.playing);
    EXPECT_EQ(played.buffer, SOUND_FUSE);
    sound->playAt(SOUND_EXPLOSION, glm::vec3(1.0f));
    sound->playRelative(SOUND_END);
    EXPECT_EQ(sound->playingCount(), 0u);

    settings.soundEffects = 1;
    sound->play(source, kSoundCount); // not a sound: ignored
    sound->play(source, -1);
    EXPECT_EQ(played.plays, 1);
}

TEST_F(SoundSystemTest, FinishedOneShotsAreReleasedOnePerStep)
{
    start();
    sound->playAt(SOUND_EXPLOSION, glm::vec3(4, 5, 6));
    sound->playAt(SOUND_METAL_IMPACT, glm::vec3(1, 0, 0));
    sound->playRelative(SOUND_PIANO1);
    ASSERT_EQ(sound->playingCount(), 3u);
    std::vector<SourceHandle> oneShots;
    for (const auto& [handle, source] : fake->sources)
        if (source.plays == 1)
            oneShots.push_back(handle);
    ASSERT_EQ(oneShots.size(), 3u);
    EXPECT_EQ(fake->at(oneShots[0]).position, glm::vec3(4, 5, 6));
    EXPECT_TRUE(fake->at(oneShots[2]).relative);

    steps(1);
    EXPECT_EQ(sound->playingCount(), 3u); // all still playing
    for (SourceHandle handle : oneShots)
        fake->at(handle).playing = false;
    steps(1);
    EXPECT_EQ(sound->playingCount(), 2u);
    EXPECT_EQ(fake->deleted, std::vector<SourceHandle> { oneShots[0] });
    steps(2);
    EXPECT_EQ(sound->playingCount(), 0u);
    EXPECT_EQ(fake->misuse, 0);
}

TEST_F(SoundSystemTest, DelayedSoundsStartInQueueOrderAtMostOnePerStep)
{
    start();
    SoundSource sting = sound->createSource();
    sound->makeRelative(sting);
    const SourceHandle stingHandle = sting.handle();
    sound->playDelayed(std::move(sting), SOUND_CREEPY_AMB, 0.05f);
    SoundSource second = sound->createSource();
    const SourceHandle secondHandle = second.handle();
    sound->playDelayed(std::move(second), SOUND_SUSPENSE, 0.02f);
    EXPECT_EQ(sound->delayedCount(), 2u);

    // Step one: the head of the queue has 0.033 left, so the walk reaches the
    // second entry, which is due and starts.
    sound->update(0.02f);
    EXPECT_EQ(sound->delayedCount(), 1u);
    EXPECT_TRUE(fake->at(secondHandle).playing);
    EXPECT_FLOAT_EQ(fake->at(secondHandle).gain, 0.6f);
    EXPECT_FALSE(fake->at(stingHandle).playing);
    sound->update(0.02f);
    EXPECT_FALSE(fake->at(stingHandle).playing);
    sound->update(0.02f);
    EXPECT_TRUE(fake->at(stingHandle).playing);
    EXPECT_EQ(fake->at(stingHandle).buffer, SOUND_CREEPY_AMB);
    EXPECT_EQ(sound->delayedCount(), 0u);
    EXPECT_EQ(sound->playingCount(), 2u);
}

TEST_F(SoundSystemTest, DelayedSoundsWithEffectsOffAreDroppedAndFreed)
{
    start();
    settings.soundEffects = 0;
    sound->playDelayed(sound->createSource(), SOUND_LOW, 0.01f);
    steps(1);
    EXPECT_EQ(sound->delayedCount(), 0u);
    steps(1);
    EXPECT_EQ(sound->playingCount(), 0u);
    EXPECT_EQ(sound->liveSourceCount(), 2u); // the ambience pair
}

TEST_F(SoundSystemTest, ASourceDeletedWhilePlayingIsStoppedThenDeleted)
{
    start();
    {
        SoundSource source = sound->createSource();
        sound->play(source, SOUND_BONFIRE);
    }
    EXPECT_EQ(fake->deleted.size(), 1u);
    EXPECT_EQ(fake->misuse, 0);
    EXPECT_EQ(sound->liveSourceCount(), 2u);
}

TEST_F(SoundSystemTest, ShutdownDeletesEverySourceBeforeBuffersAndContext)
{
    start();
    SoundSource held = sound->createSource(); // a caller that outlives the audio
    sound->play(held, SOUND_HEARTBEAT);
    sound->playRelative(SOUND_DRINKING);
    sound->playDelayed(sound->createSource(), SOUND_LOW, 10.0f);
    sound->setAmbienceForTerrain(0);

    sound->shutdown();
    EXPECT_EQ(fake->misuse, 0);
    EXPECT_TRUE(fake->sources.empty());
    ASSERT_GE(fake->events.size(), 7u);
    EXPECT_EQ(fake->events[fake->events.size() - 2], "delete buffers");
    EXPECT_EQ(fake->events.back(), "close");
    EXPECT_EQ(std::count(fake->events.begin(), fake->events.end(), "delete source"), 5);
    EXPECT_FALSE(sound->isOpen());

    // The caller's source is inert now: using and dropping it touches nothing.
    EXPECT_FALSE(held.valid());
    sound->play(held, SOUND_HEARTBEAT);
    sound->setGain(held, 1.0f);
    EXPECT_FALSE(sound->isPlaying(held));
    sound->update(1.0f / 60.0f);
    sound->setCover(true);
    held.reset();
    sound->shutdown();
    EXPECT_EQ(fake->misuse, 0);
}

TEST_F(SoundSystemTest, EveryStartedSoundIsCuedWithItsPlaceAndLengthEvenWithEffectsOff)
{
    start();
    std::vector<SoundCue> cues;
    sound->setCueListener([&](const SoundCue& cue) { cues.push_back(cue); });
    const float length = float(toneSamples(64, 0.5).size()) / 2.0f / 22050.0f;
    EXPECT_FLOAT_EQ(sound->soundSeconds(SOUND_MEOW), length);

    sound->playAt(SOUND_MEOW, glm::vec3(4, 5, 6));
    sound->playRelative(SOUND_PIANO1);
    SoundSource fuse = sound->createSource();
    sound->setPosition(fuse, glm::vec3(1, 0, 0));
    sound->setLooping(fuse, true);
    sound->play(fuse, SOUND_FUSE);
    ASSERT_EQ(cues.size(), 3u);
    EXPECT_EQ(cues[0].sound, SOUND_MEOW);
    EXPECT_TRUE(cues[0].positioned);
    EXPECT_EQ(cues[0].position, glm::vec3(4, 5, 6));
    EXPECT_FLOAT_EQ(cues[0].seconds, length);
    EXPECT_EQ(cues[1].sound, SOUND_PIANO1);
    EXPECT_FALSE(cues[1].positioned); // at the listener
    EXPECT_TRUE(cues[2].positioned);
    EXPECT_FALSE(cues[2].stillPlaying);

    // A loop is cued again every step while it plays, and no more once it stops.
    cues.clear();
    steps(2);
    ASSERT_EQ(cues.size(), 2u);
    EXPECT_TRUE(cues[1].stillPlaying);
    EXPECT_EQ(cues[1].sound, SOUND_FUSE);
    sound->stop(fuse);
    cues.clear();
    steps(1);
    EXPECT_TRUE(cues.empty());

    // A caption stands in for a sound the player switched off.
    settings.soundEffects = 0;
    const size_t oneShots = sound->playingCount();
    sound->playAt(SOUND_EXPLOSION, glm::vec3(7, 0, 0));
    sound->play(fuse, SOUND_FUSE);
    ASSERT_EQ(cues.size(), 2u);
    EXPECT_EQ(cues[0].position, glm::vec3(7, 0, 0));
    EXPECT_EQ(sound->playingCount(), oneShots); // and nothing plays
    sound->setCueListener({});
}
