#include "world/SiteCache.h"

#include <bit>

namespace terrain {

size_t SiteCache::KeyHash::operator()(const Key& k) const
{
    uint64_t h = k.seedBits;
    h = h * 0x9E3779B97F4A7C15ull ^ static_cast<uint32_t>(k.cx);
    h = h * 0x9E3779B97F4A7C15ull ^ static_cast<uint32_t>(k.cz);
    return static_cast<size_t>(h ^ (h >> 29));
}

SiteCache::Key SiteCache::keyOf(float seedOffset, int32_t cx, int32_t cz)
{
    return Key { std::bit_cast<uint32_t>(seedOffset), cx, cz };
}

SiteCache::Sites SiteCache::find(float seedOffset, int32_t cx, int32_t cz)
{
    std::lock_guard lock(mutex_);
    const auto it = entries_.find(keyOf(seedOffset, cx, cz));
    if (it == entries_.end())
        return nullptr;
    ages_.splice(ages_.begin(), ages_, it->second.age);
    return it->second.sites;
}

void SiteCache::insert(float seedOffset, int32_t cx, int32_t cz, Sites sites)
{
    if (capacity_ == 0 || !sites)
        return;
    const Key key = keyOf(seedOffset, cx, cz);
    std::lock_guard lock(mutex_);
    // Another worker may have scanned the same chunk meanwhile; both lists are equal.
    if (entries_.count(key))
        return;
    while (entries_.size() >= capacity_) {
        entries_.erase(ages_.back());
        ages_.pop_back();
    }
    ages_.push_front(key);
    entries_.emplace(key, Entry { std::move(sites), ages_.begin() });
}

void SiteCache::clear()
{
    std::lock_guard lock(mutex_);
    entries_.clear();
    ages_.clear();
}

size_t SiteCache::size() const
{
    std::lock_guard lock(mutex_);
    return entries_.size();
}

} // namespace terrain
