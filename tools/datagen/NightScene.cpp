#include "tools/datagen/NightScene.h"

#include "tools/datagen/CairoCanvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace datagen {

namespace {

constexpr double kPi = 3.14159265358979;
constexpr int kLayers = 4;

// Fog density sampled from a coarse noise grid, so the per-pixel passes
// over a full-screen picture stay cheap.
class FogField {
public:
    FogField(int width, int height, uint32_t seed)
        : w_(width / 8 + 2)
        , h_(height / 8 + 2)
        , values_(size_t(w_) * h_)
    {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                values_[size_t(y) * w_ + x] = tileFbm(float(x) / w_, float(y) / h_, 6, 12, 4, seed);
    }
    float at(int px, int py) const
    {
        const float fx = px / 8.0f, fy = py / 8.0f;
        const int x = std::min(int(fx), w_ - 2), y = std::min(int(fy), h_ - 2);
        const float tx = std::min(fx - x, 1.0f), ty = std::min(fy - y, 1.0f);
        auto v = [this](int i, int j) { return values_[size_t(j) * w_ + i]; };
        return (v(x, y) * (1 - tx) + v(x + 1, y) * tx) * (1 - ty)
            + (v(x, y + 1) * (1 - tx) + v(x + 1, y + 1) * tx) * ty;
    }

private:
    int w_, h_;
    std::vector<float> values_;
};

void paintSky(CairoCanvas& canvas, const SceneStyle& style, Rng& rng)
{
    cairo_t* cr = canvas.cr();
    const double w = canvas.width(), h = canvas.height();
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, h * 0.75);
    cairo_pattern_add_color_stop_rgb(sky, 0, style.skyTop.r, style.skyTop.g, style.skyTop.b);
    cairo_pattern_add_color_stop_rgb(sky, 1, style.skyHorizon.r, style.skyHorizon.g, style.skyHorizon.b);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    for (int i = 0; i < 420; ++i) {
        const double x = rng.uniform() * w, y = std::pow(rng.uniform(), 1.6) * h * 0.7;
        const double r = 0.4 + 1.1 * std::pow(rng.uniform(), 3.0);
        canvas.setColour(hexRgb(0xe8eeff), 0.25 + 0.75 * rng.uniform() * (1.0 - y / (h * 0.7)));
        cairo_arc(cr, x, y, r, 0, 2 * kPi);
        cairo_fill(cr);
    }
}

void paintMoon(CairoCanvas& canvas, const SceneStyle& style, Rng& rng)
{
    cairo_t* cr = canvas.cr();
    const double mx = style.moonX * canvas.width(), my = style.moonY * canvas.height();
    const double r = style.moonRadius * canvas.height();
    cairo_pattern_t* glow = cairo_pattern_create_radial(mx, my, r * 0.8, mx, my, r * 9);
    cairo_pattern_add_color_stop_rgba(glow, 0, style.moonGlow.r, style.moonGlow.g, style.moonGlow.b, 0.45);
    cairo_pattern_add_color_stop_rgba(glow, 0.3, style.moonGlow.r, style.moonGlow.g, style.moonGlow.b, 0.12);
    cairo_pattern_add_color_stop_rgba(glow, 1, style.moonGlow.r, style.moonGlow.g, style.moonGlow.b, 0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
    canvas.setColour(style.moon);
    cairo_arc(cr, mx, my, r, 0, 2 * kPi);
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    for (int i = 0; i < 7; ++i) {
        const double a = rng.uniform() * 2 * kPi, d = rng.uniform() * r * 0.7;
        const double bx = mx + std::cos(a) * d, by = my + std::sin(a) * d,
                     br = r * (0.2 + 0.3 * rng.uniform());
        const Rgb dark = style.moon * 0.72f;
        cairo_pattern_t* blot = cairo_pattern_create_radial(bx, by, 0, bx, by, br);
        cairo_pattern_add_color_stop_rgba(blot, 0, dark.r, dark.g, dark.b, 0.5);
        cairo_pattern_add_color_stop_rgba(blot, 1, dark.r, dark.g, dark.b, 0);
        cairo_set_source(cr, blot);
        cairo_paint(cr);
        cairo_pattern_destroy(blot);
    }
    cairo_restore(cr);
}

void pine(cairo_t* cr, double x, double ground, double height, Rng& rng)
{
    const int tiers = 6 + rng.below(4);
    const double top = ground - height;
    const double spread = height * (0.2 + 0.08 * rng.uniform());
    cairo_rectangle(cr, x - height * 0.018, ground - height * 0.2, height * 0.036, height * 0.2 + 4);
    cairo_move_to(cr, x, top);
    std::vector<double> widths(tiers), ys(tiers);
    for (int j = 0; j < tiers; ++j) {
        const double f = double(j + 1) / tiers;
        ys[j] = top + height * 0.85 * f;
        widths[j] = spread * f * (0.75 + 0.5 * rng.uniform());
    }
    for (int j = 0; j < tiers; ++j) {
        cairo_line_to(cr, x + widths[j], ys[j]);
        cairo_line_to(cr, x + widths[j] * 0.35, ys[j] - height * 0.04);
    }
    for (int j = tiers - 1; j >= 0; --j) {
        cairo_line_to(cr, x - widths[j] * 0.35, ys[j] - height * 0.04);
        cairo_line_to(cr, x - widths[j], ys[j] + height * 0.01 * rng.uniform());
    }
    cairo_close_path(cr);
    cairo_fill(cr);
}

void bareBranch(
    cairo_t* cr, double x, double y, double angle, double length, double width, int depth, Rng& rng)
{
    const double ex = x + std::cos(angle) * length, ey = y - std::sin(angle) * length;
    cairo_set_line_width(cr, width);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, ex, ey);
    cairo_stroke(cr);
    if (depth == 0)
        return;
    const int children = 2 + (rng.uniform() < 0.3 ? 1 : 0);
    for (int i = 0; i < children; ++i) {
        const double turn = (i - (children - 1) * 0.5) * 0.7 + (rng.uniform() - 0.5) * 0.5;
        bareBranch(
            cr, ex, ey, angle + turn, length * (0.62 + 0.15 * rng.uniform()), width * 0.62, depth - 1, rng);
    }
}

void reaper(cairo_t* cr, double x, double ground, double height)
{
    const double w = height * 0.32;
    cairo_move_to(cr, x - w * 0.12, ground - height);
    cairo_curve_to(cr, x + w * 0.3, ground - height * 1.02, x + w * 0.35, ground - height * 0.82, x + w * 0.3,
        ground - height * 0.75);
    cairo_curve_to(
        cr, x + w * 0.55, ground - height * 0.6, x + w * 0.5, ground - height * 0.3, x + w * 0.75, ground);
    for (int i = 0; i < 6; ++i) // ragged hem
        cairo_line_to(cr, x + w * (0.62 - 0.25 * i), ground - height * ((i % 2) ? 0.05 : 0.0));
    cairo_line_to(cr, x - w * 0.8, ground);
    cairo_curve_to(cr, x - w * 0.5, ground - height * 0.3, x - w * 0.55, ground - height * 0.6, x - w * 0.3,
        ground - height * 0.76);
    cairo_curve_to(cr, x - w * 0.4, ground - height * 0.88, x - w * 0.3, ground - height * 0.98, x - w * 0.12,
        ground - height);
    cairo_close_path(cr);
    cairo_fill(cr);
    // The scythe: a long staff and a curved blade.
    cairo_set_line_width(cr, height * 0.022);
    cairo_move_to(cr, x + w * 0.7, ground + height * 0.02);
    cairo_line_to(cr, x + w * 0.35, ground - height * 1.15);
    cairo_stroke(cr);
    cairo_move_to(cr, x + w * 0.35, ground - height * 1.15);
    cairo_curve_to(cr, x - w * 0.3, ground - height * 1.3, x - w * 0.9, ground - height * 1.1, x - w * 1.2,
        ground - height * 0.9);
    cairo_curve_to(cr, x - w * 0.8, ground - height * 1.05, x - w * 0.2, ground - height * 1.12, x + w * 0.35,
        ground - height * 1.08);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Two faint embers under the hood.
    cairo_set_source_rgba(cr, 0.9, 0.15, 0.08, 0.85);
    for (double side : { -1.0, 1.0 }) {
        cairo_arc(cr, x + side * w * 0.07, ground - height * 0.86, height * 0.008, 0, 2 * kPi);
        cairo_fill(cr);
    }
}

// The figure stands in a clearing against a pool of lit mist.
void paintReaper(CairoCanvas& canvas, const SceneStyle& style, double ground)
{
    cairo_t* cr = canvas.cr();
    const double x = canvas.width() * 0.5, h = canvas.height() * 0.3;
    cairo_pattern_t* mist = cairo_pattern_create_radial(x, ground - h * 0.5, 0, x, ground - h * 0.5, h * 1.2);
    cairo_pattern_add_color_stop_rgba(mist, 0, style.fog.r, style.fog.g, style.fog.b, 0.55);
    cairo_pattern_add_color_stop_rgba(mist, 1, style.fog.r, style.fog.g, style.fog.b, 0);
    cairo_set_source(cr, mist);
    cairo_paint(cr);
    cairo_pattern_destroy(mist);
    canvas.setColour(hexRgb(0x040203));
    reaper(cr, x, ground, h);
}

double layerGround(int layer, double h)
{
    return h * (0.62 + 0.11 * layer);
}

void paintLayer(CairoCanvas& canvas, const SceneStyle& style, int layer, Rng& rng)
{
    cairo_t* cr = canvas.cr();
    const double w = canvas.width(), h = canvas.height();
    const double ground = layerGround(layer, h);
    const float near = float(layer + 1) / kLayers;
    canvas.setColour(mix(style.fog * 0.7f, hexRgb(0x030504), 0.2f + 0.8f * near * std::sqrt(near)));
    // Rolling ground.
    cairo_move_to(cr, 0, h);
    for (int i = 0; i <= 16; ++i)
        cairo_line_to(
            cr, w * i / 16.0, ground + h * 0.015 * std::sin(i * 1.7 + layer) + h * 0.01 * rng.uniform());
    cairo_line_to(cr, w, h);
    cairo_close_path(cr);
    cairo_fill(cr);
    const double spacing = h * 0.045 * (1 + 1.2 * layer);
    for (double x = -spacing * rng.uniform(); x < w + spacing; x += spacing * (0.5 + rng.uniform())) {
        // The nearest trees frame the picture and leave its middle open.
        if (layer == kLayers - 1 && x > w * 0.2 && x < w * 0.8)
            continue;
        if (style.reaper && layer == kLayers - 2 && x > w * 0.42 && x < w * 0.58)
            continue; // a clearing for the figure
        const double height = h * (0.13 + 0.08 * rng.uniform()) * (1 + 1.1 * layer);
        if (layer == kLayers - 1 && rng.uniform() < 0.35) {
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            bareBranch(cr, x, ground + h * 0.05, kPi / 2 + (rng.uniform() - 0.5) * 0.2, height * 0.35,
                height * 0.05, 6, rng);
        } else {
            pine(cr, x, ground + h * 0.01, height, rng);
        }
    }
}

// Drifting fog in a band around a ground line, brighter where the moon
// lights it.
void paintFog(CairoCanvas& canvas, const SceneStyle& style, const FogField& field, double bandY,
    double thickness, float amount)
{
    const float mx = style.moonX * canvas.width(), my = style.moonY * canvas.height();
    const float h = float(canvas.height());
    canvas.overlay(4, [&](int x, int y) {
        const float d = (float(y) - float(bandY)) / float(thickness);
        const float density = amount * std::exp(-d * d) * (0.35f + 0.9f * field.at(x, y));
        const float glow = std::exp(-std::hypot(x - mx, y - my) / (h * 0.45f));
        const Rgb lit = style.fog * (0.7f + 0.6f * glow) + style.moonGlow * (0.15f * glow);
        return CairoCanvas::Tint { lit, clamp01(density) };
    });
}

} // namespace

Image paintNightForest(const SceneStyle& style, int width, int height)
{
    CairoCanvas canvas(width, height);
    Rng rng(style.seed);
    const FogField field(width, height, style.seed + 11);
    paintSky(canvas, style, rng);
    paintMoon(canvas, style, rng);
    for (int layer = 0; layer < kLayers; ++layer) {
        paintLayer(canvas, style, layer, rng);
        const double ground = layerGround(layer, height);
        paintFog(canvas, style, field, ground - height * 0.02, height * (0.05 + 0.02 * layer),
            style.fogDensity * (layer == kLayers - 1 ? 0.9f : 0.6f));
        if (style.reaper && layer == kLayers - 2)
            paintReaper(canvas, style, ground);
    }
    const float cx = width * 0.5f, cy = height * 0.5f;
    canvas.overlay(8, [&](int x, int y) {
        const float dx = (x - cx) / cx, dy = (y - cy) / cy;
        return CairoCanvas::Tint { {}, 0.45f * std::min(1.0f, 0.5f * (dx * dx + dy * dy)) };
    });
    return canvas.toRgb();
}

} // namespace datagen
