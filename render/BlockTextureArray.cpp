#include "render/BlockTextureArray.h"

#include "base/Log.h"
#include "render/PngImage.h"
#include "render/Shader.h"
#include "render/Texture.h"

#include <algorithm>

BlockTextureArray::~BlockTextureArray()
{
    if (id != 0)
        glDeleteTextures(1, &id);
}

namespace {

int levelsFor(int width, int height)
{
    int levels = 1;
    for (int side = std::max(width, height); side > 1 && levels < BLOCK_TEXTURE_LEVELS; side /= 2)
        ++levels;
    return levels;
}

void setFiltering(int anisotropy)
{
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    if (anisotropy != 0 && GLEW_EXT_texture_filter_anisotropic)
        glTexParameterf(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_ANISOTROPY_EXT, float(anisotropy));
}

// Decodes layer i; the first layer fixes the size of all the others.
bool loadLayer(const char* path, int layer, int& width, int& height, PngImage& image)
{
    if (!path || !decodeForUpload(path, 3, image))
        return false;
    if (layer == 0) {
        width = image.width;
        height = image.height;
        return true;
    }
    return image.width == width && image.height == height;
}

} // namespace

bool buildBlockTextureArray(BlockTextureArray& array, std::span<const char* const> paths, int anisotropy)
{
    GLint maxLayers = 0;
    glGetIntegerv(GL_MAX_ARRAY_TEXTURE_LAYERS, &maxLayers);
    if (paths.empty() || paths.size() > size_t(maxLayers))
        return false;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D_ARRAY, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    int width = 0;
    int height = 0;
    for (size_t i = 0; i < paths.size(); ++i) {
        PngImage image;
        if (!loadLayer(paths[i], int(i), width, height, image)) {
            logError(joinText("failed to load texture ", i));
            glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
            glDeleteTextures(1, &texture);
            return false;
        }
        if (i == 0)
            glTexStorage3D(GL_TEXTURE_2D_ARRAY, levelsFor(width, height), GL_RGBA8, width, height,
                GLsizei(paths.size()));
        glTexSubImage3D(GL_TEXTURE_2D_ARRAY, 0, 0, 0, GLint(i), width, height, 1, GL_RGB, GL_UNSIGNED_BYTE,
            image.pixels.data());
    }
    // One mipmap pass once every layer is in gives the same levels as
    // regenerating after each layer.
    glGenerateMipmap(GL_TEXTURE_2D_ARRAY);
    setFiltering(anisotropy);
    glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
    if (array.id != 0)
        glDeleteTextures(1, &array.id);
    array.id = texture;
    return true;
}

void bindArray(const BlockTextureArray& array, const Shader& shader, const char* samplerName)
{
    shader.setInt(samplerName, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D_ARRAY, array.id);
}
