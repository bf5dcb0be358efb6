#include "audio/SoundTestHelpers.h"

namespace {

constexpr int kForest = 0;
constexpr int kDesert = 8;

} // namespace

TEST_F(SoundSystemTest, ForestTerrainCrossFadesFromSilenceOverFiveSeconds)
{
    start();
    sound->setAmbienceForTerrain(kForest);
    const Ambience& state = sound->ambienceState();
    EXPECT_EQ(state.pendingAmbience(), SOUND_FOREST_BIRDS);
    EXPECT_EQ(state.nextSlot(), 1);
    EXPECT_FLOAT_EQ(state.fadeTime(), 0.0f);
    FakeSource& incoming = ambienceSource(1);
    EXPECT_TRUE(incoming.playing);
    EXPECT_EQ(incoming.buffer, SOUND_FOREST_BIRDS);
    EXPECT_FLOAT_EQ(incoming.gain, 0.0f); // silent until the fade raises it

    steps(150, 1.0f / 60.0f); // 2.5 s; the last step set gains for 149/60 s
    EXPECT_NEAR(incoming.gain, 149.0f / 60.0f / 5.0f, 1e-4f);
    EXPECT_EQ(state.currentSlot(), 0);

    steps(151, 1.0f / 60.0f);
    EXPECT_EQ(state.currentSlot(), 1);
    EXPECT_EQ(state.currentAmbience(), SOUND_FOREST_BIRDS);
    EXPECT_EQ(state.pendingAmbience(), -1);
    EXPECT_FALSE(ambienceSource(0).playing);
    EXPECT_TRUE(incoming.playing);
    EXPECT_EQ(state.ambienceMode(), Ambience::kModeForest);
}

TEST_F(SoundSystemTest, RequestingTheForestTwiceStartsOneCrossFade)
{
    start();
    sound->setAmbienceForTerrain(kForest);
    steps(60);
    sound->setAmbienceForTerrain(3);
    EXPECT_EQ(ambienceSource(1).plays, 1);
    EXPECT_NEAR(sound->ambienceState().fadeTime(), 1.0f, 1e-4f);
    EXPECT_EQ(ambienceSource(0).plays, 0);
}

TEST_F(SoundSystemTest, ASecondCrossFadeRestartsTheFadeTowardTheNewSound)
{
    start();
    sound->setAmbienceForTerrain(kForest);
    steps(400); // forest birds audible on slot 1
    ASSERT_EQ(sound->ambienceState().currentAmbience(), SOUND_FOREST_BIRDS);

    sound->setRaining(true);
    steps(120);
    EXPECT_EQ(sound->ambienceState().pendingAmbience(), SOUND_FOREST_RAIN);
    sound->setAmbienceForTerrain(kDesert);
    const Ambience& state = sound->ambienceState();
    EXPECT_FLOAT_EQ(state.fadeTime(), 0.0f);
    EXPECT_EQ(state.pendingAmbience(), SOUND_DESERT_NIGHT);
    EXPECT_EQ(state.nextSlot(), 0);
    EXPECT_EQ(ambienceSource(0).buffer, SOUND_DESERT_NIGHT);
    EXPECT_EQ(state.currentAmbience(), SOUND_FOREST_BIRDS);

    steps(1);
    EXPECT_FLOAT_EQ(ambienceSource(1).gain, 1.0f); // the restarted fade begins at full old level
    steps(300);
    EXPECT_EQ(state.currentAmbience(), SOUND_DESERT_NIGHT);
    EXPECT_EQ(state.currentSlot(), 0);
    EXPECT_FALSE(ambienceSource(1).playing);
}

TEST_F(SoundSystemTest, RainInTheForestFadesInAndItsEndSwitchesBackAtOnce)
{
    start();
    sound->setAmbienceForTerrain(kForest);
    steps(301);
    sound->setRaining(true);
    steps(301);
    const Ambience& state = sound->ambienceState();
    ASSERT_EQ(state.currentAmbience(), SOUND_FOREST_RAIN);
    const int slot = state.currentSlot();

    for (int i = 0; i < 10; ++i)
        sound->setCover(true); // level 0.9
    sound->setRaining(false);
    EXPECT_EQ(state.currentAmbience(), SOUND_FOREST_BIRDS);
    EXPECT_EQ(state.currentSlot(), slot);
    EXPECT_EQ(state.pendingAmbience(), -1);
    EXPECT_EQ(audible().buffer, SOUND_FOREST_BIRDS);
    EXPECT_TRUE(audible().playing);
    EXPECT_FLOAT_EQ(audible().gain, 1.0f * sound->coverLevel());
    EXPECT_FALSE(state.raining());
}

TEST_F(SoundSystemTest, TheDesertIgnoresRainStartsAndFadesItselfInWhenRainStops)
{
    start();
    sound->setAmbienceForTerrain(9);
    steps(301);
    sound->setAmbienceForTerrain(8); // already the desert: nothing new
    EXPECT_EQ(sound->ambienceState().pendingAmbience(), -1);
    sound->setRaining(true);
    EXPECT_EQ(sound->ambienceState().pendingAmbience(), -1);
    EXPECT_TRUE(sound->ambienceState().raining());
    sound->setRaining(false);
    EXPECT_EQ(sound->ambienceState().pendingAmbience(), SOUND_DESERT_NIGHT);

    // Back in the forest while it rains: the rain ambience.
    steps(301);
    sound->setRaining(true);
    sound->setAmbienceForTerrain(kForest);
    EXPECT_EQ(sound->ambienceState().pendingAmbience(), SOUND_FOREST_RAIN);
}

TEST_F(SoundSystemTest, AmbiencesSwitchedOffNeverPlay)
{
    settings.ambientSounds = 0;
    start();
    sound->setAmbienceForTerrain(kForest);
    sound->setRaining(true);
    sound->setRaining(false);
    sound->setAmbienceForTerrain(kDesert);
    steps(400);
    EXPECT_FALSE(ambienceSource(0).playing);
    EXPECT_FALSE(ambienceSource(1).playing);
    EXPECT_EQ(ambienceSource(0).plays + ambienceSource(1).plays, 0);
    EXPECT_EQ(sound->ambienceState().ambienceMode(), Ambience::kModeDesert);
}

TEST_F(SoundSystemTest, SwitchedInPlayTheAmbienceStopsAndComesBackAndTheVolumeFollows)
{
    start();
    sound->setAmbienceForTerrain(kDesert);
    steps(301);
    ASSERT_TRUE(ambienceSource(1).playing);
    settings.ambientSounds = 0;
    settings.volume = 4;
    sound->applySettings();
    EXPECT_FALSE(ambienceSource(0).playing);
    EXPECT_FALSE(ambienceSource(1).playing);
    EXPECT_FLOAT_EQ(fake->listenerGain, 0.4f);
    steps(400);
    EXPECT_FALSE(ambienceSource(0).playing || ambienceSource(1).playing);

    settings.ambientSounds = 1;
    sound->applySettings();
    EXPECT_EQ(sound->ambienceState().pendingAmbience(), SOUND_DESERT_NIGHT);
    steps(301);
    EXPECT_EQ(sound->ambienceState().currentAmbience(), SOUND_DESERT_NIGHT);
    EXPECT_TRUE(ambienceSource(sound->ambienceState().currentSlot()).playing);
}

TEST_F(SoundSystemTest, CoverLowersTheAmbienceInTenthsAndRecoversOutside)
{
    start();
    sound->setAmbienceForTerrain(kForest);
    steps(301);
    audible().gain = 1.0f;

    // The average falls by a hundredth per covered step; 0.95 still rounds to
    // the full level, 0.94 is the first tenth down.
    for (int i = 0; i < 5; ++i)
        sound->setCover(true);
    EXPECT_FLOAT_EQ(sound->coverLevel(), 1.0f);
    sound->setCover(true);
    EXPECT_NEAR(sound->coverLevel(), 0.94f, 1e-5f);
    EXPECT_NEAR(audible().gain, 0.94f, 1e-5f);
    for (int i = 0; i < 9; ++i)
        sound->setCover(true);
    EXPECT_NEAR(sound->coverLevel(), 0.94f, 1e-5f); // 0.85 rounds to 0.9: too close to change
    sound->setCover(true);
    EXPECT_NEAR(sound->coverLevel(), 0.84f, 1e-5f);

    for (int i = 0; i < 200; ++i)
        sound->setCover(true);
    EXPECT_GE(sound->coverLevel(), 0.1f);
    EXPECT_LE(sound->coverLevel(), 0.15f);
    EXPECT_NEAR(audible().gain, sound->coverLevel(), 1e-6f);

    for (int i = 0; i < 100; ++i)
        sound->setCover(false);
    EXPECT_GE(sound->coverLevel(), 0.94f);
    EXPECT_NEAR(audible().gain, sound->coverLevel(), 1e-6f);
}
