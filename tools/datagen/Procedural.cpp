#include "tools/datagen/Procedural.h"

#include <algorithm>
#include <cmath>

namespace datagen {

Rgb hexRgb(uint32_t rgb)
{
    return { float((rgb >> 16) & 0xff) / 255.0f, float((rgb >> 8) & 0xff) / 255.0f,
        float(rgb & 0xff) / 255.0f };
}

Rgb mix(Rgb a, Rgb b, float t)
{
    return a + (b - a) * t;
}

float clamp01(float x)
{
    return std::clamp(x, 0.0f, 1.0f);
}

float smoothstep(float edge0, float edge1, float x)
{
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

float wrap01(float x)
{
    return x - std::floor(x);
}

uint32_t hash32(uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

uint32_t hash3(int x, int y, uint32_t seed)
{
    return hash32(uint32_t(x) * 0x9E3779B1U ^ hash32(uint32_t(y) * 0x85EBCA77U ^ hash32(seed)));
}

float hash01(int x, int y, uint32_t seed)
{
    return float(hash3(x, y, seed) >> 8) / 16777216.0f;
}

float pixelGrain(float u, float v, int size, uint32_t seed)
{
    return hash01(int(u * float(size)), int(v * float(size)), seed) - 0.5f;
}

float wrapDelta(float a, float b, float n)
{
    const float d = a - b;
    return d - n * std::round(d / n);
}

uint32_t Rng::next()
{
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return uint32_t((z ^ (z >> 31)) >> 32);
}

float Rng::uniform()
{
    return float(next() >> 8) / 16777216.0f;
}

namespace {

int wrapIndex(int i, int n)
{
    return ((i % n) + n) % n;
}

float fade(float t)
{
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

float lattice(float u, float v, int cellsU, int cellsV, uint32_t seed)
{
    const float x = u * float(cellsU);
    const float y = v * float(cellsV);
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int x0 = wrapIndex(int(fx), cellsU);
    const int y0 = wrapIndex(int(fy), cellsV);
    const int x1 = (x0 + 1) % cellsU;
    const int y1 = (y0 + 1) % cellsV;
    const float tx = fade(x - fx);
    const float ty = fade(y - fy);
    const float top = hash01(x0, y0, seed) + (hash01(x1, y0, seed) - hash01(x0, y0, seed)) * tx;
    const float bottom = hash01(x0, y1, seed) + (hash01(x1, y1, seed) - hash01(x0, y1, seed)) * tx;
    return top + (bottom - top) * ty;
}

} // namespace

float tileNoise(float u, float v, int cells, uint32_t seed)
{
    return lattice(u, v, cells, cells, seed);
}

float tileFbm(float u, float v, int cellsU, int cellsV, int octaves, uint32_t seed, float gain)
{
    float sum = 0, weight = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * lattice(u, v, cellsU << o, cellsV << o, seed + uint32_t(o) * 0x632BE5ABU);
        total += weight;
        weight *= gain;
    }
    return sum / total;
}

CellSample tileCells(float u, float v, int cells, uint32_t seed, float jitter)
{
    const float x = u * float(cells);
    const float y = v * float(cells);
    const int cx = int(std::floor(x));
    const int cy = int(std::floor(y));
    CellSample s;
    s.f1 = s.f2 = 1e9f;
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const int wx = wrapIndex(cx + i, cells);
            const int wy = wrapIndex(cy + j, cells);
            const uint32_t h = hash3(wx, wy, seed);
            const float px = float(cx + i) + 0.5f + jitter * (float(h & 0xffff) / 65535.0f - 0.5f);
            const float py = float(cy + j) + 0.5f + jitter * (float(h >> 16) / 65535.0f - 0.5f);
            const float d = std::hypot(x - px, y - py);
            if (d < s.f1) {
                s.f2 = s.f1;
                s.f1 = d;
                s.id = hash32(h ^ 0xA5A5A5A5U);
                s.dx = x - px;
                s.dy = y - py;
            } else if (d < s.f2) {
                s.f2 = d;
            }
        }
    }
    return s;
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width)
    , height_(height)
    , px_(size_t(width) * height, fill)
{
}

void Canvas::blend(int x, int y, Rgb colour, float alpha)
{
    if (alpha <= 0)
        return;
    Rgb& p = at(x, y);
    p = mix(p, colour, std::min(alpha, 1.0f));
}

void Canvas::disc(float cx, float cy, float radius, Rgb colour, float opacity)
{
    ellipse(cx, cy, radius, radius, 0, colour, opacity);
}

void Canvas::ellipse(float cx, float cy, float rx, float ry, float angle, Rgb colour, float opacity)
{
    const float reach = std::max(rx, ry) + 1.0f;
    const float c = std::cos(angle), s = std::sin(angle);
    const float soft = std::max(std::min(rx, ry), 0.5f);
    for (int y = int(std::floor(cy - reach)); y <= int(std::ceil(cy + reach)); ++y) {
        for (int x = int(std::floor(cx - reach)); x <= int(std::ceil(cx + reach)); ++x) {
            const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            const float lx = (dx * c + dy * s) / rx;
            const float ly = (-dx * s + dy * c) / ry;
            const float d = std::sqrt(lx * lx + ly * ly);
            blend(x, y, colour, opacity * clamp01((1.0f - d) * soft + 0.5f));
        }
    }
}

void Canvas::line(float x0, float y0, float x1, float y1, float width, Rgb colour, float opacity)
{
    const float half = width * 0.5f;
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    const int minX = int(std::floor(std::min(x0, x1) - half - 1)),
              maxX = int(std::ceil(std::max(x0, x1) + half + 1));
    const int minY = int(std::floor(std::min(y0, y1) - half - 1)),
              maxY = int(std::ceil(std::max(y0, y1) + half + 1));
    for (int y = minY; y <= maxY; ++y) {
        for (int x = minX; x <= maxX; ++x) {
            const float px = x + 0.5f - x0, py = y + 0.5f - y0;
            const float t = std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f);
            const float d = std::hypot(px - t * dx, py - t * dy);
            blend(x, y, colour, opacity * clamp01(half - d + 0.5f));
        }
    }
}

Image Canvas::toImage() const
{
    Image image(width_, height_, 3);
    for (size_t i = 0; i < px_.size(); ++i) {
        image.pixels[i * 3 + 0] = uint8_t(std::lround(clamp01(px_[i].r) * 255.0f));
        image.pixels[i * 3 + 1] = uint8_t(std::lround(clamp01(px_[i].g) * 255.0f));
        image.pixels[i * 3 + 2] = uint8_t(std::lround(clamp01(px_[i].b) * 255.0f));
    }
    return image;
}

} // namespace datagen
