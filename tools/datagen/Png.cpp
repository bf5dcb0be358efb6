#include "tools/datagen/DataGen.h"

#include <cstdio>
#include <png.h>

namespace datagen {

bool writePng(const std::filesystem::path& path, const Image& image)
{
    if (image.channels != 3 && image.channels != 4) {
        std::fprintf(stderr, "datagen: %s: unsupported channel count %d\n", path.c_str(), image.channels);
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec) {
        std::fprintf(stderr, "datagen: %s: %s\n", path.parent_path().c_str(), ec.message().c_str());
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::perror(path.c_str());
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        std::fprintf(stderr, "datagen: %s: PNG encoding failed\n", path.c_str());
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, image.width, image.height, 8,
                 image.channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t stride = size_t(image.width) * image.channels;
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, const_cast<png_bytep>(image.pixels.data() + stride * y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

} // namespace datagen
