#include "tools/datagen/CairoCanvas.h"
#include "tools/datagen/TextureSet.h"

#include <algorithm>
#include <cmath>

namespace datagen {

namespace {

constexpr int kPad = 16;
constexpr int kLabel = 24;
const Rgb kBackground = hexRgb(0x26282a);

std::string shortName(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void label(CairoCanvas& canvas, const std::string& text, double x, double y)
{
    canvas.setFont(15);
    canvas.setColour(hexRgb(0xe6e6e6));
    cairo_move_to(canvas.cr(), x, y);
    cairo_show_text(canvas.cr(), text.c_str());
}

void checkerboard(CairoCanvas& canvas, int x0, int y0, int w, int h)
{
    for (int y = 0; y < h; y += 8) {
        for (int x = 0; x < w; x += 8) {
            canvas.setColour(((x + y) / 8) % 2 ? hexRgb(0x8a8a8a) : hexRgb(0x5a5a5a));
            cairo_rectangle(canvas.cr(), x0 + x, y0 + y, std::min(8, w - x), std::min(8, h - y));
            cairo_fill(canvas.cr());
        }
    }
}

// A grid of equal cells, one per block texture.
template <class Draw> Image blockGrid(const std::vector<NamedImage>& blocks, int cell, Draw draw)
{
    constexpr int kColumns = 6;
    const int rows = (int(blocks.size()) + kColumns - 1) / kColumns;
    CairoCanvas canvas(kColumns * (cell + kPad) + kPad, rows * (cell + kPad + kLabel) + kPad);
    canvas.setColour(kBackground);
    cairo_paint(canvas.cr());
    for (size_t i = 0; i < blocks.size(); ++i) {
        const int x = kPad + int(i % kColumns) * (cell + kPad);
        const int y = kPad + int(i / kColumns) * (cell + kPad + kLabel);
        draw(canvas, blocks[i].image, x, y);
        label(canvas, shortName(blocks[i].path), x, y + cell + 17);
    }
    return canvas.toRgb();
}

} // namespace

Image makeBlockContactSheet(const std::vector<NamedImage>& blocks)
{
    constexpr int kScale = 4;
    return blockGrid(blocks, kBlockTextureSize * kScale,
        [](CairoCanvas& canvas, const Image& image, int x, int y) { canvas.paste(image, x, y, kScale); });
}

Image makeBlockNightSheet(const std::vector<NamedImage>& blocks)
{
    constexpr int kTiles = 3;
    const int cell = kBlockTextureSize * kTiles;
    return blockGrid(blocks, cell, [cell](CairoCanvas& canvas, const Image& image, int x, int y) {
        cairo_t* cr = canvas.cr();
        canvas.paste(image, x, y, 1, cell, cell);
        cairo_save(cr);
        cairo_rectangle(cr, x, y, cell, cell);
        cairo_clip(cr);
        // A warm torch beam: full light in the middle, near darkness at the rim.
        cairo_set_operator(cr, CAIRO_OPERATOR_MULTIPLY);
        canvas.setColour(hexRgb(0xfff0d0));
        cairo_paint(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        const double c = cell / 2.0;
        cairo_pattern_t* beam = cairo_pattern_create_radial(x + c, y + c, 0, x + c, y + c, c * 1.3);
        cairo_pattern_add_color_stop_rgba(beam, 0, 0, 0, 0, 0);
        cairo_pattern_add_color_stop_rgba(beam, 0.4, 0, 0, 0, 0.35);
        cairo_pattern_add_color_stop_rgba(beam, 1, 0, 0, 0, 0.93);
        cairo_set_source(cr, beam);
        cairo_paint(cr);
        cairo_pattern_destroy(beam);
        cairo_restore(cr);
    });
}

Image makeImageContactSheet(const std::vector<NamedImage>& images)
{
    constexpr int kMaxWidth = 1600;
    struct Placed {
        Image image;
        std::string name;
        double scale;
        int x = 0, y = 0;
    };
    std::vector<Placed> placed;
    for (const NamedImage& n : images) {
        Image shown = applyStorage(n.image, n.storage);
        double scale = 1;
        if (shown.width >= 700)
            scale = 0.5;
        else if (shown.width <= 48)
            scale = 4;
        else if (shown.width <= 200)
            scale = 2;
        placed.push_back({ std::move(shown), shortName(n.path), scale });
    }
    // Shelf packing: left to right, a new row when the next picture won't fit.
    int x = kPad, y = kPad, rowHeight = 0, width = 0;
    for (Placed& p : placed) {
        const int w = std::max(int(p.image.width * p.scale), 160), h = int(p.image.height * p.scale) + kLabel;
        if (x + w + kPad > kMaxWidth && x > kPad) {
            x = kPad;
            y += rowHeight + kPad;
            rowHeight = 0;
        }
        p.x = x;
        p.y = y;
        x += w + kPad;
        rowHeight = std::max(rowHeight, h);
        width = std::max(width, x);
    }
    CairoCanvas canvas(width, y + rowHeight + kPad);
    canvas.setColour(kBackground);
    cairo_paint(canvas.cr());
    for (const Placed& p : placed) {
        const int w = int(p.image.width * p.scale), h = int(p.image.height * p.scale);
        if (p.image.channels == 4)
            checkerboard(canvas, p.x, p.y, w, h);
        canvas.paste(p.image, p.x, p.y, p.scale);
        label(canvas, p.name, p.x, p.y + h + 17);
    }
    return canvas.toRgb();
}

} // namespace datagen
