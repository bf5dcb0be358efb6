#include "world/RegionLocks.h"

#include <boost/thread/thread_time.hpp>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

Chunk* firstWithCoord(const ChunkList& chunks, int32_t cx, int32_t cz)
{
    for (const auto& chunk : chunks) {
        if (chunk->cx == cx && chunk->cz == cz)
            return chunk.get();
    }
    return nullptr;
}

}

RegionLocks::Result RegionLocks::check(
    const ChunkList& chunks, const ChunkRange& range, Cover cover, std::vector<Chunk*>& found)
{
    found.clear();
    // A Ready lock only cares about coordinates some chunk has, so a huge range costs no
    // more than the list; a Whole lock over a cell nobody has fails at that cell anyway.
    int64_t xFrom = range.cxMin, xTo = range.cxMax, zFrom = range.czMin, zTo = range.czMax;
    if (cover == Cover::Ready) {
        int64_t lowX = std::numeric_limits<int64_t>::max(), highX = std::numeric_limits<int64_t>::min();
        int64_t lowZ = lowX, highZ = highX;
        for (const auto& chunk : chunks) {
            lowX = std::min<int64_t>(lowX, chunk->cx);
            highX = std::max<int64_t>(highX, chunk->cx);
            lowZ = std::min<int64_t>(lowZ, chunk->cz);
            highZ = std::max<int64_t>(highZ, chunk->cz);
        }
        xFrom = std::max(xFrom, lowX);
        xTo = std::min(xTo, highX);
        zFrom = std::max(zFrom, lowZ);
        zTo = std::min(zTo, highZ);
    }
    for (int64_t cx = xFrom; cx <= xTo; ++cx) {
        for (int64_t cz = zFrom; cz <= zTo; ++cz) {
            Chunk* chunk = firstWithCoord(chunks, static_cast<int32_t>(cx), static_cast<int32_t>(cz));
            if (!chunk || !chunk->ready) {
                if (cover == Cover::Whole)
                    return UNAVAILABLE;
                continue;
            }
            if (chunk->busy)
                return BUSY;
            found.push_back(chunk);
        }
    }
    if (cover == Cover::Ready && found.empty())
        return UNAVAILABLE;
    return LOCKED;
}

RegionLocks::Result RegionLocks::tryLock(
    const ChunkList& chunks, const ChunkRange& range, Cover cover, std::vector<Chunk*>& locked)
{
    boost::unique_lock<boost::mutex> guard(busyMutex_, boost::try_to_lock);
    if (!guard.owns_lock())
        return CONTENDED;
    const Result result = check(chunks, range, cover, locked);
    if (result != LOCKED) {
        locked.clear();
        return result;
    }
    for (Chunk* chunk : locked)
        chunk->busy = true;
    return LOCKED;
}

bool RegionLocks::lock(
    const ChunkList& chunks, const ChunkRange& range, Cover cover, std::vector<Chunk*>& locked)
{
    boost::unique_lock<boost::mutex> guard(busyMutex_);
    Result result;
    while ((result = check(chunks, range, cover, locked)) == BUSY || reservedFor(range))
        busyReleased_.wait(guard);
    if (result != LOCKED) {
        locked.clear();
        return false;
    }
    for (Chunk* chunk : locked)
        chunk->busy = true;
    return true;
}

void RegionLocks::releaseHeld(const std::vector<Chunk*>& locked)
{
    for (Chunk* chunk : locked)
        chunk->busy = false;
}

void RegionLocks::release(const std::vector<Chunk*>& locked)
{
    {
        boost::lock_guard<boost::mutex> guard(busyMutex_);
        releaseHeld(locked);
    }
    // Every waiter looks again: waking only one could leave a worker whose range is now
    // free asleep behind one whose range is still busy.
    busyReleased_.notify_all();
}

bool RegionLocks::reservedFor(const ChunkRange& range) const
{
    if (!hasReservation_)
        return false;
    const ChunkRange& r = reservation_;
    return range.cxMin <= range.cxMax && range.czMin <= range.czMax && range.cxMin <= r.cxMax
        && r.cxMin <= range.cxMax && range.czMin <= r.czMax && r.czMin <= range.czMax;
}

RegionLocks::Result RegionLocks::lockWaiting(const ChunkList& chunks, const ChunkRange& range, Cover cover,
    std::vector<Chunk*>& locked, std::chrono::milliseconds patience)
{
    const boost::system_time deadline
        = boost::get_system_time() + boost::posix_time::milliseconds(patience.count());
    boost::unique_lock<boost::mutex> guard(busyMutex_);
    hasReservation_ = true;
    reservation_ = range;
    Result result;
    while ((result = check(chunks, range, cover, locked)) == BUSY) {
        if (!busyReleased_.timed_wait(guard, deadline)) {
            result = check(chunks, range, cover, locked);
            break;
        }
    }
    if (result != LOCKED) {
        locked.clear();
        return result;
    }
    for (Chunk* chunk : locked)
        chunk->busy = true;
    hasReservation_ = false;
    guard.unlock();
    // Workers held off by the reservation look again (and wait for these chunks now).
    busyReleased_.notify_all();
    return LOCKED;
}

void RegionLocks::unreserve()
{
    {
        boost::lock_guard<boost::mutex> guard(busyMutex_);
        if (!hasReservation_)
            return;
        hasReservation_ = false;
    }
    busyReleased_.notify_all();
}

bool RegionLocks::reserved()
{
    boost::lock_guard<boost::mutex> guard(busyMutex_);
    return hasReservation_;
}
