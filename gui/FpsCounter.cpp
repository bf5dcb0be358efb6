#include "gui/FpsCounter.h"

#include <chrono>

double steadyMilliseconds()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

FpsCounter::FpsCounter(GuiClock clock)
    : now(std::move(clock))
{
    place(guiLayout::fpsCounter);
}

bool FpsCounter::countFrame()
{
    const double time = now();
    if (!started) {
        started = true;
        lastTime = time;
    }
    ++frames;
    const double elapsed = time - lastTime;
    if (elapsed < 1000.0)
        return false;
    fps = float(frames * 1000.0 / elapsed);
    rated = true;
    setImage(renderText(fpsText(fps), textStyle::fpsCounter));
    frames = 0;
    lastTime = time;
    return true;
}

void FpsCounter::draw()
{
    countFrame();
    if (rated)
        GuiObject::draw();
}
