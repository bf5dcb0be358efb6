#pragma once

#include "base/BlockType.h"

#include <array>
#include <cstdint>

class Octree;

namespace terrain {

// The ground of a chunk as generation lays it down, per voxel column (index
// k * 128 + i): stone up to y = 10, dirt above, one surface voxel whose top
// is the column height, air above that.
struct TerrainProfile {
    static constexpr int kStoneVoxels = 20; // the stone layer reaches y = 10

    std::array<uint8_t, 128 * 128> airStart {}; // first air voxel = 2 x height, 0..128
    std::array<BlockType, 128 * 128> surface {};

    // The block at voxel height y of column `column`.
    BlockType typeAt(int column, int y) const;
    // The block of the whole voxel range [y0, y1) of a column, or MIXED_NODE.
    BlockType rangeType(int column, int y0, int y1) const;
};

// One column the plain way: air from `height` to the chunk top over the
// column's square (world corner x, z), then the one voxel whose top is at
// `height` gets the surface block. A height of 0 puts that voxel below the
// chunk, where it writes nothing.
void fillTerrainColumn(Octree& root, float x, float z, float height, BlockType surface);

// Writes the profile into a freshly prepared chunk root, each uniform region
// as one node: the same voxels as filling the stone layer and then every
// column's air and surface box, in a tree with no more leaves than that gives.
void buildTerrain(Octree& root, const TerrainProfile& profile);

} // namespace terrain
