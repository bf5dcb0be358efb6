// The application icon for desktop menus: a crescent moon over a mossy
// mound with a cat sitting on it, on a rounded night-blue tile. It is drawn
// with paths only (no text) so it stays legible at 48 pixels.
#include "tools/datagen/CairoCanvas.h"

#include <cmath>

namespace datagen {

namespace {

constexpr double kPi = 3.14159265358979;

void tile(cairo_t* cr, double size)
{
    const double r = size * 0.18;
    cairo_new_sub_path(cr);
    cairo_arc(cr, size - r, r, r, -kPi / 2, 0);
    cairo_arc(cr, size - r, size - r, r, 0, kPi / 2);
    cairo_arc(cr, r, size - r, r, kPi / 2, kPi);
    cairo_arc(cr, r, r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void sky(CairoCanvas& canvas, double s)
{
    cairo_t* cr = canvas.cr();
    tile(cr, s);
    cairo_pattern_t* night = cairo_pattern_create_linear(0, 0, 0, s);
    cairo_pattern_add_color_stop_rgb(night, 0, 0.05, 0.07, 0.16);
    cairo_pattern_add_color_stop_rgb(night, 1, 0.01, 0.02, 0.04);
    cairo_set_source(cr, night);
    cairo_fill(cr);
    cairo_pattern_destroy(night);
    // A few stars, fixed so the icon is the same on every run.
    const double stars[][3] = { { 0.18, 0.16, 1.6 }, { 0.34, 0.28, 1.1 }, { 0.55, 0.12, 1.4 },
        { 0.24, 0.42, 1.0 }, { 0.86, 0.50, 1.2 }, { 0.12, 0.60, 0.9 } };
    canvas.setColour(hexRgb(0xe8ecf5), 0.9);
    for (const auto& star : stars) {
        cairo_arc(cr, star[0] * s, star[1] * s, star[2] * s / 128, 0, 2 * kPi);
        cairo_fill(cr);
    }
}

void moon(CairoCanvas& canvas, double s)
{
    cairo_t* cr = canvas.cr();
    for (int i = 4; i >= 1; --i) { // halo
        canvas.setColour(hexRgb(0xdfe8cf), 0.05);
        cairo_arc(cr, 0.70 * s, 0.30 * s, (0.15 + 0.03 * i) * s, 0, 2 * kPi);
        cairo_fill(cr);
    }
    // The crescent: the moon's disc minus a disc shifted towards the upper left.
    cairo_push_group(cr);
    canvas.setColour(hexRgb(0xf1f3e0));
    cairo_arc(cr, 0.70 * s, 0.30 * s, 0.15 * s, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_arc(cr, 0.64 * s, 0.25 * s, 0.13 * s, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
}

void mound(CairoCanvas& canvas, double s)
{
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    tile(cr, s);
    cairo_clip(cr);
    cairo_move_to(cr, 0, 0.80 * s);
    cairo_curve_to(cr, 0.25 * s, 0.66 * s, 0.70 * s, 0.64 * s, s, 0.76 * s);
    cairo_line_to(cr, s, s);
    cairo_line_to(cr, 0, s);
    cairo_close_path(cr);
    cairo_pattern_t* moss = cairo_pattern_create_linear(0, 0.64 * s, 0, s);
    cairo_pattern_add_color_stop_rgb(moss, 0, 0.44, 0.56, 0.27);
    cairo_pattern_add_color_stop_rgb(moss, 1, 0.10, 0.16, 0.06);
    cairo_set_source(cr, moss);
    cairo_fill(cr);
    cairo_pattern_destroy(moss);
    cairo_restore(cr);
}

// A seated cat seen from behind, black against the sky.
void cat(CairoCanvas& canvas, double s)
{
    cairo_t* cr = canvas.cr();
    canvas.setColour(hexRgb(0x050505));
    const double cx = 0.40 * s, ground = 0.70 * s;
    cairo_save(cr); // body: an upright ellipse
    cairo_translate(cr, cx, ground - 0.11 * s);
    cairo_scale(cr, 0.10 * s, 0.13 * s);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_fill(cr);
    cairo_arc(cr, cx, ground - 0.27 * s, 0.065 * s, 0, 2 * kPi); // head
    cairo_fill(cr);
    for (int side = -1; side <= 1; side += 2) { // ears
        cairo_move_to(cr, cx + side * 0.020 * s, ground - 0.31 * s);
        cairo_line_to(cr, cx + side * 0.060 * s, ground - 0.37 * s);
        cairo_line_to(cr, cx + side * 0.065 * s, ground - 0.27 * s);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
    cairo_set_line_width(cr, 0.025 * s); // tail curling along the ground
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, cx + 0.07 * s, ground - 0.02 * s);
    cairo_curve_to(cr, cx + 0.20 * s, ground, cx + 0.22 * s, ground - 0.10 * s, cx + 0.17 * s, ground - 0.14 * s);
    cairo_stroke(cr);
}

} // namespace

Image icon(int size)
{
    CairoCanvas canvas(size, size);
    const double s = size;
    sky(canvas, s);
    moon(canvas, s);
    mound(canvas, s);
    cat(canvas, s);
    return canvas.toRgba(hexRgb(0x0d1229));
}

bool writeIcon(const std::filesystem::path& runDir)
{
    std::error_code ignored;
    std::filesystem::create_directories(runDir / "preview", ignored);
    // Drawn anew at each size rather than scaled down, so the small ones stay sharp.
    bool ok = true;
    for (int size : kIconSizes)
        ok = writePng(runDir / "preview" / ("icon-" + std::to_string(size) + ".png"), icon(size)) && ok;
    return ok;
}

} // namespace datagen
