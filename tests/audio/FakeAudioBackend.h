#pragma once

// An audio device double: records what the sound system asks of it and
// counts every call that would touch a deleted source, a buffer still in use
// or a closed device.
#include "audio/AudioBackend.h"
#include "audio/SoundTable.h"

#include <array>
#include <map>
#include <string>
#include <vector>

struct FakeSource {
    bool relative = false;
    bool looping = false;
    bool playing = false;
    float gain = 0.2f;
    glm::vec3 position { 0.0f };
    int buffer = -1;
    int plays = 0;
};

class FakeAudioBackend : public AudioBackend {
public:
    AudioOpenResult openResult = AudioOpenResult::Ok;
    std::optional<std::vector<std::string>> names;
    int refuseUpload = -1; // a table index whose upload fails

    bool open_ = false;
    std::map<SourceHandle, FakeSource> sources;
    std::vector<SourceHandle> deleted;
    std::array<bool, kSoundCount> buffers {};
    std::vector<std::string> events; // "delete source", "delete buffers", "close" in call order
    int misuse = 0;
    float listenerGain = 1.0f;
    glm::vec3 listenerPosition { 0.0f }, listenerAt { 0.0f }, listenerUp { 0.0f };

    FakeSource& at(SourceHandle s) { return sources.at(s); }

    AudioOpenResult open() override
    {
        open_ = openResult == AudioOpenResult::Ok;
        return openResult;
    }
    std::optional<std::vector<std::string>> deviceNames() override { return names; }
    bool uploadBuffer(int index, const WavData&) override
    {
        if (index == refuseUpload)
            return false;
        buffers[size_t(index)] = true;
        return true;
    }
    void deleteBuffers() override
    {
        if (!sources.empty())
            ++misuse; // a buffer may still be attached
        buffers.fill(false);
        events.push_back("delete buffers");
    }
    void close() override
    {
        if (!sources.empty())
            ++misuse;
        open_ = false;
        events.push_back("close");
    }

    SourceHandle createSource() override
    {
        if (!open_)
            return 0;
        sources[++lastHandle] = FakeSource();
        return lastHandle;
    }
    void deleteSource(SourceHandle s) override
    {
        if (s == 0)
            return;
        if (!open_ || sources.erase(s) == 0)
            ++misuse;
        deleted.push_back(s);
        events.push_back("delete source");
    }
    void setRelative(SourceHandle s, bool v) override
    {
        with(s, [&](FakeSource& f) { f.relative = v; });
    }
    void setPosition(SourceHandle s, const glm::vec3& p) override
    {
        with(s, [&](FakeSource& f) { f.position = p; });
    }
    void setVelocity(SourceHandle s, const glm::vec3&) override
    {
        with(s, [](FakeSource&) {});
    }
    void setLooping(SourceHandle s, bool v) override
    {
        with(s, [&](FakeSource& f) { f.looping = v; });
    }
    void setGain(SourceHandle s, float g) override
    {
        with(s, [&](FakeSource& f) { f.gain = g; });
    }
    void setReferenceDistance(SourceHandle s, float) override
    {
        with(s, [](FakeSource&) {});
    }
    void attachBuffer(SourceHandle s, int index) override
    {
        with(s, [&](FakeSource& f) { f.playing = false, f.buffer = index; });
    }
    void play(SourceHandle s) override
    {
        with(s, [&](FakeSource& f) { f.playing = true, ++f.plays; });
    }
    void stop(SourceHandle s) override
    {
        with(s, [&](FakeSource& f) { f.playing = false; });
    }
    bool isPlaying(SourceHandle s) override
    {
        bool playing = false;
        with(s, [&](FakeSource& f) { playing = f.playing; });
        return playing;
    }
    void setListener(const glm::vec3& p, const glm::vec3&, const glm::vec3& a, const glm::vec3& u) override
    {
        listenerPosition = p, listenerAt = a, listenerUp = u;
    }
    void setListenerGain(float g) override { listenerGain = g; }

private:
    // Handle 0 stands for "no source" and is ignored, as the real device layer does.
    template <typename F> void with(SourceHandle s, F f)
    {
        if (s == 0)
            return;
        auto found = sources.find(s);
        if (!open_ || found == sources.end()) {
            ++misuse;
            return;
        }
        f(found->second);
    }

    SourceHandle lastHandle = 0;
};
