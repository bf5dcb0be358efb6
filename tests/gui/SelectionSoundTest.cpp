// The menu click through the sound system, on the fake audio device.
#include "audio/FakeAudioBackend.h"
#include "audio/SoundSystem.h"
#include "base/Settings.h"
#include "gui/SelectionSound.h"

#include <gtest/gtest.h>

namespace {

struct Device {
    Settings settings;
    FakeAudioBackend* fake = nullptr;
    std::unique_ptr<SoundSystem> sound;

    Device()
    {
        auto backend = std::make_unique<FakeAudioBackend>();
        fake = backend.get();
        sound = std::make_unique<SoundSystem>(settings, std::move(backend));
    }
};

}

TEST(SelectionSoundTest, ClicksTheButtonSoundOnItsOwnRelativeSource)
{
    Device device;
    device.sound->init(MOSSGRAVE_RUN_DIR);
    SelectionSound click(*device.sound);
    ASSERT_TRUE(click.soundSource().valid());
    click.play();
    const FakeSource& source = device.fake->at(click.soundSource().handle());
    EXPECT_TRUE(source.relative);
    EXPECT_EQ(source.position, glm::vec3(0.0f));
    EXPECT_TRUE(source.playing);
    EXPECT_EQ(source.buffer, int(SOUND_BUTTON));
    EXPECT_FLOAT_EQ(source.gain, 1.0f);
    EXPECT_EQ(click.playCount(), 1);
}

TEST(SelectionSoundTest, SilentWithEffectsOffAndLateDevicesStillClick)
{
    Device device;
    SelectionSound early(*device.sound); // made before the device opened
    EXPECT_FALSE(early.soundSource().valid());
    early.play(); // harmless
    device.sound->init(MOSSGRAVE_RUN_DIR);
    early.play();
    ASSERT_TRUE(early.soundSource().valid());
    EXPECT_TRUE(device.fake->at(early.soundSource().handle()).playing);
    EXPECT_EQ(early.playCount(), 2);

    device.settings.soundEffects = 0;
    SelectionSound quiet(*device.sound);
    quiet.play();
    EXPECT_EQ(device.fake->at(quiet.soundSource().handle()).plays, 0);
}
