#pragma once

// A cairo image surface for pictures drawn with paths and text (GUI images,
// night scenes, contact sheets). Font rendering options are fixed here rather
// than taken from the system's font configuration, so text comes out the
// same on every run.
#include "tools/datagen/DataGen.h"
#include "tools/datagen/Procedural.h"

#include <cairo.h>
#include <functional>
#include <string>

namespace datagen {

class CairoCanvas {
public:
    CairoCanvas(int width, int height);
    ~CairoCanvas();
    CairoCanvas(const CairoCanvas&) = delete;
    CairoCanvas& operator=(const CairoCanvas&) = delete;

    cairo_t* cr() { return cr_; }
    int width() const { return width_; }
    int height() const { return height_; }

    void setColour(Rgb c, double alpha = 1.0);
    // Selects the bold serif face at `size` pixels.
    void setFont(double size);
    // Width in pixels of `text` in the current font.
    double textWidth(const std::string& text);

    // Blends a smooth, coarse layer (fog, light falloff) over the picture:
    // f(x, y) gives colour and opacity at picture pixel (x, y) and is
    // sampled every `step` pixels, then magnified smoothly.
    struct Tint {
        Rgb colour;
        float opacity = 0;
    };
    void overlay(int step, const std::function<Tint(int x, int y)>& f);
    // Draws `image` with its top-left corner at (x, y), scaled by `scale`
    // (sharp pixels when enlarged, smoothed when reduced), optionally
    // repeated to fill `repeatWidth` x `repeatHeight` before scaling.
    void paste(
        const Image& image, double x, double y, double scale, int repeatWidth = 0, int repeatHeight = 0);

    // Pixels as 8-bit RGB, or as straight (not premultiplied) RGBA. Fully
    // transparent pixels take the `matte` colour so that filtering at the
    // edge of a shape does not pull in black.
    Image toRgb();
    Image toRgba(Rgb matte);

private:
    uint32_t& word(int x, int y) const;

    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// Frees cairo's and fontconfig's process-wide caches once no canvas is
// alive, so leak checkers see a clean exit after text was drawn.
void releaseFontCaches();

} // namespace datagen
