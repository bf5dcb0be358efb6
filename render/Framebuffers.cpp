#include "render/Framebuffers.h"

#include "base/Log.h"

#include <algorithm>
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
    return checkComplete(failure);
}

bool createSceneBuffer(Framebuffers& fb, int screenWidth, int screenHeight, int antiAliasingFactor, std::string& failure)
{
    fb.samples = sceneSampleCount(antiAliasingFactor, errorStream());
    fb.width = std::max(1, screenWidth);
    fb.height = std::max(1, screenHeight);

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
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
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

} // namespace

bool tryCreateFramebuffers(Framebuffers& fb, int screenWidth, int screenHeight, int shadowmapFactor,
    int antiAliasingFactor, std::string& failure)
{
    const bool complete = createShadowMap(fb, screenWidth, screenHeight, shadowmapFactor, failure)
        && createSceneBuffer(fb, screenWidth, screenHeight, antiAliasingFactor, failure);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete)
        freeFramebuffers(fb);
    return complete;
}

void createFramebuffers(
    Framebuffers& fb, int screenWidth, int screenHeight, int shadowmapFactor, int antiAliasingFactor)
{
    std::string failure;
    if (tryCreateFramebuffers(fb, screenWidth, screenHeight, shadowmapFactor, antiAliasingFactor, failure))
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
    if (fb.sceneColor)
        glDeleteTextures(1, &fb.sceneColor);
    if (fb.sceneDepth)
        glDeleteRenderbuffers(1, &fb.sceneDepth);
    fb = Framebuffers {};
}
