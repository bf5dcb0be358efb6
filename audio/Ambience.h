#pragma once

// The two looping ambience sources: which ambience plays, the five-second
// cross-fade between forest, rain and desert, and the smoothed cover level
// that turns the ambience down while the player is under a roof.
#include "audio/AudioBackend.h"
#include "audio/SoundSource.h"

#include <array>

struct Settings;

class Ambience {
public:
    static constexpr float kFadeSeconds = 5.0f;
    static constexpr int kCoverSampleCount = 100;
    static constexpr int kModeNone = 0;
    static constexpr int kModeForest = 1;
    static constexpr int kModeDesert = 2;

    Ambience(AudioBackend& backend, const Settings& settings);

    // Takes the two sources (already listener-relative at the origin and
    // looping) and resets the state to silence with full outdoor level.
    void start(SoundSource first, SoundSource second);
    // Deletes both sources.
    void stop();

    // "Ambient_Sounds" changed: switched off, both sources stop; switched on,
    // the ambience of where the player is fades in.
    void settingsChanged();

    // Terrain codes 8 and 9 are desert, every other code forest.
    void setAmbienceForTerrain(int code);
    void setRaining(bool raining);
    // Once per step: whether the player has a roof above him.
    void setCover(bool covered);
    // The cross-fade step.
    void update(float dt);

    int currentSlot() const { return current; }
    int nextSlot() const { return next; }
    int currentAmbience() const { return currentSound; }
    int pendingAmbience() const { return pendingSound; }
    float fadeTime() const { return fade; }
    float coverLevel() const { return cover; }
    int ambienceMode() const { return mode; }
    bool raining() const { return rain; }
    SourceHandle source(int slot) const { return sources[size_t(slot)].handle(); }

private:
    bool enabled() const;
    void crossFadeTo(int index);
    void switchAtOnce(int index);

    AudioBackend& backend;
    const Settings& settings;
    std::array<SoundSource, 2> sources;
    int current = 0;
    int next = 1;
    int currentSound = -1; // nothing audible yet
    int pendingSound = -1;
    float fade = 6.0f; // anything from kFadeSeconds up means no fade is running
    float cover = 1.0f;
    std::array<float, kCoverSampleCount> coverSamples {};
    unsigned long coverCalls = 0;
    int mode = kModeNone;
    bool rain = false;
};
