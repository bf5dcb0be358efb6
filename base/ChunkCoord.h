#pragma once

#include <cstdint>

// Chunk coordinate on the x/z plane: chunk (cx, cz) covers
// [cx * 64, cx * 64 + 64) x [cz * 64, cz * 64 + 64) in world units.
struct ChunkCoord {
    int32_t cx = 0;
    int32_t cz = 0;
    bool operator==(const ChunkCoord&) const = default;
};
