#pragma once

// The handful of device operations the sound system needs. The game uses the
// OpenAL implementation; tests drive the sound logic through a recording fake,
// so cross-fades, cover smoothing and scheduling run without an audio device.
#include "audio/WavReader.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A backend's name for one source; 0 is never a live source.
using SourceHandle = uint32_t;

enum class AudioOpenResult { Ok, NoDevice, NoContext };

class AudioBackend {
public:
    virtual ~AudioBackend() = default;

    // Opens the default device and makes a context on it current.
    virtual AudioOpenResult open() = 0;
    // Names of the output devices, or nothing when the device list is not available.
    virtual std::optional<std::vector<std::string>> deviceNames() = 0;
    // Creates the buffer for a table index from decoded samples; false when refused.
    virtual bool uploadBuffer(int index, const WavData& wav) = 0;
    // Deletes every buffer; all sources must be gone by then.
    virtual void deleteBuffers() = 0;
    // Clears the current context, destroys it and closes the device.
    virtual void close() = 0;

    // A new source: pitch 1, gain 0.2, at rest at the origin, not looping. 0 when none can be made.
    virtual SourceHandle createSource() = 0;
    virtual void deleteSource(SourceHandle source) = 0;
    virtual void setRelative(SourceHandle source, bool relative) = 0;
    virtual void setPosition(SourceHandle source, const glm::vec3& position) = 0;
    virtual void setVelocity(SourceHandle source, const glm::vec3& velocity) = 0;
    virtual void setLooping(SourceHandle source, bool looping) = 0;
    virtual void setGain(SourceHandle source, float gain) = 0;
    virtual void setReferenceDistance(SourceHandle source, float distance) = 0;
    // Binds the buffer of a table index to the source.
    virtual void attachBuffer(SourceHandle source, int index) = 0;
    virtual void play(SourceHandle source) = 0;
    virtual void stop(SourceHandle source) = 0;
    virtual bool isPlaying(SourceHandle source) = 0;

    virtual void setListener(
        const glm::vec3& position, const glm::vec3& velocity, const glm::vec3& at, const glm::vec3& up)
        = 0;
    virtual void setListenerGain(float gain) = 0;
};
