#include "TestFiles.h"

#include <atomic>
#include <fstream>
#include <png.h>
#include <unistd.h>

TempDir::TempDir()
{
    static std::atomic<int> counter { 0 };
    root = std::filesystem::temp_directory_path()
        / ("mossgrave-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
}

std::string TempDir::write(const std::string& name, const std::string& text) const
{
    std::filesystem::path file = root / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    return file.string();
}

std::string TempDir::write(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    return write(name, std::string(bytes.begin(), bytes.end()));
}

ScopedWorkingDirectory::ScopedWorkingDirectory(const std::filesystem::path& dir)
    : previous(std::filesystem::current_path())
{
    std::filesystem::current_path(dir);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory()
{
    std::error_code ec;
    std::filesystem::current_path(previous, ec);
}

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) { }

size_t rowBytesOf(const TestPng& want)
{
    int channels = 1;
    if (want.colorType == PNG_COLOR_TYPE_RGB)
        channels = 3;
    else if (want.colorType == PNG_COLOR_TYPE_RGB_ALPHA)
        channels = 4;
    else if (want.colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        channels = 2;
    return (size_t(want.width) * size_t(channels) * size_t(want.bitDepth) + 7) / 8;
}

// No C++ objects with destructors live here: libpng errors leave by longjmp.
bool encodeInto(
    const TestPng& want, std::vector<uint8_t>& out, png_bytepp rows, png_structp png, png_infop info)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_IHDR(png, info, png_uint_32(want.width), png_uint_32(want.height), want.bitDepth, want.colorType,
        want.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
        PNG_FILTER_TYPE_DEFAULT);
    if (!want.palette.empty())
        png_set_PLTE(
            png, info, reinterpret_cast<png_const_colorp>(want.palette.data()), int(want.palette.size() / 3));
    if (!want.transparency.empty())
        png_set_tRNS(png, info, want.transparency.data(), int(want.transparency.size()), nullptr);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

} // namespace

std::vector<uint8_t> encodePng(const TestPng& want)
{
    std::vector<uint8_t> out;
    const size_t rowBytes = rowBytesOf(want);
    if (want.samples.size() < rowBytes * size_t(want.height))
        return out;
    std::vector<png_bytep> rows(size_t(want.height));
    for (size_t y = 0; y < rows.size(); ++y)
        rows[y] = const_cast<png_bytep>(want.samples.data() + y * rowBytes);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || !encodeInto(want, out, rows.data(), png, info))
        out.clear();
    png_destroy_write_struct(&png, &info);
    return out;
}

uint8_t patternValue(int x, int y, int c)
{
    switch (c) {
    case 0:
        return uint8_t(x * 16 + 1);
    case 1:
        return uint8_t(y * 16 + 2);
    case 2:
        return uint8_t(7 + x + y);
    default:
        return uint8_t(200 + y);
    }
}

TestPng patternPng(int width, int height, int channels)
{
    TestPng png;
    png.width = width;
    png.height = height;
    png.colorType = channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c)
                png.samples.push_back(patternValue(x, y, c));
    return png;
}
