#pragma once

#include <array>
#include <cstdint>
#include <glm/vec3.hpp>

// A voxel is nothing but its block type. 0 is empty; every other type is
// solid, opaque and collidable. Type t is drawn with texture t - 1.
using BlockType = uint8_t;

inline constexpr BlockType BLOCK_AIR = 0;
inline constexpr BlockType BLOCK_DIRT = 1;
inline constexpr BlockType BLOCK_GRASS = 2;
inline constexpr BlockType BLOCK_BRICK = 3;
inline constexpr BlockType BLOCK_STONE = 4;
inline constexpr BlockType BLOCK_SAND = 5;
inline constexpr BlockType BLOCK_BEDROCK = 6;
inline constexpr BlockType BLOCK_BARK = 7;
inline constexpr BlockType BLOCK_LEAF = 8;
inline constexpr BlockType BLOCK_ROOFTILES = 9;
inline constexpr BlockType BLOCK_CACTUS = 10;
inline constexpr BlockType BLOCK_PYRAMID = 11;
inline constexpr BlockType BLOCK_STUCCO = 12;
inline constexpr BlockType BLOCK_MARBLE = 13;
inline constexpr BlockType BLOCK_METAL = 14;
inline constexpr BlockType BLOCK_METAL2 = 15;
inline constexpr BlockType BLOCK_WOOD_PLANKS = 16;
inline constexpr BlockType BLOCK_WOOD_PLANKS2 = 17;
inline constexpr BlockType BLOCK_WHEEL = 18;
inline constexpr BlockType BLOCK_DIAMOND_STONE = 19;
inline constexpr BlockType BLOCK_TENT = 20;
inline constexpr BlockType BLOCK_BALLON = 21;
inline constexpr BlockType BLOCK_BASKET = 22;
inline constexpr BlockType BLOCK_STONE_CRACKS = 23;

// Not a block: marks an octree node whose eight children hold the content.
inline constexpr BlockType MIXED_NODE = 255;

// Texture of solid type t is entry t - 1; also layer t - 1 of the block array texture.
inline constexpr std::array<const char*, 23> blockTexturePaths = {
    "textures/dirt.png",
    "textures/grass.png",
    "textures/brick.png",
    "textures/stone.png",
    "textures/sand.png",
    "textures/bedrock.png",
    "textures/bark.png",
    "textures/leaf.png",
    "textures/rooftiles.png",
    "textures/cactus.png",
    "textures/pyramid.png",
    "textures/stucco.png",
    "textures/marble.png",
    "textures/metal.png",
    "textures/metal2.png",
    "textures/wood_planks.png",
    "textures/wood_planks2.png",
    "textures/wheel.png",
    "textures/diamond_stone.png",
    "textures/tent.png",
    "textures/ballon.png",
    "textures/basket.png",
    "textures/stone_cracks.png",
};

// True for the types a voxel edit may write: air and the 23 materials.
constexpr bool isBlockType(int type)
{
    return type >= BLOCK_AIR && type <= BLOCK_STONE_CRACKS;
}

// A chunk is one octree of depth 7 over a 64-unit cube: 128 voxels of 0.5 units per edge.
inline constexpr float CHUNK_SIZE = 64.0f;
inline constexpr int VOXELS_PER_CHUNK = 128;
inline constexpr float VOXEL_SIZE = 0.5f;

// The chunk extent and the voxel count per axis, for code that works with vectors.
struct ChunkDimensions {
    glm::vec3 chunkSize;
    glm::ivec3 voxelsPerChunk;
};
inline constexpr ChunkDimensions gChunkDimensions { glm::vec3(CHUNK_SIZE), glm::ivec3(VOXELS_PER_CHUNK) };
