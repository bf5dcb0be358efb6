// Menu, loading and game-over backgrounds, the game's title and credits, the
// item panel and the mouse-button hints.
//
// The overlay quads sample their image with the first stored row at the
// bottom of the screen, and the title and credits quads are also mirrored
// sideways; those files are stored turned so that they read upright in game.
#include "tools/datagen/CairoCanvas.h"
#include "tools/datagen/NightScene.h"
#include "tools/datagen/TextureSet.h"

#include <cmath>

namespace datagen {

namespace {

constexpr double kPi = 3.14159265358979;
const Rgb kMoss = hexRgb(0x6f8f45);
const Rgb kPale = hexRgb(0xdfe8cf);

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

// The title: pale lettering with a mossy glow and a dark edge. The top
// eighth of the quad lies above the screen, so the words sit low.
Image title()
{
    CairoCanvas canvas(1024, 432);
    cairo_t* cr = canvas.cr();
    const std::string text = "Mossgrave";
    canvas.setFont(100);
    const double size = 100 * 900 / canvas.textWidth(text);
    canvas.setFont(size);
    const double x = (1024 - canvas.textWidth(text)) / 2, baseline = 432 * 0.56 + size * 0.36;
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, text.c_str());
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int i = 5; i >= 1; --i) { // soft glow
        canvas.setColour(kMoss, 0.07);
        cairo_set_line_width(cr, i * 9.0);
        cairo_stroke_preserve(cr);
    }
    canvas.setColour(hexRgb(0x0a0f08), 0.95);
    cairo_set_line_width(cr, 9);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, baseline - size * 0.75, 0, baseline);
    cairo_pattern_add_color_stop_rgb(fill, 0, kPale.r, kPale.g, kPale.b);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.38, 0.52, 0.26);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    return canvas.toRgba(kMoss);
}

Image credits()
{
    CairoCanvas canvas(512, 32);
    cairo_t* cr = canvas.cr();
    const std::string text = "created by the Mossgrave developers";
    canvas.setFont(19);
    cairo_move_to(cr, 504 - canvas.textWidth(text), 23);
    cairo_text_path(cr, text.c_str());
    canvas.setColour(hexRgb(0x050805), 0.8);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke_preserve(cr);
    canvas.setColour(hexRgb(0xb9c4ad));
    cairo_fill(cr);
    return canvas.toRgba(hexRgb(0xb9c4ad));
}

// A translucent panel behind the held item's count and name.
Image itemPanel()
{
    CairoCanvas canvas(192, 112);
    cairo_t* cr = canvas.cr();
    roundedRect(cr, 3, 3, 186, 106, 14);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, 112);
    cairo_pattern_add_color_stop_rgba(fill, 0, 0.09, 0.13, 0.08, 0.72);
    cairo_pattern_add_color_stop_rgba(fill, 1, 0.02, 0.03, 0.02, 0.78);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    canvas.setColour(kMoss, 0.95);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    roundedRect(cr, 7.5, 7.5, 177, 97, 10);
    canvas.setColour(kPale, 0.25);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    return canvas.toRgba(hexRgb(0x101810));
}

// A mouse seen from above; `lit` is 0 for the left button, 1 for the
// right one, -1 for neither.
Image mouseHint(int lit)
{
    CairoCanvas canvas(128, 96);
    cairo_t* cr = canvas.cr();
    const double left = 42, top = 8, w = 44, h = 80, split = top + 30;
    auto body = [&] { roundedRect(cr, left, top, w, h, 20); };
    body();
    canvas.setColour(hexRgb(0x1a1e18), 0.8);
    cairo_fill(cr);
    for (int button = 0; button < 2; ++button) {
        cairo_save(cr);
        body();
        cairo_clip(cr);
        cairo_rectangle(cr, left + button * w / 2, top, w / 2, split - top);
        if (button == lit)
            canvas.setColour(hexRgb(0xd6f070), 0.95);
        else
            canvas.setColour(hexRgb(0x3a4036), 0.85);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    canvas.setColour(kPale);
    cairo_set_line_width(cr, 3);
    body();
    cairo_stroke(cr);
    cairo_move_to(cr, left, split);
    cairo_line_to(cr, left + w, split);
    cairo_move_to(cr, left + w / 2, top);
    cairo_line_to(cr, left + w / 2, split);
    cairo_stroke(cr);
    roundedRect(cr, left + w / 2 - 3.5, top + 10, 7, 13, 3.5); // wheel
    cairo_fill(cr);
    if (lit >= 0) { // click marks beside the lit button
        const double side = lit == 0 ? -1 : 1, cx = lit == 0 ? left : left + w;
        canvas.setColour(hexRgb(0xd6f070));
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int i = -1; i <= 1; ++i) {
            const double a = i * 0.55;
            cairo_move_to(cr, cx + side * 8 * std::cos(a), top + 14 + 8 * std::sin(a));
            cairo_line_to(cr, cx + side * 20 * std::cos(a), top + 14 + 20 * std::sin(a));
        }
        cairo_stroke(cr);
    }
    return canvas.toRgba(kPale);
}

SceneStyle menuScene()
{
    SceneStyle s;
    s.seed = 4101;
    s.skyTop = hexRgb(0x03050c);
    s.skyHorizon = hexRgb(0x1c2a40);
    s.moon = hexRgb(0xf0ecd8);
    s.moonGlow = hexRgb(0x9fb6dc);
    s.moonX = 0.88f;
    s.moonY = 0.14f;
    s.fog = hexRgb(0x5d6f86);
    return s;
}

SceneStyle loadingScene()
{
    SceneStyle s = menuScene();
    s.seed = 4201;
    s.moonX = 0.16f;
    s.moonY = 0.22f;
    s.moonRadius = 0.04f;
    s.fog = hexRgb(0x62778a);
    s.fogDensity = 0.8f;
    return s;
}

SceneStyle gameOverScene()
{
    SceneStyle s;
    s.seed = 4301;
    s.skyTop = hexRgb(0x070205);
    s.skyHorizon = hexRgb(0x301014);
    s.moon = hexRgb(0xd2583c);
    s.moonGlow = hexRgb(0xb0301c);
    s.moonX = 0.8f;
    s.moonY = 0.13f;
    s.moonRadius = 0.06f;
    s.fog = hexRgb(0x6a3434);
    s.fogDensity = 0.65f;
    s.reaper = true;
    return s;
}

} // namespace

std::vector<NamedImage> makeGuiImages()
{
    constexpr int kWidth = 1024, kHeight = 576;
    std::vector<NamedImage> out;
    out.push_back({ "textures/menu.png", paintNightForest(menuScene(), kWidth, kHeight) });
    out.push_back({ "textures/loading.png", paintNightForest(loadingScene(), kWidth, kHeight) });
    out.push_back({ "textures/gameover.png", paintNightForest(gameOverScene(), kWidth, kHeight) });
    const std::pair<const char*, Image> flipped[] = {
        { "textures/gui_element.png", itemPanel() },
        { "textures/mouse_helper_no.png", mouseHint(-1) },
        { "textures/mouse_helper_left.png", mouseHint(0) },
        { "textures/mouse_helper_right.png", mouseHint(1) },
    };
    for (const auto& [path, image] : flipped)
        out.push_back({ path, applyStorage(image, Storage::FlippedVertically), Storage::FlippedVertically });
    out.push_back({ "textures/name.png", applyStorage(title(), Storage::Rotated180), Storage::Rotated180 });
    out.push_back(
        { "textures/created_by.png", applyStorage(credits(), Storage::Rotated180), Storage::Rotated180 });
    return out;
}

Image applyStorage(const Image& image, Storage storage)
{
    if (storage == Storage::AsShown)
        return image;
    Image out(image.width, image.height, image.channels);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const int sx = storage == Storage::Rotated180 ? image.width - 1 - x : x;
            const uint8_t* from = image.at(sx, image.height - 1 - y);
            std::copy(from, from + image.channels, out.at(x, y));
        }
    }
    return out;
}

} // namespace datagen
