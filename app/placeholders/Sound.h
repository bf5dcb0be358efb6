#pragma once

// PLACEHOLDER for the sound system: the operations the application calls,
// recording what was asked so the rules around them can be checked. Replaced
// by the audio work.

#include <glm/vec3.hpp>

using SoundSource = unsigned int;

class SoundSystem {
public:
    bool raining = false;
    int cover = 0;
    int updates = 0;
    int lastPlayed = -1;
    glm::vec3 lastPosition { 0.0f };
    bool lastRelative = false;

    // Returns false when a sound file cannot be loaded (the game then ends).
    bool init() { return true; }
    void listDevices() { }
    void shutdown() { }
    void update(float) { ++updates; }
    void setCover(int covered) { cover = covered; }
    void setRaining(bool flag) { raining = flag; }
    SoundSource createSource()
    {
        lastRelative = false;
        return ++sources;
    }
    void makeRelative(SoundSource) { lastRelative = true; }
    void setPosition(SoundSource, const glm::vec3& p) { lastPosition = p; }
    void play(SoundSource, int index) { lastPlayed = index; }

private:
    SoundSource sources = 0;
};

extern SoundSystem soundSystem;
