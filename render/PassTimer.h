#pragma once

#include <GL/glew.h>
#include <functional>
#include <string>
#include <vector>

// Where a frame's time goes, pass by pass. A software rasterizer draws a pass long after the
// calls that queued it (when the target changes, or at the swap), so neither the CPU clock
// nor the driver's timer queries tell the passes apart. One frame in `every` is therefore
// split: each pass is waited for before the next starts, and the wall time of each is taken.
// Those frames run slower than the rest and are reported apart from the frame pacing. The
// split frames also count the primitives and fragment-shader invocations of each pass.
// Main thread with a GL context.
class PassTimer {
public:
    struct FrameResult {
        std::vector<double> passMs; // by pass index; a pass not run in the frame reads 0
        std::vector<double> passPrimitives; // primitives the pass drew
        // Fragment-shader invocations of the pass (what a software rasterizer pays for);
        // empty where the driver cannot count them.
        std::vector<double> passFragments;
        double primitives = 0.0;
    };

    PassTimer(std::vector<std::string> passNames, std::function<double()> clockMs, int every = 4);
    ~PassTimer();
    PassTimer(const PassTimer&) = delete;
    PassTimer& operator=(const PassTimer&) = delete;

    const std::vector<std::string>& passNames() const { return names; }

    // Starts a frame; every `every`-th one is split.
    void beginFrame();
    // Ends the pass before (if any) and starts this one.
    void beginPass(int pass);
    // Ends the frame; a split frame hands its figures to collect.
    void endFrame(const std::function<void(const FrameResult&)>& collect);
    // The frame that just ended was split (its time is not a player's frame time).
    bool lastFrameSplit() const { return lastSplit; }

private:
    void closePass();

    std::vector<std::string> names;
    std::function<double()> clock;
    int every;
    int frameNumber = 0;
    bool splitting = false;
    bool lastSplit = false;
    int activePass = -1;
    std::vector<bool> ran; // by pass: started in this frame
    double passStart = 0.0;
    FrameResult result;
    // One query per pass and counter, read back when the frame ends.
    std::vector<GLuint> primitivesQueries;
    std::vector<GLuint> fragmentQueries; // empty without pipeline statistics
};
