#include "app/Screenshot.h"

#include "app/Game.h"
#include "base/Log.h"
#include "render/PngImage.h"

#include <GL/glew.h>
#include <ostream>
#include <system_error>

std::string screenshotFileName(std::time_t when)
{
    std::tm local {};
    localtime_r(&when, &local);
    char name[64];
    std::strftime(name, sizeof name, "mossgrave-%Y%m%d-%H%M%S.png", &local);
    return name;
}

bool saveScreenshot(const std::filesystem::path& folder, int width, int height, const std::vector<unsigned char>& rgb,
    std::time_t when, std::ostream& out, std::ostream& err)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::filesystem::path path = folder / screenshotFileName(when);
    std::string why = ec.message();
    if (ec || !encodePngRgb(path.string(), width, height, rgb, true, why)) {
        err << "Screenshot could not be saved to " << path.string() << ": " << why << std::endl;
        return false;
    }
    out << "Screenshot saved: " << path.string() << std::endl;
    return true;
}

void takeScreenshot(Game& game)
{
    if (!game.hasWindow() || game.platform.screenWidth <= 0 || game.platform.screenHeight <= 0)
        return;
    const int width = game.platform.screenWidth;
    const int height = game.platform.screenHeight;
    std::vector<unsigned char> rgb(size_t(width) * size_t(height) * 3);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    saveScreenshot("screenshots", width, height, rgb, std::time(nullptr), logStream(), errorStream());
}
