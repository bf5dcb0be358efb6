#include "app/Config.h"
#include "app/Settings.h"

#include <GLFW/glfw3.h>

#include <vector>

namespace {

// The primary monitor's video modes, smallest first; empty when there is no display.
std::vector<VideoMode> primaryVideoModes()
{
    std::vector<VideoMode> modes;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    int count = 0;
    const GLFWvidmode* list = monitor ? glfwGetVideoModes(monitor, &count) : nullptr;
    for (int i = 0; list && i < count; ++i)
        modes.push_back({ list[i].width, list[i].height });
    return modes;
}

} // namespace

int main()
{
    // PLACEHOLDER: the window and the main loop take over here; until then the game
    // only reads its settings. Without a display glfwInit fails quietly and the
    // window size falls back to 1280 x 720.
    const bool windowLibrary = glfwInit() == GLFW_TRUE;
    const std::vector<VideoMode> modes = windowLibrary ? primaryVideoModes() : std::vector<VideoMode>();
    Config config;
    const ConfigResult result = config.loadSettings(modes);
    if (windowLibrary)
        glfwTerminate();
    return result == ConfigResult::Ok ? 0 : 1;
}
