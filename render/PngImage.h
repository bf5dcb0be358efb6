#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One decoded PNG. After decoding every sample is 8 bits: 16-bit channels are
// stripped, packed samples unpacked, palettes and transparency expanded.
struct PngImage {
    int width = 0;
    int height = 0;
    int bitDepth = 0;
    int colorType = 0; // PNG_COLOR_TYPE_* of the decoded pixels
    int channels = 0; // 1 grey, 2 grey+alpha, 3 RGB, 4 RGBA
    size_t rowBytes = 0;
    std::vector<uint8_t> pixels; // height rows of rowBytes, bottom row first when flipped
};

// Images wider or taller than this are refused before any pixel memory is
// allocated; texture loaders pass the GL texture size limit instead.
constexpr int DEFAULT_PNG_MAX_SIDE = 16384;

// Decodes a PNG file through libpng with the strip-16, packing and expand
// transforms. With `flip` the bottom row comes first (OpenGL's origin is the
// lower left). Returns false, leaving `image` empty, when the file cannot be
// opened, is not a valid PNG, is truncated, or exceeds `maxSide`; libpng
// describes its own errors on the error stream.
bool decodePng(const std::string& path, bool flip, PngImage& image, int maxSide = DEFAULT_PNG_MAX_SIDE);

// The same for a PNG held in memory.
bool decodePngBytes(
    const uint8_t* data, size_t size, bool flip, PngImage& image, int maxSide = DEFAULT_PNG_MAX_SIDE);

// Rewrites an 8-bit image to `channels` (3 RGB or 4 RGBA) so an upload that
// expects that layout never reads past the pixel buffer: grey is copied to
// all three colours, a missing alpha becomes 255, an extra alpha is dropped.
// Returns false (image unchanged) for other channel counts or bit depths.
bool convertToChannels(PngImage& image, int channels);

// Encodes 8-bit RGB pixels (rows of width * 3 bytes) as a PNG file; with
// `bottomFirst` the rows are in OpenGL's order and are written top row first.
// False, with the reason in `why`, when the file cannot be written.
bool encodePngRgb(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb,
    bool bottomFirst, std::string& why);
