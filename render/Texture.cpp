#include "render/Texture.h"

#include "render/PngImage.h"
#include "render/Shader.h"

Texture::~Texture()
{
    if (id != 0)
        glDeleteTextures(1, &id);
    if (sampler != 0)
        glDeleteSamplers(1, &sampler);
}

int maxTextureSize()
{
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return size;
}

bool decodeForUpload(const std::string& path, int channels, PngImage& image)
{
    return decodePng(path, true, image, maxTextureSize()) && convertToChannels(image, channels);
}

namespace {

// Replaces the texture's name with a fresh one-level GL_RGBA8 texture and
// fills it from tightly packed rows.
void uploadImmutable(Texture& texture, int width, int height, GLenum format, const void* pixels)
{
    if (texture.id != 0)
        glDeleteTextures(1, &texture.id);
    glGenTextures(1, &texture.id);
    glBindTexture(GL_TEXTURE_2D, texture.id);
    glTexStorage2D(GL_TEXTURE_2D, 1, GL_RGBA8, width, height);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, format, GL_UNSIGNED_BYTE, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
}

int loadPng(Texture& texture, const std::string& path, int channels)
{
    PngImage image;
    if (!decodeForUpload(path, channels, image))
        return 1;
    uploadImmutable(
        texture, image.width, image.height, channels == 4 ? GL_RGBA : GL_RGB, image.pixels.data());
    return 0;
}

} // namespace

int loadRgb(Texture& texture, const std::string& path)
{
    return loadPng(texture, path, 3);
}

int loadRgba(Texture& texture, const std::string& path)
{
    return loadPng(texture, path, 4);
}

int fromBgra(Texture& texture, const unsigned char* pixels, int width, int height)
{
    const int limit = maxTextureSize();
    if (!pixels || width <= 0 || height <= 0 || width > limit || height > limit)
        return 1;
    uploadImmutable(texture, width, height, GL_BGRA, pixels);
    return 0;
}

void makeSampler(Texture& texture, GLint wrap)
{
    if (texture.sampler != 0)
        glDeleteSamplers(1, &texture.sampler);
    glGenSamplers(1, &texture.sampler);
    glSamplerParameteri(texture.sampler, GL_TEXTURE_WRAP_S, wrap);
    glSamplerParameteri(texture.sampler, GL_TEXTURE_WRAP_T, wrap);
    glSamplerParameteri(texture.sampler, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glSamplerParameteri(texture.sampler, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

void bind(const Texture& texture, const Shader& shader, const char* samplerName, int unit)
{
    shader.setInt(samplerName, unit);
    glActiveTexture(GLenum(GL_TEXTURE0 + unit));
    glBindTexture(GL_TEXTURE_2D, texture.id);
    glBindSampler(GLuint(unit), texture.sampler);
}

void bindTextureId(GLuint id, int unit, const Shader& shader, const char* samplerName)
{
    shader.setInt(samplerName, unit);
    glActiveTexture(GLenum(GL_TEXTURE0 + unit));
    glBindTexture(GL_TEXTURE_2D, id);
}

void unbindTextures()
{
    for (GLuint unit : { 0u, 1u }) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, 0);
        glBindSampler(unit, 0);
    }
    glActiveTexture(GL_TEXTURE0);
}
