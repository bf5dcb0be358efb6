#include "render/Framebuffers.h"

#include "base/Log.h"

#include <algorithm>
#include <cmath>
#include <iostream>

ShadowMapSize shadowMapSize(int factor, int screenWidth, int screenHeight, int maxTextureSize)
{
    if (factor < 1)
        factor = 1;
    // In doubles: a large factor must not overflow before the cap applies.
    double w = double(factor) * screenWidth;
    double h = double(factor) * screenHeight;
    const double m = maxTextureSize;
    const double aspect = screenHeight > 0 ? double(screenWidth) / double(screenHeight) : 1.0;
    if (m < w) {
        w = m;
        h = m / aspect;
    }
    if (m < h) {
        h = m;
        w = m * aspect;
    }
    return { std::max(1, int(w)), std::max(1, int(h)) };
}

std::string framebufferStatusText(GLenum status)
{
    switch (status) {
    case GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT:
        return "GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT";
    case GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT:
        return "GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT";
    case GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER:
        return "GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER";
    case GL_FRAMEBUFFER_UNSUPPORTED:
        return "GL_FRAMEBUFFER_UNSUPPORTED";
    default:
        return "Unknown issue " + std::to_string(status);
    }
}

int sceneSampleCount(int antiAliasingFactor, std::ostream& err)
{
    if (antiAliasingFactor < 1) {
        err << "Anti Aliasing Factor must be greater than 0!" << std::endl;
        return 1;
    }
    return antiAliasingFactor;
}

int automaticRenderScale(int windowWidth, int windowHeight, bool softwareRenderer)
{
    if (!softwareRenderer)
        return 100;
    for (int percent = 100; percent > 25; --percent) {
        const long w = std::lround(windowWidth * percent / 100.0);
        const long h = std::lround(windowHeight * percent / 100.0);
        if (w * h <= SOFTWARE_SCENE_PIXELS)
            return percent;
    }
    return 25;
}

ScenePlan planScene(int windowWidth, int windowHeight, int samples, const SceneOptions& options)
{
    ScenePlan plan;
    plan.percent = options.renderScale == RENDER_SCALE_AUTOMATIC
        ? automaticRenderScale(windowWidth, windowHeight, options.softwareRenderer)
        : std::clamp(options.renderScale, 25, 100);
    plan.width = std::max(1, int(std::lround(windowWidth * plan.percent / 100.0)));
    plan.height = std::max(1, int(std::lround(windowHeight * plan.percent / 100.0)));
    plan.samples = std::max(samples, 1);
    if (options.softwareRenderer && plan.samples > 1) {
        plan.samples = 1;
        plan.smoothEdges = true;
    }
    return plan;
}

std::string describeScenePlan(const ScenePlan& plan, int antiAliasingFactor, const SceneOptions& options)
{
    std::string text;
    if (plan.smoothEdges)
        text = "Software renderer: Anti-Aliasing_Factor " + std::to_string(antiAliasingFactor)
            + " is drawn with one sample and its edges smoothed in post-processing";
    if (options.renderScale == RENDER_SCALE_AUTOMATIC && plan.percent != 100) {
        if (!text.empty())
            text += "; ";
        text += "Render Scale automatic: the scene is drawn at " + std::to_string(plan.percent) + " % of the window ("
            + std::to_string(plan.width) + " x " + std::to_string(plan.height) + ") and scaled up";
    }
    return text;
}

namespace {

// False, with the status text in failure, when the bound framebuffer is incomplete.
bool checkComplete(std::string& failure)
{
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status == GL_FRAMEBUFFER_COMPLETE)
        return true;
    failure = framebufferStatusText(status);
    return false;
}

bool createShadowMap(Framebuffers& fb, int screenWidth, int screenHeight, int factor, std::string& failure)
{
    GLint maxTextureSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize);
    fb.shadowSize = shadowMapSize(factor, screenWidth, screenHeight, maxTextureSize);
    logLine(joinText("Max texture size: ", maxTextureSize));
    logLine(joinText("Shadowmap size: ", fb.shadowSize.width, " x ", fb.shadowSize.height));

    glGenTextures(1, &fb.shadowMap);
    glBindTexture(GL_TEXTURE_2D, fb.shadowMap);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, fb.shadowSize.width, fb.shadowSize.height, 0,
        GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
    glBindTexture(GL_TEXTURE_2D, 0);

    glGenFramebuffers(1, &fb.shadowFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, fb.shadowFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, fb.shadowMap, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    glGenSamplers(1, &fb.rawDepthSampler);
    glSamplerParameteri(fb.rawDepthSampler, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glSamplerParameteri(fb.rawDepthSampler, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glSamplerParameteri(fb.rawDepthSampler, GL_TEXTURE_COMPARE_MODE, GL_NONE);
    return checkComplete(failure);
}

bool createSceneBuffer(Framebuffers& fb, int screenWidth, int screenHeight, const ScenePlan& plan, std::string& failure)
{
    fb.samples = plan.samples;
    fb.smoothEdges = plan.smoothEdges;
    fb.width = plan.width;
    fb.height = plan.height;
    fb.windowWidth = std::max(1, screenWidth);
    fb.windowHeight = std::max(1, screenHeight);

    // A single sample gets plain targets: a software rasterizer drawing into a multisample
    // target tests depth only after shading, so every hidden layer of terrain would cost a
    // full shading (a forest frame took five times as long).
    const bool multisampled = fb.samples > 1;
    glGenTextures(1, &fb.sceneColor);
    if (multisampled) {
        glBindTexture(GL_TEXTURE_2D_MULTISAMPLE, fb.sceneColor);
        glTexImage2DMultisample(GL_TEXTURE_2D_MULTISAMPLE, fb.samples, GL_RGBA, fb.width, fb.height, GL_TRUE);
        glBindTexture(GL_TEXTURE_2D_MULTISAMPLE, 0);
    } else {
        glBindTexture(GL_TEXTURE_2D, fb.sceneColor);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, fb.width, fb.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        // Scaling up and smoothing read between texels; the plain copy reads them whole.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    glGenRenderbuffers(1, &fb.sceneDepth);
    glBindRenderbuffer(GL_RENDERBUFFER, fb.sceneDepth);
    if (multisampled)
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, fb.samples, GL_DEPTH_COMPONENT24, fb.width, fb.height);
    else
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, fb.width, fb.height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    glGenFramebuffers(1, &fb.sceneFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, fb.sceneFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
        multisampled ? GL_TEXTURE_2D_MULTISAMPLE : GL_TEXTURE_2D, fb.sceneColor, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, fb.sceneDepth);
    return checkComplete(failure);
}

// Where post-processing smooths the scene's edges at the scene's own size, before it is scaled
// up onto the window with the effects: smoothing costs per pixel, so it is done on the fewest.
bool createSmoothTarget(Framebuffers& fb, std::string& failure)
{
    glGenTextures(1, &fb.smoothColor);
    glBindTexture(GL_TEXTURE_2D, fb.smoothColor);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, fb.width, fb.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenFramebuffers(1, &fb.smoothFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, fb.smoothFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, fb.smoothColor, 0);
    return checkComplete(failure);
}

} // namespace

bool tryCreateFramebuffers(Framebuffers& fb, int screenWidth, int screenHeight, int shadowmapFactor,
    int antiAliasingFactor, std::string& failure, const SceneOptions& scene)
{
    const ScenePlan plan = planScene(screenWidth, screenHeight, sceneSampleCount(antiAliasingFactor, errorStream()), scene);
    // The shadow map follows the scene: a scene drawn at half the window needs no finer
    // shadows than its own pixels (at full scale it is the window's size, as always).
    const bool complete = createShadowMap(fb, plan.width, plan.height, shadowmapFactor, failure)
        && createSceneBuffer(fb, screenWidth, screenHeight, plan, failure)
        && (!plan.smoothEdges || createSmoothTarget(fb, failure));
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    static uint64_t made = 0;
    if (complete)
        fb.serial = ++made;
    else
        freeFramebuffers(fb);
    return complete;
}

void createFramebuffers(Framebuffers& fb, int screenWidth, int screenHeight, int shadowmapFactor,
    int antiAliasingFactor, const SceneOptions& scene)
{
    std::string failure;
    if (tryCreateFramebuffers(fb, screenWidth, screenHeight, shadowmapFactor, antiAliasingFactor, failure, scene))
        return;
    logError(failure);
    fatal("Framebuffer error!");
}

void freeFramebuffers(Framebuffers& fb)
{
    if (fb.shadowFramebuffer)
        glDeleteFramebuffers(1, &fb.shadowFramebuffer);
    if (fb.sceneFramebuffer)
        glDeleteFramebuffers(1, &fb.sceneFramebuffer);
    if (fb.shadowMap)
        glDeleteTextures(1, &fb.shadowMap);
    if (fb.rawDepthSampler)
        glDeleteSamplers(1, &fb.rawDepthSampler);
    if (fb.sceneColor)
        glDeleteTextures(1, &fb.sceneColor);
    if (fb.sceneDepth)
        glDeleteRenderbuffers(1, &fb.sceneDepth);
    if (fb.smoothFramebuffer)
        glDeleteFramebuffers(1, &fb.smoothFramebuffer);
    if (fb.smoothColor)
        glDeleteTextures(1, &fb.smoothColor);
    fb = Framebuffers {};
}
