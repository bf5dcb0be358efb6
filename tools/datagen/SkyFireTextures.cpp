// Night sky pictures (moon and star sprites, the sky strip) and the two flame
// images. All are RGB: the sprites are drawn on black so that additive or
// brightness-keyed blending leaves only the light.
#include "tools/datagen/Procedural.h"
#include "tools/datagen/TextureSet.h"

#include <algorithm>
#include <cmath>

namespace datagen {

namespace {

constexpr float kPi = 3.14159265f;

Image moonSprite()
{
    constexpr int kSize = 128;
    const float centre = kSize / 2.0f, radius = kSize * 0.40f;
    Rng rng(3001);
    struct Crater {
        float x, y, r;
    };
    Crater craters[9];
    for (Crater& c : craters) {
        const float a = rng.range(0, 2 * kPi), d = std::sqrt(rng.uniform()) * radius * 0.8f;
        c = { centre + std::cos(a) * d, centre + std::sin(a) * d, rng.range(2.0f, 6.0f) };
    }
    Canvas canvas(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float dx = x + 0.5f - centre, dy = y + 0.5f - centre;
            const float r = std::hypot(dx, dy);
            const Rgb glow = hexRgb(0x9fb4d8) * (0.35f * std::exp(-(r - radius) / 7.0f));
            const float cover = clamp01(radius - r + 0.5f);
            const float u = float(x) / kSize, v = float(y) / kSize;
            const float maria = smoothstep(0.5f, 0.62f, tileFbm(u, v, 3, 4, 3002));
            Rgb surface = mix(hexRgb(0xf1eddc), hexRgb(0xa9a89f), 0.75f * maria);
            surface = surface * (0.9f + 0.1f * tileFbm(u, v, 16, 2, 3003));
            for (const Crater& c : craters) {
                const float d = std::hypot(x + 0.5f - c.x, y + 0.5f - c.y) / c.r;
                if (d < 1.0f)
                    surface = surface * (0.9f + 0.06f * d);
                else if (d < 1.25f)
                    surface = surface * ((x - c.x) + (y - c.y) < 0 ? 1.06f : 0.95f); // lit rim
            }
            const float limb = 0.7f + 0.3f * std::sqrt(clamp01(1.0f - (r * r) / (radius * radius)));
            canvas.at(x, y) = mix(r > radius ? glow : Rgb {}, surface * limb, cover);
        }
    }
    return canvas.toImage();
}

Image starSprite()
{
    constexpr int kSize = 32;
    Canvas canvas(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float dx = x + 0.5f - kSize / 2.0f, dy = y + 0.5f - kSize / 2.0f;
            const float r2 = dx * dx + dy * dy;
            const float core = std::exp(-r2 / 5.0f);
            const float halo = 0.35f * std::exp(-r2 / 50.0f);
            const float spikes = 0.5f
                * (std::exp(-std::fabs(dx) / 0.8f) * std::exp(-std::fabs(dy) / 5.0f)
                    + std::exp(-std::fabs(dy) / 0.8f) * std::exp(-std::fabs(dx) / 5.0f));
            canvas.at(x, y) = hexRgb(0xffffff) * core + hexRgb(0xb8ccff) * (halo + spikes);
        }
    }
    return canvas.toImage();
}

// Direction through pixel (s, t) in [-1, 1] of cube face `face`, in the
// usual cube-map order +X, -X, +Y, -Y, +Z, -Z with t growing downwards.
void faceDirection(int face, float s, float t, float d[3])
{
    const float dirs[6][3]
        = { { 1, -t, -s }, { -1, -t, s }, { s, 1, t }, { s, -1, -t }, { s, -t, 1 }, { -s, -t, -1 } };
    const float len = std::sqrt(
        dirs[face][0] * dirs[face][0] + dirs[face][1] * dirs[face][1] + dirs[face][2] * dirs[face][2]);
    for (int i = 0; i < 3; ++i)
        d[i] = dirs[face][i] / len;
}

// Six square faces side by side, each the view through one cube side.
Image skyStrip()
{
    constexpr int kFace = 128;
    Canvas canvas(kFace * 6, kFace);
    for (int face = 0; face < 6; ++face) {
        for (int y = 0; y < kFace; ++y) {
            for (int x = 0; x < kFace; ++x) {
                float d[3];
                faceDirection(face, (x + 0.5f) / kFace * 2 - 1, (y + 0.5f) / kFace * 2 - 1, d);
                const float elevation = d[1];
                Rgb c;
                if (elevation >= 0) {
                    c = mix(hexRgb(0x1b2740), hexRgb(0x04060d), std::pow(elevation, 0.45f));
                    const float star = hash01(x + face * kFace, y, 3101);
                    if (star > 0.994f && elevation > 0.08f)
                        c = c + hexRgb(0xdfe6ff) * (0.35f + 0.65f * hash01(x, y + face * kFace, 3102));
                } else {
                    c = mix(hexRgb(0x10141c), hexRgb(0x050506), smoothstep(0.0f, 0.2f, -elevation));
                }
                canvas.at(x + face * kFace, y) = c;
            }
        }
    }
    return canvas.toImage();
}

// A soft teardrop: round at the bottom, drawn out to a tip at the top.
Image flameMask()
{
    constexpr int kSize = 128;
    Canvas canvas(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float px = (x + 0.5f) / kSize * 2 - 1; // -1..1 across
            const float py = 1.0f - (y + 0.5f) / kSize; // 0 at the bottom row
            constexpr float base = 0.3f, radius = 0.27f, tip = 0.97f;
            float halfWidth;
            if (py < base)
                halfWidth = std::sqrt(std::max(0.0f, radius * radius - (py - base) * (py - base)));
            else
                halfWidth = radius * std::pow(std::max(0.0f, 1.0f - (py - base) / (tip - base)), 1.4f);
            halfWidth *= 2.6f; // the mask fills most of the sprite's width
            const float inside
                = halfWidth > 0 ? 1.0f - smoothstep(0.45f, 1.0f, std::fabs(px) / halfWidth) : 0.0f;
            const float bottomFade = smoothstep(0.0f, 0.05f, py);
            canvas.at(x, y) = Rgb { 1, 1, 1 } * (inside * bottomFade);
        }
    }
    return canvas.toImage();
}

// Flame colours from a white-hot base to dark red smoke at the top; the
// sideways variation repeats so the texture can scroll horizontally.
Image flameColour()
{
    constexpr int kSize = 128;
    const Rgb ramp[]
        = { hexRgb(0xfff4c4), hexRgb(0xffd044), hexRgb(0xff8c1c), hexRgb(0xd63c0c), hexRgb(0x5c0e04) };
    Canvas canvas(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
            const float height = clamp01(1.0f - v + 0.12f * (tileFbm(u, v, 4, 3, 3201) - 0.5f));
            const float pos = height * 4.0f;
            const int i = std::min(int(pos), 3);
            canvas.at(x, y) = mix(ramp[i], ramp[i + 1], pos - float(i));
        }
    }
    return canvas.toImage();
}

} // namespace

std::vector<NamedImage> makeSkyAndFireTextures()
{
    std::vector<NamedImage> out;
    out.push_back({ "textures/moon.png", moonSprite() });
    out.push_back({ "textures/star.png", starSprite() });
    out.push_back({ "textures/fire_alpha.png", flameMask() });
    out.push_back({ "textures/fire_diffuse.png", flameColour() });
    out.push_back({ "textures/sky_cubestrip.png", skyStrip() });
    return out;
}

} // namespace datagen
