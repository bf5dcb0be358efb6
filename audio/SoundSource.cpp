#include "audio/SoundSource.h"

#include <utility>

SourceHandle SourceRegistry::create()
{
    const SourceHandle source = backend.createSource();
    if (source != 0)
        live.insert(source);
    return source;
}

void SourceRegistry::release(SourceHandle source)
{
    if (live.erase(source) == 0)
        return;
    backend.stop(source);
    backend.deleteSource(source);
}

void SourceRegistry::releaseAll()
{
    for (SourceHandle source : live) {
        backend.stop(source);
        backend.deleteSource(source);
    }
    live.clear();
}

SoundSource::SoundSource(SoundSource&& other) noexcept
    : registry(std::move(other.registry))
    , source(std::exchange(other.source, 0))
{
}

SoundSource& SoundSource::operator=(SoundSource&& other) noexcept
{
    if (this != &other) {
        reset();
        registry = std::move(other.registry);
        source = std::exchange(other.source, 0);
    }
    return *this;
}

void SoundSource::reset()
{
    if (const std::shared_ptr<SourceRegistry> owner = registry.lock())
        owner->release(source);
    registry.reset();
    source = 0;
}

SourceHandle SoundSource::handle() const
{
    const std::shared_ptr<SourceRegistry> owner = registry.lock();
    return owner && owner->contains(source) ? source : 0;
}

bool SoundSource::belongsTo(const std::shared_ptr<SourceRegistry>& owner) const
{
    return owner && registry.lock() == owner && owner->contains(source);
}
