#include "tools/worldmap/WorldMap.h"

#include "base/TerrainCodes.h"
#include "tools/datagen/CairoCanvas.h"

#include <algorithm>
#include <memory>
#include <sstream>
#include <vector>

namespace worldmap {

using namespace terrain;

namespace {

void setRgb(uint8_t rgb[3], uint8_t r, uint8_t g, uint8_t b)
{
    rgb[0] = r;
    rgb[1] = g;
    rgb[2] = b;
}

void drawMarker(datagen::Image& image, int px, int pz, int feature)
{
    uint8_t rgb[3];
    if (!markerColor(feature, rgb))
        return;
    const int r = markerRadius(feature);
    for (int z = pz - r; z <= pz + r; ++z) {
        for (int x = px - r; x <= px + r; ++x) {
            if (x < 0 || z < 0 || x >= image.width || z >= image.height)
                continue;
            // Structures get a black rim so they read on any ground.
            const bool rim = r > 1 && (std::abs(x - px) == r || std::abs(z - pz) == r);
            uint8_t* p = image.at(x, z);
            if (rim)
                setRgb(p, 0, 0, 0);
            else
                setRgb(p, rgb[0], rgb[1], rgb[2]);
        }
    }
}

struct Marker {
    int px, pz, feature;
};

} // namespace

const char* featureName(int feature)
{
    switch (feature) {
    case CODE_FOREST:
        return "forest";
    case CODE_VILLAGE_AREA:
        return "village-area";
    case CODE_DESERT:
        return "desert";
    case CODE_PYRAMID:
        return "pyramid";
    case CODE_TREE:
        return "tree";
    case CODE_CACTUS:
        return "cactus";
    case CODE_VILLAGE_HOUSE:
        return "village-house";
    case CODE_VILLAGE_EDGE:
        return "village-edge";
    case CODE_BIG_HOUSE:
        return "big-house";
    case CODE_DESERT_CRYPT:
        return "desert-crypt";
    case CODE_MINESHAFT:
        return "mineshaft";
    case CODE_CAMP:
        return "camp";
    case CODE_BALLOON:
        return "balloon";
    case CODE_TOWER:
        return "tower";
    default:
        return "other";
    }
}

int markerRadius(int feature)
{
    switch (placementOf(feature)) {
    case Placement::Tree:
        return 0; // forests hold dozens of trees per chunk
    case Placement::Cactus:
        return 1;
    case Placement::Structure:
        return 3;
    default:
        return -1;
    }
}

bool markerColor(int feature, uint8_t rgb[3])
{
    switch (feature) {
    case CODE_TREE:
        setRgb(rgb, 10, 45, 10);
        return true;
    case CODE_CACTUS:
        setRgb(rgb, 20, 150, 40);
        return true;
    case CODE_PYRAMID:
        setRgb(rgb, 255, 210, 0);
        return true;
    case CODE_DESERT_CRYPT:
        setRgb(rgb, 170, 40, 220);
        return true;
    case CODE_VILLAGE_HOUSE:
        setRgb(rgb, 230, 30, 30);
        return true;
    case CODE_BIG_HOUSE:
        setRgb(rgb, 255, 0, 255);
        return true;
    case CODE_MINESHAFT:
        setRgb(rgb, 0, 230, 230);
        return true;
    case CODE_CAMP:
        setRgb(rgb, 255, 130, 0);
        return true;
    case CODE_BALLOON:
        setRgb(rgb, 255, 255, 255);
        return true;
    case CODE_TOWER:
        setRgb(rgb, 40, 60, 255);
        return true;
    default:
        return false;
    }
}

void groundColor(int terrainCode, float height, uint8_t rgb[3])
{
    // Eight shades from dark (height 0) to full (height 30) keep the PNG small.
    const int level = std::clamp(static_cast<int>(height / 30.0f * 7.0f + 0.5f), 0, 7);
    const float shade = 0.45f + 0.55f * level / 7.0f;
    const float base[3][3] = { { 214, 190, 120 }, { 70, 150, 60 }, { 120, 170, 80 } };
    const float* c = isDesertCode(terrainCode) ? base[0]
        : (terrainCode == CODE_VILLAGE_AREA || terrainCode == CODE_VILLAGE_EDGE
              || terrainCode == CODE_VILLAGE_HOUSE)
        ? base[2]
        : base[1];
    for (int i = 0; i < 3; ++i)
        rgb[i] = static_cast<uint8_t>(c[i] * shade);
}

FeatureCounts survey(
    const TerrainSampler& sampler, const Rect& rect, const Options& options, datagen::Image* image)
{
    FeatureCounts counts;
    std::vector<Marker> markers;
    auto columns = std::make_unique<ChunkColumns>();
    const int step = options.columnsPerPixel;
    const int pixelsPerChunk = kColumns / step;
    for (int32_t cz = rect.minCz; cz <= rect.maxCz; ++cz) {
        for (int32_t cx = rect.minCx; cx <= rect.maxCx; ++cx) {
            sampler.columns(cx, cz, *columns);
            const int px0 = (cx - rect.minCx) * pixelsPerChunk, pz0 = (cz - rect.minCz) * pixelsPerChunk;
            for (int k = 0; k < kColumns; ++k) {
                for (int i = 0; i < kColumns; ++i) {
                    const int index = k * kColumns + i;
                    const int feature = columns->feature[index];
                    ++counts[feature];
                    if (!image)
                        continue;
                    if (placementOf(feature) != Placement::Nothing)
                        markers.push_back({ px0 + i / step, pz0 + k / step, feature });
                    if (i % step == 0 && k % step == 0)
                        groundColor(columns->terrain[index], columns->height[index],
                            image->at(px0 + i / step, pz0 + k / step));
                }
            }
        }
    }
    if (image) {
        // Plants first, structures on top.
        std::stable_sort(markers.begin(), markers.end(), [](const Marker& a, const Marker& b) {
            return markerRadius(a.feature) < markerRadius(b.feature);
        });
        for (const Marker& m : markers)
            drawMarker(*image, m.px, m.pz, m.feature);
    }
    return counts;
}

std::vector<LegendEntry> legendEntries()
{
    std::vector<LegendEntry> entries;
    for (int code : { CODE_TREE, CODE_CACTUS, CODE_PYRAMID, CODE_DESERT_CRYPT, CODE_VILLAGE_HOUSE, CODE_BIG_HOUSE,
             CODE_MINESHAFT, CODE_CAMP, CODE_BALLOON, CODE_TOWER }) {
        LegendEntry entry { featureName(code), {} };
        markerColor(code, entry.rgb);
        entries.push_back(entry);
    }
    // Ground at mid height.
    for (int code : { CODE_DESERT, CODE_FOREST }) {
        LegendEntry entry { featureName(code), {} };
        groundColor(code, 15.0f, entry.rgb);
        entries.push_back(entry);
    }
    return entries;
}

datagen::Image withLegend(const datagen::Image& map)
{
    constexpr int kRow = 16, kSwatch = 10, kGap = 12;
    constexpr double kFont = 11.0;
    const int width = std::max(map.width, 160);
    const std::vector<LegendEntry> entries = legendEntries();

    // Lays the entries out in rows as wide as the map; draws them when asked.
    auto layOut = [&](datagen::CairoCanvas& canvas, bool draw, int top) {
        canvas.setFont(kFont);
        int x = 4, y = top + 3;
        for (const LegendEntry& entry : entries) {
            const int w = kSwatch + 4 + int(canvas.textWidth(entry.name) + 0.5) + kGap;
            if (x > 4 && x + w > width) {
                x = 4;
                y += kRow;
            }
            if (draw) {
                cairo_t* cr = canvas.cr();
                canvas.setColour({ 0.0f, 0.0f, 0.0f });
                cairo_rectangle(cr, x - 1, y - 1, kSwatch + 2, kSwatch + 2);
                cairo_fill(cr);
                canvas.setColour({ entry.rgb[0] / 255.0f, entry.rgb[1] / 255.0f, entry.rgb[2] / 255.0f });
                cairo_rectangle(cr, x, y, kSwatch, kSwatch);
                cairo_fill(cr);
                canvas.setColour({ 1.0f, 1.0f, 1.0f });
                cairo_move_to(cr, x + kSwatch + 4, y + kSwatch);
                cairo_show_text(cr, entry.name);
            }
            x += w;
        }
        return y + kRow - top;
    };
    int strip = 0;
    {
        datagen::CairoCanvas measure(1, 1);
        strip = layOut(measure, false, 0);
    }
    datagen::CairoCanvas canvas(width, map.height + strip);
    canvas.setColour({ 0.12f, 0.12f, 0.12f });
    cairo_paint(canvas.cr());
    datagen::Image out = canvas.toRgb();
    {
        datagen::CairoCanvas legend(width, strip);
        legend.setColour({ 0.12f, 0.12f, 0.12f });
        cairo_paint(legend.cr());
        layOut(legend, true, 0);
        const datagen::Image drawn = legend.toRgb();
        for (int y = 0; y < strip; ++y)
            std::copy_n(drawn.at(0, y), size_t(width) * 3, out.at(0, map.height + y));
    }
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x)
            std::copy_n(map.at(x, y), 3, out.at(x, y));
    return out;
}

std::string formatCounts(const FeatureCounts& counts)
{
    std::ostringstream out;
    for (const auto& [code, count] : counts)
        out << code << ' ' << featureName(code) << ' ' << count << '\n';
    return out.str();
}

} // namespace worldmap
