#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Frame pacing as a player feels it: how long each drawn frame of play took,
// and how much of the main thread the World's update took per step. Samples
// are kept in memory (a few MB over an hour of play) and summarised at exit.
class FrameStats {
public:
    // A frame's wall time and the processor time the whole process spent on it (every
    // thread: the renderer's too on a software rasterizer).
    void addFrame(double ms, double cpuMs = -1.0)
    {
        frames.push_back(ms);
        if (cpuMs >= 0.0)
            frameCpu.push_back(cpuMs);
    }
    void addWorldUpdate(double ms) { worldUpdates.push_back(ms); }
    // A frame of play split into its passes, each vector in the order of the names: the
    // time of each pass, the primitives it drew and the fragments it shaded (empty where
    // the driver cannot count them).
    void setPassNames(std::vector<std::string> names);
    void addSplitFrame(const std::vector<double>& passMs, const std::vector<double>& passPrimitives,
        const std::vector<double>& passFragments = {});
    // From choosing "Start Game" to the first frame whose reveal is fully open.
    void setStartToOpenPicture(double ms) { startToPicture = ms; }
    // The terrain of one frame of play: the draw calls of the shadow and scene passes
    // together, the triangles each pass submitted, and whether the shadow map was kept from
    // the frame before (nothing in it changed) and whether the scene's terrain was tested against
    // its depth from an earlier frame (the same view of the same terrain).
    void addTerrainFrame(double drawCalls, double shadowTriangles, double worldTriangles, bool shadowKept = false,
        bool worldDepthKnown = false);

    // The value below which `fraction` of the samples lie (nearest rank);
    // 0 for no samples.
    static double percentile(std::vector<double> samples, double fraction);

    // Lines of figures: frame count, frame time median, 99th percentile and
    // worst, frames per second from the median, and the World update's
    // median and 99th percentile; then, where they were measured, the split
    // frames' median time, primitives and fragments of each pass, and the
    // terrain draw calls and triangles per frame.
    std::string report() const;
    // Writes the report to `path`; false (with a message on the error stream)
    // when it cannot be written.
    bool writeReport(const std::string& path) const;

    size_t frameCount() const { return frames.size(); }

private:
    std::vector<double> frames;
    std::vector<double> frameCpu;
    double startToPicture = -1.0;
    std::vector<double> worldUpdates;
    std::vector<std::string> passNames;
    std::vector<std::vector<double>> passTimes; // by pass, one sample per measured frame
    std::vector<std::vector<double>> passPrimitives;
    std::vector<std::vector<double>> passFragments;
    std::vector<double> splitFrames; // the passes added up
    std::vector<double> primitives;
    std::vector<double> fragments;
    std::vector<double> terrainDrawCalls;
    std::vector<double> shadowTriangles;
    std::vector<double> worldTriangles;
    size_t shadowMapsKept = 0;
    size_t terrainDepthsKnown = 0;
};
