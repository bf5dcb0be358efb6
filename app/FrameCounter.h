#pragma once

#include <string>

// Frames per second of the drawn world frames, measured over at least one
// second at a time.
class FrameCounter {
public:
    int frameCount = 0;
    double lastFpsTime = 0.0; // ms; taken on the first count
    float fps = 0.0f;

    // Counts one frame drawn at nowMs. Returns true when a second or more has
    // passed since the last rate, after computing the new `fps`.
    bool countFrame(double nowMs);

private:
    bool started = false;
};

// The window title showing a frame rate: fixed notation, two decimals, " fps".
std::string fpsTitle(float fps);
