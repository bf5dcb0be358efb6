#pragma once

// An OpenGL context for tests.
//
// Derive a fixture from GlTest and write TEST_F tests as usual:
//
//   class TextureGlTest : public GlTest {};
//   TEST_F(TextureGlTest, UploadsRgb) { Texture t; ASSERT_EQ(loadRgb(t, path), 0); ... }
//
// The first GL test of a test process starts its own Xvfb (see XvfbServer),
// points DISPLAY at it, opens a hidden GLFW window with the default context
// request (Mesa gives a 4.5 compatibility context) and initialises GLEW.
// Every later GL test in the same process reuses that window; the window is
// closed and the server stopped when the test program ends.
// Mesa's on-disk shader cache is switched off (MESA_SHADER_CACHE_DISABLE)
// unless the environment already sets it. Each GlTest starts with the context
// current, no GL error pending, program 0 in use and the default framebuffer
// bound, and fails if its test leaves a GL error behind (call
// drainGlErrors() after provoking one on purpose).
//
// Without Xvfb installed every GlTest is skipped; when Xvfb is installed but
// no context can be made, the tests fail with the reason.
//
// Tests that don't derive from GlTest can call GlContext::get() directly.

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

class XvfbServer;

class GlContext {
public:
    // The process-wide context, created on the first call. Returns nullptr
    // when it cannot be made; failure() then says why.
    static GlContext* get();
    static const std::string& failure();
    // Closes the window and stops the server (run once, at the end of the
    // test program).
    static void shutdown();

    GLFWwindow* window() const { return glfwWindow; }
    // The X display the context lives on, e.g. ":93".
    std::string display() const;

    ~GlContext();

private:
    GlContext() = default;
    bool open();

    std::unique_ptr<XvfbServer> server;
    GLFWwindow* glfwWindow = nullptr;
};

class GlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    GLFWwindow* window() const { return context ? context->window() : nullptr; }

    GlContext* context = nullptr;
};

// Reads and discards every pending GL error; returns the first one (or
// GL_NO_ERROR).
GLenum drainGlErrors();
