#pragma once

#include "world/TerrainSampler.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace terrain {

// The sites of recently scanned chunks. Every chunk is scanned by the
// generation of itself and of its eight neighbours; keeping the (small) site
// lists lets all but the first of those skip the scan. Bounded (least
// recently used entries go first) and safe to share between worker threads.
// Entries are keyed by the seed offset too, so a generator whose seed changes
// never sees another seed's sites.
class SiteCache {
public:
    using Sites = std::shared_ptr<const std::vector<Site>>;

    explicit SiteCache(size_t capacity = 1024)
        : capacity_(capacity)
    {
    }

    // Null when the chunk is not cached.
    Sites find(float seedOffset, int32_t cx, int32_t cz);
    void insert(float seedOffset, int32_t cx, int32_t cz, Sites sites);
    void clear();
    size_t size() const;

private:
    struct Key {
        uint32_t seedBits;
        int32_t cx, cz;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key& k) const;
    };
    struct Entry {
        Sites sites;
        std::list<Key>::iterator age;
    };
    static Key keyOf(float seedOffset, int32_t cx, int32_t cz);

    size_t capacity_;
    mutable std::mutex mutex_;
    std::list<Key> ages_; // most recently used first
    std::unordered_map<Key, Entry, KeyHash> entries_;
};

} // namespace terrain
