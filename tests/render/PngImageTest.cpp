// PNG decoding: the libpng transforms, the row flip, layout conversion and
// clean failures on damaged files.
#include "render/PngImage.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

namespace {

PngImage decodeBytes(const std::vector<uint8_t>& bytes, bool flip = true, int maxSide = DEFAULT_PNG_MAX_SIDE)
{
    PngImage image;
    EXPECT_TRUE(decodePngBytes(bytes.data(), bytes.size(), flip, image, maxSide));
    return image;
}

const uint8_t* pixel(const PngImage& image, int x, int row)
{
    return image.pixels.data() + size_t(row) * image.rowBytes + size_t(x) * size_t(image.channels);
}

// Rewrites the size in the header chunk and its checksum.
std::vector<uint8_t> withDeclaredSize(std::vector<uint8_t> bytes, uint32_t width, uint32_t height)
{
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + size_t(i)] = uint8_t(v >> (24 - 8 * i));
    };
    put(16, width);
    put(20, height);
    put(29, uint32_t(crc32(0, bytes.data() + 12, 17)));
    return bytes;
}

// Inserts a chunk before the final IEND; `declared` overrides the length
// field so a chunk can claim more data than the file holds.
std::vector<uint8_t> withChunkBeforeEnd(
    std::vector<uint8_t> bytes, const std::string& type, const std::string& data, uint32_t declared)
{
    std::vector<uint8_t> chunk;
    for (int i = 0; i < 4; ++i)
        chunk.push_back(uint8_t(declared >> (24 - 8 * i)));
    chunk.insert(chunk.end(), type.begin(), type.end());
    chunk.insert(chunk.end(), data.begin(), data.end());
    uint32_t crc = uint32_t(crc32(0, chunk.data() + 4, uInt(chunk.size() - 4)));
    for (int i = 0; i < 4; ++i)
        chunk.push_back(uint8_t(crc >> (24 - 8 * i)));
    bytes.insert(bytes.end() - 12, chunk.begin(), chunk.end());
    return bytes;
}

} // namespace

TEST(PngImageTest, RgbAndRgbaRowsComeBottomFirstWhenFlipped)
{
    for (int channels : { 3, 4 }) {
        SCOPED_TRACE(channels);
        std::vector<uint8_t> bytes = encodePng(patternPng(3, 5, channels));
        PngImage flipped = decodeBytes(bytes, true);
        EXPECT_EQ(flipped.width, 3);
        EXPECT_EQ(flipped.height, 5);
        EXPECT_EQ(flipped.bitDepth, 8);
        EXPECT_EQ(flipped.channels, channels);
        EXPECT_EQ(flipped.rowBytes, size_t(3 * channels));
        ASSERT_EQ(flipped.pixels.size(), size_t(3 * 5 * channels));
        PngImage upright = decodeBytes(bytes, false);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 3; ++x)
                for (int c = 0; c < channels; ++c) {
                    EXPECT_EQ(pixel(upright, x, y)[c], patternValue(x, y, c));
                    EXPECT_EQ(pixel(flipped, x, 4 - y)[c], patternValue(x, y, c));
                }
    }
}

TEST(PngImageTest, SixteenBitChannelsAreStrippedToTheirHighByte)
{
    TestPng png;
    png.width = 2;
    png.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    png.bitDepth = 16;
    png.samples
        = { 0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x00, 0x80, 0x7F, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08 };
    PngImage image = decodeBytes(encodePng(png));
    EXPECT_EQ(image.bitDepth, 8);
    EXPECT_EQ(image.channels, 4);
    // Stripping keeps the high byte rather than rounding.
    EXPECT_EQ(image.pixels, (std::vector<uint8_t> { 0x12, 0xAB, 0xFF, 0x80, 0x01, 0x03, 0x05, 0x07 }));
}

TEST(PngImageTest, PaletteExpandsToRgbAndTransparencyToAlpha)
{
    TestPng png;
    png.width = 4;
    png.colorType = PNG_COLOR_TYPE_PALETTE;
    png.bitDepth = 2; // four two-bit indexes packed into one byte
    png.palette = { 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120 };
    png.samples = { 0b00'01'10'11 };
    PngImage rgb = decodeBytes(encodePng(png));
    EXPECT_EQ(rgb.colorType, PNG_COLOR_TYPE_RGB);
    EXPECT_EQ(rgb.bitDepth, 8);
    EXPECT_EQ(rgb.pixels, (std::vector<uint8_t> { 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120 }));

    png.transparency = { 0, 128 };
    PngImage rgba = decodeBytes(encodePng(png));
    EXPECT_EQ(rgba.colorType, PNG_COLOR_TYPE_RGB_ALPHA);
    EXPECT_EQ(rgba.pixels,
        (std::vector<uint8_t> { 10, 20, 30, 0, 40, 50, 60, 128, 70, 80, 90, 255, 100, 110, 120, 255 }));
}

TEST(PngImageTest, LowDepthGreyExpandsToEightBits)
{
    TestPng png;
    png.width = 8;
    png.colorType = PNG_COLOR_TYPE_GRAY;
    png.bitDepth = 1;
    png.samples = { 0b1010'0001 };
    PngImage one = decodeBytes(encodePng(png));
    EXPECT_EQ(one.channels, 1);
    EXPECT_EQ(one.pixels, (std::vector<uint8_t> { 255, 0, 255, 0, 0, 0, 0, 255 }));

    png.width = 2;
    png.bitDepth = 4;
    png.samples = { 0x3F };
    EXPECT_EQ(decodeBytes(encodePng(png)).pixels, (std::vector<uint8_t> { 0x33, 0xFF }));
}

TEST(PngImageTest, GreyAlphaAndInterlacedImages)
{
    TestPng grey;
    grey.width = 2;
    grey.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    grey.samples = { 1, 2, 3, 4 };
    PngImage image = decodeBytes(encodePng(grey));
    EXPECT_EQ(image.channels, 2);
    EXPECT_EQ(image.pixels, grey.samples);

    TestPng interlaced = patternPng(9, 9, 3);
    interlaced.interlaced = true;
    TestPng plain = patternPng(9, 9, 3);
    EXPECT_EQ(decodeBytes(encodePng(interlaced)).pixels, decodeBytes(encodePng(plain)).pixels);
}

TEST(PngImageTest, ConvertsToTheLayoutAnUploadExpects)
{
    TestPng grey;
    grey.width = 2;
    grey.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    grey.samples = { 10, 20, 30, 40 };
    PngImage image = decodeBytes(encodePng(grey));
    ASSERT_TRUE(convertToChannels(image, 4));
    EXPECT_EQ(image.pixels, (std::vector<uint8_t> { 10, 10, 10, 20, 30, 30, 30, 40 }));
    EXPECT_EQ(image.rowBytes, 8u);
    EXPECT_EQ(image.colorType, PNG_COLOR_TYPE_RGB_ALPHA);
    ASSERT_TRUE(convertToChannels(image, 3));
    EXPECT_EQ(image.pixels, (std::vector<uint8_t> { 10, 10, 10, 30, 30, 30 }));
    EXPECT_EQ(image.channels, 3);

    PngImage rgb = decodeBytes(encodePng(patternPng(3, 2, 3)));
    ASSERT_TRUE(convertToChannels(rgb, 4));
    EXPECT_EQ(rgb.pixels.size(), 3u * 2u * 4u);
    EXPECT_EQ(rgb.pixels[3], 255);
    EXPECT_EQ(rgb.pixels[4], patternValue(1, 1, 0)); // bottom row first

    EXPECT_FALSE(convertToChannels(rgb, 2));
    PngImage empty;
    EXPECT_FALSE(convertToChannels(empty, 3));
}

TEST(PngImageTest, DamagedFilesFailCleanly)
{
    std::vector<uint8_t> good = encodePng(patternPng(16, 16, 4));
    PngImage image;
    // Cut at every length: header, inside IHDR, inside IDAT, before IEND.
    for (size_t length :
        { size_t(0), size_t(4), size_t(8), size_t(20), size_t(40), good.size() / 2, good.size() - 13 }) {
        SCOPED_TRACE(length);
        EXPECT_FALSE(decodePngBytes(good.data(), length, true, image));
        EXPECT_TRUE(image.pixels.empty());
        EXPECT_EQ(image.width, 0);
    }
    std::vector<uint8_t> corrupt = good;
    corrupt[good.size() / 2] ^= 0xFF; // breaks the IDAT checksum
    EXPECT_FALSE(decodePngBytes(corrupt.data(), corrupt.size(), true, image));
    EXPECT_FALSE(decodePngBytes(nullptr, 100, true, image));

    TempDir dir;
    EXPECT_FALSE(decodePng((dir.path() / "missing.png").string(), true, image));
    EXPECT_FALSE(decodePng(dir.write("text.png", "not a png at all"), true, image));
    EXPECT_FALSE(decodePng(dir.path().string(), true, image)); // a folder
}

TEST(PngImageTest, ImagesBeyondTheSizeLimitAreRefusedBeforeDecoding)
{
    std::vector<uint8_t> wide = encodePng(patternPng(33, 2, 3));
    PngImage image;
    EXPECT_FALSE(decodePngBytes(wide.data(), wide.size(), true, image, 32));
    EXPECT_TRUE(decodePngBytes(wide.data(), wide.size(), true, image, 33));
    std::vector<uint8_t> tall = encodePng(patternPng(2, 40, 3));
    EXPECT_FALSE(decodePngBytes(tall.data(), tall.size(), true, image, 32));
    EXPECT_FALSE(decodePngBytes(tall.data(), tall.size(), true, image, 0));

    // A header that claims a giant image fails on its size, not on memory.
    std::vector<uint8_t> giant = withDeclaredSize(wide, 1000000, 1000000);
    EXPECT_FALSE(decodePngBytes(giant.data(), giant.size(), true, image));
    std::vector<uint8_t> same = withDeclaredSize(wide, 33, 2);
    EXPECT_EQ(same, wide);
}

TEST(PngImageTest, TextChunksAreSkippedEvenWhenTheyClaimHugeLengths)
{
    std::vector<uint8_t> plain = encodePng(patternPng(4, 4, 3));
    const std::string text = std::string("Comment\0", 8) + "made by a test";
    PngImage expected = decodeBytes(plain);
    EXPECT_EQ(
        decodeBytes(withChunkBeforeEnd(plain, "tEXt", text, uint32_t(text.size()))).pixels, expected.pixels);

    // A short file whose text chunk claims 1.6 GB fails at once instead of
    // allocating what the chunk claims.
    std::vector<uint8_t> lying = withChunkBeforeEnd(plain, "tEXt", text, 0x63000000u);
    PngImage image;
    EXPECT_FALSE(decodePngBytes(lying.data(), lying.size(), true, image));
    EXPECT_TRUE(image.pixels.empty());
}
