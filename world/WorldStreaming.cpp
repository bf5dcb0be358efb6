#include "world/World.h"

#include "base/Log.h"
#include "base/TerrainCodes.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

namespace {

// How long one waiting move waits for the jobs on the old square before the
// loading screen gets its turn again (events, the picture).
constexpr std::chrono::milliseconds kMovePatience { 100 };

// The chunk the square centres on for a body at (x, z), which must be finite. A body
// flung to absurd coordinates must not take the square with it: near the ends of the
// integer range the square's loops would wrap and never end.
ChunkCoord squareCentreFor(float x, float z)
{
    constexpr int32_t kFarthestChunk = 1 << 24; // far beyond where floats keep whole units
    ChunkCoord p = chunkCoordOf(x, z);
    p.cx = std::clamp(p.cx, -kFarthestChunk, kFarthestChunk);
    p.cz = std::clamp(p.cz, -kFarthestChunk, kFarthestChunk);
    return p;
}

} // namespace

void World::updateColumnCode(float x, float z)
{
    // Classifying a column can scan a whole site neighbourhood, so it is done once per
    // half-unit column the player enters, not every step.
    // The caller passes finite positions only.
    auto cell = [](float v) { return static_cast<int>(std::clamp(std::floor(v * 2.0f), -2.0e9f, 2.0e9f)); };
    const glm::ivec2 column(cell(x), cell(z));
    if (column == lastColumn_)
        return;
    lastColumn_ = column;
    const int code = generator.terrainCodeAt(x / CHUNK_SIZE, z / CHUNK_SIZE);
    inDesert = code == terrain::CODE_DESERT || code == terrain::CODE_PYRAMID;
    if (code == columnCode)
        return;
    columnCode = code;
    if (onColumnCode)
        onColumnCode(code);
}

bool World::squareCentredOn(float x, float z) const
{
    if (!std::isfinite(x) || !std::isfinite(z))
        return true;
    return moved_ && squareCentreFor(x, z) == centre_;
}

bool World::loadAround(float x, float z)
{
    processUploads();
    updateStreaming(x, z, true);
    return squareCentredOn(x, z) && isLoaded();
}

void World::updateStreaming(float x, float z, bool mayWait)
{
    if (!std::isfinite(x) || !std::isfinite(z))
        return;
    updateColumnCode(x, z);
    const ChunkCoord p = squareCentreFor(x, z);
    if (squareCentredOn(x, z)) {
        if (std::exchange(reserving_, false))
            regionLocks_.unreserve();
        return;
    }
    // The square moves only when every chunk of the old one is ready and free; holding them
    // busy keeps every worker off them while they leave the list.
    std::vector<Chunk*> oldSquare;
    const RegionLocks::Result result = mayWait
        ? regionLocks_.lockWaiting(chunks, square_, RegionLocks::Cover::Whole, oldSquare, kMovePatience)
        : regionLocks_.tryLock(chunks, square_, RegionLocks::Cover::Whole, oldSquare);
    if (result != RegionLocks::LOCKED) {
        reserving_ = reserving_ || mayWait;
        return;
    }
    // A waiting move that succeeded has given the reservation up itself.
    if (std::exchange(reserving_, false) && !mayWait)
        regionLocks_.unreserve();

    centerChunk = glm::vec2(static_cast<float>(p.cx), static_cast<float>(p.cz));
    worldFloor.placeUnderChunk(p.cx, p.cz);
    const float d = static_cast<float>(viewDistance);
    loadedRegion = aabb(glm::vec3((p.cx - d) * CHUNK_SIZE, 0.0f, (p.cz - d) * CHUNK_SIZE),
        glm::vec3((p.cx + d + 1.0f) * CHUNK_SIZE, CHUNK_SIZE, (p.cz + d + 1.0f) * CHUNK_SIZE));
    const ChunkRange square { p.cx - viewDistance, p.cz - viewDistance, p.cx + viewDistance,
        p.cz + viewDistance };
    square_ = square;
    centre_ = p;
    moved_ = true;

    boost::lock_guard<boost::mutex> queue(queueMutex_);
    {
        boost::lock_guard<boost::mutex> busy(regionLocks_.mutex());
        cacheChunksOutside(square);
        loadSquare(square);
        RegionLocks::releaseHeld(oldSquare); // in the list or now in the cache alike
    }
    regionLocks_.notify();
}

void World::cacheChunksOutside(const ChunkRange& square)
{
    for (size_t i = 0; i < chunks.size();) {
        if (square.contains(chunks[i]->cx, chunks[i]->cz)) {
            ++i;
            continue;
        }
        if (chunks[i]->root)
            chunks[i]->root->dropMesh();
        chunkCache.push_back(std::move(chunks[i]));
        chunks[i] = std::move(chunks.back());
        chunks.pop_back();
    }
}

void World::loadSquare(const ChunkRange& square)
{
    for (int32_t cx = square.cxMin; cx <= square.cxMax; ++cx) {
        for (int32_t cz = square.czMin; cz <= square.czMax; ++cz) {
            // Chunks that stay in the square were all ready, or the square would not move.
            if (std::any_of(chunks.begin(), chunks.end(),
                    [&](const std::unique_ptr<Chunk>& c) { return c->cx == cx && c->cz == cz; }))
                continue;
            auto cached = std::find_if(chunkCache.begin(), chunkCache.end(),
                [&](const std::unique_ptr<Chunk>& c) { return c->cx == cx && c->cz == cz; });
            if (cached != chunkCache.end()) {
                // Voxels and masks survived in the cache; only the meshes are rebuilt.
                chunks.push_back(std::move(*cached));
                *cached = std::move(chunkCache.back());
                chunkCache.pop_back();
                const aabb box = chunks.back()->bounds();
                queueFaceUpdate(aabb(box.min + glm::vec3(0.1f), box.max - glm::vec3(0.1f)));
                queueNeighbourFaceUpdates(cx, cz);
                continue;
            }
            chunks.push_back(std::make_unique<Chunk>(cx, cz));
            pushJob(ChunkJob::generate(*chunks.back()));
        }
    }
}

void World::processUploads()
{
    for (;;) {
        boost::unique_lock<boost::mutex> guard(uploadMutex_, boost::try_to_lock);
        if (!guard.owns_lock() || uploadQueue_.empty())
            return;
        const ChunkJob& job = *uploadQueue_.front();
        std::vector<Chunk*> locked;
        const RegionLocks::Result result
            = regionLocks_.tryLock(chunks, job.range, RegionLocks::Cover::Ready, locked);
        if (result == RegionLocks::BUSY || result == RegionLocks::CONTENDED)
            return;
        if (result == RegionLocks::UNAVAILABLE) {
            logText(":(\n");
            uploadQueue_.pop_front();
            return;
        }
        const std::unique_ptr<ChunkJob> done = std::move(uploadQueue_.front());
        uploadQueue_.pop_front();
        for (Chunk* chunk : locked) {
            if (gpuMeshes)
                chunk->root->uploadMesh(*done->region);
            else
                forEachDrawNode(*chunk->root, *done->region,
                    [&](Octree_draw_node& node) { node.discardMesh(*done->region); });
        }
        regionLocks_.release(locked);
    }
}

void World::processVoxelEdits()
{
    const ChunkRange square = loadedSquare();
    while (!editQueue.empty()) {
        const VoxelEdit& edit = *editQueue.front();
        if (!square.contains(ChunkRange { edit.cxMin, edit.czMin, edit.cxMax, edit.czMax })) {
            editQueue.pop_front();
            return;
        }
        std::vector<Chunk*> locked;
        RegionLocks::Result result;
        do {
            result = regionLocks_.tryLock(chunks, { edit.cxMin, edit.czMin, edit.cxMax, edit.czMax },
                RegionLocks::Cover::Whole, locked);
        } while (result == RegionLocks::CONTENDED);
        if (result == RegionLocks::BUSY)
            return; // the chunks are being worked on: next frame
        if (result == RegionLocks::UNAVAILABLE) {
            logText("ignoring set command\n");
            editQueue.pop_front();
            continue;
        }
        // The shape's box lies inside the range, so the other chunks would not change anyway.
        for (Chunk* chunk : locked)
            chunk->root->fill(static_cast<BlockType>(edit.type), *edit.shape);
        aabb grown;
        edit.shape->boundingBox(grown);
        grown = aabb(grown.min - glm::vec3(1.0f), grown.max + glm::vec3(1.0f));
        editQueue.pop_front();
        regionLocks_.release(locked);
        boost::lock_guard<boost::mutex> queue(queueMutex_);
        queueFaceUpdate(grown);
    }
}
