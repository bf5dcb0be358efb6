#pragma once

#include "world/Chunk.h"
#include "world/ChunkJob.h"

#include <boost/thread/condition_variable.hpp>
#include <boost/thread/mutex.hpp>

#include <chrono>
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

    // Main thread, while no frame has to be kept on time. Reserves the range, so no
    // worker starts a job on it, waits at most `patience` for the jobs that hold it to
    // end, and locks it as tryLock does. Against a steady stream of jobs a try-lock of a
    // large range may lose for seconds; the reservation lets the running jobs drain and
    // keeps new ones out. It stays when the lock fails, so the next attempt finds the
    // range no busier, and ends when a lockWaiting succeeds or with unreserve().
    Result lockWaiting(const ChunkList& chunks, const ChunkRange& range, Cover cover, std::vector<Chunk*>& locked,
        std::chrono::milliseconds patience);
    // Lets workers back onto a reserved range.
    void unreserve();
    bool reserved();

    // For a caller that changes the chunk list: hold mutex(), then releaseHeld, then notify.
    boost::mutex& mutex() { return busyMutex_; }
    static void releaseHeld(const std::vector<Chunk*>& locked);
    void notify() { busyReleased_.notify_all(); }

private:
    static Result check(
        const ChunkList& chunks, const ChunkRange& range, Cover cover, std::vector<Chunk*>& found);

    // Caller holds busyMutex_.
    bool reservedFor(const ChunkRange& range) const;

    boost::mutex busyMutex_;
    boost::condition_variable busyReleased_;
    bool hasReservation_ = false;
    ChunkRange reservation_;
};
