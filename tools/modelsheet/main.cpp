// Draws every mesh of the game with its texture into one contact sheet:
//   mossgrave_modelsheet <run-folder> <out.png>
// It needs an X display with OpenGL; on a machine without one, run it under
// Xvfb (xvfb-run -a mossgrave_modelsheet ...).
#include "tools/modelsheet/ModelSheet.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

const char* kProgram = "mossgrave_modelsheet";
std::string glfwText;

int fail(const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
    return 1;
}

} // namespace

// Sanitizer builds: cairo and Mesa's llvmpipe in one process now and then
// leave glibc's dynamic TLS tracking with a bogus range that makes the leak
// checker's tracer fault at exit (see tests/gui/AsanOptions.cpp); the tool
// draws with both. ASAN_OPTIONS in the environment still overrides this.
extern "C" const char* __asan_default_options()
{
    return "intercept_tls_get_addr=0";
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <run-folder> <out.png>\n", kProgram);
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path runDir = argv[1];
    std::error_code ec;
    // The game's tables name files relative to the run folder, so the tool
    // works from inside it; the output path must not move with it.
    const fs::path out = fs::absolute(argv[2], ec);
    if (ec)
        return fail(std::string("bad output path ") + argv[2]);
    if (!fs::is_directory(runDir))
        return fail("run folder " + runDir.string() + " does not exist");
    const auto missing = modelsheet::missingFiles(runDir);
    if (!missing.empty()) {
        for (const std::string& file : missing)
            std::fprintf(stderr, "%s: missing %s in %s\n", kProgram, file.c_str(), runDir.c_str());
        return 1;
    }
    fs::current_path(runDir, ec);
    if (ec)
        return fail("cannot enter " + runDir.string() + ": " + ec.message());
    std::vector<modelsheet::Bounds> bounds;
    std::string error;
    if (!modelsheet::readBounds(bounds, error))
        return fail(error);

    glfwSetErrorCallback([](int, const char* text) { glfwText = text ? text : ""; });
    if (!glfwInit())
        return fail("no display for OpenGL (" + glfwText + "); run it under Xvfb, e.g. xvfb-run -a");
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(64, 64, "Mossgrave model sheet", nullptr, nullptr);
    if (!window)
        return fail("cannot open an OpenGL window: " + glfwText);
    glfwMakeContextCurrent(window);
    if (glewInit() != GLEW_OK)
        return fail("glewInit failed");
    for (int i = 0; i < 64 && glGetError() != GL_NO_ERROR; ++i) { } // GLEW's probing may leave one behind

    std::vector<datagen::Image> tiles;
    const bool drawn = modelsheet::renderTiles(bounds, tiles, error);
    // No glfwTerminate: it unloads the GL driver before the leak checker of
    // sanitizer builds runs, and the driver's few end-of-process blocks then
    // show up as leaks from an unknown module. The process ends right after.
    glfwDestroyWindow(window);
    if (!drawn)
        return fail(error);
    if (!datagen::writePng(out, modelsheet::composeSheet(tiles)))
        return fail("cannot write " + out.string());
    std::printf("%s: wrote %s\n", kProgram, out.c_str());
    return 0;
}
