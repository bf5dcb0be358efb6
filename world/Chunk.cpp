#include "world/Chunk.h"

#include "base/Log.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// floor() that saturates instead of overflowing, and maps NaN to 0.
int32_t floorToInt32(float v)
{
    const double f = std::floor(static_cast<double>(v));
    if (!(f == f))
        return 0;
    return static_cast<int32_t>(std::clamp(f, -2147483648.0, 2147483647.0));
}

// Nearest integer, halves away from zero, limited to [lo, hi] (NaN gives lo).
int roundClamped(float v, int lo, int hi)
{
    const float r = std::round(v);
    if (!(r >= static_cast<float>(lo)))
        return lo;
    if (!(r <= static_cast<float>(hi)))
        return hi;
    return static_cast<int>(r);
}

constexpr int kCells = VOXELS_PER_CHUNK;

// Voxel columns [x0, x1) x [z0, z1) of a chunk.
struct ColumnSpan {
    int x0 = 0, z0 = 0, x1 = 0, z1 = 0;
};

// Raises every column of the span under a leaf of the subtree that stops light to the leaf's top.
void raiseColumns(const Octree& node, const glm::vec3& origin, const ColumnSpan& span, std::vector<float>& heights)
{
    // Node corners lie on the voxel grid: doubled, they are whole numbers exactly.
    const int x0 = std::max(span.x0, int((node.box.min.x - origin.x) * 2.0f));
    const int x1 = std::min(span.x1, int((node.box.max.x - origin.x) * 2.0f));
    const int z0 = std::max(span.z0, int((node.box.min.z - origin.z) * 2.0f));
    const int z1 = std::min(span.z1, int((node.box.max.z - origin.z) * 2.0f));
    if (x0 >= x1 || z0 >= z1)
        return;
    if (node.isSplit) {
        for (int k = 0; k < 8; ++k)
            raiseColumns(node.child(k), origin, span, heights);
        return;
    }
    if (blockDef(node.type).letsLightThrough)
        return;
    const float top = node.box.max.y;
    const size_t width = size_t(span.x1 - span.x0);
    for (int iz = z0; iz < z1; ++iz) {
        float* row = &heights[size_t(iz - span.z0) * width];
        for (int ix = x0; ix < x1; ++ix)
            row[ix - span.x0] = std::max(row[ix - span.x0], top);
    }
}
// y cells are not clamped to the chunk; this only keeps the conversion defined.
constexpr int kCellLimit = 1 << 30;

}

ChunkCoord chunkCoordOf(float x, float z)
{
    return { floorToInt32(x / CHUNK_SIZE), floorToInt32(z / CHUNK_SIZE) };
}

Chunk::Chunk(int32_t x, int32_t z)
    : cx(x)
    , cz(z)
{
}

// Members release the octree, the height map and every object.
Chunk::~Chunk() = default;

aabb Chunk::bounds() const
{
    const glm::vec3 origin(static_cast<float>(cx) * CHUNK_SIZE, 0.0f, static_cast<float>(cz) * CHUNK_SIZE);
    return aabb(origin, origin + gChunkDimensions.chunkSize);
}

void Chunk::prepareGeneration()
{
    root.reset();
    stateFlags = 0;
    busy = false;
    heightmap = std::make_unique<std::atomic<float>[]>(kCells * kCells); // zero-filled
    root = std::make_unique<Octree>(BLOCK_DIRT, 0, bounds(), 0);
}

void Chunk::finishGeneration()
{
    stateFlags |= OCTREE_BUILT;
    ready = true;
}

bool Chunk::collides(const CollisionObject& body) const
{
    if (root && root->intersects(body))
        return true;
    for (const auto& object : objects) {
        if (object->intersects(body))
            return true;
    }
    return false;
}

glm::ivec3 Chunk::cellOf(const glm::vec3& point) const
{
    const glm::vec3 local = point - bounds().min;
    return { roundClamped(local.x * 2.0f - 0.5f, 0, kCells - 1),
        roundClamped(local.y * 2.0f, -kCellLimit, kCellLimit),
        roundClamped(local.z * 2.0f - 0.5f, 0, kCells - 1) };
}

void Chunk::computeHeightmap(const aabb& region)
{
    if (!root || !heightmap || !region.intersects(root->box)) {
        logLine("heightmap failed");
        return;
    }
    // The max cell is excluded, so the last row and column keep their value.
    ColumnSpan span;
    const glm::ivec3 from = cellOf(region.min);
    const glm::ivec3 to = cellOf(region.max);
    span.x0 = from.x;
    span.z0 = from.z;
    span.x1 = to.x;
    span.z1 = to.z;
    if (span.x1 <= span.x0 || span.z1 <= span.z0)
        return;
    // The top of the highest leaf that stops light over each column, found in one walk of the tree
    // rather than one downward ray per column; written out only when complete.
    std::vector<float> heights(size_t(span.x1 - span.x0) * size_t(span.z1 - span.z0), 0.0f);
    raiseColumns(*root, bounds().min, span, heights);
    for (int iz = span.z0; iz < span.z1; ++iz) {
        for (int ix = span.x0; ix < span.x1; ++ix) {
            const float h = heights[size_t(iz - span.z0) * size_t(span.x1 - span.x0) + size_t(ix - span.x0)];
            heightmap[iz * kCells + ix].store(std::clamp(h, 0.0f, CHUNK_SIZE), std::memory_order_relaxed);
        }
    }
}

void Chunk::updateObjects(float dt, GameServices& game)
{
    for (size_t i = 0; i < objects.size();) {
        objects[i]->update(dt, game);
        if (objects[i]->active) {
            ++i;
            continue;
        }
        // The last entry takes the place and is stepped next.
        if (i + 1 < objects.size())
            objects[i] = std::move(objects.back());
        objects.pop_back();
    }
}
