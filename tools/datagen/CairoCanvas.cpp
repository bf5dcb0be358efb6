#include "tools/datagen/CairoCanvas.h"

#include <algorithm>
#include <cmath>
#include <fontconfig/fontconfig.h>

namespace datagen {

CairoCanvas::CairoCanvas(int width, int height)
    : width_(width)
    , height_(height)
    , surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height))
    , cr_(cairo_create(surface_))
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    cairo_set_font_options(cr_, options);
    cairo_font_options_destroy(options);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GOOD);
}

CairoCanvas::~CairoCanvas()
{
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

void CairoCanvas::setColour(Rgb c, double alpha)
{
    cairo_set_source_rgba(cr_, c.r, c.g, c.b, alpha);
}

void CairoCanvas::setFont(double size)
{
    cairo_select_font_face(cr_, "serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr_, size);
}

double CairoCanvas::textWidth(const std::string& text)
{
    cairo_text_extents_t extents;
    cairo_text_extents(cr_, text.c_str(), &extents);
    return extents.x_advance;
}

uint32_t& CairoCanvas::word(int x, int y) const
{
    unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    return *reinterpret_cast<uint32_t*>(data + size_t(y) * stride + size_t(x) * 4);
}

namespace {

cairo_surface_t* surfaceFrom(const Image& image)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.at(x, y);
            const uint32_t a = image.channels == 4 ? p[3] : 255;
            auto pre = [a](uint32_t c) { return (c * a + 127) / 255; };
            row[x] = (a << 24) | (pre(p[0]) << 16) | (pre(p[1]) << 8) | pre(p[2]);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

} // namespace

void CairoCanvas::overlay(int step, const std::function<Tint(int x, int y)>& f)
{
    Image coarse(width_ / step + 2, height_ / step + 2, 4);
    for (int y = 0; y < coarse.height; ++y) {
        for (int x = 0; x < coarse.width; ++x) {
            const Tint t = f(x * step + step / 2, y * step + step / 2);
            uint8_t* p = coarse.at(x, y);
            p[0] = uint8_t(clamp01(t.colour.r) * 255.0f + 0.5f);
            p[1] = uint8_t(clamp01(t.colour.g) * 255.0f + 0.5f);
            p[2] = uint8_t(clamp01(t.colour.b) * 255.0f + 0.5f);
            p[3] = uint8_t(clamp01(t.opacity) * 255.0f + 0.5f);
        }
    }
    cairo_surface_t* layer = surfaceFrom(coarse);
    cairo_save(cr_);
    cairo_scale(cr_, step, step);
    cairo_set_source_surface(cr_, layer, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_BILINEAR);
    cairo_pattern_set_extend(cairo_get_source(cr_), CAIRO_EXTEND_PAD);
    cairo_paint(cr_);
    cairo_restore(cr_);
    cairo_surface_destroy(layer);
}

void CairoCanvas::paste(
    const Image& image, double x, double y, double scale, int repeatWidth, int repeatHeight)
{
    cairo_surface_t* picture = surfaceFrom(image);
    const double w = repeatWidth > 0 ? repeatWidth : image.width;
    const double h = repeatHeight > 0 ? repeatHeight : image.height;
    cairo_save(cr_);
    cairo_translate(cr_, x, y);
    cairo_scale(cr_, scale, scale);
    cairo_set_source_surface(cr_, picture, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), scale >= 1 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(cr_), CAIRO_EXTEND_REPEAT);
    cairo_rectangle(cr_, 0, 0, w, h);
    cairo_fill(cr_);
    cairo_restore(cr_);
    cairo_surface_destroy(picture);
}

Image CairoCanvas::toRgb()
{
    cairo_surface_flush(surface_);
    Image image(width_, height_, 3);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const uint32_t w = word(x, y);
            uint8_t* p = image.at(x, y);
            p[0] = uint8_t(w >> 16);
            p[1] = uint8_t(w >> 8);
            p[2] = uint8_t(w);
        }
    }
    return image;
}

Image CairoCanvas::toRgba(Rgb matte)
{
    cairo_surface_flush(surface_);
    Image image(width_, height_, 4);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const uint32_t w = word(x, y);
            const uint32_t a = w >> 24;
            uint8_t* p = image.at(x, y);
            if (a == 0) {
                p[0] = uint8_t(std::lround(clamp01(matte.r) * 255.0f));
                p[1] = uint8_t(std::lround(clamp01(matte.g) * 255.0f));
                p[2] = uint8_t(std::lround(clamp01(matte.b) * 255.0f));
                p[3] = 0;
                continue;
            }
            // Cairo keeps colour premultiplied by alpha; PNG wants it straight.
            auto straight = [a](uint32_t c) { return std::min(255u, (c * 255 + a / 2) / a); };
            p[0] = uint8_t(straight((w >> 16) & 0xff));
            p[1] = uint8_t(straight((w >> 8) & 0xff));
            p[2] = uint8_t(straight(w & 0xff));
            p[3] = uint8_t(a);
        }
    }
    return image;
}

void releaseFontCaches()
{
    cairo_debug_reset_static_data();
    FcFini();
}

} // namespace datagen
