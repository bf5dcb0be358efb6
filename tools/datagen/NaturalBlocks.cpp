// Ground, rock and plant materials. Ground types differ first by hue
// (brown dirt, green grass, pale yellow sand, cool grey stone) so they stay
// apart under a torch-like light that washes out fine detail.
#include "tools/datagen/BlockPainters.h"

#include <cmath>

namespace datagen {

namespace {

constexpr float kTau = 6.28318531f;

Rgb stoneColour(float u, float v, int size, uint32_t seed)
{
    const float broad = tileFbm(u, v, 4, 4, seed);
    const CellSample facets = tileCells(u, v, 5, seed + 7);
    const float facet = float(facets.id & 0xff) / 255.0f - 0.5f;
    const float edge = smoothstep(0.0f, 0.12f, facets.f2 - facets.f1);
    Rgb c = mix(hexRgb(0x5e5e62), hexRgb(0x9d9da2), broad);
    c = c * (1.0f + 0.08f * facet) * (0.93f + 0.07f * edge);
    const float speck = hash01(int(u * size), int(v * size), seed + 3);
    if (speck > 0.93f)
        c = c * 0.72f;
    else if (speck < 0.04f)
        c = c * 1.18f;
    return c * (1.0f + 0.08f * pixelGrain(u, v, size, seed + 5));
}

} // namespace

Canvas paintDirt(int size)
{
    return shadeSquare(size, [size](float u, float v) {
        const float broad = tileFbm(u, v, 4, 4, 101);
        Rgb c = mix(hexRgb(0x5a3d26), hexRgb(0x86603e), broad);
        const CellSample clod = tileCells(u, v, 9, 102);
        const float kind = float(clod.id % 7);
        if (clod.f1 < 0.28f && kind < 2)
            c = mix(c, hexRgb(0x9b8a74), 0.7f); // small pebbles
        else if (clod.f1 < 0.38f && kind < 4)
            c = c * 0.72f; // darker clods
        return c * (1.0f + 0.22f * pixelGrain(u, v, size, 103));
    });
}

Canvas paintGrass(int size)
{
    Canvas canvas = shadeSquare(size, [size](float u, float v) {
        const float broad = tileFbm(u, v, 3, 3, 201);
        return mix(hexRgb(0x2c5a1c), hexRgb(0x457f28), broad) * (1.0f + 0.2f * pixelGrain(u, v, size, 202));
    });
    const Rgb blades[] = { hexRgb(0x4f9430), hexRgb(0x5fab38), hexRgb(0x3a7424), hexRgb(0x72bf45) };
    Rng rng(203);
    const float scale = size / 64.0f;
    for (int i = 0; i < 240; ++i) {
        const float x = rng.uniform() * size, y = rng.uniform() * size;
        const float angle = -kTau / 4 + rng.range(-0.55f, 0.55f);
        const float len = rng.range(3.0f, 7.0f) * scale;
        const float tx = x + std::cos(angle) * len, ty = y + std::sin(angle) * len;
        canvas.line(x + scale, y, tx + scale, ty, 1.0f * scale, hexRgb(0x1d3a12), 0.6f);
        canvas.line(x, y, tx, ty, 1.0f * scale, blades[rng.below(4)], 0.9f);
    }
    return canvas;
}

Canvas paintStone(int size)
{
    return shadeSquare(size, [size](float u, float v) { return stoneColour(u, v, size, 301); });
}

Canvas paintSand(int size)
{
    return shadeSquare(size, [size](float u, float v) {
        const float warp = tileFbm(u, v, 3, 3, 401);
        const float ripple = 0.5f + 0.5f * std::sin(kTau * (u * 1.0f + v * 5.0f) + 3.0f * warp);
        Rgb c = mix(hexRgb(0xcdb37c), hexRgb(0xe6d5a2), 0.35f + 0.4f * ripple + 0.25f * warp);
        const float g = pixelGrain(u, v, size, 402);
        if (g > 0.44f)
            c = mix(c, hexRgb(0x8c7a58), 0.6f); // dark grains
        return c * (1.0f + 0.12f * g);
    });
}

Canvas paintBedrock(int size)
{
    return shadeSquare(size, [size](float u, float v) {
        const float n = tileFbm(u, v, 5, 5, 3, 501, 0.6f);
        const CellSample lump = tileCells(u, v, 6, 502, 1.0f);
        const float t = n + 0.25f * (float(lump.id & 0xff) / 255.0f - 0.5f);
        const Rgb c = t < 0.42f ? hexRgb(0x1a1a1c) : t < 0.55f ? hexRgb(0x3c3c3f) : hexRgb(0x6c6c70);
        return c * (1.0f + 0.3f * pixelGrain(u, v, size, 503));
    });
}

Canvas paintDiamondStone(int size)
{
    Canvas canvas = shadeSquare(size, [size](float u, float v) { return stoneColour(u, v, size, 311); });
    // Gems are small rhombi with a light upper-left and dark lower-right facet.
    Rng rng(1901);
    const float scale = size / 64.0f;
    for (int cluster = 0; cluster < 4; ++cluster) {
        const float cx = (0.14f + 0.5f * (cluster % 2) + rng.range(0, 0.22f)) * size;
        const float cy = (0.14f + 0.5f * (cluster / 2) + rng.range(0, 0.22f)) * size;
        for (int g = 0; g < 4; ++g) {
            const float gx = cx + rng.range(-5, 5) * scale, gy = cy + rng.range(-5, 5) * scale;
            const float r = rng.range(2.5f, 4.0f) * scale;
            for (int y = int(gy - r - 2); y <= int(gy + r + 2); ++y) {
                for (int x = int(gx - r - 2); x <= int(gx + r + 2); ++x) {
                    const float dx = wrapDelta(x + 0.5f, gx, float(size)),
                                dy = wrapDelta(y + 0.5f, gy, float(size));
                    const float d = std::fabs(dx) + std::fabs(dy);
                    if (d > r + 1.0f)
                        continue;
                    Rgb c = d > r ? hexRgb(0x12383f) : (dx + dy < 0 ? hexRgb(0x9ff4f4) : hexRgb(0x2fb5c4));
                    if (d < r * 0.35f && dx < 0 && dy < 0)
                        c = hexRgb(0xf2ffff);
                    canvas.at(x, y) = c;
                }
            }
        }
    }
    return canvas;
}

Canvas paintStoneCracks(int size)
{
    return shadeSquare(size, [size](float u, float v) {
        Rgb c = stoneColour(u, v, size, 301);
        const CellSample big = tileCells(u, v, 3, 2301, 0.9f);
        const CellSample small = tileCells(u, v, 7, 2302, 0.9f);
        const float mask = tileFbm(u, v, 4, 2, 2303);
        const float bigCrack = 1.0f - smoothstep(0.015f, 0.06f, big.f2 - big.f1);
        const float smallCrack
            = (1.0f - smoothstep(0.02f, 0.08f, small.f2 - small.f1)) * smoothstep(0.5f, 0.6f, mask);
        const float crack = std::max(bigCrack, smallCrack);
        const float rim = (1.0f - smoothstep(0.06f, 0.12f, big.f2 - big.f1)) * 0.15f;
        c = c * (1.0f + rim);
        return mix(c, hexRgb(0x1c1c1e), crack);
    });
}

Canvas paintMarble(int size)
{
    return shadeSquare(size, [size](float u, float v) {
        const float cloud = tileFbm(u, v, 3, 4, 1301);
        const float warp = tileFbm(u, v, 4, 4, 1302);
        const float t = kTau * (u * 1.0f + v * 2.0f) + 4.5f * warp;
        const float vein = std::pow(1.0f - std::fabs(std::sin(t)), 14.0f);
        const float fine
            = std::pow(1.0f - std::fabs(std::sin(kTau * (u * 3.0f - v * 1.0f) + 9.0f * cloud)), 30.0f);
        Rgb c = mix(hexRgb(0xd8d5cf), hexRgb(0xf2f0ea), cloud);
        c = mix(c, hexRgb(0x6e6f78), 0.85f * vein);
        c = mix(c, hexRgb(0x9a9aa2), 0.5f * fine);
        return c * (1.0f + 0.03f * pixelGrain(u, v, size, 1303));
    });
}

Canvas paintBark(int size)
{
    return shadeSquare(size, [size](float u, float v) {
        // Seven wandering vertical furrows between rough plates.
        const float warp = tileFbm(u, v, 3, 2, 3, 701);
        const float across = std::fabs(std::sin(kTau / 2 * (u * 7.0f + 1.3f * warp)));
        const float groove = 1.0f - smoothstep(0.05f, 0.5f, across);
        const float plate = tileFbm(u, v, 14, 4, 2, 702);
        Rgb c = mix(hexRgb(0x5e4029), hexRgb(0x87623f), plate);
        const float ridge = smoothstep(0.85f, 1.0f, across);
        c = c * (1.0f + 0.12f * ridge);
        const float cracks = std::pow(0.5f + 0.5f * std::sin(kTau * (v * 9.0f + 2.0f * plate)), 12.0f);
        c = c * (1.0f - 0.35f * cracks);
        const float lichen = tileFbm(u, v, 8, 3, 703);
        if (lichen > 0.72f)
            c = mix(c, hexRgb(0x6f7a4e), 0.35f);
        c = mix(c, hexRgb(0x1c120a), groove);
        return c * (1.0f + 0.14f * pixelGrain(u, v, size, 704));
    });
}

Canvas paintLeaf(int size)
{
    Canvas canvas = shadeSquare(size, [size](float u, float v) {
        return mix(hexRgb(0x0f200b), hexRgb(0x1f3c15), tileFbm(u, v, 4, 2, 801))
            * (1.0f + 0.2f * pixelGrain(u, v, size, 802));
    });
    const Rgb leaves[]
        = { hexRgb(0x2c5a20), hexRgb(0x3a722a), hexRgb(0x468431), hexRgb(0x25501b), hexRgb(0x52903a) };
    Rng rng(803);
    const float scale = size / 64.0f;
    for (int i = 0; i < 170; ++i) {
        const float x = rng.uniform() * size, y = rng.uniform() * size;
        const float angle = rng.range(0, kTau);
        const float rx = rng.range(2.8f, 4.2f) * scale, ry = rng.range(1.5f, 2.2f) * scale;
        const Rgb c = leaves[rng.below(5)];
        canvas.ellipse(x + 0.8f * scale, y + 0.8f * scale, rx, ry, angle, hexRgb(0x0a1607), 0.5f);
        canvas.ellipse(x, y, rx, ry, angle, c);
        canvas.ellipse(x - 0.6f * scale, y - 0.6f * scale, rx * 0.5f, ry * 0.45f, angle, c * 1.25f, 0.6f);
    }
    return canvas;
}

Canvas paintCactus(int size)
{
    Canvas canvas = shadeSquare(size, [size](float u, float v) {
        const float phase = wrap01(u * 4.0f);
        const float rib = std::sin(phase * kTau / 2);
        Rgb c = mix(hexRgb(0x1c4419), hexRgb(0x4f8f3b), std::pow(rib, 0.6f));
        c = mix(c, hexRgb(0x76b257), smoothstep(0.85f, 1.0f, rib) * 0.5f);
        const float streak = tileFbm(u, v, 8, 2, 2, 1001);
        return c * (0.9f + 0.2f * streak) * (1.0f + 0.08f * pixelGrain(u, v, size, 1002));
    });
    // Spine tufts along the middle of each rib.
    const float scale = size / 64.0f;
    for (int rib = 0; rib < 4; ++rib) {
        for (int k = 0; k < 4; ++k) {
            const float x = (rib + 0.5f) * size / 4.0f;
            const float y = (k + 0.25f + 0.5f * (rib % 2)) * size / 4.0f;
            canvas.disc(x, y, 1.3f * scale, hexRgb(0xd9cf9a));
            canvas.line(x, y, x - 3 * scale, y - 2 * scale, 0.8f * scale, hexRgb(0xf0e6c0), 0.9f);
            canvas.line(x, y, x + 3 * scale, y - 2 * scale, 0.8f * scale, hexRgb(0xf0e6c0), 0.9f);
        }
    }
    return canvas;
}

} // namespace datagen
