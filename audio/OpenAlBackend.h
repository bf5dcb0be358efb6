#pragma once

// The sound system's device layer: every OpenAL call of the game lives here.
// Without a device or a current context the source and listener calls do
// nothing, so the game runs on silently.
#include "audio/AudioBackend.h"
#include "audio/SoundTable.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <array>

class OpenAlBackend : public AudioBackend {
public:
    OpenAlBackend() = default;
    OpenAlBackend(const OpenAlBackend&) = delete;
    OpenAlBackend& operator=(const OpenAlBackend&) = delete;
    ~OpenAlBackend() override;

    AudioOpenResult open() override;
    std::optional<std::vector<std::string>> deviceNames() override;
    bool uploadBuffer(int index, const WavData& wav) override;
    void deleteBuffers() override;
    void close() override;

    SourceHandle createSource() override;
    void deleteSource(SourceHandle source) override;
    void setRelative(SourceHandle source, bool relative) override;
    void setPosition(SourceHandle source, const glm::vec3& position) override;
    void setVelocity(SourceHandle source, const glm::vec3& velocity) override;
    void setLooping(SourceHandle source, bool looping) override;
    void setGain(SourceHandle source, float gain) override;
    void setReferenceDistance(SourceHandle source, float distance) override;
    void attachBuffer(SourceHandle source, int index) override;
    void play(SourceHandle source) override;
    void stop(SourceHandle source) override;
    bool isPlaying(SourceHandle source) override;

    void setListener(const glm::vec3& position, const glm::vec3& velocity, const glm::vec3& at,
        const glm::vec3& up) override;
    void setListenerGain(float gain) override;

private:
    bool usable(SourceHandle source) const { return context && source != 0; }
    // Picks the best band-limited resampler the library offers, if any.
    void chooseResampler();

    // The source resampler to use, or -1 for the library's default. Half of
    // the sounds are recorded at 22 050 Hz: a linear resampler mirrors their
    // birds and crickets into audible images above 16 kHz.
    ALint resampler = -1;

    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    std::array<ALuint, kSoundCount> buffers {};
};
