#include "gui/GuiText.h"

#include <cairo.h>
#include <cstring>
#include <fontconfig/fontconfig.h>
#include <iomanip>
#include <sstream>

TextImage renderTextLines(int width, int height, const glm::vec3& colour, const std::vector<TextLine>& lines)
{
    TextImage image;
    if (width <= 0 || height <= 0)
        return image;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return image;
    }
    cairo_t* cr = cairo_create(surface);
    cairo_select_font_face(cr, "serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_source_rgb(cr, colour.r, colour.g, colour.b);
    for (const TextLine& line : lines) {
        cairo_set_font_size(cr, line.size);
        cairo_move_to(cr, line.pen.x, line.pen.y);
        cairo_show_text(cr, line.text.c_str());
    }
    cairo_surface_flush(surface);

    // cairo may pad its rows; the texture wants them packed.
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    image.width = width;
    image.height = height;
    image.pixels.resize(size_t(width) * size_t(height) * 4);
    for (int y = 0; y < height; ++y)
        std::memcpy(image.pixels.data() + size_t(y) * size_t(width) * 4, data + size_t(y) * size_t(stride),
            size_t(width) * 4);

    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return image;
}

TextImage renderText(const std::string& text, const TextStyle& style)
{
    return renderTextLines(style.width, style.height, style.colour, { { text, style.size, style.pen } });
}

TextImage renderItemOverlay(const std::string& count, const std::string& name)
{
    return renderTextLines(textStyle::itemOverlayWidth, textStyle::itemOverlayHeight,
        textStyle::itemOverlayColour, { { count, 60, { 10, 60 } }, { name, 30, { 10, 90 } } });
}

std::string percentText(float fraction)
{
    std::ostringstream out;
    out << std::setprecision(3) << fraction * 100.0f << "%";
    return out.str();
}

std::string loadingBarText(const std::string& text, float progress, bool showProgress)
{
    if (!showProgress)
        return text;
    return text + " " + percentText(progress);
}

std::string fpsText(float fps)
{
    std::ostringstream out;
    out << std::fixed << std::setprecision(2) << fps << " fps";
    return out.str();
}

std::string gameOverCaptionText(int catsFound)
{
    return "You found " + std::to_string(catsFound) + " Cat" + (catsFound == 1 ? "" : "s") + "!";
}

std::string respawnEntryText(int catsLost)
{
    return "Respawn (lose " + std::to_string(catsLost) + (catsLost == 1 ? " cat)" : " cats)");
}

void releaseTextResources()
{
    cairo_debug_reset_static_data();
    FcFini();
}
