#include "render/PngImage.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <png.h>

namespace {

struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t offset;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length)
{
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->offset)
        png_error(png, "Read Error");
    std::memcpy(out, reader->data + reader->offset, length);
    reader->offset += length;
}

// Runs libpng on prepared structures. Kept free of C++ objects with
// destructors: a libpng error leaves this function through longjmp.
bool readWithLibpng(png_structp png, png_infop info, int maxSide)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_user_limits(png, png_uint_32(maxSide), png_uint_32(maxSide));
    // Skip every ancillary chunk except transparency: none of them changes
    // the decoded pixels, and a text or profile chunk that claims a huge
    // length would otherwise make libpng allocate that much before it finds
    // the file is short.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_png(png, info, PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_PACKING | PNG_TRANSFORM_EXPAND, nullptr);
    return true;
}

void copyRows(png_structp png, png_infop info, bool flip, PngImage& image)
{
    image.width = int(png_get_image_width(png, info));
    image.height = int(png_get_image_height(png, info));
    image.bitDepth = png_get_bit_depth(png, info);
    image.colorType = png_get_color_type(png, info);
    image.channels = png_get_channels(png, info);
    image.rowBytes = png_get_rowbytes(png, info);
    image.pixels.resize(image.rowBytes * size_t(image.height));
    png_bytepp rows = png_get_rows(png, info);
    for (int y = 0; y < image.height; ++y) {
        int source = flip ? image.height - 1 - y : y;
        std::memcpy(image.pixels.data() + image.rowBytes * size_t(y), rows[source], image.rowBytes);
    }
}

// Creates the read structures, lets `attach` set up the input and decodes.
template <typename Attach> bool decode(bool flip, PngImage& image, int maxSide, Attach attach)
{
    image = PngImage();
    if (maxSide <= 0)
        return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    attach(png);
    bool ok = readWithLibpng(png, info, maxSide);
    if (ok)
        copyRows(png, info, flip, image);
    png_destroy_read_struct(&png, &info, nullptr);
    return ok;
}

uint8_t* pixelAt(std::vector<uint8_t>& pixels, size_t index, int channels)
{
    return pixels.data() + index * size_t(channels);
}

} // namespace

bool decodePng(const std::string& path, bool flip, PngImage& image, int maxSide)
{
    image = PngImage();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    bool ok = decode(flip, image, maxSide, [file](png_structp png) { png_init_io(png, file); });
    std::fclose(file);
    return ok;
}

bool decodePngBytes(const uint8_t* data, size_t size, bool flip, PngImage& image, int maxSide)
{
    MemoryReader reader { data, data ? size : 0, 0 };
    return decode(
        flip, image, maxSide, [&reader](png_structp png) { png_set_read_fn(png, &reader, readFromMemory); });
}

bool convertToChannels(PngImage& image, int channels)
{
    if ((channels != 3 && channels != 4) || image.bitDepth != 8 || image.channels < 1 || image.channels > 4)
        return false;
    if (image.channels == channels)
        return true;
    const size_t count = size_t(image.width) * size_t(image.height);
    const int from = image.channels;
    const bool sourceAlpha = from == 2 || from == 4;
    std::vector<uint8_t> out(count * size_t(channels));
    for (size_t y = 0; y < size_t(image.height); ++y) {
        const uint8_t* row = image.pixels.data() + y * image.rowBytes;
        for (size_t x = 0; x < size_t(image.width); ++x) {
            const uint8_t* in = row + x * size_t(from);
            uint8_t* px = pixelAt(out, y * size_t(image.width) + x, channels);
            if (from <= 2) {
                px[0] = px[1] = px[2] = in[0];
            } else {
                px[0] = in[0];
                px[1] = in[1];
                px[2] = in[2];
            }
            if (channels == 4)
                px[3] = sourceAlpha ? in[from - 1] : 255;
        }
    }
    image.pixels = std::move(out);
    image.channels = channels;
    image.rowBytes = size_t(image.width) * size_t(channels);
    image.colorType = channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    return true;
}

namespace {

// As for reading: no C++ object with a destructor may live in the frame libpng
// leaves through longjmp.
bool writeWithLibpng(png_structp png, png_infop info, FILE* file, int width, int height, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
        PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

} // namespace

bool encodePngRgb(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb,
    bool bottomFirst, std::string& why)
{
    const size_t stride = size_t(width) * 3;
    if (width <= 0 || height <= 0 || rgb.size() < stride * size_t(height)) {
        why = "no pixels to write";
        return false;
    }
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const int source = bottomFirst ? height - 1 - y : y;
        rows[size_t(y)] = const_cast<png_bytep>(rgb.data() + stride * size_t(source));
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        why = std::strerror(errno);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool written = png && info && writeWithLibpng(png, info, file, width, height, rows.data());
    png_destroy_write_struct(&png, &info);
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        why = "the PNG could not be written (disk full?)";
        std::remove(path.c_str());
        return false;
    }
    return true;
}
