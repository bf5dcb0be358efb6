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

#include <deque>
#include <filesystem>
#include <memory>
#include <vector>

struct Settings;

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
    void releaseOneFinished();
    void startOneDelayed(float dt);

    const Settings& settings;
    std::unique_ptr<AudioBackend> backend;
    std::shared_ptr<SourceRegistry> registry;
    AudioOpenResult opened = AudioOpenResult::NoDevice;
    Ambience ambience;
    std::vector<SoundSource> playing;
    std::deque<DelayedSound> delayed;
};

// The game's one sound system, reading the program-wide settings.
extern SoundSystem gSoundSystem;
