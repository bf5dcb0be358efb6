#include "app/MainLoop.h"

int MainLoop::runPass(const LoopHooks& hooks)
{
    const double t0 = clock();
    const bool playing = hooks.beginPass();
    const int ran = playing ? steps.drain(hooks.step) : 0;
    hooks.frame();
    if (playing)
        steps.acc += clock() - t0;
    return ran;
}

void MainLoop::run(const LoopHooks& hooks)
{
    while (!hooks.shouldClose())
        runPass(hooks);
}
