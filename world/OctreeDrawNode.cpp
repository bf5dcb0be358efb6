#include "world/Octree.h"

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

// PLACEHOLDER bodies: the upload to GPU buffers and the frustum cull of draw
// nodes arrive with the render work. Until then a draw node uploads nothing
// and counts as visible.

void Octree_draw_node::uploadMesh(const aabb& region)
{
    (void)region;
}

void Octree_draw_node::dropMesh() { }

bool Octree_draw_node::cull(const Camera& camera)
{
    (void)camera;
    visible = true;
    return visible;
}

void Octree_draw_node::draw() { }
