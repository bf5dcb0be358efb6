#pragma once

#include "base/Shapes.h"

#include <cstdint>
#include <memory>

class Chunk;

// An inclusive rectangle of chunk coordinates; empty when min exceeds max.
struct ChunkRange {
    int32_t cxMin = 0;
    int32_t czMin = 0;
    int32_t cxMax = -1;
    int32_t czMax = -1;

    // The chunks a world box reaches: floor(min / 64) to floor(max / 64) on x and z.
    static ChunkRange of(const aabb& region);
    bool contains(int32_t cx, int32_t cz) const
    {
        return cx >= cxMin && cx <= cxMax && cz >= czMin && cz <= czMax;
    }
    bool contains(const ChunkRange& other) const
    {
        return other.cxMin >= cxMin && other.czMin >= czMin && other.cxMax <= cxMax && other.czMax <= czMax;
    }
};

// The kinds of work the pool does; uploads wait for the main thread instead.
enum ChunkJobType : int32_t {
    JOB_GENERATE = 1,
    JOB_UPDATE_FACES = 2,
    JOB_UPLOAD_MESH = 3,
    JOB_BUILD_MESH = 4,
    JOB_DESTROY_CHUNKS = 5,
};

// One unit of work for the pool, or one finished mesh waiting for upload.
struct ChunkJob {
    int32_t type = 0;
    ChunkRange range; // the chunks the job touches; a generate job's own chunk
    Chunk* chunk = nullptr; // generate jobs only
    std::unique_ptr<aabb> region; // face, mesh and upload jobs: the world box to work on

    static std::unique_ptr<ChunkJob> generate(Chunk& chunk);
    // A face, mesh or upload job for a copy of the region.
    static std::unique_ptr<ChunkJob> forRegion(int32_t type, const aabb& region);
    static std::unique_ptr<ChunkJob> destroyChunks();
};
