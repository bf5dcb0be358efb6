#include "world/Octree.h"

#include "render/Camera.h"
#include "render/VertexArray.h"

#include <glm/geometric.hpp>

namespace {

// Depth-first, children in order: the vertex order the index numbers refer to.
void appendLeaves(
    const Octree& node, float* vertices, int& vertexFloatCount, uint32_t* indices, int& indexCount)
{
    if (node.isSplit) {
        for (int k = 0; k < 8; ++k)
            appendLeaves(node.child(k), vertices, vertexFloatCount, indices, indexCount);
        return;
    }
    if (node.type == BLOCK_AIR || node.type == MIXED_NODE)
        return;
    node.box.appendMesh(vertices, vertexFloatCount, indices, indexCount, node.visibleFaces & 0x3F, node.type);
}

}

// Every solid leaf becomes one box of eight vertices whether or not any face
// shows; only the faces its mask marks get triangles.
void Octree_draw_node::buildMesh(const aabb& region)
{
    if (!box.intersects(region))
        return;
    vertices.reset();
    indices.reset();
    vertexFloatCount = 0;
    indexCount = 0;
    pendingData = false;

    int leaves = 0;
    int faces = 0;
    countSolidLeaves(leaves);
    countVisibleFaces(faces);
    if (leaves > 0) {
        // A node with no visible face still gets its (empty) index array, so the upload
        // takes and frees the arrays rather than keeping them pending forever.
        vertices.reset(new float[64 * static_cast<size_t>(leaves)]);
        indices.reset(new uint32_t[6 * static_cast<size_t>(faces)]);
        appendLeaves(*this, vertices.get(), vertexFloatCount, indices.get(), indexCount);
    }
    // With no solid leaf both arrays stay null: the upload then clears the old mesh.
    pendingData = true;
}

namespace {

// The vertex format the world shader reads: position, corner normal, then block type
// and corner number, eight floats in all.
void declareWorldVertexFormat(VertexArray& mesh, int buffer)
{
    constexpr GLsizei stride = 8 * sizeof(float);
    mesh.setAttribute(buffer, 0, VertexAttribute { 0, 3, GL_FLOAT, GL_FALSE, stride, 0 });
    mesh.setAttribute(buffer, 1, VertexAttribute { 1, 3, GL_FLOAT, GL_FALSE, stride, 12 });
    mesh.setAttribute(buffer, 2, VertexAttribute { 2, 2, GL_FLOAT, GL_FALSE, stride, 24 });
}

}

std::unique_ptr<VertexArray> makeWorldMesh(
    const float* vertices, int vertexFloatCount, const uint32_t* indices, int indexCount)
{
    auto mesh = std::make_unique<VertexArray>(1, GL_TRIANGLES);
    const int buffer = mesh->addBuffer(vertices, size_t(vertexFloatCount) * sizeof(float), 3);
    declareWorldVertexFormat(*mesh, buffer);
    mesh->setIndices(indices, size_t(indexCount) * sizeof(uint32_t));
    return mesh;
}

Octree_draw_node::Octree_draw_node() = default;

Octree_draw_node::Octree_draw_node(BlockType type, int depth, const aabb& box, uint8_t visibleFaces)
    : Octree(type, depth, box, visibleFaces)
{
}

Octree_draw_node::~Octree_draw_node() = default;

void Octree_draw_node::uploadMesh(const aabb& region)
{
    if (!box.intersects(region) || !pendingData)
        return;
    mesh.reset();
    // A node whose leaves show no face draws nothing, so its vertices need no GPU memory.
    if (vertices && indices && indexCount > 0)
        mesh = makeWorldMesh(vertices.get(), vertexFloatCount, indices.get(), indexCount);
    discardMesh(region);
}

void Octree_draw_node::discardMesh(const aabb& region)
{
    if (!box.intersects(region) || !pendingData)
        return;
    vertices.reset();
    indices.reset();
    pendingData = false;
}

// Runs while the chunk goes to the cache and every worker is kept off it; arrays built
// but never uploaded go too, since the chunk's meshes are rebuilt when it returns.
void Octree_draw_node::dropMesh()
{
    mesh.reset();
    vertices.reset();
    indices.reset();
    pendingData = false;
}

bool Octree_draw_node::cull(const Camera& camera)
{
    const glm::vec3 center = box.center();
    const float radius = glm::distance(center, box.max);
    visible = camera.classifySphere(center, radius) != 0;
    return visible;
}

void Octree_draw_node::draw()
{
    if (visible && mesh)
        mesh->draw();
}
