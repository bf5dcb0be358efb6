// Wooden and woven materials: two kinds of planks, a cart wheel, tent canvas,
// striped balloon fabric and wicker. Drawn in a 64-unit design space.
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

struct PlankStyle {
    Rgb dark, light, gap;
    uint32_t seed;
};

// Four boards running along `along` (0..1), stacked across `across`.
Rgb plank(float along, float across, int size, const PlankStyle& style)
{
    const float A = along * 64, B = across * 64;
    const float lb = wrapFloat(B + 1, 16); // gaps straddle the board edges
    const int board = wrapInt(int(std::floor((B + 1) / 16)), 4);
    if (lb < 2)
        return style.gap;
    const float shift = hash01(board, 0, style.seed);
    const float grainWarp = tileFbm(along, across, 2, 4, 2, style.seed + 1);
    const float rings
        = std::pow(0.5f + 0.5f * std::sin(2 * kPi * (across * 28 + 3 * grainWarp + shift * 5)), 6.0f);
    const float streaks = tileFbm(along + shift, across, 2, 32, 2, style.seed + 2);
    Rgb c = mix(style.dark, style.light, 0.35f + 0.45f * streaks + 0.25f * shift);
    c = c * (1.0f - 0.28f * rings);
    if (lb < 3.2f)
        c = c * 1.15f; // rounded board edge catching light
    else if (lb > 14.8f)
        c = c * 0.8f;
    // One butt joint per board, with a nail on either side.
    const float joint = 64 * hash01(board, 1, style.seed);
    const float dj = wrapDelta(A, joint, 64);
    if (std::fabs(dj) < 0.7f)
        return style.gap;
    for (float side : { -3.0f, 3.0f }) {
        for (float off : { -4.0f, 4.0f }) {
            const float dx = dj - side, dy = lb - 8.5f - off;
            if (dx * dx + dy * dy < 1.4f)
                c = dx + dy < 0 ? hexRgb(0x8d8f92) : hexRgb(0x2e2f31);
        }
    }
    return c * (1.0f + 0.1f * pixelGrain(along, across, size, style.seed + 3));
}

} // namespace

Canvas paintWoodPlanks(int size)
{
    const PlankStyle oak { hexRgb(0x8a6236), hexRgb(0xbf9358), hexRgb(0x2a1c10), 1601 };
    return shadeSquare(size, [size, oak](float u, float v) { return plank(u, v, size, oak); });
}

Canvas paintWoodPlanks2(int size)
{
    // Dark stained boards standing upright: a different wood at a glance.
    const PlankStyle walnut { hexRgb(0x4a2a18), hexRgb(0x74432a), hexRgb(0x140b06), 1701 };
    return shadeSquare(size, [size, walnut](float u, float v) { return plank(v, u, size, walnut); });
}

Canvas paintWheel(int size)
{
    return shadeSquare(size, [size](float u, float v) {
        const float X = u * 64 - 32, Y = v * 64 - 32;
        const float r = std::hypot(X, Y);
        const float angle = std::atan2(Y, X);
        const float grain = pixelGrain(u, v, size, 1801);
        if (r >= 31.5f) // the cart side behind the wheel
            return mix(hexRgb(0x2e1d11), hexRgb(0x4a3020), tileFbm(u, v, 2, 16, 2, 1802))
                * (1.0f + 0.1f * grain);
        if (r >= 29.0f) { // iron tyre
            const float lit = 0.8f + 0.3f * std::cos(angle + 2.4f);
            return hexRgb(0x54565b) * lit * (r > 30.8f || r < 29.5f ? 0.6f : 1.0f);
        }
        if (r >= 24.0f) { // wooden felloe, jointed in six pieces
            const float seg = wrapFloat(angle / (2 * kPi) * 6 + 0.5f, 1.0f);
            if (seg < 0.03f || seg > 0.97f || r < 24.6f)
                return hexRgb(0x2a1a0e);
            const float rings = 0.5f + 0.5f * std::sin(r * 2.6f);
            return mix(hexRgb(0x7a4e2a), hexRgb(0xa06a3a), rings) * (1.0f + 0.1f * grain);
        }
        if (r < 6.5f) { // hub with an iron band and an axle cap
            if (r < 2.0f)
                return hexRgb(0xa0a2a6) * (X + Y < 0 ? 1.2f : 0.8f);
            if (r > 5.0f)
                return hexRgb(0x4a4c50);
            return hexRgb(0x8a5c32) * (1.0f + 0.1f * grain);
        }
        // Eight spokes, round in section.
        const float spokeAngle = std::round((angle - kPi / 8) / (kPi / 4)) * (kPi / 4) + kPi / 8;
        const float across = -X * std::sin(spokeAngle) + Y * std::cos(spokeAngle);
        const float halfWidth = 2.6f - 0.04f * r;
        if (std::fabs(across) < halfWidth) {
            const float round = std::cos(across / halfWidth * kPi / 2);
            return hexRgb(0xa8743f) * (0.5f + 0.6f * round) * (1.0f + 0.08f * grain);
        }
        return hexRgb(0x120c07) * (1.0f + 0.3f * grain); // the dark gaps between spokes
    });
}

Canvas paintTent(int size)
{
    return shadeSquare(size, [size](float u, float v) {
        const float X = u * 64, Y = v * 64;
        // Plain weave: 2 x 2 pixel cells alternate between a thread running
        // across (lit along its top) and one running down (lit on its left).
        const bool across = (int(std::floor(X / 2)) + int(std::floor(Y / 2))) % 2 == 0;
        const float thread = (across ? wrapFloat(Y, 2.0f) : wrapFloat(X, 2.0f)) < 1.0f ? 1.0f : 0.0f;
        const float stain = tileFbm(u, v, 3, 3, 2001);
        Rgb c = mix(hexRgb(0x978556), hexRgb(0xc6b488), stain) * (0.88f + 0.12f * thread);
        // A doubled seam down the middle of the panel.
        const float ds = std::fabs(X - 32);
        if (ds < 0.8f)
            c = c * 0.62f;
        else if ((std::fabs(ds - 3.0f) < 0.6f) && wrapFloat(Y, 4) < 2.5f)
            c = mix(c, hexRgb(0xe2d6b2), 0.8f);
        return c * (1.0f + 0.06f * pixelGrain(u, v, size, 2002));
    });
}

Canvas paintBallon(int size)
{
    return shadeSquare(size, [size](float u, float v) {
        const float X = u * 64, Y = v * 64;
        const int stripe = wrapInt(int(std::floor(X / 16)), 4) % 2;
        const float lx = wrapFloat(X, 16);
        Rgb c = stripe ? hexRgb(0xd8a732) : hexRgb(0xa82520);
        c = c * (0.78f + 0.28f * std::sin(kPi * lx / 16)); // panels bulge between seams
        c = c * (0.94f + 0.1f * tileFbm(u, v, 4, 2, 2101));
        const float seamDist = std::min(lx, 16 - lx);
        if (seamDist < 0.9f)
            return hexRgb(0x2a1410);
        if (std::fabs(seamDist - 2.5f) < 0.55f && wrapFloat(Y, 4) < 2.5f)
            c = mix(c, hexRgb(0xf0e8d0), 0.6f); // stitching
        const float dy = std::min(wrapFloat(Y, 32), 32 - wrapFloat(Y, 32));
        if (dy < 0.7f)
            c = c * 0.55f; // a horizontal panel seam
        return c * (1.0f + 0.05f * pixelGrain(u, v, size, 2102));
    });
}

Canvas paintBasket(int size)
{
    return shadeSquare(size, [size](float u, float v) {
        // Cells of three strands alternate direction; shifted half a cell so
        // the texture border falls inside cells, like every other column.
        const float X = u * 64 + 8, Y = v * 64 + 8;
        const int cx = int(std::floor(X / 16)), cy = int(std::floor(Y / 16));
        const bool horizontal = ((cx + cy) % 2) == 0;
        const float lx = wrapFloat(X, 16), ly = wrapFloat(Y, 16);
        const float along = horizontal ? lx : ly;
        const float across = horizontal ? ly : lx;
        const float strandPos = across / (16.0f / 3.0f);
        const int strand = int(strandPos);
        const float t = strandPos - float(strand);
        const float round = std::sin(kPi * t);
        const float dive = smoothstep(0.0f, 3.0f, std::min(along, 16 - along));
        const float tint = hash01(wrapInt(cx, 4) * 3 + strand, wrapInt(cy, 4), 2201);
        Rgb c = mix(hexRgb(0x9c7440), hexRgb(0xc9a262), tint);
        c = c * (0.35f + 0.7f * round) * (0.55f + 0.45f * dive);
        const float fibre = tileFbm(u, v, horizontal ? 4 : 32, horizontal ? 32 : 4, 1, 2202);
        return c * (0.9f + 0.2f * fibre) * (1.0f + 0.06f * pixelGrain(u, v, size, 2203));
    });
}

} // namespace datagen
