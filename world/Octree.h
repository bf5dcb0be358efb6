#pragma once

#include "base/BlockType.h"
#include "base/Ray.h"
#include "base/Shapes.h"
#include "physics/CollisionObject.h"

#include <cstdint>
#include <memory>

class Camera;
struct TerrainMeshData;
class TerrainMesh;

// Sparse voxel store of one chunk. The root (depth 0) is the chunk cube, the
// 64 nodes at depth 2 are the draw nodes that own the meshes, and depth 7 is
// a single voxel. A node that is not split holds one block type for its whole
// cube, so large regions of one material cost one node.
//
// Nodes are allocated per split, a whole block of eight siblings at once, and
// a leaf carries nothing but its box, type, face mask and depth: a chunk has
// tens of thousands of nodes, so every byte here counts.
class Octree : public CollisionObject {
public:
    BlockType type = BLOCK_AIR; // MIXED_NODE exactly when split
    uint8_t visibleFaces = 0; // face bits of the leaf that touch a see-through leaf; valid after a face update
    bool isSplit = false; // kept before depth so the node packs tightly
    int32_t depth = 7; // fixed once the node exists: it decides how the children are freed

    // A leaf of air at voxel depth; exists so sibling blocks can be allocated in one go.
    Octree() = default;
    // Nodes above draw-node depth split at once and stay split.
    Octree(BlockType type, int depth, const aabb& box, uint8_t visibleFaces);
    ~Octree() override;

    Octree(const Octree&) = delete;
    Octree& operator=(const Octree&) = delete;

    // Child k holds the upper half on x if bit 0 of k is set, on y if bit 1, on z if bit 2.
    Octree& child(int k) { return isDrawNodeParent() ? drawChild(k) : children[k]; }
    const Octree& child(int k) const { return const_cast<Octree*>(this)->child(k); }

    void split();
    // Drops the children (clearing the face mask); nodes above draw-node depth refuse.
    bool collapse();
    // Writes type into every voxel the shape overlaps; true when the node is uniform afterwards.
    // type must be a block type, never MIXED_NODE.
    bool fill(BlockType type, const Geometric_Object& shape);

    bool isSolidIn(const aabb& region) const;
    bool intersects(const CollisionObject& other) const override { return isSolidIn(other.box); }
    // Lowers tBest to the entry distance of the nearest voxel that stops light the ray enters at no more
    // than tBest, and reports that voxel's type.
    void rayCast(const Ray& ray, float& tBest, BlockType& hitType) const;

    void countSolidLeaves(int& count) const;
    void countVisibleFaces(int& count) const;
    // Every node of the subtree, this one included.
    int countNodes() const;

    // Mesh operations. Above draw-node depth they only hand the call down; draw nodes own the work.
    virtual void buildMesh(const aabb& region);
    virtual void uploadMesh(const aabb& region);
    virtual void dropMesh();
    virtual bool cull(const Camera& camera);
    virtual void draw();

protected:
    void init(BlockType type, int depth, const aabb& box, uint8_t visibleFaces);

private:
    // The eight children, allocated together; draw nodes when this node is at depth 1.
    Octree* children = nullptr;

    bool isDrawNodeParent() const { return depth == 1; }
    Octree& drawChild(int k);
    aabb childBox(int k) const;
    template <class Node> Octree* makeChildren() const;
    void freeChildren();
};

// A depth-2 node: the unit of meshing and culling (a cube of 16 units).
class Octree_draw_node : public Octree {
public:
    bool pendingData = false; // a mesh was built and waits for upload (or an empty build)
    // The built quads waiting for upload; null when the last build found no face to draw.
    std::unique_ptr<TerrainMeshData> meshData;
    bool visible = false; // result of the last cull
    // The GPU buffers; null when the node has nothing to draw. Created, drawn and released
    // on the main thread only.
    std::unique_ptr<TerrainMesh> mesh;

    Octree_draw_node();
    Octree_draw_node(BlockType type, int depth, const aabb& box, uint8_t visibleFaces);
    ~Octree_draw_node() override;

    void buildMesh(const aabb& region) override;
    void uploadMesh(const aabb& region) override;
    void dropMesh() override;
    bool cull(const Camera& camera) override;
    void draw() override;
    // Draws only the face directions of faceMask, if the last cull found the node visible;
    // returns the triangles drawn.
    size_t drawFaces(uint8_t faceMask);
    // What an upload does to the CPU side, for a world that keeps no GPU meshes (tools, tests
    // without a GL context): the built quads are freed and nothing waits any more.
    void discardMesh(const aabb& region);
};

// The draw nodes of a chunk root that the region strictly intersects.
template <class Fn> void forEachDrawNode(Octree& node, const aabb& region, Fn&& fn)
{
    if (!node.box.intersects(region) || !node.isSplit)
        return;
    for (int k = 0; k < 8; ++k) {
        Octree& child = node.child(k);
        if (child.depth == 2)
            fn(static_cast<Octree_draw_node&>(child));
        else
            forEachDrawNode(child, region, fn);
    }
}

inline Octree& Octree::drawChild(int k)
{
    return static_cast<Octree_draw_node*>(children)[k];
}
