#include "app/FrameStats.h"

#include "base/Log.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iomanip>
#include <sstream>

double FrameStats::percentile(std::vector<double> samples, double fraction)
{
    if (samples.empty())
        return 0.0;
    fraction = std::clamp(fraction, 0.0, 1.0);
    const size_t rank = size_t(std::ceil(fraction * double(samples.size())));
    const size_t index = rank == 0 ? 0 : rank - 1;
    std::nth_element(samples.begin(), samples.begin() + long(index), samples.end());
    return samples[index];
}

std::string FrameStats::report() const
{
    const double median = percentile(frames, 0.5);
    std::ostringstream text;
    text << std::fixed << std::setprecision(3);
    text << "frames " << frames.size() << "\n";
    text << "frame ms median " << median << "\n";
    text << "frame ms p10 " << percentile(frames, 0.1) << "\n";
    text << "frame ms p99 " << percentile(frames, 0.99) << "\n";
    text << "frame ms worst " << percentile(frames, 1.0) << "\n";
    text << "fps from median " << (median > 0.0 ? 1000.0 / median : 0.0) << "\n";
    if (!frameCpu.empty())
        text << "frame cpu ms median " << percentile(frameCpu, 0.5) << " p10 " << percentile(frameCpu, 0.1) << "\n";
    if (startToPicture >= 0.0)
        text << "start to open picture ms " << startToPicture << "\n";
    text << "world update steps " << worldUpdates.size() << "\n";
    text << "world update ms median " << percentile(worldUpdates, 0.5) << "\n";
    text << "world update ms p99 " << percentile(worldUpdates, 0.99) << "\n";
    if (!splitFrames.empty()) {
        text << "split frames " << splitFrames.size() << "\n";
        text << "split frame ms median " << percentile(splitFrames, 0.5) << "\n";
        for (size_t i = 0; i < passNames.size(); ++i)
            text << "pass " << passNames[i] << " ms median " << percentile(passTimes[i], 0.5) << " p10 "
                 << percentile(passTimes[i], 0.1) << "\n";
        text << std::setprecision(0);
        text << "primitives per frame median " << percentile(primitives, 0.5) << "\n";
        const bool counted = !fragments.empty();
        if (counted)
            text << "fragments per frame median " << percentile(fragments, 0.5) << "\n";
        for (size_t i = 0; i < passNames.size(); ++i) {
            text << "pass " << passNames[i] << " primitives median " << percentile(passPrimitives[i], 0.5);
            if (counted)
                text << " fragments median " << percentile(passFragments[i], 0.5);
            text << "\n";
        }
        text << std::setprecision(3);
    }
    if (!terrainDrawCalls.empty()) {
        text << "terrain draw calls per frame median " << percentile(terrainDrawCalls, 0.5) << "\n";
        text << std::setprecision(0);
        text << "terrain triangles shadow median " << percentile(shadowTriangles, 0.5) << "\n";
        text << "terrain triangles world median " << percentile(worldTriangles, 0.5) << "\n";
        text << "shadow map kept in " << shadowMapsKept << " of " << terrainDrawCalls.size() << " frames\n";
        text << "terrain depth known in " << terrainDepthsKnown << " of " << terrainDrawCalls.size() << " frames\n";
        text << std::setprecision(3);
    }
    return text.str();
}

void FrameStats::setPassNames(std::vector<std::string> names)
{
    passNames = std::move(names);
    passTimes.assign(passNames.size(), {});
    passPrimitives.assign(passNames.size(), {});
    passFragments.assign(passNames.size(), {});
}

namespace {

// Adds each pass's value to its samples and returns the frame's sum.
double addByPass(std::vector<std::vector<double>>& byPass, const std::vector<double>& values)
{
    double total = 0.0;
    for (size_t i = 0; i < byPass.size(); ++i) {
        const double v = i < values.size() ? values[i] : 0.0;
        byPass[i].push_back(v);
        total += v;
    }
    return total;
}

}

void FrameStats::addSplitFrame(const std::vector<double>& passMs, const std::vector<double>& primitiveCounts,
    const std::vector<double>& fragmentCounts)
{
    splitFrames.push_back(addByPass(passTimes, passMs));
    primitives.push_back(addByPass(passPrimitives, primitiveCounts));
    if (!fragmentCounts.empty())
        fragments.push_back(addByPass(passFragments, fragmentCounts));
}

void FrameStats::addTerrainFrame(double drawCalls, double shadow, double world, bool shadowKept, bool worldDepthKnown)
{
    shadowMapsKept += shadowKept ? 1 : 0;
    terrainDepthsKnown += worldDepthKnown ? 1 : 0;
    terrainDrawCalls.push_back(drawCalls);
    shadowTriangles.push_back(shadow);
    worldTriangles.push_back(world);
}

bool FrameStats::writeReport(const std::string& path) const
{
    std::ofstream out(path);
    if (out)
        out << report();
    if (!out) {
        logError("Could not write frame statistics to " + path);
        return false;
    }
    return true;
}
