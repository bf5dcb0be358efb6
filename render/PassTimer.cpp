#include "render/PassTimer.h"

#include <algorithm>

PassTimer::PassTimer(std::vector<std::string> passNames, std::function<double()> clockMs, int every)
    : names(std::move(passNames))
    , clock(std::move(clockMs))
    , every(std::max(every, 1))
{
    glGenQueries(1, &primitivesQuery);
}

PassTimer::~PassTimer()
{
    glDeleteQueries(1, &primitivesQuery);
}

void PassTimer::beginFrame()
{
    splitting = frameNumber++ % every == 0;
    if (!splitting)
        return;
    result.passMs.assign(names.size(), 0.0);
    result.primitives = 0.0;
    glFinish(); // nothing of the frame before may be counted in the first pass
    glBeginQuery(GL_PRIMITIVES_GENERATED, primitivesQuery);
}

void PassTimer::closePass()
{
    if (activePass < 0)
        return;
    glFinish();
    result.passMs[size_t(activePass)] += clock() - passStart;
    activePass = -1;
}

void PassTimer::beginPass(int pass)
{
    if (!splitting || pass < 0 || size_t(pass) >= names.size())
        return;
    closePass();
    activePass = pass;
    passStart = clock();
}

void PassTimer::endFrame(const std::function<void(const FrameResult&)>& collect)
{
    lastSplit = splitting;
    if (!splitting)
        return;
    closePass();
    glEndQuery(GL_PRIMITIVES_GENERATED);
    GLuint64 count = 0;
    glGetQueryObjectui64v(primitivesQuery, GL_QUERY_RESULT, &count);
    result.primitives = double(count);
    splitting = false;
    collect(result);
}
