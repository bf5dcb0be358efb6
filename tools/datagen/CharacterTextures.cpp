// Textures of living things and what they wear: the cat's fur and face,
// Death's robe, skull and scythe, the player's skin and gloves, the fish and
// the ball of wool.
#include "tools/datagen/ModelAtlas.h"
#include "tools/datagen/Paint.h"
#include "tools/datagen/TexturePainters.h"

#include <cmath>

namespace datagen::painters {

using namespace paint;

namespace {

constexpr float kTau = 6.2831853f;

// Fine grain that keeps flat colours from looking plastic.
float grain(float u, float v, uint32_t seed)
{
    return 0.9f + 0.2f * noise(u, v, 24, seed);
}

bool inEllipse(float u, float v, float cu, float cv, float ru, float rv)
{
    const float du = (u - cu) / ru;
    const float dv = (v - cv) / rv;
    return du * du + dv * dv < 1.0f;
}

// A cat's eye: green iris, slit pupil, dark rim and a glint.
Rgb catEye(float u, float v, float cu, float cv, Rgb around)
{
    if (!inEllipse(u, v, cu, cv, 0.13f, 0.11f))
        return around;
    if (!inEllipse(u, v, cu, cv, 0.11f, 0.09f))
        return { 40, 25, 15 };
    if (inEllipse(u, v, cu + 0.035f, cv + 0.035f, 0.022f, 0.022f))
        return { 250, 250, 240 };
    if (inEllipse(u, v, cu, cv, 0.025f, 0.085f))
        return { 10, 10, 10 };
    return mix({ 120, 180, 40 }, { 220, 210, 70 }, 1.0f - std::abs(v - cv) / 0.09f);
}

} // namespace

Image cat()
{
    const Rgb orange { 214, 128, 52 }, stripe { 140, 66, 24 }, cream { 238, 222, 192 },
        pink { 226, 140, 150 };
    Image image(atlas::cat::size, atlas::cat::size, 3);
    auto fur = [&](float u, float v, uint32_t seed) {
        return shade(orange, (0.85f + 0.25f * fractal(u, v, 6, seed)) * grain(u, v, seed + 7));
    };
    fill(image, atlas::cat::fur, [&](float u, float v) {
        const float band = 0.5f + 0.5f * std::sin(v * kTau * 7.0f + fractal(u, v, 6, 3) * 4.0f);
        Rgb c = mix(fur(u, v, 1), stripe, 0.85f * smoothstep(0.55f, 0.75f, band));
        return mix(c, cream, smoothstep(0.2f, 0.05f, std::abs(u - 0.25f)));
    });
    fill(image, atlas::cat::furPlain, [&](float u, float v) { return fur(u, v, 5); });
    fill(image, atlas::cat::face, [&](float u, float v) {
        Rgb c = fur(u, v, 9);
        // Tabby marks on the forehead and pale cheeks.
        for (float x : { 0.42f, 0.5f, 0.58f })
            if (v > 0.78f && std::abs(u - x) < 0.022f)
                c = mix(c, stripe, 0.9f);
        c = mix(c, cream, smoothstep(0.4f, 0.1f, v) * smoothstep(0.5f, 0.2f, std::abs(u - 0.5f)));
        c = catEye(u, v, 0.29f, 0.56f, c);
        return catEye(u, v, 0.71f, 0.56f, c);
    });
    fill(image, atlas::cat::muzzle, [&](float u, float v) {
        const float du = std::abs(u - 0.5f);
        if (v > 0.55f && du < (v - 0.55f) * 0.7f)
            return Rgb { 205, 110, 120 };
        const bool mouth = (du < 0.025f && v > 0.32f && v <= 0.55f)
            || (du < 0.22f && std::abs(v - (0.34f - 4.0f * (du - 0.11f) * (du - 0.11f) + 0.05f)) < 0.03f);
        if (mouth)
            return Rgb { 70, 40, 35 };
        for (float x : { 0.18f, 0.26f, 0.74f, 0.82f })
            if (inEllipse(u, v, x, 0.5f - std::abs(x - 0.5f) * 0.4f, 0.025f, 0.03f))
                return Rgb { 90, 60, 45 };
        return shade(cream, grain(u, v, 13));
    });
    fill(image, atlas::cat::earInner, [&](float u, float v) {
        const bool inner = v > 0.08f && std::abs(u - 0.5f) < 0.5f * (1.0f - v) - 0.1f;
        return inner ? shade(pink, grain(u, v, 17)) : fur(u, v, 19);
    });
    fill(image, atlas::cat::paw, [&](float u, float v) { return shade(cream, grain(u, v, 21)); });
    fill(image, atlas::cat::cream, [&](float u, float v) { return shade(cream, grain(u, v, 23)); });
    return image;
}

Image death()
{
    const Rgb cloth { 40, 35, 50 }, bone { 218, 207, 178 };
    Image image(atlas::death::size, atlas::death::size, 3);
    fill(image, atlas::death::robe, [&](float u, float v) {
        const float fold = 0.5f + 0.5f * std::sin(u * kTau * 10.0f + fractal(u, v, 4, 31) * 5.0f);
        const float wear = smoothstep(0.6f, 0.8f, fractal(u, v, 8, 37));
        return shade(cloth, (0.6f + 0.55f * fold) * (1.0f - 0.3f * wear) * grain(u, v, 33));
    });
    fill(image, atlas::death::shadow, [](float, float) { return Rgb { 8, 6, 10 }; });
    auto boneAt = [&](float u, float v, uint32_t seed) {
        const float crack = std::abs(fractal(u, v, 5, seed) - 0.5f) < 0.012f ? 0.6f : 1.0f;
        return shade(bone, (0.82f + 0.25f * fractal(u, v, 4, seed + 1)) * crack);
    };
    fill(image, atlas::death::bone, [&](float u, float v) { return boneAt(u, v, 41); });
    fill(image, atlas::death::skull, [&](float u, float v) {
        Rgb c = boneAt(u, v, 45);
        for (float x : { 0.41f, 0.59f }) {
            if (inEllipse(u, v, x, 0.56f, 0.075f, 0.1f))
                c = shade(c, 0.65f); // the brow's shadow round each socket
            if (inEllipse(u, v, x, 0.56f, 0.055f, 0.08f))
                c = inEllipse(u, v, x, 0.55f, 0.017f, 0.022f) ? Rgb { 255, 70, 30 } : Rgb { 15, 10, 10 };
        }
        const float du = std::abs(u - 0.5f);
        if (v > 0.38f && v < 0.47f && du < (v - 0.38f) * 0.45f)
            c = { 25, 18, 16 };
        if (v > 0.2f && v < 0.31f && du < 0.09f) {
            const bool gap = std::abs(v - 0.255f) < 0.01f || std::fmod(u + 0.0125f, 0.025f) < 0.005f;
            c = gap ? Rgb { 40, 30, 25 } : Rgb { 232, 224, 200 };
        }
        return c;
    });
    fill(image, atlas::death::wood, [&](float u, float v) {
        const float line = 0.5f + 0.5f * std::sin(u * kTau * 6.0f + noise(u, v, 4, 51) * 6.0f);
        return shade(Rgb { 92, 62, 38 }, (0.75f + 0.35f * line) * grain(u, v, 53));
    });
    fill(image, atlas::death::blade, [&](float u, float v) {
        Rgb c = shade(Rgb { 118, 122, 128 }, 0.85f + 0.3f * fractal(u, v, 6, 61));
        c = mix(c, Rgb { 215, 220, 228 }, smoothstep(0.3f, 0.1f, v));
        if (fractal(u, v, 8, 63) > 0.74f)
            c = mix(c, Rgb { 110, 58, 30 }, 0.5f);
        return c;
    });
    return image;
}

Image player()
{
    const Rgb skin { 226, 175, 140 };
    Image image(atlas::player::size, atlas::player::size, 3);
    fill(image, atlas::player::skin, [&](float u, float v) {
        return shade(skin, (0.92f + 0.12f * fractal(u, v, 4, 71)) * grain(u, v, 72));
    });
    fill(image, atlas::player::palm, [&](float u, float v) {
        return shade({ 236, 192, 162 }, grain(u, v, 73));
    });
    auto weave = [](float u, float v) { return (int(u * 32.0f) + int(v * 32.0f)) % 2 ? 0.92f : 1.05f; };
    fill(image, atlas::player::sleeve, [&](float u, float v) {
        return shade({ 62, 74, 52 }, weave(u, v) * grain(u, v, 74));
    });
    fill(image, atlas::player::cuff, [&](float u, float v) {
        const bool stitch = std::abs(v - 0.5f) < 0.04f && std::fmod(u, 0.125f) < 0.07f;
        return stitch ? Rgb { 120, 130, 100 } : shade({ 44, 54, 40 }, grain(u, v, 75));
    });
    return image;
}

Image gloves()
{
    const Rgb leather { 98, 63, 36 };
    Image image(atlas::gloves::size, atlas::gloves::size, 3);
    fill(image, atlas::gloves::leather, [&](float u, float v) {
        const bool stitch = std::abs(u - 0.5f) < 0.03f && std::fmod(v, 0.125f) < 0.07f;
        return stitch ? Rgb { 170, 140, 100 }
                      : shade(leather, (0.8f + 0.3f * fractal(u, v, 5, 81)) * grain(u, v, 82));
    });
    fill(image, atlas::gloves::knuckles, [&](float u, float v) {
        Rgb c = shade(leather, 0.75f * grain(u, v, 83));
        for (int k = 0; k < 4; ++k)
            if (inEllipse(u, v, 0.125f + 0.25f * float(k), 0.62f, 0.09f, 0.12f))
                c = shade(leather, 1.05f * grain(u, v, 84));
        return c;
    });
    fill(image, atlas::gloves::sleeve, [&](float u, float v) {
        return shade(
            { 50, 56, 64 }, ((int(u * 32.0f) + int(v * 32.0f)) % 2 ? 0.92f : 1.05f) * grain(u, v, 85));
    });
    fill(image, atlas::gloves::cuff, [&](float u, float v) {
        return shade(
            { 32, 32, 36 }, (0.85f + 0.25f * (0.5f + 0.5f * std::sin(u * kTau * 16.0f))) * grain(u, v, 86));
    });
    return image;
}

Image fish()
{
    const Rgb back { 52, 84, 74 }, flank { 150, 170, 140 }, belly { 228, 226, 210 }, blush { 222, 120, 130 };
    Image image(atlas::fish::size, atlas::fish::size, 3);
    fill(image, atlas::fish::body, [&](float u, float v) {
        const float h = std::cos(kTau * (u - 0.75f)); // 1 on the back, -1 on the belly
        Rgb c = h > 0 ? mix(flank, back, h) : mix(flank, belly, -h);
        c = mix(c, blush, 0.55f * smoothstep(0.25f, 0.05f, std::abs(h)));
        // Small dark spots scattered over the back.
        const float cu = u * 16.0f, cv = v * 12.0f;
        const int iu = int(cu), iv = int(cv);
        const float su = 0.25f + 0.5f * hash(iu, iv, 91), sv = 0.25f + 0.5f * hash(iu, iv, 94);
        if (h > 0.0f && hash(iu, iv, 95) > 0.6f
            && std::hypot(cu - float(iu) - su, cv - float(iv) - sv) < 0.28f)
            c = shade(c, 0.3f);
        if (std::abs(v - 0.22f) < 0.012f && h > -0.6f)
            c = shade(c, 0.6f); // the gill line
        if (v < 0.04f)
            c = shade(c, 0.5f);
        const float scales = 0.96f + 0.04f * std::sin(u * kTau * 20.0f) * std::sin(v * kTau * 14.0f);
        return shade(c, scales * grain(u, v, 92));
    });
    fill(image, atlas::fish::fin, [&](float u, float v) {
        const float ray = std::abs(std::sin(u * kTau * 6.0f)) < 0.2f ? 0.75f : 1.0f;
        return shade({ 196, 150, 124 }, ray * (0.9f + 0.15f * v) * grain(u, v, 93));
    });
    fill(image, atlas::fish::eye, [&](float u, float v) { return shade({ 222, 184, 70 }, grain(u, v, 96)); });
    fill(image, atlas::fish::pupil, [](float, float) { return Rgb { 8, 8, 8 }; });
    return image;
}

Image wool()
{
    Image image(atlas::wool::size, atlas::wool::size, 3);
    // Patches of yarn wound in different directions; u wraps round the ball,
    // so every frequency along u is a whole number.
    const float du[3] = { 6.0f, 5.0f, 3.0f };
    const float dv[3] = { 3.0f, -4.0f, 7.0f };
    fillAll(image, [&](float u, float v) {
        const int patch = std::min(2, int(noise(u, v, 3, 101) * 3.0f));
        const float s = std::sin(kTau * (du[patch] * u + dv[patch] * v) * 2.0f + noise(u, v, 6, 102) * 2.0f);
        const float strand = 0.65f + 0.45f * (1.0f - std::abs(s));
        return shade({ 186, 42, 58 }, strand * grain(u, v, 103));
    });
    return image;
}

} // namespace datagen::painters
