#pragma once

#include "world/Chunk.h"
#include "world/ChunkJob.h"

#include <boost/thread/condition_variable.hpp>
#include <boost/thread/mutex.hpp>

#include <vector>

// The busy flags of the chunks: a range of chunks is marked busy while one
// voxel edit, face update, mesh build or upload works on it, so no two of them
// ever touch the same chunk at once. The main thread only ever try-locks, so a
// frame never waits for a worker; workers wait until the range is free.
//
// The same mutex also guards the chunk list against the main thread's changes:
// the list is changed only while it is held, so look-ups under it are safe.
class RegionLocks {
public:
    enum Result {
        LOCKED = 0,
        BUSY = 1, // some chunk of the range is busy
        UNAVAILABLE = 2, // a chunk is missing or not ready (or, for Ready, none is)
        CONTENDED = 3, // the mutex was taken: try again
    };
    // Whole: every chunk of the range must be present and ready (edits, the streaming move).
    // Ready: the ready chunks of the range are locked and the others skipped, as long as
    // one is ready; a face or mesh job need not wait for, nor give up on, chunks that do not
    // exist yet, because their own jobs redo the shared faces once they are generated.
    enum class Cover { Whole, Ready };

    // Main thread. On LOCKED, `locked` holds the chunks now busy (cx outer, cz inner).
    Result tryLock(
        const ChunkList& chunks, const ChunkRange& range, Cover cover, std::vector<Chunk*>& locked);
    // Workers: waits while the range is busy; false when it is unavailable. An interruption point.
    bool lock(const ChunkList& chunks, const ChunkRange& range, Cover cover, std::vector<Chunk*>& locked);
    // Frees the chunks a lock returned and wakes the waiting workers.
    void release(const std::vector<Chunk*>& locked);

    // For a caller that changes the chunk list: hold mutex(), then releaseHeld, then notify.
    boost::mutex& mutex() { return busyMutex_; }
    static void releaseHeld(const std::vector<Chunk*>& locked);
    void notify() { busyReleased_.notify_all(); }

private:
    static Result check(
        const ChunkList& chunks, const ChunkRange& range, Cover cover, std::vector<Chunk*>& found);

    boost::mutex busyMutex_;
    boost::condition_variable busyReleased_;
};
