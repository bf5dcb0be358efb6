#pragma once

#include "render/Texture.h"

#include <memory>

// A 2D texture filled from floats the program computes (the fire's noise).
// The data lives on the CPU; `upload` replaces level 0 with it.
class procedural_texture : public Texture {
public:
    std::unique_ptr<float[]> data; // width × height × components, uninitialised at first
    int components = 1;
    int kind = 0; // 0 one channel, 1 RGB, 2 RGBA
    GLenum format = GL_LUMINANCE; // internal and pixel format, from kind
    int pixelCount = 0;
    float width = 0.0f;
    float height = 0.0f;

    // Allocates the data; makes no GL call. An unknown kind is taken as 0.
    procedural_texture(int kind, float width, float height);

    // Writes the first component of texel (x, y); texels outside the
    // texture are ignored.
    void set(int x, int y, float value);

    // Creates the GL texture on first use and replaces level 0.
    void upload();
};
