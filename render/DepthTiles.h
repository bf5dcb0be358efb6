#pragma once

#include <GL/glew.h>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <vector>

// The farthest depth in each tile of a depth buffer already drawn. A box whose nearest point
// lies behind the farthest depth of every tile it covers on screen cannot show a single pixel:
// the depth test would reject all of it. On a software renderer, where every submitted
// triangle costs before that test, the terrain drawn first (the nearest) is read back this
// way and the rest tested against it.
class DepthTiles {
public:
    static constexpr int TILE = 2; // pixels per tile edge

    // From window-space depths (0 near, 1 far), rows bottom up as GL reads them.
    void build(const std::vector<float>& depths, int width, int height);
    // Reads the depth attachment of `framebuffer` (single-sampled) and builds from it; false
    // when there is nothing to read. Needs GL; waits for the drawing so far.
    bool read(GLuint framebuffer, int width, int height);

    // The box, seen through projView onto this buffer, lies behind everything drawn there.
    // Boxes reaching behind the eye never count as hidden.
    bool hides(const glm::mat4& projView, const glm::vec3& min, const glm::vec3& max) const;
    // The same with the box halved at most `splits` times where one nearest depth keeps it in:
    // a box a few pixels wide, such as one quad's, is hidden whole or not at all, and 0 saves
    // the halving.
    bool hides(const glm::mat4& projView, const glm::vec3& min, const glm::vec3& max, int splits) const;

    int columns() const { return cols; }
    int rows() const { return rowCount; }
    float tileDepth(int column, int row) const { return farthest[size_t(row * cols + column)]; }

private:
    static constexpr int SPLITS = 3; // how many times a box may be halved before it counts as shown
    enum class Cover { Hidden, Shows, OffScreen, Unknown };
    bool hiddenPart(const glm::mat4& projView, const glm::vec3& min, const glm::vec3& max, int splits, bool whole) const;
    Cover coverOf(const glm::mat4& projView, const glm::vec3& min, const glm::vec3& max) const;

    int width = 0, height = 0, cols = 0, rowCount = 0;
    std::vector<float> farthest;
    std::vector<float> readBuffer;
};
