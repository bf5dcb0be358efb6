#pragma once

#include <cstdint>
#include <functional>

#include "tools/datagen/DataGen.h"
#include "tools/datagen/MeshBuilder.h"

// Small deterministic painting tools for the model textures.
namespace datagen::paint {

struct Rgb {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

Rgb mix(Rgb a, Rgb b, float t);
Rgb shade(Rgb c, float factor);

// A hash of a lattice point in 0..1, the same on every run and machine.
float hash(int x, int y, uint32_t seed);

// Smooth value noise in 0..1 with `cells` lattice cells across 0..1 in both
// directions, wrapping at 1 so textures that go round a mesh have no seam.
float noise(float u, float v, int cells, uint32_t seed);

// Three octaves of noise, 0..1.
float fractal(float u, float v, int cells, uint32_t seed);

float smoothstep(float edge0, float edge1, float x);

// Paints every pixel of `rect` with `colour` (u, v), where u runs 0..1 left
// to right and v 0..1 bottom to top, as the meshes' texture coordinates do.
void fill(Image& image, PixelRect rect, const std::function<Rgb(float u, float v)>& colour);

// Fills a whole image the same way.
void fillAll(Image& image, const std::function<Rgb(float u, float v)>& colour);

// Draws text in a 3 x 5 pixel font (capitals and digits), each font pixel
// `scale` image pixels, with its top-left corner at (x, y).
void text(Image& image, int x, int y, const char* letters, int scale, Rgb colour);

} // namespace datagen::paint
