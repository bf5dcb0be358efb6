#pragma once

// A small toolkit for drawing textures from code: a seeded random stream,
// noise that repeats over the unit square (so block faces tile without seams),
// cellular noise, and a float colour canvas that wraps at its edges.
#include "tools/datagen/DataGen.h"

#include <cstdint>
#include <vector>

namespace datagen {

struct Rgb {
    float r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b)
{
    return { a.r + b.r, a.g + b.g, a.b + b.b };
}
inline Rgb operator-(Rgb a, Rgb b)
{
    return { a.r - b.r, a.g - b.g, a.b - b.b };
}
inline Rgb operator*(Rgb a, float s)
{
    return { a.r * s, a.g * s, a.b * s };
}
inline Rgb operator*(Rgb a, Rgb b)
{
    return { a.r * b.r, a.g * b.g, a.b * b.b };
}

// 0xRRGGBB to a colour in 0..1.
Rgb hexRgb(uint32_t rgb);
Rgb mix(Rgb a, Rgb b, float t);
float clamp01(float x);
float smoothstep(float edge0, float edge1, float x);
// Fractional part mapped into [0, 1), also for negative values.
float wrap01(float x);

// Integer hash of lattice coordinates and a seed; every texture derives its
// randomness from these so the output never depends on run order or time.
uint32_t hash32(uint32_t x);
uint32_t hash3(int x, int y, uint32_t seed);
float hash01(int x, int y, uint32_t seed);
// Per-pixel speckle in [-0.5, 0.5) for the pixel holding (u, v) on a `size` grid.
float pixelGrain(float u, float v, int size, uint32_t seed);
// Shortest offset a - b on a ring of length n (distances across a wrapped edge).
float wrapDelta(float a, float b, float n);

// A tiny seeded generator (splitmix64) for placing features.
class Rng {
public:
    explicit Rng(uint64_t seed)
        : state_(seed)
    {
    }
    uint32_t next();
    float uniform(); // [0, 1)
    float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return int(next() % uint32_t(n)); }

private:
    uint64_t state_;
};

// Value noise on the unit square that repeats with period 1: `cells` lattice
// cells across the square. Results lie in [0, 1].
float tileNoise(float u, float v, int cells, uint32_t seed);
// Octave sum of tileNoise with separate cell counts along u and v (stretched
// grain for wood or bark); each octave doubles the counts. Result in [0, 1].
float tileFbm(float u, float v, int cellsU, int cellsV, int octaves, uint32_t seed, float gain = 0.5f);
inline float tileFbm(float u, float v, int cells, int octaves, uint32_t seed)
{
    return tileFbm(u, v, cells, cells, octaves, seed);
}

// Cellular noise on the unit square, repeating with period 1: one feature
// point per cell of a `cells` x `cells` grid. Distances are in cell units.
struct CellSample {
    float f1 = 0; // distance to the nearest feature point
    float f2 = 0; // distance to the second nearest
    uint32_t id = 0; // hash of the nearest point's cell, stable per cell
    float dx = 0, dy = 0; // offset from the nearest point to the sample
};
CellSample tileCells(float u, float v, int cells, uint32_t seed, float jitter = 0.85f);

// A float RGB picture whose drawing operations wrap around its edges.
class Canvas {
public:
    Canvas(int width, int height, Rgb fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb& at(int x, int y) { return px_[size_t(wrapY(y)) * width_ + wrapX(x)]; }
    const Rgb& at(int x, int y) const { return px_[size_t(wrapY(y)) * width_ + wrapX(x)]; }

    // Blends `colour` into a soft-edged disc (radius in pixels), wrapping.
    void disc(float cx, float cy, float radius, Rgb colour, float opacity = 1.0f);
    // Blends `colour` into an ellipse rotated by `angle` radians, wrapping.
    void ellipse(float cx, float cy, float rx, float ry, float angle, Rgb colour, float opacity = 1.0f);
    // Blends a line of the given width from (x0, y0) to (x1, y1), wrapping.
    void line(float x0, float y0, float x1, float y1, float width, Rgb colour, float opacity = 1.0f);

    Image toImage() const;

private:
    int wrapX(int x) const { return ((x % width_) + width_) % width_; }
    int wrapY(int y) const { return ((y % height_) + height_) % height_; }
    void blend(int x, int y, Rgb colour, float alpha);

    int width_;
    int height_;
    std::vector<Rgb> px_;
};

// Fills a square canvas by calling `shade(u, v)` at each pixel centre.
template <class Shade> Canvas shadeSquare(int size, Shade shade)
{
    Canvas canvas(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            canvas.at(x, y) = shade((x + 0.5f) / size, (y + 0.5f) / size);
    return canvas;
}

} // namespace datagen
