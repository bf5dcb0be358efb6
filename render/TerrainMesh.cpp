#include "render/TerrainMesh.h"

#include <algorithm>

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

void finishTerrainIndices(TerrainMeshData& data, const std::array<uint32_t, 6>& quadsPerFace)
{
    const size_t quads = data.quadCount();
    data.indices16.clear();
    data.indices32.clear();
    if (data.vertices.size() <= 0x10000)
        writeQuadIndices(data.indices16, quads);
    else
        writeQuadIndices(data.indices32, quads);
    uint32_t first = 0;
    for (int f = 0; f < 6; ++f) {
        data.faceFirst[size_t(f)] = first;
        data.faceCount[size_t(f)] = quadsPerFace[size_t(f)] * 6;
        first += data.faceCount[size_t(f)];
    }
}

uint8_t terrainFacesSeenFrom(const glm::vec3& eye, const glm::vec3& min, const glm::vec3& max)
{
    uint8_t mask = 0;
    for (int a = 0; a < 3; ++a) {
        if (eye[a] < max[a])
            mask |= uint8_t(1 << a); // some -a face may lie beyond the eye
        if (eye[a] > min[a])
            mask |= uint8_t(8 << a);
    }
    return mask;
}

TerrainMesh::TerrainMesh(const TerrainMeshData& data)
    : placement(data.placement)
    , faceFirst(data.faceFirst)
    , faceCount(data.faceCount)
{
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
    // Neighbouring directions to draw become one range, so at most three ranges go out.
    GLsizei counts[6];
    const void* offsets[6];
    int ranges = 0;
    size_t triangles = 0;
    for (int f = 0; f < 6; ++f) {
        if (!(faceMask & (1 << f)) || faceCount[size_t(f)] == 0)
            continue;
        const size_t first = faceFirst[size_t(f)];
        const size_t count = faceCount[size_t(f)];
        triangles += count / 3;
        if (ranges > 0
            && reinterpret_cast<size_t>(offsets[ranges - 1]) + size_t(counts[ranges - 1]) * indexSize
                == first * indexSize) {
            counts[ranges - 1] += GLsizei(count);
            continue;
        }
        offsets[ranges] = reinterpret_cast<const void*>(first * indexSize);
        counts[ranges] = GLsizei(count);
        ++ranges;
    }
    if (ranges == 0)
        return 0;
    glVertexAttrib3fv(1, &placement.origin.x);
    glVertexAttrib3fv(2, &placement.step.x);
    glBindVertexArray(vao);
    if (ranges == 1)
        glDrawElements(GL_TRIANGLES, counts[0], indexType, offsets[0]);
    else
        glMultiDrawElements(GL_TRIANGLES, counts, indexType, offsets, ranges);
    glBindVertexArray(0);
    // Back to the defaults, for any later shader that reads these locations without an array.
    glVertexAttrib4f(1, 0.0f, 0.0f, 0.0f, 1.0f);
    glVertexAttrib4f(2, 0.0f, 0.0f, 0.0f, 1.0f);
    return triangles;
}
