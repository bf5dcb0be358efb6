#include "app/OptionsApply.h"

#include "app/Game.h"
#include "app/Input.h"
#include "audio/SoundSystem.h"
#include "base/Log.h"
#include "base/Settings.h"
#include "gui/Gui.h"
#include "render/Framebuffers.h"
#include "world/World.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

// Builds the framebuffers for the window's size and the settings beside the ones in use,
// and swaps them in only when they are complete. False, with the reason on the error
// stream, when they are not: the ones in use stay (the driver may refuse a sample count,
// or a shadow map or scene buffer that large). At start-up that is a fatal end instead.
bool rebuildFramebuffers(Game& game)
{
    // Errors from before are not this change's.
    while (glGetError() != GL_NO_ERROR) { }
    Framebuffers rebuilt;
    std::string failure;
    if (tryCreateFramebuffers(rebuilt, game.platform.screenWidth, game.platform.screenHeight, gSettings.shadowmapFactor,
            gSettings.antiAliasingFactor, failure, game.sceneOptions())) {
        freeFramebuffers(game.scene.framebuffers);
        game.scene.framebuffers = rebuilt;
        return true;
    }
    std::ostringstream why;
    why << "Settings could not be applied: the framebuffers for " << game.platform.screenWidth << " x " << game.platform.screenHeight
        << ", Shadow Quality " << gSettings.shadowmapFactor << " and Anti-Aliasing " << gSettings.antiAliasingFactor
        << " are incomplete (" << failure;
    // What the driver refused on the way, so it is not blamed on a later change.
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
        why << ", GL error 0x" << std::hex << error << std::dec;
    why << "); the previous ones stay.";
    logError(why.str());
    return false;
}

// A window manager may grant a new window size some frames after it was
// asked for; for a while after a switch, every pass fits the projections and
// the framebuffers to the size the window has now: once in the pass of the
// change, then in each of the next kFitPasses.
constexpr int kFitPasses = 60;

void startWindowFit(Game& game)
{
    game.platform.windowFitPasses = kFitPasses + 1;
}

// Reports what the GL recorded since the last look, one line per error.
void reportGlErrors()
{
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
        logError(joinText("GL error 0x", std::hex, error, std::dec, " after a graphics setting changed"));
}

void fitToWindow(Game& game)
{
    reportGlErrors();
    int width = 0, height = 0;
    glfwGetFramebufferSize(game.platform.window, &width, &height);
    if (width > 0 && height > 0 && (width != game.platform.screenWidth || height != game.platform.screenHeight))
        onFramebufferSize(game, width, height);
    // A size whose framebuffers could not be made is not tried again pass after pass.
    const bool fitted
        = game.scene.framebuffers.windowWidth == game.platform.screenWidth && game.scene.framebuffers.windowHeight == game.platform.screenHeight;
    const bool failedBefore = game.platform.unfitWidth == game.platform.screenWidth && game.platform.unfitHeight == game.platform.screenHeight;
    if (fitted || failedBefore)
        return;
    if (rebuildFramebuffers(game)) {
        game.platform.unfitWidth = game.platform.unfitHeight = 0;
    } else {
        game.platform.unfitWidth = game.platform.screenWidth;
        game.platform.unfitHeight = game.platform.screenHeight;
    }
}

void switchFullscreen(Game& game)
{
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const bool toFullscreen = gSettings.fullscreen != 0 && monitor;
    if (toFullscreen == (glfwGetWindowMonitor(game.platform.window) != nullptr))
        return;
    if (toFullscreen) {
        glfwGetWindowPos(game.platform.window, &game.platform.windowedX, &game.platform.windowedY);
        game.platform.windowedPlaceKnown = true;
        glfwSetWindowMonitor(game.platform.window, monitor, 0, 0, gSettings.width, gSettings.height, GLFW_DONT_CARE);
        // The frame rate is shown in the title only in a window.
        glfwSetWindowTitle(game.platform.window, "Mossgrave");
    } else {
        // A game that started full screen never stood anywhere in a window: it gets
        // the middle of the monitor it leaves, not its corner.
        if (!game.platform.windowedPlaceKnown) {
            GLFWmonitor* leaving = glfwGetWindowMonitor(game.platform.window);
            const GLFWvidmode* mode = glfwGetVideoMode(leaving ? leaving : monitor);
            int left = 0, top = 0;
            glfwGetMonitorPos(leaving ? leaving : monitor, &left, &top);
            game.platform.windowedX = mode ? left + (mode->width - gSettings.width) / 2 : 0;
            game.platform.windowedY = mode ? top + (mode->height - gSettings.height) / 2 : 0;
        }
        glfwSetWindowMonitor(game.platform.window, nullptr, game.platform.windowedX, game.platform.windowedY, gSettings.width, gSettings.height, 0);
    }
    startWindowFit(game);
}

} // namespace

void fitWindowAfterChange(Game& game)
{
    if (game.platform.windowFitPasses <= 0 || !game.hasWindow())
        return;
    --game.platform.windowFitPasses;
    fitToWindow(game);
}

OptionContext optionContext(const Game& game)
{
    OptionContext context;
    if (game.hasWindow()) {
        GLint maxSamples = 0;
        glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
        context.maxSamples = maxSamples;
    }
    if (game.gameStarted && game.session.world)
        context.runningViewDistance = game.session.world->viewDistance;
    return context;
}

bool applyOption(Game& game, OptionRow row)
{
    switch (row) {
    case OptionRow::Volume:
    case OptionRow::AmbientSounds:
        gSoundSystem.applySettings();
        return true;
    case OptionRow::FieldOfView:
        fitProjections(game);
        return true;
    default:
        break;
    }
    if (!game.hasWindow())
        return true;
    switch (row) {
    case OptionRow::Vsync:
        glfwSwapInterval(gSettings.vsync);
        break;
    case OptionRow::Fullscreen:
        switchFullscreen(game);
        break;
    case OptionRow::AntiAliasing:
    case OptionRow::ShadowQuality:
    case OptionRow::RenderScale:
        if (!rebuildFramebuffers(game))
            return false;
        startWindowFit(game);
        break;
    default:
        break;
    }
    return true;
}

void toggleFullscreen(Game& game)
{
    gSettings.fullscreen = gSettings.fullscreen != 0 ? 0 : 1;
    applyOption(game, OptionRow::Fullscreen);
    if (game.gui)
        game.gui->settingChanged(OptionRow::Fullscreen);
}

bool saveOptions(const std::vector<OptionRow>& rows, std::ostream& err, const std::filesystem::path& path)
{
    std::vector<ConfigChange> changes;
    for (OptionRow row : rows)
        for (ConfigChange& change : optionConfigChanges(row, gSettings))
            changes.push_back(std::move(change));
    if (saveConfigChanges(path, changes, err))
        return true;
    err << "Settings could not be saved to " << path.string() << "; they hold until the game ends." << std::endl;
    return false;
}

OptionsHooks gameOptionsHooks(Game& game)
{
    OptionsHooks hooks;
    hooks.context = [&game] { return optionContext(game); };
    hooks.apply = [&game](OptionRow row) { return applyOption(game, row); };
    hooks.save = [](const std::vector<OptionRow>& rows) { return saveOptions(rows, errorStream()); };
    return hooks;
}

std::vector<ConfigChange> optionConfigChanges(OptionRow row, const Settings& settings)
{
    static const char* const keys[] = { "Chunk_View_Distance", "Mouse_Sensitivity_X", "Volume", "Ambient_Sounds",
        "Sound_Effects", "Fullscreen", "Vsync", "Anti-Aliasing_Factor", "Shadowmap_Factor", "Render_Scale",
        "Brightness", "Field_Of_View", "Mouse_Sensitivity_Y", "Pause_On_Focus_Loss", "Captions" };
    static_assert(std::size(keys) == size_t(OptionRow::Controls));
    if (row == OptionRow::Back || row == OptionRow::Controls)
        return {};
    if (row == OptionRow::MouseSensitivity)
        return { { "Mouse_Sensitivity_X", std::to_string(settings.mouseSensitivityX) },
            { "Mouse_Sensitivity_Y", std::to_string(settings.mouseSensitivityY) } };
    Settings copy = settings;
    return { { keys[int(row)], std::to_string(*settingOf(row, copy)) } };
}
