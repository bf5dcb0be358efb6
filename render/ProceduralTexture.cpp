#include "render/ProceduralTexture.h"

procedural_texture::procedural_texture(int textureKind, float w, float h)
    : kind(textureKind >= 0 && textureKind <= 2 ? textureKind : 0)
    , width(w > 0.0f ? w : 0.0f)
    , height(h > 0.0f ? h : 0.0f)
{
    static constexpr int componentsOf[3] = { 1, 3, 4 };
    static constexpr GLenum formatOf[3] = { GL_LUMINANCE, GL_RGB, GL_RGBA };
    components = componentsOf[kind];
    format = formatOf[kind];
    pixelCount = int(width * height);
    data.reset(new float[size_t(pixelCount) * size_t(components)]);
}

void procedural_texture::set(int x, int y, float value)
{
    const int w = int(width);
    if (x < 0 || y < 0 || x >= w || y >= int(height))
        return;
    data[(size_t(y) * size_t(w) + size_t(x)) * size_t(components)] = value;
}

void procedural_texture::upload()
{
    if (id == 0) {
        glGenTextures(1, &id);
        glBindTexture(GL_TEXTURE_2D, id);
        // Complete without mipmaps even when no sampler object is bound.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    } else {
        glBindTexture(GL_TEXTURE_2D, id);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GLint(format), int(width), int(height), 0, format, GL_FLOAT, data.get());
    glBindTexture(GL_TEXTURE_2D, 0);
}
