// Feeds arbitrary bytes to the PNG decoder and checks the shape of what it
// returns and of the layouts the texture uploads convert it to.
#include "render/PngImage.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Large enough for every colour type and interlace path, small enough that a
// header claiming a big image cannot exhaust the fuzzer's memory.
constexpr int FUZZ_MAX_SIDE = 1024;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PngImage image;
    if (!decodePngBytes(data, size, true, image, FUZZ_MAX_SIDE)) {
        check(image.pixels.empty() && image.width == 0);
        return 0;
    }
    check(
        image.width > 0 && image.height > 0 && image.width <= FUZZ_MAX_SIDE && image.height <= FUZZ_MAX_SIDE);
    check(image.bitDepth == 8 && image.channels >= 1 && image.channels <= 4);
    check(image.rowBytes == size_t(image.width) * size_t(image.channels));
    check(image.pixels.size() == image.rowBytes * size_t(image.height));
    for (int channels : { 4, 3 }) {
        check(convertToChannels(image, channels));
        check(image.pixels.size() == size_t(image.width) * size_t(image.height) * size_t(channels));
    }
    return 0;
}
