#include "tools/datagen/Paint.h"

#include <algorithm>
#include <cmath>

namespace datagen::paint {

Rgb mix(Rgb a, Rgb b, float t)
{
    return { a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t };
}

Rgb shade(Rgb c, float factor)
{
    return { c.r * factor, c.g * factor, c.b * factor };
}

float hash(int x, int y, uint32_t seed)
{
    uint32_t h = uint32_t(x) * 0x8da6b343u ^ uint32_t(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return float(h & 0xffffffu) / float(0x1000000);
}

float smoothstep(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

float noise(float u, float v, int cells, uint32_t seed)
{
    const float x = u * float(cells);
    const float y = v * float(cells);
    const int x0 = int(std::floor(x));
    const int y0 = int(std::floor(y));
    const float fx = smoothstep(0.0f, 1.0f, x - float(x0));
    const float fy = smoothstep(0.0f, 1.0f, y - float(y0));
    auto at = [&](int i, int j) {
        return hash(((i % cells) + cells) % cells, ((j % cells) + cells) % cells, seed);
    };
    const float top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * fx;
    const float bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * fx;
    return top + (bottom - top) * fy;
}

float fractal(float u, float v, int cells, uint32_t seed)
{
    return (noise(u, v, cells, seed) * 4.0f + noise(u, v, cells * 2, seed + 1) * 2.0f
               + noise(u, v, cells * 4, seed + 2))
        / 7.0f;
}

namespace {

uint8_t toByte(float value)
{
    return uint8_t(std::min(std::clamp(value, 0.0f, 255.0f) + 0.5f, 255.0f));
}

} // namespace

void fill(Image& image, PixelRect rect, const std::function<Rgb(float u, float v)>& colour)
{
    for (int py = rect.y; py < rect.y + rect.h; ++py)
        for (int px = rect.x; px < rect.x + rect.w; ++px) {
            const float u = (float(px - rect.x) + 0.5f) / float(rect.w);
            const float v = 1.0f - (float(py - rect.y) + 0.5f) / float(rect.h);
            const Rgb c = colour(u, v);
            uint8_t* p = image.at(px, py);
            p[0] = toByte(c.r);
            p[1] = toByte(c.g);
            p[2] = toByte(c.b);
        }
}

void fillAll(Image& image, const std::function<Rgb(float u, float v)>& colour)
{
    fill(image, { 0, 0, image.width, image.height }, colour);
}

namespace {

// Rows of the 3 x 5 glyphs, three bits each, top row first.
const char* glyph(char c)
{
    switch (c) {
    case 'A':
        return "\7\5\7\5\5";
    case 'D':
        return "\6\5\5\5\6";
    case 'E':
        return "\7\4\6\4\7";
    case 'G':
        return "\7\4\5\5\7";
    case 'I':
        return "\7\2\2\2\7";
    case 'N':
        return "\5\7\7\5\5";
    case 'R':
        return "\6\5\6\5\5";
    case 'T':
        return "\7\2\2\2\2";
    case 'X':
        return "\5\5\2\5\5";
    case '!':
        return "\2\2\2\0\2";
    default:
        return "\0\0\0\0\0";
    }
}

} // namespace

void text(Image& image, int x, int y, const char* letters, int scale, Rgb colour)
{
    for (size_t i = 0; letters[i]; ++i) {
        const char* rows = glyph(letters[i]);
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col) {
                if (!(rows[row] & (4 >> col)))
                    continue;
                for (int dy = 0; dy < scale; ++dy)
                    for (int dx = 0; dx < scale; ++dx) {
                        const int px = x + (int(i) * 4 + col) * scale + dx;
                        const int py = y + row * scale + dy;
                        if (px < 0 || py < 0 || px >= image.width || py >= image.height)
                            continue;
                        uint8_t* p = image.at(px, py);
                        p[0] = uint8_t(colour.r);
                        p[1] = uint8_t(colour.g);
                        p[2] = uint8_t(colour.b);
                    }
            }
    }
}

} // namespace datagen::paint
