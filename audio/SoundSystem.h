#pragma once

// The game's sound: the audio device, the 26 sounds of the sound table, the
// looping ambiences and the one-shot effects, all used from the main thread.
//
// Callers hold SoundSource objects for sounds they control (footsteps, the
// fuse, the fire) and hand finished-with one-shots to the system, which
// deletes them once they have played.
#include "audio/Ambience.h"
#include "audio/AudioBackend.h"
#include "audio/SoundSource.h"
#include "audio/SoundTable.h"

#include <glm/vec3.hpp>

#include <array>
#include <deque>
#include <functional>
#include <unordered_map>
#include <filesystem>
#include <memory>
#include <vector>

struct Settings;

// A table sound starting, or a looping one still playing, as the captions hear
// of it: where it plays (when placed in the world rather than at the listener)
// and how long one pass of it lasts.
struct SoundCue {
    int sound = -1;
    bool positioned = false;
    glm::vec3 position { 0.0f };
    float seconds = 0.0f;
    bool stillPlaying = false; // a loop heard again in a later step
};

class SoundSystem {
public:
    // Reads the switches from `settings` whenever they matter; `backend`
    // defaults to OpenAL.
    explicit SoundSystem(const Settings& settings, std::unique_ptr<AudioBackend> backend = nullptr);
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;
    ~SoundSystem();

    // Opens the device, loads every sound from `root`/sounds/ (the working
    // folder by default) and sets the listener up. A sound that cannot be
    // loaded ends the program with exit code 1.
    void init(const std::filesystem::path& root = {});
    // Loads the table into the device; false at the first sound that cannot be read or uploaded.
    bool loadSounds(const std::filesystem::path& root);
    void listDevices();
    // Deletes every source and buffer, then the context and the device. Sources
    // still held by callers become inert. Safe to call more than once.
    void shutdown();

    SoundSource createSource();
    void makeRelative(SoundSource& source);
    // Plays a table sound with its table gain, unless sound effects are off.
    void play(SoundSource& source, int index);
    // The system takes the source and plays the sound after `delay` seconds.
    void playDelayed(SoundSource source, int index, float delay);
    bool isPlaying(const SoundSource& source);

    // One-shots on new sources that the system deletes when they have finished.
    void playAt(int index, const glm::vec3& position, const glm::vec3& velocity = glm::vec3(0.0f));
    void playRelative(int index);

    void setPosition(SoundSource& source, const glm::vec3& position);
    void setVelocity(SoundSource& source, const glm::vec3& velocity);
    void setLooping(SoundSource& source, bool looping);
    void setGain(SoundSource& source, float gain);
    void setReferenceDistance(SoundSource& source, float distance);
    void stop(SoundSource& source);

    void setListener(
        const glm::vec3& position, const glm::vec3& velocity, const glm::vec3& at, const glm::vec3& up);

    // Told of every table sound the game starts, whether or not sound effects are
    // on or a device plays it (captions stand in for the sound); empty: nobody.
    void setCueListener(std::function<void(const SoundCue&)> listener) { cueListener = std::move(listener); }
    // The length of one pass of a loaded sound; 0 before it is loaded.
    float soundSeconds(int index) const { return isSoundId(index) ? seconds[size_t(index)] : 0.0f; }

    // After "Volume" or "Ambient_Sounds" changed in the running game: the
    // listener's gain, and the ambience silenced or started again.
    void applySettings();

    // Once per simulation step: the ambience cross-fade, then the one-shot housekeeping.
    void update(float dt);
    void setCover(bool covered);
    void setAmbienceForTerrain(int code);
    void setRaining(bool raining);

    // The smoothed outdoor level: 1 in the open, down to 0.1 under cover.
    float coverLevel() const { return ambience.coverLevel(); }
    const Ambience& ambienceState() const { return ambience; }
    size_t playingCount() const { return playing.size(); }
    size_t delayedCount() const { return delayed.size(); }
    size_t liveSourceCount() const { return registry ? registry->size() : 0; }
    bool isOpen() const { return registry != nullptr; }
    // Whether sound actually reaches a device (false when it could not be opened).
    bool deviceReady() const { return isOpen() && opened == AudioOpenResult::Ok; }

private:
    void applyVolume();

    struct DelayedSound {
        SoundSource source;
        int index;
        float delay;
    };

    SourceHandle handleOf(const SoundSource& source) const;
    void startSound(SourceHandle source, int index);
    void tellCue(int index, SourceHandle source, const glm::vec3* position);
    void tellLoopsStillPlaying();
    void releaseOneFinished();
    void startOneDelayed(float dt);

    const Settings& settings;
    std::unique_ptr<AudioBackend> backend;
    std::shared_ptr<SourceRegistry> registry;
    AudioOpenResult opened = AudioOpenResult::NoDevice;
    Ambience ambience;
    std::vector<SoundSource> playing;
    std::deque<DelayedSound> delayed;

    // What the captions need of a source: set by setPosition, makeRelative and
    // setLooping, forgotten when a new source gets the same name.
    struct SourcePlace {
        bool relative = false;
        bool placed = false;
        bool looping = false;
        glm::vec3 position { 0.0f };
    };
    std::unordered_map<SourceHandle, SourcePlace> places;
    std::vector<std::pair<SourceHandle, int>> loops; // looping sources started, and their sound
    std::array<float, kSoundCount> seconds {};
    std::function<void(const SoundCue&)> cueListener;
};

// The game's one sound system, reading the program-wide settings.
extern SoundSystem gSoundSystem;
