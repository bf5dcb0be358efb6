#include "world/World.h"

#include <iostream>

void World::editVoxels(int32_t type, std::unique_ptr<Geometric_Object> shape)
{
    if (!shape) {
        std::cerr << "Voxel edit ignored: no shape\n";
        return;
    }
    if (!isBlockType(type)) {
        std::cerr << "Voxel edit ignored: invalid block type " << type << "\n";
        return;
    }
    editQueue.push_back(std::make_unique<VoxelEdit>(type, std::move(shape)));
}

void World::carve(const Sphere& sphere)
{
    editVoxels(BLOCK_AIR, std::make_unique<Sphere>(sphere));
    // Indices rather than iterators: a blast may set off another carve from inside onExplosion.
    for (size_t c = 0; c < chunks.size(); ++c) {
        Chunk& chunk = *chunks[c];
        if (!chunk.ready)
            continue;
        for (size_t i = 0; i < chunk.objects.size(); ++i)
            chunk.objects[i]->onExplosion(sphere);
    }
}
