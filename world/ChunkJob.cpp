#include "world/ChunkJob.h"

#include "world/Chunk.h"

ChunkRange ChunkRange::of(const aabb& region)
{
    const ChunkCoord lo = chunkCoordOf(region.min.x, region.min.z);
    const ChunkCoord hi = chunkCoordOf(region.max.x, region.max.z);
    return { lo.cx, lo.cz, hi.cx, hi.cz };
}

std::unique_ptr<ChunkJob> ChunkJob::generate(Chunk& chunk)
{
    auto job = std::make_unique<ChunkJob>();
    job->type = JOB_GENERATE;
    job->range = { chunk.cx, chunk.cz, chunk.cx, chunk.cz };
    job->chunk = &chunk;
    return job;
}

std::unique_ptr<ChunkJob> ChunkJob::forRegion(int32_t type, const aabb& region)
{
    auto job = std::make_unique<ChunkJob>();
    job->type = type;
    job->range = ChunkRange::of(region);
    job->region = std::make_unique<aabb>(region);
    return job;
}

std::unique_ptr<ChunkJob> ChunkJob::destroyChunks()
{
    auto job = std::make_unique<ChunkJob>();
    job->type = JOB_DESTROY_CHUNKS;
    return job;
}
