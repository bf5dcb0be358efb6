// The drawing toolkit behind the generated textures: noise that must repeat
// exactly over the unit square, a seeded random stream, wrapping canvases,
// and the cairo canvas's pixel conversions.
#include "tools/datagen/CairoCanvas.h"
#include "tools/datagen/Procedural.h"
#include "tools/datagen/TextureSet.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace datagen;

const float kSamples[][2]
    = { { 0.0f, 0.0f }, { 0.13f, 0.77f }, { 0.5f, 0.999f }, { 0.91f, 0.02f }, { 0.37f, 0.41f } };

TEST(DataProcedural, NoiseRepeatsOverTheUnitSquareAndStaysInRange)
{
    for (const auto& s : kSamples) {
        const float u = s[0], v = s[1];
        for (int cells : { 1, 3, 8 }) {
            const float n = tileNoise(u, v, cells, 7);
            EXPECT_GE(n, 0.0f);
            EXPECT_LE(n, 1.0f);
            EXPECT_NEAR(n, tileNoise(u + 1, v, cells, 7), 1e-4f);
            EXPECT_NEAR(n, tileNoise(u, v - 1, cells, 7), 1e-4f);
            EXPECT_NEAR(n, tileNoise(u - 2, v + 3, cells, 7), 1e-4f);
        }
        const float f = tileFbm(u, v, 2, 16, 4, 11);
        EXPECT_GE(f, 0.0f);
        EXPECT_LE(f, 1.0f);
        EXPECT_NEAR(f, tileFbm(u + 1, v + 1, 2, 16, 4, 11), 1e-4f);
        EXPECT_NEAR(f, tileFbm(u - 1, v, 2, 16, 4, 11), 1e-4f);
    }
}

TEST(DataProcedural, NoiseIsSmoothAndDependsOnItsSeed)
{
    int differing = 0;
    for (int i = 0; i < 200; ++i) {
        const float u = i / 200.0f, v = std::fmod(i * 0.618f, 1.0f);
        EXPECT_LT(std::fabs(tileNoise(u, v, 6, 3) - tileNoise(u + 1e-3f, v, 6, 3)), 0.05f);
        differing += std::fabs(tileNoise(u, v, 6, 3) - tileNoise(u, v, 6, 4)) > 0.01f;
    }
    EXPECT_GT(differing, 150);
}

TEST(DataProcedural, CellNoiseRepeatsAndOrdersItsDistances)
{
    for (const auto& s : kSamples) {
        const CellSample a = tileCells(s[0], s[1], 5, 21);
        const CellSample b = tileCells(s[0] + 1, s[1] - 1, 5, 21);
        EXPECT_NEAR(a.f1, b.f1, 1e-4f);
        EXPECT_NEAR(a.f2, b.f2, 1e-4f);
        EXPECT_EQ(a.id, b.id);
        EXPECT_LE(a.f1, a.f2);
        EXPECT_LT(a.f1, 1.5f); // a feature point lies in every cell
    }
}

TEST(DataProcedural, RandomStreamIsSeededAndUniform)
{
    Rng a(42), b(42), c(43);
    int same = 0;
    double sum = 0;
    for (int i = 0; i < 10000; ++i) {
        const uint32_t x = a.next();
        EXPECT_EQ(x, b.next());
        same += x == c.next();
        const float f = a.uniform();
        b.uniform();
        EXPECT_GE(f, 0.0f);
        EXPECT_LT(f, 1.0f);
        sum += f;
        const int k = a.below(7);
        b.below(7);
        EXPECT_GE(k, 0);
        EXPECT_LT(k, 7);
    }
    EXPECT_LT(same, 5);
    EXPECT_NEAR(sum / 10000, 0.5, 0.02);
}

TEST(DataProcedural, WrappedOffsetsTakeTheShortWayRound)
{
    EXPECT_FLOAT_EQ(wrapDelta(63, 1, 64), -2);
    EXPECT_FLOAT_EQ(wrapDelta(1, 63, 64), 2);
    EXPECT_FLOAT_EQ(wrapDelta(10, 4, 64), 6);
    EXPECT_FLOAT_EQ(wrap01(-0.25f), 0.75f);
}

TEST(DataProcedural, CanvasShapesWrapAcrossItsEdges)
{
    const Rgb white { 1, 1, 1 };
    Canvas canvas(16, 16);
    canvas.disc(0.0f, 0.0f, 2.0f, white);
    // The disc centred on the corner shows in all four corners.
    EXPECT_GT(canvas.at(0, 0).r, 0.9f);
    EXPECT_GT(canvas.at(15, 15).r, 0.9f);
    EXPECT_GT(canvas.at(15, 0).r, 0.9f);
    EXPECT_GT(canvas.at(0, 15).r, 0.9f);
    EXPECT_LT(canvas.at(8, 8).r, 0.01f);

    Canvas lines(16, 16);
    lines.line(12, 8.5f, 20, 8.5f, 1.0f, white); // runs off the right edge
    EXPECT_GT(lines.at(14, 8).r, 0.9f);
    EXPECT_GT(lines.at(2, 8).r, 0.9f);
    EXPECT_LT(lines.at(8, 8).r, 0.01f);

    Canvas out(2, 1);
    out.at(0, 0) = { 1.5f, -0.2f, 0.5f };
    const Image image = out.toImage();
    EXPECT_EQ(image.at(0, 0)[0], 255);
    EXPECT_EQ(image.at(0, 0)[1], 0);
    EXPECT_EQ(image.at(0, 0)[2], 128);
}

TEST(DataProcedural, StoredTurnsUndoThemselves)
{
    Image image(3, 2, 4);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = uint8_t(i);
    const Image flipped = applyStorage(image, Storage::FlippedVertically);
    EXPECT_EQ(flipped.at(0, 0)[0], image.at(0, 1)[0]);
    EXPECT_EQ(flipped.at(2, 1)[3], image.at(2, 0)[3]);
    const Image turned = applyStorage(image, Storage::Rotated180);
    EXPECT_EQ(turned.at(0, 0)[1], image.at(2, 1)[1]);
    EXPECT_EQ(turned.at(2, 1)[2], image.at(0, 0)[2]);
    EXPECT_EQ(applyStorage(flipped, Storage::FlippedVertically).pixels, image.pixels);
    EXPECT_EQ(applyStorage(turned, Storage::Rotated180).pixels, image.pixels);
    EXPECT_EQ(applyStorage(image, Storage::AsShown).pixels, image.pixels);
}

TEST(DataProcedural, CairoPixelsComeOutStraightAndRepeatable)
{
    auto draw = [] {
        CairoCanvas canvas(64, 24);
        canvas.setColour({ 1, 0, 0 }, 0.5);
        cairo_rectangle(canvas.cr(), 0, 0, 8, 8);
        cairo_fill(canvas.cr());
        canvas.setFont(18);
        canvas.setColour({ 1, 1, 1 });
        cairo_move_to(canvas.cr(), 10, 18);
        cairo_show_text(canvas.cr(), "Moss");
        return canvas.toRgba({ 0, 0.5f, 0 });
    };
    const Image first = draw();
    // Half-covered red stays pure red with half alpha, not a dark red.
    EXPECT_EQ(first.at(2, 2)[0], 255);
    EXPECT_EQ(first.at(2, 2)[1], 0);
    EXPECT_NEAR(first.at(2, 2)[3], 128, 1);
    // Untouched pixels carry the matte colour, fully transparent.
    EXPECT_EQ(first.at(63, 0)[1], 128);
    EXPECT_EQ(first.at(63, 0)[3], 0);
    int inked = 0;
    for (int y = 0; y < first.height; ++y)
        for (int x = 10; x < first.width; ++x)
            inked += first.at(x, y)[3] > 128;
    EXPECT_GT(inked, 20);
    EXPECT_EQ(draw().pixels, first.pixels);
    releaseFontCaches();
}

TEST(DataProcedural, CairoOverlayAndPasteKeepColours)
{
    CairoCanvas canvas(32, 16);
    canvas.overlay(4, [](int, int) { return CairoCanvas::Tint { { 0.2f, 0.4f, 0.6f }, 1.0f }; });
    Image small(2, 1, 3);
    small.pixels = { 255, 0, 0, 0, 0, 255 };
    canvas.paste(small, 16, 0, 4); // two 4 x 4 blocks
    const Image out = canvas.toRgb();
    EXPECT_NEAR(out.at(5, 12)[0], 51, 1);
    EXPECT_NEAR(out.at(5, 12)[1], 102, 1);
    EXPECT_NEAR(out.at(5, 12)[2], 153, 1);
    EXPECT_EQ(out.at(19, 3)[0], 255);
    EXPECT_EQ(out.at(20, 0)[2], 255);
    EXPECT_EQ(out.at(20, 0)[0], 0);
    EXPECT_NEAR(out.at(24, 0)[2], 153, 1); // beyond the pasted picture
}

} // namespace
