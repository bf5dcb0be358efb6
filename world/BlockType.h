#pragma once

// PLACEHOLDER: the block type table arrives with the chunk storage work; only
// the values terrain generation needs are here until then.
#include <cstdint>

using BlockType = uint8_t;
constexpr BlockType BLOCK_AIR = 0;
constexpr BlockType BLOCK_DIRT = 1;
constexpr BlockType BLOCK_GRASS = 2;
constexpr BlockType BLOCK_STONE = 4;
constexpr BlockType BLOCK_SAND = 5;
constexpr BlockType BLOCK_BARK = 7;
constexpr BlockType BLOCK_LEAF = 8;
constexpr BlockType BLOCK_CACTUS = 10;
