#pragma once

#include "gui/GuiObject.h"

#include <functional>

// Milliseconds from some fixed start.
using GuiClock = std::function<double()>;
// A monotonic millisecond clock.
double steadyMilliseconds();

// The frame rate in red in the upper left corner. It counts its own draws
// and shows nothing until the first second has passed.
class FpsCounter : public GuiObject {
public:
    explicit FpsCounter(GuiClock clock = steadyMilliseconds);

    // Counts the frame, renews the rate once a second, then draws it.
    void draw() override;
    // Counts one frame; true when a new rate was rendered.
    bool countFrame();

    bool hasRate() const { return rated; }
    float rate() const { return fps; }

private:
    GuiClock now;
    int frames = 0;
    double lastTime = 0;
    bool started = false;
    bool rated = false;
    float fps = 0;
};
