#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Frame pacing as a player feels it: how long each drawn frame of play took,
// and how much of the main thread the World's update took per step. Samples
// are kept in memory (a few MB over an hour of play) and summarised at exit.
class FrameStats {
public:
    void addFrame(double ms) { frames.push_back(ms); }
    void addWorldUpdate(double ms) { worldUpdates.push_back(ms); }
    // A frame of play split into its passes: the time of each named pass (in the order of
    // the names) and the primitives the GPU drew.
    void setPassNames(std::vector<std::string> names);
    void addSplitFrame(const std::vector<double>& passMs, double primitives);
    // The terrain draw calls of one frame of play (shadow and scene passes together).
    void addTerrainDrawCalls(double calls) { terrainDrawCalls.push_back(calls); }

    // The value below which `fraction` of the samples lie (nearest rank);
    // 0 for no samples.
    static double percentile(std::vector<double> samples, double fraction);

    // Lines of figures: frame count, frame time median, 99th percentile and
    // worst, frames per second from the median, and the World update's
    // median and 99th percentile; then, where they were measured, the split
    // frames' median time of each pass and primitives, and the terrain draw
    // calls per frame.
    std::string report() const;
    // Writes the report to `path`; false (with a message on the error stream)
    // when it cannot be written.
    bool writeReport(const std::string& path) const;

    size_t frameCount() const { return frames.size(); }

private:
    std::vector<double> frames;
    std::vector<double> worldUpdates;
    std::vector<std::string> passNames;
    std::vector<std::vector<double>> passTimes; // by pass, one sample per measured frame
    std::vector<double> splitFrames; // the passes added up
    std::vector<double> primitives;
    std::vector<double> terrainDrawCalls;
};
