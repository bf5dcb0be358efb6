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

    // The value below which `fraction` of the samples lie (nearest rank);
    // 0 for no samples.
    static double percentile(std::vector<double> samples, double fraction);

    // Lines of figures: frame count, frame time median, 99th percentile and
    // worst, frames per second from the median, and the World update's
    // median and 99th percentile.
    std::string report() const;
    // Writes the report to `path`; false (with a message on the error stream)
    // when it cannot be written.
    bool writeReport(const std::string& path) const;

    size_t frameCount() const { return frames.size(); }

private:
    std::vector<double> frames;
    std::vector<double> worldUpdates;
};
