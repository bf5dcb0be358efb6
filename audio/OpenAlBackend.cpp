#include "audio/OpenAlBackend.h"

#include <AL/alext.h>
#include <climits>
#include <cstring>

namespace {

ALenum alFormat(WavLayout layout)
{
    switch (layout) {
    case WavLayout::Mono8:
        return AL_FORMAT_MONO8;
    case WavLayout::Mono16:
        return AL_FORMAT_MONO16;
    case WavLayout::Stereo8:
        return AL_FORMAT_STEREO8;
    case WavLayout::Stereo16:
        return AL_FORMAT_STEREO16;
    case WavLayout::None:
        break;
    }
    return AL_NONE;
}

} // namespace

OpenAlBackend::~OpenAlBackend()
{
    close();
}

AudioOpenResult OpenAlBackend::open()
{
    if (!device)
        device = alcOpenDevice(nullptr);
    if (!device)
        return AudioOpenResult::NoDevice;
    if (!context)
        context = alcCreateContext(device, nullptr);
    if (!context || alcMakeContextCurrent(context) != ALC_TRUE) {
        if (context)
            alcDestroyContext(context);
        context = nullptr;
        return AudioOpenResult::NoContext;
    }
    chooseResampler();
    return AudioOpenResult::Ok;
}

void OpenAlBackend::chooseResampler()
{
    resampler = -1;
    if (alIsExtensionPresent("AL_SOFT_source_resampler") != AL_TRUE)
        return;
    auto nameOf = reinterpret_cast<LPALGETSTRINGISOFT>(alGetProcAddress("alGetStringiSOFT"));
    if (!nameOf)
        return;
    // The sinc resamplers are band-limited; the library lists them from the
    // cheapest to the best, so the last one found wins.
    const ALint count = alGetInteger(AL_NUM_RESAMPLERS_SOFT);
    for (ALint i = 0; i < count; ++i) {
        const ALchar* name = nameOf(AL_RESAMPLER_NAME_SOFT, i);
        if (name && (std::strstr(name, "Sinc") || std::strstr(name, "sinc")))
            resampler = i;
    }
    alGetError();
}

std::optional<std::vector<std::string>> OpenAlBackend::deviceNames()
{
    if (alcIsExtensionPresent(nullptr, "ALC_ENUMERATION_EXT") != ALC_TRUE)
        return std::nullopt;
    std::vector<std::string> names;
    // A run of zero-terminated names ended by an empty one.
    for (const ALCchar* name = alcGetString(nullptr, ALC_DEVICE_SPECIFIER); name && *name;
         name += std::char_traits<char>::length(name) + 1)
        names.emplace_back(name);
    return names;
}

bool OpenAlBackend::uploadBuffer(int index, const WavData& wav)
{
    if (!context)
        return true; // nothing to play on: the file was still checked
    const ALenum format = alFormat(wav.layout);
    if (!isSoundId(index) || format == AL_NONE || wav.samples.size() > size_t(INT_MAX)
        || wav.sampleRate > INT_MAX)
        return false;
    ALuint& buffer = buffers[size_t(index)];
    alGetError();
    if (buffer == 0)
        alGenBuffers(1, &buffer);
    alBufferData(buffer, format, wav.samples.data(), ALsizei(wav.samples.size()), ALsizei(wav.sampleRate));
    if (alGetError() == AL_NO_ERROR)
        return true;
    alDeleteBuffers(1, &buffer);
    buffer = 0;
    return false;
}

void OpenAlBackend::deleteBuffers()
{
    for (ALuint& buffer : buffers) {
        if (context && buffer != 0)
            alDeleteBuffers(1, &buffer);
        buffer = 0;
    }
}

void OpenAlBackend::close()
{
    deleteBuffers();
    if (context) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
        context = nullptr;
    }
    if (device) {
        alcCloseDevice(device);
        device = nullptr;
    }
}

SourceHandle OpenAlBackend::createSource()
{
    if (!context)
        return 0;
    ALuint source = 0;
    alGetError();
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR)
        return 0;
    alSourcef(source, AL_PITCH, 1.0f);
    alSourcef(source, AL_GAIN, 0.2f);
    alSource3f(source, AL_POSITION, 0, 0, 0);
    alSource3f(source, AL_VELOCITY, 0, 0, 0);
    alSourcei(source, AL_LOOPING, AL_FALSE);
    if (resampler >= 0)
        alSourcei(source, AL_SOURCE_RESAMPLER_SOFT, resampler);
    return source;
}

void OpenAlBackend::deleteSource(SourceHandle source)
{
    if (!usable(source))
        return;
    alSourceStop(source);
    alDeleteSources(1, &source);
}

void OpenAlBackend::setRelative(SourceHandle source, bool relative)
{
    if (usable(source))
        alSourcei(source, AL_SOURCE_RELATIVE, relative ? AL_TRUE : AL_FALSE);
}

void OpenAlBackend::setPosition(SourceHandle source, const glm::vec3& p)
{
    if (usable(source))
        alSource3f(source, AL_POSITION, p.x, p.y, p.z);
}

void OpenAlBackend::setVelocity(SourceHandle source, const glm::vec3& v)
{
    if (usable(source))
        alSource3f(source, AL_VELOCITY, v.x, v.y, v.z);
}

void OpenAlBackend::setLooping(SourceHandle source, bool looping)
{
    if (usable(source))
        alSourcei(source, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
}

void OpenAlBackend::setGain(SourceHandle source, float gain)
{
    if (usable(source))
        alSourcef(source, AL_GAIN, gain);
}

void OpenAlBackend::setReferenceDistance(SourceHandle source, float distance)
{
    if (usable(source))
        alSourcef(source, AL_REFERENCE_DISTANCE, distance);
}

void OpenAlBackend::attachBuffer(SourceHandle source, int index)
{
    if (!usable(source) || !isSoundId(index))
        return;
    // OpenAL refuses a new buffer on a playing or paused source; playing a
    // sound on a busy source therefore restarts it with the new sound.
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    if (state == AL_PLAYING || state == AL_PAUSED)
        alSourceStop(source);
    alSourcei(source, AL_BUFFER, ALint(buffers[size_t(index)]));
}

void OpenAlBackend::play(SourceHandle source)
{
    if (usable(source))
        alSourcePlay(source);
}

void OpenAlBackend::stop(SourceHandle source)
{
    if (usable(source))
        alSourceStop(source);
}

bool OpenAlBackend::isPlaying(SourceHandle source)
{
    if (!usable(source))
        return false;
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

void OpenAlBackend::setListener(
    const glm::vec3& position, const glm::vec3& velocity, const glm::vec3& at, const glm::vec3& up)
{
    if (!context)
        return;
    alListener3f(AL_POSITION, position.x, position.y, position.z);
    alListener3f(AL_VELOCITY, velocity.x, velocity.y, velocity.z);
    const ALfloat orientation[6] = { at.x, at.y, at.z, up.x, up.y, up.z };
    alListenerfv(AL_ORIENTATION, orientation);
}

void OpenAlBackend::setListenerGain(float gain)
{
    if (context)
        alListenerf(AL_GAIN, gain);
}
