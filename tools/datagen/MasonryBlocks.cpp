// Built materials: brick, roof tiles, sandstone blocks, plaster and metal.
// Layouts are drawn in a 64-unit design space (X, Y = u, v times 64) and any
// joint that meets the texture border straddles it, so opposite edges match.
#include "tools/datagen/BlockPainters.h"

#include <algorithm>
#include <cmath>

namespace datagen {

namespace {

constexpr float kPi = 3.14159265f;

int wrapInt(int i, int n)
{
    return ((i % n) + n) % n;
}

float wrapFloat(float x, float n)
{
    return x - n * std::floor(x / n);
}

// A running-bond course layout: which block a point lies in and how far it
// is from the joint around that block. Joints are `joint` units wide and
// centred on the course and block boundaries.
struct BondCell {
    int row = 0, col = 0;
    float lx = 0, ly = 0; // position inside the block including its joint
    float edge = 0; // distance from the nearest joint line (negative inside a joint)
    float fromTop = 0; // distance below the upper joint
};

BondCell bond(float X, float Y, float courseHeight, float blockWidth, float joint)
{
    BondCell c;
    const int rows = int(std::lround(64.0f / courseHeight));
    const float half = joint * 0.5f;
    const int row = int(std::floor((Y + half) / courseHeight));
    c.row = wrapInt(row, rows);
    c.ly = Y + half - float(row) * courseHeight;
    const float offset = (c.row % 2) ? blockWidth * 0.5f : 0.0f;
    const int cols = int(std::lround(64.0f / blockWidth));
    const float x = X + half + offset;
    c.col = wrapInt(int(std::floor(x / blockWidth)), cols);
    c.lx = wrapFloat(x, blockWidth);
    c.edge = std::min({ c.ly - joint, courseHeight - c.ly, c.lx - joint, blockWidth - c.lx });
    c.fromTop = c.ly - joint;
    return c;
}

} // namespace

Canvas paintBrick(int size)
{
    return shadeSquare(size, [size](float u, float v) {
        const BondCell b = bond(u * 64, v * 64, 16, 32, 2);
        const float pit = tileFbm(u, v, 8, 2, 303);
        if (b.edge < 0) {
            return mix(hexRgb(0x9c968a), hexRgb(0xbab4a6), pit)
                * (1.0f + 0.25f * pixelGrain(u, v, size, 304));
        }
        const float tint = hash01(b.col, b.row, 305);
        Rgb c = mix(hexRgb(0x7a2e1e), hexRgb(0xa54a2e), tint);
        if (tint > 0.85f)
            c = hexRgb(0x5e2a20); // an over-fired brick
        c = c * (0.85f + 0.3f * tileFbm(u, v, 6, 3, 306));
        if (b.fromTop < 1.2f)
            c = c * 1.18f; // lit upper arris
        else if (b.edge < 1.0f)
            c = c * 0.8f;
        return c * (1.0f + 0.16f * pixelGrain(u, v, size, 307));
    });
}

Canvas paintRoofTiles(int size)
{
    return shadeSquare(size, [size](float u, float v) {
        const float X = u * 64, Y = v * 64;
        auto bulge
            = [](float lx) { return 5.0f * std::sqrt(std::max(0.0f, 1.0f - (lx - 8) * (lx - 8) / 64.0f)); };
        auto localX = [X](int row) { return wrapFloat(X + ((wrapInt(row, 4) % 2) ? 8.0f : 0.0f), 16.0f); };
        // The rounded lower lip of each tile lies over the top of the tile below.
        int row = int(std::floor(Y / 16));
        float ly = Y - float(row) * 16;
        if (ly < bulge(localX(row - 1))) {
            row -= 1;
            ly += 16;
        }
        const float lx = localX(row);
        const float length = 16 + bulge(lx);
        const float coveredTo = bulge(localX(row - 1));
        const int col = int(std::floor((X + ((wrapInt(row, 4) % 2) ? 8.0f : 0.0f)) / 16));
        const float tint = hash01(wrapInt(col, 4), wrapInt(row, 4), 901);
        Rgb c = mix(hexRgb(0x7c2f1c), hexRgb(0xa4472a), tint);
        c = c * (0.72f + 0.4f * std::sin(kPi * lx / 16)); // rounded tile profile
        c = c * (1.0f - 0.5f * std::exp(-(ly - coveredTo) / 2.5f)); // shadow under the tile above
        if (length - ly < 1.0f)
            c = c * 0.45f; // dark lower lip
        return c * (0.9f + 0.2f * tileFbm(u, v, 8, 2, 902)) * (1.0f + 0.1f * pixelGrain(u, v, size, 903));
    });
}

Canvas paintPyramid(int size)
{
    return shadeSquare(size, [size](float u, float v) {
        const float chip = tileFbm(u, v, 8, 3, 1101);
        const BondCell b = bond(u * 64, v * 64, 32, 32, 1.5f + 1.5f * chip);
        if (b.edge < 0)
            return hexRgb(0x5e4a2c) * (1.0f + 0.2f * pixelGrain(u, v, size, 1102));
        const float tint = hash01(b.col, b.row, 1103);
        Rgb c = mix(hexRgb(0xb8884c), hexRgb(0xd4aa68), tint);
        const float layers = 0.5f + 0.5f * std::sin(2 * kPi * 6 * v + 2 * chip);
        c = c * (0.93f + 0.08f * layers);
        const float pits = tileFbm(u, v, 16, 2, 1104);
        if (pits > 0.74f)
            c = c * 0.85f;
        if (b.fromTop < 2.0f)
            c = c * 1.12f;
        else if (b.edge < 1.5f)
            c = c * 0.85f;
        return c * (1.0f + 0.14f * pixelGrain(u, v, size, 1105));
    });
}

Canvas paintStucco(int size)
{
    const float step = 1.0f / float(size);
    return shadeSquare(size, [size, step](float u, float v) {
        auto height = [](float x, float y) { return tileFbm(x, y, 12, 3, 1201); };
        const float du = height(u + step, v) - height(u - step, v);
        const float dv = height(u, v + step) - height(u, v - step);
        const float light = 1.0f + 0.45f * (-du - dv);
        const float stain = tileFbm(u, v, 2, 3, 1202);
        Rgb c = mix(hexRgb(0xc9bc9c), hexRgb(0xe3d9c0), stain) * light;
        if (hash01(int(u * size), int(v * size), 1203) > 0.985f)
            c = c * 0.7f; // small pores
        return c * (1.0f + 0.06f * pixelGrain(u, v, size, 1204));
    });
}

Canvas paintMetal(int size)
{
    const float scale = float(size) / 64.0f;
    Canvas canvas = shadeSquare(size, [size](float u, float v) {
        const float X = u * 64, Y = v * 64;
        const float brushed = tileFbm(u, v, 2, 32, 2, 1401);
        const float row = hash01(0, int(v * size), 1402);
        Rgb c = mix(hexRgb(0x858c93), hexRgb(0xb3bac1), 0.6f * brushed + 0.4f * row);
        c = c * (0.92f + 0.12f * tileFbm(u, v, 2, 2, 1403));
        // One plate per block face: a seam groove on the border, a bevel inside it.
        const float dx = std::min(X, 64 - X), dy = std::min(Y, 64 - Y);
        if (std::min(dx, dy) < 1.0f)
            return hexRgb(0x34383c);
        if (dx < 2.5f && dx <= dy)
            return c * (X < 32 ? 1.25f : 0.7f);
        if (dy < 2.5f)
            return c * (Y < 32 ? 1.25f : 0.7f);
        return c;
    });
    const float inset = 6.0f * scale;
    const float spots[][2] = { { inset, inset }, { 32 * scale, inset }, { size - inset, inset },
        { inset, size - inset }, { 32 * scale, size - inset }, { size - inset, size - inset },
        { inset, 32 * scale }, { size - inset, 32 * scale } };
    for (const auto& s : spots) {
        canvas.disc(s[0] + 0.6f * scale, s[1] + 0.6f * scale, 2.4f * scale, hexRgb(0x2c2f33), 0.8f);
        canvas.disc(s[0], s[1], 2.0f * scale, hexRgb(0x9aa1a8));
        canvas.disc(s[0] - 0.6f * scale, s[1] - 0.6f * scale, 0.9f * scale, hexRgb(0xe4e9ee));
    }
    return canvas;
}

Canvas paintMetal2(int size)
{
    return shadeSquare(size, [size](float u, float v) {
        const float ridge = std::sin(2 * kPi * 8 * v);
        Rgb c = hexRgb(0x4f5861) * (0.78f + 0.3f * ridge);
        if (ridge > 0.8f)
            c = c * 1.15f;
        const float patch = tileFbm(u, v, 4, 4, 1501);
        const float drip = tileFbm(u, v, 16, 2, 2, 1502);
        const float rust = smoothstep(0.5f, 0.62f, 0.7f * patch + 0.45f * drip - 0.1f);
        const Rgb rustColour = mix(hexRgb(0x5c2a14), hexRgb(0xa0582a), tileFbm(u, v, 10, 2, 1503));
        c = mix(c, rustColour * (0.85f + 0.2f * ridge), rust);
        return c * (1.0f + (0.08f + 0.2f * rust) * pixelGrain(u, v, size, 1504));
    });
}

} // namespace datagen
