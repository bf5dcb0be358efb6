#include "app/FrameCounter.h"

#include <cstdio>

bool FrameCounter::countFrame(double nowMs)
{
    if (!started) {
        lastFpsTime = nowMs;
        started = true;
    }
    ++frameCount;
    const double elapsed = nowMs - lastFpsTime;
    if (elapsed < 1000.0)
        return false;
    fps = float(frameCount * 1000.0 / elapsed);
    lastFpsTime = nowMs;
    frameCount = 0;
    return true;
}

std::string fpsTitle(float fps)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f fps", double(fps));
    return text;
}
