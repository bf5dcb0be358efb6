#pragma once

#include "tools/datagen/DataGen.h"
#include "world/TerrainSampler.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A map of the generated world seen from above, built from the generator's
// own column code: every column's surface block shaded by height, and a
// marker for every column that grows a tree or cactus or seeds a structure.
namespace worldmap {

struct Rect {
    int32_t minCx = 0, minCz = 0, maxCx = 0, maxCz = 0; // inclusive chunk range
    int32_t chunksX() const { return maxCx - minCx + 1; }
    int32_t chunksZ() const { return maxCz - minCz + 1; }
};

struct Options {
    int columnsPerPixel = 8; // 1, 2, 4, 8, 16, ... (a divisor of 128)
};

// Feature code -> number of columns with that code.
using FeatureCounts = std::map<int, int64_t>;

// Marker colour of a feature code that places something; false for other codes.
bool markerColor(int feature, uint8_t rgb[3]);
// Half the side of a feature's square marker in pixels (-1 for no marker).
int markerRadius(int feature);
// Colour of a column with terrain code N and the given surface height.
void groundColor(int terrain, float height, uint8_t rgb[3]);

// Walks the rectangle chunk by chunk: counts every column's feature code and,
// when `image` is given, draws the map into it (x to the right, z downwards,
// (minCx, minCz) top left).
FeatureCounts survey(
    const terrain::TerrainSampler& sampler, const Rect& rect, const Options& options, datagen::Image* image);

// The map with a legend strip below it: a swatch and a name for every marker
// colour (tree, cactus, each structure kind) and for desert and forest ground.
datagen::Image withLegend(const datagen::Image& map);
// The legend's entries in the order drawn: name and colour.
struct LegendEntry {
    const char* name;
    uint8_t rgb[3];
};
std::vector<LegendEntry> legendEntries();

// One "code name count" line per feature code present, codes in increasing order.
std::string formatCounts(const FeatureCounts& counts);
const char* featureName(int feature);

} // namespace worldmap
