#include "world/VoxelEdit.h"

#include "world/Chunk.h"

VoxelEdit::VoxelEdit(int32_t t, std::unique_ptr<Geometric_Object> s)
    : type(t)
    , shape(std::move(s))
{
    aabb bounds;
    shape->boundingBox(bounds);
    const ChunkCoord lo = chunkCoordOf(bounds.min.x, bounds.min.z);
    const ChunkCoord hi = chunkCoordOf(bounds.max.x, bounds.max.z);
    cxMin = lo.cx;
    czMin = lo.cz;
    cxMax = hi.cx;
    czMax = hi.cz;
}
