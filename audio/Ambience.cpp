#include "audio/Ambience.h"

#include "audio/SoundTable.h"
#include "base/Settings.h"

#include <cmath>
#include <numeric>
#include <utility>

Ambience::Ambience(AudioBackend& backend, const Settings& settings)
    : backend(backend)
    , settings(settings)
{
    coverSamples.fill(1.0f);
}

void Ambience::start(SoundSource first, SoundSource second)
{
    sources = { std::move(first), std::move(second) };
    current = 0;
    next = 1;
    currentSound = -1;
    pendingSound = -1;
    fade = 6.0f;
    cover = 1.0f;
    coverSamples.fill(1.0f);
    coverCalls = 0;
    mode = kModeNone;
    rain = false;
}

void Ambience::stop()
{
    for (SoundSource& source : sources)
        source.reset();
}

void Ambience::settingsChanged()
{
    if (!enabled()) {
        for (SoundSource& source : sources)
            backend.stop(source.handle());
        currentSound = -1;
        pendingSound = -1;
        fade = kFadeSeconds + 1.0f;
        return;
    }
    if (currentSound != -1 || pendingSound != -1)
        return;
    if (mode == kModeDesert)
        crossFadeTo(SOUND_DESERT_NIGHT);
    else if (mode == kModeForest)
        crossFadeTo(rain ? SOUND_FOREST_RAIN : SOUND_FOREST_BIRDS);
}

bool Ambience::enabled() const
{
    return settings.ambientSounds != 0;
}

void Ambience::setAmbienceForTerrain(int code)
{
    if (code == 8 || code == 9) {
        if (enabled() && currentSound != SOUND_DESERT_NIGHT && pendingSound != SOUND_DESERT_NIGHT)
            crossFadeTo(SOUND_DESERT_NIGHT);
        mode = kModeDesert;
        return;
    }
    if (mode != kModeForest && enabled()) {
        const int forest = rain ? SOUND_FOREST_RAIN : SOUND_FOREST_BIRDS;
        if (currentSound != forest && pendingSound != forest)
            crossFadeTo(forest);
    }
    mode = kModeForest;
}

void Ambience::setRaining(bool raining)
{
    if (rain && !raining) {
        if (mode == kModeDesert)
            crossFadeTo(SOUND_DESERT_NIGHT);
        else if (mode == kModeForest)
            switchAtOnce(SOUND_FOREST_BIRDS);
    } else if (!rain && raining && mode != kModeDesert) {
        crossFadeTo(SOUND_FOREST_RAIN);
    }
    rain = raining;
}

void Ambience::crossFadeTo(int index)
{
    // Never start an ambience while ambiences are switched off.
    if (!enabled())
        return;
    fade = 0.0f;
    next = 1 - current;
    const SourceHandle incoming = sources[size_t(next)].handle();
    backend.stop(incoming);
    // The incoming sound starts silent; the fade step raises it.
    backend.setGain(incoming, 0.0f);
    backend.attachBuffer(incoming, index);
    backend.play(incoming);
    pendingSound = index;
}

void Ambience::switchAtOnce(int index)
{
    if (!enabled() || currentSound == index || pendingSound == index)
        return;
    const SourceHandle audible = sources[size_t(current)].handle();
    backend.stop(audible);
    backend.setGain(audible, soundGain(index) * cover);
    backend.attachBuffer(audible, index);
    backend.play(audible);
    currentSound = index;
}

void Ambience::update(float dt)
{
    if (fade >= kFadeSeconds)
        return;
    const float progress = fade / kFadeSeconds;
    backend.setGain(sources[size_t(current)].handle(), (1.0f - progress) * soundGain(currentSound) * cover);
    backend.setGain(sources[size_t(next)].handle(), soundGain(pendingSound) * progress * cover);
    fade += dt;
    if (fade >= kFadeSeconds) {
        backend.stop(sources[size_t(current)].handle());
        current = next;
        currentSound = pendingSound;
        pendingSound = -1;
    }
}

void Ambience::setCover(bool covered)
{
    coverSamples[coverCalls % kCoverSampleCount] = covered ? 0.0f : 1.0f;
    ++coverCalls;
    float average = std::accumulate(coverSamples.begin(), coverSamples.end(), 0.0f) / kCoverSampleCount;
    if (!(average > 0.1f))
        average = 0.1f;
    // The level moves in tenths; the small margin keeps float rounding from
    // swallowing a step of exactly one tenth.
    const float rounded = float(std::lround(average * 10.0f)) / 10.0f;
    if (std::fabs(rounded - cover) >= 0.1f - 1e-4f) {
        cover = average;
        backend.setGain(sources[size_t(current)].handle(), soundGain(currentSound) * cover);
    }
}
