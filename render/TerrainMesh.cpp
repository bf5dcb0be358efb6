#include "render/TerrainMesh.h"

#include <algorithm>
#include <glm/common.hpp>
#include <cmath>

void appendTerrainQuad(TerrainMeshData& data, int face, const TerrainQuad& quad)
{
    const int axis = face % 3;
    const int u = (axis + 1) % 3;
    const int v = (axis + 2) % 3;
    // (u, v) turns counter-clockwise seen from the +axis side; faces looking the other way
    // take the corners in reverse.
    const uint8_t corners[4][2] = {
        { quad.u0, quad.v0 }, { quad.u1, quad.v0 }, { quad.u1, quad.v1 }, { quad.u0, quad.v1 }
    };
    const bool positive = face >= 3;
    const uint8_t typeAndFace = uint8_t((quad.type & TERRAIN_TYPE_MASK) | (face << TERRAIN_FACE_SHIFT));
    for (int i = 0; i < 4; ++i) {
        const uint8_t* c = corners[positive ? i : 3 - i];
        uint8_t p[3];
        p[axis] = quad.plane;
        p[u] = c[0];
        p[v] = c[1];
        data.vertices.push_back(TerrainVertex { p[0], p[1], p[2], typeAndFace });
    }
}

namespace {

template <class Index> void writeQuadIndices(std::vector<Index>& out, size_t quads)
{
    out.resize(quads * 6);
    Index* i = out.data();
    for (size_t q = 0; q < quads; ++q) {
        const Index base = Index(q * 4);
        *i++ = base;
        *i++ = Index(base + 1);
        *i++ = Index(base + 2);
        *i++ = Index(base + 2);
        *i++ = Index(base + 3);
        *i++ = base;
    }
}

}

void finishTerrainIndices(TerrainMeshData& data, const std::array<uint32_t, 6>& quadsPerFace,
    const std::array<std::array<uint16_t, TERRAIN_PLANE_SLOTS + 1>, 6>* planeQuads)
{
    const size_t quads = data.quadCount();
    if (!data.vertices.empty()) {
        glm::uvec3 lo(255u), hi(0u);
        for (const TerrainVertex& v : data.vertices) {
            const glm::uvec3 c(v.x, v.y, v.z);
            lo = glm::min(lo, c);
            hi = glm::max(hi, c);
        }
        TerrainPlacement& at = data.placement;
        const glm::vec3 a = at.origin + at.step * glm::vec3(lo), b = at.origin + at.step * glm::vec3(hi);
        at.lo = glm::min(a, b);
        at.hi = glm::max(a, b);
    }
    // Corners 0 and 2 of a quad are opposite ones (see appendTerrainQuad).
    data.quadBoxes.resize(quads);
    for (size_t q = 0; q < quads; ++q) {
        const TerrainVertex& a = data.vertices[4 * q];
        const TerrainVertex& b = data.vertices[4 * q + 2];
        TerrainQuadBox& box = data.quadBoxes[q];
        box.lo = { std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z) };
        box.hi = { std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z) };
    }
    data.indices16.clear();
    data.indices32.clear();
    if (data.vertices.size() <= 0x10000)
        writeQuadIndices(data.indices16, quads);
    else
        writeQuadIndices(data.indices32, quads);
    TerrainFaceRanges& r = data.ranges;
    uint32_t first = 0;
    for (int f = 0; f < 6; ++f) {
        r.faceFirst[size_t(f)] = first;
        r.faceCount[size_t(f)] = quadsPerFace[size_t(f)] * 6;
        first += r.faceCount[size_t(f)];
    }
    r.byPlane = planeQuads != nullptr;
    if (planeQuads)
        r.planeQuads = *planeQuads;
}

void TerrainQuadsShown::begin(size_t count)
{
    next.assign((count + 63) / 64, 0);
    nextQuads = count;
}

void TerrainQuadsShown::finish(uint64_t frame)
{
    quads = nextQuads;
    shown.swap(next);
    madeFrame = frame;
}

void TerrainDrawRuns::clear(size_t bytesPerIndex)
{
    offsets.clear();
    indices.clear();
    triangles = 0;
    indexSize = bytesPerIndex;
}

void TerrainDrawRuns::add(uint32_t firstIndex, uint32_t count)
{
    if (count == 0)
        return;
    triangles += count / 3;
    const size_t at = size_t(firstIndex) * indexSize;
    if (!offsets.empty() && reinterpret_cast<size_t>(offsets.back()) + size_t(indices.back()) * indexSize == at) {
        indices.back() += GLsizei(count);
        return;
    }
    offsets.push_back(reinterpret_cast<const void*>(at));
    indices.push_back(GLsizei(count));
}

size_t TerrainDrawRanges::triangles() const
{
    size_t n = 0;
    for (int i = 0; i < count; ++i)
        n += indices[size_t(i)] / 3;
    return n;
}

namespace {

// Appends [first, first + n), joined to the range before when they meet.
void addRange(TerrainDrawRanges& out, uint32_t first, uint32_t n)
{
    if (n == 0)
        return;
    if (out.count > 0 && out.first[size_t(out.count - 1)] + out.indices[size_t(out.count - 1)] == first) {
        out.indices[size_t(out.count - 1)] += n;
        return;
    }
    out.first[size_t(out.count)] = first;
    out.indices[size_t(out.count)] = n;
    ++out.count;
}

// The first slot of direction `face` whose plane lies strictly on the eye's side, for the eye at
// `e` planes from the origin along the face's axis.
int firstSlotSeen(int face, float e)
{
    constexpr int last = TERRAIN_PLANE_SLOTS - 1;
    // Faces looking along -axis are seen from below their plane: slot k = plane k, seen when k > e.
    // Faces looking along +axis are seen from above it: slot k = plane last - k, seen when last - k < e.
    // A little slack towards drawing: a face the eye lies on is edge-on, one it just left is not.
    const float bound = (face < 3 ? e : float(last) - e) - 1e-3f;
    if (bound < 0.0f)
        return 0;
    if (bound >= float(last))
        return TERRAIN_PLANE_SLOTS;
    return int(std::floor(bound)) + 1;
}

}

TerrainDrawRanges TerrainFaceRanges::all(uint8_t faceMask) const
{
    TerrainDrawRanges out;
    for (int f = 0; f < 6; ++f) {
        if (faceMask & (1 << f))
            addRange(out, faceFirst[size_t(f)], faceCount[size_t(f)]);
    }
    return out;
}

TerrainDrawRanges TerrainFaceRanges::seenFrom(
    const glm::vec3& eye, const glm::vec3& origin, const glm::vec3& step) const
{
    if (!byPlane)
        return all();
    TerrainDrawRanges out;
    for (int f = 0; f < 6; ++f) {
        const int axis = f % 3;
        const int slot = firstSlotSeen(f, (eye[axis] - origin[axis]) / step[axis]);
        const uint32_t skipped = uint32_t(planeQuads[size_t(f)][size_t(slot)]) * 6;
        const uint32_t count = faceCount[size_t(f)];
        if (skipped < count)
            addRange(out, faceFirst[size_t(f)] + skipped, count - skipped);
    }
    return out;
}

TerrainDrawRanges TerrainFaceRanges::seenFrom(const glm::vec3& eye, const glm::vec3& origin, const glm::vec3& step,
    const std::function<bool(int, float)>& hiddenPlane) const
{
    if (!byPlane)
        return all();
    TerrainDrawRanges out;
    for (int f = 0; f < 6; ++f) {
        const int axis = f % 3;
        const auto& quads = planeQuads[size_t(f)];
        const int first = firstSlotSeen(f, (eye[axis] - origin[axis]) / step[axis]);
        int end = TERRAIN_PLANE_SLOTS;
        while (end > first) {
            const int slot = end - 1;
            if (quads[size_t(slot) + 1] != quads[size_t(slot)]) {
                const int plane = f < 3 ? slot : TERRAIN_PLANE_SLOTS - 1 - slot;
                if (!hiddenPlane(f, origin[axis] + step[axis] * float(plane)))
                    break;
            }
            end = slot;
        }
        if (end > first) {
            const uint32_t skipped = uint32_t(quads[size_t(first)]) * 6;
            addRange(out, faceFirst[size_t(f)] + skipped, uint32_t(quads[size_t(end)]) * 6 - skipped);
        }
    }
    return out;
}

TerrainMesh::TerrainMesh(const TerrainMeshData& data)
    : placement(data.placement)
    , ranges(data.ranges)
    , quadBoxes(data.quadBoxes)
{
    static uint64_t made = 0; // meshes are made on the main thread only, with its GL context
    serialNumber = ++made;
    const bool wide = !data.indices32.empty();
    indexType = wide ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT;
    indexSize = wide ? sizeof(uint32_t) : sizeof(uint16_t);
    indices = data.indexCount();
    bytes = data.gpuBytes();

    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glGenBuffers(1, &vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(data.vertices.size() * sizeof(TerrainVertex)),
        data.vertices.data(), GL_STATIC_DRAW);
    glVertexAttribIPointer(0, 4, GL_UNSIGNED_BYTE, sizeof(TerrainVertex), nullptr);
    glEnableVertexAttribArray(0);
    glGenBuffers(1, &indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    const void* indexData = wide ? static_cast<const void*>(data.indices32.data()) : data.indices16.data();
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices * indexSize), indexData, GL_STATIC_DRAW);
    // The rest of the game draws with the default vertex array object and expects it bound.
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

TerrainMesh::~TerrainMesh()
{
    glDeleteBuffers(1, &indexBuffer);
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteVertexArrays(1, &vao);
}

size_t TerrainMesh::draw(uint8_t faceMask) const
{
    return draw(ranges.all(faceMask));
}

size_t TerrainMesh::draw(const TerrainDrawRanges& r) const
{
    if (r.count == 0)
        return 0;
    GLsizei counts[6];
    const void* offsets[6];
    for (int i = 0; i < r.count; ++i) {
        counts[i] = GLsizei(r.indices[size_t(i)]);
        offsets[i] = reinterpret_cast<const void*>(size_t(r.first[size_t(i)]) * indexSize);
    }
    glVertexAttrib3fv(1, &placement.origin.x);
    glVertexAttrib3fv(2, &placement.step.x);
    glBindVertexArray(vao);
    if (r.count == 1)
        glDrawElements(GL_TRIANGLES, counts[0], indexType, offsets[0]);
    else
        glMultiDrawElements(GL_TRIANGLES, counts, indexType, offsets, r.count);
    glBindVertexArray(0);
    // Back to the defaults, for any later shader that reads these locations without an array.
    glVertexAttrib4f(1, 0.0f, 0.0f, 0.0f, 1.0f);
    glVertexAttrib4f(2, 0.0f, 0.0f, 0.0f, 1.0f);
    return r.triangles();
}

size_t TerrainMesh::draw(const TerrainDrawRuns& runs) const
{
    if (runs.offsets.empty() || runs.indexSize != indexSize)
        return 0;
    glVertexAttrib3fv(1, &placement.origin.x);
    glVertexAttrib3fv(2, &placement.step.x);
    glBindVertexArray(vao);
    glMultiDrawElements(GL_TRIANGLES, runs.indices.data(), indexType, runs.offsets.data(), GLsizei(runs.offsets.size()));
    glBindVertexArray(0);
    // Back to the defaults, for any later shader that reads these locations without an array.
    glVertexAttrib4f(1, 0.0f, 0.0f, 0.0f, 1.0f);
    glVertexAttrib4f(2, 0.0f, 0.0f, 0.0f, 1.0f);
    return runs.triangles;
}
