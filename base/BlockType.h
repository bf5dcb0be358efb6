#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <glm/vec3.hpp>

// A voxel is nothing but its block type. 0 is empty; what every other type is
// (drawn, opaque, solid, dark) its row in blockDefs says. Type t is drawn with
// texture t - 1.
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

// What the game asks of a block type: whether it is drawn and with which
// texture, whether it hides what lies behind it, whether bodies collide with it
// and whether light and sight pass it. Nothing compares a type with air to
// mean one of these; it asks the type's row.
struct BlockDef {
    BlockType type; // the row's own type, checked against its place in the table
    const char* texture; // its faces; layer type - 1 of the block array texture; null: never drawn
    bool opaque; // the faces of the leaves beside it are hidden
    bool solid; // bodies collide with it
    bool letsLightThrough; // rays of light and sight (and the height map's downward ray) pass it

    constexpr bool drawn() const { return texture != nullptr; }
};

// The common kind of block: drawn, opaque, solid and dark.
constexpr BlockDef materialDef(BlockType type, const char* texture)
{
    return { type, texture, true, true, false };
}

// One row per block type, in type order: a new material is one more row here
// (and its painter in the data generator).
inline constexpr BlockDef blockDefs[] = {
    { BLOCK_AIR, nullptr, false, false, true },
    materialDef(BLOCK_DIRT, "textures/dirt.png"),
    materialDef(BLOCK_GRASS, "textures/grass.png"),
    materialDef(BLOCK_BRICK, "textures/brick.png"),
    materialDef(BLOCK_STONE, "textures/stone.png"),
    materialDef(BLOCK_SAND, "textures/sand.png"),
    materialDef(BLOCK_BEDROCK, "textures/bedrock.png"),
    materialDef(BLOCK_BARK, "textures/bark.png"),
    materialDef(BLOCK_LEAF, "textures/leaf.png"),
    materialDef(BLOCK_ROOFTILES, "textures/rooftiles.png"),
    materialDef(BLOCK_CACTUS, "textures/cactus.png"),
    materialDef(BLOCK_PYRAMID, "textures/pyramid.png"),
    materialDef(BLOCK_STUCCO, "textures/stucco.png"),
    materialDef(BLOCK_MARBLE, "textures/marble.png"),
    materialDef(BLOCK_METAL, "textures/metal.png"),
    materialDef(BLOCK_METAL2, "textures/metal2.png"),
    materialDef(BLOCK_WOOD_PLANKS, "textures/wood_planks.png"),
    materialDef(BLOCK_WOOD_PLANKS2, "textures/wood_planks2.png"),
    materialDef(BLOCK_WHEEL, "textures/wheel.png"),
    materialDef(BLOCK_DIAMOND_STONE, "textures/diamond_stone.png"),
    materialDef(BLOCK_TENT, "textures/tent.png"),
    materialDef(BLOCK_BALLON, "textures/ballon.png"),
    materialDef(BLOCK_BASKET, "textures/basket.png"),
    materialDef(BLOCK_STONE_CRACKS, "textures/stone_cracks.png"),
};

// Block types 0 (air) to BLOCK_TYPE_COUNT - 1; all but air are materials.
inline constexpr int BLOCK_TYPE_COUNT = int(std::size(blockDefs));
inline constexpr int BLOCK_MATERIAL_COUNT = BLOCK_TYPE_COUNT - 1;

namespace blockdef_detail {

// Every byte has a row, so a lookup needs no range test: bytes beyond the table
// (MIXED_NODE among them) are nothing a leaf holds, neither drawn nor solid.
constexpr std::array<BlockDef, 256> rowsByByte()
{
    std::array<BlockDef, 256> rows {};
    for (int t = 0; t < 256; ++t)
        rows[size_t(t)] = t < BLOCK_TYPE_COUNT ? blockDefs[t] : BlockDef { BlockType(t), nullptr, false, false, true };
    return rows;
}
inline constexpr std::array<BlockDef, 256> kRowsByByte = rowsByByte();

constexpr bool rowsInTypeOrder()
{
    for (int t = 0; t < BLOCK_TYPE_COUNT; ++t) {
        if (blockDefs[t].type != t)
            return false;
    }
    return true;
}
static_assert(rowsInTypeOrder(), "blockDefs: row t must describe block type t");
static_assert(BLOCK_TYPE_COUNT <= MIXED_NODE, "block types stop below the split-node mark");

} // namespace blockdef_detail

constexpr const BlockDef& blockDef(BlockType type)
{
    return blockdef_detail::kRowsByByte[type];
}

// Texture of material t is entry t - 1; also layer t - 1 of the block array texture.
inline constexpr std::array<const char*, BLOCK_MATERIAL_COUNT> blockTexturePaths = [] {
    std::array<const char*, BLOCK_MATERIAL_COUNT> paths {};
    for (int t = 1; t < BLOCK_TYPE_COUNT; ++t)
        paths[size_t(t - 1)] = blockDefs[t].texture;
    return paths;
}();

// True for the types a voxel edit may write: air and the materials.
constexpr bool isBlockType(int type)
{
    return type >= BLOCK_AIR && type < BLOCK_TYPE_COUNT;
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
