#include "audio/SoundSystem.h"

#include "audio/OpenAlBackend.h"
#include "audio/WavReader.h"
#include "base/Log.h"
#include "base/Settings.h"

#include <algorithm>
#include <cstdio>
#include <utility>

SoundSystem gSoundSystem(gSettings);

SoundSystem::SoundSystem(const Settings& settings, std::unique_ptr<AudioBackend> backend)
    : settings(settings)
    , backend(backend ? std::move(backend) : std::make_unique<OpenAlBackend>())
    , ambience(*this->backend, settings)
{
}

SoundSystem::~SoundSystem()
{
    shutdown();
}

void SoundSystem::init(const std::filesystem::path& root)
{
    if (registry)
        return; // already running
    opened = backend->open();
    switch (opened) {
    case AudioOpenResult::NoDevice:
        logError("cant open audio device!");
        break;
    case AudioOpenResult::NoContext:
        logError("cant make audio context current!");
        break;
    case AudioOpenResult::Ok:
        break;
    }
    registry = std::make_shared<SourceRegistry>(*backend);
    if (!loadSounds(root))
        fatal("failed to load sound!");

    setListener(glm::vec3(0.0f), glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    applyVolume();

    SoundSource first = createSource();
    SoundSource second = createSource();
    for (SoundSource* source : { &first, &second }) {
        makeRelative(*source);
        setLooping(*source, true);
    }
    ambience.start(std::move(first), std::move(second));
}

void SoundSystem::applyVolume()
{
    // "Volume" runs from 1 to 10; anything outside is held to the loudest or to silence.
    backend->setListenerGain(float(std::clamp(settings.volume, 0, 10)) / 10.0f);
}

void SoundSystem::applySettings()
{
    if (!isOpen())
        return;
    applyVolume();
    ambience.settingsChanged();
}

bool SoundSystem::loadSounds(const std::filesystem::path& root)
{
    for (int index = 0; index < kSoundCount; ++index) {
        const WavResult result = readWavFile(root / kSoundTable[size_t(index)].file);
        if (!result.ok() || !backend->uploadBuffer(index, result.wav))
            return false;
        const WavData& wav = result.wav;
        const double frameBytes = double(std::max<uint16_t>(wav.blockAlign, 1));
        seconds[size_t(index)]
            = wav.sampleRate > 0 ? float(double(wav.samples.size()) / frameBytes / double(wav.sampleRate)) : 0.0f;
    }
    return true;
}

void SoundSystem::listDevices()
{
    const std::optional<std::vector<std::string>> names = backend->deviceNames();
    if (!names) {
        logError("enumeration not supported!");
        return;
    }
    std::string text = "Audio Devices:\n----------\n";
    for (const std::string& name : *names)
        text += name + "\n";
    logLine(text + "----------");
}

void SoundSystem::shutdown()
{
    // Sources go first: a buffer still attached to a source cannot be deleted,
    // and nothing may be deleted once the context is gone.
    playing.clear();
    delayed.clear();
    loops.clear();
    places.clear();
    ambience.stop();
    if (registry) {
        registry->releaseAll();
        registry.reset();
    }
    backend->deleteBuffers();
    backend->close();
}

SourceHandle SoundSystem::handleOf(const SoundSource& source) const
{
    return source.belongsTo(registry) ? source.handle() : 0;
}

SoundSource SoundSystem::createSource()
{
    if (!registry)
        return {};
    const SourceHandle source = registry->create();
    places.erase(source); // a name the device gave out before
    return source != 0 ? SoundSource(registry, source) : SoundSource();
}

void SoundSystem::makeRelative(SoundSource& source)
{
    const SourceHandle handle = handleOf(source);
    backend->setRelative(handle, true);
    backend->setPosition(handle, glm::vec3(0.0f));
    if (handle != 0)
        places[handle].relative = true;
}

void SoundSystem::tellCue(int index, SourceHandle source, const glm::vec3* position)
{
    if (!cueListener || !isSoundId(index))
        return;
    SoundCue cue;
    cue.sound = index;
    cue.seconds = seconds[size_t(index)];
    if (position) {
        cue.positioned = true;
        cue.position = *position;
    } else if (const auto place = places.find(source); source != 0 && place != places.end()) {
        cue.positioned = place->second.placed && !place->second.relative;
        cue.position = place->second.position;
    }
    cueListener(cue);
}

void SoundSystem::tellLoopsStillPlaying()
{
    std::erase_if(loops, [this](const std::pair<SourceHandle, int>& loop) {
        const auto place = places.find(loop.first);
        const bool alive = registry && registry->contains(loop.first) && backend->isPlaying(loop.first)
            && place != places.end() && place->second.looping;
        return !alive;
    });
    if (!cueListener)
        return;
    for (const auto& [source, index] : loops) {
        SoundCue cue;
        cue.sound = index;
        cue.seconds = seconds[size_t(index)];
        const SourcePlace& place = places[source];
        cue.positioned = place.placed && !place.relative;
        cue.position = place.position;
        cue.stillPlaying = true;
        cueListener(cue);
    }
}

void SoundSystem::startSound(SourceHandle source, int index)
{
    tellCue(index, source, nullptr);
    if (settings.soundEffects == 0 || source == 0 || !isSoundId(index))
        return;
    if (const auto place = places.find(source); place != places.end() && place->second.looping)
        loops.emplace_back(source, index);
    backend->setGain(source, soundGain(index));
    backend->attachBuffer(source, index);
    backend->play(source);
}

void SoundSystem::play(SoundSource& source, int index)
{
    startSound(handleOf(source), index);
}

void SoundSystem::playDelayed(SoundSource source, int index, float delay)
{
    delayed.push_back({ std::move(source), index, delay });
}

bool SoundSystem::isPlaying(const SoundSource& source)
{
    const SourceHandle handle = handleOf(source);
    return handle != 0 && backend->isPlaying(handle);
}

void SoundSystem::playAt(int index, const glm::vec3& position, const glm::vec3& velocity)
{
    if (settings.soundEffects == 0 || !isSoundId(index)) {
        tellCue(index, 0, &position);
        return;
    }
    SoundSource source = createSource();
    setPosition(source, position);
    setVelocity(source, velocity);
    play(source, index);
    playing.push_back(std::move(source));
}

void SoundSystem::playRelative(int index)
{
    if (settings.soundEffects == 0 || !isSoundId(index)) {
        tellCue(index, 0, nullptr);
        return;
    }
    SoundSource source = createSource();
    makeRelative(source);
    play(source, index);
    playing.push_back(std::move(source));
}

void SoundSystem::setPosition(SoundSource& source, const glm::vec3& position)
{
    const SourceHandle handle = handleOf(source);
    backend->setPosition(handle, position);
    if (handle != 0) {
        places[handle].placed = true;
        places[handle].position = position;
    }
}

void SoundSystem::setVelocity(SoundSource& source, const glm::vec3& velocity)
{
    backend->setVelocity(handleOf(source), velocity);
}

void SoundSystem::setLooping(SoundSource& source, bool looping)
{
    const SourceHandle handle = handleOf(source);
    backend->setLooping(handle, looping);
    if (handle != 0)
        places[handle].looping = looping;
}

void SoundSystem::setGain(SoundSource& source, float gain)
{
    backend->setGain(handleOf(source), gain);
}

void SoundSystem::setReferenceDistance(SoundSource& source, float distance)
{
    backend->setReferenceDistance(handleOf(source), distance);
}

void SoundSystem::stop(SoundSource& source)
{
    backend->stop(handleOf(source));
}

void SoundSystem::setListener(
    const glm::vec3& position, const glm::vec3& velocity, const glm::vec3& at, const glm::vec3& up)
{
    backend->setListener(position, velocity, at, up);
}

void SoundSystem::update(float dt)
{
    ambience.update(dt);
    tellLoopsStillPlaying();
    releaseOneFinished();
    startOneDelayed(dt);
}

void SoundSystem::releaseOneFinished()
{
    const auto finished = std::find_if(
        playing.begin(), playing.end(), [this](const SoundSource& s) { return !isPlaying(s); });
    if (finished != playing.end())
        playing.erase(finished); // the source's destructor stops and deletes it
}

void SoundSystem::startOneDelayed(float dt)
{
    for (auto entry = delayed.begin(); entry != delayed.end(); ++entry) {
        entry->delay -= dt;
        if (entry->delay <= 0.0f) {
            play(entry->source, entry->index);
            playing.push_back(std::move(entry->source));
            delayed.erase(entry);
            return;
        }
    }
}

void SoundSystem::setCover(bool covered)
{
    ambience.setCover(covered);
}

void SoundSystem::setAmbienceForTerrain(int code)
{
    ambience.setAmbienceForTerrain(code);
}

void SoundSystem::setRaining(bool raining)
{
    ambience.setRaining(raining);
}
