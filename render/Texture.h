#pragma once

#include <GL/glew.h>
#include <string>

class Shader;
struct PngImage;

// A GL texture name with its own sampler object. Destroying it deletes both.
class Texture {
public:
    GLuint id = 0;
    GLuint sampler = 0;

    Texture() = default;
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;
    virtual ~Texture();
};

// Decodes a PNG (bottom row first) into a one-level GL_RGBA8 texture,
// uploading its pixels as GL_RGB. A file with another layout (grey, alpha)
// is converted to RGB first. Returns 0 on success, 1 on failure.
int loadRgb(Texture& texture, const std::string& path);

// The same, uploading GL_RGBA pixels; files without alpha get alpha 255.
int loadRgba(Texture& texture, const std::string& path);

// One-level GL_RGBA8 texture from width × height pixels in B, G, R, A byte
// order (what cairo image surfaces hold). Returns 0 on success, 1 when the
// size is empty or beyond the GL texture limit.
int fromBgra(Texture& texture, const unsigned char* pixels, int width, int height);

// Gives the texture a sampler with `wrap` on s and t and linear filtering.
void makeSampler(Texture& texture, GLint wrap);

// Sets the bound shader's sampler uniform `samplerName` to `unit`, activates
// that unit and binds the texture and its sampler there.
void bind(const Texture& texture, const Shader& shader, const char* samplerName, int unit);

// The same for a bare texture name, without a sampler object.
void bindTextureId(GLuint id, int unit, const Shader& shader, const char* samplerName);

// Binds texture 0 and sampler 0 on units 0 and 1.
void unbindTextures();

// Largest width or height the GL accepts for a 2D texture.
int maxTextureSize();

// Decodes a PNG no larger than the GL texture limit and converts it to
// `channels` (3 or 4). Shared by the 2D and the array texture loaders.
bool decodeForUpload(const std::string& path, int channels, PngImage& image);
