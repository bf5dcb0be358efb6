#include "world/Octree.h"

#include "base/Log.h"

#include <bit>

namespace {
constexpr int kDrawNodeDepth = 2;
constexpr int kVoxelDepth = 7;
}

Octree::Octree(BlockType t, int d, const aabb& b, uint8_t faces)
{
    init(t, d, b, faces);
}

Octree::~Octree()
{
    freeChildren();
}

void Octree::init(BlockType t, int d, const aabb& b, uint8_t faces)
{
    box = b;
    type = t;
    visibleFaces = faces;
    depth = d;
    if (depth < kDrawNodeDepth)
        split();
}

void Octree::freeChildren()
{
    if (!children)
        return;
    // The block must be released as the type it was allocated as.
    if (isDrawNodeParent())
        delete[] static_cast<Octree_draw_node*>(children);
    else
        delete[] children;
    children = nullptr;
}

aabb Octree::childBox(int k) const
{
    const glm::vec3 h = (box.max - box.min) * 0.5f;
    const glm::vec3 upper((k & 1) ? 1.0f : 0.0f, (k & 2) ? 1.0f : 0.0f, (k & 4) ? 1.0f : 0.0f);
    return aabb(box.min + upper * h, box.max - (glm::vec3(1.0f) - upper) * h);
}

template <class Node> Octree* Octree::makeChildren() const
{
    std::unique_ptr<Node[]> block(new Node[8]);
    for (int k = 0; k < 8; ++k) {
        // The three faces between siblings are inner faces: never visible.
        uint8_t faces = visibleFaces;
        faces &= ~((k & 1) ? FACE_NEG_X : FACE_POS_X);
        faces &= ~((k & 2) ? FACE_NEG_Y : FACE_POS_Y);
        faces &= ~((k & 4) ? FACE_NEG_Z : FACE_POS_Z);
        block[k].init(type, depth + 1, childBox(k), faces);
    }
    return block.release();
}

void Octree::split()
{
    if (isSplit) {
        logText("Octree split error: already split\n");
        return;
    }
    if (depth >= kVoxelDepth)
        return;
    children = isDrawNodeParent() ? makeChildren<Octree_draw_node>() : makeChildren<Octree>();
    type = MIXED_NODE;
    isSplit = true;
}

bool Octree::collapse()
{
    visibleFaces = 0;
    if (!isSplit)
        return true;
    type = MIXED_NODE;
    if (depth < kDrawNodeDepth)
        return false;
    freeChildren();
    isSplit = false;
    return true;
}

bool Octree::fill(BlockType t, const Geometric_Object& shape)
{
    const int overlap = shape.classify(box);
    if (overlap == OVERLAP_NONE)
        return type != MIXED_NODE;

    if (!isSplit && type == t) {
        // Splitting, filling and merging again would end in exactly this state.
        visibleFaces = 0;
        return true;
    }
    if (overlap == OVERLAP_CONTAINS) {
        if (collapse()) {
            type = t;
            return true;
        }
        for (int k = 0; k < 8; ++k)
            child(k).fill(t, shape);
        return false;
    }
    if (!isSplit) {
        if (depth >= kVoxelDepth) {
            // A voxel the shape only partly overlaps is written whole.
            type = t;
            visibleFaces = 0;
            return true;
        }
        split();
    }
    bool allUniform = true;
    for (int k = 0; k < 8; ++k)
        allUniform = child(k).fill(t, shape) && allUniform;
    if (!allUniform)
        return false;
    // Merge only siblings that all became the type just written.
    for (int k = 0; k < 8; ++k) {
        if (child(k).type != t)
            return false;
    }
    if (collapse()) {
        type = t;
        return true;
    }
    return false;
}

bool Octree::isSolidIn(const aabb& region) const
{
    if (!region.intersects(box))
        return false;
    if (!isSplit)
        return blockDef(type).solid;
    for (int k = 0; k < 8; ++k) {
        if (child(k).isSolidIn(region))
            return true;
    }
    return false;
}

void Octree::rayCast(const Ray& ray, float& tBest, BlockType& hitType) const
{
    float t;
    if (!ray.hitBox(box, t) || t > tBest)
        return;
    if (isSplit) {
        for (int k = 0; k < 8; ++k)
            child(k).rayCast(ray, tBest, hitType);
        return;
    }
    if (!blockDef(type).letsLightThrough) {
        tBest = t;
        hitType = type;
    }
}

void Octree::countSolidLeaves(int& count) const
{
    if (isSplit) {
        for (int k = 0; k < 8; ++k)
            child(k).countSolidLeaves(count);
    } else if (blockDef(type).solid) {
        ++count;
    }
}

void Octree::countVisibleFaces(int& count) const
{
    if (isSplit) {
        for (int k = 0; k < 8; ++k)
            child(k).countVisibleFaces(count);
    } else if (blockDef(type).drawn()) {
        count += std::popcount(static_cast<unsigned>(visibleFaces & 0x3F));
    }
}

int Octree::countNodes() const
{
    int count = 1;
    if (isSplit) {
        for (int k = 0; k < 8; ++k)
            count += child(k).countNodes();
    }
    return count;
}

// Above draw-node depth every node is split; an unsplit one here means the
// tree was built wrongly, which is reported rather than ignored.

void Octree::buildMesh(const aabb& region)
{
    if (!box.intersects(region))
        return;
    if (!isSplit) {
        logError("Error updating draw nodes.");
        return;
    }
    for (int k = 0; k < 8; ++k)
        child(k).buildMesh(region);
}

void Octree::uploadMesh(const aabb& region)
{
    if (!box.intersects(region))
        return;
    if (!isSplit) {
        logError("Error updating draw nodes.");
        return;
    }
    for (int k = 0; k < 8; ++k)
        child(k).uploadMesh(region);
}

void Octree::dropMesh()
{
    if (!isSplit) {
        logError("Error updating draw nodes");
        return;
    }
    for (int k = 0; k < 8; ++k)
        child(k).dropMesh();
}

bool Octree::cull(const Camera& camera)
{
    if (!isSplit) {
        logError("Error updating draw nodes");
        return false;
    }
    bool anyVisible = false;
    for (int k = 0; k < 8; ++k)
        anyVisible = child(k).cull(camera) || anyVisible;
    return anyVisible;
}

void Octree::draw()
{
    if (!isSplit) {
        if (blockDef(type).drawn())
            logText("error\n");
        return;
    }
    for (int k = 0; k < 8; ++k)
        child(k).draw();
}
