#include "render/DepthTiles.h"

#include <algorithm>
#include <cmath>
#include <glm/vec4.hpp>

namespace {

// A 24-bit depth buffer holds its values in steps of 2^-24; a fragment's depth is rounded to
// them. A box counts as hidden only when it lies a few steps beyond.
constexpr float DEPTH_MARGIN = 4.0f / 16777216.0f;

} // namespace

void DepthTiles::build(const std::vector<float>& depths, int w, int h)
{
    width = w;
    height = h;
    cols = (w + TILE - 1) / TILE;
    rowCount = (h + TILE - 1) / TILE;
    farthest.assign(size_t(cols) * size_t(rowCount), 0.0f);
    for (int y = 0; y < h; ++y) {
        const float* row = depths.data() + size_t(y) * size_t(w);
        float* tiles = farthest.data() + size_t(y / TILE) * size_t(cols);
        for (int x = 0; x < w; ++x) {
            float& tile = tiles[x / TILE];
            tile = std::max(tile, row[x]);
        }
    }
}

bool DepthTiles::read(GLuint framebuffer, int w, int h)
{
    if (w <= 0 || h <= 0)
        return false;
    readBuffer.resize(size_t(w) * size_t(h));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glReadPixels(0, 0, w, h, GL_DEPTH_COMPONENT, GL_FLOAT, readBuffer.data());
    build(readBuffer, w, h);
    return true;
}

bool DepthTiles::hides(const glm::mat4& projView, const glm::vec3& min, const glm::vec3& max) const
{
    return hides(projView, min, max, SPLITS);
}

bool DepthTiles::hides(const glm::mat4& projView, const glm::vec3& min, const glm::vec3& max, int splits) const
{
    if (farthest.empty() || splits < 0)
        return false;
    return hiddenPart(projView, min, max, splits, true);
}

// A box seen at a slant is far nearer at one corner than over most of what it covers, so one
// nearest depth for all of it keeps many hidden boxes in. Its eight halves, each with its own
// nearest depth and its own tiles, cover the same space: when every half is hidden, or shows
// nothing on the screen, so is the box.
bool DepthTiles::hiddenPart(
    const glm::mat4& projView, const glm::vec3& min, const glm::vec3& max, int splits, bool whole) const
{
    const Cover cover = coverOf(projView, min, max);
    if (cover == Cover::Hidden)
        return true;
    if (cover == Cover::OffScreen)
        return !whole; // off the screen is the view volume's test; a part there shows nothing
    if (cover == Cover::Unknown || splits == 0)
        return false;
    // A thin box (a plane of faces, a patch of flat ground) is halved only across its widths:
    // halving its thickness would test much the same halves twice.
    const glm::vec3 size = max - min;
    const float widest = std::max(size.x, std::max(size.y, size.z));
    int across = 0;
    glm::vec3 cut = max; // where the lower halves end: the box's far side on an axis not halved
    for (int axis = 0; axis < 3; ++axis) {
        if (size[axis] >= 0.25f * widest) {
            across |= 1 << axis;
            cut[axis] = (min[axis] + max[axis]) * 0.5f;
        }
    }
    for (int k = 0; k < 8; ++k) {
        if ((k & across) != k)
            continue;
        const glm::vec3 lo((k & 1) ? cut.x : min.x, (k & 2) ? cut.y : min.y, (k & 4) ? cut.z : min.z);
        const glm::vec3 hi((k & 1) ? max.x : cut.x, (k & 2) ? max.y : cut.y, (k & 4) ? max.z : cut.z);
        if (!hiddenPart(projView, lo, hi, splits - 1, false))
            return false;
    }
    return true;
}

DepthTiles::Cover DepthTiles::coverOf(const glm::mat4& projView, const glm::vec3& min, const glm::vec3& max) const
{
    float x0 = 1e30f, y0 = 1e30f, x1 = -1e30f, y1 = -1e30f, nearest = 1e30f;
    // A box flat along an axis, as one quad's is, has only four distinct corners.
    const int flat = (min.x == max.x ? 1 : 0) | (min.y == max.y ? 2 : 0) | (min.z == max.z ? 4 : 0);
    for (int k = 0; k < 8; ++k) {
        if ((k & flat) != 0)
            continue;
        const glm::vec4 corner((k & 1) ? max.x : min.x, (k & 2) ? max.y : min.y, (k & 4) ? max.z : min.z, 1.0f);
        const glm::vec4 clip = projView * corner;
        // A corner at or behind the eye's plane: the box may cover the whole view.
        if (clip.w <= 1e-4f)
            return Cover::Unknown;
        const float sx = (clip.x / clip.w * 0.5f + 0.5f) * float(width);
        const float sy = (clip.y / clip.w * 0.5f + 0.5f) * float(height);
        x0 = std::min(x0, sx);
        x1 = std::max(x1, sx);
        y0 = std::min(y0, sy);
        y1 = std::max(y1, sy);
        nearest = std::min(nearest, clip.z / clip.w * 0.5f + 0.5f);
    }
    if (nearest <= 0.0f)
        return Cover::Unknown; // nearer than the near plane
    if (x1 < 0.0f || y1 < 0.0f || x0 >= float(width) || y0 >= float(height))
        return Cover::OffScreen;
    const int c0 = std::max(0, int(std::floor(x0)) / TILE), c1 = std::min(cols - 1, int(std::floor(x1)) / TILE);
    const int r0 = std::max(0, int(std::floor(y0)) / TILE), r1 = std::min(rowCount - 1, int(std::floor(y1)) / TILE);
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c) {
            if (!(farthest[size_t(r * cols + c)] + DEPTH_MARGIN < nearest))
                return Cover::Shows;
        }
    }
    return Cover::Hidden;
}
