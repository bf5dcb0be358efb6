#include "render/PassTimer.h"

#include <algorithm>

PassTimer::PassTimer(std::vector<std::string> passNames, std::function<double()> clockMs, int every)
    : names(std::move(passNames))
    , clock(std::move(clockMs))
    , every(std::max(every, 1))
{
    primitivesQueries.resize(names.size());
    glGenQueries(GLsizei(names.size()), primitivesQueries.data());
    if (GLEW_ARB_pipeline_statistics_query) {
        fragmentQueries.resize(names.size());
        glGenQueries(GLsizei(names.size()), fragmentQueries.data());
    }
}

PassTimer::~PassTimer()
{
    glDeleteQueries(GLsizei(primitivesQueries.size()), primitivesQueries.data());
    if (!fragmentQueries.empty())
        glDeleteQueries(GLsizei(fragmentQueries.size()), fragmentQueries.data());
}

void PassTimer::beginFrame()
{
    splitting = frameNumber++ % every == 0;
    if (!splitting)
        return;
    result.passMs.assign(names.size(), 0.0);
    result.passPrimitives.assign(names.size(), 0.0);
    result.passFragments.assign(fragmentQueries.empty() ? 0 : names.size(), 0.0);
    result.primitives = 0.0;
    ran.assign(names.size(), false);
    glFinish(); // nothing of the frame before may be counted in the first pass
}

void PassTimer::closePass()
{
    if (activePass < 0)
        return;
    glFinish();
    result.passMs[size_t(activePass)] += clock() - passStart;
    glEndQuery(GL_PRIMITIVES_GENERATED);
    if (!fragmentQueries.empty())
        glEndQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB);
    activePass = -1;
}

void PassTimer::beginPass(int pass)
{
    if (!splitting || pass < 0 || size_t(pass) >= names.size())
        return;
    closePass();
    // A pass runs once per frame; a second start would reset its counts.
    if (ran[size_t(pass)])
        return;
    ran[size_t(pass)] = true;
    activePass = pass;
    glBeginQuery(GL_PRIMITIVES_GENERATED, primitivesQueries[size_t(pass)]);
    if (!fragmentQueries.empty())
        glBeginQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB, fragmentQueries[size_t(pass)]);
    passStart = clock();
}

void PassTimer::endFrame(const std::function<void(const FrameResult&)>& collect)
{
    lastSplit = splitting;
    if (!splitting)
        return;
    closePass();
    for (size_t i = 0; i < names.size(); ++i) {
        if (!ran[i])
            continue;
        GLuint64 count = 0;
        glGetQueryObjectui64v(primitivesQueries[i], GL_QUERY_RESULT, &count);
        result.passPrimitives[i] = double(count);
        result.primitives += double(count);
        if (!fragmentQueries.empty()) {
            glGetQueryObjectui64v(fragmentQueries[i], GL_QUERY_RESULT, &count);
            result.passFragments[i] = double(count);
        }
    }
    splitting = false;
    collect(result);
}
