#include "GlContextFixture.h"

#include "XvfbServer.h"

#include <cstdlib>

namespace {

std::string& failureText()
{
    static std::string text;
    return text;
}

std::string& glfwMessage()
{
    static std::string text;
    return text;
}

// Held by a plain pointer on purpose: a static with a destructor would run
// in forked children (death tests) and take the server down under the parent.
GlContext* sharedContext = nullptr;
bool attempted = false;

class GlContextEnvironment : public ::testing::Environment {
public:
    void TearDown() override { GlContext::shutdown(); }
};

[[maybe_unused]] ::testing::Environment* const environment
    = ::testing::AddGlobalTestEnvironment(new GlContextEnvironment);

} // namespace

GlContext* GlContext::get()
{
    if (attempted)
        return sharedContext;
    attempted = true;
    auto* context = new GlContext();
    if (!context->open()) {
        delete context;
        return nullptr;
    }
    sharedContext = context;
    return sharedContext;
}

const std::string& GlContext::failure()
{
    return failureText();
}

void GlContext::shutdown()
{
    delete sharedContext;
    sharedContext = nullptr;
}

std::string GlContext::display() const
{
    return server ? server->display() : std::string();
}

bool GlContext::open()
{
    server = std::make_unique<XvfbServer>();
    if (!server->start()) {
        failureText() = "cannot start Xvfb: " + server->error();
        return false;
    }
    setenv("DISPLAY", server->display().c_str(), 1);
    // Tests leave nothing in the home folder. Mesa's shader-cache thread
    // also trips the leak checker's scan of thread-local storage at exit.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    glfwSetErrorCallback([](int, const char* text) { glfwMessage() = text ? text : ""; });
    if (!glfwInit()) {
        failureText() = "glfwInit failed: " + glfwMessage();
        return false;
    }
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindow = glfwCreateWindow(320, 240, "Mossgrave test", nullptr, nullptr);
    if (!glfwWindow) {
        failureText() = "cannot open a GLFW window: " + glfwMessage();
        return false;
    }
    glfwMakeContextCurrent(glfwWindow);
    GLenum status = glewInit();
    if (status != GLEW_OK) {
        failureText()
            = std::string("glewInit failed: ") + reinterpret_cast<const char*>(glewGetErrorString(status));
        return false;
    }
    drainGlErrors(); // GLEW's probing may leave one behind
    return true;
}

GlContext::~GlContext()
{
    if (glfwWindow)
        glfwDestroyWindow(glfwWindow);
    // No glfwTerminate: it unloads the GL driver, whose few end-of-process
    // allocations would then show in the leak report under an unknown module
    // that no suppression can name. The process ends right after.
    if (server)
        server->stop();
}

GLenum drainGlErrors()
{
    GLenum first = glGetError();
    if (first == GL_NO_ERROR)
        return first;
    for (int i = 0; i < 64 && glGetError() != GL_NO_ERROR; ++i) { }
    return first;
}

void GlTest::SetUp()
{
    if (!XvfbServer::installed())
        GTEST_SKIP() << "Xvfb is not installed";
    context = GlContext::get();
    ASSERT_NE(context, nullptr) << GlContext::failure();
    glfwMakeContextCurrent(context->window());
    drainGlErrors();
    glUseProgram(0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glActiveTexture(GL_TEXTURE0);
}

void GlTest::TearDown()
{
    if (!context)
        return;
    GLenum error = drainGlErrors();
    EXPECT_EQ(error, GLenum(GL_NO_ERROR)) << "the test left GL error 0x" << std::hex << error;
    glUseProgram(0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}
