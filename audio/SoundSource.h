#pragma once

// A sound source handed out by the sound system. It owns its device source:
// destroying the object stops and deletes it. Once the sound system has shut
// down every source is inert, so an object that outlives the audio device
// never touches a freed one.
#include "audio/AudioBackend.h"

#include <memory>
#include <unordered_set>

// The live sources of one opened sound system. Sources hold it weakly: when
// the system shuts down it deletes them all and drops the registry.
class SourceRegistry {
public:
    explicit SourceRegistry(AudioBackend& backend)
        : backend(backend)
    {
    }

    SourceHandle create();
    void release(SourceHandle source);
    // Stops and deletes every source still alive.
    void releaseAll();
    bool contains(SourceHandle source) const { return live.count(source) != 0; }
    size_t size() const { return live.size(); }

private:
    AudioBackend& backend;
    std::unordered_set<SourceHandle> live;
};

class SoundSource {
public:
    SoundSource() = default;
    SoundSource(const SoundSource&) = delete;
    SoundSource& operator=(const SoundSource&) = delete;
    SoundSource(SoundSource&& other) noexcept;
    SoundSource& operator=(SoundSource&& other) noexcept;
    ~SoundSource() { reset(); }

    // Stops and deletes the source now; the object becomes empty.
    void reset();
    // Whether this object still names a live source.
    bool valid() const { return handle() != 0; }
    // The source's name while it and its registry live, else 0.
    SourceHandle handle() const;
    bool belongsTo(const std::shared_ptr<SourceRegistry>& registry) const;

private:
    friend class SoundSystem;
    SoundSource(const std::shared_ptr<SourceRegistry>& registry, SourceHandle source)
        : registry(registry)
        , source(source)
    {
    }

    std::weak_ptr<SourceRegistry> registry;
    SourceHandle source = 0;
};
