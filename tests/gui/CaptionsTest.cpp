// The captions: their words, the arrow towards a sound, and the queue of at
// most three that shows each for as long as its sound plays.
#include "gui/Captions.h"

#include "audio/SoundTable.h"
#include "gui/Gui.h"

#include <gtest/gtest.h>

namespace {

TEST(Captions, OnlyTheSoundsThatCarryMeaningHaveWords)
{
    const std::vector<std::pair<int, std::string>> words = { { SOUND_MEOW, "Cat meows" },
        { SOUND_SUCCESS, "Cat purrs" }, { SOUND_PIANO1, "A sting of piano" }, { SOUND_HEARTBEAT, "Heartbeat" },
        { SOUND_FUSE, "Fuse hisses" }, { SOUND_EXPLOSION, "Explosion" }, { SOUND_THUNDER1, "Thunder" },
        { SOUND_JETPACK, "Jetpack roars" } };
    for (const auto& [sound, text] : words)
        EXPECT_EQ(captionText(sound), text);
    for (int sound : std::initializer_list<int> { SOUND_FOOTSTEP_GRASS, SOUND_BUTTON, SOUND_FOREST_BIRDS, SOUND_BREATHING, -1, kSoundCount })
        EXPECT_EQ(captionText(sound), "") << sound;
}

TEST(Captions, TheArrowPointsWhereTheSoundIsHeardFromTheView)
{
    const glm::vec3 at(10, 60, 10);
    const glm::vec3 north(0, 0, -1); // the camera's own forward
    EXPECT_EQ(directionArrow(at, north, at + glm::vec3(0.5f, 3, -5)), "↑");
    EXPECT_EQ(directionArrow(at, north, at + glm::vec3(5, -2, 1)), "→");
    EXPECT_EQ(directionArrow(at, north, at + glm::vec3(-1, 0, 8)), "↓");
    EXPECT_EQ(directionArrow(at, north, at + glm::vec3(-6, 0, -2)), "←");
    // Turned to face east, the same sound in the east is ahead; looking up does not matter.
    EXPECT_EQ(directionArrow(at, glm::vec3(0.6f, 0.8f, 0), at + glm::vec3(5, -2, 1)), "↑");
    EXPECT_EQ(directionArrow(at, glm::vec3(1, 0, 0), at + glm::vec3(0, 0, -4)), "←");
}

TEST(Captions, AtMostThreeNewestAtTheBottomEachAsLongAsItsSound)
{
    CaptionQueue queue;
    const glm::vec3 eye(0.0f), north(0, 0, -1);
    queue.add("Thunder", 4.0f, false);
    queue.add("Cat meows", 2.0f, true, glm::vec3(3, 0, 0));
    queue.add("Heartbeat", 0.2f, false); // short sounds stay long enough to read
    EXPECT_EQ(queue.lines(eye, north), (std::vector<std::string> { "Thunder", "Cat meows →", "Heartbeat" }));
    queue.add("Cat meows", 0.5f, true, glm::vec3(-3, 0, 0)); // heard again: newest, from its new place
    queue.add("Explosion", 3.0f, true, glm::vec3(0, 0, 9));
    EXPECT_EQ(queue.lines(eye, north), (std::vector<std::string> { "Heartbeat", "← Cat meows", "↓ Explosion" }));

    queue.update(1.6f); // the heartbeat's 1.5 s are over
    EXPECT_EQ(queue.lines(eye, north), (std::vector<std::string> { "← Cat meows", "↓ Explosion" }));
    queue.keep("Explosion", 5.0f); // a loop still playing
    queue.keep("Fuse hisses", 5.0f); // not shown: nothing to keep
    queue.update(1.0f);
    EXPECT_EQ(queue.lines(eye, north), (std::vector<std::string> { "↓ Explosion" }));
    queue.update(3.9f);
    EXPECT_EQ(queue.size(), 1u);
    queue.update(0.2f);
    EXPECT_EQ(queue.size(), 0u);
}

TEST(Captions, TheGuiHearsCuesAndShowsThemOnlyWhileTheSettingIsOn)
{
    Gui gui;
    ASSERT_NE(gui.captions, nullptr);
    SoundCue cue;
    cue.sound = SOUND_FOOTSTEP_GRASS; // no words
    gui.hearSound(cue);
    EXPECT_EQ(gui.captions->queue.size(), 0u);
    cue.sound = SOUND_FUSE;
    cue.seconds = 0.1f;
    gui.hearSound(cue);
    cue.stillPlaying = true;
    for (int step = 0; step < 200; ++step) { // the loop plays on, cued every step
        gui.update(1.0f / 60.0f);
        gui.hearSound(cue);
    }
    EXPECT_EQ(gui.captions->queue.lines({}, { 0, 0, -1 }), std::vector<std::string> { "Fuse hisses" });
    gui.update(0.3f); // stopped: gone a moment later
    EXPECT_EQ(gui.captions->queue.size(), 0u);
}

} // namespace
