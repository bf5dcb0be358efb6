// Textures of things: dynamite, the cage, the flashlight, bonfire logs, the
// jetpack, the sign, the blasting machine and the potion.
#include "tools/datagen/ModelAtlas.h"
#include "tools/datagen/Paint.h"
#include "tools/datagen/TexturePainters.h"

#include <cmath>

namespace datagen::painters {

using namespace paint;

namespace {

constexpr float kTau = 6.2831853f;

float grain(float u, float v, uint32_t seed)
{
    return 0.9f + 0.2f * noise(u, v, 24, seed);
}

Rgb planks(float u, float v, Rgb wood, int count, uint32_t seed)
{
    const float along = v * float(count);
    const float seam = std::abs(along - std::round(along));
    const float line = 0.5f + 0.5f * std::sin(v * kTau * 24.0f + noise(u, v, 4, seed) * 8.0f);
    const float plank = 0.9f + 0.2f * hash(int(along), 0, seed);
    return shade(wood, (seam < 0.06f ? 0.55f : 1.0f) * plank * (0.85f + 0.2f * line) * grain(u, v, seed + 1));
}

Rgb metal(float u, float v, Rgb base, float rust, uint32_t seed)
{
    const Rgb c = shade(base, (0.85f + 0.3f * fractal(u, v, 6, seed)) * grain(u, v, seed + 1));
    return mix(c, Rgb { 128, 70, 36 }, rust * smoothstep(0.55f, 0.75f, fractal(u, v, 5, seed + 2)));
}

} // namespace

Image dynamite()
{
    const Rgb red { 186, 32, 28 };
    Image image(atlas::dynamite::size, atlas::dynamite::size, 3);
    fill(image, atlas::dynamite::paper, [&](float u, float v) {
        if (v > 0.38f && v < 0.62f)
            return shade({ 236, 226, 200 }, grain(u, v, 201));
        const float wrap = std::abs(std::sin(kTau * (u * 2.0f + v * 5.0f))) < 0.08f ? 0.75f : 1.0f;
        return shade(red, wrap * (0.88f + 0.2f * fractal(u, v, 4, 202)) * grain(u, v, 203));
    });
    const PixelRect paper = atlas::dynamite::paper;
    for (int x : { 2, 18 })
        text(image, paper.x + x, paper.y + 14, "TNT", 1, { 20, 20, 20 });
    fill(image, atlas::dynamite::end, [&](float u, float v) {
        if (v > 0.8f)
            return shade(red, grain(u, v, 204));
        const float ring = 0.9f + 0.1f * std::sin(v * kTau * 5.0f);
        return shade({ 214, 190, 150 }, ring * grain(u, v, 205));
    });
    fill(image, atlas::dynamite::fuse, [&](float u, float v) {
        const float twist = 0.5f + 0.5f * std::sin(kTau * (u * 2.0f + v * 8.0f));
        return shade({ 72, 64, 54 }, (0.7f + 0.5f * twist) * grain(u, v, 206));
    });
    fill(image, atlas::dynamite::tape, [&](float u, float v) {
        return shade({ 44, 44, 46 }, (0.85f + 0.3f * fractal(u, v, 4, 207)) * grain(u, v, 208));
    });
    return image;
}

Image cage()
{
    Image image(atlas::cage::size, atlas::cage::size, 3);
    fill(image, atlas::cage::iron, [&](float u, float v) { return metal(u, v, { 80, 68, 62 }, 0.8f, 211); });
    fill(image, atlas::cage::darkIron, [&](float u, float v) {
        return metal(u, v, { 50, 46, 44 }, 0.5f, 213);
    });
    fill(image, atlas::cage::planks, [&](float u, float v) { return planks(u, v, { 126, 88, 52 }, 4, 215); });
    fill(image, atlas::cage::straw, [&](float u, float v) {
        const float strand
            = 0.5f + 0.5f * std::sin(kTau * (u * 9.0f + v * 3.0f) + noise(u, v, 5, 217) * 9.0f);
        return shade({ 206, 176, 86 }, (0.7f + 0.45f * strand) * grain(u, v, 218));
    });
    return image;
}

Image flashlight()
{
    Image image(atlas::flashlight::size, atlas::flashlight::size, 3);
    fill(image, atlas::flashlight::grip, [&](float u, float v) {
        const float rib = std::sin(v * kTau * 12.0f) > 0.0f ? 1.2f : 0.8f;
        return shade({ 34, 34, 38 }, rib * grain(u, v, 221));
    });
    fill(image, atlas::flashlight::chrome, [&](float u, float v) {
        const float glint = smoothstep(0.1f, 0.0f, std::abs(u - 0.15f))
            + 0.5f * smoothstep(0.08f, 0.0f, std::abs(u - 0.6f));
        return mix(shade({ 150, 155, 164 }, grain(u, v, 222)), Rgb { 245, 245, 250 }, std::min(glint, 1.0f));
    });
    fill(image, atlas::flashlight::lens, [&](float u, float v) {
        if (v < 0.6f)
            return mix(Rgb { 255, 252, 225 }, Rgb { 255, 226, 140 }, v / 0.6f);
        if (v < 0.8f)
            return shade({ 205, 205, 195 }, grain(u, v, 223));
        return shade({ 150, 152, 158 }, grain(u, v, 224));
    });
    fill(image, atlas::flashlight::button, [&](float u, float v) {
        return shade({ 200, 40, 30 }, grain(u, v, 225));
    });
    return image;
}

Image logs()
{
    Image image(atlas::logs::size, atlas::logs::size, 3);
    fill(image, atlas::logs::bark, [&](float u, float v) {
        const float crack = std::abs(std::sin(kTau * (u * 7.0f + 0.3f * noise(u, v, 4, 231))));
        const Rgb bark = shade({ 90, 64, 43 }, (0.75f + 0.4f * fractal(u, v, 6, 232)) * grain(u, v, 233));
        return crack < 0.15f ? shade(bark, 0.45f) : bark;
    });
    fill(image, atlas::logs::rings, [&](float u, float v) {
        if (v > 0.88f)
            return shade({ 80, 58, 40 }, grain(u, v, 234));
        const Rgb wood
            = shade({ 196, 156, 102 }, (0.85f + 0.15f * std::sin(v * kTau * 6.0f)) * grain(u, v, 235));
        return mix(wood, Rgb { 30, 22, 18 }, 0.6f * smoothstep(0.5f, 0.8f, fractal(u, v, 4, 236)));
    });
    fill(image, atlas::logs::stone, [&](float u, float v) {
        return shade({ 112, 110, 106 }, (0.65f + 0.5f * fractal(u, v, 5, 237)) * grain(u, v, 238));
    });
    fill(image, atlas::logs::charred, [&](float u, float v) {
        const float glow = smoothstep(0.58f, 0.75f, fractal(u, v, 6, 239));
        return mix(shade({ 32, 24, 20 }, grain(u, v, 240)), Rgb { 250, 120, 30 }, glow);
    });
    return image;
}

Image jetpack()
{
    Image image(atlas::jetpack::size, atlas::jetpack::size, 3);
    fill(image, atlas::jetpack::tank, [&](float u, float v) {
        if (v > 0.72f && v < 0.8f)
            return shade({ 190, 40, 30 }, grain(u, v, 251));
        for (float row : { 0.1f, 0.9f }) {
            const float du = std::fmod(u * 12.0f, 1.0f) - 0.5f;
            if (std::hypot(du / 12.0f, v - row) < 0.025f)
                return Rgb { 95, 98, 104 };
        }
        const float brushed = 0.92f + 0.1f * noise(u * 0.05f, v, 40, 252);
        const float glint = smoothstep(0.12f, 0.0f, std::abs(u - 0.3f));
        return mix(shade({ 150, 156, 162 }, brushed), Rgb { 235, 238, 242 }, 0.7f * glint);
    });
    fill(image, atlas::jetpack::frame, [&](float u, float v) {
        return metal(u, v, { 64, 66, 72 }, 0.1f, 253);
    });
    fill(image, atlas::jetpack::nozzle, [&](float u, float v) {
        const Rgb soot = shade({ 56, 50, 46 }, grain(u, v, 254));
        return mix(soot, Rgb { 150, 92, 60 }, 0.7f * smoothstep(0.4f, 1.0f, v));
    });
    fill(image, atlas::jetpack::strap, [&](float u, float v) {
        const bool stitch
            = (std::abs(u - 0.15f) < 0.03f || std::abs(u - 0.85f) < 0.03f) && std::fmod(v, 0.125f) < 0.07f;
        return stitch ? Rgb { 150, 150, 150 } : shade({ 36, 36, 40 }, grain(u, v, 255));
    });
    return image;
}

Image sign()
{
    Image image(atlas::sign::size, atlas::sign::size, 3);
    const Rgb ink { 60, 24, 16 };
    fill(image, atlas::sign::board, [&](float u, float v) {
        if (u < 0.03f || u > 0.97f || v < 0.06f || v > 0.94f)
            return shade({ 96, 66, 40 }, grain(u, v, 261));
        Rgb c = planks(u, v, { 156, 114, 66 }, 3, 262);
        // A pyramid, stepped, and an arrow pointing the way to it.
        const float half = (0.82f - v) * 0.5f;
        if (v > 0.2f && v < 0.82f && std::abs(u - 0.28f) < half) {
            const bool edge = std::abs(u - 0.28f) > half - 0.015f || v < 0.225f;
            const bool step = std::fmod(v - 0.2f, 0.1f) < 0.015f;
            c = edge ? ink : (step ? Rgb { 176, 136, 70 } : shade({ 224, 188, 112 }, grain(u, v, 263)));
        }
        if (std::hypot((u - 0.47f) * 2.0f, v - 0.8f) < 0.08f)
            c = { 232, 228, 200 };
        if ((u > 0.56f && u < 0.8f && std::abs(v - 0.5f) < 0.07f)
            || (u >= 0.8f && std::abs(v - 0.5f) < (0.93f - u) * 2.0f))
            c = shade({ 150, 36, 24 }, grain(u, v, 264));
        return c;
    });
    fill(image, atlas::sign::wood, [&](float u, float v) { return planks(u, v, { 140, 100, 60 }, 3, 265); });
    fill(image, atlas::sign::post, [&](float u, float v) {
        const float line = 0.5f + 0.5f * std::sin(u * kTau * 5.0f + noise(u, v, 4, 266) * 6.0f);
        return shade({ 112, 80, 50 }, (0.8f + 0.3f * line) * grain(u, v, 267));
    });
    return image;
}

Image blastingMachine()
{
    Image image(atlas::machine::size, atlas::machine::size, 3);
    fill(image, atlas::machine::wood, [&](float u, float v) {
        return planks(u, v, { 146, 98, 52 }, 3, 271);
    });
    fill(image, atlas::machine::label, [&](float u, float v) {
        const float border = std::min(std::min(u, 1.0f - u), std::min(v, 1.0f - v));
        if (border < 0.14f)
            return std::fmod(u + v, 0.25f) < 0.125f ? Rgb { 230, 190, 30 } : Rgb { 25, 25, 25 };
        const float angle = std::atan2(v - 0.5f, u - 0.5f);
        const float r = std::hypot(u - 0.5f, v - 0.5f);
        if (r < 0.08f)
            return Rgb { 255, 220, 80 };
        if (r < 0.2f + 0.08f * std::sin(angle * 8.0f))
            return Rgb { 200, 40, 28 };
        return shade({ 214, 196, 130 }, grain(u, v, 272));
    });
    fill(image, atlas::machine::metal, [&](float u, float v) {
        return metal(u, v, { 82, 84, 88 }, 0.2f, 273);
    });
    fill(image, atlas::machine::brass, [&](float u, float v) {
        const float glint = smoothstep(0.15f, 0.0f, std::abs(u - 0.25f));
        return mix(shade({ 186, 146, 60 }, grain(u, v, 274)), Rgb { 250, 225, 150 }, 0.6f * glint);
    });
    return image;
}

Image potion()
{
    Image image(atlas::potion::size, atlas::potion::size, 3);
    fill(image, atlas::potion::bottle, [&](float u, float v) {
        const float line = atlas::potion::liquidLine;
        const float glint = smoothstep(0.05f, 0.0f, std::abs(u - 0.13f));
        Rgb c;
        if (std::abs(v - line) < 0.012f)
            c = { 225, 170, 250 };
        else if (v < line)
            c = mix(Rgb { 112, 26, 150 }, Rgb { 205, 95, 245 }, fractal(u, v, 5, 281));
        else
            c = shade({ 150, 176, 186 }, grain(u, v, 282));
        if (v < line && hash(int(u * 64.0f), int(v * 128.0f), 283) > 0.96f)
            c = { 240, 200, 255 }; // bubbles
        if (v > 0.12f && v < 0.3f && u > 0.62f && u < 0.88f) {
            const bool cross = (std::abs(u - 0.75f) < 0.025f && std::abs(v - 0.21f) < 0.06f)
                || (std::abs(v - 0.21f) < 0.018f && std::abs(u - 0.75f) < 0.07f);
            c = cross ? Rgb { 190, 30, 40 } : Rgb { 226, 212, 172 };
        }
        return mix(c, Rgb { 245, 250, 255 }, 0.8f * glint);
    });
    fill(image, atlas::potion::base, [&](float u, float v) {
        return shade({ 96, 22, 120 }, grain(u, v, 284));
    });
    fill(image, atlas::potion::cork, [&](float u, float v) {
        if (hash(int(u * 32.0f), int(v * 32.0f), 285) > 0.9f)
            return Rgb { 110, 80, 50 };
        return shade({ 186, 146, 96 }, (0.8f + 0.3f * fractal(u, v, 4, 286)) * grain(u, v, 287));
    });
    return image;
}

} // namespace datagen::painters
