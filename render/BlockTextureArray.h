#pragma once

#include <GL/glew.h>
#include <span>

class Shader;

// One GL_TEXTURE_2D_ARRAY holding the block textures: layer t - 1 shows
// block type t. `id` stays 0 until every layer has loaded.
class BlockTextureArray {
public:
    GLuint id = 0;

    BlockTextureArray() = default;
    BlockTextureArray(const BlockTextureArray&) = delete;
    BlockTextureArray& operator=(const BlockTextureArray&) = delete;
    ~BlockTextureArray();
};

// Mipmap levels of the block array (fewer when the textures are too small
// to halve that often).
constexpr int BLOCK_TEXTURE_LEVELS = 5;

// Builds the array from one PNG per layer, all the size of the first.
// A layer that fails to decode, or whose size differs from the first, stops
// the build with "failed to load texture " i on the error stream; the array
// then keeps id 0. `anisotropy` 0 leaves anisotropic filtering off.
// Returns true when every layer loaded.
bool buildBlockTextureArray(BlockTextureArray& array, std::span<const char* const> paths, int anisotropy);

// Sets the bound shader's sampler uniform to unit 0 and binds the array there.
void bindArray(const BlockTextureArray& array, const Shader& shader, const char* samplerName);
