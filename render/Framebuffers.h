#pragma once

#include <GL/glew.h>
#include <cstdint>
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

// How the scene is drawn for a window: its size (a share of the window's, scaled up onto it
// in post-processing) and its samples. A software renderer shades every covered layer of a
// multisampled target, so there anti-aliasing is one sample whose edges the post-processing
// pass smooths; and its cost grows with the pixels, so automatic scale keeps the scene within
// 640 x 360. A graphics card gets the whole window and real samples.
struct SceneOptions {
    int renderScale = 100; // percent of the window; 0 chooses (see automaticRenderScale)
    bool softwareRenderer = false;
};
struct ScenePlan {
    int width = 1;
    int height = 1;
    int percent = 100;
    int samples = 1;
    bool smoothEdges = false; // anti-aliasing asked for, done in post-processing
};
inline constexpr int RENDER_SCALE_AUTOMATIC = 0;
inline constexpr int SOFTWARE_SCENE_PIXELS = 640 * 360;
// 100 on a graphics card; on a software renderer the largest whole percent (at least 25) at
// which the scene has no more than SOFTWARE_SCENE_PIXELS.
int automaticRenderScale(int windowWidth, int windowHeight, bool softwareRenderer);
ScenePlan planScene(int windowWidth, int windowHeight, int samples, const SceneOptions& options);
// The error-stream line that says what a plan chose; empty when it is the window as asked.
std::string describeScenePlan(const ScenePlan& plan, int antiAliasingFactor, const SceneOptions& options);

struct Framebuffers {
    GLuint shadowFramebuffer = 0;
    GLuint shadowMap = 0; // depth texture with compare mode
    ShadowMapSize shadowSize;
    GLuint rawDepthSampler = 0; // reads the shadow map's depths without comparing them
    GLuint sceneFramebuffer = 0;
    GLuint sceneColor = 0; // colour texture: multisample with more than one sample, else plain 2D
    GLuint sceneDepth = 0; // depth render buffer with the same samples
    int samples = 1;
    int width = 0; // of the scene
    int height = 0;
    int windowWidth = 0; // the window the targets were made for
    int windowHeight = 0;
    bool smoothEdges = false;
    GLuint smoothFramebuffer = 0; // with smoothEdges: the scene with its edges smoothed,
    GLuint smoothColor = 0; // at the scene's size
    uint64_t serial = 0; // differs for every set of targets made: their contents are new

    // The scene is smaller than the window: post-processing scales it up.
    bool scaled() const { return width != windowWidth || height != windowHeight; }
};

// Creates both targets (messages on standard output, failures on the error
// stream; an incomplete framebuffer ends the program with exit code 1) and
// binds the default framebuffer afterwards.
void createFramebuffers(Framebuffers& fb, int screenWidth, int screenHeight, int shadowmapFactor,
    int antiAliasingFactor, const SceneOptions& scene = {});
// The same without the fatal end, for a rebuild while the game runs: false when a
// target is incomplete, with its status text in `failure`; fb is then left empty
// (what was made of it is freed).
bool tryCreateFramebuffers(Framebuffers& fb, int screenWidth, int screenHeight, int shadowmapFactor,
    int antiAliasingFactor, std::string& failure, const SceneOptions& scene = {});
void freeFramebuffers(Framebuffers& fb);
