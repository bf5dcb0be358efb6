#pragma once

#include <GL/glew.h>
#include <iosfwd>
#include <string>

// The two off-screen targets of a world frame: the shadow map the light's
// depth pass renders into, and the multisampled scene buffer the
// post-processing pass resolves onto the window. Both are made once at
// start-up, sized from the settings and the window, not by later resizes.

struct ShadowMapSize {
    int width = 0;
    int height = 0;
};

// factor × the window, capped by the texture limit with the window's aspect
// kept. A factor below 1 would give an empty map: it counts as 1.
ShadowMapSize shadowMapSize(int factor, int screenWidth, int screenHeight, int maxTextureSize);

// The text an incomplete framebuffer status is reported with.
std::string framebufferStatusText(GLenum status);

// Samples of the scene buffer: a factor below 1 is reported and becomes 1.
int sceneSampleCount(int antiAliasingFactor, std::ostream& err);

struct Framebuffers {
    GLuint shadowFramebuffer = 0;
    GLuint shadowMap = 0; // depth texture with compare mode
    ShadowMapSize shadowSize;
    GLuint sceneFramebuffer = 0;
    GLuint sceneColor = 0; // colour texture: multisample with more than one sample, else plain 2D
    GLuint sceneDepth = 0; // depth render buffer with the same samples
    int samples = 1;
    int width = 0;
    int height = 0;
};

// Creates both targets (messages on standard output, failures on the error
// stream; an incomplete framebuffer ends the program with exit code 1) and
// binds the default framebuffer afterwards.
void createFramebuffers(
    Framebuffers& fb, int screenWidth, int screenHeight, int shadowmapFactor, int antiAliasingFactor);
// The same without the fatal end, for a rebuild while the game runs: false when a
// target is incomplete, with its status text in `failure`; fb is then left empty
// (what was made of it is freed).
bool tryCreateFramebuffers(Framebuffers& fb, int screenWidth, int screenHeight, int shadowmapFactor,
    int antiAliasingFactor, std::string& failure);
void freeFramebuffers(Framebuffers& fb);
