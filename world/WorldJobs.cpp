#include "world/World.h"

#include "base/Log.h"
#include "world/FaceMasks.h"

void World::pushJob(std::unique_ptr<ChunkJob> job)
{
    workQueue_.push_back(std::move(job));
    workAvailable_.notify_one();
}

void World::queueFaceUpdate(const aabb& region)
{
    pushJob(ChunkJob::forRegion(JOB_UPDATE_FACES, region));
}

// Six slabs straddling the chunk's faces, so the faces it shares with a neighbour are
// recomputed once both sides exist.
void World::queueNeighbourFaceUpdates(int32_t cx, int32_t cz)
{
    const Chunk* chunk = findChunk(cx, cz);
    if (!chunk)
        return;
    const aabb box = chunk->bounds();
    const aabb inner(box.min + glm::vec3(0.1f), box.max - glm::vec3(0.1f));
    for (int a = 0; a < 3; ++a) {
        for (float face : { inner.min[a], inner.max[a] }) {
            aabb slab = inner;
            slab.min[a] = face - 0.5f;
            slab.max[a] = face + 0.5f;
            queueFaceUpdate(slab);
        }
    }
}

void World::workerLoop()
{
    for (;;) {
        std::unique_ptr<ChunkJob> job;
        {
            boost::unique_lock<boost::mutex> queue(queueMutex_);
            --activeWorkers_;
            // The wait is where an interruption ends the thread.
            while (workQueue_.empty() || stopping_)
                workAvailable_.wait(queue);
            job = std::move(workQueue_.front());
            workQueue_.pop_front();
            ++activeWorkers_;
        }
        runJob(*job);
    }
}

void World::runJob(ChunkJob& job)
{
    switch (job.type) {
    case JOB_GENERATE:
        generateChunk(*job.chunk);
        break;
    case JOB_UPDATE_FACES:
        updateFaces(job);
        break;
    case JOB_BUILD_MESH:
        buildMeshes(job);
        break;
    case JOB_DESTROY_CHUNKS:
        destroyChunks();
        break;
    default:
        logError(joinText("World: unknown job type ", job.type));
    }
}

// The chunk is not ready while it is generated, so nobody else touches it; the main
// thread can take it out of the list only once it is ready, hence ready is set under
// queueMutex and the chunk is not touched after that lock is released.
void World::generateChunk(Chunk& chunk)
{
    chunk.prepareGeneration();
    if (fillChunk)
        fillChunk(chunk);
    else
        generator.generate(chunk);
    // Every column of the chunk, wherever it lies (a fixed box around the origin missed
    // the chunks beyond it).
    const aabb whole = chunk.bounds();
    chunk.computeHeightmap(aabb(whole.min - glm::vec3(1.0f), whole.max + glm::vec3(1.0f)));
    {
        boost::lock_guard<boost::mutex> queue(queueMutex_);
        chunk.finishGeneration();
        const aabb box = chunk.bounds();
        queueFaceUpdate(aabb(box.min - glm::vec3(0.1f), box.max + glm::vec3(0.1f)));
        queueNeighbourFaceUpdates(chunk.cx, chunk.cz);
    }
    boost::lock_guard<boost::mutex> counter(counterMutex_);
    ++loadedCounter_;
}

void World::updateFaces(ChunkJob& job)
{
    std::vector<Chunk*> locked;
    if (!regionLocks_.lock(chunks, job.range, RegionLocks::Cover::Ready, locked))
        return;
    std::vector<Octree*> roots;
    for (Chunk* chunk : locked) {
        // Far out a region's margin of a tenth rounds away, and its range then takes in
        // a neighbour it only touches: that one has no column in it.
        if (job.region->intersects(chunk->bounds()))
            chunk->computeHeightmap(*job.region);
        clearFaces(*chunk->root, *job.region);
        roots.push_back(chunk->root.get());
    }
    for (Octree* root : roots)
        markFaces(*root, roots, *job.region);
    regionLocks_.release(locked);
    boost::lock_guard<boost::mutex> queue(queueMutex_);
    pushJob(ChunkJob::forRegion(JOB_BUILD_MESH, *job.region));
}

void World::buildMeshes(ChunkJob& job)
{
    std::vector<Chunk*> locked;
    if (!regionLocks_.lock(chunks, job.range, RegionLocks::Cover::Ready, locked))
        return;
    for (Chunk* chunk : locked)
        chunk->root->buildMesh(*job.region);
    regionLocks_.release(locked);
    auto upload = ChunkJob::forRegion(JOB_UPLOAD_MESH, *job.region);
    boost::lock_guard<boost::mutex> guard(uploadMutex_);
    uploadQueue_.push_back(std::move(upload));
}

// The chunks come without their world objects (the main thread deleted those), so only
// voxel memory is freed here.
void World::destroyChunks()
{
    ChunkList doomed;
    {
        boost::lock_guard<boost::mutex> guard(destroyMutex_);
        doomed.swap(destroyList);
    }
    const size_t count = doomed.size();
    doomed.clear(); // outside the lock: the main thread may queue more meanwhile
    logLine(joinText("Thread: ", count, " Chunks destroyed!"));
}
