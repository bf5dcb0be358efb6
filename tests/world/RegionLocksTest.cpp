#include "world/RegionLocks.h"

#include "WorldTestHelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

ChunkList threeChunks()
{
    ChunkList chunks;
    chunks.push_back(makeGroundChunk(0, 0, 5.0f));
    chunks.push_back(makeGroundChunk(1, 0, 5.0f));
    chunks.push_back(makeGroundChunk(2, 0, 5.0f, false)); // still being generated
    for (auto& c : chunks)
        c->busy = false;
    return chunks;
}

}

TEST(RegionLocks, WholeNeedsEveryChunkReadyAndFree)
{
    ChunkList chunks = threeChunks();
    RegionLocks locks;
    std::vector<Chunk*> locked;
    EXPECT_EQ(
        locks.tryLock(chunks, { 0, 0, 2, 0 }, RegionLocks::Cover::Whole, locked), RegionLocks::UNAVAILABLE);
    EXPECT_EQ(
        locks.tryLock(chunks, { 0, 0, 1, 1 }, RegionLocks::Cover::Whole, locked), RegionLocks::UNAVAILABLE);
    EXPECT_FALSE(chunks[0]->busy); // a failed lock marks nothing
    ASSERT_EQ(locks.tryLock(chunks, { 0, 0, 1, 0 }, RegionLocks::Cover::Whole, locked), RegionLocks::LOCKED);
    EXPECT_EQ(locked, (std::vector<Chunk*> { chunks[0].get(), chunks[1].get() }));
    EXPECT_TRUE(chunks[0]->busy && chunks[1]->busy);
    std::vector<Chunk*> again;
    EXPECT_EQ(locks.tryLock(chunks, { 1, 0, 1, 0 }, RegionLocks::Cover::Whole, again), RegionLocks::BUSY);
    locks.release(locked);
    EXPECT_FALSE(chunks[0]->busy || chunks[1]->busy);
    // The empty range of a world that has not moved yet locks nothing and succeeds.
    EXPECT_EQ(locks.tryLock(chunks, {}, RegionLocks::Cover::Whole, locked), RegionLocks::LOCKED);
    EXPECT_TRUE(locked.empty());
}

TEST(RegionLocks, ReadyLocksWhatExistsAndReleasesOnlyThat)
{
    ChunkList chunks = threeChunks();
    RegionLocks locks;
    std::vector<Chunk*> first;
    ASSERT_EQ(locks.tryLock(chunks, { -5, -5, 2, 5 }, RegionLocks::Cover::Ready, first), RegionLocks::LOCKED);
    EXPECT_EQ(first, (std::vector<Chunk*> { chunks[0].get(), chunks[1].get() }));
    std::vector<Chunk*> none;
    EXPECT_EQ(
        locks.tryLock(chunks, { 2, 0, 9, 0 }, RegionLocks::Cover::Ready, none), RegionLocks::UNAVAILABLE);

    // The chunk that was skipped becomes ready and someone else locks it: releasing the
    // first lock must not free it.
    chunks[2]->finishGeneration();
    std::vector<Chunk*> second;
    ASSERT_EQ(locks.tryLock(chunks, { 2, 0, 2, 0 }, RegionLocks::Cover::Ready, second), RegionLocks::LOCKED);
    locks.release(first);
    EXPECT_TRUE(chunks[2]->busy);
    EXPECT_FALSE(chunks[0]->busy);
}

TEST(RegionLocks, WorkerWaitsUntilTheRangeIsReleased)
{
    ChunkList chunks = threeChunks();
    RegionLocks locks;
    std::vector<Chunk*> held;
    ASSERT_EQ(locks.tryLock(chunks, { 1, 0, 1, 0 }, RegionLocks::Cover::Whole, held), RegionLocks::LOCKED);
    std::atomic<bool> got { false };
    std::thread worker([&] {
        std::vector<Chunk*> mine;
        ASSERT_TRUE(locks.lock(chunks, { 0, 0, 1, 0 }, RegionLocks::Cover::Whole, mine));
        got = true;
        locks.release(mine);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(got);
    locks.release(held);
    worker.join();
    EXPECT_TRUE(got);
    std::vector<Chunk*> missing;
    EXPECT_FALSE(locks.lock(chunks, { 0, 0, 2, 0 }, RegionLocks::Cover::Whole, missing));
}

TEST(RegionLocks, AWaitingMainThreadGoesFirstAndKeepsItsReservationUntilItHasTheRange)
{
    ChunkList chunks = threeChunks();
    RegionLocks locks;
    std::vector<Chunk*> held;
    ASSERT_EQ(locks.tryLock(chunks, { 1, 0, 1, 0 }, RegionLocks::Cover::Whole, held), RegionLocks::LOCKED);

    // Held past its patience: the wait gives up, the reservation stays.
    std::vector<Chunk*> mine;
    EXPECT_EQ(locks.lockWaiting(chunks, { 0, 0, 1, 0 }, RegionLocks::Cover::Whole, mine, std::chrono::milliseconds(30)),
        RegionLocks::BUSY);
    EXPECT_TRUE(mine.empty());
    EXPECT_FALSE(chunks[0]->busy);
    EXPECT_TRUE(locks.reserved());

    // A worker's job on a free chunk of the reserved range waits; one beside it does not.
    std::atomic<bool> workerGot { false };
    std::thread worker([&] {
        std::vector<Chunk*> job;
        if (locks.lock(chunks, { 0, 0, 0, 0 }, RegionLocks::Cover::Whole, job)) {
            workerGot = true;
            locks.release(job);
        }
    });
    std::vector<Chunk*> beside;
    EXPECT_EQ(locks.tryLock(chunks, { 0, 0, 0, 0 }, RegionLocks::Cover::Whole, beside), RegionLocks::LOCKED)
        << "the main thread's own try-locks are not held off";
    locks.release(beside);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_FALSE(workerGot) << "no worker starts on a reserved chunk";

    // Released while the main thread waits: it has the range at once, and the worker
    // follows only after the main thread lets it go.
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        locks.release(held);
    });
    EXPECT_EQ(locks.lockWaiting(chunks, { 0, 0, 1, 0 }, RegionLocks::Cover::Whole, mine, std::chrono::seconds(20)),
        RegionLocks::LOCKED);
    releaser.join();
    EXPECT_EQ(mine, (std::vector<Chunk*> { chunks[0].get(), chunks[1].get() }));
    EXPECT_FALSE(locks.reserved());
    EXPECT_FALSE(workerGot);
    locks.release(mine);
    worker.join();
    EXPECT_TRUE(workerGot);

    // A chunk still being generated fails at once, without a wait, and reserves the range.
    EXPECT_EQ(locks.lockWaiting(chunks, { 0, 0, 2, 0 }, RegionLocks::Cover::Whole, mine, std::chrono::seconds(20)),
        RegionLocks::UNAVAILABLE);
    EXPECT_TRUE(locks.reserved());
    locks.unreserve();
    EXPECT_FALSE(locks.reserved());
}
