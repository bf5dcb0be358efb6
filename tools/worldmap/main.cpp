// Draws the generated world of a seed from above and counts its features:
//   mossgrave_worldmap <seed> <min-cx> <min-cz> <max-cx> <max-cz> <out.png> [columns-per-pixel]
// An output of "-" skips the image and only prints the counts. The picture
// has a legend strip under the map naming every marker and ground colour.
#include "tools/worldmap/WorldMap.h"
#include "world/WorldGenerator.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>

namespace {

bool parseInt(const char* text, int32_t& out)
{
    const std::string_view s(text);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

int usage(const char* program, const char* problem)
{
    std::fprintf(stderr,
        "%s: %s\nusage: %s <seed> <min-cx> <min-cz> <max-cx> <max-cz> <out.png|-> "
        "[columns-per-pixel: 1 2 4 8 16 32 64 128, default 8]\n",
        program, problem, program);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 7 && argc != 8)
        return usage(argv[0], "wrong number of arguments");
    int32_t seed = 0;
    worldmap::Rect rect;
    worldmap::Options options;
    if (!parseInt(argv[1], seed))
        return usage(argv[0], "the seed must be an integer");
    if (seed == -1)
        return usage(argv[0], "seed -1 stands for a random world; give a fixed seed");
    if (!parseInt(argv[2], rect.minCx) || !parseInt(argv[3], rect.minCz) || !parseInt(argv[4], rect.maxCx)
        || !parseInt(argv[5], rect.maxCz))
        return usage(argv[0], "chunk coordinates must be integers");
    if (rect.maxCx < rect.minCx || rect.maxCz < rect.minCz)
        return usage(argv[0], "the max chunk must not lie below the min chunk");
    int32_t step = options.columnsPerPixel;
    if (argc == 8 && (!parseInt(argv[7], step) || step < 1 || step > 128 || 128 % step != 0))
        return usage(argv[0], "columns per pixel must divide 128");
    options.columnsPerPixel = step;

    const int64_t width = int64_t(rect.chunksX()) * (128 / step),
                  height = int64_t(rect.chunksZ()) * (128 / step);
    const bool drawImage = std::strcmp(argv[6], "-") != 0;
    if (drawImage && (width > 16384 || height > 16384))
        return usage(argv[0], "the image would exceed 16384 pixels a side; use more columns per pixel");

    const WorldGenerator generator(seed);
    const terrain::TerrainSampler sampler = generator.sampler();
    datagen::Image image;
    if (drawImage)
        image = datagen::Image(int(width), int(height), 3);
    const worldmap::FeatureCounts counts
        = worldmap::survey(sampler, rect, options, drawImage ? &image : nullptr);
    std::fputs(worldmap::formatCounts(counts).c_str(), stdout);
    if (drawImage && !datagen::writePng(std::filesystem::absolute(argv[6]), worldmap::withLegend(image)))
        return 1;
    return 0;
}
