#include "world/TerrainBuilder.h"

#include "world/Octree.h"

namespace terrain {

BlockType TerrainProfile::typeAt(int column, int y) const
{
    const int air = airStart[column];
    if (y >= air)
        return BLOCK_AIR;
    if (y == air - 1)
        return surface[column];
    return y < kStoneVoxels ? BLOCK_STONE : BLOCK_DIRT;
}

BlockType TerrainProfile::rangeType(int column, int y0, int y1) const
{
    const int air = airStart[column];
    if (y0 >= air)
        return BLOCK_AIR;
    if (y1 > air)
        return MIXED_NODE;
    if (y1 == air)
        return y0 == air - 1 ? surface[column] : MIXED_NODE;
    if (y1 <= kStoneVoxels)
        return BLOCK_STONE;
    return y0 >= kStoneVoxels ? BLOCK_DIRT : MIXED_NODE;
}

void fillTerrainColumn(Octree& root, float x, float z, float height, BlockType surface)
{
    root.fill(BLOCK_AIR, aabb({ x, height, z }, { x + 0.5f, 64.0f, z + 0.5f }));
    root.fill(surface, aabb({ x, height - 0.001f, z }, { x + 0.5f, height, z + 0.5f }));
}

namespace {

struct Builder {
    const TerrainProfile& profile;

    BlockType uniformType(int x0, int y0, int z0, int size) const
    {
        const BlockType t = profile.rangeType(z0 * 128 + x0, y0, y0 + size);
        if (t == MIXED_NODE)
            return t;
        for (int z = z0; z < z0 + size; ++z) {
            for (int x = x0; x < x0 + size; ++x) {
                if (profile.rangeType(z * 128 + x, y0, y0 + size) != t)
                    return MIXED_NODE;
            }
        }
        return t;
    }

    void build(Octree& node, int x0, int y0, int z0, int size) const
    {
        // The two top levels are always split; only their children can be uniform.
        if (node.depth >= 2) {
            const BlockType t = uniformType(x0, y0, z0, size);
            if (t != MIXED_NODE) {
                node.fill(t, node.box);
                return;
            }
            if (node.isSplit)
                node.collapse();
            node.split();
        }
        const int half = size / 2;
        for (int k = 0; k < 8; ++k) {
            build(node.child(k), x0 + ((k & 1) ? half : 0), y0 + ((k & 2) ? half : 0),
                z0 + ((k & 4) ? half : 0), half);
        }
    }
};

} // namespace

void buildTerrain(Octree& root, const TerrainProfile& profile)
{
    Builder { profile }.build(root, 0, 0, 0, 128);
}

} // namespace terrain
