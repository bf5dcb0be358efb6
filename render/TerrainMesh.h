#pragma once

#include <GL/glew.h>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <glm/common.hpp>
#include <glm/vec3.hpp>
#include <vector>

// One corner of a terrain quad in four bytes: its position in steps from the mesh's origin
// (a voxel for chunk meshes) and the block type, with the face direction in the top bits.
// The shaders read it as an unsigned integer vector at location 0.
struct TerrainVertex {
    uint8_t x = 0, y = 0, z = 0;
    uint8_t typeAndFace = 0;
};
static_assert(sizeof(TerrainVertex) == 4);

// The face direction shares its byte with the block type (1 to 23 fit in the low five bits).
constexpr int TERRAIN_FACE_SHIFT = 5;
constexpr uint8_t TERRAIN_TYPE_MASK = (1 << TERRAIN_FACE_SHIFT) - 1;

// Where a mesh sits: the shaders place a corner at origin + step * corner. Both reach the
// shaders as constant vertex attributes (locations 1 and 2), so any shader that reads the
// terrain format places meshes without knowing uniform names.
struct TerrainPlacement {
    glm::vec3 origin { 0.0f };
    glm::vec3 step { 0.5f };
    // The box the corners fill (before the shaders grow the quads), set by
    // finishTerrainIndices. Often far smaller than the draw node: a patch of flat ground is
    // one voxel thick in a node sixteen high, so view, cone and occlusion tests on it leave
    // out more while never leaving out a drawn corner.
    glm::vec3 lo { 0.0f };
    glm::vec3 hi { 0.0f };
};

// Where the faces of each direction lie in the index buffer. Within a direction the quads come
// by plane, in slots: slot k holds plane k for faces looking along -axis and plane
// TERRAIN_PLANE_SLOTS - 1 - k for faces looking along +axis. The faces nearest an eye in front of
// them therefore come first, and the faces whose plane lies behind an eye (turned away from it)
// form a prefix that a draw can leave out.
constexpr int TERRAIN_PLANE_SLOTS = 33; // the face planes along a draw node's 32 voxels

// The box one quad's corners fill, in steps from the mesh's origin: enough to test a single
// quad against what hides it, without keeping the corners themselves.
struct TerrainQuadBox {
    std::array<uint8_t, 3> lo {}, hi {};
};

// Any number of index ranges for one draw, each joined to the one before where they meet.
struct TerrainDrawRuns {
    std::vector<const void*> offsets; // where each range starts in the index buffer, in bytes
    std::vector<GLsizei> indices; // indices from there
    size_t triangles = 0;
    size_t indexSize = 2; // bytes per index of the mesh the ranges are for

    void clear(size_t bytesPerIndex);
    void add(uint32_t firstIndex, uint32_t count);
};

// Up to one index range per direction, ready for a draw.
struct TerrainDrawRanges {
    int count = 0;
    std::array<uint32_t, 6> first {}; // first index
    std::array<uint32_t, 6> indices {}; // indices from there
    size_t triangles() const;
};

struct TerrainFaceRanges {
    std::array<uint32_t, 6> faceFirst {}; // first index of each direction
    std::array<uint32_t, 6> faceCount {}; // indices of each direction
    // planeQuads[f][k]: quads of direction f in the slots before k; [f][TERRAIN_PLANE_SLOTS] is all.
    std::array<std::array<uint16_t, TERRAIN_PLANE_SLOTS + 1>, 6> planeQuads {};
    bool byPlane = false; // false: the quads are in no plane order, every direction is drawn whole

    // The directions of faceMask, each whole.
    TerrainDrawRanges all(uint8_t faceMask = 0x3F) const;
    // The faces that can face `eye`: per direction, those whose plane lies strictly on the eye's
    // side. Planes are placed like the corners (origin + step * plane on the face's axis).
    TerrainDrawRanges seenFrom(const glm::vec3& eye, const glm::vec3& origin, const glm::vec3& step) const;
    // seenFrom less, in each direction, the farthest planes for which hiddenPlane(face, plane)
    // holds (plane: its place on the face's axis); the search stops at the first that may show.
    TerrainDrawRanges seenFrom(const glm::vec3& eye, const glm::vec3& origin, const glm::vec3& step,
        const std::function<bool(int, float)>& hiddenPlane) const;
};

// The CPU side of a terrain mesh: quads of four corners and six indices, grouped by face
// direction (0 -X, 1 -Y, 2 -Z, 3 +X, 4 +Y, 5 +Z) so a draw can leave out the faces that turn
// away from the eye. Indices are 16-bit while the corners allow it, 32-bit beyond.
struct TerrainMeshData {
    TerrainPlacement placement;
    std::vector<TerrainVertex> vertices;
    std::vector<uint16_t> indices16;
    std::vector<uint32_t> indices32;
    std::vector<TerrainQuadBox> quadBoxes; // one per quad, set by finishTerrainIndices
    TerrainFaceRanges ranges;

    size_t indexCount() const { return indices16.size() + indices32.size(); }
    size_t quadCount() const { return vertices.size() / 4; }
    // What the mesh takes on the GPU: corners and indices.
    size_t gpuBytes() const
    {
        return vertices.size() * sizeof(TerrainVertex) + indices16.size() * sizeof(uint16_t)
            + indices32.size() * sizeof(uint32_t);
    }
};

// Appends one quad of face direction `face` lying in plane `plane` of that face's axis and
// covering [u0, u1) x [v0, v1) of the two other axes, in the order (axis + 1) % 3, (axis + 2) % 3.
// Corners wind counter-clockwise seen from outside, and come in a fixed order the world
// shader relies on: (u0, v0), (u1, v0), (u1, v1), (u0, v1) for faces looking along +axis, the
// reverse for the others. Call finishTerrainIndices once after the last.
struct TerrainQuad {
    uint8_t plane = 0, u0 = 0, v0 = 0, u1 = 0, v1 = 0, type = 0;
};
void appendTerrainQuad(TerrainMeshData& data, int face, const TerrainQuad& quad);
// Writes the indices of all quads (appended in direction order) and the six ranges. With
// planeQuads (counted as TerrainFaceRanges describes) the ranges also know their planes.
void finishTerrainIndices(TerrainMeshData& data, const std::array<uint32_t, 6>& quadsPerFace,
    const std::array<std::array<uint16_t, TERRAIN_PLANE_SLOTS + 1>, 6>* planeQuads = nullptr);

// Bit f set: draw direction f.
constexpr uint8_t ALL_TERRAIN_FACES = 0x3F;

// Which quads of a mesh one pass found showing when it last drew it, and in which of its
// frames. The pass's next frame draws those first, so the depth it reads back holds nearly the
// whole picture, and tests only the others against it.
class TerrainQuadsShown {
public:
    // Whether this is the record of frame `frame` (never of frame 0).
    bool madeIn(uint64_t frame) const { return frame != 0 && madeFrame == frame; }
    bool shows(uint32_t quad) const { return quad < quads && ((shown[quad >> 6] >> (quad & 63)) & 1u) != 0; }
    // A new record of `count` quads, none showing yet, that replaces this one once finished;
    // markShowing takes quads below `count`.
    void begin(size_t count);
    void markShowing(uint32_t quad) { next[quad >> 6] |= uint64_t(1) << (quad & 63); }
    void finish(uint64_t frame);

private:
    uint64_t madeFrame = 0;
    size_t quads = 0, nextQuads = 0;
    std::vector<uint64_t> shown, next;
};

// The GPU side: one vertex array object holding the corner and index buffers. Created, drawn
// and destroyed on the main thread with a GL context.
class TerrainMesh {
public:
    explicit TerrainMesh(const TerrainMeshData& data);
    ~TerrainMesh();
    TerrainMesh(const TerrainMesh&) = delete;
    TerrainMesh& operator=(const TerrainMesh&) = delete;

    // Draws the directions of faceMask with one call; returns the triangles drawn.
    size_t draw(uint8_t faceMask = ALL_TERRAIN_FACES) const;
    // Draws the given ranges with one call; returns the triangles drawn.
    size_t draw(const TerrainDrawRanges& ranges) const;
    size_t draw(const TerrainDrawRuns& runs) const;
    // The quads of `ranges` for which hidden(lo, hi) does not hold, given their boxes placed as
    // the corners are (before the shaders grow them).
    template <class Hidden> void quadsNotHidden(const TerrainDrawRanges& ranges, Hidden&& hidden, TerrainDrawRuns& out) const;
    // fn(quad, lo, hi) for each quad of `ranges`, nearest plane first within a direction.
    template <class Fn> void forEachQuad(const TerrainDrawRanges& ranges, Fn&& fn) const;
    size_t quadCount() const { return quadBoxes.size(); }
    size_t indexBytes() const { return indexSize; } // per index: 2 or 4
    // One record per pass that keeps one (see TerrainQuadsShown); a new mesh starts with none.
    TerrainQuadsShown& quadsShown(size_t pass) { return shown[pass]; }
    static constexpr size_t SHOWN_PASSES = 2;

    size_t indexCount() const { return indices; }
    size_t gpuBytes() const { return bytes; }
    const TerrainFaceRanges& faceRanges() const { return ranges; }
    const TerrainPlacement& meshPlacement() const { return placement; }
    // A number no other mesh of this run had: unlike the address, it tells a mesh made again
    // in the same place (after an edit) from the one it replaced.
    uint64_t serial() const { return serialNumber; }

private:
    uint64_t serialNumber = 0;
    GLuint vao = 0, vertexBuffer = 0, indexBuffer = 0;
    GLenum indexType = GL_UNSIGNED_SHORT;
    size_t indexSize = 2;
    size_t indices = 0;
    size_t bytes = 0;
    TerrainPlacement placement;
    TerrainFaceRanges ranges;
    std::vector<TerrainQuadBox> quadBoxes;
    std::array<TerrainQuadsShown, SHOWN_PASSES> shown;
};

// fn(quad, lo, hi) for each quad of `ranges`, given its box placed as the corners are.
template <class Fn>
void forEachQuadBox(const std::vector<TerrainQuadBox>& boxes, const TerrainPlacement& at,
    const TerrainDrawRanges& ranges, Fn&& fn)
{
    for (int i = 0; i < ranges.count; ++i) {
        const uint32_t end = (ranges.first[size_t(i)] + ranges.indices[size_t(i)]) / 6;
        for (uint32_t q = ranges.first[size_t(i)] / 6; q < end && q < boxes.size(); ++q) {
            const TerrainQuadBox& b = boxes[q];
            const glm::vec3 a = at.origin + at.step * glm::vec3(b.lo[0], b.lo[1], b.lo[2]);
            const glm::vec3 c = at.origin + at.step * glm::vec3(b.hi[0], b.hi[1], b.hi[2]);
            fn(q, glm::min(a, c), glm::max(a, c));
        }
    }
}

// Adds to `out` the quads of `ranges` for which hidden(lo, hi) does not hold, given their boxes
// placed as the corners are (before the shaders grow them).
template <class Hidden>
void addQuadsNotHidden(const std::vector<TerrainQuadBox>& boxes, const TerrainPlacement& at,
    const TerrainDrawRanges& ranges, Hidden&& hidden, TerrainDrawRuns& out)
{
    forEachQuadBox(boxes, at, ranges, [&](uint32_t q, const glm::vec3& lo, const glm::vec3& hi) {
        if (!hidden(lo, hi))
            out.add(q * 6, 6);
    });
}

template <class Fn> void TerrainMesh::forEachQuad(const TerrainDrawRanges& ranges, Fn&& fn) const
{
    forEachQuadBox(quadBoxes, placement, ranges, fn);
}

template <class Hidden>
void TerrainMesh::quadsNotHidden(const TerrainDrawRanges& ranges, Hidden&& hidden, TerrainDrawRuns& out) const
{
    out.clear(indexSize);
    addQuadsNotHidden(quadBoxes, placement, ranges, hidden, out);
}
