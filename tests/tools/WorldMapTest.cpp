#include "tools/worldmap/WorldMap.h"
#include "world/WorldGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

using namespace terrain;

TEST(WorldMap, EveryPlacingCodeHasItsOwnMarkerColour)
{
    std::set<uint32_t> colours;
    for (int code = 0; code < 30; ++code) {
        uint8_t rgb[3];
        const bool marked = worldmap::markerColor(code, rgb);
        EXPECT_EQ(marked, placementOf(code) != Placement::Nothing) << code;
        if (marked) {
            EXPECT_TRUE(colours.insert(rgb[0] << 16 | rgb[1] << 8 | rgb[2]).second) << code;
        }
    }
    EXPECT_EQ(colours.size(), 10u);

    // Ground: sand and grass differ, lower is darker.
    uint8_t sandLow[3], sandHigh[3], grass[3];
    worldmap::groundColor(CODE_DESERT, 0, sandLow);
    worldmap::groundColor(CODE_CACTUS, 30, sandHigh);
    worldmap::groundColor(CODE_FOREST, 30, grass);
    EXPECT_LT(sandLow[0], sandHigh[0]);
    EXPECT_GT(sandHigh[0], grass[0]);
}

// Each pixel shows the column at its top left corner, unless a marker covers
// it; each structure's own pixel shows its marker.
TEST(WorldMap, DrawsGroundAndMarkersOfTheGeneratorsColumns)
{
    const WorldGenerator generator(42);
    const TerrainSampler sampler = generator.sampler();
    const worldmap::Rect rect { 2, -4, 3, -3 }; // desert with cacti beside forest
    worldmap::Options options;
    options.columnsPerPixel = 4;
    datagen::Image image(64, 64, 3);
    const worldmap::FeatureCounts counts = worldmap::survey(sampler, rect, options, &image);

    std::vector<std::unique_ptr<ChunkColumns>> chunks;
    std::vector<bool> marked(64 * 64);
    int sites = 0;
    for (int32_t cz = rect.minCz; cz <= rect.maxCz; ++cz) {
        for (int32_t cx = rect.minCx; cx <= rect.maxCx; ++cx) {
            chunks.push_back(std::make_unique<ChunkColumns>());
            sampler.columns(cx, cz, *chunks.back());
            for (int n = 0; n < 128 * 128; ++n) {
                const int feature = chunks.back()->feature[n];
                const int r = worldmap::markerRadius(feature);
                if (r < 0)
                    continue;
                ++sites;
                const int px = (cx - rect.minCx) * 32 + n % 128 / 4,
                          pz = (cz - rect.minCz) * 32 + n / 128 / 4;
                for (int z = std::max(0, pz - r); z <= std::min(63, pz + r); ++z)
                    for (int x = std::max(0, px - r); x <= std::min(63, px + r); ++x)
                        marked[z * 64 + x] = true;
                uint8_t rgb[3];
                worldmap::markerColor(feature, rgb);
                if (placementOf(feature) == Placement::Structure) {
                    EXPECT_EQ(image.at(px, pz)[0], rgb[0]);
                    EXPECT_EQ(image.at(px, pz)[1], rgb[1]);
                }
            }
        }
    }
    int ground = 0;
    for (int pz = 0; pz < 64; ++pz) {
        for (int px = 0; px < 64; ++px) {
            if (marked[pz * 64 + px])
                continue;
            const ChunkColumns& c = *chunks[(pz / 32) * 2 + px / 32];
            const int n = (pz % 32) * 4 * 128 + (px % 32) * 4;
            uint8_t rgb[3];
            worldmap::groundColor(c.terrain[n], c.height[n], rgb);
            ASSERT_EQ(image.at(px, pz)[0], rgb[0]) << px << ' ' << pz;
            ASSERT_EQ(image.at(px, pz)[2], rgb[2]) << px << ' ' << pz;
            ++ground;
        }
    }
    EXPECT_GT(ground, 2000);
    EXPECT_GT(sites, 0);
    EXPECT_GT(counts.at(CODE_CACTUS), 0);
    EXPECT_GT(counts.at(CODE_DESERT), 0);
    EXPECT_GT(counts.at(CODE_FOREST), 0);

    // The legend strip under the map: the map unchanged above it, then a
    // swatch of every marker and ground colour, and the names in white.
    const datagen::Image framed = worldmap::withLegend(image);
    ASSERT_GE(framed.width, image.width);
    ASSERT_GT(framed.height, image.height);
    for (int pz = 0; pz < 64; pz += 7)
        for (int px = 0; px < 64; px += 5)
            ASSERT_TRUE(std::equal(image.at(px, pz), image.at(px, pz) + 3, framed.at(px, pz))) << px << ' ' << pz;
    const auto entries = worldmap::legendEntries();
    EXPECT_EQ(entries.size(), 12u);
    for (const auto& entry : entries) {
        int swatch = 0;
        for (int y = image.height; y < framed.height; ++y)
            for (int x = 0; x < framed.width; ++x)
                swatch += std::equal(entry.rgb, entry.rgb + 3, framed.at(x, y));
        EXPECT_GE(swatch, 50) << entry.name; // a 10 x 10 square, partly hidden only by its rim
    }
    int letters = 0;
    for (int y = image.height; y < framed.height; ++y)
        for (int x = 0; x < framed.width; ++x)
            letters += framed.at(x, y)[0] > 200 && framed.at(x, y)[1] > 200 && framed.at(x, y)[2] > 200;
    EXPECT_GT(letters, 200) << "the names are written";
}

TEST(WorldMap, CountsAreListedByCode)
{
    const worldmap::FeatureCounts counts { { 10, 3 }, { 1, 100 }, { 24, 1 } };
    EXPECT_EQ(worldmap::formatCounts(counts), "1 forest 100\n10 tree 3\n24 tower 1\n");
}
